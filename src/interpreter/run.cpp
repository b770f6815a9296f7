// The run loop: Exec walks the program text line by line, lets the innermost open
// block inject its closing keyword, and hands each line to ExecuteLine, which cleans
// and classifies it by its first characters and calls the statement's handler.
#include <array>
#include <cstdint>
#include <iterator>
#include <new>
#include <stdexcept>

#include "engine.h"
#include "messages.h"
#include "text.h"

namespace vokc {

namespace {
constexpr int kPollInterval = 4096;
const std::string kMemoryFull = "M\xE9moire insuffisante";

// Thrown when the host asks to stop while the program reads an answer or a key: the
// reading line ends at once and runs again on a resume.
struct InputInterrupted {};

bool IsMarker(char c) {
    return c == kBreakMarker || c == kStepMarker;
}
} // namespace

std::string_view StripLineMarkers(std::string_view line) {
    std::size_t k = 0;
    bool marked = false;
    for (; k < line.size() && (IsBlank(line[k]) || IsMarker(line[k])); ++k)
        if (IsMarker(line[k])) marked = true;
    return marked ? line.substr(k) : line;
}

void Engine::OpenScreen(bool fresh) {
    scratch_.assign("Vok C - ");
    scratch_.append(programName_);
    host_.ShowConsole(scratch_);
    if (fresh) {
        textX_ = 0;
        textY_ = 0;
    }
}

void Engine::CheckStopAfterInput() {
    if (host_.StopRequested()) throw InputInterrupted{};
}

bool Engine::StartFresh(const ProgramText& program, int& startLine) {
    // Files a previous run left open are closed; a failed close does not stop the new run.
    CloseAllFiles();
    int errorLine = 0;
    PrepareProgram(program, errorLine);
    if (runState_ != RunState::Running) {
        startLine = errorLine;
        return false;
    }
    FindMain(program, startLine);
    if (runState_ != RunState::Running) {
        startLine = 0;
        return false;
    }
    return true;
}

RunResult Engine::Stop(StopReason reason, int line) {
    runState_ = RunState::Stopped;
    return {reason, line};
}

bool Engine::RunGuarded(const ProgramText& program, std::string_view text, LineFacts* facts,
                        int& current) {
    knownLine_ = facts;
    try {
        if (facts)
            RunKnownLine(program, *facts, current);
        else
            ExecuteLine(program, text, current);
    } catch (const ErrorBoxFailure& failure) {
        host_.ErrorBox(failure.message, messageLine_);
        runState_ = RunState::Failed;
    } catch (const InputInterrupted&) {
        knownLine_ = nullptr;
        return false;
    } catch (const std::bad_alloc&) {
        host_.ErrorBox(kMemoryFull, messageLine_);
        runState_ = RunState::Failed;
    } catch (const std::length_error&) {
        host_.ErrorBox(kMemoryFull, messageLine_);
        runState_ = RunState::Failed;
    }
    knownLine_ = nullptr;
    return true;
}

// The loop takes the next line (or the keyword of the innermost block whose end it has
// reached), checks the limits, the stop request and breakpoints before it, runs it, and
// decides whether to go on. The stop request is only granted before a line of the text:
// a block's end runs first, so that the stop line is the one a resume runs.
RunResult Engine::Exec(const ProgramText& program, int startLine, StepMode mode) {
    runState_ = RunState::Running;
    separator_ = host_.DecimalSeparator();
    messageLine_ = -1;
    const bool fresh = startLine == 0;
    OpenScreen(fresh);
    // With markers, every look-ahead reads the lines without them.
    const UnmarkedText unmarked(program);
    const ProgramText& text = lineMarkers_ ? static_cast<const ProgramText&>(unmarked) : program;
    // What the lines' look-aheads learn holds for this run only.
    struct RunScope {
        LineCache& cache;
        ~RunScope() { cache.EndRun(); }
    } scope{lineCache_};
    lineCache_.BeginRun(text);
    if (fresh && !StartFresh(text, startLine)) return {StopReason::Error, startLine};

    const int count = program.LineCount();
    int current = startLine;
    bool firstLine = true;
    // Step over and step out compare the call depth after each line with this one.
    const bool byDepth = mode == StepMode::Over || mode == StepMode::Out;
    const int startDepth = byDepth ? CallDepth() : 0;
    int sincePoll = 0;
    while (current < count) {
        if (current < 0) current = 0;
        if (stepLimit_ != 0 && executedLines_ >= stepLimit_)
            return Stop(StopReason::StepLimit, current);
        const bool blockEnd = blockCount_ > 0 && blocks_[blockCount_].resumeLine == current;
        if (++sincePoll >= kPollInterval && !blockEnd) [[unlikely]] {
            sincePoll = 0;
            if (host_.StopRequested()) return Stop(StopReason::Interrupted, current);
        }
        std::string_view line;
        LineFacts* facts = nullptr;
        if (blockEnd) {
            // The frame's keyword runs as though it stood before the resume line: the
            // line itself (and a breakpoint on it) comes after.
            line = blocks_[blockCount_].keyword;
            if (lineCacheOn_) facts = &lineCache_.KeywordFacts(line);
            --current;
        } else if (lineCacheOn_) {
            if (mode == StepMode::ToLine && current == runToLine_ && !firstLine) [[unlikely]]
                return Stop(StopReason::Step, current);
            // The line is read again and run as learnt while its bytes are the same.
            facts = &lineCache_.Facts(current, program.Line(current), lineMarkers_);
            if (facts->breakpoint && breakpointsEnabled_ && mode != StepMode::Line && !firstLine)
                [[unlikely]]
                return Stop(StopReason::Breakpoint, current);
        } else {
            // Run to a line: the pause comes before it, unless the run resumes there.
            if (mode == StepMode::ToLine && current == runToLine_ && !firstLine) [[unlikely]]
                return Stop(StopReason::Step, current);
            std::string_view source = program.Line(current);
            if (lineMarkers_ && !source.empty() && (IsBlank(source[0]) || IsMarker(source[0])))
                [[unlikely]] {
                const std::string_view bare = StripLineMarkers(source);
                const std::string_view markers = source.substr(0, source.size() - bare.size());
                // A breakpoint pauses a free run before its line, unless the run resumes there.
                if (markers.find(kBreakMarker) != std::string_view::npos && breakpointsEnabled_ &&
                    mode != StepMode::Line && !firstLine)
                    return Stop(StopReason::Breakpoint, current);
                source = bare;
            }
            // A copy: handlers read other lines, which may invalidate the text's view.
            line_.assign(source);
            line = line_;
        }
        firstLine = false;
        messageLine_ = current;
        ++executedLines_;
        // A known line's text is only wanted by the trace: the facts hold the rest.
        if (trace_) host_.TraceLine(current, facts && !blockEnd ? facts->Bare() : line);
        if (!RunGuarded(text, line, facts, current)) return Stop(StopReason::Interrupted, current);
        // Stacked line numbers can be anything after a GOTO out of a block: the next
        // line is never allowed to overflow.
        if (runState_ == RunState::Running) current = current < count ? current + 1 : count;
        // A step pauses after its line whatever the line did, even when it ended the
        // program: the end comes on the resume.
        if (mode == StepMode::Line || (byDepth && PausesAfterLine(mode, startDepth))) [[unlikely]] {
            const bool failed = runState_ == RunState::Failed;
            const bool beforeBlockEnd =
                blockCount_ > 0 && blocks_[blockCount_].resumeLine == current;
            return Stop(failed           ? StopReason::Error
                        : beforeBlockEnd ? StopReason::StepBeforeBlockEnd
                                         : StopReason::Step,
                        current);
        }
        if (runState_ == RunState::Finished) return {StopReason::Finished, startLine};
        if (runState_ != RunState::Running) return {StopReason::Error, current};
    }
    runState_ = RunState::Finished;
    return {StopReason::Finished, startLine};
}

namespace {
struct KeywordName {
    std::string_view name;
    Kw kw;
};

constexpr KeywordName kKeywords[] = {
    {"CALL", Kw::Call},       {"CLRSCR", Kw::Clrscr},   {"RANDOMIZE", Kw::Randomize},
    {"STRCAT", Kw::Strcat},   {"STRNCAT", Kw::Strncat}, {"STRCPY", Kw::Strcpy},
    {"STRNCPY", Kw::Strncpy}, {"PRINTF", Kw::Printf},   {"PUTS", Kw::Puts},
    {"SCANF", Kw::Scanf},     {"GETS", Kw::Gets},       {"FCLOSE", Kw::Fclose},
    {"FPUTS", Kw::Fputs},     {"FGETS", Kw::Fgets},     {"GOTOXY", Kw::Gotoxy},
    {"GOTO", Kw::Goto},       {"BREAK", Kw::Break},     {"IF", Kw::If},
    {"ELSE", Kw::Else},       {"FOR", Kw::For},         {"NEXT", Kw::Next},
    {"WHILE", Kw::While},     {"WEND", Kw::Wend},       {"DO", Kw::Do},
    {"RETURN", Kw::Return},   {"CHDIR", Kw::Chdir},     {"RMDIR", Kw::Rmdir},
    {"MKDIR", Kw::Mkdir},
};

// The keywords are all distinct, so the first equal one in the table is the only one.
// They are grouped by their first letter, so that a line compares itself with the two or
// three keywords that begin like it rather than with all of them.
struct KeywordIndex {
    std::array<std::uint8_t, 26> begin{}, end{};
    std::array<KeywordName, std::size(kKeywords)> sorted{};
    constexpr KeywordIndex() {
        std::size_t n = 0;
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            begin[static_cast<std::size_t>(letter - 'A')] = static_cast<std::uint8_t>(n);
            for (const auto& e : kKeywords)
                if (e.name[0] == letter) sorted[n++] = e;
            end[static_cast<std::size_t>(letter - 'A')] = static_cast<std::uint8_t>(n);
        }
    }
};
constexpr KeywordIndex kIndex;
} // namespace

