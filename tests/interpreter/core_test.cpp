// The interpreter's state, preparation, run loop and step mode, through whole programs
// and through the operations the other statements build on.
#include <gtest/gtest.h>

#include "engine_run.h"

using namespace vokc;
using vokc::test::FakeHost;
using vokc::test::MemoryText;
using Program = vokc::test::Run;

namespace {
std::string Lines(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines)
        s += std::string(l) + "\n";
    return s;
}
} // namespace

TEST(State, DeclarationsTakeConsecutiveSlots) {
    FakeHost host;
    Engine in(host);
    in.ResetState();
    in.DeclareVariables("int a, b[5], c");
    in.DeclareVariables("char c2, s[20], *p");
    ASSERT_EQ(in.SymbolCount(), 6);
    auto entry = [&](int p) {
        return std::string(in.Symbol(p).Name()) + " " + static_cast<char>(in.Symbol(p).kind) + " " +
               std::to_string(in.Symbol(p).index);
    };
    EXPECT_EQ(entry(1), "a I 1");
    EXPECT_EQ(entry(2), "b[ I 2");
    EXPECT_EQ(entry(3), "c I 7");
    EXPECT_EQ(entry(4), "c2 C 1");
    EXPECT_EQ(entry(5), "s S 1");
    EXPECT_EQ(entry(6), "p C 2");
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    EXPECT_TRUE(in.FindSymbol("*p", kind, index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(in.FindSymbol("b", kind, index));
    EXPECT_EQ(index, -1);
    EXPECT_EQ(in.State(), RunState::Failed);
    EXPECT_TRUE(host.messages.empty());
}

TEST(State, TableAndStoreLimits) {
    FakeHost host;
    Engine in(host);
    in.ResetState();
    in.DeclareVariables("int t[2000]");
    EXPECT_EQ(in.State(), RunState::Running);
    in.DeclareVariables("int u");
    EXPECT_EQ(host.AllMessages(), "Trop de variables|");
    FakeHost host2;
    Engine in2(host2);
    in2.ResetState();
    for (int i = 0; i < 200; ++i)
        in2.DeclareVariables(("float v" + std::to_string(i)).c_str());
    EXPECT_TRUE(host2.messages.empty());
    in2.DeclareVariables("float w");
    in2.DeclareLabel("fin:", SymbolKind::Label, 3);
    EXPECT_EQ(host2.AllMessages(), "Table des symboles satur\xE9"
                                   "e|Identificateur dupliqu\xE9|");
}

TEST(State, IndicesAreOneBased) {
    FakeHost host;
    Engine in(host);
    in.ResetState();
    in.DeclareVariables("int k");
    in.DeclareVariables("float r");
    in.StoreValue("1", SymbolKind::Int, 1);
    EXPECT_EQ(in.IndexOffset("3"), 2);
    EXPECT_EQ(in.IndexOffset("k"), 0);
    EXPECT_EQ(in.IndexOffset("r"), 0);
    EXPECT_EQ(in.IndexOffset("zz"), 0);
    EXPECT_EQ(host.AllMessages(), "Indice de type incorrect|Erreur dans indice|");
    in.StoreValue("12a", SymbolKind::Int, 1);
    long double f;
    std::int32_t i = 0;
    std::string t;
    in.ReadValue(1, SymbolKind::Int, f, i, t);
    EXPECT_EQ(i, 1);
    EXPECT_EQ(host.messages.back(), "Erreur de conversion");
}

TEST(State, ControlStackBounds) {
    FakeHost host;
    Engine in(host);
    for (int i = 0; i < 100; ++i)
        in.PushControl(i);
    EXPECT_TRUE(host.messages.empty());
    in.PushControl(100);
    EXPECT_EQ(host.AllMessages(), "Pile satur\xE9"
                                  "e|");
    in.ResetState();
    std::int32_t target = 77;
    EXPECT_FALSE(in.PopControl(target));
    EXPECT_EQ(target, 77);
    EXPECT_EQ(host.messages.back(), "Pile vide");
}

TEST(State, StoresOutliveAFreshRun) {
    Program r(Lines({"int t[3]", "main()", "{", "t[2] = 5", "}"}));
    r.Go();
    Program* same = &r;
    same->text = MemoryText(Lines({"int t[3], x, y", "main()", "{", "x = t[2]", "y = t[1]", "}"}));
    same->startLine = 0;
    same->Go();
    EXPECT_EQ(r.interp.ExamineText("x"), "5");
    EXPECT_EQ(r.interp.ExamineText("y"), "0");
}

TEST(Preparation, FindBlockEndCountsLoneOpeningBraces) {
    FakeHost host;
    Engine in(host);
    MemoryText text(Lines({"while (x)", "{", "a", "{ // début", "b", "}", "c", "}", "d"}));
    int line = 0;
    in.FindBlockEnd(text, line);
    EXPECT_EQ(line, 5); // the "{ // début" line is not counted, so its '}' closes the block
    MemoryText single(Lines({"if (x)", "a = 1", "b = 2"}));
    line = 0;
    in.FindBlockEnd(single, line);
    EXPECT_EQ(line, 1);
    MemoryText open(Lines({"if (x)", "{", "a = 1"}));
    line = 0;
    in.FindBlockEnd(open, line);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(host.messages.back(), "Fin de bloc non d\xE9tect\xE9"
                                    "e");
}

TEST(Preparation, LabelsProceduresAndDeclarationsAnywhere) {
    Program r(Lines(
        {"void affiche()", "{", "int local", "}", "main()", "{", "fin:;", "a = b ? c : d", "}"}));
    r.Go();
    std::vector<std::string> listing = r.interp.SymbolListing();
    ASSERT_GE(listing.size(), 3u);
    EXPECT_EQ(listing[0], "affiche() , P , 0");
    EXPECT_EQ(listing[1], "local , I , 1");
    EXPECT_EQ(listing[2], "fin: , L , 6");
    // fin:; is entered as a label but runs as an assignment without a target.
    EXPECT_EQ(r.host.AllMessages(), "Identificateur  inconnu|");
}

TEST(RunLoop, DispatchFollowsTheKeywordSplit) {
    Program r(Lines({"void clrscr()", "{", "puts(\"proc\")", "}", "main()", "{", "Printf(\"a\")",
                     "PRINTF(\"b\\n\")", "clrscr();", "clrscr", "x = y;;", "}"}));
    r.Go();
    EXPECT_EQ(r.host.console, "ab\nproc\n");
    EXPECT_EQ(r.host.clears, 1);
    EXPECT_EQ(r.host.AllMessages(), "Identificateur x inconnu|");
}

TEST(RunLoop, FopenNeedsTheEqualsSignWrittenAgainstIt) {
    // With a space after '=' the line is an assignment, which leaves a file variable alone.
    Program r(Lines({"file f", "main()", "{", "f = fopen(\"nulle/part.txt\",\"r+t\");",
                     "puts(\"suite\")", "}"}));
    r.Go();
    EXPECT_EQ(r.host.console, "suite\n");
    EXPECT_TRUE(r.host.messages.empty());
}

TEST(RunLoop, StepModePausesAfterEveryLineAndAtBlockEnds) {
    Program r(Lines({"int i", "main()", "{", "for (i=1; i<=2; i++)", "puts(\"x\")", "}"}));
    EXPECT_EQ(r.Go(StepMode::Line), StopReason::Step);
    EXPECT_EQ(r.startLine, 2); // main() ran; next is '{'
    std::vector<std::pair<StopReason, int>> pauses;
    for (StopReason reason = StopReason::Finished;
         pauses.size() < 20 && (reason = r.Go(StepMode::Line)) != StopReason::Finished;)
        pauses.emplace_back(reason, r.startLine);
    // '{', for, puts (a pause before the injected NEXT), NEXT, puts, NEXT, '}'
    constexpr StopReason kStep = StopReason::Step, kBeforeEnd = StopReason::StepBeforeBlockEnd;
    std::vector<std::pair<StopReason, int>> expected = {
        {kStep, 3}, {kStep, 4}, {kBeforeEnd, 5}, {kStep, 4}, {kBeforeEnd, 5}, {kStep, 5}};
    EXPECT_EQ(std::vector(pauses.begin(), pauses.begin() + 6), expected);
    EXPECT_EQ(r.host.console, "x\nx\n");
    EXPECT_EQ(r.interp.ExamineText("i"), "3");
}

TEST(RunLoop, ExitPausesInStepMode) {
    Program r(Lines({"main()", "{", "exit", "}"}));
    r.Go(StepMode::Line);
    r.Go(StepMode::Line);
    EXPECT_EQ(r.Go(StepMode::Line), StopReason::Step);
    EXPECT_EQ(r.startLine, 2);
    EXPECT_EQ(r.Go(StepMode::Line), StopReason::Step);
    EXPECT_EQ(r.startLine, 2);
    EXPECT_EQ(r.Go(), StopReason::Finished);
}

TEST(RunLoop, BreakpointPausesAFreeRunBeforeItsLine) {
    Program r(Lines({"int i", "main()", "{", "for (i=1; i<=3; i++)", "\xBBputs(\"x\")", "}"}));
    EXPECT_EQ(r.Go(), StopReason::Breakpoint);
    EXPECT_EQ(r.startLine, 4);
    EXPECT_EQ(r.host.console, "");
    // Resuming at the marked line runs it; the next pass pauses there again.
    EXPECT_EQ(r.Go(), StopReason::Breakpoint);
    EXPECT_EQ(r.startLine, 4);
    EXPECT_EQ(r.host.console, "x\n");
    r.interp.SetBreakpointsEnabled(false);
    EXPECT_EQ(r.Go(), StopReason::Finished);
    EXPECT_EQ(r.host.console, "x\nx\nx\n");
}

TEST(RunLoop, ABreakpointOnABlocksResumeLineWaitsForTheLoopToEnd) {
    Program r(Lines(
        {"int i", "main()", "{", "for (i=1; i<=3; i++)", "puts(\"x\")", "\xBBputs(\"fin\")", "}"}));
    EXPECT_EQ(r.Go(), StopReason::Breakpoint);
    EXPECT_EQ(r.startLine, 5);
    EXPECT_EQ(r.host.console, "x\nx\nx\n");
    EXPECT_EQ(r.Go(), StopReason::Finished);
    EXPECT_EQ(r.host.console, "x\nx\nx\nfin\n");
}

TEST(RunLoop, ErrorsStopOnTheirLineAndResumeRetriesIt) {
    Program r(Lines({"int x", "main()", "{", "x = 5 / 0", "}"}));
    EXPECT_EQ(r.Go(), StopReason::Error);
    EXPECT_EQ(r.startLine, 3);
    EXPECT_EQ(r.Go(), StopReason::Error);
    EXPECT_EQ(r.startLine, 3);
}

// A false IF whose then-branch announces an else that never comes stops where the ';'
// that announces no else belongs: the IF line of a single statement, the '}' of a block.
// Once it is written there, the run goes on after the then-branch.
TEST(RunLoop, ElseMissingStopsWhereTheSemicolonBelongs) {
    Program single(Lines({"int x", "main()", "{", "if (x > 1)", "puts(\"a\")", "}"}));
    EXPECT_EQ(single.Go(), StopReason::Error);
    EXPECT_EQ(single.startLine, 3);
    EXPECT_EQ(single.host.AllMessages(), "ELSE manquant|");
    EXPECT_EQ(single.host.messageLines, std::vector<int>{3});

    Program block(
        Lines({"int x", "main()", "{", "if (x > 1)", "{", "puts(\"a\")", "}", "puts(\"b\")", "}"}));
    EXPECT_EQ(block.Go(), StopReason::Error);
    EXPECT_EQ(block.startLine, 6);
    EXPECT_EQ(block.host.AllMessages(), "ELSE manquant|");
    EXPECT_EQ(block.host.messageLines, std::vector<int>{6});

    Program fixed(Lines(
        {"int x", "main()", "{", "if (x > 1)", "{", "puts(\"a\")", "};", "puts(\"b\")", "}"}));
    EXPECT_EQ(fixed.Go(), StopReason::Finished);
    EXPECT_EQ(fixed.host.console, "b\n");
}

TEST(RunLoop, ErrorBoxEndsTheRunWithoutEscaping) {
    Program r(Lines({"int x", "main()", "{", "x = 10-3-2", "}"}));
    EXPECT_EQ(r.Go(), StopReason::Error);
    EXPECT_EQ(r.startLine, 3);
    ASSERT_EQ(r.host.errorBoxes.size(), 1u);
    EXPECT_EQ(r.host.errorBoxes[0], "'3-2' n'est pas une valeur enti\xE8re correcte");
}

TEST(RunLoop, DeepNestingIsRefusedNotOverrun) {
    std::string prog = "int i\nmain()\n{\n";
    for (int k = 0; k < 40; ++k)
        prog += "for (i=1; i<=1; i++)\n{\n";
    prog += "puts(\"fond\")\n";
    for (int k = 0; k < 40; ++k)
        prog += "}\n";
    prog += "}\n";
    Program r(prog);
    EXPECT_EQ(r.Go(), StopReason::Error);
    EXPECT_EQ(r.host.AllMessages(), "Pile satur\xE9"
                                    "e|");
    EXPECT_LE(r.interp.BlockCount(), kBlockStackSize);
}

TEST(Console, PositionAdvancesByWidthAndLineStep) {
    Program r(Lines({"int x", "main()", "{", "printf(\"Bonjour\\n\")", "printf(\"A\")", "}"}));
    r.Go();
    EXPECT_EQ(r.interp.TextX(), 8);
    EXPECT_EQ(r.interp.TextY(), 18);
    EXPECT_EQ(r.host.caption, "Vok C - test.c");
    std::string many = "main()\n{\n";
    for (int k = 0; k < 23; ++k)
        many += "puts(\"l\")\nclrscr\n";
    Program m(many + "}\n");
    m.Go();
    EXPECT_EQ(m.interp.TextY(), 414); // clrscr leaves the position alone
    EXPECT_EQ(m.host.clears, 23);
}

TEST(Console, AcceptsInputAsksForOneUsefulCharacter) {
    EXPECT_TRUE(Engine::AcceptsInput("12a", SymbolKind::Int));
    EXPECT_FALSE(Engine::AcceptsInput("abc", SymbolKind::Int));
    EXPECT_TRUE(Engine::AcceptsInput(",", SymbolKind::Real));
    EXPECT_FALSE(Engine::AcceptsInput(",", SymbolKind::Int));
    EXPECT_TRUE(Engine::AcceptsInput("", SymbolKind::String));
    EXPECT_FALSE(Engine::AcceptsInput("ab", SymbolKind::Char));
    EXPECT_FALSE(Engine::AcceptsInput("1", SymbolKind::File));
}

TEST(Expressions, SplitterHasNoPrecedence) {
    std::string_view l, op, r;
    Engine::SplitBinary(" a + b*c ", l, op, r);
    EXPECT_EQ(l, "a");
    EXPECT_EQ(op, "+");
    EXPECT_EQ(r, "b*c");
    Engine::SplitBinary("ABS(-5)", l, op, r);
    EXPECT_EQ(op, "");
    EXPECT_EQ(l, "ABS(-5)");
    Engine::SplitBinary("-x", l, op, r);
    EXPECT_EQ(l, "");
    EXPECT_EQ(op, "-");
    Engine::SplitBinary("STRCHR(s,'-')%2", l, op, r);
    EXPECT_EQ(op, "%");
}

TEST(Expressions, OperandTextOfEveryKind) {
    Program r(Lines({"int i", "float f", "char c, s[9]", "main()", "{", "i = 12", "f = 2,5",
                     "c = 'k'", "s = \"mot\"", "}"}));
    r.Go();
    std::string out;
    r.interp.OperandText("i", out);
    EXPECT_EQ(out, "12");
    r.interp.OperandText("f", out);
    EXPECT_EQ(out, "2,5");
    r.interp.OperandText("c", out);
    EXPECT_EQ(out, "k");
    r.interp.OperandText("\"a\"\"b\"", out);
    EXPECT_EQ(out, "a\"b");
    r.interp.OperandText("'xy'", out);
    EXPECT_EQ(out, "x");
    r.interp.OperandText("\"ouvert", out);
    r.interp.OperandText("2,5", out);
    r.interp.OperandText("zz", out);
    EXPECT_EQ(r.host.AllMessages(),
              "chaine sans fin|Expression incorrecte|Identificateur zz inconnu|");
    r.host.messages.clear();
    r.interp.StringOperand("c", out);
    r.interp.StringOperand("t", out);
    EXPECT_EQ(r.host.AllMessages(), "ce n'est pas un string|Variable t n'existe pas|");
}

TEST(Expressions, FloatOverflowAndPowerAreRefused) {
    Program r(Lines({"float r, big", "int x", "main()", "{", "big = 1E38", "r = big * big", "}"}));
    EXPECT_EQ(r.Go(), StopReason::Error);
    EXPECT_TRUE(r.host.messages.empty());
    EXPECT_EQ(r.interp.ExamineText("r"), "0");
    Program p(Lines({"int x", "main()", "{", "x = 2 ** 3", "}"}));
    EXPECT_EQ(p.Go(), StopReason::Error);
    EXPECT_EQ(p.host.AllMessages(), "Erreur dans expression|");
}

TEST(Expressions, RandomGeneratorSequence) {
    FakeHost host;
    Engine in(host);
    EXPECT_EQ(in.RandomSeed(), 0u);
    EXPECT_DOUBLE_EQ(in.Random(), 1.0 / 4294967296.0);
    EXPECT_EQ(in.RandomSeed(), 1u);
    in.Random();
    EXPECT_EQ(in.RandomSeed(), 134775814u);
    in.Randomize();
    EXPECT_EQ(in.RandomSeed(), 12345678u);
}
