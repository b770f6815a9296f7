// Reading a run without changing it (variables, values, references, procedure calls),
// and where step over, step out and run to a line pause, through the interpreter's
// public interface.
#include <gtest/gtest.h>

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
    std::string Inspect(std::string_view ref) {
        std::string out;
        return interp.InspectReference(ref, out) ? out : "<none>";
    }
};

const std::string kVariables = Lines({
    "int n, t[4]",
    "float x",
    "char s[20]",
    "char c",
    "file f",
    "int i",
    "main()",
    "{",
    "n=7",
    "x=2,5",
    "s=\"bonjour\"",
    "c='z'",
    "i=2",
    "t[i]=42",
    "f=fopen(\"sortie.txt\",\"w\")",
    "puts(\"fin\")",
    "}",
});

TEST(Inspection, VariablesInDeclarationOrderWithKindsSizesAndValues) {
    TempDirGuard dir;
    Session s(kVariables);
    ASSERT_EQ(s.Run(), StopReason::Finished);
    const auto vars = s.interp.Variables();
    ASSERT_EQ(vars.size(), 7u);
    const char* names[] = {"n", "t", "x", "s", "c", "f", "i"};
    for (std::size_t k = 0; k < vars.size(); ++k)
        EXPECT_EQ(vars[k].name, names[k]);
    EXPECT_TRUE(vars[1].array);
    EXPECT_EQ(vars[1].count, 4);
    EXPECT_EQ(vars[0].count, 1);
    EXPECT_EQ(vars[2].kind, VariableKind::Real);
    EXPECT_EQ(vars[3].kind, VariableKind::String);
    EXPECT_FALSE(vars[3].array);
    EXPECT_EQ(vars[4].kind, VariableKind::Char);
    EXPECT_EQ(vars[5].kind, VariableKind::File);

    std::vector<std::string> values;
    s.interp.ValueTexts(values, 1000);
    const std::vector<std::string> expected = {"7",
                                               "0",
                                               "42",
                                               "0",
                                               "0",
                                               "2,5",
                                               "bonjour",
                                               "z",
                                               "sortie.txt (ouvert en \xE9"
                                               "criture)",
                                               "2"};
    EXPECT_EQ(values, expected);
    s.interp.ValueTexts(values, 2); // an array shows its first elements only
    EXPECT_EQ(values.size(), 8u);
    EXPECT_EQ(s.interp.ValueText(1, 1), "42");
    EXPECT_EQ(s.interp.ValueText(1, 4), "Indice hors limites");
    EXPECT_EQ(s.interp.ValueText(99, 0), "");
    s.interp.CloseAllFiles();
    s.interp.ValueTexts(values, 1000);
    EXPECT_EQ(values[8], "sortie.txt (ferm\xE9)");
}

TEST(Inspection, ReferencesAreReadWithoutMessagesOrStateChanges) {
    TempDirGuard dir;
    Session s(kVariables);
    ASSERT_EQ(s.Run(), StopReason::Finished);
    EXPECT_EQ(s.Inspect("t[i]"), "42");
    EXPECT_EQ(s.Inspect("t[2]"), "42");
    EXPECT_EQ(s.Inspect(" t[1] "), "0");
    EXPECT_EQ(s.Inspect("t[99]"), "Indice hors limites");
    EXPECT_EQ(s.Inspect("t[0]"), "Indice hors limites");
    EXPECT_EQ(s.Inspect("t[x]"), "Indice de type incorrect");
    EXPECT_EQ(s.Inspect("t[zz]"), "Erreur dans indice");
    EXPECT_EQ(s.Inspect("t"), "tableau de 4");
    EXPECT_EQ(s.Inspect("x"), "2,5");
    EXPECT_EQ(s.Inspect("*n"), "7");
    EXPECT_EQ(s.Inspect("inconnu"), "<none>");
    EXPECT_EQ(s.Inspect("main()"), "<none>");
    EXPECT_EQ(s.Inspect("t[1"), "<none>");
    EXPECT_EQ(s.Inspect(""), "<none>");
    EXPECT_TRUE(s.host.messages.empty());
    EXPECT_TRUE(s.host.errorBoxes.empty());
    s.interp.CloseAllFiles();
}

