// The scans of a colouring pass on the editor's own rules, the other rule settings, spans
// from a span handler, and the resolution of overlapping spans into runs.
#include "colourpass.h"

#include <gtest/gtest.h>

#include <random>

using namespace vokc;
using vokc::test::ColourPass;

namespace {

struct EditorRules : ::testing::Test {
    ColourPass pass;
    void SetUp() override { AddEditorColourRules(pass.rules); }
    std::string paint(std::string_view text, std::int32_t from = 0, std::int32_t limit = -1) {
        pass.run(text, from, limit);
        return pass.paint();
    }
};

ColourRule& KeywordRule(ColourPass& pass, const StringList& words) {
    ColourRule& rule = pass.rules.add();
    rule.setKind(RuleKind::Keywords);
    rule.setKeywords(words);
    return rule;
}

} // namespace

TEST_F(EditorRules, BlockComments) {
    EXPECT_EQ(paint("/* a */ b"), "ggggggg..");
    EXPECT_EQ(paint("/*/x"), "ggg.");
    // The end key's last character may open the next comment.
    EXPECT_EQ(paint("/*a*/*b*/"), "ggggggggg");
    EXPECT_EQ(paint("/* un\r\ndeux */ x"), "gggggggggggggg..");
    // An opener that is never closed gets no colour; keywords after it keep theirs.
    EXPECT_EQ(paint("/* ok */ x /* open if"), "gggggggg..........."
                                              "bb");
}

TEST_F(EditorRules, RegionEndsAtTheLimit) {
    const std::string text = "x /* a\r\nb */ if\r\n";
    EXPECT_EQ(paint(text), "..gggggggggg.bb..");
    // Closed below the region: not coloured, and nothing past the limit is scanned.
    EXPECT_EQ(paint(text, 0, 8).substr(0, 8), "........");
    EXPECT_EQ(pass.runs().size(), 0u);
}

TEST_F(EditorRules, LineComments) {
    EXPECT_EQ(paint("x = 1; // note\r\ny"), ".......ggggggg...");
    EXPECT_EQ(paint("// a\r\n// b"), "gggg..gggg");
    EXPECT_EQ(paint("a // if"), "..gggbb"); // a keyword stays blue in a comment
}

TEST_F(EditorRules, KeywordBoundaries) {
    EXPECT_EQ(paint("If iff elseif if_x x2if"), "bb............bb.....bb");
    EXPECT_EQ(paint("i++ i ++ #include # x"), "......bb..........b..");
    EXPECT_EQ(paint("@if \xE9if"), ".....bb"); // '@' is a letter, code 233 is not
}

TEST_F(EditorRules, KeywordsFromALaterLine) {
    // Offsets found in the upper-cased copy map back onto the snapshot.
    EXPECT_EQ(paint("if x\r\nx if(\r\n", 6), "........bb...");
    // The first scanned character has no letter before it.
    EXPECT_EQ(paint("xif", 1), ".bb");
}

TEST_F(EditorRules, Priorities) {
    EXPECT_EQ(paint("void main()"), "mmmm.mmmmmm"); // rule 4 stores after rule 3
    EXPECT_EQ(paint("/* if */"), "gggbbggg");       // rule 3 stores after rule 1

    ColourPass first;
    ColourRule& notes = KeywordRule(first, {"note;lime"});
    notes.setPriority(1);
    AddEditorColourRules(first.rules);
    first.run("// note if");
    EXPECT_EQ(first.paint(), "gggllllgbb");
}

