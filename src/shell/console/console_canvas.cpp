#include "console_canvas.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "console_view.h"

namespace vokc {

namespace {
constexpr long long kNoFloor = LLONG_MAX;
// Scroll bars count in int: content beyond this height is not reachable (it would take
// more than 100 million lines).
constexpr long long kLargestExtent = INT_MAX / 2;
// Empty lines written between two rows of a saved screen, at most.
constexpr long long kMostBlankLines = 100;

QFont CanvasFont() {
    QFont font = ConsoleFont();
    // Latin text without shaping or kerning: a text is as wide as its characters, so
    // that widths can be measured once per character.
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

int ClampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, 0, kLargestExtent));
}
} // namespace

int ConsoleCanvas::clampExtent(long long v) {
    return ClampToInt(v);
}

// ---- The paint surface ----

ConsoleCanvas::ConsoleCanvas(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setFont(CanvasFont());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    narrowWidths_.fill(-1);
}

void ConsoleCanvas::draw(int x, int y, const QString& text) {
    if (pieces_.size() >= kMaxTexts) {
        pieces_.pop_front();
        floorY_ = kNoFloor; // the top is now the oldest text kept
        if (!sorted_) extentStale_ = true;
    }
    if (!pieces_.empty()) {
        const long long last = pieces_.back().y;
        if (y < last) {
            sorted_ = false;
        } else if (y > last && (rowStep_ == 0 || y - last < rowStep_)) {
            rowStep_ = y - last;
        }
    }
    if (!extentStale_) {
        if (pieces_.empty()) {
            minY_ = maxY_ = y;
            maxRight_ = 0;
        } else {
            minY_ = std::min<long long>(minY_, y);
            maxY_ = std::max<long long>(maxY_, y);
        }
        maxRight_ = std::max<long long>(maxRight_, static_cast<long long>(x) + textWidth(text));
    }
    pieces_.push_back({x, y, text});
    if (sorted_ && !extentStale_) minY_ = pieces_.front().y;
}

void ConsoleCanvas::clear() {
    pieces_.clear();
    sorted_ = true;
    extentStale_ = false;
    minY_ = 0;
    maxY_ = -1;
    maxRight_ = 0;
    reachY_ = -1;
    reachRight_ = 0;
    // The run's text position goes on after a clear: the next text shows at its own
    // height, below the empty rows, as it would have without the clear.
    floorY_ = 0;
    selFirst_ = 0;
    selLast_ = -1;
    update();
}

int ConsoleCanvas::textWidth(const QString& text) {
    qreal width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < narrowWidths_.size()) {
            qreal& w = narrowWidths_[u];
            if (w < 0) w = QFontMetricsF(font()).horizontalAdvance(c);
            width += w;
        } else {
            auto it = otherWidths_.find(u);
            if (it == otherWidths_.end())
                it = otherWidths_.insert(u, QFontMetricsF(font()).horizontalAdvance(c));
            width += *it;
        }
    }
    return static_cast<int>(std::lround(width));
}

void ConsoleCanvas::updateExtent() const {
    if (!extentStale_) return;
    extentStale_ = false;
    minY_ = 0;
    maxY_ = -1;
    maxRight_ = 0;
    QFontMetricsF metrics(font());
    bool first = true;
    for (const Piece& p : pieces_) {
        minY_ = first ? p.y : std::min<long long>(minY_, p.y);
        maxY_ = first ? p.y : std::max<long long>(maxY_, p.y);
        first = false;
        maxRight_ =
            std::max<long long>(maxRight_, p.x + std::lround(metrics.horizontalAdvance(p.text)));
    }
}

long long ConsoleCanvas::originY() const {
    updateExtent();
    long long origin = floorY_;
    if (!pieces_.empty()) origin = std::min(origin, minY_);
    if (reachY_ >= 0) origin = std::min(origin, reachY_);
    return origin == kNoFloor ? 0 : origin;
}

int ConsoleCanvas::rowHeight() const {
    return QFontMetrics(font()).height();
}

void ConsoleCanvas::reachRow(int y) {
    reachY_ = std::max<long long>(reachY_, y);
}

void ConsoleCanvas::reachRight(int x) {
    reachRight_ = std::max<long long>(reachRight_, x);
}

long long ConsoleCanvas::contentHeight() const {
    updateExtent();
    const long long bottom = std::max(maxY_, reachY_);
    if (bottom < 0) return 0;
    return std::llround(static_cast<double>(bottom - originY() + rowHeight() + 4) * scale_);
}

long long ConsoleCanvas::contentWidth() const {
    updateExtent();
    return std::llround(static_cast<double>(std::max(maxRight_, reachRight_) + 4) * scale_);
}

long long ConsoleCanvas::shownY(long long y) const {
    return std::llround(static_cast<double>(y - originY()) * scale_);
}

int ConsoleCanvas::shownX(int x) const {
    return static_cast<int>(std::lround(x * scale_));
}

