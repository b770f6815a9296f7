// Numeric expressions: one operand, or two operands joined by one operator, with no
// precedence and no nesting. Also the operand readers that turn one operand of any
// kind into text, used by conditions, loops, strings, console and files.
#include <climits>
#include <cmath>

#include "engine.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

void Engine::SplitBinary(std::string_view text, std::string_view& left, std::string_view& op,
                         std::string_view& right) {
    text = Trim(text);
    left = text;
    op = {};
    right = {};
    bool outside = true; // a '(' closes and a ')' reopens the scan, without counting
    std::size_t at = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '(')
            outside = false;
        else if (c == ')')
            outside = true;
        else if (outside && (c == '-' || c == '+' || c == '*' || c == '/')) {
            at = i;
            break;
        }
    }
    if (at == std::string_view::npos) at = text.find('%');
    if (at == std::string_view::npos) return;
    left = Trim(text.substr(0, at));
    op = text.substr(at, 1);
    right = Trim(text.substr(at + 1));
}

namespace {
// `**` has no meaning in the language; it is refused rather than giving a silent 0.
bool IsPowerOperator(std::string_view op, std::string_view right) {
    return op == "*" && !right.empty() && right[0] == '*';
}
} // namespace

bool Engine::EvalIntExpr(std::string_view text, std::int32_t& result) {
    runState_ = RunState::Running;
    std::string_view left, op, right;
    SplitBinary(text, left, op, right);
    if (IsPowerOperator(op, right)) {
        Fail(Cp(msg::kErreurDansExpression));
        return false;
    }
    std::int32_t a = IntOperand(left);
    if (runState_ != RunState::Running) return false;
    std::int32_t b = IntOperand(right);
    if (runState_ != RunState::Running) return false;
    return ApplyIntOperator(a, op.empty() ? '\0' : op[0], b, result);
}

bool Engine::EvalFloatExpr(std::string_view text, long double& result) {
    runState_ = RunState::Running;
    std::string_view left, op, right;
    SplitBinary(text, left, op, right);
    if (IsPowerOperator(op, right) || op == "%") {
        // Neither `**` nor a float remainder exists: refused instead of a silent 0.
        Fail(Cp(msg::kErreurDansExpression));
        return false;
    }
    long double a = 0, b = 0;
    if (!RoundReal48(FloatOperand(left), a) && runState_ == RunState::Running)
        runState_ = RunState::Failed;
    if (runState_ != RunState::Running) return false;
    if (!RoundReal48(FloatOperand(right), b) && runState_ == RunState::Running)
        runState_ = RunState::Failed;
    if (runState_ != RunState::Running) return false;
    long double r = a;
    if (!op.empty()) {
        switch (op[0]) {
        case '+':
            r = a + b;
            break;
        case '-':
            r = a - b;
            break;
        case '*':
            r = a * b;
            break;
        case '/':
            if (b == 0) {
                host_.Warning(Cp(msg::kDivisionParZero), messageLine_);
                runState_ = RunState::Failed;
                return false;
            }
            r = a / b;
            break;
        }
    }
    if (!RoundReal48(r, r)) {
        runState_ = RunState::Failed; // beyond the store's range: no message
        return false;
    }
    result = r;
    return true;
}

namespace {
bool IsIntLiteralStart(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-';
}
bool IsFloatLiteralStart(char c) {
    return IsIntLiteralStart(c) || c == '.';
}
} // namespace

