// The interpreter's inside: the engine that holds the whole state of a run (symbol
// table, value stores, stacks, flags, console position) and the operations of the
// language, one statement family per source file. Hosts use interpreter.h; this header
// is private to the interpreter's library, and reached besides only by the tests and
// fuzzers that drive single statements (through vokc_interpreter_internal).
//
// Error protocol: every operation leaves State() at RunState::Running when it succeeded
// and at RunState::Failed after a failure, which it has reported by a message (Fail) or,
// for an arithmetic failure, silently. Conversions that the language does not catch
// throw ErrorBoxFailure, which Exec reports through the host's error box.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "host.h"
#include "interpreter.h"
#include "line_cache.h"
#include "line_moves.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

// Where the run stands after a line.
enum class RunState {
    Running,  // all is well: the run goes on with the next line
    Failed,   // the line failed, reported by a message or (arithmetic) silently
    Finished, // the program ended: exit, or the end of main's block
    Stopped,  // the run ends here before the program's end: a pause or a stop request
};

inline constexpr int kMaxSymbols = 200;
inline constexpr int kStoreSlots = 2000;
inline constexpr int kFileSlots = 3;
inline constexpr int kControlStackSize = 100;
inline constexpr int kBlockStackSize = 30;
inline constexpr int kNameMax = 20;
inline constexpr int kLineStep = 18;
// Upper bound of the string store, so that a declaration cannot exhaust memory.
inline constexpr std::size_t kStringStoreMax = 1000000;

// What a name of the symbol table stands for. The values are the letters the symbol
// listing shows.
enum class SymbolKind : char {
    None = 0,
    Int = 'I',
    Real = 'R',
    Char = 'C',
    String = 'S', // a char array
    File = 'F',
    Label = 'L',
    Procedure = 'P',
};

struct SymbolEntry {
    char name[kNameMax];
    std::uint8_t length = 0;
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0; // first slot of its store, or the line of a label or procedure
    std::int32_t count = 1; // slots of a variable: an array's declared size
    std::string_view Name() const { return std::string_view(name, length); }
};

// A block end to act upon: the keyword the run loop injects at resumeLine.
struct BlockFrame {
    std::int32_t resumeLine = 0;
    std::string_view keyword; // ENDSUB, NEXT, WEND or UNTIL (static texts)
};

// One text-file variable of the program.
struct FileSlot {
    enum class Mode { Closed, Read, Write };
    std::string name;
    Mode mode = Mode::Closed;
    std::FILE* handle = nullptr;
    // Reading keeps the next character of the file in hand (EOF at the end), so that
    // the end of the file is known as soon as the last line has been read.
    int lookahead = EOF;
    bool atStart = false; // no line read yet since the file was opened
};

// The text less its last character: the closing parenthesis of a statement's or a
// function's argument list.
inline std::string_view DropLast(std::string_view text) {
    if (!text.empty()) text.remove_suffix(1);
    return text;
}
// The character of `text` at `at` as a text of one character, or an empty text past
// its end. (Written so rather than as an assignment of a one-character substring,
// which makes GCC 12 warn of a false overlap at -O3.)
inline void AssignCharAt(std::string& out, std::string_view text, std::size_t at) {
    if (at < text.size())
        out.assign(1, text[at]);
    else
        out.clear();
}
// A statement's or function's argument: trimmed, less its closing parenthesis.
inline std::string_view ArgumentOf(std::string_view text) {
    return DropLast(Trim(text));
}

// A reference name[index] cut at its brackets: `name` keeps the '[' (the symbol table
// enters arrays so), `index` is the text between the brackets. A text without '[' is
// the name alone. False when the ']' is missing.
inline bool SplitReference(std::string_view text, std::string_view& name, std::string_view& index) {
    name = text;
    index = {};
    const std::size_t bracket = text.find('[');
    if (bracket == std::string_view::npos) return true;
    name = text.substr(0, bracket + 1);
    const std::size_t close = text.find(']', bracket + 1);
    if (close == std::string_view::npos) return false;
    index = text.substr(bracket + 1, close - bracket - 1);
    return true;
}

// A program text whose lines are read without the editor's markers at their start (see
// StripLineMarkers), so that every look-ahead of the run sees the program's own text.
class UnmarkedText final : public ProgramText {
  public:
    explicit UnmarkedText(const ProgramText& marked) : marked_(marked) {}
    int LineCount() const override { return marked_.LineCount(); }
    std::string_view Line(int index) const override {
        return StripLineMarkers(marked_.Line(index));
    }

