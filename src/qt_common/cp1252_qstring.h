// Windows-1252 bytes to and from Qt's UTF-16 text, one byte per UTF-16 code unit so that
// offsets agree on both sides. Every Qt window of the application converts through here;
// the character conversions (and what becomes of U+2029) are those of text.h.
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

#include "text.h"

namespace vokc {

QString Cp1252ToQString(std::string_view text);
// Appends the converted text to `out`.
void AppendCp1252(QStringView text, std::string& out);
std::string QStringToCp1252(QStringView text);

} // namespace vokc
