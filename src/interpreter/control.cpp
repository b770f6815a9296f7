// Statements that move the current line: IF/ELSE, FOR/NEXT, WHILE/WEND, DO with its
// closing WHILE test, BREAK, GOTO, procedure calls, ENDSUB and RETURN, and the
// conditions they test. A handler sets the current line to the line before the one
// to run next; the run loop adds one.
#include <algorithm>
#include <cstring>

#include "engine.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

namespace {
constexpr std::string_view kNext = "NEXT";
constexpr std::string_view kWend = "WEND";
constexpr std::string_view kUntil = "UNTIL";
constexpr std::string_view kEndSub = "ENDSUB";
constexpr std::size_t kFieldWidth = kConditionField;

[[gnu::always_inline]] inline std::string_view TrimmedLine(const ProgramText& program, int line) {
    if (line < 0 || line >= program.LineCount()) return {};
    return Trim(program.Line(line));
}

} // namespace

// Right-aligns a text in a 16-character field: blanks on the left, or its last 16.
void AlignField(std::string_view text, char (&field)[kFieldWidth]) {
    std::memset(field, ' ', kFieldWidth);
    std::size_t n = text.size();
    if (n >= kFieldWidth)
        std::memcpy(field, text.data() + n - kFieldWidth, kFieldWidth);
    else if (n > 0) // an empty view may have no data at all
        std::memcpy(field + kFieldWidth - n, text.data(), n);
}

// The result of a comparison of two 16-character fields.
bool CompareFields(const char (&left)[kFieldWidth], const char (&right)[kFieldWidth],
                   std::string_view op) {
    const int cmp = std::memcmp(left, right, kFieldWidth); // unsigned byte order
    if (op == "==") return cmp == 0;
    if (op == "!=") return cmp != 0;
    if (op == "<=") return cmp <= 0;
    if (op == ">=") return cmp >= 0;
    if (op == "<") return cmp < 0;
    return cmp > 0;
}

// The comparison operator of a condition: the first place of each two-character
// operator is found (they win in the order <=, >=, !=, ==, wherever they stand), else
// the first < or > outside double quotes. False when there is none.
bool FindComparison(std::string_view text, std::size_t& at, std::string_view& op) {
    constexpr std::size_t npos = std::string_view::npos;
    std::size_t first[4] = {npos, npos, npos, npos}; // <= >= != ==
    std::size_t single = npos;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') quoted = !quoted;
        if (i + 1 < text.size() && text[i + 1] == '=') {
            const int k = c == '<' ? 0 : c == '>' ? 1 : c == '!' ? 2 : c == '=' ? 3 : -1;
            if (k >= 0 && first[k] == npos) first[k] = i;
        }
        if (single == npos && !quoted && (c == '<' || c == '>')) single = i;
    }
    static constexpr std::string_view kPairs[4] = {"<=", ">=", "!=", "=="};
    for (int k = 0; k < 4; ++k)
        if (first[k] != npos) {
            at = first[k];
            op = kPairs[k];
            return true;
        }
    if (single == npos) return false;
    at = single;
    op = text[single] == '<' ? std::string_view("<") : std::string_view(">");
    return true;
}

// A condition "(a OP b)" or "(feof(f))", "(!feof(f))". The two operands are compared as
// texts right-aligned in 16-character fields, byte by byte: numbers of the same sign
// compare by value, texts longer than 16 characters by their last 16.
bool Engine::Condition(std::string_view text) {
    if (const ConditionPlan* plan = knownLine_ ? PlannedCondition(text) : nullptr)
        return PlannedConditionResult(*plan);
    if (text.size() < 2 || text.front() != '(' || text.back() != ')') {
        runState_ = RunState::Failed;
        return false;
    }
    text = text.substr(1, text.size() - 2);
    std::string_view t = Trim(text);
    auto startsNoCase = [&](std::string_view p) {
        return t.size() >= p.size() && EqualsNoCase(t.substr(0, p.size()), p);
    };
    if (startsNoCase("!FEOF(") || startsNoCase("!=FEOF(")) {
        bool eof = EndOfFile(t.substr(t.find('(') + 1));
        return runState_ != RunState::Running ? false : !eof;
    }
    if (startsNoCase("FEOF(")) {
        bool eof = EndOfFile(t.substr(5));
        return runState_ != RunState::Running ? false : eof;
    }
    std::size_t at = 0;
    std::string_view op;
    if (!FindComparison(text, at, op)) {
        Fail(Cp(msg::kExpressionLogiqueIncorrecte));
        return false;
    }
    OperandText(Trim(text.substr(0, at)), text1_);
    if (runState_ != RunState::Running) return false;
    OperandText(Trim(text.substr(at + op.size())), text2_);
    if (runState_ != RunState::Running) return false;
    char left[kFieldWidth], right[kFieldWidth];
    AlignField(text1_, left);
    AlignField(text2_, right);
    return CompareFields(left, right, op);
}