  private:
    const ProgramText& marked_;
};

class Engine {
  public:
    explicit Engine(Host& host);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // ---- What the facade offers (see interpreter.h for the contracts) ----
    void StartProgram(std::string_view name) { programName_.assign(name); }
    RunResult Exec(const ProgramText& program, int startLine, StepMode mode);
    int CloseAllFiles();
    std::vector<std::string> SymbolListing() const;
    std::string ExamineText(std::string_view reference);
    // Inspection (inspection.cpp).
    std::vector<VariableInfo> Variables() const;
    void ValueTexts(std::vector<std::string>& out, int maxElements) const;
    std::string ValueText(int variable, int element) const;
    bool InspectReference(std::string_view reference, std::string& text) const;
    bool InspectReferenceAt(std::string_view reference, const std::vector<std::string>& rows,
                            int maxElements, std::string& text) const;
    std::vector<CallFrame> CallChain() const;
    int OpenBlockLine() const;
    int RunningLine() const { return messageLine_; }
    int CallDepth() const;
    void SetRunToLine(int line) { runToLine_ = line; }
    void SetStepLimit(std::uint64_t limit) { stepLimit_ = limit; }
    void SetBreakpointsEnabled(bool on) { breakpointsEnabled_ = on; }
    void SetLineMarkers(bool on) { lineMarkers_ = on; }
    void SetTrace(bool on) { trace_ = on; }
    // Whether the run keeps what it learns about each line (on by default). Off, every
    // line is cleaned, classified and split afresh at every pass; the run is the same.
    void SetLineCache(bool on) { lineCacheOn_ = on; }
    std::uint64_t ExecutedLines() const { return executedLines_; }
    int TextX() const { return textX_; }
    int TextY() const { return textY_; }
    // Edits of the text during a pause (line_moves.cpp, edited_text.cpp).
    int MoveLines(const LineMove& move, int resumeLine);
    bool AdoptEditedText(const ProgramText& program);

    // ---- State ----
    RunState State() const { return runState_; }
    int SymbolCount() const { return symbolCount_; }
    const SymbolEntry& Symbol(int position) const { return symbols_[position]; }
    int ControlTop() const { return controlTop_; }
    int BlockCount() const { return blockCount_; }
    std::uint32_t RandomSeed() const { return randSeed_; }

    // ---- Single statements and their pieces, as the tests and fuzzers drive them ----
    // Symbol table and stores (state.cpp).
    // Empties the symbol table, the stores' allocation and the stacks (a fresh run).
    void ResetState();
    // A declaration line "int a, b[5]" (type word in any case, names after its space).
    void DeclareVariables(std::string_view line);
    void DeclareLabel(std::string_view name, SymbolKind kind, int line);
    // Resolves a name (one leading '*' ignored): State() is Running when found, Failed
    // when not (without a message); `index` is -1 when not found.
    bool FindSymbol(std::string_view name, SymbolKind& kind, std::int32_t& index);
    // Reads one slot. For Char and String the text is copied into `text`.
    bool ReadValue(std::int32_t slot, SymbolKind kind, long double& f, std::int32_t& i,
                   std::string& text);
    // Stores a text converted to the slot's kind; a text that does not convert fails.
    void StoreValue(std::string_view text, SymbolKind kind, std::int32_t slot);
    // The 0-based offset that an index text (an int variable or an integer) designates.
    std::int32_t IndexOffset(std::string_view text);
    bool PushControl(std::int32_t value);
    bool PopControl(std::int32_t& target);
    // From a block header at `line`: the line of its end (the single line after the
    // header, or the '}' that closes the '{' right after it) (prepare.cpp).
    void FindBlockEnd(const ProgramText& program, int& line);
    // Numeric expressions and operands (numeric.cpp).
    static void SplitBinary(std::string_view text, std::string_view& left, std::string_view& op,
                            std::string_view& right);
    // Text form of one operand of any kind; State() is Failed after a failure.
    void OperandText(std::string_view text, std::string& out);
    // The text of a variable's value as OperandText gives it (the slot in its store).
    void ValueTextOf(SymbolKind kind, std::int32_t slot, std::string& out);
    // Value of one string operand (literal or string variable/element).
    void StringOperand(std::string_view text, std::string& out);
    void Randomize();
    double Random();
    // String expressions and statements (strings.cpp).
    void EvalStringExpr(std::string_view text, std::string& out);
    // strcat/strcpy, and strncat/strncpy when `bounded`: appends the source (its first
    // n characters when bounded) to a string variable.
    void AppendToString(std::string_view args, bool bounded);
    // Assignments (assign.cpp), file conditions (control.cpp), console (console.cpp).
    void Assign(std::string_view c);
    bool EndOfFile(std::string_view text);
    static bool AcceptsInput(std::string_view answer, SymbolKind kind);
    // Files and directories (files.cpp).
    void Fopen(std::string_view statement);
    void Fputs(std::string_view args);
    void Fgets(std::string_view args);
    void Fclose(std::string_view args);
    void Mkdir(std::string_view args);
    void Rmdir(std::string_view args);
    void Chdir(std::string_view args);
    // Message texts are written in UTF-8 in the sources; this gives their Windows-1252 form.
    static std::string Cp(std::string_view utf8);

