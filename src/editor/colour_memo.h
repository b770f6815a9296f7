// ColourMemo: the editor's text control. A plain-text edit that leaves editing, the caret,
// the selection, the clipboard and scrolling to QPlainTextEdit, and colours the lines it
// shows through its colour rules (colourrules.h).
//
// A colouring pass takes the text of the fully visible lines (plus the look-back of the
// first rule's lookBackLines()) as Windows-1252 bytes with CR LF line ends, lets the rules
// and a few built-in scans (hot spots, tabs, the caret's line, the selection) store spans,
// resolves them into runs, and gives each visible line the runs that fall on it as the
// formats of its text layout. Lines that are only partly visible are shown plain.
//
// Offsets and lengths in this interface count characters as the program text does: each
// line break counts two characters (carriage return, line feed). Lines are 0-based.
#pragma once

#include "colourrules.h"
#include "cp1252_qstring.h"
#include "program_text.h"

#include <QColor>
#include <QFont>
#include <QPlainTextEdit>
#include <QRect>
#include <QString>
#include <QTextObject>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QTextBlock;

namespace vokc {

// Text between two marker characters shown as a link: underlined in `colour`, the markers
// drawn in `markerColour` on `markerColour` (the window colour by default, so they vanish).
struct HotSpotStyle {
    char beginChar = 30;
    char endChar = 31;
    Colour colour = kBlue;
    Colour markerColour = kWindowColour;
    bool active = false;
    bool underlined = true;
};

class ColourMemo : public QPlainTextEdit, public ColourRuleHost {
    Q_OBJECT

  public:
    using ScrollHandler = std::function<void(ColourMemo& sender)>;
    using HotSpotClickHandler = std::function<void(ColourMemo& sender, const QString& source)>;
    // Draws a keyword run in place of the control. The painter's font and pen are the
    // control's font in the run's colour; textColour is the control's text colour.
    using KeyDrawHandler = std::function<void(QPainter& canvas, const QString& keyword,
                                              const QRect& rect, const QColor& textColour)>;

    // The owner becomes the parent.
    explicit ColourMemo(QWidget* owner = nullptr);
    ~ColourMemo() override;

    // Handlers. The span handler and its span limit (spans of HandlerSpans rules) come
    // from ColourRuleHost.
    void setScrollHandler(ScrollHandler handler) { onVScroll_ = std::move(handler); }
    void setHotSpotClickHandler(HotSpotClickHandler handler) {
        onHotSpotClick_ = std::move(handler);
    }
    void setKeyDrawHandler(KeyDrawHandler handler) { onDrawKey_ = std::move(handler); }

    ColourRules& colourRules() { return colourRules_; }
    const ColourRules& colourRules() const { return colourRules_; }
    HotSpotStyle& hotSpot() { return hotSpot_; }
    // Recolour the visible lines on every change, and give the caret's line up to the
    // caret the plain text colour.
    void setRedrawAlways(bool on) { redrawAlways_ = on; }
    // Tab characters are text (true) or move the focus (false, the default).
    void setWantTabs(bool on) { setTabChangesFocus(!on); }

    // The colouring pass: the visible lines, or with `fastRecolour` the caret's line only.
    virtual void recolourPass(bool fastRecolour);

    // The text as Windows-1252 lines. A final line break does not start a line of its own,
    // so an empty text has no line and "a\r\nb\r\n" has two.
    int lineCount() const;
    std::string line(int index) const; // empty when out of range
    void lineInto(int index, std::string& out) const;
    void setLine(int index, std::string_view text); // out of range: nothing happens
    std::vector<std::string> lines() const;
    void setLines(const std::vector<std::string>& lines);
    // The whole text, lines separated by CR LF. setText accepts CR LF, LF or CR.
    std::string text() const;
    void setText(std::string_view text);
    int textLength() const;

    // Caret and selection. selStart() is the lower end of the selection; setting it moves
    // the caret there and empties the selection; setSelLength then selects from there on.
    int selStart() const;
    int selLength() const;
    void setSelStart(int offset);
    void setSelLength(int length);
    int caretOffset() const;
    // Replaces the selection by `text` (line breaks CR LF, LF or CR); the caret ends after it.
    void replaceSelection(std::string_view text);

    // Offset of a line's first character (-1 past the last line), line of an offset.
    int lineIndex(int line) const;
    int lineFromChar(int offset) const;
    int firstVisibleLine() const;

    // The lines that the last pass coloured: the fully visible ones (or the caret's).
    struct Region {
        int firstLine = 0;
        int lineCount = 0;
    };
    Region colouredRegion() const { return region_; }

    // Line numbers in a margin on the left (hidden by default). The margin is as wide as
    // the largest number needs, two digits at least.
    void setLineNumbersShown(bool on);
    bool lineNumbersShown() const { return numbersShown_; }
    int lineNumberWidth() const;
    // Lines (0-based) marked in the margin for a warning: the margin shows a mark beside
    // each, with or without the line numbers. Empty: no mark, and no margin for them.
    void setWarningLines(std::vector<int> lines);
    const std::vector<int>& warningLines() const { return warningLines_; }
    int warningMarkWidth() const;

