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
QString ToDocumentText(std::string_view Text) {
    std::string Plain;
    Plain.reserve(Text.size());
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\r') {
            if (I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
            Plain += '\n';
        } else {
            Plain += Text[I];
        }
    }
    return Cp1252ToQString(Plain);
}

TColor ToTColor(const QColor& C) {
    return static_cast<TColor>(C.red()) | static_cast<TColor>(C.green()) << 8 |
           static_cast<TColor>(C.blue()) << 16;
}

bool IsNavigationKey(int Key) {
    switch (Key) {
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
    std::vector<LineRun> Runs;
};

// ---------------------------------------------------------------------------------------
// Construction

ColourMemo::ColourMemo(QWidget* Owner) : QPlainTextEdit(Owner) {
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
}

QFont ColourMemo::editorFont() {
    QFont F;
    F.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    F.setStyleHint(QFont::Serif);
    F.setPixelSize(17);
    F.setWeight(QFont::Normal);
    F.setItalic(false);
    return F;
}

QColor ColourMemo::toQColor(TColor Color) const {
    if ((Color & 0xFF000000u) == 0x80000000u) {
        const QPalette& P = palette();
        switch (Color & 0xFFu) {
        case 4: // menu
            return P.color(QPalette::Window);
        case 5: // window
            return P.color(QPalette::Base);
        case 13: // highlight
            return P.color(QPalette::Highlight);
        case 14: // highlighted text
            return P.color(QPalette::HighlightedText);
        case 15: // button face
            return P.color(QPalette::Button);
        case 16: // button shadow
            return P.color(QPalette::Dark);
        case 17: // grey text
            return P.color(QPalette::Disabled, QPalette::Text);
        case 18: // button text
            return P.color(QPalette::ButtonText);
        case 20: // button highlight
            return P.color(QPalette::Light);
        default: // window text and the rest
            return P.color(QPalette::Text);
        }
    }
    return QColor(static_cast<int>(Color & 0xFF), static_cast<int>((Color >> 8) & 0xFF),
                  static_cast<int>((Color >> 16) & 0xFF));
}

// ---------------------------------------------------------------------------------------
// The text mirror and offsets

// Keeps mirror_ equal to the document. The notification's counts may include the final
// paragraph separator, which the mirror does not hold; whenever the counts do not add up
// to the document's size, the mirror is rebuilt whole.
void ColourMemo::onDocumentChanged(int Position, int CharsRemoved, int CharsAdded) {
    QTextDocument* Doc = document();
    const int Size = Doc->characterCount() - 1;
    const auto Old = static_cast<int>(mirror_.size());
    if (Position < 0 || Position > Old || Position > Size || CharsRemoved < 0 || CharsAdded < 0) {
        mirror_.clear();
        ensureMirror();
        return;
    }
    const int Removed = std::min(CharsRemoved, Old - Position);
    const int Added = std::min(CharsAdded, Size - Position);
    if (Old - Removed + Added != Size) {
        mirror_.clear();
        ensureMirror();
        return;
    }
    QTextCursor C(Doc);
    C.setPosition(Position);
    C.setPosition(Position + Added, QTextCursor::KeepAnchor);
    std::string New;
    AppendCp1252(C.selectedText(), New);
    mirror_.replace(static_cast<std::size_t>(Position), static_cast<std::size_t>(Removed), New);
}

void ColourMemo::ensureMirror() const {
    const QTextDocument* Doc = document();
    const auto Size = static_cast<std::size_t>(Doc->characterCount() - 1);
    if (mirror_.size() == Size) return;
    mirror_.clear();
    AppendCp1252(Doc->toRawText(), mirror_); // the final paragraph separator left out
    mirror_.resize(Size);
}

std::int64_t ColourMemo::textOffset(int DocPos) const {
    return std::int64_t{DocPos} + document()->findBlock(DocPos).blockNumber();
}

std::int64_t ColourMemo::lineStartOffset(int Block) const {
    return std::int64_t{document()->findBlockByNumber(Block).position()} + Block;
}

// Document position of a text offset: an offset inside a line break means the end of its
// line; offsets outside the text are brought to its ends.
int ColourMemo::docPosition(std::int64_t Offset) const {
    if (Offset <= 0) return 0;
    const QTextDocument* Doc = document();
    int Lo = 0, Hi = Doc->blockCount() - 1;
    while (Lo < Hi) {
        const int Mid = Lo + (Hi - Lo + 1) / 2;
        if (lineStartOffset(Mid) <= Offset)
            Lo = Mid;
        else
            Hi = Mid - 1;
    }
    const QTextBlock B = Doc->findBlockByNumber(Lo);
    const std::int64_t Column =
        std::min<std::int64_t>(Offset - (std::int64_t{B.position()} + Lo), B.length() - 1);
    return B.position() + static_cast<int>(Column);
}

int ColourMemo::lineCount() const {
    const QTextDocument* Doc = document();
    return Doc->blockCount() - (Doc->lastBlock().length() == 1 ? 1 : 0);
}

void ColourMemo::lineInto(int Index, std::string& Out) const {
    Out.clear();
    if (Index < 0 || Index >= lineCount()) return;
    ensureMirror();
    const QTextBlock B = document()->findBlockByNumber(Index);
    Out.append(mirror_, static_cast<std::size_t>(B.position()),
               static_cast<std::size_t>(B.length() - 1));
}

std::string ColourMemo::line(int Index) const {
    std::string Out;
    lineInto(Index, Out);
    return Out;
}

void ColourMemo::setLine(int Index, std::string_view Text) {
    if (Index < 0 || Index >= lineCount()) return;
    QTextCursor C(document()->findBlockByNumber(Index));
    C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    C.insertText(ToDocumentText(Text));
}

std::vector<std::string> ColourMemo::lines() const {
    std::vector<std::string> Out(static_cast<std::size_t>(lineCount()));
    for (int I = 0; I < static_cast<int>(Out.size()); ++I)
        lineInto(I, Out[static_cast<std::size_t>(I)]);
    return Out;
}

void ColourMemo::setLines(const std::vector<std::string>& Lines) {
    std::string Joined;
    for (std::size_t I = 0; I < Lines.size(); ++I) {
        if (I > 0) Joined += '\n';
        Joined += Lines[I];
    }
    setText(Joined);
}

std::string ColourMemo::text() const {
    ensureMirror();
    std::string Out;
    Out.reserve(mirror_.size() + static_cast<std::size_t>(document()->blockCount()));
    for (const char C : mirror_) {
        if (C == '\n') Out += '\r';
        Out += C;
    }
    return Out;
}

void ColourMemo::setText(std::string_view Text) {
    setPlainText(ToDocumentText(Text));
}

int ColourMemo::textLength() const {
    const QTextDocument* Doc = document();
    return Doc->characterCount() + Doc->blockCount() - 2;
}

int ColourMemo::selStart() const {
    return static_cast<int>(textOffset(textCursor().selectionStart()));
}

int ColourMemo::selLength() const {
    const QTextCursor C = textCursor();
    return static_cast<int>(textOffset(C.selectionEnd()) - textOffset(C.selectionStart()));
}

int ColourMemo::caretOffset() const {
    return static_cast<int>(textOffset(textCursor().position()));
}

void ColourMemo::setSelStart(int Offset) {
    QTextCursor C = textCursor();
    C.setPosition(docPosition(Offset));
    setTextCursor(C);
}

void ColourMemo::setSelLength(int Length) {
    const std::int64_t Start = selStart();
    QTextCursor C = textCursor();
    C.setPosition(docPosition(Start));
    C.setPosition(docPosition(Start + std::max(0, Length)), QTextCursor::KeepAnchor);
    setTextCursor(C);
}

void ColourMemo::replaceSelection(std::string_view Text) {
    QTextCursor C = textCursor();
    C.insertText(ToDocumentText(Text));
    setTextCursor(C);
}

int ColourMemo::lineIndex(int Line) const {
    if (Line < 0 || Line >= document()->blockCount()) return -1;
    return static_cast<int>(lineStartOffset(Line));
}

int ColourMemo::lineFromChar(int Offset) const {
    return document()->findBlock(docPosition(Offset)).blockNumber();
}

int ColourMemo::firstVisibleLine() const {
    return firstVisibleBlock().blockNumber();
}

std::string_view MemoProgramText::Line(int Index) const {
    memo_.lineInto(Index, line_);
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
void ColourMemo::shownBlocks(std::vector<ShownBlock>& Out) const {
    Out.clear();
    const qreal Bottom = viewport()->height();
    QPointF Offset = contentOffset();
    for (QTextBlock B = firstVisibleBlock(); B.isValid(); B = B.next()) {
        const QRectF R = blockBoundingRect(B).translated(Offset);
        if (R.top() >= Bottom) break;
        if (B.isVisible()) {
            const QTextLayout* L = B.layout();
            const qreal Height = L->lineCount() > 0 ? L->boundingRect().height() : R.height();
            Out.push_back({B.blockNumber(), R.top(), Height});
        }
        Offset.ry() += R.height();
    }
}

void ColourMemo::recolourPass(bool FastRecolor) {
    // Applying formats can scroll or resize, which asks for a pass again: that request is
    // served by one more full pass once this one is done.
    if (inPass_) {
        passAgain_ = true;
        return;
    }
    inPass_ = true;
    const auto Done = qScopeGuard([this] {
        inPass_ = false;
        passAgain_ = false;
    });
    pass(FastRecolor);
    for (int Again = 0; passAgain_ && Again < 2; ++Again) {
        passAgain_ = false;
        pass(false);
    }
}

void ColourMemo::pass(bool FastRecolor) {
    if (!colourable()) {
        region_ = {};
        if (isVisible()) clearShownLines();
        return;
    }
    ensureMirror();
    const QTextDocument* Doc = document();
    const int Lines = Doc->blockCount();
    const qreal Bottom = viewport()->height();
    shownBlocks(shown_);
    const auto FullyShown = [&](int Number) {
        if (shown_.empty()) return false;
        const int I = Number - shown_.front().Number;
        if (I < 0 || I >= static_cast<int>(shown_.size())) return false;
        const ShownBlock& S = shown_[static_cast<std::size_t>(I)];
        return S.Number == Number && S.Top >= 0 && S.Top + S.Height < Bottom;
    };

    // The lines to colour: F and at most N lines after it, as long as they are fully shown.
    int F = 0, N = 0;
    if (FastRecolor) {
        F = textCursor().blockNumber();
        N = 1;
    } else if (!shown_.empty()) {
        // A wrapped block scrolled partly out at the top is not fully shown.
        F = shown_.front().Number + (shown_.front().Top < 0 ? 1 : 0);
        N = Lines - F;
    } else {
        F = Lines;
    }
    int E = F;
    while (E < F + N && FullyShown(E))
        ++E;
    bool AllShown = N > 0 && E == F + N;
    // The look-back of the first rule, which starts spans that open above the region.
    int S = F;
    if (colourRules_.Count() > 0 && F > 0) {
        const std::int64_t Height = std::max<std::int32_t>(1, colourRules_[0].KeyMaxHeight);
        S = static_cast<int>(std::max<std::int64_t>(0, std::int64_t{F} - (Height - 1)));
    }
    S = std::min(S, Lines);

    // The snapshot: lines S to E - 1 with CR LF after each, a NUL at the region end.
    window_.clear();
    std::int64_t Length = 0;
    QTextBlock B = Doc->findBlockByNumber(S);
    for (int L = S; L < E && B.isValid(); ++L, B = B.next()) {
        window_.push_back({B.position(), B.length() - 1, static_cast<std::int32_t>(Length)});
        Length += B.length() + 1;
    }
    if (Length >= UnusedPos - 2) { // beyond what 32-bit offsets can colour: nothing is
        window_.clear();           // scanned and no line is coloured
        Length = 0;
        E = F;
        AllShown = false;
    }
    const auto Len = static_cast<std::size_t>(Length);
    if (snapshot_.capacity() < Len + 3) {
        std::string().swap(snapshot_);
        snapshot_.reserve(Len + 1024);
    }
    snapshot_.resize(Len + 1);
    for (const WindowLine& W : window_) {
        char* D = snapshot_.data() + W.SnapStart;
        std::memcpy(D, mirror_.data() + W.DocPos, static_cast<std::size_t>(W.Length));
        std::replace(D, D + W.Length, '\0', ' '); // a NUL in the text would end the scans
        D[W.Length] = '\r';
        D[W.Length + 1] = '\n';
    }
    snapshot_[Len] = '\0';
    limit_ = AllShown && Len > 0 ? window_.back().SnapStart + window_.back().Length
                                 : static_cast<std::int32_t>(Len);
    snapshot_[static_cast<std::size_t>(limit_)] = '\0';
    base_ = S < Lines ? lineStartOffset(S) : 0;
    const std::string_view Snapshot(snapshot_.data(), Len + 1);

    list_.BeginPass();
    std::int32_t Next = 0;
    if (hotSpot_.Active && hotSpot_.BeginChar != 0) Next = storeHotSpots(Next, limit_);
    if (wantTabs()) {
        const TColor Background = ToTColor(palette().color(QPalette::Base));
        for (std::int32_t I = 0; I < limit_; ++I)
            if (snapshot_[static_cast<std::size_t>(I)] == '\t')
                Next = list_.Store(Next, I, I, Background, 255, 0);
    }
    const QTextCursor Caret = textCursor();
    if (redrawAlways_) {
        const std::int64_t CaretAt = textOffset(Caret.position());
        Next = storeClipped(Next, lineStartOffset(Caret.blockNumber()) - base_, CaretAt - base_,
                            ToTColor(palette().color(QPalette::Text)), 0);
    }
    for (std::int32_t I = 0; I < colourRules_.Count(); ++I)
        if (colourRules_[I].Enabled)
            Next = ScanRule(colourRules_[I], Next, Snapshot, list_, limit_, 0);
    if (Caret.hasSelection()) {
        const std::int64_t SelFrom = textOffset(Caret.selectionStart());
        const std::int64_t SelTo = textOffset(Caret.selectionEnd());
        Next = storeClipped(Next, SelFrom - base_, SelTo - 1 - base_, clRed, 254);
    }
    ResolveRuns(list_, list_.ColoredRange, cells_);

    // The lines F to E - 1 show their runs; the other shown lines are plain.
    region_ = {F, E - F};
    nextRun_ = 0;
    if (FastRecolor) {
        const QTextBlock Line = Doc->findBlockByNumber(F);
        if (E > F && F - S < static_cast<int>(window_.size()))
            applyRuns(Line, window_[static_cast<std::size_t>(F - S)].SnapStart);
        else
            clearLine(Line);
        return;
    }
    for (const ShownBlock& Shown : shown_) {
        const QTextBlock Line = Doc->findBlockByNumber(Shown.Number);
        if (Shown.Number >= F && Shown.Number < E &&
            Shown.Number - S < static_cast<int>(window_.size()))
            applyRuns(Line, window_[static_cast<std::size_t>(Shown.Number - S)].SnapStart);
        else
            clearLine(Line);
    }
}

// Stores a record over [Start, End] (snapshot offsets) clipped to the snapshot.
std::int32_t ColourMemo::storeClipped(std::int32_t Next, std::int64_t Start, std::int64_t End,
                                      TColor Color, std::uint8_t ZOrder) {
    const auto Last = static_cast<std::int64_t>(snapshot_.size()) - 2;
    Start = std::max<std::int64_t>(Start, 0);
    End = std::min<std::int64_t>(End, Last);
    if (Start > End) return Next;
    return list_.Store(Next, static_cast<std::int32_t>(Start), static_cast<std::int32_t>(End),
                       Color, ZOrder, 0);
}

// Hot spots up to the limit: the begin marker, the text and the end marker, as three
// records. A begin marker without an end marker before the limit colours nothing and ends
// the scan.
std::int32_t ColourMemo::storeHotSpots(std::int32_t Next, std::int32_t Limit) {
    const char* Text = snapshot_.data();
    std::int32_t P = 0;
    while (P < Limit) {
        const void* Begin =
            std::memchr(Text + P, hotSpot_.BeginChar, static_cast<std::size_t>(Limit - P));
        if (!Begin) break;
        const auto At = static_cast<std::int32_t>(static_cast<const char*>(Begin) - Text);
        Next = list_.Store(Next, At, At, hotSpot_.MarkerColor, 253, 0);
        const void* End = At + 1 < Limit ? std::memchr(Text + At + 1, hotSpot_.EndChar,
                                                       static_cast<std::size_t>(Limit - At - 1))
                                         : nullptr;
        if (!End) {
            list_[Next - 1].StartPos = UnusedPos;
            break;
        }
        const auto EndAt = static_cast<std::int32_t>(static_cast<const char*>(End) - Text);
        Next = list_.Store(Next, At + 1, EndAt - 1, hotSpot_.Color, 252, 0);
        Next = list_.Store(Next, EndAt, EndAt, hotSpot_.MarkerColor, 253, 0);
        P = EndAt + 1;
    }
    return Next;
}

// Gives a line the runs that fall on it, from the snapshot offset of its first character.
// Runs come in ascending order and lines are applied top to bottom, so the search for a
// line's first run starts where the previous line's did.
void ColourMemo::applyRuns(const QTextBlock& Block, std::int32_t SnapStart) {
    lineRuns_.clear();
    const std::int32_t LineEnd = SnapStart + Block.length() - 1; // its CR LF excluded
    const std::int32_t Count = list_.Count();
    while (nextRun_ < Count && list_[nextRun_].StartPos != UnusedPos &&
           list_[nextRun_].EndPos < SnapStart)
        ++nextRun_;
    for (std::int32_t I = nextRun_; I < Count; ++I) {
        const TKeyDescr& R = list_[I];
        if (R.StartPos == UnusedPos || R.StartPos >= LineEnd) break;
        if (R.StartPos < 0 || R.EndPos == UnusedPos || R.ZOrder == 254 || R.ZOrder == 255)
            continue; // the selection and tab characters keep the plain drawing
        const std::int32_t From = std::max(R.StartPos, SnapStart);
        const std::int32_t To = std::min(R.EndPos + 1, LineEnd);
        if (From >= To) continue;
        RunKind Kind = rkColour;
        if (R.IsKeyword == 1 && onDrawKey_)
            Kind = rkHandler;
        else if (R.ZOrder == 253)
            Kind = rkMarker;
        else if (R.ZOrder == 252 && hotSpot_.Underlined)
            Kind = rkHotText;
        lineRuns_.push_back({From - SnapStart, To - From, toQColor(R.Color).rgb(), Kind});
    }
    applyLineRuns(Block, lineRuns_);
}

void ColourMemo::clearLine(const QTextBlock& Block) {
    lineRuns_.clear();
    applyLineRuns(Block, lineRuns_);
}

void ColourMemo::clearShownLines() {
    shownBlocks(shown_);
    const QTextDocument* Doc = document();
    for (const ShownBlock& Shown : shown_)
        clearLine(Doc->findBlockByNumber(Shown.Number));
}

// Sets a line's layout formats to its runs, unless it already shows them.
void ColourMemo::applyLineRuns(const QTextBlock& Block, const std::vector<LineRun>& Runs) {
    if (!Block.isValid()) return;
    QTextBlock Line = Block;
    auto* Data = dynamic_cast<LineColours*>(Line.userData());
    if (!Data) {
        if (Runs.empty()) return;
        Data = new LineColours;
        Line.setUserData(Data);
    } else if (Data->Runs == Runs) {
        return;
    }
    QList<QTextLayout::FormatRange> Formats;
    Formats.reserve(static_cast<qsizetype>(Runs.size()));
    for (const LineRun& R : Runs) {
        if (R.Kind == rkHandler) continue; // onDrawKey_ draws it over the plain text
        QTextCharFormat Format;
        Format.setForeground(QColor::fromRgb(R.Color));
        if (R.Kind == rkMarker) Format.setBackground(QColor::fromRgb(R.Color));
        if (R.Kind == rkHotText) Format.setFontUnderline(true);
        Formats.append({R.Start, R.Length, Format});
    }
    Line.layout()->setFormats(Formats);
    Data->Runs = Runs;
    document()->markContentsDirty(Line.position(), Line.length());
}

// ---------------------------------------------------------------------------------------
// Events

void ColourMemo::onTextChanged() {
    const int Lines = document()->blockCount();
    const int Length = textLength();
    // One character typed within a line: only the caret's line is recoloured.
    const bool Fast = !redrawAlways_ && Lines == lastLineCount_ && Length == lastTextLength_ + 1;
    recolourPass(Fast);
    lastLineCount_ = Lines;
    lastTextLength_ = Length;
}

void ColourMemo::scrolled(bool Vertical) {
    if (Vertical && onVScroll_) onVScroll_(*this);
    recolourPass(false);
}

void ColourMemo::keyPressEvent(QKeyEvent* Event) {
    // A cursor key without modifiers first leaves the selection at its end; the key then
    // moves from there.
    const QTextCursor Caret = textCursor();
    if (Caret.hasSelection() && (Event->modifiers() & ShiftControlAlt) == 0 &&
        QGuiApplication::mouseButtons() == Qt::NoButton && IsNavigationKey(Event->key())) {
        QTextCursor C = Caret;
        C.setPosition(Caret.selectionEnd());
        setTextCursor(C);
        recolourPass(false);
    }
    // A line break is always a new line of the program, never a break inside one.
    if (Event->matches(QKeySequence::InsertLineSeparator)) {
        QKeyEvent Plain(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QPlainTextEdit::keyPressEvent(&Plain);
        Event->setAccepted(Plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(Event);
}

void ColourMemo::keyReleaseEvent(QKeyEvent* Event) {
    QPlainTextEdit::keyReleaseEvent(Event);
    if (Event->key() == Qt::Key_Shift && !Event->isAutoRepeat() &&
        (Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0 &&
        QGuiApplication::mouseButtons() == Qt::NoButton)
        recolourPass(false);
}

void ColourMemo::mousePressEvent(QMouseEvent* Event) {
    QPlainTextEdit::mousePressEvent(Event);
    if (Event->button() == Qt::LeftButton && Event->buttons() == Qt::LeftButton &&
        (Event->modifiers() & ShiftControlAlt) == 0)
        recolourPass(false);
}

void ColourMemo::mouseReleaseEvent(QMouseEvent* Event) {
    QPlainTextEdit::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton) recolourPass(false);
    QString Source;
    if (hotCursor_ && isOnHotSpot(Event->position().toPoint(), &Source) && onHotSpotClick_)
        onHotSpotClick_(*this, Source);
}

void ColourMemo::mouseMoveEvent(QMouseEvent* Event) {
    QPlainTextEdit::mouseMoveEvent(Event);
    const bool Hot = hotSpot_.Active && isOnHotSpot(Event->position().toPoint(), nullptr);
    if (Hot != hotCursor_) {
        hotCursor_ = Hot;
        viewport()->setCursor(Hot ? Qt::PointingHandCursor : Qt::IBeamCursor);
    }
}

// Whether the mouse at Pos (viewport coordinates) is on a hot spot: an end marker follows
// on the same line before any begin marker. Source receives the hot spot's text.
bool ColourMemo::isOnHotSpot(const QPoint& Pos, QString* Source) const {
    const QTextCursor C = cursorForPosition(Pos);
    const QTextBlock Line = C.block();
    const QString Text = Line.text();
    const int Column = std::clamp(C.position() - Line.position(), 0, static_cast<int>(Text.size()));
    const QChar BeginChar(Cp1252ToUtf16(static_cast<unsigned char>(hotSpot_.BeginChar)));
    const QChar EndChar(Cp1252ToUtf16(static_cast<unsigned char>(hotSpot_.EndChar)));
    const QStringView Rest = QStringView(Text).mid(Column);
    const qsizetype E = Rest.indexOf(EndChar) + 1;
    const qsizetype B = Rest.indexOf(BeginChar) + 1;
    if (!(E > 0 && (E < B || B == 0 || BeginChar == EndChar))) return false;
    if (Source) {
        const QStringView Before = QStringView(Text).left(Column);
        const qsizetype Last = Before.lastIndexOf(BeginChar);
        *Source =
            (Last >= 0 ? Before.mid(Last + 1) : Before).toString() + Rest.left(E - 1).toString();
    }
    return true;
}

void ColourMemo::paintEvent(QPaintEvent* Event) {
    QPlainTextEdit::paintEvent(Event);
    if (onDrawKey_) drawHandlerKeys();
}

// Keyword runs that onDrawKey_ draws, over the plain text of the shown lines.
void ColourMemo::drawHandlerKeys() {
    QPainter Painter(viewport());
    Painter.setFont(font());
    const QColor TextColour = palette().color(QPalette::Text);
    const qreal Bottom = viewport()->height();
    QPointF Offset = contentOffset();
    for (QTextBlock B = firstVisibleBlock(); B.isValid(); B = B.next()) {
        const QRectF R = blockBoundingRect(B).translated(Offset);
        if (R.top() >= Bottom) break;
        Offset.ry() += R.height();
        const auto* Data = dynamic_cast<const LineColours*>(B.userData());
        if (!Data) continue;
        const QString Text = B.text();
        const QTextLayout* Layout = B.layout();
        for (const LineRun& Run : Data->Runs) {
            if (Run.Kind != rkHandler || Run.Start + Run.Length > Text.size()) continue;
            const QTextLine L = Layout->lineForTextPosition(Run.Start);
            if (!L.isValid()) continue;
            const qreal X0 = L.cursorToX(Run.Start);
            const qreal X1 = L.cursorToX(Run.Start + Run.Length);
            const QRect Rect =
                QRectF(R.left() + X0, R.top() + L.y(), std::max<qreal>(0, X1 - X0), L.height())
                    .toRect();
            Painter.setPen(QColor::fromRgb(Run.Color));
            onDrawKey_(Painter, Text.mid(Run.Start, Run.Length), Rect, TextColour);
            Painter.setFont(font());
        }
    }
}

void ColourMemo::resizeEvent(QResizeEvent* Event) {
    QPlainTextEdit::resizeEvent(Event);
    recolourPass(false);
}

void ColourMemo::showEvent(QShowEvent* Event) {
    QPlainTextEdit::showEvent(Event);
    recolourPass(false);
}

void ColourMemo::changeEvent(QEvent* Event) {
    QPlainTextEdit::changeEvent(Event);
    switch (Event->type()) {
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
void ColourMemo::insertFromMimeData(const QMimeData* Source) {
    if (Source && Source->hasText()) {
        QString Text = Source->text();
        Text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        insertPlainText(Text);
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::insertFromMimeData(Source);
}

} // namespace vokc
