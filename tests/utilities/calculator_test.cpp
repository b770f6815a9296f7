// The pocket calculator's keys, display and messages, without the window.
#include "calculator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numbers.h"

namespace {

using vokc::Calculator;

// Types a sequence of key characters; returns the messages met, in order.
std::vector<std::string> Type(Calculator& calc, const std::string& keys) {
    std::vector<std::string> errors;
    for (char c : keys) {
        const auto key = vokc::CalcKeyForChar(static_cast<unsigned char>(c));
        if (!key) {
            ADD_FAILURE() << "no key for " << c;
            continue;
        }
        std::string error = calc.Press(*key);
        if (!error.empty()) errors.push_back(error);
    }
    return errors;
}

std::string Shows(const std::string& keys) {
    Calculator calc;
    const auto errors = Type(calc, keys);
    EXPECT_TRUE(errors.empty()) << keys << ": " << (errors.empty() ? "" : errors[0]);
    return calc.Display();
}

TEST(Calculator, ImmediateExecutionWithoutPrecedence) {
    EXPECT_EQ(Shows("2+3*4="), "20");
    EXPECT_EQ(Shows("10-4/3="), "2");
    EXPECT_EQ(Shows("1,5*4="), "6");
    // "=" repeats the pending operation with the shown result as operand.
    EXPECT_EQ(Shows("4*5="), "20");
    EXPECT_EQ(Shows("4*5=="), "400");
    EXPECT_EQ(Shows("2+3=="), "10");
    // With no operator, "=" leaves the number as it is.
    EXPECT_EQ(Shows("7=="), "7");
    EXPECT_EQ(Shows("2-5="), "-3");
}

TEST(Calculator, EqualsOnAnEmptyDisplayDoesNothing) {
    Calculator calc;
    EXPECT_TRUE(Type(calc, "=").empty());
    EXPECT_EQ(calc.Display(), "");
    EXPECT_FALSE(calc.HaveAccumulator());
    // A first number that cannot be read is emptied silently; the operator still counts.
    EXPECT_TRUE(Type(calc, ",,+").empty());
    EXPECT_EQ(calc.Display(), "");
    EXPECT_EQ(calc.PendingOp(), '+');
    EXPECT_FALSE(calc.HaveAccumulator());
}

TEST(Calculator, CommaAfterAResult) {
    Calculator calc;
    Type(calc, "2+3=");
    Type(calc, ",");
    EXPECT_EQ(calc.Display(), "5,");
    Type(calc, "7");
    EXPECT_EQ(calc.Display(), "7");
    // A comma is appended whatever the display holds; two of them make it unreadable.
    Type(calc, ",5,");
    EXPECT_EQ(calc.Display(), "7,5,");
    EXPECT_EQ(Type(calc, "="),
              std::vector<std::string>{"'7,5,' n'est pas une valeur flottante correcte"});
    EXPECT_EQ(calc.Display(), "7,5,");
    EXPECT_EQ(calc.PendingOp(), '+');
    EXPECT_EQ(calc.Accumulator(), 5);
}

TEST(Calculator, DivisionByZeroKeepsEverything) {
    Calculator calc;
    EXPECT_EQ(Type(calc, "7/0="), std::vector<std::string>{"Division flottante par zéro"});
    EXPECT_EQ(calc.Display(), "0");
    EXPECT_EQ(calc.Accumulator(), 7);
    EXPECT_EQ(calc.PendingOp(), '/');
    // An operator key meets the same error and does not replace the pending "/".
    EXPECT_EQ(Type(calc, "*"), std::vector<std::string>{"Division flottante par zéro"});
    EXPECT_EQ(calc.PendingOp(), '/');
    EXPECT_TRUE(Type(calc, "2=").empty());
    EXPECT_EQ(calc.Display(), "3,5");

    Calculator zero;
    EXPECT_EQ(Type(zero, "0/0="), std::vector<std::string>{"Opération flottante incorrecte"});
    EXPECT_EQ(Type(zero, "C0x"), std::vector<std::string>{"Division flottante par zéro"});
    EXPECT_EQ(zero.Display(), "0");
}

TEST(Calculator, ReciprocalAndSquareRoot) {
    EXPECT_EQ(Shows("4x"), "0,25");
    EXPECT_EQ(Shows("9s"), "3");
    // Shown as computed, with 15 digits; the pending operation applies to it.
    EXPECT_EQ(Shows("2s"), "1,4142135623731");
    EXPECT_EQ(Shows("3x"), "0,333333333333333");
    EXPECT_EQ(Shows("5+9s="), "6");
    Calculator calc;
    Type(calc, "5+9s");
    EXPECT_EQ(calc.Accumulator(), 3);
    EXPECT_TRUE(calc.NewEntry());
    EXPECT_EQ(calc.PendingOp(), '+');

    Calculator neg;
    Type(neg, "0-4=");
    EXPECT_EQ(Type(neg, "s"), std::vector<std::string>{"Opération flottante incorrecte"});
    EXPECT_EQ(neg.Display(), "-4");
    EXPECT_EQ(neg.Accumulator(), -4);
    // An empty display cannot be read.
    Calculator empty;
    EXPECT_EQ(Type(empty, "x"),
              std::vector<std::string>{"'' n'est pas une valeur flottante correcte"});
}

TEST(Calculator, OverflowKeepsTheDisplay) {
    Calculator calc;
    Type(calc, "9999999999*9999999999=");
    EXPECT_EQ(calc.Display(), "9,999999998E19");
    EXPECT_EQ(Type(calc, "="), std::vector<std::string>{"Débordement flottant"});
    EXPECT_EQ(calc.Display(), "9,999999998E19");
    // 1/x of a number whose inverse is beyond the format: nothing is shown.
    Calculator tiny;
    EXPECT_TRUE(Type(tiny, "1/10000000000=10000000000=10000000000=200000000=").empty());
    EXPECT_EQ(tiny.Display(), "5E-39");
    EXPECT_EQ(Type(tiny, "x"), std::vector<std::string>{"Débordement flottant"});
    EXPECT_EQ(tiny.Display(), "5E-39");
    // Below the smallest magnitude a result becomes zero, without a message.
    EXPECT_TRUE(Type(tiny, "10=").empty());
    EXPECT_EQ(tiny.Display(), "0");
}

TEST(Calculator, ResultsShowTheDigitsTheyHold) {
    // Typed numbers come back as typed, not with the noise of the binary format.
    for (const char* number : {"0,1", "0,2", "0,7", "1,05", "2,5", "123,456", "99999,99999",
                               "0,0001", "12345678901", "3,14159265359"}) {
        EXPECT_EQ(Shows(std::string(number) + "+0="), number);
    }
    EXPECT_EQ(Shows("0,1+0,2="), "0,3");
    EXPECT_EQ(Shows("1/3="), "0,333333333333");
    EXPECT_EQ(Shows("2/3="), "0,666666666667");
    EXPECT_EQ(Shows("1/3*3="), "1");
    EXPECT_EQ(Shows("10000000*10000000="), "100000000000000");
    EXPECT_EQ(Shows("100000*10000000000="), "1E15");
    EXPECT_EQ(Shows("1/100000="), "1E-5");
    EXPECT_EQ(Shows("1/10000="), "0,0001");
    // Whatever is shown reads back as a number within the format's precision.
    Calculator calc;
    Type(calc, "7/3=");
    long double back = 0;
    ASSERT_TRUE(vokc::ParseReal48(calc.Display(), ',', back));
    EXPECT_NEAR(static_cast<double>(back), static_cast<double>(calc.Accumulator()), 1e-11);
}

TEST(Calculator, ClearKeepsOnlyTheEntryFlag) {
    Calculator calc;
    Type(calc, "2+3=");
    ASSERT_TRUE(calc.NewEntry());
    calc.Clear();
    EXPECT_EQ(calc.Display(), "");
    EXPECT_EQ(calc.Accumulator(), 0);
    EXPECT_EQ(calc.Operand(), 0);
    EXPECT_EQ(calc.PendingOp(), 0);
    EXPECT_FALSE(calc.HaveAccumulator());
    EXPECT_TRUE(calc.NewEntry());
    // A digit typed after the comma of a fresh entry starts a new number.
    Type(calc, ",5");
    EXPECT_EQ(calc.Display(), "5");
}

TEST(Calculator, KeyboardMap) {
    // Both cases of the letter keys, and "." for the comma; nothing else presses a key.
    EXPECT_EQ(vokc::CalcKeyForChar(U'.'), vokc::CalcKey::Comma);
    EXPECT_EQ(vokc::CalcKeyForChar(U'c'), vokc::CalcKey::Clear);
    EXPECT_EQ(vokc::CalcKeyForChar(U'S'), vokc::CalcKey::SquareRoot);
    EXPECT_EQ(vokc::CalcKeyForChar(U'X'), vokc::CalcKey::Reciprocal);
    for (char32_t other : {U'a', U' ', U'\r', U'\x1b', U'e', U'E', U'%', U'\u00e9', U'\u0660'})
        EXPECT_FALSE(vokc::CalcKeyForChar(other).has_value());
}

} // namespace