    // The editor's font: Times New Roman 17 pixels high, or Liberation Serif, which has the
    // same metrics, where that is what is installed. Its text is not shaped (no ligatures,
    // no kerning tables): program text needs neither, and a long line is laid out in a
    // third of the time.
    static QFont editorFont();
    // A rule colour on this control (system colours through its palette).
    QColor toQColor(Colour colour) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    // A run as a line shows it: block-relative start and length, the colour, and how it is
    // drawn.
    enum class RunKind : std::uint8_t { Plain, HotText, Marker, Handler };
    struct LineRun {
        std::int32_t start;
        std::int32_t length;
        QRgb colour;
        RunKind kind;
        bool operator==(const LineRun&) const = default;
    };
    // The runs a block's layout was last given, so that a pass touches only the blocks
    // whose colours change.
    struct LineColours final : QTextBlockUserData {
        std::vector<LineRun> runs;
    };
    // A line of the text that the pass copied: its block and its offset in the snapshot.
    struct WindowLine {
        int docPos;
        int length;
        std::int32_t snapStart;
    };
    // A visible block and the vertical extent of its text in the viewport.
    struct ShownBlock {
        int number;
        qreal top;
        qreal height;
    };

    void onDocumentChanged(int position, int charsRemoved, int charsAdded);
    void onTextChanged();
    bool isOneTypedCharacter() const;
    void scrolled(bool vertical);
    void ensureMirror() const;
    static void keepLongLineLayout(const QTextBlock& block);
    std::int64_t textOffset(int docPos) const;
    int docPosition(std::int64_t offset) const;
    std::int64_t lineStartOffset(int block) const;
    void shownBlocks(std::vector<ShownBlock>& out) const;
    // Calls visit(block, rect) for the blocks from the first visible one down to the
    // viewport's bottom; `rect` is the block's bounding rectangle in viewport coordinates.
    template <typename Visit> void forEachShownBlock(Visit&& visit) const {
        const qreal bottom = viewport()->height();
        QPointF offset = contentOffset();
        for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
            const QRectF r = blockBoundingRect(b).translated(offset);
            if (r.top() >= bottom) break;
            offset.ry() += r.height();
            visit(b, r);
        }
    }
    bool colourable() const;
    void clearShownLines();
    void clearLine(const QTextBlock& block);
    void applyRuns(const QTextBlock& block, std::int32_t snapStart);
    void applyLineRuns(const QTextBlock& block, const std::vector<LineRun>& runs);
    std::int32_t storeHotSpots(std::int32_t next, std::int32_t limit);
    std::int32_t storeClipped(std::int32_t next, std::int64_t start, std::int64_t end,
                              Colour colour, std::uint8_t priority);
    bool isOnHotSpot(const QPoint& pos, QString* source) const;
    void drawHandlerKeys();
    friend class LineNumberMargin;
    void paintLineNumbers(QPaintEvent* event);
    void updateLineNumberMargin();
    void pass(bool fastRecolour);

    ScrollHandler onVScroll_; // after vertical scrolling
    HotSpotClickHandler onHotSpotClick_;
    KeyDrawHandler onDrawKey_;
    bool redrawAlways_ = false;

    ColourRules colourRules_{this};
    HotSpotStyle hotSpot_;

    // The text as Windows-1252 bytes, paragraph separators as '\n', one byte per document
    // position; kept up to date from the document's change notifications.
    mutable std::string mirror_;
    // The pass's buffers, kept between passes and grown only when a larger view needs it.
    std::string snapshot_;
    SpanList list_{100};
    CharCells cells_;
    std::vector<WindowLine> window_;
    std::vector<ShownBlock> shown_;
    std::vector<LineRun> lineRuns_;
    std::int32_t limit_ = 0;   // snapshot offset of the region end
    std::int64_t base_ = 0;    // text offset of the snapshot's first character
    std::int32_t nextRun_ = 0; // first run not yet passed by the lines being applied

    int lastLineCount_ = 0; // line count and length seen at the last change
    int lastTextLength_ = 0;
    bool typedInChange_ = false; // the last change was one typed character, recoloured
    Region region_;
    bool inPass_ = false;
    bool passAgain_ = false;
    bool hotCursor_ = false;         // the mouse shows the hot-spot cursor
    QWidget* lineNumbers_ = nullptr; // the margin: line numbers, warning marks or both
    bool numbersShown_ = false;
    std::vector<int> warningLines_; // sorted
};

// The memo's lines as the interpreter reads them. The line handed out is a copy, valid
// until the next call.
class MemoProgramText final : public ProgramText {
  public:
    explicit MemoProgramText(const ColourMemo& memo) : memo_(memo) {}
    int LineCount() const override { return memo_.lineCount(); }
    std::string_view Line(int index) const override;

  private:
    const ColourMemo& memo_;
    mutable std::string line_;
};

} // namespace vokc