const std::string kCalls = Lines({
    "int k",              // 0
    "void inner()",       // 1
    "{",                  // 2
    "k=k+10",             // 3
    "}",                  // 4
    "void outer()",       // 5
    "{",                  // 6
    "k=k+1",              // 7
    "inner()",            // 8
    "k=k+1",              // 9
    "}",                  // 10
    "main()",             // 11
    "{",                  // 12
    "outer()",            // 13
    "for (k=1;k<=3;k++)", // 14
    "{",                  // 15
    "puts(\"tour\")",     // 16
    "}",                  // 17
    "puts(\"fin\")",      // 18
    "}",                  // 19
});

TEST(Inspection, TheCallChainIsReadFromTheOpenBlocks) {
    Session s(kCalls);
    ASSERT_EQ(s.Run(StepMode::Line), StopReason::Step); // main()
    EXPECT_EQ(s.interp.CallDepth(), 0);
    EXPECT_TRUE(s.interp.CallChain().empty());
    while (s.startLine != 3 && s.Run(StepMode::Line) != StopReason::Finished) {
    }
    ASSERT_EQ(s.startLine, 3);
    EXPECT_EQ(s.interp.CallDepth(), 2);
    const auto chain = s.interp.CallChain();
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[0].procedure, "outer()");
    EXPECT_EQ(chain[0].callLine, 13);
    EXPECT_EQ(chain[1].procedure, "inner()");
    EXPECT_EQ(chain[1].callLine, 8);
}

TEST(StepModes, StepOverRunsACallAsOneStep) {
    Session s(kCalls);
    ASSERT_EQ(s.Run(StepMode::Over), StopReason::Step); // fresh: main() ran
    EXPECT_EQ(s.startLine, 12);
    s.Run(StepMode::Over); // {
    EXPECT_EQ(s.startLine, 13);
    EXPECT_EQ(s.Run(StepMode::Over), StopReason::Step); // outer() as a whole
    EXPECT_EQ(s.startLine, 14);
    EXPECT_EQ(s.Inspect("k"), "12");
    EXPECT_EQ(s.interp.CallDepth(), 0);
}

TEST(StepModes, StepOutRunsUntilTheProcedureReturns) {
    Session s(kCalls);
    s.Run(StepMode::Line);
    while (s.startLine != 3)
        ASSERT_NE(s.Run(StepMode::Line), StopReason::Finished);
    EXPECT_EQ(s.Run(StepMode::Out), StopReason::Step);
    EXPECT_EQ(s.startLine, 9); // back in outer(), after the call of inner()
    EXPECT_EQ(s.interp.CallDepth(), 1);
    EXPECT_EQ(s.Run(StepMode::Out), StopReason::Step);
    EXPECT_EQ(s.startLine, 14);
    EXPECT_EQ(s.interp.CallDepth(), 0);
    // In main, stepping out runs to the end.
    EXPECT_EQ(s.Run(StepMode::Out), StopReason::Finished);
    EXPECT_EQ(s.host.console, "tour\ntour\ntour\nfin\n");
}

TEST(StepModes, RunToALinePausesBeforeItEachTimeAndRespectsBreakpoints) {
    Session s(kCalls);
    s.interp.SetRunToLine(16);
    ASSERT_EQ(s.Run(StepMode::ToLine), StopReason::Step); // from the first run
    EXPECT_EQ(s.startLine, 16);
    EXPECT_EQ(s.host.console, "");
    EXPECT_EQ(s.Run(StepMode::ToLine), StopReason::Step); // the resumed line runs, then again
    EXPECT_EQ(s.startLine, 16);
    EXPECT_EQ(s.host.console, "tour\n");
    EXPECT_EQ(s.Inspect("k"), "2");
    s.text.lines[18] = "\xBBputs(\"fin\")";
    s.interp.SetRunToLine(3); // never reached again: the breakpoint stops first
    EXPECT_EQ(s.Run(StepMode::ToLine), StopReason::Breakpoint);
    EXPECT_EQ(s.startLine, 18);
    s.text.lines[4] = "\xBB}";
    s.startLine = 0;
    EXPECT_EQ(s.Run(StepMode::Over), StopReason::Step);
    s.Run(StepMode::Over);
    EXPECT_EQ(s.Run(StepMode::Over), StopReason::Breakpoint); // inside the call stepped over
    EXPECT_EQ(s.startLine, 4);
}

} // namespace
} // namespace vokc::test
