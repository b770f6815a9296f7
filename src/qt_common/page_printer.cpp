#include "page_printer.h"

#include <QPrinter>
#include <QTextLayout>

#include <algorithm>

namespace vokc {

bool PagePrinter::begin(QPrinter& printer, const QFont& font) {
    // Many printers cut what lies a few millimetres from the paper's edge.
    printer.setFullPage(false);
    const QMarginsF now = printer.pageLayout().margins(QPageLayout::Millimeter);
    const QMarginsF wanted(
        std::max(now.left(), kMinimumMarginMm), std::max(now.top(), kMinimumMarginMm),
        std::max(now.right(), kMinimumMarginMm), std::max(now.bottom(), kMinimumMarginMm));
    printer.setPageMargins(wanted, QPageLayout::Millimeter);
    ranges_ = printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
    if (!painter_.begin(&printer)) return false;
    printer_ = &printer;
    painter_.setFont(QFont(font, painter_.device()));
    y_ = 0;
    page_ = 1;
    anyPageOpen_ = false;
    pageOpen_ = false;
    return true;
}

bool PagePrinter::pagePrinted() const {
    return ranges_.isEmpty() || ranges_.contains(page_);
}

bool PagePrinter::drawHere() {
    if (!pagePrinted()) return false;
    if (!pageOpen_) {
        // The printer starts on its first page; every later printed page is a new one.
        if (anyPageOpen_) printer_->newPage();
        anyPageOpen_ = true;
        pageOpen_ = true;
    }
    return true;
}

void PagePrinter::makeRoom() {
    if (y_ + painter_.fontMetrics().height() > painter_.viewport().height() && y_ > 0) {
        ++page_;
        pageOpen_ = false;
        y_ = 0;
    }
}

void PagePrinter::printLine(const QString& text, bool wrap) {
    if (!painter_.isActive()) return;
    const QFontMetrics metrics = painter_.fontMetrics();
    if (!wrap) {
        makeRoom();
        if (drawHere()) painter_.drawText(0, y_ + metrics.ascent(), text);
        y_ += metrics.lineSpacing();
        return;
    }
    QTextLayout layout(text, painter_.font(), painter_.device());
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(painter_.viewport().width());
    layout.endLayout();
    if (layout.lineCount() == 0) {
        makeRoom();
        y_ += metrics.lineSpacing();
        return;
    }
    for (int i = 0; i < layout.lineCount(); ++i) {
        makeRoom();
        QTextLine line = layout.lineAt(i);
        if (drawHere()) line.draw(&painter_, QPointF(0, y_ - line.y()));
        y_ += metrics.lineSpacing();
    }
}

bool PagePrinter::end() {
    if (!painter_.isActive()) return true;
    printer_ = nullptr;
    return painter_.end();
}

} // namespace vokc
