// Trimming, ASCII case and the Windows-1252 conversions.
#include <gtest/gtest.h>

#include "text.h"

using namespace vokc;

TEST(Text, TrimAndCaseTouchOnlyWhatTheyShould) {
    EXPECT_EQ(Trim(std::string_view("\x01\t a b \x20\x1F")), "a b");
    EXPECT_EQ(Trim(std::string_view("\xA0x\xA0")), "\xA0x\xA0"); // no-break space is kept
    EXPECT_EQ(SkipLeadingBlanks("  x "), "x ");
    std::string out;
    UpperInto("abz\xE9\xE0", out);
    EXPECT_EQ(out, "ABZ\xE9\xE0"); // accented letters stay as they are
    LowerInto("ABZ\xC9", out);
    EXPECT_EQ(out, "abz\xC9");
    EXPECT_TRUE(EqualsNoCase("Main()", "MAIN()"));
    EXPECT_FALSE(EqualsNoCase("\xE9", "\xC9"));
    EXPECT_TRUE(StartsWith("printf", "print"));
    EXPECT_FALSE(StartsWith("pr", "print"));
}

TEST(Text, EveryWindows1252ByteSurvivesTheRoundTrip) {
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
        EXPECT_EQ(static_cast<unsigned char>(
                      UnicodeToCp1252(Cp1252ToUnicode(static_cast<unsigned char>(b)))),
                  b);
    }
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Cp1252ToUnicode(0x95), U'\u2022');
    EXPECT_EQ(Cp1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
}

TEST(Text, Utf8ThatWindows1252CannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC \xF0\x9F\x98\x80 \xE4\xB8\xAD"), "\x80 ? ?");
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");         // cut sequence
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");      // overlong form
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???"); // surrogate
    EXPECT_TRUE(IsValidUtf8("\xC3\xA9t\xC3\xA9"));
    EXPECT_FALSE(IsValidUtf8("\xE9t\xE9"));
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
}

// UTF-16 text (the editor's and Qt's) converts one code unit to one byte, so that offsets
// agree; a paragraph separator is a line break on both sides of the conversion.
TEST(Text, Utf16ConversionsKeepOffsetsAndLineBreaks) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(all)), all);
    EXPECT_EQ(Cp1252ToUtf16("\x80\x95\xE9"), u"\u20AC\u2022\u00E9");
    EXPECT_EQ(Utf16ToCp1252(u"a\u2029b"), "a\nb");
    EXPECT_EQ(Utf16ToCp1252(u"\U0001F600\u4E2D\u0080"), "????"); // a pair gives two bytes
    EXPECT_EQ(Utf16ToCp1252(u"\u2122\u2022"), "\x99\x95");       // same low byte

    EXPECT_EQ(Utf8ToUtf16("\xC3\xA9\xF0\x9F\x98\x80"), u"\u00E9\U0001F600");
    EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(Utf16ToUtf8(u"\u00E9\U0001F600\u2029"), "\xC3\xA9\xF0\x9F\x98\x80\xE2\x80\xA9");
    const std::u16string loneSurrogate(1, char16_t{0xD800});
    EXPECT_EQ(Utf16ToUtf8(loneSurrogate + u"x"), "\xEF\xBF\xBDx");
}
