#include "glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace vokc::shell {

namespace {
// Draws one glyph in a 20 x 20 square; `enabled` false gives the grey image of the
// disabled state.
QPixmap Draw(Glyph glyph, bool enabled) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = enabled ? QColor(30, 30, 30) : QColor(150, 150, 150);
    auto fill = [&](QColor c) { return enabled ? c : QColor(215, 215, 215); };
    p.setPen(QPen(ink, 1.2));
    switch (glyph) {
    case Glyph::New: {
        QPainterPath page;
        page.moveTo(4, 2);
        page.lineTo(12, 2);
        page.lineTo(16, 6);
        page.lineTo(16, 18);
        page.lineTo(4, 18);
        page.closeSubpath();
        p.setBrush(fill(Qt::white));
        p.drawPath(page);
        p.drawLine(QPointF(12, 2), QPointF(12, 6));
        p.drawLine(QPointF(12, 6), QPointF(16, 6));
        break;
    }
    case Glyph::Open:
        p.setBrush(fill(QColor(240, 200, 80)));
        p.drawRect(QRectF(2, 6, 15, 11));
        p.drawRect(QRectF(2, 4, 6, 2));
        break;
    case Glyph::Save:
        p.setBrush(fill(QColor(70, 110, 190)));
        p.drawRect(QRectF(2, 2, 16, 16));
        p.setBrush(fill(Qt::white));
        p.drawRect(QRectF(5, 2, 10, 6));
        p.drawRect(QRectF(5, 12, 10, 6));
        break;
    case Glyph::Cut:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(6, 15), 3, 3);
        p.drawEllipse(QPointF(14, 15), 3, 3);
        p.drawLine(QPointF(7.5, 12.5), QPointF(14, 2));
        p.drawLine(QPointF(12.5, 12.5), QPointF(6, 2));
        break;
    case Glyph::Copy:
        p.setBrush(fill(Qt::white));
        p.drawRect(QRectF(2, 2, 10, 12));
        p.drawRect(QRectF(8, 6, 10, 12));
        break;
    case Glyph::Paste:
        p.setBrush(fill(QColor(190, 140, 80)));
        p.drawRect(QRectF(3, 3, 12, 15));
        p.setBrush(fill(Qt::white));
        p.drawRect(QRectF(8, 7, 10, 11));
        p.drawRect(QRectF(6, 1.5, 6, 3));
        break;
    case Glyph::Run: {
        QPainterPath tri;
        tri.moveTo(5, 3);
        tri.lineTo(17, 10);
        tri.lineTo(5, 17);
        tri.closeSubpath();
        p.setBrush(fill(QColor(40, 160, 60)));
        p.drawPath(tri);
        break;
    }
    case Glyph::Check: {
        // A tick over a sheet: the program checked against the exercise's cases.
        p.setBrush(fill(Qt::white));
        p.drawRect(QRectF(3, 2, 12, 16));
        QPainterPath tick;
        tick.moveTo(6, 11);
        tick.lineTo(9.5, 15);
        tick.lineTo(17, 4);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(enabled ? QColor(40, 160, 60) : ink, 2.4));
        p.drawPath(tick);
        break;
    }
    }
    return pm;
}
} // namespace

QIcon GlyphIcon(Glyph glyph) {
    QIcon icon;
    icon.addPixmap(Draw(glyph, true), QIcon::Normal);
    // Every glyph but "open" has an image of its own for the disabled state.
    if (glyph != Glyph::Open) icon.addPixmap(Draw(glyph, false), QIcon::Disabled);
    return icon;
}

QPixmap ProductPicture(int width, int height) {
    QPixmap pm(width, height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r(2, 2, width - 4, height - 4);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(40, 90, 170));
    g.setColorAt(1, QColor(20, 50, 110));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(r, width / 8.0, width / 8.0);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(std::max(8, static_cast<int>(std::min(width, height) * 0.55)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("C"));
    return pm;
}

} // namespace vokc::shell
