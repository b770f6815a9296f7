// The scans of a colouring pass on the editor's own rules, the other rule settings, spans
// from an OnDraw handler, and the resolution of overlapping records into runs.
#include "colourpass.h"

#include <gtest/gtest.h>

#include <random>

using namespace vokc;
using vokc::test::ColourPass;

namespace {

struct EditorRules : ::testing::Test {
    ColourPass Pass;
    void SetUp() override { AddEditorColorRules(Pass.Rules); }
    std::string Paint(std::string_view Text, std::int32_t From = 0, std::int32_t Limit = -1) {
        Pass.Run(Text, From, Limit);
        return Pass.Paint();
    }
};

TColorRule& KeywordRule(ColourPass& Pass, const TStrings& Words) {
    TColorRule& Rule = Pass.Rules.Add();
    Rule.KeyDrawingType = dtKeyShow;
    Rule.SetKeywords(Words);
    return Rule;
}

} // namespace

TEST_F(EditorRules, BlockComments) {
    EXPECT_EQ(Paint("/* a */ b"), "ggggggg..");
    EXPECT_EQ(Paint("/*/x"), "ggg.");
    // The end key's last character may open the next comment.
    EXPECT_EQ(Paint("/*a*/*b*/"), "ggggggggg");
    EXPECT_EQ(Paint("/* un\r\ndeux */ x"), "gggggggggggggg..");
    // An opener that is never closed gets no colour; keywords after it keep theirs.
    EXPECT_EQ(Paint("/* ok */ x /* open if"), "gggggggg..........."
                                              "bb");
}

TEST_F(EditorRules, RegionEndsAtTheLimit) {
    const std::string Text = "x /* a\r\nb */ if\r\n";
    EXPECT_EQ(Paint(Text), "..gggggggggg.bb..");
    // Closed below the region: not coloured, and nothing past the limit is scanned.
    EXPECT_EQ(Paint(Text, 0, 8).substr(0, 8), "........");
    EXPECT_EQ(Pass.Runs().size(), 0u);
}

TEST_F(EditorRules, LineComments) {
    EXPECT_EQ(Paint("x = 1; // note\r\ny"), ".......ggggggg...");
    EXPECT_EQ(Paint("// a\r\n// b"), "gggg..gggg");
    EXPECT_EQ(Paint("a // if"), "..gggbb"); // a keyword stays blue in a comment
}

TEST_F(EditorRules, KeywordBoundaries) {
    EXPECT_EQ(Paint("If iff elseif if_x x2if"), "bb............bb.....bb");
    EXPECT_EQ(Paint("i++ i ++ #include # x"), "......bb..........b..");
    EXPECT_EQ(Paint("@if \xE9if"), ".....bb"); // '@' is a letter, code 233 is not
}

TEST_F(EditorRules, KeywordsFromALaterLine) {
    // Offsets found in the upper-cased copy map back onto the snapshot.
    EXPECT_EQ(Paint("if x\r\nx if(\r\n", 6), "........bb...");
    // The first scanned character has no letter before it.
    EXPECT_EQ(Paint("xif", 1), ".bb");
}

TEST_F(EditorRules, Priorities) {
    EXPECT_EQ(Paint("void main()"), "mmmm.mmmmmm"); // rule 4 stores after rule 3
    EXPECT_EQ(Paint("/* if */"), "gggbbggg");       // rule 3 stores after rule 1

    ColourPass First;
    TColorRule& Notes = KeywordRule(First, {"note;lime"});
    Notes.ZOrder = 1;
    AddEditorColorRules(First.Rules);
    First.Run("// note if");
    EXPECT_EQ(First.Paint(), "gggllllgbb");
}

TEST(KeywordRules, TrailingBlankCaseAndPartWord) {
    ColourPass Pass;
    TColorRule& Rule = KeywordRule(Pass, {"abs ;red"});
    Pass.Run("abs(x) abs (x) abs x");
    EXPECT_EQ(Pass.Paint(), ".......rrrr.........");

    Rule.KeyCase = true;
    Rule.SetKeywords({"If"});
    Pass.Run("If if IF");
    EXPECT_EQ(Pass.Paint(), "rr......");

    // Compiled without KeyCase, the keyword is upper case; setting KeyCase afterwards makes
    // the scan stop folding the text at once.
    Rule.KeyCase = false;
    Rule.SetKeywords({"if"});
    Rule.KeyCase = true;
    Pass.Run("if IF");
    EXPECT_EQ(Pass.Paint(), "...rr");

    Rule.KeyCase = false;
    Rule.PartWord = true;
    Pass.Run("iff elseif");
    EXPECT_EQ(Pass.Paint(), "rr......rr");
}

