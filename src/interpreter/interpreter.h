// The interpreter: one object holding the whole state of a run (symbol table, value
// stores, stacks, flags, console position) and the operations of the language.
// Programs are never compiled: every line is read from the program text, cleaned,
// classified and run again each time it is reached.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "host.h"

namespace vokc {

// RunState codes.
inline constexpr int kRunning = 0;
inline constexpr int kError = 1;
inline constexpr int kBlockPause = 998;
inline constexpr int kFinished = 999;

inline constexpr int kMaxSymbols = 200;
inline constexpr int kStoreSlots = 2000;
inline constexpr int kFileSlots = 3;
inline constexpr int kControlStackSize = 100;
inline constexpr int kBlockStackSize = 30;
inline constexpr int kNameMax = 20;
inline constexpr int kLineStep = 18;
// Upper bound of the string store, so that a declaration cannot exhaust memory.
inline constexpr std::size_t kStringStoreMax = 1000000;
// Longest text a string variable holds, so that a program that keeps growing a text
// (s = s + s) stops instead of exhausting memory.
inline constexpr std::size_t kTextMax = 1000000;

// Line markers that the editor puts in front of a line.
inline constexpr char kBreakMarker = '\xBB';
inline constexpr char kStepMarker = '\x95';

struct SymbolEntry {
    char name[kNameMax];
    std::uint8_t length = 0;
    char kind = 0; // I R C S F L P
    std::int32_t index = 0;
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

// A conversion failure that the language does not catch: it ends the run and is shown
// in the application's standard error box.
struct ErrorBoxFailure {
    std::string message; // Windows-1252
};

// Why the last Exec call returned.
enum class StopReason { Finished, Error, Pause, Interrupted, StepLimit };

class Interpreter {
public:
    explicit Interpreter(Host& host);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // ---- Entry points of the editor and the hosts ----
    void InitPrg(std::string_view name);
    // Runs from startLine (0: fresh run) until the program ends, an error is reported or
    // step mode pauses. stopState is written only on an error or a pause.
    void Exec(const ProgramText& memo, int& startLine, int& stopState, int stepMode);
    int CloseAll();
    // Listing of the symbol table, one text per list line.
    std::vector<std::string> SymbolListing() const;
    // The text the variable inspector shows for a typed reference.
    std::string ExamineText(std::string_view reference);

    // Stops a free run after this many executed lines (0: no limit).
    void SetStepLimit(std::uint64_t limit) { stepLimit_ = limit; }
    // Whether a line carrying the breakpoint marker pauses a free run before it.
    void SetBreakpointsEnabled(bool on) { breakpointsEnabled_ = on; }
    // Reports every line to Host::TraceLine before it runs.
    void SetTrace(bool on) { trace_ = on; }
    StopReason LastStop() const { return lastStop_; }
    std::uint64_t ExecutedLines() const { return executedLines_; }
    // The 0-based line being prepared or run (the one messages belong to).
    int MessageLine() const { return messageLine_; }

    // ---- State (read by tests and the inspection windows) ----
    int RunState() const { return runState_; }
    int SymbolCount() const { return symbolCount_; }
    const SymbolEntry& Symbol(int position) const { return symbols_[position]; }
    int ControlTop() const { return controlTop_; }
    int BlockCount() const { return blockCount_; }
    const BlockFrame& Block(int position) const { return blocks_[position]; }
    int BraceDepth() const { return braceDepth_; }
    bool MainEntered() const { return mainEntered_; }
    bool DoOpen() const { return doOpen_; }
    int TextX() const { return textX_; }
    int TextY() const { return textY_; }
    const std::string& ProgramName() const { return programName_; }
    std::uint32_t RandomSeed() const { return randSeed_; }
    void SetRandomSeed(std::uint32_t seed) { randSeed_ = seed; }

    // ---- Interpreter state and symbol table ----
    void ResetState();
    void Garbage();
    void DeclareLine(std::string_view line);
    void DeclareName(std::string_view name, char kind);
    int AllocateStorage(char kind, int n);
    void DeclareLabel(std::string_view name, char kind, int line);
    int Lookup(std::string_view name) const;
    // Resolves a name (one leading '*' ignored): sets RunState 0 when found, 1 when not.
    bool ChercheEtiq(std::string_view name, char& kind, std::int32_t& index);
    // Reads one slot. For C and S kinds the text is copied into `text`.
    bool LitValeur(std::int32_t slot, char kind, long double& f, std::int32_t& i, std::string& text);
    void StoreValue(std::string_view text, char kind, std::int32_t slot);
    std::int32_t Indice(std::string_view text);
    static void TabsToSpaces(std::string& line);
    bool Push(std::int32_t value);
    bool Pop(std::int32_t& target);
    bool PushBlock(std::int32_t resumeLine, std::string_view keyword);

