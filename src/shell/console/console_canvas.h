// The console's paint surface: the texts a program drew, of which only the visible part
// is painted.
#pragma once

#include <QFont>
#include <QHash>
#include <QWidget>
#include <array>
#include <deque>

namespace vokc {

// The paint surface of the console: a virtual canvas holding the latest texts drawn, of
// which only the visible part is painted. Texts keep the run's coordinates (console
// pixels at the normal size); the zoom scales the painting. Whole lines can be selected
// with the mouse (or all of them) and copied.
class ConsoleCanvas : public QWidget {
    Q_OBJECT
  public:
    // Scroll bars count in int: a content extent as a scroll bar can take it (content
    // beyond about 100 million lines is not reachable).
    static int clampExtent(long long v);
    // The console keeps this many of the latest texts.
    static constexpr std::size_t kMaxTexts = 200000;

    explicit ConsoleCanvas(QWidget* parent);

    void draw(int x, int y, const QString& text);
    void clear();
    // The width of a text in the console's font, from widths measured once per character.
    int textWidth(const QString& text);
    std::size_t textCount() const { return pieces_.size(); }

    // The drawn texts as lines, top to bottom.
    QString allText() const;
    // The same with the empty lines between them, as the console shows them.
    QString screenText() const;
    QString selectedText() const;
    // The text of the row shown at a height of the canvas (the nearest one above it).
    QString rowTextAt(int canvasY) const;
    bool hasSelection() const { return selFirst_ <= selLast_; }
    void selectAll();
    void copySelection() const;

    // The size of everything kept, in pixels as shown (zoom included), and the row of
    // the text position `y` of the run, as shown.
    long long contentHeight() const;
    long long contentWidth() const;
    long long shownY(long long y) const;
    int shownX(int x) const;
    double scale() const { return scale_; }
    void setScale(double scale);
    int rowHeight() const;
    // The shown position of the canvas's top-left corner in the content.
    void setOffset(int x, int y);
    int offsetY() const { return offsetY_; }
    // A row that the content must reach although nothing is drawn on it yet (the row
    // of the input line).
    void reachRow(int y);
    // The same for the right end of the input line, in the run's pixels.
    void reachRight(int x);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    struct Piece {
        int x, y;
        QString text;
    };
    long long originY() const;
    void updateExtent() const;
    // The run's y of the row shown at a canvas height.
    long long rowAt(int canvasY) const;
    std::deque<Piece>::const_iterator firstAtOrBelow(long long y) const;
    QString rowsText(long long first, long long last, bool withBlankLines) const;

    std::deque<Piece> pieces_;
    bool sorted_ = true;
    // Extent of the kept texts in the run's coordinates, recomputed when needed.
    mutable bool extentStale_ = false;
    mutable long long minY_ = 0, maxY_ = -1, maxRight_ = 0;
    long long reachY_ = -1;
    long long reachRight_ = 0;
    // The top of the console until texts were dropped or cleared (then the oldest text
    // kept is the top).
    long long floorY_ = 0;
    // The smallest distance between two rows seen: the height of an empty line.
    long long rowStep_ = 0;
    int offsetX_ = 0, offsetY_ = 0;
    double scale_ = 1.0;
    long long selFirst_ = 0, selLast_ = -1, selAnchor_ = 0;
    std::array<qreal, 256> narrowWidths_{};
    QHash<char16_t, qreal> otherWidths_;
};

} // namespace vokc
