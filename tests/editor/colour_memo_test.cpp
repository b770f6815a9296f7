// The colouring memo control on the editor's four rules: what each character of the shown
// lines looks like after the passes that typing, clicking and scrolling run; the lines and
// offsets it hands out as program text.
#include "colour_memo.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <random>

using namespace vokc;

namespace {

// Counts the passes and their kind.
class ProbeMemo : public ColourMemo {
  public:
    using ColourMemo::ColourMemo;
    std::vector<bool> Passes; // FastRecolor of each pass
    void recolourPass(bool FastRecolor) override {
        Passes.push_back(FastRecolor);
        ColourMemo::recolourPass(FastRecolor);
    }
    // Text position of the first character of a line, in viewport coordinates.
    QRect LineRect(int Line) const {
        return cursorRect(QTextCursor(document()->findBlockByNumber(Line)));
    }
};

// One letter per character of a line, as its layout formats show it: g grey, b blue,
// m maroon, l lime, k black, ? another colour, x a character on its own colour (a hidden
// marker), upper case when underlined, '.' plain.
QString Look(const ColourMemo& Memo, int Line) {
    const QTextBlock B = Memo.document()->findBlockByNumber(Line);
    QString Out(B.length() - 1, QLatin1Char('.'));
    for (const QTextLayout::FormatRange& F : B.layout()->formats()) {
        const QColor C = F.format.foreground().color();
        QChar L = QLatin1Char('?');
        if (C == QColor(128, 128, 128))
            L = QLatin1Char('g');
        else if (C == QColor(0, 0, 255))
            L = QLatin1Char('b');
        else if (C == QColor(128, 0, 0))
            L = QLatin1Char('m');
        else if (C == QColor(0, 255, 0))
            L = QLatin1Char('l');
        else if (C == QColor(0, 0, 0))
            L = QLatin1Char('k');
        if (F.format.hasProperty(QTextFormat::BackgroundBrush)) L = QLatin1Char('x');
        if (F.format.fontUnderline()) L = L.toUpper();
        for (int I = F.start; I < F.start + F.length && I < Out.size(); ++I)
            Out[I] = L;
    }
    return Out;
}

QString Lines(int Count, const QString& Text) {
    QStringList L;
    for (int I = 0; I < Count; ++I)
        L << Text;
    return L.join(QLatin1Char('\n'));
}

} // namespace

class ColourMemoTest : public QObject {
    Q_OBJECT

    QWidget* Owner = nullptr;
    ProbeMemo* Memo = nullptr;
    int LineHeight = 0;

    // Shows the memo with room for Full whole lines and half of the next one.
    void Room(double Full) {
        const int Frame = Memo->height() - Memo->viewport()->height();
        const int Margin = static_cast<int>(Memo->document()->documentMargin());
        Memo->resize(400, Frame + Margin + static_cast<int>(Full * LineHeight));
        QCoreApplication::processEvents();
    }
    void Type(const QString& Text) {
        for (const QChar C : Text)
            QTest::keyClick(Memo, C.toLatin1());
    }

  private slots:
    void init() {
        Owner = new QWidget;
        Memo = new ProbeMemo(Owner);
        Memo->setFont(ColourMemo::editorFont());
        AddEditorColorRules(Memo->colourRules());
        Owner->resize(420, 400);
        Memo->resize(400, 380);
        Owner->show();
        QVERIFY(QTest::qWaitForWindowExposed(Owner));
        LineHeight = Memo->LineRect(0).height();
        QVERIFY(LineHeight > 10);
    }
    void cleanup() { delete Owner; }

