#include "cp1252_qstring.h"

#include <array>

#include "text.h"

namespace vokc {

namespace {

// Two 256-entry tables: byte to UTF-16, and for the characters above U+00FF that the code
// page holds, a byte indexed by a one-byte key of the character (the keys of those 27
// characters are all different); a candidate byte is accepted only when it converts back
// to the character.
struct Cp1252Tables {
    std::array<char16_t, 256> toUtf16{};
    std::array<unsigned char, 256> fromHigh{};

    static unsigned Key(char16_t c) { return (c ^ (c >> 8)) & 0xFFu; }

    Cp1252Tables() {
        for (int i = 0; i < 256; ++i)
            toUtf16[i] = static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(i)));
        for (int i = 0x80; i < 0xA0; ++i) {
            if (toUtf16[i] < 0x100) continue;
            fromHigh[Key(toUtf16[i])] = static_cast<unsigned char>(i);
        }
    }

    char FromUtf16(char16_t c) const {
        if (c < 0x80) return static_cast<char>(c);
        if (c < 0x100) return toUtf16[c] == c ? static_cast<char>(c) : '?';
        if (c == 0x2029) return '\n'; // the document's paragraph separator
        const unsigned char b = fromHigh[Key(c)];
        return b != 0 && toUtf16[b] == c ? static_cast<char>(b) : '?';
    }
};

const Cp1252Tables& Tables() {
    static const Cp1252Tables tables;
    return tables;
}

} // namespace

char16_t Cp1252ToUtf16(unsigned char c) {
    return Tables().toUtf16[c];
}

char Utf16ToCp1252(char16_t c) {
    return Tables().FromUtf16(c);
}

QString Cp1252ToQString(std::string_view text) {
    const Cp1252Tables& t = Tables();
    QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* d = out.data();
    for (const char c : text)
        *d++ = QChar(t.toUtf16[static_cast<unsigned char>(c)]);
    return out;
}

void AppendCp1252(QStringView text, std::string& out) {
    const Cp1252Tables& t = Tables();
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(text.size()));
    char* d = out.data() + at;
    for (const QChar c : text)
        *d++ = t.FromUtf16(c.unicode());
}

std::string QStringToCp1252(QStringView text) {
    std::string out;
    AppendCp1252(text, out);
    return out;
}

} // namespace vokc
