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
    std::vector<bool> passes; // fastRecolour of each pass
    void recolourPass(bool fastRecolour) override {
        passes.push_back(fastRecolour);
        ColourMemo::recolourPass(fastRecolour);
    }
    // Text position of the first character of a line, in viewport coordinates.
    QRect lineRect(int line) const {
        return cursorRect(QTextCursor(document()->findBlockByNumber(line)));
    }
};

// One letter per character of a line, as its layout formats show it: g grey, b blue,
// m maroon, l lime, k black, ? another colour, x a character on its own colour (a hidden
// marker), upper case when underlined, '.' plain.
QString Look(const ColourMemo& memo, int line) {
    const QTextBlock b = memo.document()->findBlockByNumber(line);
    QString out(b.length() - 1, QLatin1Char('.'));
    for (const QTextLayout::FormatRange& f : b.layout()->formats()) {
        const QColor c = f.format.foreground().color();
        QChar l = QLatin1Char('?');
        if (c == QColor(128, 128, 128))
            l = QLatin1Char('g');
        else if (c == QColor(0, 0, 255))
            l = QLatin1Char('b');
        else if (c == QColor(128, 0, 0))
            l = QLatin1Char('m');
        else if (c == QColor(0, 255, 0))
            l = QLatin1Char('l');
        else if (c == QColor(0, 0, 0))
            l = QLatin1Char('k');
        if (f.format.hasProperty(QTextFormat::BackgroundBrush)) l = QLatin1Char('x');
        if (f.format.fontUnderline()) l = l.toUpper();
        for (int i = f.start; i < f.start + f.length && i < out.size(); ++i)
            out[i] = l;
    }
    return out;
}

QString Lines(int count, const QString& text) {
    QStringList l;
    for (int i = 0; i < count; ++i)
        l << text;
    return l.join(QLatin1Char('\n'));
}

} // namespace

class ColourMemoTest : public QObject {
    Q_OBJECT

    QWidget* owner_ = nullptr;
    ProbeMemo* memo_ = nullptr;
    int lineHeight_ = 0;

    // Shows the memo with room for Full whole lines and half of the next one.
    void room(double full) {
        const int frame = memo_->height() - memo_->viewport()->height();
        const int margin = static_cast<int>(memo_->document()->documentMargin());
        memo_->resize(400, frame + margin + static_cast<int>(full * lineHeight_));
        QCoreApplication::processEvents();
    }
    void typeKeys(const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(memo_, c.toLatin1());
    }

  private slots:
    void init() {
        owner_ = new QWidget;
        memo_ = new ProbeMemo(owner_);
        memo_->setFont(ColourMemo::editorFont());
        AddEditorColourRules(memo_->colourRules());
        owner_->resize(420, 400);
        memo_->resize(400, 380);
        owner_->show();
        QVERIFY(QTest::qWaitForWindowExposed(owner_));
        lineHeight_ = memo_->lineRect(0).height();
        QVERIFY(lineHeight_ > 10);
    }
    void cleanup() { delete owner_; }