  private:
    // ---- Symbol table and stores (state.cpp) ----
    // One name of a declaration: `name[n]` is an array of n, `*name` a plain variable,
    // a char array a string.
    void DeclareVariable(std::string_view name, SymbolKind kind);
    // Enters a variable of n elements (a name of an array keeps its '[').
    void EnterVariable(std::string_view name, SymbolKind kind, std::int32_t n);
    // Shows why an edited text cannot be taken on, and answers false.
    bool RefuseEditedText(std::string_view what, std::string_view name, std::string_view tail);
    // Takes n slots of a store; returns the first (1-based), 0 on failure.
    int AllocateStorage(SymbolKind kind, int n);
    // Position of a name in the table, 0 when absent.
    int Lookup(std::string_view name) const;
    static void TabsToSpaces(std::string& line);
    bool PushBlock(std::int32_t resumeLine, std::string_view keyword);

    // ---- Preparation (prepare.cpp) ----
    void PrepareProgram(const ProgramText& program, int& errorLine);
    void FindMain(const ProgramText& program, int& startLine);
    // FindBlockEnd's search in the text, which the line cache spares to a run that
    // already made it.
    void FindBlockEndInText(const ProgramText& program, int& line);

    // ---- Numeric expressions and operands (numeric.cpp) ----
    // Evaluate; on success State() is Running and `result` holds the value.
    bool EvalIntExpr(std::string_view text, std::int32_t& result);
    bool EvalFloatExpr(std::string_view text, long double& result);
    // An int operator (+ - * / %, or 0 for none: `a` itself) as the language applies it:
    // sums and products wrap; a zero divisor (warned) or INT32_MIN / -1 fails the line
    // without a message, and `result` is then untouched.
    bool ApplyIntOperator(std::int32_t a, char op, std::int32_t b, std::int32_t& result) {
        switch (op) {
        case '+':
            result = WrapAdd(a, b);
            return true;
        case '-':
            result = WrapSub(a, b);
            return true;
        case '*':
            result = WrapMul(a, b);
            return true;
        case '/':
        case '%':
            if (b == 0 || (a == INT32_MIN && b == -1)) [[unlikely]] {
                if (b == 0) host_.Warning(Cp(msg::kDivisionParZero), messageLine_);
                runState_ = RunState::Failed; // arithmetic failure: no message
                return false;
            }
            result = op == '/' ? a / b : a % b;
            return true;
        default:
            result = a;
            return true;
        }
    }
    std::int32_t IntOperand(std::string_view text);
    long double FloatOperand(std::string_view text);
    // What IntOperand and FloatOperand share, kept inside each of them when compiled.
    template <SymbolKind Kind, typename Value>
    [[gnu::always_inline]] inline Value NumericOperand(std::string_view text);

    // ---- Strings (strings.cpp) ----
    // The assignment `target = target + term` to the string slot the target designates,
    // done by appending in place; false (nothing done) for any other expression.
    bool AppendAssignment(std::string_view target, std::string_view value, std::int32_t slot);

    // ---- Increments (assign.cpp) ----
    void Increment(std::string_view c);

