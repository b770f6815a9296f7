// Skeleton texts, caret placement of the generator commands, and the keyword list.
#include "skeletons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using vokc::Insertion;
using vokc::SkeletonText;

// The editor's text after a command: the insertion applied at [selStart, selEnd).
struct Edited {
    SkeletonText text;
    long caret;
};
Edited Apply(SkeletonText doc, long selStart, long selEnd, const Insertion& ins) {
    if (!ins.edit) return {doc, selEnd};
    doc.replace(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selEnd - selStart),
                ins.text);
    const long after = selStart + static_cast<long>(ins.text.size());
    return {doc, ins.caret.value_or(after)};
}

// The lines of a text, and the line a caret offset is on (an offset between CR and LF
// stands for the end of the line before it).
std::vector<SkeletonText> Lines(const SkeletonText& doc) {
    std::vector<SkeletonText> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = doc.find(u"\r\n", from)) != SkeletonText::npos; from = end + 2)
        lines.push_back(doc.substr(from, end - from));
    lines.push_back(doc.substr(from));
    return lines;
}
std::size_t LineOf(const SkeletonText& doc, long caret) {
    return static_cast<std::size_t>(std::count(doc.begin(), doc.begin() + caret, u'\n'));
}

vokc::ConditionFields Cond(SkeletonText a, int op, SkeletonText b) {
    vokc::ConditionFields f;
    f.operand1 = std::move(a);
    f.operatorIndex = op;
    f.operand2 = std::move(b);
    return f;
}

TEST(Skeletons, ForLoopsBothWays) {
    vokc::ForFields f{u"i", u"1", u"10", false};
    EXPECT_EQ(vokc::ForSkeleton(f, true), u"For (i=1; i<=10; i++)\r\n{\r\n\r\n}");
    f = {u"i", u"10", u"1", true};
    EXPECT_EQ(vokc::ForSkeleton(f, true), u"For (i=10; i>=1; i--)\r\n{\r\n\r\n}");
    // Operands are written as typed, blanks and accents included.
    f = {u" é", u"", u"n ", false};
    EXPECT_EQ(vokc::ForSkeleton(f, true), u"For ( é=;  é<=n ;  é++)\r\n{\r\n\r\n}");
    EXPECT_EQ(vokc::ForSkeleton(f, false), u"");
    f.counter.clear();
    EXPECT_EQ(vokc::ForSkeleton(f, true), u"");
}

TEST(Skeletons, ConditionsWithEveryOperator) {
    const char16_t* ops[] = {u"==", u"<", u">", u"<=", u">=", u"!="};
    for (int i = 0; i < 6; ++i) {
        const SkeletonText op = ops[i];
        const auto f = Cond(u"a", i, u"b");
        EXPECT_EQ(vokc::WhileSkeleton(f, true), u"While (a" + op + u"b)\r\n{\r\n\r\n}");
        EXPECT_EQ(vokc::DoSkeleton(f, true), u"Do\r\n{\r\n\r\n}\r\nWhile (a" + op + u"b);");
        EXPECT_EQ(vokc::IfSkeleton(f, false, true), u"If (a" + op + u"b)\r\n{\r\n\r\n}");
    }
    EXPECT_EQ(vokc::IfSkeleton(Cond(u"x", 0, u"1"), true, true),
              u"If (x==1)\r\n{\r\n\r\n}\r\nElse\r\n{\r\n\r\n}");
    // An empty second operand is kept; a missing operator or first operand gives nothing.
    EXPECT_EQ(vokc::WhileSkeleton(Cond(u"a", 1, u""), true), u"While (a<)\r\n{\r\n\r\n}");
    for (int bad : {-1, 6, 1000}) {
        EXPECT_EQ(vokc::WhileSkeleton(Cond(u"a", bad, u"b"), true), u"") << bad;
        EXPECT_EQ(vokc::DoSkeleton(Cond(u"a", bad, u"b"), true), u"") << bad;
        EXPECT_EQ(vokc::IfSkeleton(Cond(u"a", bad, u"b"), true, true), u"") << bad;
    }
    EXPECT_EQ(vokc::WhileSkeleton(Cond(u"", 0, u"b"), true), u"");
    EXPECT_EQ(vokc::DoSkeleton(Cond(u"a", 0, u"b"), false), u"");
    EXPECT_EQ(vokc::IfSkeleton(Cond(u"a", 0, u"b"), true, false), u"");
}