    // ---- Preparation ----
    void PrepareProgram(const ProgramText& memo, int& errorLine);
    void FindMain(const ProgramText& memo, int& startLine);
    void FindBlockEnd(const ProgramText& memo, int& line);

    // ---- Run loop ----
    void ExecuteLine(const ProgramText& memo, std::string_view text, int& current);

    // ---- Numeric expressions ----
    static void SplitBinary(std::string_view text, std::string_view& left, std::string_view& op,
                            std::string_view& right);
    // Evaluate; on success RunState is 0 and `result` holds the value.
    bool EvalIntExpr(std::string_view text, std::int32_t& result);
    bool EvalFloatExpr(std::string_view text, long double& result);
    std::int32_t IntOperand(std::string_view text);
    long double FloatOperand(std::string_view text);
    // Text form of one operand of any kind; sets RunState 1 on failure.
    void OperandText(std::string_view text, std::string& out);
    // Value of one string operand (literal or string variable/element).
    void StringOperand(std::string_view text, std::string& out);
    void Randomize();
    double Random();

    // ---- String expressions and statements ----
    void StringTerm(std::string_view text, std::string& out);
    void EvalStringExpr(std::string_view text, std::string& out);
    void StrCat(std::string_view args);
    void StrNCat(std::string_view args);

    // ---- Assignments and increments ----
    void Assign(std::string_view c);
    void Increment(std::string_view c);

    // ---- Control flow ----
    bool Condition(std::string_view text);
    bool EofCheck(std::string_view text);
    void DoIf(const ProgramText& memo, std::string_view a, int& current);
    void DoElse(const ProgramText& memo, int& current);
    void DoFor(const ProgramText& memo, std::string_view a, int& current);
    void DoNext(int& current);
    void DoWhile(const ProgramText& memo, std::string_view a, int& current);
    void DoWend(int& current);
    void DoDo(int& current);
    void DoUntil(std::string_view a, int& current);
    void DoBreak(const ProgramText& memo, int& current);
    void DoGoto(std::string_view a, int& current);
    void DoCall(const ProgramText& memo, std::string_view a, int& current);
    void DoEndSub(int& current);
    void DoReturn(int& current);

    // ---- Console ----
    void Printf(std::string_view args);
    void Puts(std::string_view args);
    void Scanf(std::string_view args);
    void Gets(std::string_view args);
    void Clrscr();
    void Gotoxy(std::string_view args);
    static bool AcceptsInput(std::string_view answer, char kind);

    // ---- Files and directories ----
    void Fopen(std::string_view statement);
    void Fputs(std::string_view args);
    void Fgets(std::string_view args);
    void Fclose(std::string_view args);
    void Mkdir(std::string_view args);
    void Rmdir(std::string_view args);
    void Chdir(std::string_view args);

    // ---- Reporting ----
    // Shows a message (Windows-1252 text) and sets RunState to 1.
    void Fail(std::string_view text);
    // Shows a message without touching RunState.
    void Say(std::string_view text);
    // Message texts are written in UTF-8 in the sources; this gives their Windows-1252 form.
    static std::string Cp(std::string_view utf8);
    [[noreturn]] void ThrowIntConversion(std::string_view literal);
    [[noreturn]] void ThrowFloatConversion(std::string_view literal);

    Host& host() { return host_; }
    char DecimalSeparator() const { return separator_; }

private:
    friend class InterpreterTestAccess;

    void OpenScreen();
    void DrawText(std::string_view text);
    void NewLine();
    bool ReadIntoVariable(char kind, std::int32_t slot);
    std::int32_t FailNumber(std::string_view shown);
    bool ResolveElement(std::string_view ref, char& kind, std::int32_t& slot);
    enum class Reference { Found, Unknown, Failed };
    Reference ResolveReference(std::string_view text, std::string_view& name, char& kind,
                               std::int64_t& slot);
    bool SlotInStore(char kind, std::int64_t slot) const;
    std::int32_t IntFunction(std::string_view name, std::string_view arg, bool& known);
    long double FloatFunction(std::string_view name, std::string_view arg, bool& known);
    void HashInsert(int position);

    // ---- strings and files helpers ----
    // One term of a string expression into `out` (`out` must not hold the text).
    void TermInto(std::string_view text, std::string& out);
    // strcat/strcpy, and strncat/strncpy when `bounded`: appends the source (its first
    // n characters when bounded) to a string variable.
    void AppendToString(std::string_view args, bool bounded);
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

    int runState_ = 0;
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
    bool trace_ = false;
    StopReason lastStop_ = StopReason::Finished;

    // Working buffers reused from line to line, so that a steady run does not allocate.
    std::string line_, upper_, scratch_, text1_, text2_, text3_, value_;
};

} // namespace vokc
