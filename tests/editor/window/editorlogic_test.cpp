// The editor's logic without windows: naming, search, indentation, procedures, files.
#include <gtest/gtest.h>

#include "editorlogic.h"

using namespace vokc::editor;

namespace {
std::optional<std::size_t> Find(std::u16string_view buf, std::size_t selStart, std::size_t selLen,
                                std::u16string_view text, bool down, bool matchCase, bool word) {
    return SearchBuf(buf, selStart, selLen, text, SearchOptions{down, matchCase, word});
}
} // namespace

TEST(EditorLogic, SaveAsNamingRule) {
    EXPECT_EQ(SaveAsName("/home/eleve/essai.txt"), "/home/eleve/essai.c");
    EXPECT_EQ(SaveAsName("/home/eleve/essai"), "/home/eleve/essai.c");
    EXPECT_EQ(SaveAsName("/home/v1.2/essai.tar.gz"), "/home/v1.2/essai.c");
    EXPECT_EQ(SaveAsName("/home/v1.2/essai"), "/home/v1.2/essai.c");
    EXPECT_EQ(FileNamePart("/a/b/essai.c"), "essai.c");
}

TEST(EditorLogic, SearchBothWaysAndAtTheEnds) {
    std::u16string text = u"int x;\r\nprint(x); fin";
    EXPECT_EQ(Find(text, 0, 0, u"fin", true, false, false), text.size() - 3);
    EXPECT_EQ(Find(text, 5, 0, u"INT", false, false, false), 0u);
    // Downwards starts after the selection; upwards a match must end before it.
    EXPECT_EQ(Find(text, 0, 3, u"int", true, false, false), 10u); // inside "print"
    EXPECT_EQ(Find(text, 0, 3, u"int", false, false, false), std::nullopt);
    EXPECT_EQ(Find(text, 0, 0, u"INT", true, true, false), std::nullopt);
    EXPECT_EQ(Find(u"", 0, 0, u"a", true, false, false), std::nullopt);
    EXPECT_EQ(Find(text, 0, 0, u"", true, false, false), std::nullopt);
    // Accented letters fold with the locale's rule.
    EXPECT_EQ(Find(u"D\u00C9BUT d\u00e9but", 6, 0, u"d\u00e9but", false, false, false), 0u);
}

TEST(EditorLogic, WholeWordSearch) {
    std::u16string text = u"x print intx int_x int";
    auto at = Find(text, 0, 0, u"int", true, false, true);
    ASSERT_TRUE(at);
    EXPECT_EQ(text.substr(*at, 5), u"int_x"); // the underscore ends the word
    auto next = Find(text, *at, 3, u"int", true, false, true);
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, text.size() - 3); // the last word, with nothing after it
    EXPECT_EQ(Find(text, text.size(), 0, u"int", false, false, true), text.size() - 3);
    // A word at the very start is skipped downwards from offset 0 but found upwards.
    EXPECT_EQ(Find(u"int a", 0, 0, u"int", true, false, true), std::nullopt);
    EXPECT_EQ(Find(u"int a", 5, 0, u"int", false, false, true), 0u);
}

TEST(EditorLogic, SearchHasNoLengthLimit) {
    std::u16string big(200000, u'a');
    big += u"cible";
    EXPECT_EQ(Find(big, 0, 0, u"cible", true, false, false), 200000u);
}

TEST(EditorLogic, AutoIndentation) {
    Lines lines = {u"main()", u"{", u"   x = 1", u"", u"", u"  y"};
    // End of the indented line: a break and three blanks.
    long end = static_cast<long>(LineStart(lines, 2) + lines[2].size());
    EXPECT_EQ(AutoIndent(lines, end), u"   ");
    // Start of an indented line: the indentation of the line above (here none).
    EXPECT_EQ(AutoIndent(lines, static_cast<long>(LineStart(lines, 5))), u"");
    // Start of the line after an indented one copies that one.
    EXPECT_EQ(AutoIndent(lines, static_cast<long>(LineStart(lines, 3))), u"   ");
    // First line, or the first two positions of the second: Enter is left alone.
    EXPECT_EQ(AutoIndent(lines, 3), std::nullopt);
    EXPECT_EQ(AutoIndent(lines, static_cast<long>(LineStart(lines, 1))), std::nullopt);
}

TEST(EditorLogic, ProcedureList) {
    Lines lines = {u"int affiche;", u"void affiche()", u"  VOID f()", u"voidx", u"int main()", u""};
    Lines items = ProcedureItems(lines);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], u"void affiche()");
    EXPECT_EQ(items[1], u"VOID f()");
    EXPECT_EQ(items[2], u"voidx");
    EXPECT_EQ(LineContaining(lines, u"VOID f()"), 2u);
    EXPECT_EQ(LineStart(lines, 2), 12u + 2 + 14 + 2);
}