TEST(Skeletons, FileOpenAndClose) {
    EXPECT_EQ(vokc::FileSkeleton({u"f", u"essai.txt", vokc::kFileWrite}, true),
              u"f=Fopen(\"essai.txt\",\"w+t\");\r\n\r\nFclose(f);");
    // Nothing is checked: empty fields still give both statements.
    EXPECT_EQ(vokc::FileSkeleton({u"", u"", vokc::kFileRead}, true),
              u"=Fopen(\"\",\"r+t\");\r\n\r\nFclose();");
    EXPECT_EQ(vokc::FileSkeleton({u"f", u"x", vokc::kFileRead}, false), u"");
}

// Every generator, inserted in a document with its caret on the empty body line.
TEST(Insertions, CaretLandsOnTheEmptyLine) {
    const SkeletonText doc = u"main()\r\n{\r\nXY\r\n}";
    const long at = 11; // before "XY"
    struct Case {
        const char* name;
        Insertion ins;
        SkeletonText above; // the two lines above the caret's line, joined by '|'
    };
    const SkeletonText forText = vokc::ForSkeleton({u"i", u"1", u"10", false}, true);
    const SkeletonText whileText = vokc::WhileSkeleton(Cond(u"i", 1, u"3"), true);
    const SkeletonText doText = vokc::DoSkeleton(Cond(u"i", 1, u"3"), true);
    const SkeletonText ifText = vokc::IfSkeleton(Cond(u"i", 0, u"3"), false, true);
    const SkeletonText ifElse = vokc::IfSkeleton(Cond(u"i", 0, u"3"), true, true);
    const SkeletonText fileText = vokc::FileSkeleton({u"f", u"a.txt", vokc::kFileRead}, true);
    const Case cases[] = {
        {"for", vokc::ForInsertion(forText, true, at), u"For (i=1; i<=10; i++)|{"},
        {"while", vokc::WhileInsertion(whileText, true, at), u"While (i<3)|{"},
        {"do", vokc::DoInsertion(doText, true, at), u"Do|{"},
        {"if", vokc::IfInsertion(ifText, true, at), u"If (i==3)|{"},
        {"if else", vokc::IfInsertion(ifElse, true, at), u"If (i==3)|{"},
        {"file", vokc::FileInsertion(fileText, true, at), u"{|f=Fopen(\"a.txt\",\"r+t\");"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Edited e = Apply(doc, at, at, c.ins);
        EXPECT_EQ(e.text, doc.substr(0, at) + c.ins.text + doc.substr(at));
        ASSERT_TRUE(c.ins.caret.has_value());
        const auto lines = Lines(e.text);
        const std::size_t line = LineOf(e.text, *c.ins.caret);
        ASSERT_GT(line, 1u);
        EXPECT_EQ(lines[line], u"");
        EXPECT_EQ(lines[line - 2] + u"|" + lines[line - 1], c.above);
    }
    // The exact offsets: p - 2, q + 7, p - 17, and p - d for the file.
    const long p = at + static_cast<long>(forText.size());
    EXPECT_EQ(vokc::ForInsertion(forText, true, at).caret, p - 2);
    EXPECT_EQ(vokc::DoInsertion(doText, true, at).caret, at + 7);
    EXPECT_EQ(vokc::IfInsertion(ifElse, true, at).caret,
              at + static_cast<long>(ifElse.size()) - 17);
    EXPECT_EQ(vokc::FileInsertion(fileText, true, at).caret,
              at + static_cast<long>(fileText.size()) -
                  (static_cast<long>(fileText.size()) - 28 + 2));
}

TEST(Insertions, CancelledDialogsAndTheSelection) {
    const SkeletonText doc = u"abc SELECTED def";
    // for, while, do, file: the empty text replaces the selection, the caret follows it.
    for (const Insertion& ins :
         {vokc::ForInsertion(u"", false, 4), vokc::WhileInsertion(u"", false, 4),
          vokc::DoInsertion(u"", false, 4), vokc::FileInsertion(u"", false, 4)}) {
        const Edited e = Apply(doc, 4, 12, ins);
        EXPECT_EQ(e.text, u"abc  def");
        EXPECT_EQ(e.caret, 4);
    }
    // if: the editor is left untouched.
    const Edited e = Apply(doc, 4, 12, vokc::IfInsertion(u"", false, 4));
    EXPECT_EQ(e.text, doc);
    EXPECT_EQ(e.caret, 12);
}

TEST(Insertions, ConfirmedButIncompleteMovesNothingBack) {
    // OK without an operator (or without the counter): the selection goes, nothing is
    // inserted, and the caret stays where the text would have been, even at offset 0.
    for (const Insertion& ins :
         {vokc::ForInsertion(u"", true, 0), vokc::WhileInsertion(u"", true, 0),
          vokc::DoInsertion(u"", true, 0), vokc::IfInsertion(u"", true, 0)}) {
        EXPECT_TRUE(ins.edit);
        EXPECT_TRUE(ins.text.empty());
        EXPECT_FALSE(ins.caret.has_value());
        EXPECT_EQ(Apply(u"XYZ", 0, 2, ins).text, u"Z");
    }
}

TEST(Insertions, QuirksOfTheTextSearches) {
    // "Else" inside an operand of an if without else still takes the caret 15 further.
    const SkeletonText t = vokc::IfSkeleton(Cond(u"Else", 0, u"1"), false, true);
    EXPECT_EQ(vokc::IfInsertion(t, true, 5).caret, 5 + static_cast<long>(t.size()) - 17);
    EXPECT_EQ(
        vokc::IfInsertion(vokc::IfSkeleton(Cond(u"else", 0, u"1"), false, true), true, 5).caret,
        5 + static_cast<long>(t.size()) - 2);
    // A file variable named Fclose...: the first "Fclose" is then the variable, and the
    // caret goes back before the text but never before the start of the document.
    const SkeletonText f = vokc::FileSkeleton({u"Fclose", u"a", vokc::kFileRead}, true);
    EXPECT_EQ(vokc::FileInsertion(f, true, 3).caret, 2);
    EXPECT_EQ(vokc::FileInsertion(f, true, 0).caret, 0);
}

TEST(Insertions, KeywordPicker) {
    const Edited e = Apply(u"x = ;", 4, 4, vokc::KeywordInsertion(u"atoi"));
    EXPECT_EQ(e.text, u"x = atoi;");
    EXPECT_EQ(e.caret, 8);
    EXPECT_FALSE(vokc::KeywordInsertion(u"").edit);
}

TEST(Keywords, FiftyFiveInTheListedOrder) {
    const auto& k = vokc::Keywords();
    EXPECT_EQ(k.front(), "--");
    EXPECT_EQ(k[2], "{");
    EXPECT_EQ(k[14], "currentdate()");
    EXPECT_EQ(k[33], "main()");
    EXPECT_EQ(k.back(), "void");
    // From "abs" on, the words are in plain alphabetical order, each once.
    EXPECT_TRUE(std::is_sorted(k.begin() + 5, k.end()));
    EXPECT_EQ(std::adjacent_find(k.begin() + 5, k.end()), k.end());
    EXPECT_NE(std::find(k.begin(), k.end(), "catestring"), k.end());
    EXPECT_NE(std::find(k.begin(), k.end(), "eabs"), k.end());
}

} // namespace
