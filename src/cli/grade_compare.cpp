// Grading: comparison of outputs, line by line.
#include "grade_compare.h"

#include <algorithm>

#include "text.h"

namespace vokc::cli::grade {

std::string AsUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

std::vector<std::string> ComparableLines(std::string_view bytes) {
    std::string text = AsUtf8(bytes);
    std::string_view rest = text;
    if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
    std::vector<std::string> lines;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        // Only the CR of a CR LF pair goes; a CR elsewhere is part of the line.
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        lines.emplace_back(line);
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::optional<Difference> FirstDifference(const std::vector<std::string>& expected,
                                          const std::vector<std::string>& obtained) {
    const std::size_t common = std::min(expected.size(), obtained.size());
    std::size_t i = 0;
    while (i < common && expected[i] == obtained[i])
        ++i;
    if (i == common && expected.size() == obtained.size()) return std::nullopt;
    Difference d;
    d.line = static_cast<int>(i + 1);
    if (i < expected.size()) d.expected = expected[i];
    if (i < obtained.size()) d.obtained = obtained[i];
    return d;
}

std::string DifferenceDetail(const Difference& difference) {
    auto side = [](const std::optional<std::string>& text) {
        return text ? "« " + *text + " »" : std::string("(fin)");
    };
    return "attendu " + side(difference.expected) + ", obtenu " + side(difference.obtained);
}

} // namespace vokc::cli::grade