void Engine::DoIf(const ProgramText& program, std::string_view a, int& current) {
    bool result = Condition(a);
    if (runState_ != RunState::Running) return Fail(Cp(msg::kErreurSyntaxe));
    if (result) return;
    // Where a false IF goes on depends on the text alone: the run keeps it.
    const int header = current;
    if (lineCacheOn_ && lineCache_.KnownIfSkip(program, header, current)) return;
    const auto goOn = [&](int line) {
        current = line;
        if (lineCacheOn_) lineCache_.KeepIfSkip(program, header, line);
    };
    int from = current;
    if (TrimmedLine(program, current + 1) != "{") {
        std::string_view next = TrimmedLine(program, current + 1);
        if (!next.empty() && next.back() == ';') return goOn(current + 1);
    } else {
        int end = current;
        FindBlockEnd(program, end);
        if (runState_ != RunState::Running) return;
        current = end;
        std::string_view closing =
            end < program.LineCount() ? program.Line(end) : std::string_view();
        if (!closing.empty() && closing.back() == ';') return goOn(end);
        from = end;
    }
    // The then-branch announces an else: find it below.
    const int count = program.LineCount();
    for (int k = from + 1; k < count; ++k) {
        if (EqualsNoCase(TrimmedLine(program, k), "ELSE")) return goOn(k);
    }
    // None: the run stops where the search started, the IF line of a single statement or
    // the '}' of a block, which is where the ';' that announces no else belongs.
    current = from;
    messageLine_ = from;
    Fail(Cp(msg::kElseManquant));
}

void Engine::DoElse(const ProgramText& program, int& current) {
    if (TrimmedLine(program, current + 1) == "{") {
        int end = current;
        FindBlockEnd(program, end);
        if (runState_ != RunState::Running) return;
        current = end;
    } else {
        current = current + 1;
    }
}

void Engine::DoFor(const ProgramText& program, std::string_view a, int& current) {
    if (a.size() < 2 || a.front() != '(' || a.back() != ')') return Fail(Cp(msg::kErreurSyntaxe));
    std::string_view inner = a.substr(1, a.size() - 2);
    std::size_t eq = inner.find('=');
    if (eq == std::string_view::npos) return Fail(Cp(msg::kErreurSyntaxeMinuscule));
    std::string_view var = Trim(inner.substr(0, eq));
    SymbolKind kind = SymbolKind::None;
    std::int32_t slot = 0;
    if (!FindSymbol(var, kind, slot)) return Fail(Cp(msg::kVariableInconnue));
    if (kind != SymbolKind::Int) return Fail(Cp(msg::kTypeVariableIncorrect));

    std::string_view rest = inner.substr(eq + 1);
    std::size_t semi = rest.find(';');
    std::string_view initial = Trim(rest.substr(0, semi));
    rest = semi == std::string_view::npos ? std::string_view() : rest.substr(semi + 1);
    semi = rest.find(';');
    std::string_view condition = Trim(rest.substr(0, semi));
    std::string_view increment =
        semi == std::string_view::npos ? std::string_view() : rest.substr(semi + 1);

    OperandText(initial, text3_);
    if (runState_ != RunState::Running) return;
    // The condition repeats the variable's name: that many characters are dropped.
    condition = Trim(condition.substr(std::min(var.size(), condition.size())));
    char op = 0;
    std::size_t opLen = 0;
    if (!condition.empty() && (condition[0] == '<' || condition[0] == '>')) {
        op = condition[0];
        opLen = 1;
        if (condition.size() >= 2 && condition[1] == '=') {
            op = op == '<' ? 'l' : 'g'; // <= and >=
            opLen = 2;
        }
    }
    OperandText(Trim(condition.substr(opLen)), text1_);
    if (runState_ != RunState::Running) return;
    std::int32_t step = 1;
    if (increment.find("++") != std::string_view::npos)
        step = 1;
    else if (increment.find("--") != std::string_view::npos)
        step = -1;
    std::int32_t limit = 0;
    if (!ParseInt(text1_, limit)) return Fail(Cp(msg::kTypesIncompatibles));
    if (op == '<')
        limit = WrapSub(limit, 1);
    else if (op == '>')
        limit = WrapAdd(limit, 1);

    StoreValue(text3_, SymbolKind::Int, slot);
    if (runState_ != RunState::Running) return;
    if (!PushControl(current) || !PushControl(slot) || !PushControl(limit) || !PushControl(step))
        return;
    int end = current;
    FindBlockEnd(program, end);
    if (runState_ != RunState::Running) return;
    PushBlock(end + 1, kNext);
}