TEST(BeginEndRules, EarliestKeyFirstEntryOnTies) {
    ColourPass Pass;
    Pass.Rules.Add().SetKeyBegEndLst({"<<;>>;red", "<;>;blue"});
    Pass.Run("<<a>> <b>");
    EXPECT_EQ(Pass.Paint(), "rrrrr.bbb");

    // Entries remember their next occurrence between spans, and start afresh each pass.
    Pass.Rules[0].SetKeyBegEndLst({"(*;*);red", "{;};blue"});
    Pass.Run("{a} (*b*) {c} (*d*)");
    EXPECT_EQ(Pass.Paint(), "bbb.rrrrr.bbb.rrrrr");
    Pass.Run("(*x*) {y}");
    EXPECT_EQ(Pass.Paint(), "rrrrr.bbb");

    // A begin key without an end key is never closed.
    Pass.Rules[0].SetKeyBegEndLst({"<;", "{;};blue"});
    Pass.Run("{a} < {b}");
    EXPECT_EQ(Pass.Paint(), "bbb......");
}

TEST(EventDrawRules, SpansFromTheHandler) {
    ColourPass Pass;
    TColorRule& Rule = Pass.Rules.Add();
    Rule.KeyDrawingType = dtEventDraw;
    Rule.ZOrder = 5;
    int Calls = 0;
    std::string Seen;
    Pass.Host.OnDraw = [&](TColorRule& Sender, std::string_view FromPos, std::span<TKeyDescr> A,
                           std::int32_t& ItemsCount) {
        ++Calls;
        EXPECT_EQ(&Sender, &Rule);
        EXPECT_EQ(A.size(), 4u);
        EXPECT_EQ(A[0].Color, 0u); // the buffer is zeroed before each call
        Seen = FromPos;
        A[0] = {0, 1, clLime, 0, 0};
        A[1] = {3, 3, clRed, 7, 0};
        A[2] = {-10, 0, clBlue, 0, 0};  // before the text: left out
        A[3] = {2, 1000, clBlue, 0, 0}; // past the text: left out
        ItemsCount = 99;
    };
    Pass.Run("abcdefg", 2);
    EXPECT_EQ(Calls, 0); // no buffer yet
    Pass.Host.SetColorLimMax(4);
    Pass.Run("abcdefg", 2);
    EXPECT_EQ(Calls, 1);
    EXPECT_EQ(Seen, "cdefg");
    EXPECT_EQ(Pass.Paint(), "..ll.r.");
    const auto Runs = Pass.Runs();
    ASSERT_EQ(Runs.size(), 2u);
    EXPECT_EQ(Runs[0].ZOrder, 5);
    EXPECT_EQ(Runs[1].ZOrder, 7);
}