    // ---- Control flow (control.cpp) ----
    bool Condition(std::string_view text);
    void DoIf(const ProgramText& program, std::string_view a, int& current);
    void DoElse(const ProgramText& program, int& current);
    void DoFor(const ProgramText& program, std::string_view a, int& current);
    void DoNext(int& current);
    void DoWhile(const ProgramText& program, std::string_view a, int& current);
    void DoWend(int& current);
    void DoDo(int& current);
    void DoUntil(const ProgramText& program, std::string_view a, int& current);
    void DoBreak(const ProgramText& program, int& current);
    void DoGoto(std::string_view a, int& current);
    void DoCall(const ProgramText& program, std::string_view a, int& current);
    // The call of the procedure whose header is at `line`.
    void EnterProcedure(const ProgramText& program, int line, int& current);
    void DoEndSub(int& current);
    void DoReturn(int& current);

    // ---- Console (console.cpp) ----
    void Printf(std::string_view args);
    void Puts(std::string_view args);
    void Scanf(std::string_view args);
    void Gets(std::string_view args);
    void Clrscr();
    void Gotoxy(std::string_view args);

    // ---- Reporting ----
    // Shows a message (Windows-1252 text) and sets State() to Failed.
    void Fail(std::string_view text);
    // Shows a message without touching State().
    void Say(std::string_view text);
    [[noreturn]] void ThrowIntConversion(std::string_view literal);
    [[noreturn]] void ThrowFloatConversion(std::string_view literal);

    // ---- Run loop (run.cpp) ----
    void ExecuteLine(const ProgramText& program, std::string_view text, int& current);
    // ---- Run loop pieces (run.cpp) ----
    // A trimmed line as the dispatcher sees it.
    struct LineShape {
        std::string_view text;  // trimmed
        std::string_view code;  // without its final ';'
        std::string_view upper; // the text in capitals (in upper_)
        std::size_t firstColon = std::string_view::npos;
        std::size_t split = std::string_view::npos; // first blank or '('
        bool fopen = false;                         // "=fopen" somewhere
        bool emptyParens = false;                   // "()" somewhere
        bool incDec = false;                        // "++" or "--" somewhere
    };
    // The three steps of ExecuteLine, kept inside it when compiled: they run for every
    // line, and calls between them would cost the run loop about a tenth of its speed.
    [[gnu::always_inline]] inline void ScanLine(std::string_view trimmed, LineShape& shape);
    [[gnu::always_inline]] inline bool RunByFirstCharacters(const LineShape& shape, int& current);
    [[gnu::always_inline]] inline void RunStatement(const ProgramText& program,
                                                    const LineShape& shape, int& current);
    // Preparation of a fresh run: declarations, labels, main(); false when it failed.
    bool StartFresh(const ProgramText& program, int& startLine);
    // Runs a statement by its keyword (RunStatement's last step).
    [[gnu::always_inline]] inline void RunKeyword(const ProgramText& program, Kw kw,
                                                  std::string_view a, std::string_view c,
                                                  bool incDec, int& current);
    // ExecuteLine for a line whose facts are known (line_cache.h).
    void RunKnownLine(const ProgramText& program, LineFacts& facts, int& current);
    // Plans of the known line that runs (line_cache.cpp). An assignment or increment of
    // an int variable run from its plan: false when it has none (nothing was done).
    bool RunPlannedAssignment(LineFacts& facts);
    // The plan of a condition when `text` is the argument of the known line that runs,
    // null otherwise or when it has none.
    const ConditionPlan* PlannedCondition(std::string_view text);
    // A planned condition's result, as Condition gives it.
    bool PlannedConditionResult(const ConditionPlan& plan);
    bool PlannedNatural(const TextOperandPlan& plan, std::int64_t& value) const;
    void NaturalText(const TextOperandPlan& plan, std::int64_t value, std::string& text);
    // A planned operand's comparison field; `text` is the working text of its side.
    void PlannedField(const TextOperandPlan& plan, std::string& text,
                      char (&field)[kConditionField]);
    void PlanAssignment(std::string_view code, bool increment, AssignmentPlan& plan);
    void PlanCondition(std::string_view text, ConditionPlan& plan);
    IntOperandPlan PlanIntOperand(std::string_view text, bool& usable);
    TextOperandPlan PlanTextOperand(std::string_view text, std::string_view line);
    // Runs one line (by its facts when given) with the error box and memory failures
    // caught; false when the host stopped the run while the line read an answer or a key.
    [[gnu::always_inline]] inline bool RunGuarded(const ProgramText& program, std::string_view text,
                                                  LineFacts* facts, int& current);
    // Ends Exec with a stop other than the program's end.
    [[gnu::cold]] RunResult Stop(StopReason reason, int line);

