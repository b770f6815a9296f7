// Grading: the results of a grading and their text, CSV and JSON forms.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vokc::grading {

// By precedence: a run that hit a limit is `limite` whatever else happened, and so on.
enum class Result { Passed, Failed, Error, Limit };

// réussi, échoué, erreur, limite
std::string_view ResultName(Result result);

struct RunResult {
    Result result = Result::Passed;
    int line = 0;       // 1-based: the differing line, or the line of the stop; 0: none
    std::string detail; // UTF-8
    std::string output; // what the run printed, kept for the HTML report only
};

struct ProgramResults {
    std::string file;            // as given on the command line
    std::vector<RunResult> runs; // one per case, in case order
};

struct Grading {
    std::vector<std::string> caseNames;
    std::vector<std::string> expected; // bytes of each case's expected output
    std::vector<ProgramResults> programs;
};

// The result of a run that ended by itself, from what its process reported: one line
// with the stop reason (`fini`, `erreur`, `lignes`, `fermeture`), one with the 1-based
// stop line, then the last message (UTF-8); and from its output and the expected one.
RunResult JudgeReport(const std::string& report, const std::string& output,
                      const std::string& expected);

int PassedRuns(const ProgramResults& program);

// Per program `FILE : R/N cas réussis` and one indented line per case that did not
// pass, then the totals. Names and details are shown visibly (VisibleText).
std::string TextReport(const Grading& grading);
// RFC 4180: CR LF line ends, fields quoted when needed, a header line.
std::string CsvReport(const Grading& grading);
std::string JsonReport(const Grading& grading);

// UTF-8 text safe to show on a terminal or in a spreadsheet: each control character
// becomes its visible picture (ESC is ␛, CR ␍), and U+0080 to U+009F become U+FFFD.
std::string VisibleText(std::string_view utf8);

// Helpers shared with the HTML report.
std::string CsvField(std::string_view text);
std::string JsonString(std::string_view text);

} // namespace vokc::grading
