// The pocket calculator's keys and display.
#include "calculator.h"

#include <cmath>

#include "numbers.h"

namespace vokc {

namespace {

// The calculator's messages, as the application's error box shows them.
constexpr const char* kNotAFloat = "'%s' n'est pas une valeur flottante correcte";
constexpr const char* kDivisionByZero = "Division flottante par zéro";
constexpr const char* kInvalidOperation = "Opération flottante incorrecte";
constexpr const char* kOverflow = "Débordement flottant";

constexpr char kSeparator = ',';
constexpr int kResultDigits = 12;

std::string NotAFloat(const std::string& display) {
    // Built by concatenation: replacing inside the text trips a false overlap warning
    // of the optimiser.
    const std::string pattern = kNotAFloat;
    const std::size_t at = pattern.find("%s");
    if (at == std::string::npos) return pattern;
    return pattern.substr(0, at) + display + pattern.substr(at + 2);
}

} // namespace

std::optional<CalcKey> CalcKeyForChar(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<CalcKey>(static_cast<int>(c - U'0'));
    switch (c) {
    case U',':
    case U'.':
        return CalcKey::Comma;
    case U'+':
        return CalcKey::Plus;
    case U'-':
        return CalcKey::Minus;
    case U'*':
        return CalcKey::Times;
    case U'/':
        return CalcKey::Divide;
    case U'=':
        return CalcKey::Equals;
    case U'C':
    case U'c':
        return CalcKey::Clear;
    case U'S':
    case U's':
        return CalcKey::SquareRoot;
    case U'X':
    case U'x':
        return CalcKey::Reciprocal;
    default:
        return std::nullopt;
    }
}

std::string CalcResultText(long double value) {
    if (value == 0 || !std::isfinite(value)) return "0";
    // 40 significant bits hold a little more than 12 decimal digits: rounding to 12
    // removes the noise of the binary format and keeps every digit the value holds.
    NumberBuffer buf;
    return std::string(FormatFloat(value, kSeparator, buf, kResultDigits));
}

std::string Calculator::Press(CalcKey key) {
    switch (key) {
    case CalcKey::Comma:
        Comma();
        return {};
    case CalcKey::Equals:
        return Equals();
    case CalcKey::Plus:
        return Operator('+');
    case CalcKey::Minus:
        return Operator('-');
    case CalcKey::Times:
        return Operator('*');
    case CalcKey::Divide:
        return Operator('/');
    case CalcKey::Reciprocal:
        return Reciprocal();
    case CalcKey::SquareRoot:
        return SquareRoot();
    case CalcKey::Clear:
        Clear();
        return {};
    default:
        Digit(static_cast<int>(key) - static_cast<int>(CalcKey::Digit0));
        return {};
    }
}

void Calculator::Digit(int digit) {
    if (digit < 0 || digit > 9) return;
    if (newEntry_) display_.clear();
    display_ += static_cast<char>('0' + digit);
    newEntry_ = false;
}

void Calculator::Comma() {
    display_ += kSeparator;
}

std::string Calculator::ReadDisplay(long double& value) const {
    long double parsed = 0;
    if (!ParseFloat(display_, kSeparator, parsed)) return NotAFloat(display_);
    if (!RoundReal48(parsed, value)) return kOverflow;
    return {};
}

std::string Calculator::Equals() {
    long double value = 0;
    if (!haveAccumulator_) {
        // The first number: an unreadable display is just emptied, without a message.
        if (!ReadDisplay(value).empty()) {
            display_.clear();
            return {};
        }
        accumulator_ = value;
        haveAccumulator_ = true;
        newEntry_ = true;
        return {};
    }
    if (std::string error = ReadDisplay(value); !error.empty()) return error;
    operand_ = value;
    long double result = accumulator_;
    switch (pendingOp_) {
    case '+':
        result = accumulator_ + operand_;
        break;
    case '-':
        result = accumulator_ - operand_;
        break;
    case '*':
        result = accumulator_ * operand_;
        break;
    case '/':
        if (operand_ == 0) return accumulator_ == 0 ? kInvalidOperation : kDivisionByZero;
        result = accumulator_ / operand_;
        break;
    default:
        break;
    }
    long double stored = 0;
    if (!RoundReal48(result, stored)) return kOverflow;
    accumulator_ = stored;
    display_ = CalcResultText(accumulator_);
    newEntry_ = true;
    return {};
}

std::string Calculator::Operator(char op) {
    if (std::string error = Equals(); !error.empty()) return error;
    pendingOp_ = op;
    return {};
}

std::string Calculator::ShowFunctionResult(long double r) {
    long double stored = 0;
    if (!RoundReal48(r, stored)) return kOverflow;
    // Shown as computed, in the 15-digit general format.
    NumberBuffer buf;
    display_ = std::string(FormatFloat(r, kSeparator, buf));
    accumulator_ = stored;
    haveAccumulator_ = true;
    newEntry_ = true;
    return {};
}

std::string Calculator::Reciprocal() {
    long double value = 0;
    if (std::string error = ReadDisplay(value); !error.empty()) return error;
    operand_ = value;
    if (operand_ == 0) return kDivisionByZero;
    return ShowFunctionResult(1.0L / operand_);
}

std::string Calculator::SquareRoot() {
    long double value = 0;
    if (std::string error = ReadDisplay(value); !error.empty()) return error;
    operand_ = value;
    if (operand_ < 0) return kInvalidOperation;
    return ShowFunctionResult(std::sqrt(operand_));
}

void Calculator::Clear() {
    display_.clear();
    accumulator_ = 0;
    operand_ = 0;
    haveAccumulator_ = false;
    pendingOp_ = 0;
}

} // namespace vokc
