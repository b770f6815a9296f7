#include "page_printer.h"

#include <QPrinter>
#include <QTextLayout>

namespace vokc {

bool PagePrinter::begin(QPrinter& printer, const QFont& font) {
    if (!painter_.begin(&printer)) return false;
    printer_ = &printer;
    painter_.setFont(QFont(font, painter_.device()));
    y_ = 0;
    return true;
}

void PagePrinter::makeRoom() {
    if (y_ + painter_.fontMetrics().height() > painter_.viewport().height() && y_ > 0) {
        printer_->newPage();
        y_ = 0;
    }
}

void PagePrinter::printLine(const QString& text, bool wrap) {
    if (!painter_.isActive()) return;
    const QFontMetrics metrics = painter_.fontMetrics();
    if (!wrap) {
        makeRoom();
        painter_.drawText(0, y_ + metrics.ascent(), text);
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
        line.draw(&painter_, QPointF(0, y_ - line.y()));
        y_ += metrics.lineSpacing();
    }
}

bool PagePrinter::end() {
    if (!painter_.isActive()) return true;
    printer_ = nullptr;
    return painter_.end();
}

} // namespace vokc
