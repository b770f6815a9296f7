// Grading: comparison of outputs, line by line.
#include "grade_compare.h"

#include <algorithm>
#include <cstdint>

#include "text.h"

namespace vokc::grading {

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

std::vector<DiffRow> AlignedDiff(const std::vector<std::string>& expected,
                                 const std::vector<std::string>& obtained) {
    const std::size_t n = expected.size(), m = obtained.size();
    // common[i][j]: length of the longest common sequence of expected[i..] and obtained[j..].
    std::vector<std::vector<std::uint32_t>> common(n + 1, std::vector<std::uint32_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            common[i][j] = expected[i] == obtained[j]
                               ? common[i + 1][j + 1] + 1
                               : std::max(common[i + 1][j], common[i][j + 1]);
    std::vector<DiffRow> rows;
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && expected[i] == obtained[j]) {
            rows.push_back({static_cast<int>(i + 1), static_cast<int>(j + 1), false});
            ++i;
            ++j;
            continue;
        }
        // The lines of each side up to the next common line, paired row by row.
        std::size_t ei = i, oj = j;
        while (ei < n || oj < m) {
            if (ei < n && oj < m && expected[ei] == obtained[oj]) break;
            if (oj >= m || (ei < n && common[ei + 1][oj] >= common[ei][oj + 1]))
                ++ei;
            else
                ++oj;
        }
        for (std::size_t k = 0; k < std::max(ei - i, oj - j); ++k)
            rows.push_back({i + k < ei ? static_cast<int>(i + k + 1) : 0,
                            j + k < oj ? static_cast<int>(j + k + 1) : 0, true});
        i = ei;
        j = oj;
    }
    return rows;
}

std::string DifferenceDetail(const Difference& difference) {
    auto side = [](const std::optional<std::string>& text) {
        return text ? "« " + *text + " »" : std::string("(fin)");
    };
    return "sortie, ligne " + std::to_string(difference.line) + " : attendu " +
           side(difference.expected) + ", obtenu " + side(difference.obtained);
}

} // namespace vokc::grading
