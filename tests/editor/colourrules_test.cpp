// Colour texts, the compilation of a rule's lists, copying rules, and when a collection
// compiles.
#include "colourpass.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace vokc;
using vokc::test::ColourPass;

TEST(ParseColor, NamesInAnyCaseAndBlanks) {
    EXPECT_EQ(ParseColor("navy"), 0x800000u);
    EXPECT_EQ(ParseColor("  Fuchsia\t"), 0xFF00FFu);
    EXPECT_EQ(ParseColor("MAROON"), 0x000080u);
    EXPECT_EQ(ParseColor("navyblue"), clWhite); // not a name, not a number
}

TEST(ParseColor, NumbersAreRedGreenBlue) {
    EXPECT_EQ(ParseColor("#00FF00"), 0x00FF00u);
    EXPECT_EQ(ParseColor("FF0000"), clRed);
    EXPECT_EQ(ParseColor("#FF0000"), clRed);
    EXPECT_EQ(ParseColor("$0000FF"), 0xFF0000u);
    EXPECT_EQ(ParseColor("#123456"), 0x563412u);
    EXPECT_EQ(ParseColor("ff"), 0xFF0000u);             // lower-case digits
    EXPECT_EQ(ParseColor("-$1"), 0xFFFFFFu);            // $FFFFFFFF, highest byte dropped
    EXPECT_EQ(ParseColor("00000000FF0000"), 0xFF0000u); // only the first 10 characters count
}

TEST(ParseColor, FailuresGiveWhite) {
    for (const char* Bad : {"zz", "", "#", "$", "12$", "$-1", "$1FFFFFFFF", "FF 00", "#$#1"})
        EXPECT_EQ(ParseColor(Bad), clWhite) << '"' << Bad << '"';
}

TEST(CompileKeywords, ProgramAndColourTable) {
    TColorRule Rule;
    Rule.KeyDrawingType = dtKeyShow;
    Rule.SetKeywords({"if;red", "", "   ", "else ; blue", "for;  red ", "do"});
    EXPECT_EQ(Rule.KeywordProgram(), std::string("*IF*+\x01*ELSE *+\x02*FOR*+\x01*DO*+\x01*"));
    ASSERT_EQ(Rule.ColorTable().size(), 2u);
    EXPECT_EQ(Rule.ColorTable()[0], clRed); // "do" takes the default colour, red too
    EXPECT_EQ(Rule.ColorTable()[1], clBlue);

    Rule.KeyCase = true;
    Rule.DefKeyColor = clLime;
    Rule.SetKeywords({"If", ";red", " ;red", "x*+y", std::string(40, 'k')});
    EXPECT_EQ(Rule.KeywordProgram(), "*If*+\x01*" + std::string(KeywordLenMax, 'k') + "*+\x01*");
    EXPECT_EQ(Rule.ColorTable()[0], clLime);
}

// A 42nd distinct colour finds the table full: its keyword keeps the previous keyword's
// colour, while colours already in the table are still found.
TEST(CompileKeywords, FortySecondColour) {
    ColourPass Pass;
    TColorRule& Rule = Pass.Rules.Add();
    Rule.KeyDrawingType = dtKeyShow;
    TStrings Words;
    std::string Text;
    for (int I = 0; I < 43; ++I) {
        const std::string Word = "k" + std::to_string(I) + "z";
        char Colour[16];
        std::snprintf(Colour, sizeof Colour, "#%06X", I == 42 ? 0 : I); // 43rd repeats the 1st
        Words.push_back(Word + ";" + Colour);
        Text += Word + " ";
    }
    Rule.SetKeywords(Words);
    ASSERT_EQ(Rule.ColorTable().size(), 41u);
    Pass.Run(Text);
    std::vector<TColor> Colours;
    for (const TKeyDescr& R : Pass.Runs())
        Colours.push_back(R.Color);
    ASSERT_EQ(Colours.size(), 43u);
    EXPECT_EQ(Colours[41], Colours[40]);
    EXPECT_EQ(Colours[42], Colours[0]);
    EXPECT_NE(Colours[40], Colours[39]);
}

// The key table as "begin|end|colour" texts, "-" for an empty entry.
std::vector<std::string> Entries(const TColorRule& Rule, std::size_t Count) {
    std::vector<std::string> Out;
    for (std::size_t I = 0; I < Count; ++I) {
        const KeyEntry& E = Rule.KeyTable()->at(I);
        char Colour[12];
        std::snprintf(Colour, sizeof Colour, "%06X", E.Color);
        Out.push_back(E.BeginLen
                          ? std::string(E.BeginKey()) + "|" + std::string(E.EndKey()) + "|" + Colour
                          : "-");
    }
    return Out;
}

using Texts = std::vector<std::string>;

