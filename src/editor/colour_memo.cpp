// ColourMemo: construction, the text mirror, offsets that count line breaks as two
// characters, and the events that run a colouring pass. The pass itself is in
// colour_memo_pass.cpp, what the memo draws and shows under the mouse in
// colour_memo_view.cpp.
#include "colour_memo.h"

#include "text.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

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
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

// Plain colours as they are; of the system colours, the window's background is the
// palette's base colour and every other one its text colour.
QColor ColourMemo::toQColor(Colour colour) const {
    if ((colour & 0xFF000000u) == 0x80000000u)
        return palette().color(colour == kWindowColour ? QPalette::Base : QPalette::Text);
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
    typedInChange_ = false;
    keepLongLineLayout(doc->findBlock(position));
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
    // One character typed within a line: its line is recoloured now, before the document
    // lays the line out again, so that the new formats take part in that one layout
    // instead of asking for a second one (a whole long line shaped twice per key).
    typedInChange_ = isOneTypedCharacter();
    if (typedInChange_) recolourPass(true);
}

bool ColourMemo::isOneTypedCharacter() const {
    return !redrawAlways_ && document()->blockCount() == lastLineCount_ &&
           textLength() == lastTextLength_ + 1;
}

// A long line's layout keeps its shaped glyphs and character attributes once it is laid
// out: without them, placing the caret and painting the shown part shape the whole line
// again after every key. Short lines do without, so the memory stays small.
void ColourMemo::keepLongLineLayout(const QTextBlock& block) {
    constexpr int kLongLine = 4096;
    if (block.isValid() && block.length() > kLongLine) block.layout()->setCacheEnabled(true);
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
// Events

void ColourMemo::onTextChanged() {
    // One character typed within a line recoloured its line as the document changed; any
    // other change recolours the shown lines.
    if (!typedInChange_ || !isOneTypedCharacter()) recolourPass(false);
    typedInChange_ = false;
    lastLineCount_ = document()->blockCount();
    lastTextLength_ = textLength();
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

void ColourMemo::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (lineNumbers_) {
        const QRect r = contentsRect();
        lineNumbers_->setGeometry(r.left(), r.top(), lineNumberWidth() + warningMarkWidth(),
                                  r.height());
    }
    recolourPass(false);
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
    // Only text is pasted or dropped. Without any (nothing on the clipboard, an owner
    // that went away, data of another kind) nothing happens: the base class is never
    // handed such data, which it cannot always take (a clipboard without any format
    // makes it fail).
    if (!source || !source->hasText()) return;
    QString text = source->text();
    if (text.isEmpty()) return;
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    insertPlainText(text);
    ensureCursorVisible();
}

} // namespace vokc