Kw FindKeyword(std::string_view k) {
    if (k.size() < 2 || k.size() > 9 || k[0] < 'A' || k[0] > 'Z') return Kw::None;
    const auto letter = static_cast<std::size_t>(k[0] - 'A');
    for (std::size_t i = kIndex.begin[letter]; i < kIndex.end[letter]; ++i)
        if (Same(kIndex.sorted[i].name, k)) return kIndex.sorted[i].kw;
    return Kw::None;
}

// One pass over the trimmed line makes its upper-case copy and notes everything the
// classification asks: the first colon, where the keyword ends, and the marks of
// fopen, of an empty argument list and of ++/--.
void Engine::ScanLine(std::string_view t, LineShape& shape) {
    shape.text = t;
    shape.code = t;
    if (shape.code.back() == ';') shape.code.remove_suffix(1);
    const std::size_t n = t.size(), codeSize = shape.code.size();
    upper_.resize(n);
    char* up = upper_.data();
    constexpr std::size_t npos = std::string_view::npos;
    std::size_t firstColon = npos, split = npos;
    bool fopen = false, emptyParens = false, incDec = false;
    for (std::size_t i = 0; i < n; ++i) {
        char ch = UpperAscii(t[i]);
        up[i] = ch;
        switch (ch) {
        case ':':
            if (firstColon == npos) firstColon = i;
            break;
        case ' ':
            if (split == npos) split = i;
            break;
        case '(':
            if (split == npos) split = i;
            if (i + 1 < codeSize && t[i + 1] == ')') emptyParens = true;
            break;
        case '+':
        case '-':
            if (i + 1 < codeSize && t[i + 1] == t[i]) incDec = true;
            break;
        case '=':
            if (n - i >= 6 && EqualsNoCase(t.substr(i + 1, 5), "FOPEN")) fopen = true;
            break;
        default:
            break;
        }
    }
    shape.upper = std::string_view(up, n);
    shape.firstColon = firstColon;
    shape.split = split;
    shape.fopen = fopen;
    shape.emptyParens = emptyParens;
    shape.incDec = incDec;
}

