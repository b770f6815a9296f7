#include "cp1252_qstring.h"

namespace vokc {

QString Cp1252ToQString(std::string_view text) {
    QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* d = out.data();
    for (const char c : text)
        *d++ = QChar(Cp1252ToUtf16(static_cast<unsigned char>(c)));
    return out;
}

void AppendCp1252(QStringView text, std::string& out) {
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(text.size()));
    char* d = out.data() + at;
    for (const QChar c : text)
        *d++ = Utf16ToCp1252(c.unicode());
}

std::string QStringToCp1252(QStringView text) {
    std::string out;
    AppendCp1252(text, out);
    return out;
}

} // namespace vokc
