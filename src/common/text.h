// Text helpers shared by the interpreter and its hosts: trimming and ASCII case
// changes on Windows-1252 bytes, and the conversions to and from UTF-8 and UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace vokc {

inline bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}
// Removes every character of code 32 or less at both ends.
inline std::string_view Trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}
inline std::string_view SkipLeadingBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text[0]))
        text.remove_prefix(1);
    return text;
}

// Characters of a name: ASCII letters, digits and '_'.
inline bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Upper- and lower-casing change the letters a-z and A-Z only.
inline char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
inline char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
void UpperInto(std::string_view text, std::string& out);
void LowerInto(std::string_view text, std::string& out);
// Byte comparisons written out: the texts compared here are a few characters long,
// and a library call per comparison would cost more than the comparison itself.
inline bool Same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}
inline bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && Same(text.substr(0, prefix.size()), prefix);
}
bool EqualsNoCase(std::string_view a, std::string_view b); // ASCII letters only

// Every conversion between Windows-1252 and the Unicode forms lives here (and, for Qt's
// strings, in cp1252_qstring.h on top of these).

// Windows-1252 <-> UTF-8. Characters that Windows-1252 cannot hold become '?'.
bool IsValidUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view cp1252);
// Unicode code point of one Windows-1252 byte (undefined bytes map to themselves).
char32_t Cp1252ToUnicode(unsigned char c);
// Windows-1252 byte for a code point, or '?' when there is none.
char UnicodeToCp1252(char32_t cp);

// Windows-1252 <-> UTF-16 (the text of the editor and of Qt), one byte per UTF-16 code unit
// so that offsets agree on both sides: a surrogate pair becomes "??". The paragraph
// separator U+2029, which ends a line wherever a text control holds or pastes it, becomes
// the line feed '\n'; any other character that Windows-1252 cannot hold becomes '?'.
char16_t Cp1252ToUtf16(unsigned char c);
char Utf16ToCp1252(char16_t c);
std::u16string Cp1252ToUtf16(std::string_view cp1252);
std::string Utf16ToCp1252(std::u16string_view utf16);

// UTF-8 <-> UTF-16. A malformed UTF-8 byte and a lone surrogate become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

} // namespace vokc
