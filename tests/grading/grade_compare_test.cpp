// Comparison of a run's output with the expected output.
#include <gtest/gtest.h>

#include <tuple>

#include "grade_compare.h"

namespace vokc::grading {
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
    EXPECT_EQ(DifferenceDetail(*d), "sortie, ligne 2 : attendu « b », obtenu « x »");

    d = FirstDifference({"a", "b"}, {"a"});
    ASSERT_TRUE(d);
    EXPECT_EQ(d->line, 2);
    EXPECT_EQ(DifferenceDetail(*d), "sortie, ligne 2 : attendu « b », obtenu (fin)");

    d = FirstDifference({}, {"bonjour"});
    ASSERT_TRUE(d);
    EXPECT_EQ(d->line, 1);
    EXPECT_EQ(DifferenceDetail(*d), "sortie, ligne 1 : attendu (fin), obtenu « bonjour »");

    // An empty line is a line, not an end.
    d = FirstDifference({"a", "", "b"}, {"a", "b"});
    ASSERT_TRUE(d);
    EXPECT_EQ(DifferenceDetail(*d), "sortie, ligne 2 : attendu «  », obtenu « b »");
}

TEST(GradeCompare, AlignedDiffPairsOnlyWhatDiffers) {
    const auto rows = [](const Lines& e, const Lines& o) {
        std::vector<std::tuple<int, int, bool>> out;
        for (const DiffRow& r : AlignedDiff(e, o))
            out.emplace_back(r.expected, r.obtained, r.differs);
        return out;
    };
    using Rows = std::vector<std::tuple<int, int, bool>>;
    // One inserted line is one differing row; the lines after it stay aligned.
    EXPECT_EQ(rows({"a", "b", "c"}, {"a", "x", "b", "c"}),
              (Rows{{1, 1, false}, {0, 2, true}, {2, 3, false}, {3, 4, false}}));
    // One removed line likewise.
    EXPECT_EQ(rows({"a", "b", "c"}, {"a", "c"}),
              (Rows{{1, 1, false}, {2, 0, true}, {3, 2, false}}));
    // Changed lines are paired side by side; the longer side's rest has rows of its own.
    EXPECT_EQ(rows({"a", "b", "c", "z"}, {"a", "x", "z"}),
              (Rows{{1, 1, false}, {2, 2, true}, {3, 0, true}, {4, 3, false}}));
    EXPECT_EQ(rows({}, {"a"}), (Rows{{0, 1, true}}));
    EXPECT_EQ(rows({"a"}, {"a"}), (Rows{{1, 1, false}}));
    EXPECT_TRUE(rows({}, {}).empty());
}

TEST(GradeCompare, WholeOutputsCompareAfterNormalising) {
    EXPECT_FALSE(FirstDifference(ComparableLines("x = 1\r\ny = 2\r\n\r\n"),
                                 ComparableLines("x = 1   \ny = 2\n")));
    auto d = FirstDifference(ComparableLines("x = 1\n"), ComparableLines(" x = 1\n"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->line, 1);
}

} // namespace
} // namespace vokc::grading
