// Console statements: printf, puts, scanf, gets, clrscr and gotoxy, drawn on the
// console window at the text position (TextX, TextY) through the host.
#include <climits>

#include "engine.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

namespace {
std::string_view FormatOf(SymbolKind kind) {
    switch (kind) {
    case SymbolKind::Char:
        return "%c";
    case SymbolKind::Int:
        return "%d";
    case SymbolKind::Real:
        return "%f";
    case SymbolKind::String:
        return "%s";
    default:
        return {};
    }
}

// Positions grow without bound in a long run; they stop at the largest value instead
// of overflowing.
int Advance(int pos, int by) {
    long long v = static_cast<long long>(pos) + by;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

constexpr std::string_view kBackslashN = "\\n";
} // namespace

void Engine::DrawText(std::string_view text) {
    host_.DrawText(textX_, textY_, text);
    textX_ = Advance(textX_, host_.TextWidth(text));
}

void Engine::NewLine() {
    textX_ = 0;
    textY_ = Advance(textY_, kLineStep);
    host_.LineBreak();
}

void Engine::Printf(std::string_view args) {
    runState_ = RunState::Running;
    std::string_view a = ArgumentOf(args);
    if (a.empty()) return;
    std::size_t comma = a.find(',');
    if (comma == std::string_view::npos) {
        StringOperand(a, text1_);
        if (runState_ != RunState::Running) return;
        std::size_t nl = text1_.find(kBackslashN);
        std::string_view shown = text1_;
        if (nl != std::string::npos) shown = shown.substr(0, nl);
        DrawText(shown);
        if (nl != std::string::npos) NewLine();
        return;
    }
    std::string_view name = Trim(a.substr(comma + 1));
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (!FindSymbol(name, kind, index)) return Fail(Cp(msg::kIdentificateurInconnu));
    long double f = 0;
    std::int32_t i = 0;
    text1_.clear();
    if (!ReadValue(index, kind, f, i, text1_)) return;
    StringOperand(a.substr(0, comma), text2_);
    std::size_t nl = text2_.find(kBackslashN);
    std::string_view format = text2_;
    if (nl != std::string::npos) format = format.substr(0, nl);
    format = Trim(format);
    runState_ = RunState::Running;
    std::string_view wanted = FormatOf(kind);
    if (wanted.empty() || format != wanted) return Fail(Cp(msg::kFormatIncorrect));
    NumberBuffer buf;
    std::string_view shown = text1_;
    if (kind == SymbolKind::Int)
        shown = FormatInt(i, buf);
    else if (kind == SymbolKind::Real)
        shown = FormatFloat(f, separator_, buf);
    DrawText(shown);
    if (nl != std::string::npos) NewLine();
}

void Engine::Puts(std::string_view args) {
    runState_ = RunState::Running;
    std::string_view a = ArgumentOf(args);
    if (a.empty()) return;
    StringOperand(a, text1_);
    if (runState_ != RunState::Running) return;
    DrawText(text1_);
    NewLine();
}

bool Engine::AcceptsInput(std::string_view answer, SymbolKind kind) {
    switch (kind) {
    case SymbolKind::String:
        return true;
    case SymbolKind::Char:
        return answer.size() == 1;
    case SymbolKind::Int:
        return answer.find_first_of("-+0123456789") != std::string_view::npos;
    case SymbolKind::Real:
        return answer.find_first_of(",-+0123456789") != std::string_view::npos;
    default:
        return false;
    }
}

// Shows the input line at the text position, draws the answer, checks and stores it.
bool Engine::ReadIntoVariable(SymbolKind kind, std::int32_t slot) {
    std::string answer = host_.ReadAnswer(textX_, textY_);
    CheckStopAfterInput();
    bool accepted = AcceptsInput(answer, kind);
    if (!accepted) runState_ = RunState::Failed;
    DrawText(answer);
    NewLine();
    if (kind == SymbolKind::Char && answer.empty()) return false; // nothing to store in a char
    const RunState before = runState_;
    StoreValue(answer, kind, slot);
    if (before == RunState::Failed) runState_ = before; // a refused answer stays refused
    return runState_ == RunState::Running;
}

void Engine::Scanf(std::string_view args) {
    runState_ = RunState::Running;
    std::string_view a = ArgumentOf(args);
    if (a.empty()) return;
    std::size_t comma = a.find(',');
    if (comma == std::string_view::npos) {
        // No variable: the answer is read and drawn all the same, then the run stops.
        std::string answer = host_.ReadAnswer(textX_, textY_);
        CheckStopAfterInput();
        DrawText(answer);
        NewLine();
        runState_ = RunState::Failed;
        return;
    }
    std::string_view name = Trim(a.substr(comma + 1));
    if (!name.empty()) name.remove_prefix(1); // the '&', whatever it is
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (!FindSymbol(name, kind, index)) return Fail(Cp(msg::kIdentificateurInconnu));
    StringOperand(a.substr(0, comma), text2_);
    std::string_view format = Trim(text2_);
    runState_ = RunState::Running;
    std::string_view wanted = FormatOf(kind);
    if (wanted.empty() || format != wanted) return Fail(Cp(msg::kFormatIncorrect));
    ReadIntoVariable(kind, index);
}

void Engine::Gets(std::string_view args) {
    runState_ = RunState::Running;
    std::string_view name = Trim(ArgumentOf(args));
    if (name.empty()) return;
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (!FindSymbol(name, kind, index)) {
        if (name[0] == '*') name.remove_prefix(1);
        return Fail(Cp(msg::kVariable) + std::string(name) + Cp(msg::kInconnue));
    }
    ReadIntoVariable(kind, index);
}

void Engine::Clrscr() {
    host_.ClearScreen();
}

void Engine::Gotoxy(std::string_view args) {
    args = DropLast(args);
    std::size_t comma = args.find(',');
    if (comma == std::string_view::npos) return Fail(Cp(msg::kErreurDansParametres));
    std::int32_t x = IndexOffset(args.substr(0, comma));
    std::int32_t y = IndexOffset(args.substr(comma + 1));
    if (x <= 0 || y <= 0) return Fail(Cp(msg::kValeurParametreIncorrecte));
    runState_ = RunState::Running;
}

} // namespace vokc