// Lines that their first characters settle: labels, declarations, main(), braces,
// comments, ENDSUB and fopen, and the end of main's block. True when the line was one.
bool Engine::RunByFirstCharacters(const LineShape& shape, int& current) {
    const std::string_view t = shape.text, u = shape.upper;
    if (shape.firstColon + 1 == u.size()) return true; // label line
    switch (u[0]) {
    case 'M':
        if (StartsWith(u, "MAIN")) {
            mainEntered_ = true;
            return true;
        }
        break;
    case 'I':
        if (StartsWith(u, "INT")) return true;
        break;
    case 'F':
        if (StartsWith(u, "FLOAT")) return true;
        // A file declaration was entered by the preparation like the others; running it
        // again must not turn it into an assignment.
        if (StartsWith(t, "file ")) return true;
        break;
    case 'C':
        if (StartsWith(u, "CHAR")) return true;
        break;
    case 'V':
        if (StartsWith(u, "VOID")) return true;
        break;
    case '{':
        ++braceDepth_;
        return true;
    case 'N':
        if (StartsWith(u, "NOP")) return true;
        break;
    case '/':
        if (StartsWith(u, "/*") || StartsWith(u, "//")) return true;
        break;
    case 'E':
        if (Same(u, "ENDSUB")) {
            DoEndSub(current);
            return true;
        }
        break;
    default:
        break;
    }
    if (shape.fopen) {
        Fopen(t);
        return true;
    }
    if (u[0] == '}') {
        --braceDepth_;
        if (braceDepth_ < 0) Fail(Cp(msg::kDelimiteurSansOuvrant));
        return true;
    }
    if (braceDepth_ == 0 && mainEntered_) {
        runState_ = RunState::Finished;
        return true;
    }
    return false;
}