TEST(KeywordRules, TrailingBlankCaseAndInsideWords) {
    ColourPass pass;
    ColourRule& rule = KeywordRule(pass, {"abs ;red"});
    pass.run("abs(x) abs (x) abs x");
    EXPECT_EQ(pass.paint(), ".......rrrr.........");

    rule.setMatchCase(true);
    rule.setKeywords({"If"});
    pass.run("If if IF");
    EXPECT_EQ(pass.paint(), "rr......");

    // Compiled without matching case, the keyword is upper case; matching case afterwards makes
    // the scan stop folding the text at once.
    rule.setMatchCase(false);
    rule.setKeywords({"if"});
    rule.setMatchCase(true);
    pass.run("if IF");
    EXPECT_EQ(pass.paint(), "...rr");

    rule.setMatchCase(false);
    rule.setMatchInsideWords(true);
    pass.run("iff elseif");
    EXPECT_EQ(pass.paint(), "rr......rr");
}

TEST(BeginEndRules, EarliestKeyFirstEntryOnTies) {
    ColourPass pass;
    pass.rules.add().setBeginEndKeys({"<<;>>;red", "<;>;blue"});
    pass.run("<<a>> <b>");
    EXPECT_EQ(pass.paint(), "rrrrr.bbb");

    // Entries remember their next occurrence between spans, and start afresh each pass.
    pass.rules[0].setBeginEndKeys({"(*;*);red", "{;};blue"});
    pass.run("{a} (*b*) {c} (*d*)");
    EXPECT_EQ(pass.paint(), "bbb.rrrrr.bbb.rrrrr");
    pass.run("(*x*) {y}");
    EXPECT_EQ(pass.paint(), "rrrrr.bbb");

    // A begin key without an end key is never closed.
    pass.rules[0].setBeginEndKeys({"<;", "{;};blue"});
    pass.run("{a} < {b}");
    EXPECT_EQ(pass.paint(), "bbb......");
}

TEST(EventDrawRules, SpansFromTheHandler) {
    ColourPass pass;
    ColourRule& rule = pass.rules.add();
    rule.setKind(RuleKind::HandlerSpans);
    rule.setPriority(5);
    int calls = 0;
    std::string seen;
    pass.host.setSpanHandler([&](ColourRule& sender, std::string_view fromText,
                                 std::span<ColourSpan> a, std::int32_t& itemsCount) {
        ++calls;
        EXPECT_EQ(&sender, &rule);
        EXPECT_EQ(a.size(), 4u);
        EXPECT_EQ(a[0].colour, 0u); // the buffer is zeroed before each call
        seen = fromText;
        a[0] = {0, 1, kLime, 0, 0};
        a[1] = {3, 3, kRed, 7, 0};
        a[2] = {-10, 0, kBlue, 0, 0};  // before the text: left out
        a[3] = {2, 1000, kBlue, 0, 0}; // past the text: left out
        itemsCount = 99;
    });
    pass.run("abcdefg", 2);
    EXPECT_EQ(calls, 0); // no buffer yet
    pass.host.setSpanLimit(4);
    pass.run("abcdefg", 2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, "cdefg");
    EXPECT_EQ(pass.paint(), "..ll.r.");
    const auto found = pass.runs();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].priority, 5);
    EXPECT_EQ(found[1].priority, 7);
}