    void textLinesAndOffsets() {
        memo_->setText("ab\r\ncd\r\n\r\n\xBB"
                       "ef");
        QCOMPARE(memo_->lineCount(), 4);
        QCOMPARE(memo_->text(), std::string("ab\r\ncd\r\n\r\n\xBB"
                                            "ef"));
        QCOMPARE(memo_->textLength(), 13);
        QCOMPARE(memo_->line(3), std::string("\xBB"
                                             "ef"));
        QCOMPARE(memo_->line(4), std::string());
        QCOMPARE(memo_->line(-1), std::string());
        QCOMPARE(memo_->lineIndex(1), 4);
        QCOMPARE(memo_->lineIndex(3), 10);
        QCOMPARE(memo_->lineIndex(4), -1);
        QCOMPARE(memo_->lineFromChar(5), 1);
        QCOMPARE(memo_->lineFromChar(3), 0); // inside a line break
        memo_->setSelStart(11);
        QCOMPARE(memo_->caretOffset(), 11);
        QCOMPARE(memo_->textCursor().position(), 8);
        memo_->setSelStart(3); // between CR and LF: the end of the line
        QCOMPARE(memo_->caretOffset(), 2);
        memo_->setSelStart(1);
        memo_->setSelLength(5);
        QCOMPARE(memo_->selStart(), 1);
        QCOMPARE(memo_->selLength(), 5);
        QCOMPARE(memo_->textCursor().selectedText(), QStringLiteral("b\u2029cd"));
        memo_->replaceSelection("X\r\nY\rZ");
        QCOMPARE(memo_->text(), std::string("aX\r\nY\r\nZ\r\n\r\n\xBB"
                                            "ef"));
        QCOMPARE(memo_->caretOffset(), 8);
        memo_->setLine(1, "\x95Y");
        QCOMPARE(memo_->line(1), std::string("\x95Y"));
        QCOMPARE(memo_->document()->findBlockByNumber(1).text(), QStringLiteral("\u2022Y"));
        memo_->setSelStart(1000);
        QCOMPARE(memo_->caretOffset(), memo_->textLength());

        // A final line break starts no line; an empty text has none.
        memo_->setText("a\r\nb\r\n");
        QCOMPARE(memo_->lineCount(), 2);
        QCOMPARE(memo_->lines(), (std::vector<std::string>{"a", "b"}));
        memo_->setText("");
        QCOMPARE(memo_->lineCount(), 0);
        memo_->setLines({"x", "", "y"});
        QCOMPARE(memo_->text(), std::string("x\r\n\r\ny"));
        // Shift+Enter makes a new line, not a break inside one.
        memo_->setSelStart(1);
        QTest::keyClick(memo_, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(memo_->lineCount(), 4);
    }

    // The copy of the text that lines and passes read follows every kind of edit.
    void textFollowsEdits() {
        std::mt19937 rng(7);
        const QStringList pieces = {QStringLiteral("if"),     QStringLiteral("\n"),
                                    QStringLiteral("/* "),    QStringLiteral("\u00A0\u20AC"),
                                    QStringLiteral("a\nb\n"), QStringLiteral("\u4E2D")};
        for (int step = 0; step < 300; ++step) {
            const int size = memo_->document()->characterCount() - 1;
            QTextCursor c = memo_->textCursor();
            c.setPosition(static_cast<int>(rng() % (size + 1)));
            switch (rng() % 7) {
            case 0:
            case 1:
                c.insertText(pieces[static_cast<int>(rng() % pieces.size())]);
                break;
            case 2:
                c.setPosition(std::min(size, c.position() + static_cast<int>(rng() % 5)),
                              QTextCursor::KeepAnchor);
                c.removeSelectedText();
                break;
            case 3:
                memo_->undo();
                break;
            case 4:
                memo_->redo();
                break;
            case 5:
                memo_->setTextCursor(c);
                QTest::keyClick(memo_, step % 2 ? Qt::Key_Backspace : Qt::Key_Return);
                break;
            default:
                if (step % 50 == 0) memo_->setPlainText(QStringLiteral("x\ny"));
                if (step % 50 == 25) memo_->clear();
                break;
            }
            std::string expected;
            AppendCp1252(memo_->document()->toRawText(), expected);
            std::string crlf;
            for (const char ch : expected)
                crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
            QCOMPARE(memo_->text(), crlf);
        }
    }

    void programText() {
        memo_->setText("int i;\r\nmain()\r\n{\r\n}\r\n");
        MemoProgramText program(*memo_);
        QCOMPARE(program.LineCount(), 4);
        const std::string_view first = program.Line(1);
        memo_->setText("changed");
        QCOMPARE(first, std::string_view("main()")); // a copy, valid until the next call
        QCOMPARE(program.LineCount(), 1);
        QCOMPARE(program.Line(0), std::string_view("changed"));
        QCOMPARE(program.Line(1), std::string_view());
        QCOMPARE(program.Line(-5), std::string_view());
    }

    void editorColours() {
        memo_->setPlainText(QStringLiteral("/* a */ b\nx = 1; // note\nIf iff elseif if_x\n"
                                           "i++ i ++ #include\nmain()\n/* if */ /*/x\nint"));
        QCOMPARE(Look(*memo_, 0), QStringLiteral("ggggggg.."));
        QCOMPARE(Look(*memo_, 1), QStringLiteral(".......ggggggg"));
        QCOMPARE(Look(*memo_, 2), QStringLiteral("bb............bb.."));
        QCOMPARE(Look(*memo_, 3), QStringLiteral("......bb........."));
        QCOMPARE(Look(*memo_, 4), QStringLiteral("mmmmmm"));
        QCOMPARE(Look(*memo_, 5), QStringLiteral("gggbbggg.ggg."));
        QCOMPARE(Look(*memo_, 6), QStringLiteral("mmm")); // the last line, without a break
    }

    // The shown lines are coloured, the last one partly shown at the bottom too; a
    // comment whose end is below them is not.
    void shownLinesOnly() {
        memo_->setPlainText(QStringLiteral("if\n/* open\nx\nx\nend */ if\nx\nx\nif"));
        room(3.5);
        QCOMPARE(memo_->colouredRegion().firstLine, 0);
        QCOMPARE(memo_->colouredRegion().lineCount, 4);
        QVERIFY(memo_->lineRect(3).top() < memo_->viewport()->height()); // partly shown
        QCOMPARE(Look(*memo_, 0), QStringLiteral("bb"));
        QCOMPARE(Look(*memo_, 1), QStringLiteral("......."));
        room(4.5); // the comment's end comes into view, partly shown
        QCOMPARE(memo_->colouredRegion().lineCount, 5);
        QCOMPARE(Look(*memo_, 1), QStringLiteral("ggggggg"));
        QCOMPARE(Look(*memo_, 4), QStringLiteral("gggggg.bb"));
        // Scrolled until the end of the comment shows.
        memo_->verticalScrollBar()->setValue(1);
        QCOMPARE(memo_->colouredRegion().firstLine, 1);
        QCOMPARE(Look(*memo_, 1), QStringLiteral("ggggggg"));
        QCOMPARE(Look(*memo_, 3), QStringLiteral("g"));
        QCOMPARE(Look(*memo_, 4), QStringLiteral("gggggg.bb"));
        // The opener above the first shown line is not seen without a look-back.
        memo_->verticalScrollBar()->setValue(3);
        QCOMPARE(memo_->colouredRegion().firstLine, 3);
        QCOMPARE(Look(*memo_, 3), QStringLiteral("."));
        QCOMPARE(Look(*memo_, 4), QStringLiteral(".......bb"));
        // A first rule that looks 3 lines back starts the scan 2 lines above: at the opener.
        memo_->colourRules()[0].setLookBackLines(3);
        memo_->recolourPass(false);
        QCOMPARE(Look(*memo_, 3), QStringLiteral("g"));
        QCOMPARE(Look(*memo_, 4), QStringLiteral("gggggg.bb"));
        memo_->colourRules()[0].setLookBackLines(2);
        memo_->recolourPass(false);
        QCOMPARE(Look(*memo_, 4), QStringLiteral(".......bb"));
        memo_->colourRules()[0].setLookBackLines(-2147483647 - 1); // taken as no look-back
        memo_->recolourPass(false);
        QCOMPARE(Look(*memo_, 4), QStringLiteral(".......bb"));
    }

    // One typed letter rescans the caret's line only; other changes rescan what is shown.
    void fastPass() {
        memo_->setPlainText(QStringLiteral("/* un\ndeux\ntrois */\ni"));
        QCOMPARE(Look(*memo_, 1), QStringLiteral("gggg"));
        memo_->setSelStart(memo_->lineIndex(1) + 2);
        memo_->passes.clear();
        typeKeys(QStringLiteral("x"));
        QCOMPARE(memo_->passes, std::vector<bool>{true});
        QCOMPARE(memo_->colouredRegion().firstLine, 1);
        QCOMPARE(memo_->colouredRegion().lineCount, 1);
        QCOMPARE(Look(*memo_, 1), QStringLiteral(".....")); // the opener is not seen
        QCOMPARE(Look(*memo_, 0), QStringLiteral("ggggg"));
        // A click recolours the shown lines.
        QTest::mouseClick(memo_->viewport(), Qt::LeftButton, {}, memo_->lineRect(1).center());
        QCOMPARE(Look(*memo_, 1), QStringLiteral("ggggg"));
        // A keyword completed by a typed letter.
        memo_->setSelStart(memo_->textLength());
        typeKeys(QStringLiteral("f"));
        QCOMPARE(Look(*memo_, 3), QStringLiteral("bb"));
        memo_->passes.clear();
        QTest::keyClick(memo_, Qt::Key_Backspace);
        QTest::keyClick(memo_, Qt::Key_Return);
        memo_->insertPlainText(QStringLiteral("ab"));
        memo_->setRedrawAlways(true);
        typeKeys(QStringLiteral("c"));
        QCOMPARE(memo_->passes, (std::vector<bool>{false, false, false, false}));
        // Redrawn always, the caret's line up to the caret is in the text colour.
        QCOMPARE(Look(*memo_, 4), QStringLiteral("kkk"));
    }

    // A letter typed in a line recolours it while the document changes, before the line is
    // laid out again: that one layout shapes the line with its new colours, where a
    // recolouring after it would lay the whole line out a second time. A long line keeps
    // its shaped glyphs for the caret and the paint that follow; a short one does not.
    void typedLetterColouredBeforeLayout() {
        const QString comment =
            QStringLiteral("/* ") + QString(5000, QLatin1Char('a')) + QStringLiteral(" */");
        memo_->setPlainText(QStringLiteral("if\n") + comment + QStringLiteral(" if\nif"));
        QCOMPARE(Look(*memo_, 1),
                 QString(comment.size(), QLatin1Char('g')) + QStringLiteral(".bb"));
        memo_->setSelStart(memo_->lineIndex(1) + 10);
        QString duringChange;
        QObject probe;
        connect(memo_->document(), &QTextDocument::contentsChange, &probe,
                [&] { duringChange = Look(*memo_, 1); });
        memo_->passes.clear();
        typeKeys(QStringLiteral("x"));
        const QString typed = QString(comment.size() + 1, QLatin1Char('g')) + QStringLiteral(".bb");
        QCOMPARE(duringChange, typed);
        QCOMPARE(Look(*memo_, 1), typed);
        QCOMPARE(memo_->passes, std::vector<bool>{true});
        QVERIFY(memo_->document()->findBlockByNumber(1).layout()->cacheEnabled());
        memo_->setSelStart(memo_->lineIndex(2) + 2);
        typeKeys(QStringLiteral("f"));
        QCOMPARE(Look(*memo_, 2), QStringLiteral("..."));
        QVERIFY(!memo_->document()->findBlockByNumber(2).layout()->cacheEnabled());
    }

    void selection() {
        memo_->setPlainText(QStringLiteral("printf if"));
        memo_->setSelStart(1);
        memo_->setSelLength(2);
        QTest::keyRelease(memo_, Qt::Key_Shift);
        QCOMPARE(Look(*memo_, 0), QStringLiteral("b..bbb.bb"));
        // A cursor key leaves the selection at its end, then moves from there.
        QTest::keyClick(memo_, Qt::Key_Right);
        QCOMPARE(memo_->selLength(), 0);
        QCOMPARE(memo_->caretOffset(), 4);
        QCOMPARE(Look(*memo_, 0), QStringLiteral("bbbbbb.bb"));
        memo_->setSelStart(5);
        memo_->setSelLength(3);
        QTest::keyClick(memo_, Qt::Key_Left);
        QCOMPARE(memo_->caretOffset(), 7);
        // Tab characters, when they are text, keep the plain drawing too.
        memo_->setPlainText(QStringLiteral("//\tx"));
        QCOMPARE(Look(*memo_, 0), QStringLiteral("gggg"));
        memo_->setWantTabs(true);
        memo_->recolourPass(false);
        QCOMPARE(Look(*memo_, 0), QStringLiteral("gg.g"));
    }

    void hotSpots() {
        memo_->colourRules().clear();
        memo_->hotSpot().active = true;
        QStringList clicked;
        memo_->setHotSpotClickHandler([&](ColourMemo&, const QString& text) { clicked << text; });
        memo_->setPlainText(QStringLiteral("see \u001Ehelp\u001F now \u001Eopen"));
        QCOMPARE(Look(*memo_, 0), QStringLiteral("....xBBBBx.........."));
        const QTextBlock b = memo_->document()->firstBlock();
        const QTextLine l = b.layout()->lineAt(0);
        const QPoint onE(static_cast<int>(l.cursorToX(6) + 2), memo_->lineRect(0).center().y());
        QTest::mouseMove(memo_->viewport(), onE);
        QCOMPARE(memo_->viewport()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(memo_->viewport(), Qt::LeftButton, {}, onE);
        QCOMPARE(clicked, QStringList{QStringLiteral("help")});
        const QPoint onSee(static_cast<int>(l.cursorToX(1)), onE.y());
        QTest::mouseMove(memo_->viewport(), onSee);
        QCOMPARE(memo_->viewport()->cursor().shape(), Qt::IBeamCursor);
        QTest::mouseClick(memo_->viewport(), Qt::LeftButton, {}, onSee);
        QCOMPARE(clicked.size(), 1);
        memo_->hotSpot().underlined = false;
        memo_->recolourPass(false);
        QCOMPARE(Look(*memo_, 0).mid(4, 6), QStringLiteral("xbbbbx"));
    }

    // Spans from a span handler, and keywords drawn by a key-draw handler.
    void drawHandlers() {
        memo_->setPlainText(QStringLiteral("a\nif b"));
        ColourRule& spans = memo_->colourRules().add();
        spans.setKind(RuleKind::HandlerSpans);
        memo_->setSpanLimit(4);
        std::string seen;
        memo_->setSpanHandler(
            [&](ColourRule&, std::string_view from, std::span<ColourSpan> a, std::int32_t& count) {
                seen = from;
                a[0] = {5, 6, kLime, 0, 0};
                count = 1;
            });
        QStringList keys;
        memo_->setKeyDrawHandler(
            [&](QPainter&, const QString& key, const QRect& rect, const QColor&) {
                if (rect.width() > 0 && rect.top() >= 0) keys << key;
            });
        memo_->recolourPass(false);
        QCOMPARE(seen, std::string("a\r\nif b"));
        QCOMPARE(Look(*memo_, 1), QStringLiteral("..ll")); // the keyword is left to the handler
        memo_->grab();
        QCOMPARE(keys, QStringList{QStringLiteral("if")});
    }

    // Disabled, or without rules and hot spot, the control is a plain memo.
    void plainMemo() {
        memo_->setPlainText(QStringLiteral("if x"));
        QCOMPARE(Look(*memo_, 0), QStringLiteral("bb.."));
        memo_->setEnabled(false);
        QCOMPARE(Look(*memo_, 0), QStringLiteral("...."));
        memo_->setEnabled(true);
        QCOMPARE(Look(*memo_, 0), QStringLiteral("bb.."));
        memo_->colourRules().clear();
        memo_->recolourPass(false);
        QCOMPARE(Look(*memo_, 0), QStringLiteral("...."));
    }

    void scrollEvents() {
        int vertical = 0;
        memo_->setScrollHandler([&](ColourMemo&) { ++vertical; });
        memo_->setPlainText(Lines(40, QStringLiteral("for")));
        room(5);
        memo_->verticalScrollBar()->setValue(20);
        QCOMPARE(vertical, 1);
        QCOMPARE(memo_->firstVisibleLine(), 20);
        QCOMPARE(Look(*memo_, 20), QStringLiteral("bbb"));
        QCOMPARE(Look(*memo_, 24), QStringLiteral("bbb"));
    }
};

QTEST_MAIN(ColourMemoTest)
#include "colour_memo_test.moc"
