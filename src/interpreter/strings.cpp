// String expressions and the string statements. A string expression is one term or
// two terms joined by `+`; a term is a char literal, a string literal, a string
// variable or element, or one of the string functions (ITOA, TOUPPER, TOLOWER,
// DATESTRING, TIMESTRING, GETCH). strcat and strcpy both append to their destination;
// strncat and strncpy append the first n characters of their source.
#include "engine.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

namespace {
// What follows a separator is taken up to this many characters.
constexpr std::size_t kTailMax = 255;
} // namespace

// Evaluates one term. The value of a term that fails is left unspecified: RunState
// tells the caller not to use it.
//   'x'              the character after the quote
//   "abc", s, t[i]   through StringOperand
//   NAME(args)       a string function; an unknown name gives an empty text
// ITOA takes any operand (OperandText) and gives the character of the low 8 bits of
// its integer value; DATESTRING and TIMESTRING accept only CURRENTDATE() and
// CURRENTTIME() written exactly so; GETCH reads one key from the host.
void Engine::TermInto(std::string_view text, std::string& out) {
    std::string_view t = Trim(text);
    out.clear();
    if (!t.empty() && t[0] == '\'') {
        AssignCharAt(out, t, 1);
        return;
    }
    std::size_t paren = t.find('(');
    if ((!t.empty() && t[0] == '"') || paren == std::string_view::npos) {
        StringOperand(t, out);
        return;
    }
    std::string_view name = Trim(t.substr(0, paren));
    std::string_view arg = DropLast(t.substr(paren + 1, kTailMax));
    if (EqualsNoCase(name, "ITOA")) {
        OperandText(arg, strArg_);
        if (runState_ != RunState::Running) return;
        std::int32_t code = 0;
        if (!ParseInt(strArg_, code)) return Fail(Cp(msg::kErreurConversion));
        out.assign(1, static_cast<char>(static_cast<std::uint32_t>(code) & 0xFFu));
    } else if (EqualsNoCase(name, "TOUPPER") || EqualsNoCase(name, "TOLOWER")) {
        StringOperand(arg, strArg_);
        if (runState_ != RunState::Running) return;
        if (UpperAscii(name[2]) == 'U')
            UpperInto(strArg_, out);
        else
            LowerInto(strArg_, out);
    } else if (EqualsNoCase(name, "DATESTRING")) {
        if (!EqualsNoCase(arg, "CURRENTDATE()")) return Fail(Cp(msg::kDateHeureIncorrecte));
        out.assign(host_.ShortDate(host_.Now()));
    } else if (EqualsNoCase(name, "TIMESTRING")) {
        if (!EqualsNoCase(arg, "CURRENTTIME()")) return Fail(Cp(msg::kDateHeureIncorrecte));
        out.assign(host_.LongTime(host_.Now()));
    } else if (EqualsNoCase(name, "GETCH")) {
        std::string key = host_.ReadKey(textX_, textY_);
        CheckStopAfterInput();
        AssignCharAt(out, key, 0);
    }
}

// The expression splits at its last `+` that is not inside a char literal (single
// quotes toggle the protection; double quotes do not protect). So "a" + "b" + "c"
// reads "a" + "b" as one literal. When the left term fails, the right one is not
// evaluated: a later successful look-up must not hide the failure.
void Engine::EvalStringExpr(std::string_view text, std::string& out) {
    runState_ = RunState::Running;
    const std::size_t plus = StringPlus(text);
    if (plus == std::string_view::npos) {
        TermInto(text, strLeft_);
        if (runState_ == RunState::Running) out.assign(strLeft_);
        return;
    }
    TermInto(text.substr(0, plus), strLeft_);
    if (runState_ != RunState::Running) return;
    TermInto(text.substr(plus + 1, kTailMax), strRight_);
    if (runState_ != RunState::Running) return;
    out.assign(strLeft_);
    out.append(strRight_);
}

// The position of the `+` where a string expression splits: its last `+` that is not
// inside a char literal (single quotes toggle the protection; double quotes do not
// protect), npos when there is none.
std::size_t Engine::StringPlus(std::string_view text) {
    std::size_t plus = std::string_view::npos;
    bool inChar = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\'')
            inChar = !inChar;
        else if (text[i] == '+' && !inChar)
            plus = i;
    }
    return plus;
}

// Appends a text to a string slot in place, so that a text built piece by piece costs
// time in proportion to what is added, not to what is already there.
void Engine::AppendToSlot(std::int32_t slot, std::string_view tail) {
    std::string& value = strings_[static_cast<std::size_t>(slot)];
    if (value.size() + tail.size() > kTextMax) return Fail(Cp(msg::kChaineTropLongue));
    value.append(tail);
}

// An assignment `target = target + term` to a string variable or element: the term is
// appended in place. Taken only when the left term is written exactly as the target,
// which the assignment has already resolved to `slot`; reading it again would give the
// same slot and the same value, so the result and the messages are those of the
// general evaluation followed by the store. False when the expression has another form.
bool Engine::AppendAssignment(std::string_view target, std::string_view value, std::int32_t slot) {
    const std::size_t plus = StringPlus(value);
    if (plus == std::string_view::npos || Trim(value.substr(0, plus)) != target) return false;
    runState_ = RunState::Running;
    TermInto(value.substr(plus + 1, kTailMax), strRight_);
    if (runState_ == RunState::Running) AppendToSlot(slot, strRight_);
    return true;
}

// strcat(dest, src) / strncat(dest, src, n): the destination is a plain string
// variable; an absent destination ends the statement silently with RunState 1. The
// count n is the integer after a second comma, 0 when missing or not a plain integer.
// The source is appended in place. A destination of another kind is reported by the
// read of its value ("ce n'est pas un string"); the store that follows then refuses an
// int or float destination ("Erreur de conversion") and leaves a char destination as
// it was. A failed read of the source stores nothing.
void Engine::AppendToString(std::string_view args, bool bounded) {
    args = DropLast(args);
    std::size_t comma = args.find(',');
    if (comma == std::string_view::npos) return Fail(Cp(msg::kErreurDansExpression));
    std::string_view dest = Trim(args.substr(0, comma));
    std::string_view source = Trim(args.substr(comma + 1, kTailMax));
    std::int32_t count = 0; // a count below 1 appends nothing
    if (bounded) {
        std::size_t second = source.find(',');
        if (second != std::string_view::npos) {
            if (!ParseInt(Trim(source.substr(second + 1, kTailMax)), count)) count = 0;
            source = Trim(source.substr(0, second));
        }
    }
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (!FindSymbol(dest, kind, index)) return;
    if (kind != SymbolKind::String) {
        StringOperand(dest, strLeft_);
        if (kind == SymbolKind::Int || kind == SymbolKind::Real) Fail(Cp(msg::kErreurConversion));
        return;
    }
    if (!SlotInStore(kind, index)) return Fail(Cp(msg::kIndiceHorsLimites));
    StringOperand(source, strRight_);
    if (runState_ != RunState::Running) return;
    std::string_view tail = strRight_;
    if (bounded) tail = tail.substr(0, count > 0 ? static_cast<std::size_t>(count) : 0);
    AppendToSlot(index, tail);
}

} // namespace vokc
