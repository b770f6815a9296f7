// TColorMemo: the text mirror, offsets that count line breaks as two characters, the
// colouring pass and the event handlers that run it.
#include "colormemo.h"

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

// ---------------------------------------------------------------------------------------
// Windows-1252

namespace {

// Two 256-entry tables: byte to UTF-16, and for the characters above U+00FF that the code
// page holds, a byte indexed by a one-byte key of the character (the keys of those 27
// characters are all different); a candidate byte is accepted only when it converts back
// to the character.
struct Cp1252Tables {
    std::array<char16_t, 256> ToUtf16{};
    std::array<unsigned char, 256> FromHigh{};

    static unsigned Key(char16_t C) { return (C ^ (C >> 8)) & 0xFFu; }

    Cp1252Tables() {
        for (int I = 0; I < 256; ++I)
            ToUtf16[I] = static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(I)));
        for (int I = 0x80; I < 0xA0; ++I) {
            if (ToUtf16[I] < 0x100) continue;
            FromHigh[Key(ToUtf16[I])] = static_cast<unsigned char>(I);
        }
    }

    char FromUtf16(char16_t C) const {
        if (C < 0x80) return static_cast<char>(C);
        if (C < 0x100) return ToUtf16[C] == C ? static_cast<char>(C) : '?';
        if (C == 0x2029) return '\n'; // the document's paragraph separator
        const unsigned char B = FromHigh[Key(C)];
        return B != 0 && ToUtf16[B] == C ? static_cast<char>(B) : '?';
    }
};

const Cp1252Tables& Tables() {
    static const Cp1252Tables T;
    return T;
}

} // namespace

char16_t Cp1252ToUtf16(unsigned char C) {
    return Tables().ToUtf16[C];
}

char Utf16ToCp1252(char16_t C) {
    return Tables().FromUtf16(C);
}

QString Cp1252ToQString(std::string_view Text) {
    const Cp1252Tables& T = Tables();
    QString Out(static_cast<qsizetype>(Text.size()), Qt::Uninitialized);
    QChar* D = Out.data();
    for (const char C : Text)
        *D++ = QChar(T.ToUtf16[static_cast<unsigned char>(C)]);
    return Out;
}

void AppendCp1252(QStringView Text, std::string& Out) {
    const Cp1252Tables& T = Tables();
    const std::size_t At = Out.size();
    Out.resize(At + static_cast<std::size_t>(Text.size()));
    char* D = Out.data() + At;
    for (const QChar C : Text)
        *D++ = T.FromUtf16(C.unicode());
}

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
struct TColorMemo::TLineColours final : QTextBlockUserData {
    std::vector<TLineRun> Runs;
};

// ---------------------------------------------------------------------------------------
// Construction

TColorMemo::TColorMemo(QWidget* Owner) : QPlainTextEdit(Owner) {
    // The memo's defaults: lines wrap, Tab moves the focus, no scroll bars.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    FSnapshot.reserve(2048);
    FMirror.clear();
    connect(document(), &QTextDocument::contentsChange, this, &TColorMemo::DocumentChanged);
    connect(this, &QPlainTextEdit::textChanged, this, &TColorMemo::TextChanged);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, this, [this] { Scrolled(true); });
    connect(horizontalScrollBar(), &QAbstractSlider::valueChanged, this,
            [this] { Scrolled(false); });
}

// The document and the scroll bars outlive this part of the object: their notifications
// must no longer reach it.
TColorMemo::~TColorMemo() {
    document()->disconnect(this);
    verticalScrollBar()->disconnect(this);
    horizontalScrollBar()->disconnect(this);
    disconnect(this, &QPlainTextEdit::textChanged, this, nullptr);
}

QFont TColorMemo::EditorFont() {
    QFont F;
    F.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    F.setStyleHint(QFont::Serif);
    F.setPixelSize(17);
    F.setWeight(QFont::Normal);
    F.setItalic(false);
    return F;
}