void Engine::DoNext(int& current) {
    if (controlTop_ >= 4) {
        // The loop's four entries read in place: a pass that goes on would pop them and
        // push them back unchanged.
        const std::int32_t step = control_[controlTop_], limit = control_[controlTop_ - 1],
                           slot = control_[controlTop_ - 2], forLine = control_[controlTop_ - 3];
        if (!SlotInStore(SymbolKind::Int, slot)) {
            controlTop_ -= 4;
            return Fail(Cp(msg::kIndiceHorsLimites));
        }
        const std::int32_t value = WrapAdd(ints_[slot], step);
        ints_[slot] = value;
        if ((step > 0 && value > limit) || (step < 0 && value < limit)) {
            controlTop_ -= 4;
            if (blockCount_ > 0) --blockCount_;
            return; // goes on at the resume line
        }
        current = forLine;
        return;
    }
    std::int32_t step = 0, limit = 0, slot = 0, forLine = 0;
    if (!PopControl(step) || !PopControl(limit) || !PopControl(slot) || !PopControl(forLine))
        return;
    if (!SlotInStore(SymbolKind::Int, slot)) return Fail(Cp(msg::kIndiceHorsLimites));
    std::int32_t value = WrapAdd(ints_[slot], step);
    ints_[slot] = value;
    if ((step > 0 && value > limit) || (step < 0 && value < limit)) {
        if (blockCount_ > 0) --blockCount_;
        return; // goes on at the resume line
    }
    current = forLine;
    if (PushControl(forLine) && PushControl(slot) && PushControl(limit)) PushControl(step);
}

void Engine::DoWhile(const ProgramText& program, std::string_view a, int& current) {
    bool result = Condition(a);
    if (runState_ != RunState::Running) return Fail(Cp(msg::kErreurSyntaxe));
    int end = current;
    if (result) {
        PushControl(current);
        if (runState_ != RunState::Running) return;
        FindBlockEnd(program, end);
        if (runState_ != RunState::Running) return;
        PushBlock(end + 1, kWend);
        if (runState_ == RunState::Running) WatchLoop(program, current, current + 1, end, a, true);
    } else {
        ForgetLoop(current);
        FindBlockEnd(program, end);
        if (runState_ != RunState::Running) return;
        current = end;
    }
}

void Engine::DoWend(int& current) {
    std::int32_t line = 0;
    if (!PopControl(line)) return;
    current = WrapSub(line, 1);
    if (blockCount_ > 0) --blockCount_;
}

void Engine::DoDo(int& current) {
    PushControl(current);
    if (runState_ != RunState::Running) return;
    if (!PushBlock(-99, kUntil)) return;
    doOpen_ = true;
}

