// Colour texts, the compilation of a rule's lists, copying rules, and when a collection
// compiles.
#include "colourpass.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace vokc;
using vokc::test::ColourPass;

TEST(ParseColour, NamesInAnyCaseAndBlanks) {
    EXPECT_EQ(ParseColour("navy"), 0x800000u);
    EXPECT_EQ(ParseColour("  Fuchsia\t"), 0xFF00FFu);
    EXPECT_EQ(ParseColour("MAROON"), 0x000080u);
    EXPECT_EQ(ParseColour("navyblue"), kWhite); // not a name, not a number
}

TEST(ParseColour, NumbersAreRedGreenBlue) {
    EXPECT_EQ(ParseColour("#00FF00"), 0x00FF00u);
    EXPECT_EQ(ParseColour("FF0000"), kRed);
    EXPECT_EQ(ParseColour("#FF0000"), kRed);
    EXPECT_EQ(ParseColour("$0000FF"), 0xFF0000u);
    EXPECT_EQ(ParseColour("#123456"), 0x563412u);
    EXPECT_EQ(ParseColour("ff"), 0xFF0000u);             // lower-case digits
    EXPECT_EQ(ParseColour("-$1"), 0xFFFFFFu);            // $FFFFFFFF, highest byte dropped
    EXPECT_EQ(ParseColour("00000000FF0000"), 0xFF0000u); // only the first 10 characters count
}

TEST(ParseColour, FailuresGiveWhite) {
    for (const char* bad : {"zz", "", "#", "$", "12$", "$-1", "$1FFFFFFFF", "FF 00", "#$#1"})
        EXPECT_EQ(ParseColour(bad), kWhite) << '"' << bad << '"';
}

TEST(CompileKeywords, ProgramAndColourTable) {
    ColourRule rule;
    rule.setKind(RuleKind::Keywords);
    rule.setKeywords({"if;red", "", "   ", "else ; blue", "for;  red ", "do"});
    EXPECT_EQ(rule.keywordProgram(), std::string("*IF*+\x01*ELSE *+\x02*FOR*+\x01*DO*+\x01*"));
    ASSERT_EQ(rule.colourTable().size(), 2u);
    EXPECT_EQ(rule.colourTable()[0], kRed); // "do" takes the default colour, red too
    EXPECT_EQ(rule.colourTable()[1], kBlue);

    rule.setMatchCase(true);
    rule.setDefaultColour(kLime);
    rule.setKeywords({"If", ";red", " ;red", "x*+y", std::string(40, 'k')});
    EXPECT_EQ(rule.keywordProgram(),
              "*If*+\x01*" + std::string(kKeywordLengthMax, 'k') + "*+\x01*");
    EXPECT_EQ(rule.colourTable()[0], kLime);
}

// A 42nd distinct colour finds the table full: its keyword keeps the previous keyword's
// colour, while colours already in the table are still found.
TEST(CompileKeywords, FortySecondColour) {
    ColourPass pass;
    ColourRule& rule = pass.rules.add();
    rule.setKind(RuleKind::Keywords);
    StringList words;
    std::string text;
    for (int i = 0; i < 43; ++i) {
        const std::string word = "k" + std::to_string(i) + "z";
        char colourText[16];
        std::snprintf(colourText, sizeof colourText, "#%06X",
                      i == 42 ? 0 : i); // 43rd repeats the 1st
        words.push_back(word + ";" + colourText);
        text += word + " ";
    }
    rule.setKeywords(words);
    ASSERT_EQ(rule.colourTable().size(), 41u);
    pass.run(text);
    std::vector<Colour> colours;
    for (const ColourSpan& r : pass.runs())
        colours.push_back(r.colour);
    ASSERT_EQ(colours.size(), 43u);
    EXPECT_EQ(colours[41], colours[40]);
    EXPECT_EQ(colours[42], colours[0]);
    EXPECT_NE(colours[40], colours[39]);
}

// The key table as "begin|end|colour" texts, "-" for an empty entry.
std::vector<std::string> Entries(const ColourRule& rule, std::size_t count) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < count; ++i) {
        const KeyEntry& e = rule.keyTable()->at(i);
        char colourText[12];
        std::snprintf(colourText, sizeof colourText, "%06X", e.colour);
        out.push_back(e.beginLength ? std::string(e.beginKey()) + "|" + std::string(e.endKey()) +
                                          "|" + colourText
                                    : "-");
    }
    return out;
}

using Texts = std::vector<std::string>;

