// Printing text line after line on the pages of a printer: a new page starts when the
// next line would not fit. The editor prints its program with it, the run session the
// lines a program sends to the printer.
#pragma once

#include <QFont>
#include <QPageRanges>
#include <QPainter>
#include <QString>

class QPrinter;

namespace vokc {

class PagePrinter {
  public:
    // Opens the job in the font given (scaled to the printer); false when the printer
    // cannot be opened. The margins are at least 15 mm (the printer's when larger), and
    // only the pages of the printer's page range, if it has one, come out.
    bool begin(QPrinter& printer, const QFont& font);
    bool active() const { return painter_.isActive(); }
    // Prints a text on the next line. With `wrap`, a text wider than the page goes on
    // over the next lines; without, it is cut at the page's edge.
    void printLine(const QString& text, bool wrap);
    // Ends the job; false when the printer reports a failure.
    bool end();

    // Pages laid out so far, printed or not (1 once the job began).
    int pageCount() const { return page_; }

    static constexpr double kMinimumMarginMm = 15;

  private:
    void makeRoom();
    bool pagePrinted() const;
    // Draws on the current page when it is in the range, opening it first.
    bool drawHere();

    QPrinter* printer_ = nullptr;
    QPainter painter_;
    QPageRanges ranges_;
    int y_ = 0;
    int page_ = 0;
    bool anyPageOpen_ = false; // a page in the range was started on the printer
    bool pageOpen_ = false;    // the current page is that one
};

} // namespace vokc
