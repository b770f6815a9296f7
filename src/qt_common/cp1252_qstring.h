// Windows-1252 bytes to and from Qt's UTF-16 text, one byte per UTF-16 code unit so that
// offsets agree on both sides. Every Qt window of the application converts through here.
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace vokc {

char16_t Cp1252ToUtf16(unsigned char c);
// A character that Windows-1252 cannot hold becomes '?'; the document's paragraph
// separator (U+2029) becomes '\n'.
char Utf16ToCp1252(char16_t c);
QString Cp1252ToQString(std::string_view text);
// Appends the converted text to `out`.
void AppendCp1252(QStringView text, std::string& out);
std::string QStringToCp1252(QStringView text);

} // namespace vokc