    void OpenScreen(bool fresh);
    void DrawText(std::string_view text);
    void NewLine();
    // Asks the host, after console input, whether the user stopped the run meanwhile.
    void CheckStopAfterInput();
    bool ReadIntoVariable(SymbolKind kind, std::int32_t slot);
    std::int32_t FailNumber(std::string_view shown);
    bool ResolveElement(std::string_view ref, SymbolKind& kind, std::int32_t& slot);
    enum class Reference { Found, Unknown, Failed };
    Reference ResolveReference(std::string_view text, std::string_view& name, SymbolKind& kind,
                               std::int64_t& slot);
    bool SlotInStore(SymbolKind kind, std::int64_t slot) const;
    std::int32_t IntFunction(std::string_view name, std::string_view arg, bool& known);
    long double FloatFunction(std::string_view name, std::string_view arg, bool& known);
    void HashInsert(int position);
    // ---- Warnings of the run (run_warnings.cpp): each is given once per line and run,
    // and none changes what the run does ----
    // An element before the first or past the last of the array at `position` ("t[").
    [[gnu::cold]] void WarnOutsideArray(int position, std::int32_t offset);
    // The test of a loop that runs its body again (`first`..`last`), with its operands'
    // texts in text1_ and text2_: counts the passes in a row, and warns when the operands
    // stay the same over many of them. `repeatsWhenTrue`: a while loop's test, else the
    // closing test of a do loop.
    void WatchLoop(const ProgramText& program, int line, int first, int last,
                   std::string_view condition, bool repeatsWhenTrue);
    // The loop tested at `line` ended.
    void ForgetLoop(int line);
    struct LoopWatch;
    [[gnu::cold]] void LookAtLoop(LoopWatch& watch, const ProgramText& program, int first, int last,
                                  std::string_view condition, bool repeatsWhenTrue);
    // False when the warning of this kind was already given at this line in this run.
    enum class RunWarning { OutsideArray, LoopStill };
    bool FirstWarning(int line, RunWarning kind);
    void TakeDownValues(LoopWatch& watch) const;
    bool SameValues(const LoopWatch& watch) const;
    // Inspection helpers (inspection.cpp).
    int ElementCount(int position) const;
    void SlotText(SymbolKind kind, std::int64_t slot, std::string& out) const;
    bool PausesAfterLine(StepMode mode, int startDepth) const;

    // ---- strings and files helpers ----
    // One term of a string expression into `out` (`out` must not hold the text).
    void TermInto(std::string_view text, std::string& out);
    static std::size_t StringPlus(std::string_view text);
    // Appends to a string slot, within the text length limit.
    void AppendToSlot(std::int32_t slot, std::string_view tail);
    // Resolves a file variable to its slot. Absent: 0 and no message; another kind: -1.
    std::int32_t FileSlotOf(std::string_view name);
    // Opens a slot on its bound name for reading or writing; false when it cannot.
    bool OpenSlot(FileSlot& slot, FileSlot::Mode mode);
    // Closes a slot's file; returns 0 or the error code of the close.
    static int CloseSlot(FileSlot& slot);
    // Reads the next line of a slot open for reading (empty at the end or when closed).
    static void ReadLine(FileSlot& slot, std::string& out);
    // Reads the directory operand of mkdir, rmdir and chdir; false after a failure.
    bool DirectoryOperand(std::string_view args, std::string& name);
    // Working texts of the string and file operations, kept from call to call so that
    // repeated string work does not allocate.
    std::string strLeft_, strRight_, strArg_, fileText_;

    Host& host_;
    char separator_ = '.';

    // Symbol table, 1-based, with a hash index over the names.
    std::array<SymbolEntry, kMaxSymbols + 1> symbols_{};
    int symbolCount_ = 0;
    static constexpr int kHashSize = 512;
    std::array<std::int16_t, kHashSize> hash_{};

    // Value stores, 1-based.
    std::array<std::int32_t, kStoreSlots + 1> ints_{};
    std::array<long double, kStoreSlots + 1> floats_{};
    std::array<unsigned char, kStoreSlots + 1> chars_{};
    std::vector<std::string> strings_;
    std::array<FileSlot, kFileSlots + 1> files_{};
    int intsUsed_ = 0, floatsUsed_ = 0, charsUsed_ = 0, filesUsed_ = 0;
    bool printerOpen_ = false;

