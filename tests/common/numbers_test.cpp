// Number texts and the 6-byte real format.
#include <cmath>
#include <gtest/gtest.h>

#include "numbers.h"

using namespace vokc;

namespace {
std::string Show(long double v, char sep = ',') {
    NumberBuffer b;
    return std::string(FormatFloat(v, sep, b));
}
long double Stored(const char* text, char sep = ',') {
    long double v = 0;
    EXPECT_TRUE(ParseReal48(text, sep, v)) << text;
    return v;
}
} // namespace

TEST(Numbers, IntegersAreStrictAndBounded) {
    std::int32_t v = 0;
    EXPECT_TRUE(ParseInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(ParseInt("+12", v));
    EXPECT_EQ(v, 12);
    for (const char* bad : {"", "-", "+", "2147483648", "12a", " 12", "12 ", "1.0", "0x10", "--1"})
        EXPECT_FALSE(ParseInt(bad, v)) << bad;
}

TEST(Numbers, StoredFloatsKeepFortyBits) {
    // 0,1 cannot be held exactly: the stored value prints with its rounding error.
    EXPECT_EQ(Show(Stored("0,1")), "0,100000000000023");
    EXPECT_EQ(Show(Stored("2,5")), "2,5");
    EXPECT_EQ(Show(Stored("-3,25")), "-3,25");
    // 123456789012345 needs 47 bits; 40 keep it only approximately.
    EXPECT_EQ(Show(Stored("123456789012345")), "123456789012352");
    // Halves are rounded away from zero: 2^40 + 1 lies halfway between two values.
    long double r = 0;
    ASSERT_TRUE(RoundReal48(std::ldexp(1.0L, 40) + 1, r));
    EXPECT_EQ(r, std::ldexp(1.0L, 40) + 2);
    ASSERT_TRUE(RoundReal48(-(std::ldexp(1.0L, 40) + 1), r));
    EXPECT_EQ(r, -(std::ldexp(1.0L, 40) + 2));
}

TEST(Numbers, RangeOfTheStoreFormat) {
    long double r = 0;
    EXPECT_TRUE(RoundReal48(kReal48Max, r));
    EXPECT_FALSE(RoundReal48(kReal48Max * 2, r));
    EXPECT_FALSE(ParseReal48("1E39", ',', r));
    EXPECT_TRUE(RoundReal48(std::ldexp(1.0L, -129), r));
    EXPECT_EQ(r, 0);
    EXPECT_TRUE(RoundReal48(std::ldexp(1.0L, -128), r));
    EXPECT_EQ(r, std::ldexp(1.0L, -128));
    EXPECT_FALSE(RoundReal48(NAN, r));
}

TEST(Numbers, GeneralFormatWithFewerDigits) {
    NumberBuffer b;
    EXPECT_EQ(FormatFloat(2.0L / 3, ',', b, 12), "0,666666666667");
    EXPECT_EQ(FormatFloat(2.0L / 3, '.', b), "0.666666666666667");
    EXPECT_EQ(FormatFloat(-123456789012345.0L, ',', b, 12), "-123456789012000");
    EXPECT_EQ(FormatFloat(9.99999999999999e-5L, ',', b, 12), "0,0001");
    EXPECT_EQ(FormatFloat(1234.5L, ',', b, 1), "1000");
    EXPECT_EQ(FormatFloat(1234.5L, ',', b, 40), "1234,5"); // at most 15
}

TEST(Numbers, GeneralFormat) {
    EXPECT_EQ(Show(1e15L), "1E15");
    EXPECT_EQ(Show(1.5e-5L), "1,5E-5");
    EXPECT_EQ(Show(999999999999999.0L), "999999999999999");
    EXPECT_EQ(Show(0.0001L), "0,0001");
    EXPECT_EQ(Show(-0.00012L), "-0,00012");
    EXPECT_EQ(Show(0), "0");
    EXPECT_EQ(Show(100), "100");
    EXPECT_EQ(Show(2.5L, '.'), "2.5");
    EXPECT_EQ(Show(-1.25e-20L), "-1,25E-20");
}

TEST(Numbers, FloatTextsFollowTheSeparator) {
    long double v = 0;
    EXPECT_TRUE(ParseFloat("1,5E-5", ',', v));
    EXPECT_TRUE(ParseFloat(",5", ',', v));
    EXPECT_EQ(v, 0.5L);
    EXPECT_TRUE(ParseFloat("-7", ',', v));
    EXPECT_EQ(v, -7);
    for (const char* bad : {"2.5", "1E", "E5", "", ",", "1,5,", "1e+", "3-2", "1 "})
        EXPECT_FALSE(ParseFloat(bad, ',', v)) << bad;
    EXPECT_TRUE(ParseFloat("2.5", '.', v));
    EXPECT_EQ(v, 2.5L);
    // Long texts of digits still convert.
    EXPECT_TRUE(ParseFloat(std::string(100, '0') + "1", ',', v));
    EXPECT_EQ(v, 1);
}

TEST(Numbers, HalvesGoToEven) {
    EXPECT_EQ(RoundHalfEven(2.5L), 2);
    EXPECT_EQ(RoundHalfEven(3.5L), 4);
    EXPECT_EQ(RoundHalfEven(-2.5L), -2);
    EXPECT_EQ(RoundHalfEven(2.3L), 2);
    EXPECT_EQ(RoundHalfEven(2.7L), 3);
}

TEST(Numbers, WrappingArithmetic) {
    EXPECT_EQ(WrapAdd(INT32_MAX, 1), INT32_MIN);
    EXPECT_EQ(WrapSub(INT32_MIN, 1), INT32_MAX);
    EXPECT_EQ(WrapMul(65536, 65536), 0);
}