    void textLinesAndOffsets() {
        Memo->setText("ab\r\ncd\r\n\r\n\xBB"
                      "ef");
        QCOMPARE(Memo->lineCount(), 4);
        QCOMPARE(Memo->text(), std::string("ab\r\ncd\r\n\r\n\xBB"
                                           "ef"));
        QCOMPARE(Memo->textLength(), 13);
        QCOMPARE(Memo->line(3), std::string("\xBB"
                                            "ef"));
        QCOMPARE(Memo->line(4), std::string());
        QCOMPARE(Memo->line(-1), std::string());
        QCOMPARE(Memo->lineIndex(1), 4);
        QCOMPARE(Memo->lineIndex(3), 10);
        QCOMPARE(Memo->lineIndex(4), -1);
        QCOMPARE(Memo->lineFromChar(5), 1);
        QCOMPARE(Memo->lineFromChar(3), 0); // inside a line break
        Memo->setSelStart(11);
        QCOMPARE(Memo->caretOffset(), 11);
        QCOMPARE(Memo->textCursor().position(), 8);
        Memo->setSelStart(3); // between CR and LF: the end of the line
        QCOMPARE(Memo->caretOffset(), 2);
        Memo->setSelStart(1);
        Memo->setSelLength(5);
        QCOMPARE(Memo->selStart(), 1);
        QCOMPARE(Memo->selLength(), 5);
        QCOMPARE(Memo->textCursor().selectedText(), QStringLiteral("b\u2029cd"));
        Memo->replaceSelection("X\r\nY\rZ");
        QCOMPARE(Memo->text(), std::string("aX\r\nY\r\nZ\r\n\r\n\xBB"
                                           "ef"));
        QCOMPARE(Memo->caretOffset(), 8);
        Memo->setLine(1, "\x95Y");
        QCOMPARE(Memo->line(1), std::string("\x95Y"));
        QCOMPARE(Memo->document()->findBlockByNumber(1).text(), QStringLiteral("\u2022Y"));
        Memo->setSelStart(1000);
        QCOMPARE(Memo->caretOffset(), Memo->textLength());

        // A final line break starts no line; an empty text has none.
        Memo->setText("a\r\nb\r\n");
        QCOMPARE(Memo->lineCount(), 2);
        QCOMPARE(Memo->lines(), (std::vector<std::string>{"a", "b"}));
        Memo->setText("");
        QCOMPARE(Memo->lineCount(), 0);
        Memo->setLines({"x", "", "y"});
        QCOMPARE(Memo->text(), std::string("x\r\n\r\ny"));
        // Shift+Enter makes a new line, not a break inside one.
        Memo->setSelStart(1);
        QTest::keyClick(Memo, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(Memo->lineCount(), 4);
    }

    // The copy of the text that lines and passes read follows every kind of edit.
    void textFollowsEdits() {
        std::mt19937 Random(7);
        const QStringList Pieces = {QStringLiteral("if"),     QStringLiteral("\n"),
                                    QStringLiteral("/* "),    QStringLiteral("\u00A0\u20AC"),
                                    QStringLiteral("a\nb\n"), QStringLiteral("\u4E2D")};
        for (int Step = 0; Step < 300; ++Step) {
            const int Size = Memo->document()->characterCount() - 1;
            QTextCursor C = Memo->textCursor();
            C.setPosition(static_cast<int>(Random() % (Size + 1)));
            switch (Random() % 7) {
            case 0:
            case 1:
                C.insertText(Pieces[static_cast<int>(Random() % Pieces.size())]);
                break;
            case 2:
                C.setPosition(std::min(Size, C.position() + static_cast<int>(Random() % 5)),
                              QTextCursor::KeepAnchor);
                C.removeSelectedText();
                break;
            case 3:
                Memo->undo();
                break;
            case 4:
                Memo->redo();
                break;
            case 5:
                Memo->setTextCursor(C);
                QTest::keyClick(Memo, Step % 2 ? Qt::Key_Backspace : Qt::Key_Return);
                break;
            default:
                if (Step % 50 == 0) Memo->setPlainText(QStringLiteral("x\ny"));
                if (Step % 50 == 25) Memo->clear();
                break;
            }
            std::string Expected;
            AppendCp1252(Memo->document()->toRawText(), Expected);
            std::string Crlf;
            for (const char Ch : Expected)
                Crlf += Ch == '\n' ? std::string("\r\n") : std::string(1, Ch);
            QCOMPARE(Memo->text(), Crlf);
        }
    }

    void programText() {
        Memo->setText("int i;\r\nmain()\r\n{\r\n}\r\n");
        MemoProgramText Program(*Memo);
        QCOMPARE(Program.LineCount(), 4);
        const std::string_view First = Program.Line(1);
        Memo->setText("changed");
        QCOMPARE(First, std::string_view("main()")); // a copy, valid until the next call
        QCOMPARE(Program.LineCount(), 1);
        QCOMPARE(Program.Line(0), std::string_view("changed"));
        QCOMPARE(Program.Line(1), std::string_view());
        QCOMPARE(Program.Line(-5), std::string_view());
    }

    void editorColours() {
        Memo->setPlainText(QStringLiteral("/* a */ b\nx = 1; // note\nIf iff elseif if_x\n"
                                          "i++ i ++ #include\nmain()\n/* if */ /*/x\nint"));
        QCOMPARE(Look(*Memo, 0), QStringLiteral("ggggggg.."));
        QCOMPARE(Look(*Memo, 1), QStringLiteral(".......ggggggg"));
        QCOMPARE(Look(*Memo, 2), QStringLiteral("bb............bb.."));
        QCOMPARE(Look(*Memo, 3), QStringLiteral("......bb........."));
        QCOMPARE(Look(*Memo, 4), QStringLiteral("mmmmmm"));
        QCOMPARE(Look(*Memo, 5), QStringLiteral("gggbbggg.ggg."));
        QCOMPARE(Look(*Memo, 6), QStringLiteral("mmm")); // the last line, without a break
    }

    // The shown lines are coloured, the last one partly shown at the bottom too; a
    // comment whose end is below them is not.
    void shownLinesOnly() {
        Memo->setPlainText(QStringLiteral("if\n/* open\nx\nx\nend */ if\nx\nx\nif"));
        Room(3.5);
        QCOMPARE(Memo->colouredRegion().FirstLine, 0);
        QCOMPARE(Memo->colouredRegion().LineCount, 4);
        QVERIFY(Memo->LineRect(3).top() < Memo->viewport()->height()); // partly shown
        QCOMPARE(Look(*Memo, 0), QStringLiteral("bb"));
        QCOMPARE(Look(*Memo, 1), QStringLiteral("......."));
        Room(4.5); // the comment's end comes into view, partly shown
        QCOMPARE(Memo->colouredRegion().LineCount, 5);
        QCOMPARE(Look(*Memo, 1), QStringLiteral("ggggggg"));
        QCOMPARE(Look(*Memo, 4), QStringLiteral("gggggg.bb"));
        // Scrolled until the end of the comment shows.
        Memo->verticalScrollBar()->setValue(1);
        QCOMPARE(Memo->colouredRegion().FirstLine, 1);
        QCOMPARE(Look(*Memo, 1), QStringLiteral("ggggggg"));
        QCOMPARE(Look(*Memo, 3), QStringLiteral("g"));
        QCOMPARE(Look(*Memo, 4), QStringLiteral("gggggg.bb"));
        // The opener above the first shown line is not seen without a look-back.
        Memo->verticalScrollBar()->setValue(3);
        QCOMPARE(Memo->colouredRegion().FirstLine, 3);
        QCOMPARE(Look(*Memo, 3), QStringLiteral("."));
        QCOMPARE(Look(*Memo, 4), QStringLiteral(".......bb"));
        // A first rule that looks 3 lines back starts the scan 2 lines above: at the opener.
        Memo->colourRules()[0].KeyMaxHeight = 3;
        Memo->recolourPass(false);
        QCOMPARE(Look(*Memo, 3), QStringLiteral("g"));
        QCOMPARE(Look(*Memo, 4), QStringLiteral("gggggg.bb"));
        Memo->colourRules()[0].KeyMaxHeight = 2;
        Memo->recolourPass(false);
        QCOMPARE(Look(*Memo, 4), QStringLiteral(".......bb"));
        Memo->colourRules()[0].KeyMaxHeight = -2147483647 - 1; // taken as no look-back
        Memo->recolourPass(false);
        QCOMPARE(Look(*Memo, 4), QStringLiteral(".......bb"));
    }

    // One typed letter rescans the caret's line only; other changes rescan what is shown.
    void fastPass() {
        Memo->setPlainText(QStringLiteral("/* un\ndeux\ntrois */\ni"));
        QCOMPARE(Look(*Memo, 1), QStringLiteral("gggg"));
        Memo->setSelStart(Memo->lineIndex(1) + 2);
        Memo->Passes.clear();
        Type(QStringLiteral("x"));
        QCOMPARE(Memo->Passes, std::vector<bool>{true});
        QCOMPARE(Memo->colouredRegion().FirstLine, 1);
        QCOMPARE(Memo->colouredRegion().LineCount, 1);
        QCOMPARE(Look(*Memo, 1), QStringLiteral(".....")); // the opener is not seen
        QCOMPARE(Look(*Memo, 0), QStringLiteral("ggggg"));
        // A click recolours the shown lines.
        QTest::mouseClick(Memo->viewport(), Qt::LeftButton, {}, Memo->LineRect(1).center());
        QCOMPARE(Look(*Memo, 1), QStringLiteral("ggggg"));
        // A keyword completed by a typed letter.
        Memo->setSelStart(Memo->textLength());
        Type(QStringLiteral("f"));
        QCOMPARE(Look(*Memo, 3), QStringLiteral("bb"));
        Memo->Passes.clear();
        QTest::keyClick(Memo, Qt::Key_Backspace);
        QTest::keyClick(Memo, Qt::Key_Return);
        Memo->insertPlainText(QStringLiteral("ab"));
        Memo->setRedrawAlways(true);
        Type(QStringLiteral("c"));
        QCOMPARE(Memo->Passes, (std::vector<bool>{false, false, false, false}));
        // With RedrawAlways, the caret's line up to the caret is in the text colour.
        QCOMPARE(Look(*Memo, 4), QStringLiteral("kkk"));
    }

    void selection() {
        Memo->setPlainText(QStringLiteral("printf if"));
        Memo->setSelStart(1);
        Memo->setSelLength(2);
        QTest::keyRelease(Memo, Qt::Key_Shift);
        QCOMPARE(Look(*Memo, 0), QStringLiteral("b..bbb.bb"));
        // A cursor key leaves the selection at its end, then moves from there.
        QTest::keyClick(Memo, Qt::Key_Right);
        QCOMPARE(Memo->selLength(), 0);
        QCOMPARE(Memo->caretOffset(), 4);
        QCOMPARE(Look(*Memo, 0), QStringLiteral("bbbbbb.bb"));
        Memo->setSelStart(5);
        Memo->setSelLength(3);
        QTest::keyClick(Memo, Qt::Key_Left);
        QCOMPARE(Memo->caretOffset(), 7);
        // Tab characters, when they are text, keep the plain drawing too.
        Memo->setPlainText(QStringLiteral("//\tx"));
        QCOMPARE(Look(*Memo, 0), QStringLiteral("gggg"));
        Memo->setWantTabs(true);
        Memo->recolourPass(false);
        QCOMPARE(Look(*Memo, 0), QStringLiteral("gg.g"));
    }

    void hotSpots() {
        Memo->colourRules().Clear();
        Memo->hotSpot().Active = true;
        QStringList Clicked;
        Memo->setHotSpotClickHandler([&](ColourMemo&, const QString& Text) { Clicked << Text; });
        Memo->setPlainText(QStringLiteral("see \u001Ehelp\u001F now \u001Eopen"));
        QCOMPARE(Look(*Memo, 0), QStringLiteral("....xBBBBx.........."));
        const QTextBlock B = Memo->document()->firstBlock();
        const QTextLine L = B.layout()->lineAt(0);
        const QPoint OnE(static_cast<int>(L.cursorToX(6) + 2), Memo->LineRect(0).center().y());
        QTest::mouseMove(Memo->viewport(), OnE);
        QCOMPARE(Memo->viewport()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(Memo->viewport(), Qt::LeftButton, {}, OnE);
        QCOMPARE(Clicked, QStringList{QStringLiteral("help")});
        const QPoint OnSee(static_cast<int>(L.cursorToX(1)), OnE.y());
        QTest::mouseMove(Memo->viewport(), OnSee);
        QCOMPARE(Memo->viewport()->cursor().shape(), Qt::IBeamCursor);
        QTest::mouseClick(Memo->viewport(), Qt::LeftButton, {}, OnSee);
        QCOMPARE(Clicked.size(), 1);
        Memo->hotSpot().Underlined = false;
        Memo->recolourPass(false);
        QCOMPARE(Look(*Memo, 0).mid(4, 6), QStringLiteral("xbbbbx"));
    }

    // Spans from an OnDraw handler, and keywords drawn by a key-draw handler.
    void drawHandlers() {
        Memo->setPlainText(QStringLiteral("a\nif b"));
        TColorRule& Spans = Memo->colourRules().Add();
        Spans.KeyDrawingType = dtEventDraw;
        Memo->SetColorLimMax(4);
        std::string Seen;
        Memo->OnDraw = [&](TColorRule&, std::string_view From, std::span<TKeyDescr> A,
                           std::int32_t& Count) {
            Seen = From;
            A[0] = {5, 6, clLime, 0, 0};
            Count = 1;
        };
        QStringList Keys;
        Memo->setKeyDrawHandler(
            [&](QPainter&, const QString& Key, const QRect& Rect, const QColor&) {
                if (Rect.width() > 0 && Rect.top() >= 0) Keys << Key;
            });
        Memo->recolourPass(false);
        QCOMPARE(Seen, std::string("a\r\nif b"));
        QCOMPARE(Look(*Memo, 1), QStringLiteral("..ll")); // the keyword is left to the handler
        Memo->grab();
        QCOMPARE(Keys, QStringList{QStringLiteral("if")});
    }

    // Disabled, or without rules and hot spot, the control is a plain memo.
    void plainMemo() {
        Memo->setPlainText(QStringLiteral("if x"));
        QCOMPARE(Look(*Memo, 0), QStringLiteral("bb.."));
        Memo->setEnabled(false);
        QCOMPARE(Look(*Memo, 0), QStringLiteral("...."));
        Memo->setEnabled(true);
        QCOMPARE(Look(*Memo, 0), QStringLiteral("bb.."));
        Memo->colourRules().Clear();
        Memo->recolourPass(false);
        QCOMPARE(Look(*Memo, 0), QStringLiteral("...."));
    }

    void scrollEvents() {
        int Vertical = 0;
        Memo->setScrollHandler([&](ColourMemo&) { ++Vertical; });
        Memo->setPlainText(Lines(40, QStringLiteral("for")));
        Room(5);
        Memo->verticalScrollBar()->setValue(20);
        QCOMPARE(Vertical, 1);
        QCOMPARE(Memo->firstVisibleLine(), 20);
        QCOMPARE(Look(*Memo, 20), QStringLiteral("bbb"));
        QCOMPARE(Look(*Memo, 24), QStringLiteral("bbb"));
    }
};

QTEST_MAIN(ColourMemoTest)
#include "colour_memo_test.moc"