TEST(ResolveRuns, PriorityGapsAndAdjacentRecords) {
    TKeyDescrList List(2);
    TCellArray Cells;
    auto Resolve = [&](std::initializer_list<TKeyDescr> Records) {
        List.BeginPass();
        std::int32_t Next = 0;
        for (const TKeyDescr& R : Records)
            Next = List.Store(Next, R.StartPos, R.EndPos, R.Color, R.ZOrder, R.IsKeyword);
        ResolveRuns(List, List.ColoredRange, Cells);
        std::vector<std::array<std::int64_t, 4>> Out;
        for (const TKeyDescr& R : List) {
            if (R.StartPos == UnusedPos) break;
            Out.push_back({R.StartPos, R.EndPos, R.Color, R.ZOrder});
        }
        return Out;
    };
    using Runs = std::vector<std::array<std::int64_t, 4>>;

    // Same colour, different ZOrder: two runs. A gap of unset cells: no run.
    EXPECT_EQ(Resolve({{0, 2, clRed, 0, 0}, {3, 5, clRed, 1, 0}, {8, 9, clRed, 0, 0}}),
              (Runs{{0, 2, clRed, 0}, {3, 5, clRed, 1}, {8, 9, clRed, 0}}));
    // A higher ZOrder wins wherever it was stored; among equals the later record wins.
    EXPECT_EQ(Resolve({{0, 5, clBlue, 1, 0}, {2, 3, clRed, 0, 0}}), (Runs{{0, 5, clBlue, 1}}));
    EXPECT_EQ(Resolve({{0, 5, clBlue, 0, 0}, {2, 3, clRed, 0, 0}}),
              (Runs{{0, 1, clBlue, 0}, {2, 3, clRed, 0}, {4, 5, clBlue, 0}}));
    // Black spans stay apart from the uncoloured cells around them.
    EXPECT_EQ(Resolve({{0, 1, clBlack, 0, 0}, {4, 5, clRed, 0, 0}, {7, 8, clBlack, 0, 0}}),
              (Runs{{0, 1, clBlack, 0}, {4, 5, clRed, 0}, {7, 8, clBlack, 0}}));
    // Empty and unused records are ignored; fewer runs than records leave an end mark.
    EXPECT_EQ(Resolve({{4, 3, clRed, 0, 0}, {1, 2, clRed, 0, 0}, {UnusedPos, 2, clRed, 0, 0}}),
              (Runs{{1, 2, clRed, 0}}));
    EXPECT_EQ(List[1].StartPos, UnusedPos);
    EXPECT_EQ(Resolve({}), Runs{});
    EXPECT_EQ(List[0].StartPos, UnusedPos);
}

// Whatever the text and the rules, a pass ends and its runs are ordered, disjoint spans of
// the text.
TEST(ColourPassRobustness, RandomTextsAndRules) {
    std::mt19937 Rng(4);
    const std::string Alphabet = "ab/*;+$#\r\n \t{}()IfiF@\xE9\x01";
    auto RandomText = [&](std::size_t MaxLen) {
        std::string S(Rng() % (MaxLen + 1), ' ');
        for (char& C : S)
            C = Rng() % 50 == 0 ? '\0' : Alphabet[Rng() % Alphabet.size()];
        return S;
    };
    auto RandomList = [&] {
        TStrings L(Rng() % 5);
        for (std::string& S : L)
            S = RandomText(12);
        return L;
    };
    for (int Round = 0; Round < 1500; ++Round) {
        ColourPass Pass;
        if (Round % 7 == 0) AddEditorColorRules(Pass.Rules);
        for (int R = Rng() % 4; R > 0; --R) {
            TColorRule& Rule = Pass.Rules.Add();
            Rule.KeyDrawingType = static_cast<TKeyDrawingType>(Rng() % 4);
            Rule.ZOrder = static_cast<std::uint8_t>(Rng() % 3);
            Rule.KeyCase = Rng() % 2;
            Rule.PartWord = Rng() % 2;
            if (Rng() % 2)
                Rule.Keywords() = RandomList();
            else
                Rule.SetKeywords(RandomList());
            Rule.SetKeyBegEndLst(RandomList());
            Rule.SetKeyLineEndLst(RandomList());
        }
        Pass.Host.SetColorLimMax(Rng() % 3);
        Pass.Host.OnDraw = [&](TColorRule&, std::string_view, std::span<TKeyDescr> A,
                               std::int32_t& N) {
            for (TKeyDescr& D : A)
                D = {static_cast<std::int32_t>(Rng() % 40) - 10,
                     static_cast<std::int32_t>(Rng() % 40) - 10, 1,
                     static_cast<std::uint8_t>(Rng()), 0};
            N = static_cast<std::int32_t>(Rng() % 8) - 2;
        };
        const std::string Text = RandomText(60);
        const auto From = static_cast<std::int32_t>(Rng() % 70) - 5;
        const auto Limit = static_cast<std::int32_t>(Rng() % 70) - 5;
        Pass.Run(Text, From, Limit);
        std::int64_t Previous = -1;
        for (const TKeyDescr& R : Pass.Runs()) {
            ASSERT_GT(R.StartPos, Previous) << "round " << Round;
            ASSERT_GE(R.EndPos, R.StartPos) << "round " << Round;
            ASSERT_LT(R.EndPos, static_cast<std::int32_t>(Text.size())) << "round " << Round;
            Previous = R.EndPos;
        }
    }
}
