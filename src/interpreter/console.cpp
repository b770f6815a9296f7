// Console statements: printf, puts, scanf, gets, clrscr and gotoxy, drawn on the
// console window at the text position (TextX, TextY) through the host.
#include <climits>

#include "interpreter.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

namespace {
std::string_view FormatOf(char kind) {
    switch (kind) {
    case 'C': return "%c";
    case 'I': return "%d";
    case 'R': return "%f";
    case 'S': return "%s";
    default: return {};
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

// The statement's argument: trimmed, less its closing parenthesis.
std::string_view Argument(std::string_view args) {
    args = Trim(args);
    if (!args.empty()) args.remove_suffix(1);
    return args;
}
constexpr std::string_view kBackslashN = "\\n";
} // namespace

void Interpreter::DrawText(std::string_view text) {
    host_.DrawText(textX_, textY_, text);
    textX_ = Advance(textX_, host_.TextWidth(text));
}

void Interpreter::NewLine() {
    textX_ = 0;
    textY_ = Advance(textY_, kLineStep);
    host_.LineBreak();
}

void Interpreter::Printf(std::string_view args) {
    runState_ = kRunning;
    std::string_view a = Argument(args);
    if (a.empty()) return;
    std::size_t comma = a.find(',');
    if (comma == std::string_view::npos) {
        StringOperand(a, text1_);
        if (runState_ > 0) return;
        std::size_t nl = text1_.find(kBackslashN);
        std::string_view shown = text1_;
        if (nl != std::string::npos) shown = shown.substr(0, nl);
        DrawText(shown);
        if (nl != std::string::npos) NewLine();
        return;
    }
    std::string_view name = Trim(a.substr(comma + 1));
    char kind = 0;
    std::int32_t index = 0;
    if (!ChercheEtiq(name, kind, index)) return Fail(Cp(msg::kIdentificateurInconnu));
    long double f = 0;
    std::int32_t i = 0;
    text1_.clear();
    if (!LitValeur(index, kind, f, i, text1_)) return;
    StringOperand(a.substr(0, comma), text2_);
    std::size_t nl = text2_.find(kBackslashN);
    std::string_view format = text2_;
    if (nl != std::string::npos) format = format.substr(0, nl);
    format = Trim(format);
    runState_ = kRunning;
    std::string_view wanted = FormatOf(kind);
    if (wanted.empty() || format != wanted) return Fail(Cp(msg::kFormatIncorrect));
    NumberBuffer buf;
    std::string_view shown = text1_;
    if (kind == 'I') shown = FormatInt(i, buf);
    else if (kind == 'R') shown = FormatFloat(f, separator_, buf);
    DrawText(shown);
    if (nl != std::string::npos) NewLine();
}

void Interpreter::Puts(std::string_view args) {
    runState_ = kRunning;
    std::string_view a = Argument(args);
    if (a.empty()) return;
    StringOperand(a, text1_);
    if (runState_ > 0) return;
    DrawText(text1_);
    NewLine();
}

bool Interpreter::AcceptsInput(std::string_view answer, char kind) {
    switch (kind) {
    case 'S': return true;
    case 'C': return answer.size() == 1;
    case 'I': return answer.find_first_of("-+0123456789") != std::string_view::npos;
    case 'R': return answer.find_first_of(",-+0123456789") != std::string_view::npos;
    default: return false;
    }
}

// Shows the input line at the text position, draws the answer, checks and stores it.
bool Interpreter::ReadIntoVariable(char kind, std::int32_t slot) {
    std::string answer = host_.ReadAnswer(textX_, textY_);
    bool accepted = AcceptsInput(answer, kind);
    if (!accepted) runState_ = kError;
    DrawText(answer);
    NewLine();
    if (kind == 'C' && answer.empty()) return false; // nothing to store in a char
    int before = runState_;
    StoreValue(answer, kind, slot);
    if (before > runState_) runState_ = before;
    return runState_ == kRunning;
}

void Interpreter::Scanf(std::string_view args) {
    runState_ = kRunning;
    std::string_view a = Argument(args);
    if (a.empty()) return;
    std::size_t comma = a.find(',');
    if (comma == std::string_view::npos) {
        // No variable: the answer is read and drawn all the same, then the run stops.
        std::string answer = host_.ReadAnswer(textX_, textY_);
        DrawText(answer);
        NewLine();
        runState_ = kError;
        return;
    }
    std::string_view name = Trim(a.substr(comma + 1));
    if (!name.empty()) name.remove_prefix(1); // the '&', whatever it is
    char kind = 0;
    std::int32_t index = 0;
    if (!ChercheEtiq(name, kind, index)) return Fail(Cp(msg::kIdentificateurInconnu));
    StringOperand(a.substr(0, comma), text2_);
    std::string_view format = Trim(text2_);
    runState_ = kRunning;
    std::string_view wanted = FormatOf(kind);
    if (wanted.empty() || format != wanted) return Fail(Cp(msg::kFormatIncorrect));
    ReadIntoVariable(kind, index);
}

void Interpreter::Gets(std::string_view args) {
    runState_ = kRunning;
    std::string_view name = Trim(Argument(args));
    if (name.empty()) return;
    char kind = 0;
    std::int32_t index = 0;
    if (!ChercheEtiq(name, kind, index)) {
        if (name[0] == '*') name.remove_prefix(1);
        return Fail(Cp(msg::kVariable) + std::string(name) + Cp(msg::kInconnue));
    }
    ReadIntoVariable(kind, index);
}

void Interpreter::Clrscr() { host_.ClearScreen(); }

void Interpreter::Gotoxy(std::string_view args) {
    if (!args.empty()) args.remove_suffix(1);
    std::size_t comma = args.find(',');
    if (comma == std::string_view::npos) return Fail(Cp(msg::kErreurDansParametres));
    std::int32_t x = Indice(args.substr(0, comma));
    std::int32_t y = Indice(args.substr(comma + 1));
    if (x <= 0 || y <= 0) return Fail(Cp(msg::kValeurParametreIncorrecte));
    runState_ = kRunning;
}

} // namespace vokc