void Engine::ExecuteLine(const ProgramText& program, std::string_view text, int& current) {
    runState_ = RunState::Running;
    if (text.find('\t') != std::string_view::npos) {
        value_.assign(text);
        TabsToSpaces(value_);
        text = value_;
    }
    std::string_view t = Trim(text);
    if (t.empty()) return;
    LineShape shape;
    ScanLine(t, shape);
    if (RunByFirstCharacters(shape, current)) return;
    RunStatement(program, shape, current);
}

// The keyword is the line's start up to its first blank or '(' (the whole line with
// an empty argument list "name()"), the argument the rest. A keyword alone that names
// a procedure calls it; an unknown keyword makes the line an increment or an
// assignment.
void Engine::RunStatement(const ProgramText& program, const LineShape& shape, int& current) {
    const std::string_view t = shape.text, c = shape.code, u = shape.upper;
    const std::size_t split = shape.split;
    std::string_view k, a;
    if (shape.emptyParens) {
        k = c;
    } else if (split == std::string_view::npos) {
        k = u;
        if (!k.empty() && k.back() == ';') k.remove_suffix(1);
    } else {
        k = u.substr(0, split);
        a = t.substr(split + 1, 255);
    }
    k = Trim(k);
    if (Same(k, "EXIT")) {
        runState_ = RunState::Finished;
        return;
    }
    a = Trim(a);
    if (!a.empty() && a.back() == ';') a.remove_suffix(1);

    Kw kw = Kw::None;
    if (a.empty()) {
        SymbolKind kind = SymbolKind::None;
        std::int32_t index = 0;
        std::string_view name = k;
        if (FindSymbol(name, kind, index) && kind == SymbolKind::Procedure) {
            if (!name.empty() && name[0] == '*') name.remove_prefix(1);
            a = name;
            kw = Kw::Call;
        }
        runState_ = RunState::Running;
    }
    if (kw == Kw::None) kw = FindKeyword(k);
    RunKeyword(program, kw, a, c, shape.incDec, current);
}

