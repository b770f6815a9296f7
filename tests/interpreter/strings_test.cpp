// String expressions, string functions and the strcat/strncat statement family.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "interpreter.h"

namespace vokc::test {
namespace {

std::string W(std::string_view utf8) { return Interpreter::Cp(utf8); }

class StringsTest : public ::testing::Test {
protected:
    FakeHost host;
    Interpreter interp{host};

    void SetUp() override {
        interp.DeclareLine("char s[20], t[20], c");
        interp.DeclareLine("int n");
        ASSERT_EQ(interp.RunState(), 0);
        Set("t", "TT");
    }
    void Set(std::string_view name, std::string_view value) {
        char kind = 0;
        std::int32_t index = 0;
        ASSERT_TRUE(interp.ChercheEtiq(name, kind, index));
        interp.StoreValue(value, kind, index);
        ASSERT_EQ(interp.RunState(), 0);
    }
    std::string Get(std::string_view name) {
        char kind = 0;
        std::int32_t index = 0;
        long double f = 0;
        std::int32_t i = 0;
        std::string text;
        EXPECT_TRUE(interp.ChercheEtiq(name, kind, index));
        interp.LitValeur(index, kind, f, i, text);
        return kind == 'I' ? std::to_string(i) : text;
    }
    // Evaluates and returns the value; the value is meaningless when RunState is 1.
    std::string Eval(std::string_view expr) {
        std::string out = "<unset>";
        interp.EvalStringExpr(expr, out);
        return out;
    }
};

TEST_F(StringsTest, TermsAndTheirConcatenation) {
    EXPECT_EQ(Eval("\"ab\" + \"cd\""), "abcd");
    EXPECT_EQ(Eval("\"a\" + 'b'"), "ab");
    EXPECT_EQ(Eval("'x'"), "x");
    EXPECT_EQ(Eval("t+\"!\""), "TT!");
    EXPECT_EQ(Eval("  t  "), "TT");
    EXPECT_EQ(Eval("\"\""), "");
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(StringsTest, OnlyTheLastPlusOutsideCharLiteralsSplits) {
    // The left side "a" + "b" is read as one literal between its outer quotes.
    EXPECT_EQ(Eval("\"a\" + \"b\" + \"c\""), "a\" + \"bc");
    // A char literal protects its '+', a string literal does not.
    EXPECT_EQ(Eval("'+' + t"), "+TT");
    EXPECT_EQ(interp.RunState(), 0);
    Eval("\"a+b\"");
    EXPECT_EQ(interp.RunState(), 1);
    ASSERT_EQ(host.messages.size(), 1u); // the failed left term stops the expression
    EXPECT_EQ(host.messages[0], "chaine sans fin");
}

TEST_F(StringsTest, AFailedLeftTermIsNotHiddenByTheRightOne) {
    host.keys = {"k"};
    Eval("inconnu + getch()");
    EXPECT_EQ(interp.RunState(), 1);
    EXPECT_EQ(host.AllMessages(), "Variable inconnu n'existe pas|");
    EXPECT_EQ(host.keys.size(), 1u); // the right term was not evaluated
    Eval("t + inconnu");
    EXPECT_EQ(interp.RunState(), 1);
    Eval("c");
    EXPECT_EQ(host.messages.back(), "ce n'est pas un string");
}

TEST_F(StringsTest, CaseFunctionsChangeAsciiLettersOnly) {
    EXPECT_EQ(Eval(W("TOUPPER(\"été\")")), W("éTé"));
    EXPECT_EQ(Eval(W("tolower(\"ÉTÉ Ab\")")), W("ÉtÉ ab"));
    EXPECT_EQ(Eval("ToUpper(t) + tolower(t)"), "TTtt");
    EXPECT_EQ(interp.RunState(), 0);
}

TEST_F(StringsTest, ItoaGivesTheCharacterOfTheLow8Bits) {
    EXPECT_EQ(Eval("ITOA(321)"), "A");
    Set("n", "66");
    EXPECT_EQ(Eval("itoa(n)"), "B");
    EXPECT_EQ(Eval("ITOA(-191)"), "A"); // -191 & 0xFF == 65
    EXPECT_EQ(interp.RunState(), 0);
    Eval("ITOA(\"z\")");
    EXPECT_EQ(interp.RunState(), 1);
    EXPECT_EQ(host.messages.back(), "Erreur de conversion");
}

TEST_F(StringsTest, DateAndTimeNeedTheirExactArgument) {
    EXPECT_EQ(Eval("DATESTRING(CURRENTDATE())"), "06/12/2026");
    EXPECT_EQ(Eval("timestring(currenttime())"), "08:45:10");
    EXPECT_EQ(Eval("\"le \" + DateString(CurrentDate())"), "le 06/12/2026");
    EXPECT_TRUE(host.messages.empty());
    Eval("DATESTRING( CURRENTDATE() )");
    EXPECT_EQ(interp.RunState(), 1);
    Eval("TIMESTRING(CURRENTDATE())");
    EXPECT_EQ(host.AllMessages(),
              "Variable data/heure incorrecte|Variable data/heure incorrecte|");
}

TEST_F(StringsTest, GetchReadsOneKeyAndUnknownFunctionsGiveNothing) {
    host.keys = {"x", "yz"};
    EXPECT_EQ(Eval("getch()"), "x");
    EXPECT_EQ(Eval("\"a\" + GETCH()"), "ay"); // one character of what the host gave
    EXPECT_EQ(Eval("getch()"), "");           // no key any more
    EXPECT_EQ(Eval("FOO(1)"), "");
    EXPECT_EQ(Eval("\"ab\" + FOO(1)"), "ab"); // an unknown right term adds nothing
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(StringsTest, StringTermAloneDoesNotSplit) {
    std::string out;
    interp.StringTerm(" \"a+b\" ", out);
    EXPECT_EQ(out, "a+b");
    interp.StringTerm("ToLower(\"XY\")", out);
    EXPECT_EQ(out, "xy");
}

TEST_F(StringsTest, StrcpyAndStrcatBothAppend) {
    Set("s", "xy");
    interp.StrCat("s, \"ab\")");
    EXPECT_EQ(Get("s"), "xyab");
    interp.StrCat("s,t)");
    EXPECT_EQ(Get("s"), "xyabTT");
    interp.StrCat("s, 'z')");
    EXPECT_EQ(Get("s"), "xyabTTz");
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(StringsTest, StrncatAppendsTheFirstNCharacters) {
    Set("s", "-");
    interp.StrNCat("s, \"abcdef\", 3)");
    EXPECT_EQ(Get("s"), "-abc");
    interp.StrNCat("s, \"abc\")"); // no count: nothing appended
    interp.StrNCat("s, \"abc\", n2)");
    interp.StrNCat("s, \"abc\", -2)");
    EXPECT_EQ(Get("s"), "-abc");
    interp.StrNCat("s, t, 99)");
    EXPECT_EQ(Get("s"), "-abcTT");
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(StringsTest, StringStatementFailures) {
    Set("s", "ok");
    interp.StrCat("s \"ab\")");
    EXPECT_EQ(host.AllMessages(), "Erreur dans expression|");
    host.messages.clear();

    interp.StrNCat("absent, \"ab\", 1)"); // absent destination: silent failure
    EXPECT_EQ(interp.RunState(), 1);
    EXPECT_TRUE(host.messages.empty());

    Set("n", "7");
    interp.StrCat("n, \"1\")"); // not a string: one message, nothing stored
    EXPECT_EQ(interp.RunState(), 1);
    EXPECT_EQ(host.AllMessages(), "ce n'est pas un string|");
    EXPECT_EQ(Get("n"), "7");
    host.messages.clear();

    interp.StrCat("s, inconnu)"); // a failed source leaves the destination alone
    EXPECT_EQ(interp.RunState(), 1);
    EXPECT_EQ(host.AllMessages(), "Variable inconnu n'existe pas|");
    EXPECT_EQ(Get("s"), "ok");
}

// Whole programs: the statements and the assignment as the run loop dispatches them.
TEST(StringPrograms, AssignmentsAndStatementsInARun) {
    vokc::test::Run r("main()\n{\nchar s[20], c\ns = \"ab\" + 'c';\nstrcpy(s, \"de\");\n"
          "STRNCPY(s, \"fgh\", 2);\nc = \"xyz\"\nputs(s);\ns = c + \"!\"\n}\n");
    r.Go();
    EXPECT_EQ(r.host.console, "abcdefg\n");
    // The last line fails: a char variable is not a string operand.
    EXPECT_EQ(r.host.AllMessages(), "ce n'est pas un string|");
    EXPECT_EQ(r.interp.MessageLine(), 8);
}

TEST(StringPrograms, GetchIntoACharVariable) {
    vokc::test::Run r("main()\n{\nchar c\nc = getch()\nputs(\"lu\")\nc = getch()\nputs(\"non\")\n}\n");
    r.host.keys = {"k"};
    r.Go();
    EXPECT_EQ(r.host.console, "lu\n");
    // No key left: the empty text cannot be stored into a char.
    EXPECT_EQ(r.host.AllMessages(), "Erreur de conversion|");
    char kind = 0;
    std::int32_t index = 0;
    ASSERT_TRUE(r.interp.ChercheEtiq("c", kind, index));
    long double f = 0;
    std::int32_t i = 0;
    std::string text;
    r.interp.LitValeur(index, kind, f, i, text);
    EXPECT_EQ(text, "k");
}

} // namespace
} // namespace vokc::test