void ConsoleCanvas::setScale(double scale) {
    scale_ = std::max(0.1, scale);
    update();
}

void ConsoleCanvas::setOffset(int x, int y) {
    if (x == offsetX_ && y == offsetY_) return;
    offsetX_ = x;
    offsetY_ = y;
    update();
}

std::deque<ConsoleCanvas::Piece>::const_iterator ConsoleCanvas::firstAtOrBelow(long long y) const {
    return std::partition_point(pieces_.begin(), pieces_.end(),
                                [y](const Piece& p) { return p.y < y; });
}

long long ConsoleCanvas::rowAt(int canvasY) const {
    if (pieces_.empty()) return -1;
    const long long y = originY() + std::llround(static_cast<double>(canvasY + offsetY_) / scale_);
    if (!sorted_) {
        // The nearest row at or above that height.
        long long best = LLONG_MIN;
        for (const Piece& p : pieces_)
            if (p.y <= y && p.y > best) best = p.y;
        return best == LLONG_MIN ? minY_ : best;
    }
    auto it = std::partition_point(pieces_.begin(), pieces_.end(),
                                   [y](const Piece& p) { return p.y <= y; });
    if (it == pieces_.begin()) return pieces_.front().y;
    return std::prev(it)->y;
}

void ConsoleCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    if (pieces_.empty()) return;
    const long long origin = originY();
    const int height = rowHeight();
    const int ascent = QFontMetrics(font()).ascent();
    const long long top =
        origin + static_cast<long long>((offsetY_ + area.top()) / scale_) - height;
    const long long bottom =
        origin + static_cast<long long>((offsetY_ + area.bottom()) / scale_) + 1;
    painter.translate(-offsetX_, -offsetY_);
    painter.scale(scale_, scale_);
    painter.setFont(font());
    painter.setPen(Qt::black);
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor highlightText = palette().color(QPalette::HighlightedText);
    const double shownWidth = (width() + offsetX_) / scale_;
    long long filledRow = LLONG_MIN;
    auto paint = [&](const Piece& p) {
        const qreal rowTop = static_cast<qreal>(p.y - origin);
        const bool selected = p.y >= selFirst_ && p.y <= selLast_;
        if (selected && filledRow != p.y) {
            painter.fillRect(QRectF(0, rowTop, shownWidth, height), highlight);
            filledRow = p.y;
        }
        painter.setPen(selected ? highlightText : QColor(Qt::black));
        painter.drawText(QPointF(p.x, rowTop + ascent), p.text);
    };
    if (sorted_) {
        for (auto it = firstAtOrBelow(top); it != pieces_.end() && it->y <= bottom; ++it)
            paint(*it);
    } else {
        for (const Piece& p : pieces_)
            if (p.y >= top && p.y <= bottom) paint(p);
    }
}

void ConsoleCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    setFocus();
    const long long row = rowAt(static_cast<int>(event->position().y()));
    if (row < 0 && pieces_.empty()) return;
    selAnchor_ = selFirst_ = selLast_ = row;
    update();
}

void ConsoleCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || pieces_.empty())
        return QWidget::mouseMoveEvent(event);
    const long long row = rowAt(static_cast<int>(event->position().y()));
    selFirst_ = std::min(selAnchor_, row);
    selLast_ = std::max(selAnchor_, row);
    update();
}

void ConsoleCanvas::selectAll() {
    if (pieces_.empty()) return;
    updateExtent();
    selFirst_ = minY_;
    selLast_ = maxY_;
    update();
}

QString ConsoleCanvas::rowsText(long long first, long long last, bool withBlankLines) const {
    QString all;
    long long lastY = LLONG_MIN;
    auto add = [&](const Piece& p) {
        if (p.y < first || p.y > last) return;
        if (lastY != LLONG_MIN && p.y != lastY) {
            long long breaks = 1;
            if (withBlankLines && rowStep_ > 0 && p.y > lastY)
                breaks = std::clamp((p.y - lastY + rowStep_ / 2) / rowStep_, 1LL, kMostBlankLines);
            all += QString(static_cast<qsizetype>(breaks), QChar('\n'));
        }
        lastY = p.y;
        all += p.text;
    };
    for (const Piece& p : pieces_)
        add(p);
    return all;
}

QString ConsoleCanvas::rowTextAt(int canvasY) const {
    const long long row = rowAt(canvasY);
    return row < 0 && pieces_.empty() ? QString() : rowsText(row, row, false);
}

QString ConsoleCanvas::allText() const {
    return rowsText(LLONG_MIN, LLONG_MAX, false);
}

QString ConsoleCanvas::screenText() const {
    return rowsText(LLONG_MIN, LLONG_MAX, true);
}

QString ConsoleCanvas::selectedText() const {
    if (!hasSelection()) return {};
    return rowsText(selFirst_, selLast_, true);
}

void ConsoleCanvas::copySelection() const {
    if (hasSelection()) QGuiApplication::clipboard()->setText(selectedText());
}

} // namespace vokc