// One operand of an int or a real expression: a literal, a variable of that kind, a
// function call, or an array element.
template <SymbolKind Kind, typename Value> Value Engine::NumericOperand(std::string_view text) {
    constexpr bool kInt = Kind == SymbolKind::Int;
    text = Trim(text);
    if (text.empty()) return 0;
    if (kInt ? IsIntLiteralStart(text[0]) : IsFloatLiteralStart(text[0])) {
        if constexpr (kInt) {
            std::int32_t v = 0;
            if (!ParseInt(text, v)) ThrowIntConversion(text);
            return v;
        } else {
            long double raw = 0, v = 0;
            if (!ParseFloat(text, separator_, raw)) ThrowFloatConversion(text);
            if (!RoundReal48(raw, v)) throw ErrorBoxFailure{Cp(msg::kDebordementFlottant)};
            return v;
        }
    }
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (FindSymbol(text, kind, index)) {
        if (kind != Kind) {
            Fail(Cp(msg::kTypeIncorrect));
            return 0;
        }
        if constexpr (kInt)
            return ints_[index];
        else
            return floats_[index];
    }
    // A failed look-up is not an error when the operand turns out to be a function call.
    runState_ = RunState::Running;
    std::size_t paren = text.find('(');
    if (paren != std::string_view::npos) {
        bool known = false;
        Value v = 0;
        if constexpr (kInt)
            v = IntFunction(text.substr(0, paren), text.substr(paren + 1), known);
        else
            v = FloatFunction(text.substr(0, paren), text.substr(paren + 1), known);
        if (known) return v;
    }
    SymbolKind elemKind = SymbolKind::None;
    std::int32_t slot = 0;
    if (!ResolveElement(text, elemKind, slot)) return 0;
    if (elemKind != Kind) {
        Fail(Cp(msg::kErreurDeType));
        return 0;
    }
    long double f = 0;
    std::int32_t i = 0;
    if (!ReadValue(slot, Kind, f, i, scratch_)) return 0;
    if constexpr (kInt)
        return i;
    else
        return f;
}

std::int32_t Engine::IntOperand(std::string_view text) {
    return NumericOperand<SymbolKind::Int, std::int32_t>(text);
}

long double Engine::FloatOperand(std::string_view text) {
    return NumericOperand<SymbolKind::Real, long double>(text);
}

// An array element operand name[index]: finds the array and the element's slot.
// Reports "Erreur dans expression" when the text is no element at all; the array is
// looked up before the brackets are checked.
bool Engine::ResolveElement(std::string_view text, SymbolKind& kind, std::int32_t& slot) {
    std::size_t bracket = text.find('[');
    if (bracket == std::string_view::npos) {
        Fail(Cp(msg::kErreurDansExpression));
        return false;
    }
    std::int32_t first = 0;
    if (!FindSymbol(text.substr(0, bracket + 1), kind, first)) {
        Fail(Cp(msg::kIdentificateurInconnu));
        return false;
    }
    const int array = lastFound_;
    if (kind != SymbolKind::Int && kind != SymbolKind::Real) {
        Fail(Cp(msg::kErreurDeType));
        return false;
    }
    std::string_view name, indexText;
    if (!SplitReference(text, name, indexText)) {
        Fail(Cp(msg::kErreurSyntaxe));
        return false;
    }
    std::int32_t offset = IndexOffset(indexText);
    if (runState_ != RunState::Running) return false;
    if (static_cast<std::uint32_t>(offset) >= static_cast<std::uint32_t>(symbols_[array].count))
        [[unlikely]]
        WarnOutsideArray(array, offset);
    std::int64_t s = static_cast<std::int64_t>(first) + offset;
    if (!SlotInStore(kind, s)) {
        Fail(Cp(msg::kIndiceHorsLimites));
        return false;
    }
    slot = static_cast<std::int32_t>(s);
    return true;
}

// "erreur dans nombre " and the text that could not be used; the function's value is 0.
std::int32_t Engine::FailNumber(std::string_view shown) {
    Fail(Cp(msg::kErreurDansNombre) + std::string(shown));
    return 0;
}

namespace {
// A function name in capitals, when it is short enough to be one (7 letters at most).
bool FunctionName(std::string_view name, char (&buf)[8], std::string_view& out) {
    if (name.size() >= sizeof buf) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        buf[i] = UpperAscii(name[i]);
    out = std::string_view(buf, name.size());
    return true;
}

} // namespace

