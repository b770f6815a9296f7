// Grading: text, CSV and JSON results. Names and texts come out in UTF-8 whatever their
// encoding on disk or on the command line.
#include "grade_report.h"

#include <cstdio>
#include <cstdlib>

#include "grade_compare.h"

namespace vokc::grading {

std::string_view ResultName(Result result) {
    switch (result) {
    case Result::Passed:
        return "réussi";
    case Result::Failed:
        return "échoué";
    case Result::Error:
        return "erreur";
    case Result::Limit:
        return "limite";
    }
    return "";
}

RunResult JudgeReport(const std::string& report, const std::string& output,
                      const std::string& expected) {
    RunResult run;
    const std::size_t first = report.find('\n');
    const std::size_t second = first == std::string::npos ? first : report.find('\n', first + 1);
    if (second == std::string::npos) {
        run.result = Result::Error;
        run.detail = "arrêt anormal";
        return run;
    }
    const std::string reason = report.substr(0, first);
    const int line = std::atoi(report.c_str() + first + 1);
    const std::string message = report.substr(second + 1);
    if (reason == "lignes") {
        run.result = Result::Limit;
        run.detail = "lignes";
    } else if (reason == "erreur") {
        run.result = Result::Error;
        run.line = line;
        run.detail = message.empty() ? "exécution arrêtée" : message;
    } else if (reason == "fermeture") {
        run.result = Result::Error;
        run.detail = message;
    } else if (reason == "fini") {
        const auto difference = FirstDifference(ComparableLines(expected), ComparableLines(output));
        if (difference) {
            run.result = Result::Failed;
            run.line = difference->line;
            run.detail = DifferenceDetail(*difference);
        }
    } else {
        run.result = Result::Error;
        run.detail = "arrêt anormal";
    }
    return run;
}

std::string VisibleText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto u = static_cast<unsigned char>(utf8[i]);
        if (u < 0x20 || u == 0x7F) {
            // The control pictures: U+2400 to U+241F, U+2421 for DEL.
            const unsigned picture = u == 0x7F ? 0x2421 : 0x2400 + u;
            out += static_cast<char>(0xE0 | (picture >> 12));
            out += static_cast<char>(0x80 | ((picture >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (picture & 0x3F));
        } else if (u == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            // U+0080 to U+009F, which some terminals obey as well.
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

int PassedRuns(const ProgramResults& program) {
    int passed = 0;
    for (const RunResult& run : program.runs)
        if (run.result == Result::Passed) ++passed;
    return passed;
}

std::string TextReport(const Grading& grading) {
    std::string out;
    std::size_t runs = 0, passedRuns = 0;
    for (const ProgramResults& program : grading.programs) {
        const int passed = PassedRuns(program);
        runs += program.runs.size();
        passedRuns += static_cast<std::size_t>(passed);
        out += VisibleText(AsUtf8(program.file)) + " : " + std::to_string(passed) + "/" +
               std::to_string(program.runs.size()) + " cas réussis\n";
        for (std::size_t c = 0; c < program.runs.size(); ++c) {
            const RunResult& run = program.runs[c];
            if (run.result == Result::Passed) continue;
            out += "  " + VisibleText(AsUtf8(grading.caseNames[c])) + " : " +
                   std::string(ResultName(run.result));
            // The detail of `échoué` names its output line itself.
            if (run.line > 0 && run.result != Result::Failed)
                out += ", ligne " + std::to_string(run.line);
            out += " : " + VisibleText(run.detail) + "\n";
        }
    }
    out += std::to_string(grading.programs.size()) + " programmes, " + std::to_string(runs) +
           " exécutions, " + std::to_string(passedRuns) + " réussies\n";
    return out;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string CsvReport(const Grading& grading) {
    std::string out = "programme,cas,résultat,ligne,détail\r\n";
    for (const ProgramResults& program : grading.programs) {
        for (std::size_t c = 0; c < program.runs.size(); ++c) {
            const RunResult& run = program.runs[c];
            out += CsvField(VisibleText(AsUtf8(program.file))) + "," +
                   CsvField(VisibleText(AsUtf8(grading.caseNames[c]))) + "," +
                   std::string(ResultName(run.result)) + "," +
                   (run.line > 0 ? std::to_string(run.line) : std::string()) + "," +
                   CsvField(VisibleText(run.detail)) + "\r\n";
        }
    }
    return out;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out += buf;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string JsonReport(const Grading& grading) {
    std::string out = "{\"programmes\": [";
    for (std::size_t p = 0; p < grading.programs.size(); ++p) {
        const ProgramResults& program = grading.programs[p];
        out += p == 0 ? "\n" : ",\n";
        out += "  {\"programme\": " + JsonString(AsUtf8(program.file)) + ", \"cas\": [";
        for (std::size_t c = 0; c < program.runs.size(); ++c) {
            const RunResult& run = program.runs[c];
            out += c == 0 ? "\n" : ",\n";
            out += "    {\"nom\": " + JsonString(AsUtf8(grading.caseNames[c])) +
                   ", \"resultat\": " + JsonString(ResultName(run.result)) + ", \"ligne\": " +
                   (run.line > 0 ? std::to_string(run.line) : std::string("null")) +
                   ", \"detail\": " + JsonString(run.detail) + "}";
        }
        out += "\n  ]}";
    }
    out += "\n]}\n";
    return out;
}

} // namespace vokc::grading
