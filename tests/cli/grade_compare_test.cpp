// Comparison of a run's output with the expected output.
#include <gtest/gtest.h>

#include "grade_compare.h"

namespace vokc::cli::grade {
namespace {

using Lines = std::vector<std::string>;

TEST(GradeCompare, LinesIgnoreLineEndsTrailingBlanksAndFinalEmptyLines) {
    EXPECT_EQ(ComparableLines("a\r\nb \t\r\n\r\n\n  \n"), (Lines{"a", "b"}));
    EXPECT_EQ(ComparableLines("a\nb"), (Lines{"a", "b"}));       // no final line end
    EXPECT_EQ(ComparableLines("\n\nx\n"), (Lines{"", "", "x"})); // leading ones count
    EXPECT_EQ(ComparableLines("  x  \n"), (Lines{"  x"}));       // leading blanks count
    EXPECT_EQ(ComparableLines(""), Lines{});
    EXPECT_EQ(ComparableLines("\r\n \n"), Lines{});
}

TEST(GradeCompare, OnlyTheCarriageReturnOfAPairGoes) {
    // A lone CR is part of its line, at the end as inside.
    EXPECT_EQ(ComparableLines("a\rb\n"), (Lines{"a\rb"}));
    EXPECT_EQ(ComparableLines("a\r\r\n"), (Lines{"a\r"}));
    EXPECT_EQ(ComparableLines("a\r"), (Lines{"a\r"}));
}

TEST(GradeCompare, ExpectedOutputInEitherEncodingReadsTheSame) {
    const Lines utf8 = ComparableLines("d\xC3\xA9j\xC3\xA0\n");
    EXPECT_EQ(utf8, (Lines{"déjà"}));
    EXPECT_EQ(ComparableLines("d\xE9j\xE0\n"), utf8); // Windows-1252
    EXPECT_EQ(ComparableLines("\xEF\xBB\xBF"
                              "d\xC3\xA9j\xC3\xA0\n"),
              utf8); // with a mark
}

TEST(GradeCompare, FirstDifferenceAndItsDetail) {
    EXPECT_FALSE(FirstDifference({"a", "b"}, {"a", "b"}));
    EXPECT_FALSE(FirstDifference({}, {}));

    auto d = FirstDifference({"a", "b", "c"}, {"a", "x", "c"});
    ASSERT_TRUE(d);
    EXPECT_EQ(d->line, 2);
    EXPECT_EQ(DifferenceDetail(*d), "attendu « b », obtenu « x »");

    d = FirstDifference({"a", "b"}, {"a"});
    ASSERT_TRUE(d);
    EXPECT_EQ(d->line, 2);
    EXPECT_EQ(DifferenceDetail(*d), "attendu « b », obtenu (fin)");

    d = FirstDifference({}, {"bonjour"});
    ASSERT_TRUE(d);
    EXPECT_EQ(d->line, 1);
    EXPECT_EQ(DifferenceDetail(*d), "attendu (fin), obtenu « bonjour »");

    // An empty line is a line, not an end.
    d = FirstDifference({"a", "", "b"}, {"a", "b"});
    ASSERT_TRUE(d);
    EXPECT_EQ(DifferenceDetail(*d), "attendu «  », obtenu « b »");
}

TEST(GradeCompare, WholeOutputsCompareAfterNormalising) {
    EXPECT_FALSE(FirstDifference(ComparableLines("x = 1\r\ny = 2\r\n\r\n"),
                                 ComparableLines("x = 1   \ny = 2\n")));
    auto d = FirstDifference(ComparableLines("x = 1\n"), ComparableLines(" x = 1\n"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->line, 1);
}

} // namespace
} // namespace vokc::cli::grade
