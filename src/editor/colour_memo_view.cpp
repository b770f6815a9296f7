// ColourMemo: what it draws over the text and beside it (keywords left to the key-draw
// handler, the line-number margin) and the hot spots under the mouse.
#include "colour_memo.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace vokc {

// The margin that shows the line numbers; the memo paints it.
class LineNumberMargin final : public QWidget {
  public:
    explicit LineNumberMargin(ColourMemo* memo) : QWidget(memo), memo_(memo) {
        setObjectName(QStringLiteral("lineNumbers"));
    }
    QSize sizeHint() const override { return {memo_->lineNumberWidth(), 0}; }

  protected:
    void paintEvent(QPaintEvent* event) override { memo_->paintLineNumbers(event); }

  private:
    ColourMemo* memo_;
};

void ColourMemo::mouseMoveEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseMoveEvent(event);
    const bool hot = hotSpot_.active && isOnHotSpot(event->position().toPoint(), nullptr);
    if (hot != hotCursor_) {
        hotCursor_ = hot;
        viewport()->setCursor(hot ? Qt::PointingHandCursor : Qt::IBeamCursor);
    }
}

// Whether the mouse at `pos` (viewport coordinates) is on a hot spot: an end marker
// follows on the same line before any begin marker. `source` receives the hot spot's text.
bool ColourMemo::isOnHotSpot(const QPoint& pos, QString* source) const {
    const QTextCursor c = cursorForPosition(pos);
    const QTextBlock lineBlock = c.block();
    const QString text = lineBlock.text();
    const int column =
        std::clamp(c.position() - lineBlock.position(), 0, static_cast<int>(text.size()));
    const QChar beginMarker(Cp1252ToUtf16(static_cast<unsigned char>(hotSpot_.beginChar)));
    const QChar endMarker(Cp1252ToUtf16(static_cast<unsigned char>(hotSpot_.endChar)));
    const QStringView rest = QStringView(text).mid(column);
    const qsizetype endAt = rest.indexOf(endMarker) + 1;
    const qsizetype beginAt = rest.indexOf(beginMarker) + 1;
    if (!(endAt > 0 && (endAt < beginAt || beginAt == 0 || beginMarker == endMarker))) return false;
    if (source) {
        const QStringView before = QStringView(text).left(column);
        const qsizetype last = before.lastIndexOf(beginMarker);
        *source = (last >= 0 ? before.mid(last + 1) : before).toString() +
                  rest.left(endAt - 1).toString();
    }
    return true;
}

void ColourMemo::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (onDrawKey_) drawHandlerKeys();
}

// Keyword runs that onDrawKey_ draws, over the plain text of the shown lines.
void ColourMemo::drawHandlerKeys() {
    QPainter painter(viewport());
    painter.setFont(font());
    const QColor textColour = palette().color(QPalette::Text);
    forEachShownBlock([&](const QTextBlock& b, const QRectF& r) {
        const auto* shown = dynamic_cast<const LineColours*>(b.userData());
        if (!shown) return;
        const QString text = b.text();
        const QTextLayout* layout = b.layout();
        for (const LineRun& run : shown->runs) {
            if (run.kind != RunKind::Handler || run.start + run.length > text.size()) continue;
            const QTextLine l = layout->lineForTextPosition(run.start);
            if (!l.isValid()) continue;
            const qreal x0 = l.cursorToX(run.start);
            const qreal x1 = l.cursorToX(run.start + run.length);
            const QRect rect =
                QRectF(r.left() + x0, r.top() + l.y(), std::max<qreal>(0, x1 - x0), l.height())
                    .toRect();
            painter.setPen(QColor::fromRgb(run.colour));
            onDrawKey_(painter, text.mid(run.start, run.length), rect, textColour);
            painter.setFont(font());
        }
    });
}

// ---------------------------------------------------------------------------------------
// Line numbers

int ColourMemo::lineNumberWidth() const {
    if (!numbersShown_) return 0;
    int digits = 2;
    for (int n = std::max(1, document()->blockCount()); n >= 100; n /= 10)
        ++digits;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

int ColourMemo::warningMarkWidth() const {
    return warningLines_.empty() ? 0 : 4 + fontMetrics().height() * 2 / 3;
}

void ColourMemo::setWarningLines(std::vector<int> lines) {
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    if (lines == warningLines_) return;
    warningLines_ = std::move(lines);
    // The margin stays while either part needs it.
    setLineNumbersShown(numbersShown_);
}

void ColourMemo::setLineNumbersShown(bool on) {
    const bool had = lineNumbers_ != nullptr;
    numbersShown_ = on;
    const bool wanted = on || !warningLines_.empty();
    if (wanted == had) {
        updateLineNumberMargin();
        return;
    }
    if (wanted) {
        lineNumbers_ = new LineNumberMargin(this);
        connect(this, &QPlainTextEdit::blockCountChanged, lineNumbers_,
                [this] { updateLineNumberMargin(); });
        connect(this, &QPlainTextEdit::updateRequest, lineNumbers_,
                [this](const QRect& rect, int dy) {
                    if (dy != 0)
                        lineNumbers_->scroll(0, dy);
                    else
                        lineNumbers_->update(0, rect.y(), lineNumbers_->width(), rect.height());
                });
        lineNumbers_->show();
    } else {
        delete lineNumbers_;
        lineNumbers_ = nullptr;
    }
    updateLineNumberMargin();
}

void ColourMemo::updateLineNumberMargin() {
    const int width = lineNumberWidth() + warningMarkWidth();
    setViewportMargins(width, 0, 0, 0);
    if (lineNumbers_) {
        const QRect r = contentsRect();
        lineNumbers_->setGeometry(r.left(), r.top(), width, r.height());
        lineNumbers_->update();
    }
}

void ColourMemo::paintLineNumbers(QPaintEvent* event) {
    QPainter painter(lineNumbers_);
    const QPalette& p = palette();
    painter.fillRect(event->rect(), p.color(QPalette::Window));
    painter.setFont(font());
    painter.setPen(p.color(QPalette::Disabled, QPalette::Text));
    const int marks = warningMarkWidth();
    const int width = lineNumbers_->width() - 4 - marks;
    const int lineHeight = fontMetrics().height();
    forEachShownBlock([&](const QTextBlock& b, const QRectF& r) {
        if (!b.isVisible() || r.bottom() < event->rect().top()) return;
        const int top = static_cast<int>(r.top());
        if (numbersShown_)
            painter.drawText(marks, top, width, lineHeight, Qt::AlignRight,
                             QString::number(b.blockNumber() + 1));
        if (std::binary_search(warningLines_.begin(), warningLines_.end(), b.blockNumber())) {
            // A warning: an orange triangle at the start of the line.
            const int size = marks - 4;
            const int y = top + (lineHeight - size) / 2;
            const QPointF corners[3] = {QPointF(2 + size / 2.0, y), QPointF(2 + size, y + size),
                                        QPointF(2, y + size)};
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0xE0, 0x80, 0x00));
            painter.drawPolygon(corners, 3);
            painter.restore();
        }
    });
}

} // namespace vokc