TEST(CompileKeyTable, BeginEndLines) {
    ColourRule rule;
    rule.setDefaultColour(kGrey);
    rule.setBeginEndKeys({"/*;*/", "<<<<<<<<;>>>>>>>>; lime ", "(*;*);", "{;}", "a;b;c;d"});
    EXPECT_EQ(Entries(rule, 5), (Texts{"/*|*/|808080", "<<<<<<|>>>>>>|00FF00", "(*|*)|808080",
                                       "{|}|808080", "a|b|FFFFFF"}));
    // A line without a separator after its first character stays empty; a shorter list
    // clears what a longer one left.
    rule.setBeginEndKeys({"ab;cd", ";x", "noseparator", "ef;gh"});
    EXPECT_EQ(Entries(rule, 5), (Texts{"ab|cd|808080", "-", "-", "ef|gh|808080", "-"}));
}

TEST(CompileKeyTable, LineKeysAndFortyLines) {
    ColourRule rule;
    rule.setDefaultColour(kGrey);
    rule.setLineKeys({"//", "--;blue", ";;red", ";x", ";", "remark;", ""});
    EXPECT_EQ(Entries(rule, 7), (Texts{"//||808080", "--||FF0000", ";||0000FF", ";x||808080",
                                       ";||808080", "remark||808080", "-"}));
    StringList many;
    for (int i = 0; i < 45; ++i)
        many.push_back("k" + std::to_string(i));
    rule.setLineKeys(many);
    EXPECT_EQ(rule.keyTable()->back().beginKey(), "k39");
}

TEST(CompileRule, ResultAndCollectionFlag) {
    ColourPass pass;
    ColourRule& line = pass.rules.add();
    line.setKind(RuleKind::LineEnd);
    ColourRule& words = pass.rules.add();
    words.setKind(RuleKind::Keywords);

    PrepareRules(pass.rules);
    EXPECT_TRUE(pass.rules.needsCompiling()); // nothing to compile yet: try again next pass
    EXPECT_FALSE(CompileRule(line));

    // Lists filled in place, as stored settings are read, are compiled at the next pass.
    line.lineKeys().push_back("//");
    words.keywords().push_back("if");
    pass.run("if x // y");
    EXPECT_FALSE(pass.rules.needsCompiling());
    EXPECT_EQ(pass.paint(), "rr...rrrr"); // both rules in the default red

    // A RuleKind::LineEnd rule: the line keys replace the begin/end keys compiled first.
    line.beginEndKeys().push_back("<;>");
    EXPECT_TRUE(CompileRule(line));
    EXPECT_EQ(line.keyTable()->at(0).beginKey(), "//");

    // Once compiled, in-place changes wait for a writer.
    words.keywords().push_back("x");
    pass.run("if x // y");
    EXPECT_EQ(pass.paint(), "rr...rrrr"); // both rules in the default red
}

TEST(Assign, CopiesSettingsAndKeepsTheRuleWorking) {
    ColourRule source;
    source.setKind(RuleKind::LineEnd);
    source.setPriority(3);
    source.setLookBackLines(5);
    source.setMatchCase(true);
    source.setEnabled(false);
    source.setMatchInsideWords(true);
    source.setDefaultColour(kGrey);
    source.setLineKeys({"//"});
    source.setBeginEndKeys({"<;>"});       // the table now holds "<" (the last list written)
    source.setLineKeys(source.lineKeys()); // and back to "//", writing its own list

    ColourPass pass;
    ColourRule& copy = pass.rules.add();
    copy.assign(source);
    EXPECT_EQ(copy.priority(), 3);
    EXPECT_EQ(copy.lookBackLines(), 5);
    EXPECT_TRUE(copy.matchCase());
    EXPECT_FALSE(copy.isEnabled());
    EXPECT_TRUE(copy.matchInsideWords());
    EXPECT_EQ(copy.defaultColour(), kGrey);
    EXPECT_EQ(copy.beginEndKeys(), StringList{"<;>"});
    EXPECT_EQ(copy.lineKeys(), StringList{"//"});

    // Copied after the collection's first compile, the line rule still finds its key.
    copy.setEnabled(true);
    pass.run("a // b < c >");
    pass.rules[0].assign(source);
    pass.rules[0].setEnabled(true);
    pass.run("a // b < c >");
    EXPECT_EQ(pass.paint(), "..gggggggggg");

    ColourRules other;
    other.assign(pass.rules);
    ASSERT_EQ(other.count(), 1);
    EXPECT_EQ(other[0].keyTable()->at(0).beginKey(), "//");
}
