#include "reference_at.h"

namespace vokc {

namespace {
bool IsNameChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
}
} // namespace

std::u16string ReferenceAt(std::u16string_view line, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= line.size()) return {};
    std::size_t at = static_cast<std::size_t>(column);
    if (!IsNameChar(line[at])) return {};
    std::size_t begin = at, end = at + 1;
    while (begin > 0 && IsNameChar(line[begin - 1]))
        --begin;
    while (end < line.size() && IsNameChar(line[end]))
        ++end;
    // A number alone is no reference; a name starts with a letter.
    const char16_t first = line[begin];
    if (first >= u'0' && first <= u'9') return {};
    if (end < line.size() && line[end] == u'[') {
        const std::size_t close = line.find(u']', end + 1);
        if (close != std::u16string_view::npos) end = close + 1;
    }
    return std::u16string(line.substr(begin, end - begin));
}

} // namespace vokc
