// Program files: the choice of encoding and the split into lines.
#include <gtest/gtest.h>

#include "program_file.h"

using namespace vokc;

TEST(ProgramFile, EncodingIsUtf8OnlyWhenValidAndNotPlainAscii) {
    EXPECT_FALSE(IsUtf8Program("main()\r\n"));
    EXPECT_FALSE(IsUtf8Program(""));
    EXPECT_TRUE(IsUtf8Program("puts(\"\xC3\xA9t\xC3\xA9\")"));
    EXPECT_FALSE(IsUtf8Program("puts(\"\xE9t\xE9\")"));
}

TEST(ProgramFile, LinesEndWithCrLfLfOrCrAndTheFirstEndIsReported) {
    LineEnd end = LineEnd::CrLf;
    auto lines = SplitLines("a\nb\r\nc\rd", &end);
    EXPECT_EQ(lines, (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(end, LineEnd::Lf);
    EXPECT_EQ(SplitLines("a\r\n\r\n", &end), (std::vector<std::string_view>{"a", ""}));
    EXPECT_EQ(end, LineEnd::CrLf);
    end = LineEnd::Lf;
    EXPECT_TRUE(SplitLines("", &end).empty());
    EXPECT_EQ(SplitLines("x", &end), (std::vector<std::string_view>{"x"}));
    EXPECT_EQ(end, LineEnd::Lf); // no line end: left alone
    EXPECT_EQ(SplitLines("\r\r\n\n"), (std::vector<std::string_view>{"", "", ""}));
}

TEST(ProgramFile, DecodingGivesWindows1252Lines) {
    EXPECT_EQ(DecodeProgram("puts(\"\xC3\xA9t\xC3\xA9\")\nx\xE2\x82\xAC\n"),
              (std::vector<std::string>{"puts(\"\xE9t\xE9\")", "x\x80"}));
    EXPECT_EQ(DecodeProgram("puts(\"\xE9t\xE9\")\r\n\xBBx"),
              (std::vector<std::string>{"puts(\"\xE9t\xE9\")", "\xBBx"}));
    // A byte-order mark is a character like another for the runner.
    EXPECT_EQ(DecodeProgram("\xEF\xBB\xBF\xC3\xA9"), (std::vector<std::string>{"?\xE9"}));
    EXPECT_EQ(DecodeProgram("\xF0\x9F\x98\x80"), (std::vector<std::string>{"?"}));
}