TEST(EditorLogic, FilesKeepEncodingAndLineEnds) {
    FileFormat format;
    // Windows-1252 with CR LF and a breakpoint marker.
    Lines lines = DecodeProgramFile("\xBBx = 1\r\nputs(\"\xE9t\xE9\")\r\n", format);
    EXPECT_EQ(format.encoding, Encoding::Windows1252);
    EXPECT_EQ(format.lineEnd, LineEnd::CrLf);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][0], vokc::kBreakMarkerUtf16);
    EXPECT_EQ(lines[1], u"puts(\"\u00e9t\u00e9\")");
    std::string bytes;
    EXPECT_TRUE(EncodeProgramFile(lines, format, bytes));
    EXPECT_EQ(bytes, "\xBBx = 1\r\nputs(\"\xE9t\xE9\")\r\n");
    // UTF-8 with LF stays so.
    lines = DecodeProgramFile("a\n\xC3\xA9t\xC3\xA9\n", format);
    EXPECT_EQ(format.encoding, Encoding::Utf8);
    EXPECT_EQ(format.lineEnd, LineEnd::Lf);
    EncodeProgramFile(lines, format, bytes);
    EXPECT_EQ(bytes, "a\n\xC3\xA9t\xC3\xA9\n");
    // A character Windows-1252 cannot hold is reported rather than silently lost.
    format = FileFormat{};
    EXPECT_FALSE(EncodeProgramFile({u"\u4E2D"}, format, bytes));
    // So is a paragraph separator inside a line; saved in UTF-8, it is kept as it was.
    EXPECT_FALSE(EncodeProgramFile({u"a\u2029b"}, format, bytes));
    format.encoding = Encoding::Utf8;
    EXPECT_TRUE(EncodeProgramFile({u"a\u2029b"}, format, bytes));
    EXPECT_EQ(bytes, "a\xE2\x80\xA9"
                     "b\r\n");
    // Plain ASCII counts as Windows-1252; a last line without its line end is kept.
    lines = DecodeProgramFile("a\rb", format);
    EXPECT_EQ(format.encoding, Encoding::Windows1252);
    EXPECT_EQ(format.lineEnd, LineEnd::Cr);
    EXPECT_EQ(lines, (Lines{u"a", u"b"}));
    EncodeProgramFile(lines, format, bytes);
    EXPECT_EQ(bytes, "a\rb");
    lines = DecodeProgramFile("\xEF\xBB\xBF"
                              "a\r\n\r\nb",
                              format);
    EXPECT_EQ(lines, (Lines{u"a", u"", u"b"}));
    lines.push_back(u"c");
    EncodeProgramFile(lines, format, bytes);
    EXPECT_EQ(bytes, "\xEF\xBB\xBF"
                     "a\r\n\r\nb\r\nc");
    // An empty file, and a file that ends with its line end, get one after every line.
    lines = DecodeProgramFile("", format);
    EncodeProgramFile({u"x"}, format, bytes);
    EXPECT_EQ(bytes, "x\r\n");
}

// A byte-order mark is left out of the first line and written back on saving, as long
// as the file stays UTF-8.
TEST(EditorLogic, ByteOrderMarkIsKeptOutOfTheTextAndWrittenBack) {
    FileFormat format;
    Lines lines = DecodeProgramFile("\xEF\xBB\xBFint x\r\n\xC3\xA9\r\n", format);
    EXPECT_EQ(lines, (Lines{u"int x", u"\u00e9"}));
    EXPECT_TRUE(format.utf8Bom);
    EXPECT_EQ(format.encoding, Encoding::Utf8);
    std::string bytes;
    EXPECT_TRUE(EncodeProgramFile(lines, format, bytes));
    EXPECT_EQ(bytes, "\xEF\xBB\xBFint x\r\n\xC3\xA9\r\n");
    // A file read without a mark is saved without one.
    lines = DecodeProgramFile("int x\n", format);
    EXPECT_FALSE(format.utf8Bom);
    EncodeProgramFile(lines, format, bytes);
    EXPECT_EQ(bytes, "int x\n");
}

TEST(EditorLogic, StepMarkersGoBreakpointsStay) {
    Lines lines = {u"\u2022x = 1", u"\u00BBy = 2", u"", u"z"};
    EXPECT_TRUE(RemoveStepMarkers(lines));
    EXPECT_EQ(lines, (Lines{u"x = 1", u"\u00BBy = 2", u"", u"z"}));
    EXPECT_FALSE(RemoveStepMarkers(lines));
}

