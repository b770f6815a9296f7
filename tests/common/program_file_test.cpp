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
    EXPECT_EQ(DecodeProgram("\xF0\x9F\x98\x80"), (std::vector<std::string>{"?"}));
    EXPECT_TRUE(DecodeProgram("").empty());
}

// A byte-order mark is not part of the first line, whatever follows it.
TEST(ProgramFile, ByteOrderMarkIsSkippedAndReported) {
    ProgramFormat format;
    auto lines = SplitProgramFile("\xEF\xBB\xBFint x\r\nmain()\r\n", format);
    EXPECT_EQ(lines, (std::vector<std::string_view>{"int x", "main()"}));
    EXPECT_TRUE(format.byteOrderMark);
    EXPECT_TRUE(format.utf8); // the mark makes even plain ASCII UTF-8
    EXPECT_EQ(format.lineEnd, LineEnd::CrLf);
    // The rest is not UTF-8: Windows-1252 without the mark.
    lines = SplitProgramFile("\xEF\xBB\xBF\xE9t\xE9\n", format);
    EXPECT_EQ(lines, (std::vector<std::string_view>{"\xE9t\xE9"}));
    EXPECT_TRUE(format.byteOrderMark);
    EXPECT_FALSE(format.utf8);
    lines = SplitProgramFile("\xEF\xBB\xBF", format);
    EXPECT_TRUE(lines.empty());
    // Only at the start.
    lines = SplitProgramFile("a\n\xEF\xBB\xBF\n", format);
    EXPECT_FALSE(format.byteOrderMark);
    EXPECT_EQ(lines[1], "\xEF\xBB\xBF");
    EXPECT_EQ(format.lineEnd, LineEnd::Lf);

    EXPECT_EQ(DecodeProgram("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\nmain()"),
              (std::vector<std::string>{"\xE9t\xE9", "main()"}));
    EXPECT_EQ(DecodeProgram("\xEF\xBB\xBFint x\n"), (std::vector<std::string>{"int x"}));
    EXPECT_EQ(DecodeProgram("\xEF\xBB\xBF\xBBx\r"), (std::vector<std::string>{"\xBBx"}));
}

// The runner's form of the lines: views into one buffer, the same lines as above, also
// for texts short enough to live inside the buffer object itself.
TEST(ProgramFile, ProgramLinesHoldTheDecodedLines) {
    for (const char* bytes :
         {"a\r\nb", "\xEF\xBB\xBFx\ny", "\xC3\xA9\r\n\r\n\xE2\x82\xAC", "\xE9\n\n", ""}) {
        const ProgramLines lines{std::string(bytes)};
        const std::vector<std::string> expected = DecodeProgram(bytes);
        ASSERT_EQ(lines.size(), expected.size()) << bytes;
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(lines[i], expected[i]) << bytes;
    }
    const ProgramLines lines{std::string("\xC3\xA9\r\n\r\nx\xE2\x82\xAC")};
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "\xE9");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "x\x80");
}