void Engine::DoUntil(const ProgramText& program, std::string_view a, int& current) {
    std::int32_t doLine = 0;
    if (!PopControl(doLine)) return;
    bool result = Condition(a);
    if (runState_ != RunState::Running) {
        // The test cannot be made: the loop stays open so that a resumed run retries it.
        PushControl(doLine);
        return Fail(Cp(msg::kErreurSyntaxe));
    }
    if (!result) {
        WatchLoop(program, current, doLine + 1, current - 1, a, false);
        current = doLine;
        PushControl(doLine);
        return;
    }
    ForgetLoop(current);
    doOpen_ = false;
    if (blockCount_ > 0 && blocks_[blockCount_].keyword == kUntil) --blockCount_;
}

void Engine::DoBreak(const ProgramText& program, int& current) {
    if (blockCount_ == 0) return Fail(Cp(msg::kBreakSansBoucle));
    const BlockFrame frame = blocks_[blockCount_];
    std::int32_t dummy = 0;
    if (frame.keyword == kNext) {
        for (int k = 0; k < 4; ++k)
            if (!PopControl(dummy)) return;
        current = frame.resumeLine - 1;
        --blockCount_;
    } else if (frame.keyword == kWend) {
        if (!PopControl(dummy)) return;
        ForgetLoop(dummy); // the line of the while test
        current = frame.resumeLine - 1;
        --blockCount_;
    } else if (frame.keyword == kUntil) {
        --blockCount_;
        if (!PopControl(dummy)) return;
        doOpen_ = false;
        const int count = program.LineCount();
        for (int k = current; k < count; ++k) {
            std::string_view t = TrimmedLine(program, k);
            if (t.size() >= 5 && EqualsNoCase(t.substr(0, 5), "WHILE")) {
                ForgetLoop(k);
                current = k;
                return;
            }
        }
        Fail(Cp(msg::kFinDeBlocNonDetectee));
    } else {
        Fail(Cp(msg::kBreakSansBoucle));
    }
}

void Engine::DoGoto(std::string_view a, int& current) {
    std::string_view name = Trim(a);
    char label[kNameMax + 2];
    SymbolKind kind = SymbolKind::None;
    std::int32_t line = 0;
    bool found = false;
    if (name.size() <= kNameMax) {
        std::copy(name.begin(), name.end(), label); // `goto` alone has no text at all
        label[name.size()] = ':';
        found = FindSymbol(std::string_view(label, name.size() + 1), kind, line) &&
                kind == SymbolKind::Label;
    }
    if (!found) return Fail(Cp(msg::kEtiquetteNonTrouvee));
    current = line;
}

void Engine::DoCall(const ProgramText& program, std::string_view a, int& current) {
    SymbolKind kind = SymbolKind::None;
    std::int32_t line = 0;
    if (!FindSymbol(a, kind, line) || kind != SymbolKind::Procedure)
        return Fail(Cp(msg::kProcedureNonTrouvee));
    EnterProcedure(program, line, current);
}

void Engine::EnterProcedure(const ProgramText& program, int line, int& current) {
    PushControl(current);
    if (runState_ != RunState::Running) return;
    int end = line;
    FindBlockEnd(program, end);
    if (runState_ != RunState::Running) return;
    if (!PushBlock(end + 1, kEndSub)) return;
    current = line;
}

void Engine::DoEndSub(int& current) {
    std::int32_t caller = 0;
    if (!PopControl(caller)) return;
    current = caller;
    if (blockCount_ > 0) --blockCount_;
}

void Engine::DoReturn(int& current) {
    // Inside a procedure, the loops it left open are closed first.
    bool inProcedure = false;
    for (int k = blockCount_; k >= 1; --k)
        if (blocks_[k].keyword == kEndSub) {
            inProcedure = true;
            break;
        }
    std::int32_t dummy = 0;
    while (inProcedure && blockCount_ > 0 && blocks_[blockCount_].keyword != kEndSub) {
        std::string_view kw = blocks_[blockCount_].keyword;
        int entries = kw == kNext ? 4 : 1;
        for (int k = 0; k < entries; ++k)
            if (!PopControl(dummy)) return;
        if (kw == kUntil) doOpen_ = false;
        --blockCount_;
    }
    DoEndSub(current);
}

} // namespace vokc