// Runs a statement by its keyword: its argument `a`; without one, the line's code `c`
// is an increment or an assignment.
void Engine::RunKeyword(const ProgramText& program, Kw kw, std::string_view a, std::string_view c,
                        bool incDec, int& current) {
    switch (kw) {
    case Kw::Call:
        return DoCall(program, a, current);
    case Kw::Clrscr:
        return Clrscr();
    case Kw::Randomize:
        return Randomize();
    case Kw::Strcat:
    case Kw::Strcpy:
        return AppendToString(a, false);
    case Kw::Strncat:
    case Kw::Strncpy:
        return AppendToString(a, true);
    case Kw::Printf:
        return Printf(a);
    case Kw::Puts:
        return Puts(a);
    case Kw::Scanf:
        return Scanf(a);
    case Kw::Gets:
        return Gets(a);
    case Kw::Fclose:
        return Fclose(a);
    case Kw::Fputs:
        return Fputs(a);
    case Kw::Fgets:
        return Fgets(a);
    case Kw::Gotoxy:
        return Gotoxy(a);
    case Kw::Goto:
        return DoGoto(a, current);
    case Kw::Break:
        return DoBreak(program, current);
    case Kw::If:
        return DoIf(program, a, current);
    case Kw::Else:
        return DoElse(program, current);
    case Kw::For:
        return DoFor(program, a, current);
    case Kw::Next:
        return DoNext(current);
    case Kw::While:
        if (doOpen_) return DoUntil(program, a, current);
        return DoWhile(program, a, current);
    case Kw::Wend:
        return DoWend(current);
    case Kw::Do:
        return DoDo(current);
    case Kw::Return:
        return DoReturn(current);
    case Kw::Chdir:
        return Chdir(a);
    case Kw::Rmdir:
        return Rmdir(a);
    case Kw::Mkdir:
        return Mkdir(a);
    case Kw::None:
        break;
    }
    if (incDec) return Increment(c);
    Assign(c);
}

// ExecuteLine for a line already learnt: the same steps, without the cleaning, the
// classification and the split.
void Engine::RunKnownLine(const ProgramText& program, LineFacts& facts, int& current) {
    runState_ = RunState::Running;
    switch (facts.action) {
    case LineAction::Nothing:
        return;
    case LineAction::Main:
        mainEntered_ = true;
        return;
    case LineAction::OpenBrace:
        ++braceDepth_;
        return;
    case LineAction::EndSub:
        return DoEndSub(current);
    case LineAction::Fopen:
        return Fopen(facts.Text());
    case LineAction::CloseBrace:
        --braceDepth_;
        if (braceDepth_ < 0) Fail(Cp(msg::kDelimiteurSansOuvrant));
        return;
    case LineAction::Statement:
        break;
    }
    if ((braceDepth_ == 0 && mainEntered_) || facts.exit) {
        runState_ = RunState::Finished;
        return;
    }
    std::string_view a = facts.Arg();
    Kw kw = facts.keyword;
    if (facts.noArg) {
        // Whether the word names a procedure, asked again when the symbols changed.
        const SymbolsStamp stamp = lineCache_.Stamp(symbolCount_);
        if (facts.callStamp != stamp) {
            SymbolKind kind = SymbolKind::None;
            std::int32_t index = 0;
            facts.call = FindSymbol(facts.Word(), kind, index) && kind == SymbolKind::Procedure;
            facts.callLine = index;
            facts.callStamp = stamp;
            runState_ = RunState::Running;
        }
        if (facts.call) {
            a = facts.Word();
            if (!a.empty() && a[0] == '*') a.remove_prefix(1);
            // The call that DoCall would make after looking the same name up again.
            if (a.empty() || a[0] != '*') return EnterProcedure(program, facts.callLine, current);
            kw = Kw::Call;
        }
    }
    if (kw == Kw::None && RunPlannedAssignment(facts)) return;
    RunKeyword(program, kw, a, facts.Code(), facts.incDec, current);
}

} // namespace vokc