TEST(ResolveRuns, PriorityGapsAndAdjacentRecords) {
    SpanList list(2);
    CharCells cells;
    auto resolve = [&](std::initializer_list<ColourSpan> spans) {
        list.beginPass();
        std::int32_t next = 0;
        for (const ColourSpan& r : spans)
            next = list.store(next, r.start, r.end, r.colour, r.priority, r.isKeyword);
        ResolveRuns(list, list.colouredRange(), cells);
        std::vector<std::array<std::int64_t, 4>> out;
        for (const ColourSpan& r : list) {
            if (r.start == kUnusedPos) break;
            out.push_back({r.start, r.end, r.colour, r.priority});
        }
        return out;
    };
    using Runs = std::vector<std::array<std::int64_t, 4>>;

    // Same colour, different priority: two runs. A gap of unset cells: no run.
    EXPECT_EQ(resolve({{0, 2, kRed, 0, 0}, {3, 5, kRed, 1, 0}, {8, 9, kRed, 0, 0}}),
              (Runs{{0, 2, kRed, 0}, {3, 5, kRed, 1}, {8, 9, kRed, 0}}));
    // A higher priority wins wherever it was stored; among equals the later span wins.
    EXPECT_EQ(resolve({{0, 5, kBlue, 1, 0}, {2, 3, kRed, 0, 0}}), (Runs{{0, 5, kBlue, 1}}));
    EXPECT_EQ(resolve({{0, 5, kBlue, 0, 0}, {2, 3, kRed, 0, 0}}),
              (Runs{{0, 1, kBlue, 0}, {2, 3, kRed, 0}, {4, 5, kBlue, 0}}));
    // Black spans stay apart from the uncoloured cells around them.
    EXPECT_EQ(resolve({{0, 1, kBlack, 0, 0}, {4, 5, kRed, 0, 0}, {7, 8, kBlack, 0, 0}}),
              (Runs{{0, 1, kBlack, 0}, {4, 5, kRed, 0}, {7, 8, kBlack, 0}}));
    // Empty and unused spans are ignored; fewer runs than spans leave an end mark.
    EXPECT_EQ(resolve({{4, 3, kRed, 0, 0}, {1, 2, kRed, 0, 0}, {kUnusedPos, 2, kRed, 0, 0}}),
              (Runs{{1, 2, kRed, 0}}));
    EXPECT_EQ(list[1].start, kUnusedPos);
    EXPECT_EQ(resolve({}), Runs{});
    EXPECT_EQ(list[0].start, kUnusedPos);
}

// Whatever the text and the rules, a pass ends and its runs are ordered, disjoint spans of
// the text.
TEST(ColourPassRobustness, RandomTextsAndRules) {
    std::mt19937 rng(4);
    const std::string alphabet = "ab/*;+$#\r\n \t{}()IfiF@\xE9\x01";
    auto randomText = [&](std::size_t maxLen) {
        std::string s(rng() % (maxLen + 1), ' ');
        for (char& c : s)
            c = rng() % 50 == 0 ? '\0' : alphabet[rng() % alphabet.size()];
        return s;
    };
    auto randomList = [&] {
        StringList l(rng() % 5);
        for (std::string& s : l)
            s = randomText(12);
        return l;
    };
    for (int round = 0; round < 1500; ++round) {
        ColourPass pass;
        if (round % 7 == 0) AddEditorColourRules(pass.rules);
        for (int r = rng() % 4; r > 0; --r) {
            ColourRule& rule = pass.rules.add();
            rule.setKind(static_cast<RuleKind>(rng() % 4));
            rule.setPriority(static_cast<std::uint8_t>(rng() % 3));
            rule.setMatchCase(rng() % 2);
            rule.setMatchInsideWords(rng() % 2);
            if (rng() % 2)
                rule.keywords() = randomList();
            else
                rule.setKeywords(randomList());
            rule.setBeginEndKeys(randomList());
            rule.setLineKeys(randomList());
        }
        pass.host.setSpanLimit(rng() % 3);
        pass.host.setSpanHandler(
            [&](ColourRule&, std::string_view, std::span<ColourSpan> a, std::int32_t& n) {
                for (ColourSpan& d : a)
                    d = {static_cast<std::int32_t>(rng() % 40) - 10,
                         static_cast<std::int32_t>(rng() % 40) - 10, 1,
                         static_cast<std::uint8_t>(rng()), 0};
                n = static_cast<std::int32_t>(rng() % 8) - 2;
            });
        const std::string text = randomText(60);
        const auto from = static_cast<std::int32_t>(rng() % 70) - 5;
        const auto limit = static_cast<std::int32_t>(rng() % 70) - 5;
        pass.run(text, from, limit);
        std::int64_t previous = -1;
        for (const ColourSpan& r : pass.runs()) {
            ASSERT_GT(r.start, previous) << "round " << round;
            ASSERT_GE(r.end, r.start) << "round " << round;
            ASSERT_LT(r.end, static_cast<std::int32_t>(text.size())) << "round " << round;
            previous = r.end;
        }
    }
}
