// The pocket calculator without its window: the display text, the running result in
// the 6-byte real format, immediate execution without precedence, and the keyboard map.
//
// Every key works on the display text as the user sees it: the next key reads it back
// (comma as decimal separator), so whatever a key shows must stay readable.
// Messages are UTF-8.
#pragma once

#include <optional>
#include <string>

namespace vokc {

enum class CalcKey {
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Comma,      // ","
    Equals,     // "="
    Plus,       // "+"
    Minus,      // "-"
    Times,      // "*"
    Divide,     // "/"
    Reciprocal, // "1/x"
    SquareRoot, // "sqr"
    Clear,      // "C"
};

// The key a typed character presses: "0"-"9", "," and ".", "+", "-", "*", "/", "=",
// "C"/"c", "S"/"s" (sqr), "X"/"x" (1/x). Anything else presses nothing; Escape is the
// window's own (it closes it).
std::optional<CalcKey> CalcKeyForChar(char32_t character);

// The text shown for a stored result: the value rounded to 12 significant digits (the
// precision of the 6-byte real), trailing zeros removed, so that the noise of the binary
// format never shows: 0,1 shows 0,1 and 1,05 shows 1,05. Plain notation from 1E-4 to
// below 1E15, otherwise mantissa, "E" and exponent (1,5E-5, 2E20). Zero shows 0.
std::string CalcResultText(long double value);

// The calculator's state and keys. A key that fails returns its French message and
// changes neither the display, nor the accumulator, nor the pending operator.
class Calculator {
  public:
    // Presses a key; returns an empty text, or the message of the error it met.
    std::string Press(CalcKey key);

    // A digit starts a new number after a result, else it is appended.
    void Digit(int digit);
    // "," is appended whatever the display holds.
    void Comma();
    // Completes the pending operation with the display as operand; with no number taken
    // yet, takes the display as the first number (an unreadable display is emptied).
    // The pending operator stays, so "=" again repeats it on the result.
    std::string Equals();
    // "=" then the new pending operator ('+', '-', '*', '/'), unless "=" failed.
    std::string Operator(char op);
    std::string Reciprocal();
    std::string SquareRoot();
    // "C", and every opening of the window: empty display, no number, no operator.
    void Clear();

    const std::string& Display() const { return display_; }
    long double Accumulator() const { return accumulator_; }
    long double Operand() const { return operand_; }
    char PendingOp() const { return pendingOp_; }
    bool HaveAccumulator() const { return haveAccumulator_; }
    bool NewEntry() const { return newEntry_; }

  private:
    // Reads the display as a 6-byte real; an empty result means success.
    std::string ReadDisplay(long double& value) const;
    // 1/x and sqr: shows r as computed, keeps it rounded as the accumulator.
    std::string ShowFunctionResult(long double r);

    std::string display_;
    long double accumulator_ = 0;
    long double operand_ = 0;
    char pendingOp_ = 0;
    bool haveAccumulator_ = false;
    bool newEntry_ = false;
};

} // namespace vokc
