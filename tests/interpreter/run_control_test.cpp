// The hosts' side of a run, through the facade: fresh runs and resumes, files kept open
// while a run is paused, the editor's markers, stop requests and the stop line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fake_host.h"
#include "interpreter.h"
#include "temp_dir.h"

namespace vokc::test {
namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines)
        s += std::string(l) + "\n";
    return s;
}

std::string ReadFile(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the editor does: one interpreter, a start line kept between calls.
struct Session {
    FakeHost host;
    Interpreter interp{host};
    MemoryText text;
    int startLine = 0;
    StopReason last = StopReason::Finished;

    explicit Session(const std::string& program) : text(program) { interp.StartProgram("essai.c"); }
    StopReason Run(StepMode mode = StepMode::Free) {
        const RunResult result = interp.Exec(text, startLine, mode);
        startLine = result.line;
        last = result.reason;
        return last;
    }
    StopReason Fresh(StepMode mode = StepMode::Free) {
        startLine = 0;
        return Run(mode);
    }
};

TEST(RunControl, FreshRunStartsAtTheTopAndResumeContinuesBelow) {
    Session s(Lines({"main()", "{", "puts(\"un\")", "\xBBputs(\"deux\")", "}"}));
    EXPECT_EQ(s.Fresh(), StopReason::Breakpoint);
    EXPECT_EQ(s.startLine, 3);
    EXPECT_EQ(s.interp.TextY(), 18);
    EXPECT_EQ(s.Run(), StopReason::Finished);
    EXPECT_EQ(s.interp.TextY(), 36); // "deux" went below "un", not over it
    EXPECT_EQ(s.host.console, "un\ndeux\n");
    EXPECT_EQ(s.Fresh(), StopReason::Breakpoint);
    EXPECT_EQ(s.interp.TextY(), 18);
    EXPECT_EQ(s.host.caption, "Vok C - essai.c");
}

TEST(RunControl, ASteppedFeofLoopReadsEveryLine) {
    TempDirGuard dir;
    std::ofstream("data.txt", std::ios::binary) << "a\r\nb\r\nc\r\n";
    Session s(Lines({"file f", "char s[20]", "main()", "{", "f=fopen(\"data.txt\",\"r\");",
                     "while (!feof(f))", "{", "fgets(f, s);", "puts(s);", "}", "fclose(f);", "}"}));
    int steps = 0;
    for (s.Fresh(StepMode::Line); s.last != StopReason::Finished && steps < 200; ++steps)
        ASSERT_NE(s.Run(StepMode::Line), StopReason::Error) << s.host.AllMessages();
    EXPECT_EQ(s.host.console, "a\nb\nc\n");
    EXPECT_EQ(s.host.AllMessages(), "");
}

TEST(RunControl, APausedRunKeepsItsFilesUntilTheHostClosesThem) {
    TempDirGuard dir;
    Session s(Lines({"file f", "main()", "{", "f=fopen(\"out.txt\",\"w\");", "fputs(\"un\", f);",
                     "\xBB"
                     "fputs(\"deux\", f);",
                     "}"}));
    EXPECT_EQ(s.Fresh(), StopReason::Breakpoint);
    EXPECT_EQ(s.Run(), StopReason::Finished);
    EXPECT_TRUE(s.host.errorBoxes.empty());
    EXPECT_EQ(s.interp.CloseAllFiles(), 0);
    EXPECT_EQ(ReadFile("out.txt"), "un\r\ndeux\r\n");

    // A fresh run closes what a paused run left open.
    EXPECT_EQ(s.Fresh(), StopReason::Breakpoint);
    s.text = MemoryText(Lines({"file g", "char t[20]", "main()", "{", "g=fopen(\"out.txt\",\"r\");",
                               "fgets(g, t);", "puts(t);", "}"}));
    EXPECT_EQ(s.Fresh(), StopReason::Finished);
    EXPECT_EQ(s.host.console, "un\n");
}

TEST(RunControl, MarkersAtTheStartOfALineAreNotCode) {
    const std::string program = Lines({"\xBBint x", "\x95\xBBmain()", " \xBB{", "x = 4",
                                       "while (x > 0)", "\xBB{", "x--", "}", "puts(\"fin\")", "}"});
    Session s(program);
    s.interp.SetBreakpointsEnabled(false);
    EXPECT_EQ(s.Fresh(), StopReason::Finished);
    EXPECT_EQ(s.host.AllMessages(), "");
    EXPECT_EQ(s.host.console, "fin\n");
    EXPECT_EQ(s.interp.ExamineText("x"), "0");

    // Without markers (program files), the same bytes are the program's own text.
    Session plain(program);
    plain.interp.SetLineMarkers(false);
    EXPECT_EQ(plain.Fresh(), StopReason::Error);
    EXPECT_EQ(plain.host.AllMessages(), "MAIN() non trouv\xE9|");
}

TEST(RunControl, StepMarkersAreFoundWhereverEditingMovedThem) {
    EXPECT_EQ(StripLineMarkers("  \xBB\x95 x = 1"), "x = 1");
    EXPECT_EQ(StripLineMarkers("  x = 1"), "  x = 1");
    EXPECT_EQ(StripLineMarkers("x = \"\xBB\""), "x = \"\xBB\"");

    Session s(Lines({"main()", "{", "pu\x95ts(\"x\")", "}"}));
    EXPECT_EQ(s.Fresh(StepMode::Line), StopReason::Step);
    for (std::string& l : s.text.lines)
        std::erase(l, kStepMarker);
    EXPECT_EQ(s.Run(), StopReason::Finished);
    EXPECT_EQ(s.host.console, "x\n");
    EXPECT_EQ(s.host.AllMessages(), "");
}

TEST(RunControl, StepPausesSayWhetherABlockEndRunsNext) {
    Session s(Lines({"int i", "main()", "{", "for (i=1; i<=1; i++)", "puts(\"x\")", "}"}));
    std::vector<std::pair<StopReason, int>> stops;
    stops.emplace_back(s.Fresh(StepMode::Line), s.startLine);
    for (int guard = 0; guard < 10 && s.last != StopReason::Finished; ++guard)
        stops.emplace_back(s.Run(StepMode::Line), s.startLine);
    const std::vector<std::pair<StopReason, int>> expected = {
        {StopReason::Step, 2},     {StopReason::Step, 3},
        {StopReason::Step, 4},     {StopReason::StepBeforeBlockEnd, 5}, // NEXT runs before line 5
        {StopReason::Step, 5},     {StopReason::Step, 6},
        {StopReason::Finished, 6},
    };
    EXPECT_EQ(stops, expected);
}

TEST(RunControl, AStopRequestStopsBeforeTheLineAResumeRuns) {
    // Lines 3 and 4 loop; the WEND of line 3's block runs at line 5's place. The
    // second question falls on that WEND: the stop waits for the WHILE line after it.
    Session s(Lines({"int i", "main()", "{", "while (i < 20000)", "i++", "puts(\"fin\")", "}"}));
    s.host.stopAfterPolls = 2;
    EXPECT_EQ(s.Fresh(), StopReason::Interrupted);
    EXPECT_EQ(s.startLine, 3);
    EXPECT_EQ(s.host.polls, 2);
    s.host.stopAfterPolls = 0;
    EXPECT_EQ(s.Run(), StopReason::Finished);
    EXPECT_EQ(s.host.console, "fin\n");
    EXPECT_EQ(s.interp.ExamineText("i"), "20000");
}

TEST(RunControl, AStopRequestWhileReadingEndsTheReadOnItsLine) {
    Session s(Lines({"char s[20], c", "main()", "{", "while (1 < 2)", "{", "printf(\"Nom ? \")",
                     "gets(s)", "c = getch()", "}", "}"}));
    s.host.stopWhenReading = true;
    s.host.answers = {"Paul"};
    EXPECT_EQ(s.Fresh(), StopReason::Interrupted);
    EXPECT_EQ(s.startLine, 6);
    EXPECT_EQ(s.host.console, "Nom ? "); // the answer is neither drawn nor stored
    EXPECT_EQ(s.interp.ExamineText("s"), " ");

    // Resuming runs the read again, then the key read is stopped the same way.
    s.host.stop = false;
    s.host.stopWhenReading = false;
    s.host.answers = {"Anne"};
    EXPECT_EQ(s.Run(StepMode::Line), StopReason::Step);
    EXPECT_EQ(s.interp.ExamineText("s"), "Anne");
    EXPECT_EQ(s.host.console, "Nom ? Anne\n");
    s.host.stopWhenReading = true;
    s.host.keys = {"k"};
    EXPECT_EQ(s.Run(), StopReason::Interrupted);
    EXPECT_EQ(s.startLine, 7);
    EXPECT_EQ(s.interp.ExamineText("c"), std::string(1, '\0'));
    EXPECT_EQ(s.host.AllMessages(), "");
}

} // namespace
} // namespace vokc::test