TEST(CompileKeyTable, BeginEndLines) {
    TColorRule Rule;
    Rule.DefKeyColor = clGray;
    Rule.SetKeyBegEndLst({"/*;*/", "<<<<<<<<;>>>>>>>>; lime ", "(*;*);", "{;}", "a;b;c;d"});
    EXPECT_EQ(Entries(Rule, 5), (Texts{"/*|*/|808080", "<<<<<<|>>>>>>|00FF00", "(*|*)|808080",
                                       "{|}|808080", "a|b|FFFFFF"}));
    // A line without a separator after its first character stays empty; a shorter list
    // clears what a longer one left.
    Rule.SetKeyBegEndLst({"ab;cd", ";x", "noseparator", "ef;gh"});
    EXPECT_EQ(Entries(Rule, 5), (Texts{"ab|cd|808080", "-", "-", "ef|gh|808080", "-"}));
}

TEST(CompileKeyTable, LineKeysAndFortyLines) {
    TColorRule Rule;
    Rule.DefKeyColor = clGray;
    Rule.SetKeyLineEndLst({"//", "--;blue", ";;red", ";x", ";", "remark;", ""});
    EXPECT_EQ(Entries(Rule, 7), (Texts{"//||808080", "--||FF0000", ";||0000FF", ";x||808080",
                                       ";||808080", "remark||808080", "-"}));
    TStrings Many;
    for (int I = 0; I < 45; ++I)
        Many.push_back("k" + std::to_string(I));
    Rule.SetKeyLineEndLst(Many);
    EXPECT_EQ(Rule.KeyTable()->back().BeginKey(), "k39");
}

TEST(CompileRule, ResultAndCollectionFlag) {
    ColourPass Pass;
    TColorRule& Line = Pass.Rules.Add();
    Line.KeyDrawingType = dtBeginLineEnd;
    TColorRule& Words = Pass.Rules.Add();
    Words.KeyDrawingType = dtKeyShow;

    PrepareRules(Pass.Rules);
    EXPECT_TRUE(Pass.Rules.ToCompile()); // nothing to compile yet: try again next pass
    EXPECT_FALSE(CompileRule(Line));

    // Lists filled in place, as stored settings are read, are compiled at the next pass.
    Line.KeyLineEndLst().push_back("//");
    Words.Keywords().push_back("if");
    Pass.Run("if x // y");
    EXPECT_FALSE(Pass.Rules.ToCompile());
    EXPECT_EQ(Pass.Paint(), "rr...rrrr"); // both rules in the default red

    // A dtBeginLineEnd rule: the line keys replace the begin/end keys compiled first.
    Line.KeyBegEndLst().push_back("<;>");
    EXPECT_TRUE(CompileRule(Line));
    EXPECT_EQ(Line.KeyTable()->at(0).BeginKey(), "//");

    // Once compiled, in-place changes wait for a writer.
    Words.Keywords().push_back("x");
    Pass.Run("if x // y");
    EXPECT_EQ(Pass.Paint(), "rr...rrrr"); // both rules in the default red
}

TEST(Assign, CopiesSettingsAndKeepsTheRuleWorking) {
    TColorRule Source;
    Source.KeyDrawingType = dtBeginLineEnd;
    Source.ZOrder = 3;
    Source.KeyMaxHeight = 5;
    Source.KeyCase = true;
    Source.Enabled = false;
    Source.PartWord = true;
    Source.DefKeyColor = clGray;
    Source.SetKeyLineEndLst({"//"});
    Source.SetKeyBegEndLst({"<;>"}); // the table now holds "<" (the last list written)
    Source.SetKeyLineEndLst(Source.KeyLineEndLst()); // and back to "//", writing its own list

    ColourPass Pass;
    TColorRule& Copy = Pass.Rules.Add();
    Copy.Assign(Source);
    EXPECT_EQ(Copy.ZOrder, 3);
    EXPECT_EQ(Copy.KeyMaxHeight, 5);
    EXPECT_TRUE(Copy.KeyCase);
    EXPECT_FALSE(Copy.Enabled);
    EXPECT_TRUE(Copy.PartWord);
    EXPECT_EQ(Copy.DefKeyColor, clGray);
    EXPECT_EQ(Copy.KeyBegEndLst(), TStrings{"<;>"});
    EXPECT_EQ(Copy.KeyLineEndLst(), TStrings{"//"});

    // Copied after the collection's first compile, the line rule still finds its key.
    Copy.Enabled = true;
    Pass.Run("a // b < c >");
    Pass.Rules[0].Assign(Source);
    Pass.Rules[0].Enabled = true;
    Pass.Run("a // b < c >");
    EXPECT_EQ(Pass.Paint(), "..gggggggggg");

    TDrawRules Other;
    Other.Assign(Pass.Rules);
    ASSERT_EQ(Other.Count(), 1);
    EXPECT_EQ(Other[0].KeyTable()->at(0).BeginKey(), "//");
}
