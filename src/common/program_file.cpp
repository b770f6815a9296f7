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

std::vector<std::string_view> SplitProgramFile(std::string_view bytes, ProgramFormat& format) {
    format = ProgramFormat{};
    if (StartsWith(bytes, kUtf8Bom)) {
        format.byteOrderMark = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    format.utf8 = format.byteOrderMark ? IsValidUtf8(bytes) : IsUtf8Program(bytes);
    return SplitLines(bytes, &format.lineEnd);
}

ProgramLines::ProgramLines(std::string bytes) : text_(std::move(bytes)) {
    ProgramFormat format;
    lines_ = SplitProgramFile(text_, format);
    if (!format.utf8) return; // Windows-1252 or ASCII: the bytes are the text
    // Valid UTF-8 keeps its line end bytes as they are when converted, so the converted
    // text splits into the same lines.
    const std::size_t skip = format.byteOrderMark ? kUtf8Bom.size() : 0;
    text_ = Utf8ToCp1252(std::string_view(text_).substr(skip));
    lines_ = SplitLines(text_);
}

std::vector<std::string> DecodeProgram(std::string_view bytes) {
    const ProgramLines program{std::string(bytes)};
    std::vector<std::string> lines;
    lines.reserve(program.size());
    for (std::size_t i = 0; i < program.size(); ++i)
        lines.emplace_back(program[i]);
    return lines;
}

} // namespace vokc