QColor TColorMemo::ToQColor(TColor Color) const {
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

// Keeps FMirror equal to the document. The notification's counts may include the final
// paragraph separator, which the mirror does not hold; whenever the counts do not add up
// to the document's size, the mirror is rebuilt whole.
void TColorMemo::DocumentChanged(int Position, int CharsRemoved, int CharsAdded) {
    QTextDocument* Doc = document();
    const int Size = Doc->characterCount() - 1;
    const auto Old = static_cast<int>(FMirror.size());
    if (Position < 0 || Position > Old || Position > Size || CharsRemoved < 0 || CharsAdded < 0) {
        FMirror.clear();
        EnsureMirror();
        return;
    }
    const int Removed = std::min(CharsRemoved, Old - Position);
    const int Added = std::min(CharsAdded, Size - Position);
    if (Old - Removed + Added != Size) {
        FMirror.clear();
        EnsureMirror();
        return;
    }
    QTextCursor C(Doc);
    C.setPosition(Position);
    C.setPosition(Position + Added, QTextCursor::KeepAnchor);
    std::string New;
    AppendCp1252(C.selectedText(), New);
    FMirror.replace(static_cast<std::size_t>(Position), static_cast<std::size_t>(Removed), New);
}

void TColorMemo::EnsureMirror() const {
    const QTextDocument* Doc = document();
    const auto Size = static_cast<std::size_t>(Doc->characterCount() - 1);
    if (FMirror.size() == Size) return;
    FMirror.clear();
    AppendCp1252(Doc->toRawText(), FMirror); // the final paragraph separator left out
    FMirror.resize(Size);
}

std::int64_t TColorMemo::TextOffset(int DocPos) const {
    return std::int64_t{DocPos} + document()->findBlock(DocPos).blockNumber();
}

std::int64_t TColorMemo::LineStartOffset(int Block) const {
    return std::int64_t{document()->findBlockByNumber(Block).position()} + Block;
}

// Document position of a text offset: an offset inside a line break means the end of its
// line; offsets outside the text are brought to its ends.
int TColorMemo::DocPosition(std::int64_t Offset) const {
    if (Offset <= 0) return 0;
    const QTextDocument* Doc = document();
    int Lo = 0, Hi = Doc->blockCount() - 1;
    while (Lo < Hi) {
        const int Mid = Lo + (Hi - Lo + 1) / 2;
        if (LineStartOffset(Mid) <= Offset)
            Lo = Mid;
        else
            Hi = Mid - 1;
    }
    const QTextBlock B = Doc->findBlockByNumber(Lo);
    const std::int64_t Column =
        std::min<std::int64_t>(Offset - (std::int64_t{B.position()} + Lo), B.length() - 1);
    return B.position() + static_cast<int>(Column);
}

int TColorMemo::LineCount() const {
    const QTextDocument* Doc = document();
    return Doc->blockCount() - (Doc->lastBlock().length() == 1 ? 1 : 0);
}

void TColorMemo::LineInto(int Index, std::string& Out) const {
    Out.clear();
    if (Index < 0 || Index >= LineCount()) return;
    EnsureMirror();
    const QTextBlock B = document()->findBlockByNumber(Index);
    Out.append(FMirror, static_cast<std::size_t>(B.position()),
               static_cast<std::size_t>(B.length() - 1));
}

std::string TColorMemo::Line(int Index) const {
    std::string Out;
    LineInto(Index, Out);
    return Out;
}

void TColorMemo::SetLine(int Index, std::string_view Text) {
    if (Index < 0 || Index >= LineCount()) return;
    QTextCursor C(document()->findBlockByNumber(Index));
    C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    C.insertText(ToDocumentText(Text));
}

std::vector<std::string> TColorMemo::Lines() const {
    std::vector<std::string> Out(static_cast<std::size_t>(LineCount()));
    for (int I = 0; I < static_cast<int>(Out.size()); ++I)
        LineInto(I, Out[static_cast<std::size_t>(I)]);
    return Out;
}

void TColorMemo::SetLines(const std::vector<std::string>& Lines) {
    std::string Joined;
    for (std::size_t I = 0; I < Lines.size(); ++I) {
        if (I > 0) Joined += '\n';
        Joined += Lines[I];
    }
    SetText(Joined);
}

std::string TColorMemo::Text() const {
    EnsureMirror();
    std::string Out;
    Out.reserve(FMirror.size() + static_cast<std::size_t>(document()->blockCount()));
    for (const char C : FMirror) {
        if (C == '\n') Out += '\r';
        Out += C;
    }
    return Out;
}

void TColorMemo::SetText(std::string_view Text) {
    setPlainText(ToDocumentText(Text));
}

int TColorMemo::TextLength() const {
    const QTextDocument* Doc = document();
    return Doc->characterCount() + Doc->blockCount() - 2;
}

int TColorMemo::SelStart() const {
    return static_cast<int>(TextOffset(textCursor().selectionStart()));
}

int TColorMemo::SelLength() const {
    const QTextCursor C = textCursor();
    return static_cast<int>(TextOffset(C.selectionEnd()) - TextOffset(C.selectionStart()));
}

int TColorMemo::CaretOffset() const {
    return static_cast<int>(TextOffset(textCursor().position()));
}

void TColorMemo::SetSelStart(int Offset) {
    QTextCursor C = textCursor();
    C.setPosition(DocPosition(Offset));
    setTextCursor(C);
}

void TColorMemo::SetSelLength(int Length) {
    const std::int64_t Start = SelStart();
    QTextCursor C = textCursor();
    C.setPosition(DocPosition(Start));
    C.setPosition(DocPosition(Start + std::max(0, Length)), QTextCursor::KeepAnchor);
    setTextCursor(C);
}

void TColorMemo::ReplaceSelection(std::string_view Text) {
    QTextCursor C = textCursor();
    C.insertText(ToDocumentText(Text));
    setTextCursor(C);
}

int TColorMemo::LineIndex(int Line) const {
    if (Line < 0 || Line >= document()->blockCount()) return -1;
    return static_cast<int>(LineStartOffset(Line));
}

int TColorMemo::LineFromChar(int Offset) const {
    return document()->findBlock(DocPosition(Offset)).blockNumber();
}

int TColorMemo::FirstVisibleLine() const {
    return firstVisibleBlock().blockNumber();
}

std::string_view MemoProgramText::Line(int Index) const {
    FMemo.LineInto(Index, FLine);
    return FLine;
}

// ---------------------------------------------------------------------------------------
// The colouring pass

bool TColorMemo::Colourable() const {
    return isEnabled() && isVisible() && parentWidget() != nullptr &&
           (FColorRules.Count() > 0 || FHotSpot.Active);
}

// The blocks at least partly inside the viewport, top to bottom, each with the top of its
// text and the height of its lines.
void TColorMemo::ShownBlocks(std::vector<TShownBlock>& Out) const {
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

void TColorMemo::RecolorPass(bool FastRecolor) {
    // Applying formats can scroll or resize, which asks for a pass again: that request is
    // served by one more full pass once this one is done.
    if (FInPass) {
        FPassAgain = true;
        return;
    }
    FInPass = true;
    const auto Done = qScopeGuard([this] {
        FInPass = false;
        FPassAgain = false;
    });
    Pass(FastRecolor);
    for (int Again = 0; FPassAgain && Again < 2; ++Again) {
        FPassAgain = false;
        Pass(false);
    }
}

void TColorMemo::Pass(bool FastRecolor) {
    if (!Colourable()) {
        FRegion = {};
        if (isVisible()) ClearShownLines();
        return;
    }
    EnsureMirror();
    const QTextDocument* Doc = document();
    const int Lines = Doc->blockCount();
    const qreal Bottom = viewport()->height();
    ShownBlocks(FShown);
    const auto FullyShown = [&](int Number) {
        if (FShown.empty()) return false;
        const int I = Number - FShown.front().Number;
        if (I < 0 || I >= static_cast<int>(FShown.size())) return false;
        const TShownBlock& S = FShown[static_cast<std::size_t>(I)];
        return S.Number == Number && S.Top >= 0 && S.Top + S.Height < Bottom;
    };

    // The lines to colour: F and at most N lines after it, as long as they are fully shown.
    int F = 0, N = 0;
    if (FastRecolor) {
        F = textCursor().blockNumber();
        N = 1;
    } else if (!FShown.empty()) {
        // A wrapped block scrolled partly out at the top is not fully shown.
        F = FShown.front().Number + (FShown.front().Top < 0 ? 1 : 0);
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
    if (FColorRules.Count() > 0 && F > 0) {
        const std::int64_t Height = std::max<std::int32_t>(1, FColorRules[0].KeyMaxHeight);
        S = static_cast<int>(std::max<std::int64_t>(0, std::int64_t{F} - (Height - 1)));
    }
    S = std::min(S, Lines);

    // The snapshot: lines S to E - 1 with CR LF after each, a NUL at the region end.
    FWindow.clear();
    std::int64_t Length = 0;
    QTextBlock B = Doc->findBlockByNumber(S);
    for (int L = S; L < E && B.isValid(); ++L, B = B.next()) {
        FWindow.push_back({B.position(), B.length() - 1, static_cast<std::int32_t>(Length)});
        Length += B.length() + 1;
    }
    if (Length >= UnusedPos - 2) { // beyond what 32-bit offsets can colour: nothing is
        FWindow.clear();           // scanned and no line is coloured
        Length = 0;
        E = F;
        AllShown = false;
    }
    const auto Len = static_cast<std::size_t>(Length);
    if (FSnapshot.capacity() < Len + 3) {
        std::string().swap(FSnapshot);
        FSnapshot.reserve(Len + 1024);
    }
    FSnapshot.resize(Len + 1);
    for (const TWindowLine& W : FWindow) {
        char* D = FSnapshot.data() + W.SnapStart;
        std::memcpy(D, FMirror.data() + W.DocPos, static_cast<std::size_t>(W.Length));
        std::replace(D, D + W.Length, '\0', ' '); // a NUL in the text would end the scans
        D[W.Length] = '\r';
        D[W.Length + 1] = '\n';
    }
    FSnapshot[Len] = '\0';
    FLimit = AllShown && Len > 0 ? FWindow.back().SnapStart + FWindow.back().Length
                                 : static_cast<std::int32_t>(Len);
    FSnapshot[static_cast<std::size_t>(FLimit)] = '\0';
    FBase = S < Lines ? LineStartOffset(S) : 0;
    const std::string_view Snapshot(FSnapshot.data(), Len + 1);

    FList.BeginPass();
    std::int32_t Next = 0;
    if (FHotSpot.Active && FHotSpot.BeginChar != 0) Next = StoreHotSpots(Next, FLimit);
    if (WantTabs()) {
        const TColor Background = ToTColor(palette().color(QPalette::Base));
        for (std::int32_t I = 0; I < FLimit; ++I)
            if (FSnapshot[static_cast<std::size_t>(I)] == '\t')
                Next = FList.Store(Next, I, I, Background, 255, 0);
    }
    const QTextCursor Caret = textCursor();
    if (RedrawAlways) {
        const std::int64_t CaretAt = TextOffset(Caret.position());
        Next = StoreClipped(Next, LineStartOffset(Caret.blockNumber()) - FBase, CaretAt - FBase,
                            ToTColor(palette().color(QPalette::Text)), 0);
    }
    for (std::int32_t I = 0; I < FColorRules.Count(); ++I)
        if (FColorRules[I].Enabled)
            Next = ScanRule(FColorRules[I], Next, Snapshot, FList, FLimit, 0);
    if (Caret.hasSelection()) {
        const std::int64_t SelFrom = TextOffset(Caret.selectionStart());
        const std::int64_t SelTo = TextOffset(Caret.selectionEnd());
        Next = StoreClipped(Next, SelFrom - FBase, SelTo - 1 - FBase, clRed, 254);
    }
    ResolveRuns(FList, FList.ColoredRange, FCells);

    // The lines F to E - 1 show their runs; the other shown lines are plain.
    FRegion = {F, E - F};
    FNextRun = 0;
    if (FastRecolor) {
        const QTextBlock Line = Doc->findBlockByNumber(F);
        if (E > F && F - S < static_cast<int>(FWindow.size()))
            ApplyRuns(Line, FWindow[static_cast<std::size_t>(F - S)].SnapStart);
        else
            ClearLine(Line);
        return;
    }
    for (const TShownBlock& Shown : FShown) {
        const QTextBlock Line = Doc->findBlockByNumber(Shown.Number);
        if (Shown.Number >= F && Shown.Number < E &&
            Shown.Number - S < static_cast<int>(FWindow.size()))
            ApplyRuns(Line, FWindow[static_cast<std::size_t>(Shown.Number - S)].SnapStart);
        else
            ClearLine(Line);
    }
}

// Stores a record over [Start, End] (snapshot offsets) clipped to the snapshot.
std::int32_t TColorMemo::StoreClipped(std::int32_t Next, std::int64_t Start, std::int64_t End,
                                      TColor Color, std::uint8_t ZOrder) {
    const auto Last = static_cast<std::int64_t>(FSnapshot.size()) - 2;
    Start = std::max<std::int64_t>(Start, 0);
    End = std::min<std::int64_t>(End, Last);
    if (Start > End) return Next;
    return FList.Store(Next, static_cast<std::int32_t>(Start), static_cast<std::int32_t>(End),
                       Color, ZOrder, 0);
}

// Hot spots up to the limit: the begin marker, the text and the end marker, as three
// records. A begin marker without an end marker before the limit colours nothing and ends
// the scan.
std::int32_t TColorMemo::StoreHotSpots(std::int32_t Next, std::int32_t Limit) {
    const char* Text = FSnapshot.data();
    std::int32_t P = 0;
    while (P < Limit) {
        const void* Begin =
            std::memchr(Text + P, FHotSpot.BeginChar, static_cast<std::size_t>(Limit - P));
        if (!Begin) break;
        const auto At = static_cast<std::int32_t>(static_cast<const char*>(Begin) - Text);
        Next = FList.Store(Next, At, At, FHotSpot.MarkerColor, 253, 0);
        const void* End = At + 1 < Limit ? std::memchr(Text + At + 1, FHotSpot.EndChar,
                                                       static_cast<std::size_t>(Limit - At - 1))
                                         : nullptr;
        if (!End) {
            FList[Next - 1].StartPos = UnusedPos;
            break;
        }
        const auto EndAt = static_cast<std::int32_t>(static_cast<const char*>(End) - Text);
        Next = FList.Store(Next, At + 1, EndAt - 1, FHotSpot.Color, 252, 0);
        Next = FList.Store(Next, EndAt, EndAt, FHotSpot.MarkerColor, 253, 0);
        P = EndAt + 1;
    }
    return Next;
}

// Gives a line the runs that fall on it, from the snapshot offset of its first character.
// Runs come in ascending order and lines are applied top to bottom, so the search for a
// line's first run starts where the previous line's did.
void TColorMemo::ApplyRuns(const QTextBlock& Block, std::int32_t SnapStart) {
    FLineRuns.clear();
    const std::int32_t LineEnd = SnapStart + Block.length() - 1; // its CR LF excluded
    const std::int32_t Count = FList.Count();
    while (FNextRun < Count && FList[FNextRun].StartPos != UnusedPos &&
           FList[FNextRun].EndPos < SnapStart)
        ++FNextRun;
    for (std::int32_t I = FNextRun; I < Count; ++I) {
        const TKeyDescr& R = FList[I];
        if (R.StartPos == UnusedPos || R.StartPos >= LineEnd) break;
        if (R.StartPos < 0 || R.EndPos == UnusedPos || R.ZOrder == 254 || R.ZOrder == 255)
            continue; // the selection and tab characters keep the plain drawing
        const std::int32_t From = std::max(R.StartPos, SnapStart);
        const std::int32_t To = std::min(R.EndPos + 1, LineEnd);
        if (From >= To) continue;
        TRunKind Kind = rkColour;
        if (R.IsKeyword == 1 && OnDrawKey)
            Kind = rkHandler;
        else if (R.ZOrder == 253)
            Kind = rkMarker;
        else if (R.ZOrder == 252 && FHotSpot.Underlined)
            Kind = rkHotText;
        FLineRuns.push_back({From - SnapStart, To - From, ToQColor(R.Color).rgb(), Kind});
    }
    ApplyLineRuns(Block, FLineRuns);
}

void TColorMemo::ClearLine(const QTextBlock& Block) {
    FLineRuns.clear();
    ApplyLineRuns(Block, FLineRuns);
}

void TColorMemo::ClearShownLines() {
    ShownBlocks(FShown);
    const QTextDocument* Doc = document();
    for (const TShownBlock& Shown : FShown)
        ClearLine(Doc->findBlockByNumber(Shown.Number));
}

// Sets a line's layout formats to its runs, unless it already shows them.
void TColorMemo::ApplyLineRuns(const QTextBlock& Block, const std::vector<TLineRun>& Runs) {
    if (!Block.isValid()) return;
    QTextBlock Line = Block;
    auto* Data = dynamic_cast<TLineColours*>(Line.userData());
    if (!Data) {
        if (Runs.empty()) return;
        Data = new TLineColours;
        Line.setUserData(Data);
    } else if (Data->Runs == Runs) {
        return;
    }
    QList<QTextLayout::FormatRange> Formats;
    Formats.reserve(static_cast<qsizetype>(Runs.size()));
    for (const TLineRun& R : Runs) {
        if (R.Kind == rkHandler) continue; // OnDrawKey draws it over the plain text
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

void TColorMemo::TextChanged() {
    if (OnChange) OnChange(*this);
    const int Lines = document()->blockCount();
    const int Length = TextLength();
    // One character typed within a line: only the caret's line is recoloured.
    const bool Fast = !RedrawAlways && Lines == FLastLineCount && Length == FLastTextLength + 1;
    RecolorPass(Fast);
    FLastLineCount = Lines;
    FLastTextLength = Length;
}

void TColorMemo::Scrolled(bool Vertical) {
    const TNotifyEvent& Event = Vertical ? OnVScroll : OnHScroll;
    if (Event) Event(*this);
    RecolorPass(false);
}

void TColorMemo::keyPressEvent(QKeyEvent* Event) {
    // A cursor key without modifiers first leaves the selection at its end; the key then
    // moves from there.
    const QTextCursor Caret = textCursor();
    if (Caret.hasSelection() && (Event->modifiers() & ShiftControlAlt) == 0 &&
        QGuiApplication::mouseButtons() == Qt::NoButton && IsNavigationKey(Event->key())) {
        QTextCursor C = Caret;
        C.setPosition(Caret.selectionEnd());
        setTextCursor(C);
        RecolorPass(false);
    }
    bool Handled = false;
    if (OnKeyDown) OnKeyDown(*this, *Event, Handled);
    if (!Handled && OnKeyPress && !Event->text().isEmpty()) OnKeyPress(*this, *Event, Handled);
    if (Handled) {
        Event->accept();
        return;
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

void TColorMemo::keyReleaseEvent(QKeyEvent* Event) {
    QPlainTextEdit::keyReleaseEvent(Event);
    if (Event->key() == Qt::Key_Shift && !Event->isAutoRepeat() &&
        (Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0 &&
        QGuiApplication::mouseButtons() == Qt::NoButton)
        RecolorPass(false);
    if (OnKeyUp) OnKeyUp(*this, *Event);
}

void TColorMemo::mousePressEvent(QMouseEvent* Event) {
    QPlainTextEdit::mousePressEvent(Event);
    if (Event->button() == Qt::LeftButton && Event->buttons() == Qt::LeftButton &&
        (Event->modifiers() & ShiftControlAlt) == 0)
        RecolorPass(false);
}

void TColorMemo::mouseReleaseEvent(QMouseEvent* Event) {
    QPlainTextEdit::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton) RecolorPass(false);
    QString Source;
    if (FHotCursor && OnHotSpot(Event->position().toPoint(), &Source) && OnHotSpotClick)
        OnHotSpotClick(*this, Source);
}

void TColorMemo::mouseMoveEvent(QMouseEvent* Event) {
    QPlainTextEdit::mouseMoveEvent(Event);
    const bool Hot = FHotSpot.Active && OnHotSpot(Event->position().toPoint(), nullptr);
    if (Hot != FHotCursor) {
        FHotCursor = Hot;
        viewport()->setCursor(Hot ? Qt::PointingHandCursor : Qt::IBeamCursor);
    }
}

// Whether the mouse at Pos (viewport coordinates) is on a hot spot: an end marker follows
// on the same line before any begin marker. Source receives the hot spot's text.
bool TColorMemo::OnHotSpot(const QPoint& Pos, QString* Source) const {
    const QTextCursor C = cursorForPosition(Pos);
    const QTextBlock Line = C.block();
    const QString Text = Line.text();
    const int Column = std::clamp(C.position() - Line.position(), 0, static_cast<int>(Text.size()));
    const QChar BeginChar(Cp1252ToUtf16(static_cast<unsigned char>(FHotSpot.BeginChar)));
    const QChar EndChar(Cp1252ToUtf16(static_cast<unsigned char>(FHotSpot.EndChar)));
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

void TColorMemo::paintEvent(QPaintEvent* Event) {
    QPlainTextEdit::paintEvent(Event);
    if (OnDrawKey) DrawHandlerKeys();
}

// Keyword runs that OnDrawKey draws, over the plain text of the shown lines.
void TColorMemo::DrawHandlerKeys() {
    QPainter Painter(viewport());
    Painter.setFont(font());
    const QColor TextColour = palette().color(QPalette::Text);
    const qreal Bottom = viewport()->height();
    QPointF Offset = contentOffset();
    for (QTextBlock B = firstVisibleBlock(); B.isValid(); B = B.next()) {
        const QRectF R = blockBoundingRect(B).translated(Offset);
        if (R.top() >= Bottom) break;
        Offset.ry() += R.height();
        const auto* Data = dynamic_cast<const TLineColours*>(B.userData());
        if (!Data) continue;
        const QString Text = B.text();
        const QTextLayout* Layout = B.layout();
        for (const TLineRun& Run : Data->Runs) {
            if (Run.Kind != rkHandler || Run.Start + Run.Length > Text.size()) continue;
            const QTextLine L = Layout->lineForTextPosition(Run.Start);
            if (!L.isValid()) continue;
            const qreal X0 = L.cursorToX(Run.Start);
            const qreal X1 = L.cursorToX(Run.Start + Run.Length);
            const QRect Rect =
                QRectF(R.left() + X0, R.top() + L.y(), std::max<qreal>(0, X1 - X0), L.height())
                    .toRect();
            Painter.setPen(QColor::fromRgb(Run.Color));
            OnDrawKey(Painter, Text.mid(Run.Start, Run.Length), Rect, TextColour);
            Painter.setFont(font());
        }
    }
}

void TColorMemo::resizeEvent(QResizeEvent* Event) {
    QPlainTextEdit::resizeEvent(Event);
    RecolorPass(false);
}

void TColorMemo::showEvent(QShowEvent* Event) {
    QPlainTextEdit::showEvent(Event);
    RecolorPass(false);
}

void TColorMemo::changeEvent(QEvent* Event) {
    QPlainTextEdit::changeEvent(Event);
    switch (Event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::StyleChange:
        RecolorPass(false);
        break;
    default:
        break;
    }
}

// Pasted text: a line separator inside the text becomes a line break.
void TColorMemo::insertFromMimeData(const QMimeData* Source) {
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
