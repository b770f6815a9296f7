// Pictures drawn by the program itself: the tool-bar glyphs and the product's picture.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace vokc::shell {
enum class Glyph { New, Open, Save, Cut, Copy, Paste, Run, Check };
QIcon GlyphIcon(Glyph glyph);
// The product's picture (splash, about box, window icon) at a given size.
QPixmap ProductPicture(int width, int height);
} // namespace vokc::shell
