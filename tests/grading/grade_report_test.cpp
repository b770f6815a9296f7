// Results of a grading: how a run's stop report is judged, and the text, CSV, JSON and
// HTML forms.
#include <gtest/gtest.h>

#include "grade_html.h"
#include "grade_report.h"

namespace vokc::grading {
namespace {

TEST(GradeJudge, StopReportsGiveTheirResults) {
    RunResult r = JudgeReport("fini\n12\n", "Bonjour\r\n", "Bonjour\n");
    EXPECT_EQ(r.result, Result::Passed);
    EXPECT_EQ(r.line, 0);
    EXPECT_EQ(r.detail, "");

    r = JudgeReport("fini\n12\n", "Bonjour\nà demain\n", "Bonjour\nau revoir\n");
    EXPECT_EQ(r.result, Result::Failed);
    EXPECT_EQ(r.line, 2);
    EXPECT_EQ(r.detail, "sortie, ligne 2 : attendu « au revoir », obtenu « à demain »");

    // An error wins over a different output; its line is the stop's.
    r = JudgeReport("erreur\n7\nVariable x inconnue", "", "Bonjour\n");
    EXPECT_EQ(r.result, Result::Error);
    EXPECT_EQ(r.line, 7);
    EXPECT_EQ(r.detail, "Variable x inconnue");

    r = JudgeReport("erreur\n3\n", "", "");
    EXPECT_EQ(r.result, Result::Error);
    EXPECT_EQ(r.detail, "exécution arrêtée");

    r = JudgeReport("lignes\n5\n", "Bonjour\n", "Bonjour\n");
    EXPECT_EQ(r.result, Result::Limit);
    EXPECT_EQ(r.line, 0);
    EXPECT_EQ(r.detail, "lignes");

    r = JudgeReport("fermeture\n9\nerreur d'entrée/sortie à la fermeture des fichiers", "", "");
    EXPECT_EQ(r.result, Result::Error);
    EXPECT_EQ(r.line, 0);
    EXPECT_EQ(r.detail, "erreur d'entrée/sortie à la fermeture des fichiers");
}

TEST(GradeJudge, ATruncatedOrUnknownReportIsAnAbnormalEnd) {
    for (const char* report : {"", "fini", "fini\n3", "perdu\n1\n"}) {
        RunResult r = JudgeReport(report, "", "");
        EXPECT_EQ(r.result, Result::Error) << report;
        EXPECT_EQ(r.detail, "arrêt anormal") << report;
    }
}

Grading Sample() {
    Grading g;
    g.caseNames = {"1", "deux"};
    g.expected = {"a\n", "b\n"};
    ProgramResults good{"bon.c", {RunResult{}, RunResult{}}};
    ProgramResults bad{
        "dossier/mal, \"nommé\".c",
        {RunResult{Result::Failed, 2, "sortie, ligne 2 : attendu « a », obtenu « b »", "x\nb\n"},
         RunResult{Result::Limit, 0, "temps", ""}}};
    g.programs = {good, bad};
    return g;
}

TEST(GradeReport, TextListsEveryRunThatDidNotPass) {
    EXPECT_EQ(TextReport(Sample()), "bon.c : 2/2 cas réussis\n"
                                    "dossier/mal, \"nommé\".c : 0/2 cas réussis\n"
                                    "  1 : échoué : sortie, ligne 2 : attendu « a », obtenu « b »\n"
                                    "  deux : limite : temps\n"
                                    "2 programmes, 4 exécutions, 2 réussies\n");
}

TEST(GradeReport, CsvQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvReport(Sample()), "programme,cas,résultat,ligne,détail\r\n"
                                   "bon.c,1,réussi,,\r\n"
                                   "bon.c,deux,réussi,,\r\n"
                                   "\"dossier/mal, \"\"nommé\"\".c\",1,échoué,2,\"sortie, ligne 2 "
                                   ": attendu « a », obtenu « b »\"\r\n"
                                   "\"dossier/mal, \"\"nommé\"\".c\",deux,limite,,temps\r\n");
    EXPECT_EQ(CsvField("a\rb"), "\"a\rb\"");
    EXPECT_EQ(CsvField("a\nb"), "\"a\nb\"");
    EXPECT_EQ(CsvField("a b;c"), "a b;c");
}

TEST(GradeReport, NamesInWindows1252ComeOutInUtf8) {
    Grading g;
    g.caseNames = {"\xE9t\xE9"};
    g.programs = {ProgramResults{"caf\xE9.c", {RunResult{}}}};
    EXPECT_EQ(CsvReport(g), "programme,cas,résultat,ligne,détail\r\ncafé.c,été,réussi,,\r\n");
}

TEST(GradeReport, JsonEscapesQuotesBackslashesAndControls) {
    EXPECT_EQ(JsonString("a\"b\\c\n\r\t\x01\x7F"
                         "é"),
              "\"a\\\"b\\\\c\\n\\r\\t\\u0001\\u007fé\"");
    EXPECT_EQ(
        JsonReport(Sample()),
        "{\"programmes\": [\n"
        "  {\"programme\": \"bon.c\", \"cas\": [\n"
        "    {\"nom\": \"1\", \"resultat\": \"réussi\", \"ligne\": null, \"detail\": \"\"},\n"
        "    {\"nom\": \"deux\", \"resultat\": \"réussi\", \"ligne\": null, \"detail\": \"\"}\n"
        "  ]},\n"
        "  {\"programme\": \"dossier/mal, \\\"nommé\\\".c\", \"cas\": [\n"
        "    {\"nom\": \"1\", \"resultat\": \"échoué\", \"ligne\": 2, \"detail\": "
        "\"sortie, ligne 2 : attendu « a », obtenu « b »\"},\n"
        "    {\"nom\": \"deux\", \"resultat\": \"limite\", \"ligne\": null, \"detail\": "
        "\"temps\"}\n"
        "  ]}\n"
        "]}\n");
}

TEST(GradeReport, HtmlEscapesMarkupAndControls) {
    EXPECT_EQ(HtmlEscape("<script>a&b</script> \"'"),
              "&lt;script&gt;a&amp;b&lt;/script&gt; &quot;&#39;");
    EXPECT_EQ(HtmlEscape("a\x1B[2Jb\tc"), "a\xEF\xBF\xBD[2Jb\tc");
}

TEST(GradeReport, HtmlMarksTheDifferingLinesOfEachFailure) {
    Grading g = Sample();
    g.programs[1].runs[0].output = "<b>x</b>\nb\n";
    const std::string html = HtmlReport(g, "ex<1>");
    EXPECT_NE(html.find("<title>Notation — ex&lt;1&gt;</title>"), std::string::npos);
    EXPECT_EQ(html.find("<b>x"), std::string::npos);
    EXPECT_NE(html.find("<tr class=\"diff\"><td class=\"numero\">1</td><td>a</td>"
                        "<td class=\"numero\">1</td><td>&lt;b&gt;x&lt;/b&gt;</td></tr>"),
              std::string::npos);
    // The second line exists only in the output.
    EXPECT_NE(html.find("<tr class=\"diff\"><td class=\"numero\"></td><td></td>"
                        "<td class=\"numero\">2</td><td>b</td></tr>"),
              std::string::npos);
    // The detail names the output line; the heading does not repeat it.
    EXPECT_NE(html.find("<h3>dossier/mal, &quot;nommé&quot;.c — cas 1 : échoué</h3>"),
              std::string::npos);
    EXPECT_NE(html.find("<td class=\"total\">1/2</td>"), std::string::npos); // per case
    EXPECT_NE(html.find("<td class=\"total\">2/4</td>"), std::string::npos); // in all
    EXPECT_EQ(html.find("<script"), std::string::npos);
}

TEST(GradeReport, OnlyTheBeginningOfALongOutputIsKept) {
    std::string many;
    for (int i = 1; i <= 1000; ++i)
        many += std::to_string(i) + "\n";
    const std::string kept = ReportExcerpt(many);
    EXPECT_EQ(kept.substr(kept.size() - 4), "501\n");
    EXPECT_EQ(ReportExcerpt("a\nb"), "a\nb");

    std::string wide = "x"; // so that the byte limit falls inside a character
    for (int i = 0; i < 200000; ++i)
        wide += "\xC3\xA9"; // é, 400 KB on one line
    const std::string cut = ReportExcerpt(wide);
    EXPECT_LE(cut.size(), 256u * 1024);
    EXPECT_GT(cut.size(), 255u * 1024);
    EXPECT_EQ(cut.size() % 2, 1u); // whole characters only

    Grading g;
    g.caseNames = {"1"};
    g.expected = {"1\n"};
    g.programs = {ProgramResults{"p.c", {RunResult{Result::Limit, 0, "temps", kept}}}};
    const std::string html = HtmlReport(g, "ex");
    // The first line is common; a bounded number of the differing ones follow.
    EXPECT_NE(html.find("<tr><td class=\"numero\">1</td><td>1</td><td class=\"numero\">1</td>"
                        "<td>1</td></tr>"),
              std::string::npos);
    EXPECT_NE(html.find("<td>" + std::to_string(kDifferingRows + 1) + "</td></tr>"),
              std::string::npos);
    EXPECT_EQ(html.find("<td>" + std::to_string(kDifferingRows + 2) + "</td></tr>"),
              std::string::npos);
    EXPECT_NE(html.find("… " + std::to_string(kReportLines - 1 - kDifferingRows) +
                        " lignes différentes de plus non montrées"),
              std::string::npos);
    EXPECT_NE(html.find("suite non montrée"), std::string::npos);
}

TEST(GradeReport, HtmlAlignsTheOutputsOnTheirCommonLines) {
    std::string expected, obtained;
    for (int i = 1; i <= 30; ++i) {
        expected += "ligne " + std::to_string(i) + "\n";
        obtained += "ligne " + std::to_string(i) + "\n";
        if (i == 15) obtained += "en trop\n"; // one inserted line
    }
    Grading g;
    g.caseNames = {"1"};
    g.expected = {expected};
    g.programs = {ProgramResults{"p.c", {RunResult{Result::Failed, 16, "d", obtained}}}};
    const std::string html = HtmlReport(g, "ex");
    std::size_t marked = 0;
    for (std::size_t at = html.find("<tr class=\"diff\">"); at != std::string::npos;
         at = html.find("<tr class=\"diff\">", at + 1))
        ++marked;
    EXPECT_EQ(marked, 1u);
    EXPECT_NE(html.find("<tr class=\"diff\"><td class=\"numero\"></td><td></td>"
                        "<td class=\"numero\">16</td><td>en trop</td></tr>"),
              std::string::npos);
    // Three common lines on each side of it; the rest is counted, not shown.
    EXPECT_NE(html.find("<td>ligne 13</td>"), std::string::npos);
    EXPECT_EQ(html.find("<td>ligne 12</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>ligne 18</td>"), std::string::npos);
    EXPECT_EQ(html.find("<td>ligne 19</td>"), std::string::npos);
    const std::string hidden = "… 12 lignes identiques non montrées";
    ASSERT_NE(html.find(hidden), std::string::npos);
    EXPECT_NE(html.find(hidden, html.find(hidden) + 1), std::string::npos);
    EXPECT_NE(html.find("overflow-wrap: anywhere"), std::string::npos);
}

TEST(GradeReport, TextAndCsvShowControlCharactersVisibly) {
    Grading g;
    g.caseNames = {"c\x1b[2J"};
    g.programs = {ProgramResults{
        "copies/\x1b[1Anom\r.c",
        {RunResult{Result::Failed, 1,
                   "sortie, ligne 1 : attendu « 3 », obtenu « \r\x1b[32m\xC2\x9B »", ""}}}};
    for (const std::string& out : {TextReport(g), CsvReport(g)}) {
        EXPECT_EQ(out.find('\x1b'), std::string::npos) << out;
        EXPECT_EQ(out.find("\r\x1b"), std::string::npos) << out;
        EXPECT_EQ(out.find("\xC2\x9B"), std::string::npos) << out;
        EXPECT_NE(out.find("copies/␛[1Anom␍.c"), std::string::npos) << out;
        EXPECT_NE(out.find("obtenu « ␍␛[32m\xEF\xBF\xBD »"), std::string::npos) << out;
    }
    EXPECT_EQ(VisibleText("a\tb\x7F\n"), "a␉b␡␊");
    EXPECT_EQ(VisibleText("déjà « x »"), "déjà « x »");
}

} // namespace
} // namespace vokc::grading
