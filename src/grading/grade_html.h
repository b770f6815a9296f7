// Grading: the HTML report, one self-contained page.
#pragma once

#include <string>
#include <string_view>

#include "grade_report.h"

namespace vokc::grading {

// Lines of each output shown for a run in the report: enough to see a difference,
// bounded so that three hundred runs that each printed a megabyte still make a page a
// browser opens.
inline constexpr std::size_t kReportLines = 500;
// Common lines shown before and after each differing row.
inline constexpr std::size_t kContextLines = 3;
// Differing rows shown for one run at most.
inline constexpr std::size_t kDifferingRows = 40;

// The beginning of a run's output that the report can show (at most one line more than
// it shows, and 256 KB), so that a grading does not keep every megabyte printed.
std::string ReportExcerpt(std::string output);

// Text made safe inside HTML elements and attribute values: markup characters become
// entities, and control characters that HTML does not allow become U+FFFD.
std::string HtmlEscape(std::string_view utf8);

// A table of programs by cases coloured by result with totals per case and per program,
// then for each run that did not pass the expected and obtained outputs side by side,
// aligned on their common lines, the differing rows marked with a few common lines
// around them. Long lines wrap. No script, no external resource.
std::string HtmlReport(const Grading& grading, std::string_view title);

} // namespace vokc::grading