TEST(EditorLogic, EditHistoryGroupsTypingAndRedoesWhatWasUndone) {
    EditHistory h;
    EXPECT_FALSE(h.undo({u"x", 1}));
    h.record({u"", 0}, false);   // "a" typed
    h.record({u"a", 1}, true);   // "b" typed after it: the same step
    h.record({u"ab", 2}, false); // a paste
    auto s = h.undo({u"ab--", 4});
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text, u"ab");
    s = h.undo(*s);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text, u"");
    EXPECT_EQ(s->caret, 0);
    EXPECT_FALSE(h.canUndo());
    s = h.redo(*s);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text, u"ab");
    s = h.redo(*s);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text, u"ab--");
    EXPECT_FALSE(h.redo(*s));
    // A new change after an undo forgets what could be redone.
    s = h.undo(*s);
    h.record(*s, false);
    EXPECT_FALSE(h.canRedo());
    // Typing that goes on after an undo starts a step of its own.
    EditHistory fresh;
    fresh.record({u"", 0}, true);
    EXPECT_TRUE(fresh.canUndo());
    // The history keeps its most recent steps only.
    for (std::size_t i = 0; i < EditHistory::kLimit + 5; ++i)
        fresh.record({Text(i, u'x'), 0}, false);
    std::size_t steps = 0;
    EditHistory::State shown{u"now", 0};
    while (auto back = fresh.undo(shown)) {
        shown = *back;
        ++steps;
    }
    EXPECT_EQ(steps, EditHistory::kLimit);
    EXPECT_EQ(shown.text, Text(5, u'x'));
}

// How the lines of a text moved from one version to the next, as a pause follows them.
TEST(EditorLogic, LinesEditedFollowTheTextOfEachLine) {
    const Lines text = {u"main()", u"{", u"i = 0", u"i++", u"}"};
    auto moved = [&](const Lines& after) { return LinesEdited(text, after); };
    auto same = [](const LineEdit& e, int first, int removed, int inserted) {
        return e.changed && e.move.first == first && e.move.removed == removed &&
               e.move.inserted == inserted;
    };
    // Enter at the end of a line, at its start, and in its middle.
    EXPECT_TRUE(same(moved({u"main()", u"{", u"i = 0", u"", u"i++", u"}"}), 3, 0, 1));
    EXPECT_TRUE(same(moved({u"main()", u"{", u"", u"i = 0", u"i++", u"}"}), 2, 0, 1));
    EXPECT_TRUE(same(moved({u"main()", u"{", u"i =", u" 0", u"i++", u"}"}), 3, 0, 1));
    // A line typed at the top: the run's lines all go down.
    LineEdit top = moved({u"// essai", u"main()", u"{", u"i = 0", u"i++", u"}"});
    EXPECT_TRUE(same(top, 0, 0, 1));
    EXPECT_EQ(top.move.Map(3), 4);
    // Two lines pasted at the start of a line, and pasted in the middle of one.
    EXPECT_TRUE(same(moved({u"main()", u"{", u"a", u"b", u"i = 0", u"i++", u"}"}), 2, 0, 2));
    EXPECT_TRUE(same(moved({u"main()", u"{", u"i = a", u"b0", u"i++", u"}"}), 3, 0, 1));
    // Lines deleted whole; a line joined to a blank line above keeps its text.
    LineEdit cut = moved({u"main()", u"{", u"}"});
    EXPECT_TRUE(same(cut, 2, 2, 0));
    EXPECT_EQ(cut.move.Map(3), 2);
    EXPECT_TRUE(same(LinesEdited({u"{", u"", u"x++", u"}"}, {u"{", u"x++", u"}"}), 1, 1, 0));
    EXPECT_TRUE(
        same(LinesEdited({u"{", u"  ", u"  x++", u"}"}, {u"{", u"    x++", u"}"}), 1, 1, 0));
    // A change inside a line moves nothing; markers put or removed are no change.
    LineEdit inside = moved({u"main()", u"{", u"i = 10", u"i++", u"}"});
    EXPECT_TRUE(inside.changed);
    EXPECT_FALSE(inside.move.Moves());
    Lines marked = text;
    marked[3] = std::u16string(1, vokc::kStepMarkerUtf16) + u"i++";
    marked[2] = std::u16string(1, vokc::kBreakMarkerUtf16) + u"i = 0";
    EXPECT_FALSE(moved(marked).changed);
    // Typed at the start of a line, then Enter: the line is the part after the break,
    // since it holds the line's text as it was before.
    Lines origins = text, typed = text;
    typed[3] = u"x = 1i++";
    EXPECT_FALSE(LinesEdited(text, typed, &origins).move.Moves());
    LineEdit split =
        LinesEdited(typed, {u"main()", u"{", u"i = 0", u"x = 1", u"i++", u"}"}, &origins);
    EXPECT_TRUE(same(split, 3, 0, 1));
    EXPECT_EQ(split.move.Map(3), 4);
    EXPECT_EQ(origins, (Lines{u"main()", u"{", u"i = 0", u"x = 1", u"i++", u"}"}));
    // An undo brings back a whole text: only what differs counts, markers aside.
    marked.insert(marked.begin(), u"// essai");
    EXPECT_TRUE(same(LinesEdited(marked, text), 0, 1, 0));
}
