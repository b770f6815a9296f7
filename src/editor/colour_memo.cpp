// ColourMemo: the text mirror, offsets that count line breaks as two characters, the
// colouring pass and the event handlers that run it.
#include "colour_memo.h"

#include "text.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cstring>

namespace vokc {

namespace {

// A program text with its line breaks (CR LF, LF or a lone CR) as the document's '\n'.
QString ToDocumentText(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            plain += '\n';
        } else {
            plain += text[i];
        }
    }
    return Cp1252ToQString(plain);
}

TColor ToTColor(const QColor& c) {
    return static_cast<TColor>(c.red()) | static_cast<TColor>(c.green()) << 8 |
           static_cast<TColor>(c.blue()) << 16;
}

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

constexpr Qt::KeyboardModifiers ShiftControlAlt =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

} // namespace

// The runs a block's layout was last given, so that a pass touches only the blocks whose
// colours change.
struct ColourMemo::LineColours final : QTextBlockUserData {
    std::vector<LineRun> runs;
};

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

// ---------------------------------------------------------------------------------------
// Construction

ColourMemo::ColourMemo(QWidget* owner) : QPlainTextEdit(owner) {
    // The memo's defaults: lines wrap, Tab moves the focus, no scroll bars.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    snapshot_.reserve(2048);
    mirror_.clear();
    connect(document(), &QTextDocument::contentsChange, this, &ColourMemo::onDocumentChanged);
    connect(this, &QPlainTextEdit::textChanged, this, &ColourMemo::onTextChanged);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, this, [this] { scrolled(true); });
    // The keyboard, a search or a jump may scroll the text without the scroll bar's
    // signal: every scroll of the visible part colours the lines it brings into view.
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
        if (dy != 0) recolourPass(false);
    });
    connect(horizontalScrollBar(), &QAbstractSlider::valueChanged, this,
            [this] { scrolled(false); });
}

// The document and the scroll bars outlive this part of the object: their notifications
// must no longer reach it.
ColourMemo::~ColourMemo() {
    document()->disconnect(this);
    verticalScrollBar()->disconnect(this);
    horizontalScrollBar()->disconnect(this);
    disconnect(this, &QPlainTextEdit::textChanged, this, nullptr);
    disconnect(this, &QPlainTextEdit::updateRequest, this, nullptr);
}

QFont ColourMemo::editorFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    f.setStyleHint(QFont::Serif);
    f.setPixelSize(17);
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    return f;
}

