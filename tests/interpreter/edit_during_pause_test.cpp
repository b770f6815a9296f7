// A program edited during a pause goes on as though it had been written so from the
// start: the lines the run keeps follow their text, declarations added are made, and an
// edit the run cannot follow is refused with nothing changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "fake_host.h"
#include "interpreter.h"

namespace vokc::test {
namespace {

struct Paused {
    FakeHost host;
    Interpreter interp{host};
    MemoryText text;
    int startLine = 0;

    explicit Paused(std::initializer_list<const char*> lines) {
        for (const char* l : lines)
            text.lines.emplace_back(l);
        interp.StartProgram("essai.c");
        interp.SetStepLimit(100000); // a line that lost its place must not loop for ever
    }
    StopReason Run(StepMode mode = StepMode::Free) {
        const RunResult result = interp.Exec(text, startLine, mode);
        startLine = result.line;
        return result.reason;
    }
    // Replaces `removed` lines at `first` by `inserted`, as the editor reports it.
    void Edit(int first, int removed, std::initializer_list<const char*> inserted) {
        auto at = text.lines.begin() + first;
        at = text.lines.erase(at, at + removed);
        text.lines.insert(at, inserted.begin(), inserted.end());
        startLine = interp.TextEdited(first, removed, static_cast<int>(inserted.size()), startLine);
    }
    std::string Value(const char* name) const {
        std::string out;
        return interp.InspectReference(name, out) ? out : "?";
    }
};

TEST(EditDuringPause, LinesInsertedAroundALoopAndARunningProcedure) {
    Paused p({"int i", "void f()", "{", "\xBBprintf(\"%d\\n\", i)", "}", "main()", "{",
              "for (i = 1; i <= 3; i++)", "{", "f()", "}", "puts(\"fin\")", "}"});
    ASSERT_EQ(p.Run(), StopReason::Breakpoint);
    ASSERT_EQ(p.startLine, 3);
    ASSERT_EQ(p.interp.CallDepth(), 1);
    p.text.lines[3].erase(0, 1);        // the breakpoint goes: a change inside one line
    p.Edit(4, 0, {"puts(\"dans f\")"}); // inside the procedure, after the paused line
    p.Edit(0, 0, {"int k"});            // above everything
    p.Edit(9, 0, {"puts(\"avant\")"});  // above the loop, already passed
    p.Edit(14, 0, {"puts(\"apres\")"}); // after the loop's block
    EXPECT_EQ(p.startLine, 4);
    ASSERT_TRUE(p.interp.AdoptEditedText(p.text));
    EXPECT_EQ(p.Run(), StopReason::Finished);
    EXPECT_EQ(p.host.console, "1\ndans f\n2\ndans f\n3\ndans f\napres\nfin\n");
    EXPECT_TRUE(p.host.messages.empty()) << p.host.AllMessages();
}

TEST(EditDuringPause, PauseBeforeABlockEndKeepsTheEndFirst) {
    Paused p({"int i", "main()", "{", "for (i = 1; i <= 2; i++)", "{", "printf(\"%d\\n\", i)", "}",
              "puts(\"fin\")", "}"});
    StopReason r = p.Run(StepMode::Line);
    while (r == StopReason::Step)
        r = p.Run(StepMode::Line);
    ASSERT_EQ(r, StopReason::StepBeforeBlockEnd);
    ASSERT_EQ(p.startLine, 7);
    p.Edit(7, 0, {"puts(\"apres\")"}); // right after the block: runs once the loop is done
    p.Edit(6, 0, {"puts(\"x\")"});     // the block's last line: runs in the next turns
    EXPECT_EQ(p.startLine, 8);
    ASSERT_TRUE(p.interp.AdoptEditedText(p.text));
    EXPECT_EQ(p.Run(), StopReason::Finished);
    EXPECT_EQ(p.host.console, "1\n2\nx\napres\nfin\n");
}

TEST(EditDuringPause, LabelMovedAndResumeLineDeleted) {
    Paused p({"int n", "main()", "{", "n = 0", "debut:", "n++", "\xBBprintf(\"%d\\n\", n)",
              "if (n < 3)", "goto debut;", "puts(\"fin\")", "}"});
    ASSERT_EQ(p.Run(), StopReason::Breakpoint);
    ASSERT_EQ(p.startLine, 6);
    p.Edit(3, 0, {"puts(\"a\")", "puts(\"b\")"}); // the label goes down two lines
    p.Edit(8, 1, {});                             // the line that was to run next goes
    EXPECT_EQ(p.startLine, 8);                    // the first line after it: the if
    const std::vector<std::string> table = p.interp.SymbolListing();
    EXPECT_NE(std::find(table.begin(), table.end(), "debut: , L , 6"), table.end());
    ASSERT_TRUE(p.interp.AdoptEditedText(p.text));
    EXPECT_EQ(p.Run(), StopReason::Finished);
    EXPECT_EQ(p.host.console, "fin\n");
    EXPECT_EQ(p.Value("n"), "3");
}

TEST(EditDuringPause, DeclarationsAndProceduresAddedAreFound) {
    Paused p({"int a", "main()", "{", "a = 5", "\xBBprintf(\"%d\\n\", a)", "}"});
    ASSERT_EQ(p.Run(), StopReason::Breakpoint);
    p.Edit(1, 0, {"int b", "char s[10]", "void g()", "{", "puts(\"g\")", "}"});
    p.Edit(11, 0, {"printf(\"%d\\n\", b)", "b = a + 1", "printf(\"%d\\n\", b)", "g()"});
    ASSERT_TRUE(p.interp.AdoptEditedText(p.text));
    EXPECT_EQ(p.Run(), StopReason::Finished);
    EXPECT_EQ(p.host.console, "5\n0\n6\ng\n");
    EXPECT_EQ(p.Value("a"), "5");
    EXPECT_TRUE(p.host.messages.empty()) << p.host.AllMessages();
}

TEST(EditDuringPause, EditsTheRunCannotFollowAreRefusedAndChangeNothing) {
    Paused p({"int a", "float r", "int t[3]", "void f()", "{", "\xBBputs(\"f\")", "}", "main()",
              "{", "a = 7", "f()", "printf(\"%d\\n\", a)", "}"});
    ASSERT_EQ(p.Run(), StopReason::Breakpoint);
    ASSERT_EQ(p.startLine, 5);
    const std::vector<std::string> table = p.interp.SymbolListing();
    const std::vector<std::string> original = p.text.lines;
    const std::string again = ". Relancez le programme (F9).";
    struct Refused {
        int line;
        const char* text;
        std::string message;
    };
    const Refused cases[] = {
        {0, "// int a",
         "Impossible de continuer : la variable a n'est plus d\xE9"
         "clar\xE9"
         "e" +
             again},
        {1, "int r",
         "Impossible de continuer : la d\xE9"
         "claration de r a chang\xE9" +
             again},
        {2, "int t[4]",
         "Impossible de continuer : la d\xE9"
         "claration de t a chang\xE9" +
             again},
        {7, "// main()", "Impossible de continuer : main() a \xE9t\xE9 supprim\xE9" + again},
        {3, "void g()",
         "Impossible de continuer : la proc\xE9"
         "dure f(), en cours d'appel, a \xE9t\xE9 "
         "supprim\xE9"
         "e" +
             again},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.text);
        p.text.lines = original;
        p.text.lines[static_cast<std::size_t>(c.line)] = c.text;
        p.host.messages.clear();
        EXPECT_FALSE(p.interp.AdoptEditedText(p.text));
        ASSERT_EQ(p.host.messages.size(), 1u);
        EXPECT_EQ(p.host.messages[0], c.message);
        EXPECT_EQ(p.interp.SymbolListing(), table);
    }
    p.text.lines = original;
    p.host.messages.clear();
    ASSERT_TRUE(p.interp.AdoptEditedText(p.text));
    EXPECT_EQ(p.Run(), StopReason::Finished);
    EXPECT_EQ(p.host.console, "f\n7\n");
}

} // namespace
} // namespace vokc::test
