// String expressions, string functions and the strcat/strncat statement family.
#include <gtest/gtest.h>

#include "engine_run.h"

namespace vokc::test {
namespace {

std::string W(std::string_view utf8) {
    return Engine::Cp(utf8);
}

class StringsTest : public ::testing::Test {
  protected:
    FakeHost host;
    Engine interp{host};

    void SetUp() override {
        interp.DeclareVariables("char s[20], t[20], c");
        interp.DeclareVariables("int n");
        ASSERT_EQ(interp.State(), RunState::Running);
        interp.StoreValue("TT", SymbolKind::String, 21); // t
    }
    std::string Get(std::string_view name) { return vokc::test::ValueOf(interp, name); }
    std::string Eval(std::string_view expr) {
        std::string out;
        interp.EvalStringExpr(expr, out);
        return out;
    }
};

TEST_F(StringsTest, ExpressionValues) {
    host.keys = {"x", "yz"};
    const std::pair<std::string, std::string> cases[] = {
        {"\"ab\" + \"cd\"", "abcd"},
        {"\"a\" + 'b'", "ab"},
        {" t+\"!\" ", "TT!"},
        {"\"a\" + \"b\" + \"c\"", "a\" + \"bc"}, // the last '+' splits
        {"'+' + t", "+TT"},                      // a char literal protects its '+'
        {W("TOUPPER(\"été\")"), W("éTé")},       // ASCII letters only
        {"ToLower(t) + tolower(\"AB\")", "ttab"},
        {"ITOA(321)", "A"},
        {"itoa(-191)", "A"},
        {"DATESTRING(CURRENTDATE())", "06/12/2026"},
        {"\"\" + timestring(currenttime())", "08:45:10"},
        {"getch()", "x"},
        {"\"a\" + GETCH()", "ay"}, // one character of what the host gave
        {"getch()", ""},           // no key any more
        {"\"ab\" + FOO(1)", "ab"}, // an unknown function adds nothing
    };
    for (const auto& [expr, value] : cases)
        EXPECT_EQ(Eval(expr), value) << expr;
    EXPECT_EQ(interp.State(), RunState::Running);
    EXPECT_EQ(host.AllMessages(), "");
}

TEST_F(StringsTest, ExpressionFailuresReportOnce) {
    host.keys = {"k"};
    const std::pair<const char*, const char*> cases[] = {
        {"\"a+b\"", "chaine sans fin"},
        {"inconnu + getch()", "Variable inconnu n'existe pas"},
        {"t + c", "ce n'est pas un string"},
        {"ITOA(\"z\")", "Erreur de conversion"},
        {"DATESTRING( CURRENTDATE() )", "Variable data/heure incorrecte"},
        {"TIMESTRING(CURRENTDATE())", "Variable data/heure incorrecte"},
    };
    for (const auto& [expr, message] : cases) {
        host.messages.clear();
        std::string out = "keep";
        interp.EvalStringExpr(expr, out);
        EXPECT_EQ(interp.State(), RunState::Failed) << expr;
        EXPECT_EQ(host.AllMessages(), std::string(message) + "|") << expr;
        EXPECT_EQ(out, "keep") << expr;
    }
    EXPECT_EQ(host.keys.size(), 1u); // no right term is read after a failed left one
}

TEST_F(StringsTest, StrcpyAppendsAndStrncpyAppendsNCharacters) {
    interp.StoreValue("xy", SymbolKind::String, 1);
    interp.AppendToString("s, \"ab\")", false);
    interp.AppendToString("s,t)", false);
    interp.AppendToString("s, \"cdef\", 3)", true);
    interp.AppendToString("s, \"abc\")", true); // no count, a name, a negative count: nothing
    interp.AppendToString("s, \"abc\", n)", true);
    interp.AppendToString("s, \"abc\", -2)", true);
    interp.AppendToString("s, 'z', 99)", true);
    EXPECT_EQ(Get("s"), "xyabTTcdez");
    EXPECT_EQ(interp.State(), RunState::Running);
    EXPECT_EQ(host.AllMessages(), "");
}

TEST_F(StringsTest, StringStatementFailuresStoreNothing) {
    interp.StoreValue("ok", SymbolKind::String, 1);
    interp.StoreValue("7", SymbolKind::Int, 1);
    interp.StoreValue("k", SymbolKind::Char, 1);
    interp.DeclareVariables("float f");
    interp.AppendToString("s \"ab\")", false);
    interp.AppendToString("s, inconnu)", false); // failed source
    EXPECT_EQ(host.AllMessages(), "Erreur dans expression|Variable inconnu n'existe pas|");
    // A destination that is not a string: its read says so, then the store refuses an
    // int or a float and leaves a char alone.
    for (const char* dest : {"n", "f", "c"}) {
        host.messages.clear();
        interp.AppendToString(std::string(dest) + ", \"1\")", false);
        EXPECT_EQ(interp.State(), RunState::Failed) << dest;
        EXPECT_EQ(host.AllMessages(), *dest == 'c' ? "ce n'est pas un string|"
                                                   : "ce n'est pas un string|Erreur de conversion|")
            << dest;
    }
    EXPECT_EQ(Get("n"), "7");
    EXPECT_EQ(Get("c"), "k");
    host.messages.clear();
    interp.AppendToString("absent, \"ab\", 1)", true); // absent destination: silent
    EXPECT_EQ(interp.State(), RunState::Failed);
    EXPECT_EQ(host.AllMessages(), "");
    EXPECT_EQ(Get("s"), "ok");
    EXPECT_EQ(Get("n"), "7");
}

TEST(StringPrograms, StatementsAssignmentsAndGetchInARun) {
    vokc::test::Run r("main()\n{\nchar s[20], c\ns = \"ab\" + 'c';\nstrcpy(s, \"de\");\n"
                      "STRNCPY(s, \"fgh\", 2);\nc = getch()\nputs(s);\nc = getch()\n"
                      "puts(\"non\")\n}\n");
    r.host.keys = {"k"};
    r.Go();
    EXPECT_EQ(r.host.console, "abcdefg\n");
    // No key left: an empty text cannot be stored into a char.
    EXPECT_EQ(r.host.AllMessages(), "Erreur de conversion|");
    EXPECT_EQ(r.startLine, 8);
}

TEST(StringPrograms, GetchReadsAtTheTextPosition) {
    vokc::test::Run r("main()\n{\nchar c\nprintf(\"ab\")\nc = getch()\nputs(\"\")\n"
                      "printf(\"x\")\nc = getch()\n}\n");
    r.host.keys = {"k", "l"};
    EXPECT_EQ(r.Go(), StopReason::Finished);
    const std::vector<std::pair<int, int>> expected = {{16, 0}, {8, 18}};
    EXPECT_EQ(r.host.keyPositions, expected);
}

// `s = s + term` appends the term in place: the same values and messages as the general
// evaluation followed by the store, for plain variables and elements alike.
TEST_F(StringsTest, AssignmentOfTheTargetPlusATermAppends) {
    interp.StoreValue("2", SymbolKind::Int, 1); // n
    host.keys = {"k"};
    const struct {
        const char* line;
        const char* value; // of s afterwards
        const char* messages;
    } cases[] = {
        {"s = s + \"ab\"", "okab", ""},
        {"s=s+t", "okTT", ""},
        {"s = s + s", "okok", ""},
        {"s = s + 'c'", "okc", ""},
        {"*s = *s + ITOA(66)", "okB", ""},
        {"s = s + getch()", "okk", ""},
        {"s = s + inconnu", "ok", "Variable inconnu n'existe pas|"},
        {"s = s + c", "ok", "ce n'est pas un string|"},
        // The last '+' splits: the left term is not the target.
        {"s = s + \"a+b\"", "ok", "Variable s + \"a n'existe pas|"},
        {"s = s + \"a\" + \"b\"", "ok", "Variable s + \"a\" n'existe pas|"},
        {"s = S + \"x\"", "ok", "Variable S n'existe pas|"}, // names are case-sensitive
        {"s = t + s", "TTok", ""},
    };
    for (const auto& c : cases) {
        interp.StoreValue("ok", SymbolKind::String, 1);
        host.messages.clear();
        interp.Assign(c.line);
        EXPECT_EQ(interp.State(), *c.messages ? RunState::Failed : RunState::Running) << c.line;
        EXPECT_EQ(Get("s"), c.value) << c.line;
        EXPECT_EQ(host.AllMessages(), c.messages) << c.line;
    }
    // An unknown target is reported before the expression is read.
    host.messages.clear();
    interp.Assign("u = u + \"x\"");
    EXPECT_EQ(host.AllMessages(), "Identificateur u inconnu|");
}

// A text stops growing at kTextMax characters: the statement that would pass it is
// refused with a message, and the variable keeps its value.
TEST_F(StringsTest, TextsStopAtTheirLongestLength) {
    const std::string longest(kTextMax, 'x');
    const std::string tooLong = W("Chaîne trop longue (1000000 caractères maxi)|");
    interp.StoreValue(longest, SymbolKind::String, 1);
    EXPECT_EQ(host.AllMessages(), "");
    interp.StoreValue(longest + "y", SymbolKind::String, 1);
    EXPECT_EQ(interp.State(), RunState::Failed);
    interp.AppendToString("s, \"z\")", false);
    interp.AppendToString("s, t, 1)", true);
    interp.Assign("s = s + \"z\"");
    EXPECT_EQ(host.AllMessages(), tooLong + tooLong + tooLong + tooLong);
    EXPECT_EQ(Get("s"), longest);
}

// Programs that double a text at every turn end on the statement that would pass the
// limit, whether it is an assignment or strcat; a doubling within it still runs.
TEST(StringPrograms, DoublingATextEndsTheRunAtTheLimit) {
    for (const char* doubling : {"s = s + s", "strcat(s, s);"}) {
        vokc::test::Run r(std::string("char s[2]\nint n\nmain()\n{\ns = \"ab\"\nboucle:\n") +
                          doubling + "\nn++\ngoto boucle\n}\n");
        EXPECT_EQ(r.Go(), StopReason::Error) << doubling;
        EXPECT_EQ(r.host.AllMessages(), W("Chaîne trop longue (1000000 caractères maxi)|"))
            << doubling;
        EXPECT_EQ(r.host.messageLines, std::vector<int>{6}) << doubling;
        EXPECT_EQ(r.startLine, 6) << doubling;
        // "ab" doubled 18 times: 524288 characters; the 19th doubling is refused.
        EXPECT_EQ(ValueOf(r.interp, "n"), "18") << doubling;
        EXPECT_EQ(ValueOf(r.interp, "s").size(), 524288u) << doubling;
    }
}

} // namespace
} // namespace vokc::test