std::int32_t Engine::IntFunction(std::string_view name, std::string_view arg, bool& known) {
    char upper[8];
    std::string_view n;
    known = FunctionName(name, upper, n);
    if (!known) return 0;
    if (n == "RAND") {
        std::string_view a = ArgumentOf(arg);
        std::int32_t range = 32267;
        if (!a.empty()) {
            range = IndexOffset(a);
            if (runState_ != RunState::Running) {
                Fail(Cp(msg::kErreurDansNombreRand) + std::string(a));
                return 0;
            }
        }
        return static_cast<std::int32_t>(RoundHalfEven(Random() * static_cast<long double>(range)));
    }
    if (n == "ABS" || n == "CEIL" || n == "ATOI") {
        std::string value;
        std::string_view a = ArgumentOf(arg);
        if (a.empty()) return FailNumber(a); // an empty argument names no value
        OperandText(a, value);
        if (runState_ != RunState::Running) return 0;
        if (n == "ATOI") {
            if (value.empty()) return FailNumber(value);
            return static_cast<unsigned char>(value[0]);
        }
        if (n == "ABS") {
            std::int32_t v = 0;
            if (!ParseInt(value, v)) return FailNumber(value);
            return v < 0 ? WrapSub(0, v) : v;
        }
        long double f = 0;
        if (!ParseReal48(value, separator_, f)) return FailNumber(value);
        long double r = RoundHalfEven(f);
        if (r < INT32_MIN || r > INT32_MAX) return FailNumber(value);
        return static_cast<std::int32_t>(r);
    }
    if (n == "STRCHR" || n == "STRCMP") {
        std::size_t comma = arg.find(',');
        if (comma == std::string_view::npos) {
            Fail(Cp(msg::kErreurSyntaxe));
            return n == "STRCMP" ? 1 : 0;
        }
        std::string s, c;
        StringOperand(arg.substr(0, comma), s);
        if (runState_ != RunState::Running) return n == "STRCMP" ? 1 : 0;
        StringOperand(ArgumentOf(arg.substr(comma + 1, 255)), c);
        if (runState_ != RunState::Running) return n == "STRCMP" ? 1 : 0;
        if (n == "STRCMP") return s == c ? 0 : 1;
        if (c.empty()) return FailNumber(c); // no character to look for
        std::size_t p = s.find(c[0]);
        return p == std::string::npos ? 0 : static_cast<std::int32_t>(p + 1);
    }
    if (n == "STRLEN") {
        std::string s;
        StringOperand(ArgumentOf(arg), s);
        if (runState_ != RunState::Running) return 0;
        return static_cast<std::int32_t>(std::min<std::size_t>(s.size(), INT32_MAX));
    }
    known = false;
    return 0;
}

long double Engine::FloatFunction(std::string_view name, std::string_view arg, bool& known) {
    char upper[8];
    std::string_view n;
    if (!FunctionName(name, upper, n) ||
        (n != "FABS" && n != "SQRT" && n != "SIN" && n != "COS" && n != "LOG" && n != "EXP")) {
        known = false;
        return 0;
    }
    known = true;
    std::string value;
    std::string_view a = ArgumentOf(arg);
    if (a.empty()) return FailNumber(a);
    OperandText(a, value);
    if (runState_ != RunState::Running) return 0;
    long double x = 0;
    if (!ParseReal48(value, separator_, x)) return FailNumber(value);
    long double r = 0;
    const long double kTrigLimit = std::ldexp(1.0L, 63);
    if (n == "FABS")
        r = std::fabs(x);
    else if (n == "SQRT") {
        if (x < 0) return FailNumber(value);
        r = std::sqrt(x);
    } else if (n == "SIN")
        r = std::fabs(x) >= kTrigLimit ? 0 : std::sin(x);
    else if (n == "COS")
        r = std::fabs(x) >= kTrigLimit ? 0 : std::cos(x);
    else if (n == "LOG") {
        if (x <= 0) return FailNumber(value);
        r = std::log(x);
    } else
        r = std::exp(x);
    if (!RoundReal48(r, r)) return FailNumber(value);
    return r;
}

