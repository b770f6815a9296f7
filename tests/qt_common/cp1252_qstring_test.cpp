// The one Windows-1252 converter of the Qt windows: every byte goes there and back, the
// characters above U+00FF that the code page holds find their byte, the others become '?'.
#include <QTest>
#include <string>

#include "cp1252_qstring.h"

using namespace vokc;

class Cp1252QStringTest : public QObject {
    Q_OBJECT
  private slots:
    void everyByteGoesThereAndBack() {
        for (int i = 0; i < 256; ++i)
            QCOMPARE(static_cast<unsigned char>(
                         Utf16ToCp1252(Cp1252ToUtf16(static_cast<unsigned char>(i)))),
                     i);
        std::string all;
        for (int i = 0; i < 256; ++i)
            all += static_cast<char>(i);
        QCOMPARE(QStringToCp1252(Cp1252ToQString(all)), all);
    }

    void charactersOutsideTheCodePage() {
        QCOMPARE(Cp1252ToUtf16(0x80), u'\u20AC');
        QCOMPARE(Utf16ToCp1252(u'\u2122'), '\x99');
        QCOMPARE(Utf16ToCp1252(u'\u2022'), '\x95'); // same low byte as U+2122
        QCOMPARE(Utf16ToCp1252(u'\u0080'), '?');    // a C1 control the code page does not hold
        QCOMPARE(Utf16ToCp1252(u'\u4E2D'), '?');
        QCOMPARE(Utf16ToCp1252(u'\u2029'), '\n'); // the document's paragraph separator
        std::string out = "a";
        AppendCp1252(QString::fromUtf8("\xC2\xBB\xE2\x80\xA2\xF0\x9F\x98\x80"), out);
        QCOMPARE(out, std::string("a\xBB\x95??")); // one byte per UTF-16 unit
        QCOMPARE(Cp1252ToQString("Zo\xE9 \x80"), QString::fromUtf8("Zo\xC3\xA9 \xE2\x82\xAC"));
    }
};

QTEST_APPLESS_MAIN(Cp1252QStringTest)
#include "cp1252_qstring_test.moc"
