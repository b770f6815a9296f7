// Grading: the HTML report.
#include "grade_html.h"

#include <algorithm>
#include <vector>

#include "grade_compare.h"

namespace vokc::grading {

namespace {

constexpr std::string_view kStyle = R"(
body { font-family: sans-serif; margin: 1.5em; color: #222; }
table { border-collapse: collapse; margin: 0.5em 0 1.5em; }
th, td { border: 1px solid #bbb; padding: 0.25em 0.6em; vertical-align: top; }
thead th, tfoot th, tfoot td { background: #eee; }
tbody th { text-align: left; font-weight: normal; font-family: monospace; }
td.reussi { background: #c8efc8; }
td.echoue { background: #ffd8a8; }
td.erreur { background: #f7b5b5; }
td.limite { background: #d9c8f0; }
td a { color: inherit; }
td.total { text-align: right; }
table.sorties { table-layout: fixed; width: 100%; }
table.sorties th:nth-child(odd) { width: 4em; }
table.sorties td { font-family: monospace; white-space: pre-wrap; overflow-wrap: anywhere; }
table.sorties tr.saut td { color: #777; text-align: center; }
table.sorties td.numero { text-align: right; color: #777; }
table.sorties tr.diff td { background: #ffe3e3; }
table.sorties tr.diff td.numero { color: #a00; font-weight: bold; }
p.legende span { padding: 0.1em 0.5em; margin-right: 0.5em; }
)";

std::string_view CssClass(Result result) {
    switch (result) {
    case Result::Passed:
        return "reussi";
    case Result::Failed:
        return "echoue";
    case Result::Error:
        return "erreur";
    case Result::Limit:
        return "limite";
    }
    return "";
}

std::string Anchor(std::size_t program, std::size_t run) {
    return "d-" + std::to_string(program) + "-" + std::to_string(run);
}

// Both outputs side by side, aligned on their common lines: the differing rows with a
// few common lines around them, and a note for what is left out.
void AppendOutputs(std::string& out, std::vector<std::string> expected,
                   std::vector<std::string> obtained) {
    // The report shows the beginning of each output only.
    const bool cut = expected.size() > kReportLines || obtained.size() > kReportLines;
    if (expected.size() > kReportLines) expected.resize(kReportLines);
    if (obtained.size() > kReportLines) obtained.resize(kReportLines);
    const std::vector<DiffRow> rows = AlignedDiff(expected, obtained);
    std::vector<bool> shown(rows.size(), false);
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (rows[r].differs)
            for (std::size_t k = r > kContextLines ? r - kContextLines : 0;
                 k < std::min(rows.size(), r + kContextLines + 1); ++k)
                shown[k] = true;

    out += "<table class=\"sorties\"><thead><tr><th>Ligne</th><th>Attendu</th><th>Ligne</th>"
           "<th>Obtenu</th></tr></thead><tbody>\n";
    const auto note = [&out](const std::string& text) {
        out += "<tr class=\"saut\"><td colspan=\"4\"><em>" + text + "</em></td></tr>\n";
    };
    std::size_t differing = 0;
    for (std::size_t r = 0; r < rows.size();) {
        if (!shown[r]) {
            std::size_t end = r;
            while (end < rows.size() && !shown[end])
                ++end;
            note("… " + std::to_string(end - r) +
                 (end - r == 1 ? " ligne identique non montrée"
                               : " lignes identiques non montrées"));
            r = end;
            continue;
        }
        if (rows[r].differs && differing == kDifferingRows) {
            std::size_t rest = 0;
            for (std::size_t k = r; k < rows.size(); ++k)
                if (rows[k].differs) ++rest;
            note("… " + std::to_string(rest) + " lignes différentes de plus non montrées");
            break;
        }
        const DiffRow& row = rows[r];
        if (row.differs) ++differing;
        out += row.differs ? "<tr class=\"diff\">" : "<tr>";
        const auto side = [&out](int line, const std::vector<std::string>& lines) {
            out += "<td class=\"numero\">";
            if (line > 0) out += std::to_string(line);
            out += "</td><td>";
            out += line > 0 ? HtmlEscape(lines[static_cast<std::size_t>(line - 1)]) : "";
            out += "</td>";
        };
        side(row.expected, expected);
        side(row.obtained, obtained);
        out += "</tr>\n";
        ++r;
    }
    if (cut) note("… suite non montrée");
    out += "</tbody></table>\n";
}

} // namespace

std::string ReportExcerpt(std::string output) {
    constexpr std::size_t kMaxBytes = 256 * 1024;
    std::size_t end = 0;
    for (std::size_t line = 0; line <= kReportLines && end < output.size(); ++line) {
        const std::size_t next = output.find('\n', end);
        end = next == std::string::npos ? output.size() : next + 1;
    }
    end = std::min(end, kMaxBytes);
    // Never in the middle of a UTF-8 character.
    while (end < output.size() && end > 0 &&
           (static_cast<unsigned char>(output[end]) & 0xC0) == 0x80)
        --end;
    output.resize(end);
    return output;
}

std::string HtmlEscape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            if ((u < 0x20 && c != '\t' && c != '\n') || u == 0x7F)
                out += "\xEF\xBF\xBD";
            else
                out += c;
        }
    }
    return out;
}

std::string HtmlReport(const Grading& grading, std::string_view title) {
    const std::size_t cases = grading.caseNames.size();
    std::size_t runs = 0, passedRuns = 0;
    std::vector<std::size_t> passedPerCase(cases, 0);
    for (const ProgramResults& program : grading.programs)
        for (std::size_t c = 0; c < program.runs.size() && c < cases; ++c) {
            ++runs;
            if (program.runs[c].result == Result::Passed) {
                ++passedRuns;
                ++passedPerCase[c];
            }
        }

    std::string out = "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<title>Notation — " + HtmlEscape(AsUtf8(title)) + "</title>\n<style>";
    out += kStyle;
    out += "</style>\n</head>\n<body>\n";
    out += "<h1>Notation — " + HtmlEscape(AsUtf8(title)) + "</h1>\n";
    out += "<p>" + std::to_string(grading.programs.size()) + " programmes, " +
           std::to_string(runs) + " exécutions, " + std::to_string(passedRuns) + " réussies</p>\n";
    out += "<p class=\"legende\">";
    for (Result r : {Result::Passed, Result::Failed, Result::Error, Result::Limit})
        out += "<span class=\"" + std::string(CssClass(r)) + "\" style=\"background:" +
               (r == Result::Passed   ? "#c8efc8"
                : r == Result::Failed ? "#ffd8a8"
                : r == Result::Error  ? "#f7b5b5"
                                      : "#d9c8f0") +
               "\">" + std::string(ResultName(r)) + "</span>";
    out += "</p>\n";

    // The table of programs by cases.
    out += "<table class=\"grille\">\n<thead><tr><th>Programme</th>";
    for (const std::string& name : grading.caseNames)
        out += "<th>" + HtmlEscape(AsUtf8(name)) + "</th>";
    out += "<th>Réussis</th></tr></thead>\n<tbody>\n";
    for (std::size_t p = 0; p < grading.programs.size(); ++p) {
        const ProgramResults& program = grading.programs[p];
        out += "<tr><th>" + HtmlEscape(AsUtf8(program.file)) + "</th>";
        for (std::size_t c = 0; c < program.runs.size(); ++c) {
            const RunResult& run = program.runs[c];
            out += "<td class=\"" + std::string(CssClass(run.result)) + "\" title=\"" +
                   HtmlEscape(run.detail) + "\">";
            if (run.result == Result::Passed)
                out += std::string(ResultName(run.result));
            else
                out += "<a href=\"#" + Anchor(p, c) + "\">" + std::string(ResultName(run.result)) +
                       "</a>";
            out += "</td>";
        }
        out += "<td class=\"total\">" + std::to_string(PassedRuns(program)) + "/" +
               std::to_string(program.runs.size()) + "</td></tr>\n";
    }
    out += "</tbody>\n<tfoot><tr><th>Réussis</th>";
    for (std::size_t c = 0; c < cases; ++c)
        out += "<td class=\"total\">" + std::to_string(passedPerCase[c]) + "/" +
               std::to_string(grading.programs.size()) + "</td>";
    out += "<td class=\"total\">" + std::to_string(passedRuns) + "/" + std::to_string(runs) +
           "</td></tr></tfoot>\n</table>\n";

    // The runs that did not pass.
    bool any = false;
    for (std::size_t p = 0; p < grading.programs.size(); ++p) {
        const ProgramResults& program = grading.programs[p];
        for (std::size_t c = 0; c < program.runs.size() && c < cases; ++c) {
            const RunResult& run = program.runs[c];
            if (run.result == Result::Passed) continue;
            if (!any) out += "<h2>Exécutions non réussies</h2>\n";
            any = true;
            out += "<section id=\"" + Anchor(p, c) + "\">\n<h3>" +
                   HtmlEscape(AsUtf8(program.file)) + " — cas " +
                   HtmlEscape(AsUtf8(grading.caseNames[c])) + " : " +
                   std::string(ResultName(run.result));
            // The detail of `échoué` names its output line itself.
            if (run.line > 0 && run.result != Result::Failed)
                out += ", ligne " + std::to_string(run.line);
            out += "</h3>\n<p>" + HtmlEscape(run.detail) + "</p>\n";
            const std::string& expected = c < grading.expected.size() ? grading.expected[c] : "";
            AppendOutputs(out, ComparableLines(expected), ComparableLines(run.output));
            out += "</section>\n";
        }
    }
    out += "</body>\n</html>\n";
    return out;
}

} // namespace vokc::grading
