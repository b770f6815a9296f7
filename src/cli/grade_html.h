// Grading: the HTML report, one self-contained page.
#pragma once

#include <string>
#include <string_view>

#include "grade_report.h"

namespace vokc::cli::grade {

// Text made safe inside HTML elements and attribute values: markup characters become
// entities, and control characters that HTML does not allow become U+FFFD.
std::string HtmlEscape(std::string_view utf8);

// A table of programs by cases coloured by result with totals per case and per program,
// then for each run that did not pass the expected and obtained outputs side by side
// with the differing lines marked. No script, no external resource.
std::string HtmlReport(const Grading& grading, std::string_view title);

} // namespace vokc::cli::grade