QColor ColourMemo::toQColor(TColor colour) const {
    if ((colour & 0xFF000000u) == 0x80000000u) {
        const QPalette& p = palette();
        switch (colour & 0xFFu) {
        case 4: // menu
            return p.color(QPalette::Window);
        case 5: // window
            return p.color(QPalette::Base);
        case 13: // highlight
            return p.color(QPalette::Highlight);
        case 14: // highlighted text
            return p.color(QPalette::HighlightedText);
        case 15: // button face
            return p.color(QPalette::Button);
        case 16: // button shadow
            return p.color(QPalette::Dark);
        case 17: // grey text
            return p.color(QPalette::Disabled, QPalette::Text);
        case 18: // button text
            return p.color(QPalette::ButtonText);
        case 20: // button highlight
            return p.color(QPalette::Light);
        default: // window text and the rest
            return p.color(QPalette::Text);
        }
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

// ---------------------------------------------------------------------------------------
// The text mirror and offsets

// Keeps mirror_ equal to the document. The notification's counts may include the final
// paragraph separator, which the mirror does not hold; whenever the counts do not add up
// to the document's size, the mirror is rebuilt whole.
void ColourMemo::onDocumentChanged(int position, int charsRemoved, int charsAdded) {
    QTextDocument* doc = document();
    const int size = doc->characterCount() - 1;
    const auto old = static_cast<int>(mirror_.size());
    if (position < 0 || position > old || position > size || charsRemoved < 0 || charsAdded < 0) {
        mirror_.clear();
        ensureMirror();
        return;
    }
    const int removed = std::min(charsRemoved, old - position);
    const int added = std::min(charsAdded, size - position);
    if (old - removed + added != size) {
        mirror_.clear();
        ensureMirror();
        return;
    }
    QTextCursor c(doc);
    c.setPosition(position);
    c.setPosition(position + added, QTextCursor::KeepAnchor);
    std::string inserted;
    AppendCp1252(c.selectedText(), inserted);
    mirror_.replace(static_cast<std::size_t>(position), static_cast<std::size_t>(removed),
                    inserted);
}

void ColourMemo::ensureMirror() const {
    const QTextDocument* doc = document();
    const auto size = static_cast<std::size_t>(doc->characterCount() - 1);
    if (mirror_.size() == size) return;
    mirror_.clear();
    AppendCp1252(doc->toRawText(), mirror_); // the final paragraph separator left out
    mirror_.resize(size);
}

std::int64_t ColourMemo::textOffset(int docPos) const {
    return std::int64_t{docPos} + document()->findBlock(docPos).blockNumber();
}

std::int64_t ColourMemo::lineStartOffset(int block) const {
    return std::int64_t{document()->findBlockByNumber(block).position()} + block;
}

// Document position of a text offset: an offset inside a line break means the end of its
// line; offsets outside the text are brought to its ends.
int ColourMemo::docPosition(std::int64_t offset) const {
    if (offset <= 0) return 0;
    const QTextDocument* doc = document();
    int lo = 0, hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (lineStartOffset(mid) <= offset)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    const std::int64_t column =
        std::min<std::int64_t>(offset - (std::int64_t{b.position()} + lo), b.length() - 1);
    return b.position() + static_cast<int>(column);
}

int ColourMemo::lineCount() const {
    const QTextDocument* doc = document();
    return doc->blockCount() - (doc->lastBlock().length() == 1 ? 1 : 0);
}

void ColourMemo::lineInto(int index, std::string& out) const {
    out.clear();
    if (index < 0 || index >= lineCount()) return;
    ensureMirror();
    const QTextBlock b = document()->findBlockByNumber(index);
    out.append(mirror_, static_cast<std::size_t>(b.position()),
               static_cast<std::size_t>(b.length() - 1));
}

std::string ColourMemo::line(int index) const {
    std::string out;
    lineInto(index, out);
    return out;
}

void ColourMemo::setLine(int index, std::string_view text) {
    if (index < 0 || index >= lineCount()) return;
    QTextCursor c(document()->findBlockByNumber(index));
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.insertText(ToDocumentText(text));
}

std::vector<std::string> ColourMemo::lines() const {
    std::vector<std::string> out(static_cast<std::size_t>(lineCount()));
    for (int i = 0; i < static_cast<int>(out.size()); ++i)
        lineInto(i, out[static_cast<std::size_t>(i)]);
    return out;
}

void ColourMemo::setLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += '\n';
        joined += lines[i];
    }
    setText(joined);
}

