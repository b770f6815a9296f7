// Text helpers and the Windows-1252 code page.
#include "text.h"

#include <array>

namespace vokc {

namespace {
// Code points of bytes 0x80 to 0x9F; the five undefined ones map to themselves.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

void UpperInto(std::string_view text, std::string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = UpperAscii(text[i]);
}

void LowerInto(std::string_view text, std::string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = LowerAscii(text[i]);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

char32_t Cp1252ToUnicode(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) return kHigh[c - 0x80];
    return c;
}

char UnicodeToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

namespace {
// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when malformed.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    std::size_t len = 0;
    char32_t min = 0;
    if ((c & 0xE0) == 0xC0)
        len = 2, cp = c & 0x1F, min = 0x80;
    else if ((c & 0xF0) == 0xE0)
        len = 3, cp = c & 0x0F, min = 0x800;
    else if ((c & 0xF8) == 0xF0)
        len = 4, cp = c & 0x07, min = 0x10000;
    else
        return 0;
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}
} // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t cp;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n = DecodeUtf8(bytes, i, cp);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

namespace {
// Calls each(cp) for every code point of a UTF-8 text, with U+FFFD for each byte that
// starts no well-formed sequence.
template <typename Each> void ForEachCodePoint(std::string_view utf8, Each&& each) {
    char32_t cp;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = DecodeUtf8(utf8, i, cp);
        if (n == 0) {
            each(U'\uFFFD');
            ++i;
            continue;
        }
        each(cp);
        i += n;
    }
}
} // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    ForEachCodePoint(utf8, [&](char32_t cp) { out += UnicodeToCp1252(cp); });
    return out;
}

namespace {
// Appends the UTF-8 form of a code point (at most U+10FFFF).
void AppendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The characters above U+00FF that the code page holds, by a one-byte key of the
// character (the keys of those 27 characters are all different): a candidate byte is
// accepted only when it converts back to the character.
constexpr unsigned HighKey(char32_t c) {
    return (c ^ (c >> 8)) & 0xFFu;
}
struct HighBytes {
    std::array<unsigned char, 256> byKey{};
};
constexpr HighBytes MakeHighBytes() {
    HighBytes table;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] > 0xFF) table.byKey[HighKey(kHigh[i])] = static_cast<unsigned char>(0x80 + i);
    return table;
}
constexpr HighBytes kHighBytes = MakeHighBytes();
} // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (unsigned char c : cp1252)
        AppendUtf8(Cp1252ToUnicode(c), out);
    return out;
}

char16_t Cp1252ToUtf16(unsigned char c) {
    return static_cast<char16_t>(Cp1252ToUnicode(c));
}

char Utf16ToCp1252(char16_t c) {
    if (c < 0x80) return static_cast<char>(c);
    if (c < 0x100)
        return Cp1252ToUnicode(static_cast<unsigned char>(c)) == c ? static_cast<char>(c) : '?';
    if (c == 0x2029) return '\n';
    const unsigned char b = kHighBytes.byKey[HighKey(c)];
    return b != 0 && kHigh[b - 0x80] == c ? static_cast<char>(b) : '?';
}

std::u16string Cp1252ToUtf16(std::string_view cp1252) {
    std::u16string out(cp1252.size(), u'\0');
    for (std::size_t i = 0; i < cp1252.size(); ++i)
        out[i] = Cp1252ToUtf16(static_cast<unsigned char>(cp1252[i]));
    return out;
}

std::string Utf16ToCp1252(std::u16string_view utf16) {
    std::string out(utf16.size(), '\0');
    for (std::size_t i = 0; i < utf16.size(); ++i)
        out[i] = Utf16ToCp1252(utf16[i]);
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    ForEachCodePoint(utf8, [&](char32_t cp) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    });
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (IsHighSurrogate(c) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = 0xFFFD;
        }
        AppendUtf8(c, out);
    }
    return out;
}

} // namespace vokc