void Engine::OperandText(std::string_view text, std::string& out) {
    text = Trim(text);
    if (text.empty()) {
        out.clear();
        return;
    }
    char first = text[0];
    if (first == '\'') {
        AssignCharAt(out, text, 1);
        return;
    }
    if (first == '"') {
        out.assign(text.substr(1));
        std::size_t pair = out.find("\"\"");
        if (pair != std::string::npos) out.erase(pair, 1);
        if (out.empty() || out.back() != '"') {
            Fail(Cp(msg::kChaineSansFin));
            return;
        }
        out.pop_back();
        return;
    }
    if (IsFloatLiteralStart(first)) {
        out.assign(text);
        for (char c : text)
            if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+'))
                Fail(Cp(msg::kExpressionIncorrecte));
        return;
    }
    std::string_view name;
    SymbolKind kind = SymbolKind::None;
    std::int64_t slot = 0;
    Reference found = ResolveReference(text, name, kind, slot);
    if (found == Reference::Failed) return;
    if (found == Reference::Unknown) {
        Fail(Cp(msg::kIdentificateur) + std::string(name) + Cp(msg::kInconnu));
        return;
    }
    if (!SlotInStore(kind, slot)) {
        Fail(Cp(msg::kIndiceHorsLimites));
        return;
    }
    ValueTextOf(kind, static_cast<std::int32_t>(slot), out);
}

void Engine::ValueTextOf(SymbolKind kind, std::int32_t slot, std::string& out) {
    long double f = 0;
    std::int32_t i = 0;
    out.clear();
    if (!ReadValue(slot, kind, f, i, out)) return;
    NumberBuffer buf;
    if (kind == SymbolKind::Int)
        out.assign(FormatInt(i, buf));
    else if (kind == SymbolKind::Real)
        out.assign(FormatFloat(f, separator_, buf));
}

void Engine::StringOperand(std::string_view text, std::string& out) {
    text = Trim(text);
    if (text.empty()) {
        // No operand: an empty text (nothing can be looked up under an empty name).
        out.clear();
        Fail(Cp(msg::kVariable) + Cp(msg::kNExistePas));
        return;
    }
    char first = text[0];
    if (first == '\'') {
        AssignCharAt(out, text, 1);
        return;
    }
    if (first == '"') {
        std::string_view inner = text.substr(1);
        if (inner.empty() || inner.back() != '"') {
            Fail(Cp(msg::kChaineSansFin));
            return;
        }
        inner.remove_suffix(1);
        out.assign(inner);
        return;
    }
    std::string_view name;
    SymbolKind kind = SymbolKind::None;
    std::int64_t slot = 0;
    Reference found = ResolveReference(text, name, kind, slot);
    if (found == Reference::Failed) return;
    if (found == Reference::Unknown) {
        Fail(Cp(msg::kVariable) + std::string(name) + Cp(msg::kNExistePas));
        return;
    }
    if (kind != SymbolKind::String) {
        Fail(Cp(msg::kPasUnString));
        return;
    }
    if (!SlotInStore(kind, slot)) {
        Fail(Cp(msg::kIndiceHorsLimites));
        return;
    }
    long double f = 0;
    std::int32_t i = 0;
    ReadValue(static_cast<std::int32_t>(slot), kind, f, i, out);
}

double Engine::Random() {
    randSeed_ = randSeed_ * 134775813u + 1u;
    return static_cast<double>(randSeed_) / 4294967296.0;
}

void Engine::Randomize() {
    randSeed_ = host_.MillisecondsTodayUtc();
}

} // namespace vokc