std::string ColourMemo::text() const {
    ensureMirror();
    std::string out;
    out.reserve(mirror_.size() + static_cast<std::size_t>(document()->blockCount()));
    for (const char c : mirror_) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void ColourMemo::setText(std::string_view text) {
    setPlainText(ToDocumentText(text));
}

int ColourMemo::textLength() const {
    const QTextDocument* doc = document();
    return doc->characterCount() + doc->blockCount() - 2;
}

int ColourMemo::selStart() const {
    return static_cast<int>(textOffset(textCursor().selectionStart()));
}

int ColourMemo::selLength() const {
    const QTextCursor c = textCursor();
    return static_cast<int>(textOffset(c.selectionEnd()) - textOffset(c.selectionStart()));
}

int ColourMemo::caretOffset() const {
    return static_cast<int>(textOffset(textCursor().position()));
}

void ColourMemo::setSelStart(int offset) {
    QTextCursor c = textCursor();
    c.setPosition(docPosition(offset));
    setTextCursor(c);
}

void ColourMemo::setSelLength(int length) {
    const std::int64_t start = selStart();
    QTextCursor c = textCursor();
    c.setPosition(docPosition(start));
    c.setPosition(docPosition(start + std::max(0, length)), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void ColourMemo::replaceSelection(std::string_view text) {
    QTextCursor c = textCursor();
    c.insertText(ToDocumentText(text));
    setTextCursor(c);
}

int ColourMemo::lineIndex(int lineBlock) const {
    if (lineBlock < 0 || lineBlock >= document()->blockCount()) return -1;
    return static_cast<int>(lineStartOffset(lineBlock));
}

int ColourMemo::lineFromChar(int offset) const {
    return document()->findBlock(docPosition(offset)).blockNumber();
}

int ColourMemo::firstVisibleLine() const {
    return firstVisibleBlock().blockNumber();
}

std::string_view MemoProgramText::Line(int index) const {
    memo_.lineInto(index, line_);
    return line_;
}

// ---------------------------------------------------------------------------------------
// The colouring pass

bool ColourMemo::colourable() const {
    return isEnabled() && isVisible() && parentWidget() != nullptr &&
           (colourRules_.Count() > 0 || hotSpot_.Active);
}

// The blocks at least partly inside the viewport, top to bottom, each with the top of its
// text and the height of its lines.
void ColourMemo::shownBlocks(std::vector<ShownBlock>& out) const {
    out.clear();
    const qreal bottom = viewport()->height();
    QPointF offset = contentOffset();
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF r = blockBoundingRect(b).translated(offset);
        if (r.top() >= bottom) break;
        if (b.isVisible()) {
            const QTextLayout* l = b.layout();
            const qreal height = l->lineCount() > 0 ? l->boundingRect().height() : r.height();
            out.push_back({b.blockNumber(), r.top(), height});
        }
        offset.ry() += r.height();
    }
}

void ColourMemo::recolourPass(bool fastRecolor) {
    // Applying formats can scroll or resize, which asks for a pass again: that request is
    // served by one more full pass once this one is done.
    if (inPass_) {
        passAgain_ = true;
        return;
    }
    inPass_ = true;
    const auto done = qScopeGuard([this] {
        inPass_ = false;
        passAgain_ = false;
    });
    pass(fastRecolor);
    for (int again = 0; passAgain_ && again < 2; ++again) {
        passAgain_ = false;
        pass(false);
    }
}

void ColourMemo::pass(bool fastRecolor) {
    if (!colourable()) {
        region_ = {};
        if (isVisible()) clearShownLines();
        return;
    }
    ensureMirror();
    const QTextDocument* doc = document();
    const int lines = doc->blockCount();
    const qreal bottom = viewport()->height();
    shownBlocks(shown_);
    // A line is coloured when its top is in view: the last line, partly shown at the
    // bottom, too, so that no line the student sees stays plain after a scroll.
    const auto shownFromTop = [&](int number) {
        if (shown_.empty()) return false;
        const int i = number - shown_.front().Number;
        if (i < 0 || i >= static_cast<int>(shown_.size())) return false;
        const ShownBlock& s = shown_[static_cast<std::size_t>(i)];
        return s.Number == number && s.Top >= 0 && s.Top < bottom;
    };

    // The lines to colour: F and at most N lines after it, as long as they are shown.
    int f = 0, N = 0;
    if (fastRecolor) {
        f = textCursor().blockNumber();
        N = 1;
    } else if (!shown_.empty()) {
        // A wrapped block scrolled partly out at the top is not fully shown.
        f = shown_.front().Number + (shown_.front().Top < 0 ? 1 : 0);
        N = lines - f;
    } else {
        f = lines;
    }
    int e = f;
    while (e < f + N && shownFromTop(e))
        ++e;
    bool allShown = N > 0 && e == f + N;
    // The look-back of the first rule, which starts spans that open above the region.
    int s = f;
    if (colourRules_.Count() > 0 && f > 0) {
        const std::int64_t height = std::max<std::int32_t>(1, colourRules_[0].KeyMaxHeight);
        s = static_cast<int>(std::max<std::int64_t>(0, std::int64_t{f} - (height - 1)));
    }
    s = std::min(s, lines);

    // The snapshot: lines S to E - 1 with CR LF after each, a NUL at the region end.
    window_.clear();
    std::int64_t length = 0;
    QTextBlock b = doc->findBlockByNumber(s);
    for (int l = s; l < e && b.isValid(); ++l, b = b.next()) {
        window_.push_back({b.position(), b.length() - 1, static_cast<std::int32_t>(length)});
        length += b.length() + 1;
    }
    if (length >= UnusedPos - 2) { // beyond what 32-bit offsets can colour: nothing is
        window_.clear();           // scanned and no line is coloured
        length = 0;
        e = f;
        allShown = false;
    }
    const auto len = static_cast<std::size_t>(length);
    if (snapshot_.capacity() < len + 3) {
        std::string().swap(snapshot_);
        snapshot_.reserve(len + 1024);
    }
    snapshot_.resize(len + 1);
    for (const WindowLine& W : window_) {
        char* d = snapshot_.data() + W.SnapStart;
        std::memcpy(d, mirror_.data() + W.DocPos, static_cast<std::size_t>(W.Length));
        std::replace(d, d + W.Length, '\0', ' '); // a NUL in the text would end the scans
        d[W.Length] = '\r';
        d[W.Length + 1] = '\n';
    }
    snapshot_[len] = '\0';
    limit_ = allShown && len > 0 ? window_.back().SnapStart + window_.back().Length
                                 : static_cast<std::int32_t>(len);
    snapshot_[static_cast<std::size_t>(limit_)] = '\0';
    base_ = s < lines ? lineStartOffset(s) : 0;
    const std::string_view snapshot(snapshot_.data(), len + 1);

    list_.BeginPass();
    std::int32_t next = 0;
    if (hotSpot_.Active && hotSpot_.BeginChar != 0) next = storeHotSpots(next, limit_);
    if (wantTabs()) {
        const TColor background = ToTColor(palette().color(QPalette::Base));
        for (std::int32_t i = 0; i < limit_; ++i)
            if (snapshot_[static_cast<std::size_t>(i)] == '\t')
                next = list_.Store(next, i, i, background, 255, 0);
    }
    const QTextCursor caret = textCursor();
    if (redrawAlways_) {
        const std::int64_t caretAt = textOffset(caret.position());
        next = storeClipped(next, lineStartOffset(caret.blockNumber()) - base_, caretAt - base_,
                            ToTColor(palette().color(QPalette::Text)), 0);
    }
    for (std::int32_t i = 0; i < colourRules_.Count(); ++i)
        if (colourRules_[i].Enabled)
            next = ScanRule(colourRules_[i], next, snapshot, list_, limit_, 0);
    if (caret.hasSelection()) {
        const std::int64_t selFrom = textOffset(caret.selectionStart());
        const std::int64_t selTo = textOffset(caret.selectionEnd());
        next = storeClipped(next, selFrom - base_, selTo - 1 - base_, clRed, 254);
    }
    ResolveRuns(list_, list_.ColoredRange, cells_);

    // The lines F to E - 1 show their runs; the other shown lines are plain.
    region_ = {f, e - f};
    nextRun_ = 0;
    if (fastRecolor) {
        const QTextBlock lineBlock = doc->findBlockByNumber(f);
        if (e > f && f - s < static_cast<int>(window_.size()))
            applyRuns(lineBlock, window_[static_cast<std::size_t>(f - s)].SnapStart);
        else
            clearLine(lineBlock);
        return;
    }
    for (const ShownBlock& shownBlock : shown_) {
        const QTextBlock lineBlock = doc->findBlockByNumber(shownBlock.Number);
        if (shownBlock.Number >= f && shownBlock.Number < e &&
            shownBlock.Number - s < static_cast<int>(window_.size()))
            applyRuns(lineBlock,
                      window_[static_cast<std::size_t>(shownBlock.Number - s)].SnapStart);
        else
            clearLine(lineBlock);
    }
}

// Stores a record over [Start, End] (snapshot offsets) clipped to the snapshot.
std::int32_t ColourMemo::storeClipped(std::int32_t next, std::int64_t start, std::int64_t end,
                                      TColor colour, std::uint8_t zOrder) {
    const auto last = static_cast<std::int64_t>(snapshot_.size()) - 2;
    start = std::max<std::int64_t>(start, 0);
    end = std::min<std::int64_t>(end, last);
    if (start > end) return next;
    return list_.Store(next, static_cast<std::int32_t>(start), static_cast<std::int32_t>(end),
                       colour, zOrder, 0);
}

// Hot spots up to the limit: the begin marker, the text and the end marker, as three
// records. A begin marker without an end marker before the limit colours nothing and ends
// the scan.
std::int32_t ColourMemo::storeHotSpots(std::int32_t next, std::int32_t limit) {
    const char* text = snapshot_.data();
    std::int32_t p = 0;
    while (p < limit) {
        const void* begin =
            std::memchr(text + p, hotSpot_.BeginChar, static_cast<std::size_t>(limit - p));
        if (!begin) break;
        const auto at = static_cast<std::int32_t>(static_cast<const char*>(begin) - text);
        next = list_.Store(next, at, at, hotSpot_.MarkerColor, 253, 0);
        const void* end = at + 1 < limit ? std::memchr(text + at + 1, hotSpot_.EndChar,
                                                       static_cast<std::size_t>(limit - at - 1))
                                         : nullptr;
        if (!end) {
            list_[next - 1].StartPos = UnusedPos;
            break;
        }
        const auto endAt = static_cast<std::int32_t>(static_cast<const char*>(end) - text);
        next = list_.Store(next, at + 1, endAt - 1, hotSpot_.Color, 252, 0);
        next = list_.Store(next, endAt, endAt, hotSpot_.MarkerColor, 253, 0);
        p = endAt + 1;
    }
    return next;
}

// Gives a line the runs that fall on it, from the snapshot offset of its first character.
// Runs come in ascending order and lines are applied top to bottom, so the search for a
// line's first run starts where the previous line's did.
void ColourMemo::applyRuns(const QTextBlock& block, std::int32_t snapStart) {
    lineRuns_.clear();
    const std::int32_t lineEnd = snapStart + block.length() - 1; // its CR LF excluded
    const std::int32_t count = list_.Count();
    while (nextRun_ < count && list_[nextRun_].StartPos != UnusedPos &&
           list_[nextRun_].EndPos < snapStart)
        ++nextRun_;
    for (std::int32_t i = nextRun_; i < count; ++i) {
        const TKeyDescr& r = list_[i];
        if (r.StartPos == UnusedPos || r.StartPos >= lineEnd) break;
        if (r.StartPos < 0 || r.EndPos == UnusedPos || r.ZOrder == 254 || r.ZOrder == 255)
            continue; // the selection and tab characters keep the plain drawing
        const std::int32_t from = std::max(r.StartPos, snapStart);
        const std::int32_t to = std::min(r.EndPos + 1, lineEnd);
        if (from >= to) continue;
        RunKind kind = rkColour;
        if (r.IsKeyword == 1 && onDrawKey_)
            kind = rkHandler;
        else if (r.ZOrder == 253)
            kind = rkMarker;
        else if (r.ZOrder == 252 && hotSpot_.Underlined)
            kind = rkHotText;
        lineRuns_.push_back({from - snapStart, to - from, toQColor(r.Color).rgb(), kind});
    }
    applyLineRuns(block, lineRuns_);
}

void ColourMemo::clearLine(const QTextBlock& block) {
    lineRuns_.clear();
    applyLineRuns(block, lineRuns_);
}

void ColourMemo::clearShownLines() {
    shownBlocks(shown_);
    const QTextDocument* doc = document();
    for (const ShownBlock& shownBlock : shown_)
        clearLine(doc->findBlockByNumber(shownBlock.Number));
}

// Sets a line's layout formats to its runs, unless it already shows them.
void ColourMemo::applyLineRuns(const QTextBlock& block, const std::vector<LineRun>& runs) {
    if (!block.isValid()) return;
    QTextBlock lineBlock = block;
    auto* data = dynamic_cast<LineColours*>(lineBlock.userData());
    if (!data) {
        if (runs.empty()) return;
        data = new LineColours;
        lineBlock.setUserData(data);
    } else if (data->runs == runs) {
        return;
    }
    QList<QTextLayout::FormatRange> formats;
    formats.reserve(static_cast<qsizetype>(runs.size()));
    for (const LineRun& r : runs) {
        if (r.Kind == rkHandler) continue; // onDrawKey_ draws it over the plain text
        QTextCharFormat format;
        format.setForeground(QColor::fromRgb(r.Color));
        if (r.Kind == rkMarker) format.setBackground(QColor::fromRgb(r.Color));
        if (r.Kind == rkHotText) format.setFontUnderline(true);
        formats.append({r.Start, r.Length, format});
    }
    lineBlock.layout()->setFormats(formats);
    data->runs = runs;
    document()->markContentsDirty(lineBlock.position(), lineBlock.length());
}

// ---------------------------------------------------------------------------------------
// Events

void ColourMemo::onTextChanged() {
    const int lines = document()->blockCount();
    const int length = textLength();
    // One character typed within a line: only the caret's line is recoloured.
    const bool fast = !redrawAlways_ && lines == lastLineCount_ && length == lastTextLength_ + 1;
    recolourPass(fast);
    lastLineCount_ = lines;
    lastTextLength_ = length;
}

void ColourMemo::scrolled(bool vertical) {
    if (vertical && onVScroll_) onVScroll_(*this);
    recolourPass(false);
}

void ColourMemo::keyPressEvent(QKeyEvent* event) {
    // A cursor key without modifiers first leaves the selection at its end; the key then
    // moves from there.
    const QTextCursor caret = textCursor();
    if (caret.hasSelection() && (event->modifiers() & ShiftControlAlt) == 0 &&
        QGuiApplication::mouseButtons() == Qt::NoButton && IsNavigationKey(event->key())) {
        QTextCursor c = caret;
        c.setPosition(caret.selectionEnd());
        setTextCursor(c);
        recolourPass(false);
    }
    // A line break is always a new line of the program, never a break inside one.
    if (event->matches(QKeySequence::InsertLineSeparator)) {
        QKeyEvent plain(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ColourMemo::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    if (event->key() == Qt::Key_Shift && !event->isAutoRepeat() &&
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0 &&
        QGuiApplication::mouseButtons() == Qt::NoButton)
        recolourPass(false);
}

void ColourMemo::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton &&
        (event->modifiers() & ShiftControlAlt) == 0)
        recolourPass(false);
}

void ColourMemo::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) recolourPass(false);
    QString source;
    if (hotCursor_ && isOnHotSpot(event->position().toPoint(), &source) && onHotSpotClick_)
        onHotSpotClick_(*this, source);
}