    // Stacks.
    std::array<std::int32_t, kControlStackSize + 1> control_{};
    int controlTop_ = 0;
    std::array<BlockFrame, kBlockStackSize + 1> blocks_{};
    int blockCount_ = 0;

    RunState runState_ = RunState::Running;
    int braceDepth_ = 0;
    bool mainEntered_ = false;
    bool doOpen_ = false;
    std::string programName_;
    int textX_ = 0, textY_ = 0;
    std::uint32_t randSeed_ = 0;

    // Run bookkeeping.
    int messageLine_ = -1;
    std::uint64_t stepLimit_ = 0;
    std::uint64_t executedLines_ = 0;
    bool breakpointsEnabled_ = true;
    bool lineMarkers_ = true;
    bool trace_ = false;
    int runToLine_ = -1;

    // What the run loop learnt about the lines.
    LineCache lineCache_;
    bool lineCacheOn_ = true;
    LineFacts* knownLine_ = nullptr; // the known line that runs, if any

    // The run's warnings: the loops under watch, and the lines already warned about.
    struct LoopWatch {
        int line = -1;            // the line of the loop's test; -1: a free entry
        std::uint32_t passes = 0; // passes in a row that the test repeated the loop
        std::uint32_t next = 0;   // the pass at which the operands are looked at
        std::uint32_t same = 0;   // passes since then with the same operands
        std::string left, right;  // the operands' texts at that pass
        // Every variable's value at that pass.
        std::vector<std::int32_t> ints;
        std::vector<long double> floats;
        std::vector<unsigned char> chars;
        std::vector<std::string> strings;
        std::string name;         // the variable that the warning names
        std::string operand;      // the operand it stands in
        bool onLeft = true;       // the operand is the test's left one
        int first = 0, last = -1; // the body's lines
        std::string_view example; // the change it suggests ("++", "--" or none)
    };
    std::array<LoopWatch, 4> loopWatches_{};
    int nextLoopWatch_ = 0;
    std::vector<std::pair<int, RunWarning>> warned_;
    int lastFound_ = 0; // the table position FindSymbol found last

    // Working buffers reused from line to line, so that a steady run does not allocate.
    std::string line_, upper_, scratch_, text1_, text2_, text3_, value_;
};

// A variable or element reference: the look-up name (up to and including '[' for an
// element), its kind and the slot it designates (not yet checked against the store).
// Syntax and index errors are reported here; an unknown name is left to the caller,
// whose message differs, with `name` as the message shows it. Inline: every assignment
// reads its target through it.
inline Engine::Reference Engine::ResolveReference(std::string_view text, std::string_view& name,
                                                  SymbolKind& kind, std::int64_t& slot) {
    std::string_view indexText;
    if (!SplitReference(text, name, indexText)) {
        Fail(Cp(msg::kErreurSyntaxe));
        return Reference::Failed;
    }
    std::int32_t offset = 0;
    if (!name.empty() && name.back() == '[') {
        offset = IndexOffset(indexText);
        if (runState_ != RunState::Running) return Reference::Failed;
    }
    std::int32_t index = 0;
    if (!FindSymbol(name, kind, index)) {
        if (!name.empty() && name[0] == '*') name.remove_prefix(1);
        return Reference::Unknown;
    }
    slot = static_cast<std::int64_t>(index) + offset;
    // A plain variable counts one slot and its offset is 0.
    if (static_cast<std::uint32_t>(offset) >=
        static_cast<std::uint32_t>(symbols_[lastFound_].count)) [[unlikely]]
        WarnOutsideArray(lastFound_, offset);
    return Reference::Found;
}

inline void Engine::WatchLoop(const ProgramText& program, int line, int first, int last,
                              std::string_view condition, bool repeatsWhenTrue) {
    LoopWatch* watch = nullptr;
    for (LoopWatch& w : loopWatches_)
        if (w.line == line) watch = &w;
    if (!watch) [[unlikely]] {
        watch = &loopWatches_[static_cast<std::size_t>(nextLoopWatch_)];
        nextLoopWatch_ = (nextLoopWatch_ + 1) % static_cast<int>(loopWatches_.size());
        watch->line = line;
        watch->passes = 0;
        watch->next = 1000;
    }
    if (++watch->passes < watch->next) return;
    LookAtLoop(*watch, program, first, last, condition, repeatsWhenTrue);
}

} // namespace vokc
