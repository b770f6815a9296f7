// Program file decoding.
#include "program_file.h"

#include "text.h"

namespace vokc {

bool IsUtf8Program(std::string_view bytes) {
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    return !ascii && IsValidUtf8(bytes);
}

std::vector<std::string_view> SplitLines(std::string_view text, LineEnd* firstEnd) {
    std::vector<std::string_view> lines;
    bool sawEnd = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        LineEnd end = c == '\n' ? LineEnd::Lf : LineEnd::Cr;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            end = LineEnd::CrLf;
            ++i;
        }
        if (!sawEnd && firstEnd) *firstEnd = end;
        sawEnd = true;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> DecodeProgram(std::string_view bytes) {
    // Plain ASCII and Windows-1252 files are split as they are, without a copy.
    const bool utf8 = IsUtf8Program(bytes);
    const std::string converted = utf8 ? Utf8ToCp1252(bytes) : std::string();
    const std::string_view text = utf8 ? std::string_view(converted) : bytes;
    std::vector<std::string> lines;
    for (std::string_view line : SplitLines(text))
        lines.emplace_back(line);
    return lines;
}

} // namespace vokc