void ColourMemo::mouseMoveEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseMoveEvent(event);
    const bool hot = hotSpot_.Active && isOnHotSpot(event->position().toPoint(), nullptr);
    if (hot != hotCursor_) {
        hotCursor_ = hot;
        viewport()->setCursor(hot ? Qt::PointingHandCursor : Qt::IBeamCursor);
    }
}

// Whether the mouse at Pos (viewport coordinates) is on a hot spot: an end marker follows
// on the same line before any begin marker. Source receives the hot spot's text.
bool ColourMemo::isOnHotSpot(const QPoint& pos, QString* source) const {
    const QTextCursor c = cursorForPosition(pos);
    const QTextBlock lineBlock = c.block();
    const QString text = lineBlock.text();
    const int column =
        std::clamp(c.position() - lineBlock.position(), 0, static_cast<int>(text.size()));
    const QChar BeginChar(Cp1252ToUtf16(static_cast<unsigned char>(hotSpot_.BeginChar)));
    const QChar EndChar(Cp1252ToUtf16(static_cast<unsigned char>(hotSpot_.EndChar)));
    const QStringView rest = QStringView(text).mid(column);
    const qsizetype e = rest.indexOf(EndChar) + 1;
    const qsizetype b = rest.indexOf(BeginChar) + 1;
    if (!(e > 0 && (e < b || b == 0 || BeginChar == EndChar))) return false;
    if (source) {
        const QStringView before = QStringView(text).left(column);
        const qsizetype last = before.lastIndexOf(BeginChar);
        *source =
            (last >= 0 ? before.mid(last + 1) : before).toString() + rest.left(e - 1).toString();
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
    const qreal bottom = viewport()->height();
    QPointF offset = contentOffset();
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF r = blockBoundingRect(b).translated(offset);
        if (r.top() >= bottom) break;
        offset.ry() += r.height();
        const auto* data = dynamic_cast<const LineColours*>(b.userData());
        if (!data) continue;
        const QString text = b.text();
        const QTextLayout* layout = b.layout();
        for (const LineRun& run : data->runs) {
            if (run.Kind != rkHandler || run.Start + run.Length > text.size()) continue;
            const QTextLine l = layout->lineForTextPosition(run.Start);
            if (!l.isValid()) continue;
            const qreal x0 = l.cursorToX(run.Start);
            const qreal x1 = l.cursorToX(run.Start + run.Length);
            const QRect rect =
                QRectF(r.left() + x0, r.top() + l.y(), std::max<qreal>(0, x1 - x0), l.height())
                    .toRect();
            painter.setPen(QColor::fromRgb(run.Color));
            onDrawKey_(painter, text.mid(run.Start, run.Length), rect, textColour);
            painter.setFont(font());
        }
    }
}

