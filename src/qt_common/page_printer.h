// Printing text line after line on the pages of a printer: a new page starts when the
// next line would not fit. The editor prints its program with it, the run session the
// lines a program sends to the printer.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

class QPrinter;

namespace vokc {

class PagePrinter {
  public:
    // Opens the job in the font given (scaled to the printer); false when the printer
    // cannot be opened.
    bool begin(QPrinter& printer, const QFont& font);
    bool active() const { return painter_.isActive(); }
    // Prints a text on the next line. With `wrap`, a text wider than the page goes on
    // over the next lines; without, it is cut at the page's edge.
    void printLine(const QString& text, bool wrap);
    // Ends the job; false when the printer reports a failure.
    bool end();

  private:
    void makeRoom();

    QPrinter* printer_ = nullptr;
    QPainter painter_;
    int y_ = 0;
};

} // namespace vokc