void ColourMemo::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (lineNumbers_) {
        const QRect r = contentsRect();
        lineNumbers_->setGeometry(r.left(), r.top(), lineNumberWidth(), r.height());
    }
    recolourPass(false);
}

// ---------------------------------------------------------------------------------------
// Line numbers

int ColourMemo::lineNumberWidth() const {
    if (!lineNumbers_) return 0;
    int digits = 2;
    for (int n = std::max(1, document()->blockCount()); n >= 100; n /= 10)
        ++digits;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void ColourMemo::setLineNumbersShown(bool on) {
    if (on == lineNumbersShown()) return;
    if (on) {
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
    setViewportMargins(lineNumberWidth(), 0, 0, 0);
    if (lineNumbers_) {
        const QRect r = contentsRect();
        lineNumbers_->setGeometry(r.left(), r.top(), lineNumberWidth(), r.height());
        lineNumbers_->update();
    }
}

void ColourMemo::paintLineNumbers(QPaintEvent* event) {
    QPainter painter(lineNumbers_);
    const QPalette& p = palette();
    painter.fillRect(event->rect(), p.color(QPalette::Window));
    painter.setFont(font());
    painter.setPen(p.color(QPalette::Disabled, QPalette::Text));
    const int width = lineNumbers_->width() - 4;
    const int bottom = viewport()->height();
    QPointF offset = contentOffset();
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF r = blockBoundingRect(b).translated(offset);
        if (r.top() >= bottom) break;
        offset.ry() += r.height();
        if (!b.isVisible() || r.bottom() < event->rect().top()) continue;
        const int lineHeight = fontMetrics().height();
        painter.drawText(0, static_cast<int>(r.top()), width, lineHeight, Qt::AlignRight,
                         QString::number(b.blockNumber() + 1));
    }
}

void ColourMemo::showEvent(QShowEvent* event) {
    QPlainTextEdit::showEvent(event);
    recolourPass(false);
}

void ColourMemo::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && lineNumbers_) updateLineNumberMargin();
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::StyleChange:
        recolourPass(false);
        break;
    default:
        break;
    }
}

// Pasted text: a line separator inside the text becomes a line break.
void ColourMemo::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) {
        QString text = source->text();
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        insertPlainText(text);
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

} // namespace vokc
