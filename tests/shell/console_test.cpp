// The console "Ecran" and the clipboard, on the offscreen platform: the keys of a read,
// the console's own keys beside the main window's commands, the text position after a
// clear, the saved screen's name, and pasting when the clipboard holds no text.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "colour_memo.h"
#include "console_window.h"
#include "editor_window.h"
#include "input_line.h"
#include "main_window.h"
#include "procedure_list.h"
#include "run_session.h"

using namespace vokc;
using namespace vokc::editor;

class ConsoleTest : public QObject {
    Q_OBJECT
    MainWindow* form = nullptr;
    ConsoleWindow* console = nullptr;
    RunSession* session = nullptr;

    EditorWindow* Run(const Lines& lines) {
        form->newFile();
        EditorWindow* e = form->activeEditor();
        e->setTextLines(lines);
        e->memo()->document()->setModified(false);
        e->runProgram();
        return e;
    }

  private slots:
    void init() {
        form = new MainWindow;
        console = new ConsoleWindow(form);
        session = new RunSession(*console, form);
        console->setMessageHooks([](const QString&) {}, [](const QString&) {});
        SharedWindows shared;
        shared.console = console;
        shared.session = session;
        shared.procedureList = new ProcedureList(form);
        form->setSharedWindows(shared);
        form->show();
    }
    void cleanup() {
        for (EditorWindow* e : form->editors())
            e->memo()->document()->setModified(false);
        form->mdiArea()->closeAllSubWindows();
        delete form;
    }

    // A read brings its line into view, with room to type, even when the user scrolled
    // up and the prompt is wider than the console; a click on the console's text does
    // not take the keys from the line.
    void AReadKeepsTheKeysAndTheLineInView() {
        QRect line, view;
        int reads = 0;
        connect(console, &ConsoleWindow::readStarted, this, [&] {
            if (++reads == 1) {
                console->verticalScrollBar()->setValue(0);
                QTest::keyClicks(console->inputLine()->edit(), "a");
                QTest::keyClick(console->inputLine()->edit(), Qt::Key_Return);
                return;
            }
            line = console->inputLine()->geometry();
            view = console->canvas()->rect();
            QTest::mouseClick(console->canvas(), Qt::LeftButton, {}, QPoint(10, 5));
            QTest::keyClicks(console->canvas(), "4217");
            QTest::keyClick(console->canvas(), Qt::Key_Return);
            // Keys that went astray must not leave the read waiting for ever.
            QTimer::singleShot(0, console, [this] { console->cancelRead(); });
        });
        Run({u"char s[20]", u"int i", u"main()", u"{", u"for (i=1; i<=40; i++)",
             u"  printf(\"%d\\n\", i)", u"gets(s)", u"for (i=1; i<=40; i++)",
             u"  printf(\"%d\\n\", i)", u"printf(\"" + Text(100, u'Q') + u"\")", u"gets(s)",
             u"puts(s)", u"}"});
        QCOMPARE(reads, 2);
        QVERIFY2(
            line.left() >= 0 && line.left() + 100 <= view.right(),
            qPrintable(QString("line at %1, view %2 wide").arg(line.left()).arg(view.width())));
        QVERIFY2(
            line.top() >= 0 && line.bottom() <= view.bottom(),
            qPrintable(QString("line at %1, view %2 high").arg(line.top()).arg(view.height())));
        QVERIFY(console->canvas()->allText().endsWith(QString("4217\n4217")));
        QCOMPARE(form->runPanel()->text(), QString("Terminé"));
    }

    // Ctrl+A and Ctrl+C in the console select and copy its lines, not the program's
    // text; the arrows, the page keys, Ctrl+Home and Ctrl+End scroll it.
    void TheConsoleKeysAreTheConsoles() {
        EditorWindow* e =
            Run({u"int i", u"main()", u"{", u"for (i=1; i<=100; i++)", u"printf(\"%d\\n\", i)",
                 u"puts(\"" + Text(150, u'W') + u"\")", u"}"});
        e->memo()->selectAll();
        console->bringForward();
        QVERIFY(QTest::qWaitForWindowActive(console));
        QApplication::clipboard()->setText("avant");
        QTest::keyClick(console->canvas(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(console->canvas(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QApplication::clipboard()->text().startsWith("1\n2\n3\n"));

        QScrollBar* v = console->verticalScrollBar();
        QScrollBar* h = console->horizontalScrollBar();
        QVERIFY(v->maximum() > 2 * v->pageStep());
        QVERIFY(h->maximum() > 0);
        QCOMPARE(v->value(), v->maximum());
        QTest::keyClick(console->canvas(), Qt::Key_PageUp);
        QCOMPARE(v->value(), v->maximum() - v->pageStep());
        QTest::keyClick(console->canvas(), Qt::Key_Up);
        QCOMPARE(v->value(), v->maximum() - v->pageStep() - v->singleStep());
        QTest::keyClick(console->canvas(), Qt::Key_Right);
        QCOMPARE(h->value(), h->singleStep());
        QTest::keyClick(console->canvas(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(v->value(), 0);
        QCOMPARE(h->value(), 0);
        QTest::keyClick(console->canvas(), Qt::Key_PageDown);
        QTest::keyClick(console->canvas(), Qt::Key_Down);
        QCOMPARE(v->value(), v->pageStep() + v->singleStep());
        QTest::keyClick(console->canvas(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(v->value(), v->maximum());
        // The program's text was neither copied nor changed.
        QVERIFY(!QApplication::clipboard()->text().contains("main()"));
        QVERIFY(!e->memo()->document()->isModified());
    }

    // After a clear the next text shows at the height the run gives it; a saved screen
    // without an extension is a .txt file.
    void ClearAndSaveKeepTheirPlaces() {
        ConsoleWindow alone;
        alone.resize(579, 418);
        alone.drawText(0, 0, "avant");
        alone.drawText(0, 18, "avant aussi");
        alone.clear();
        alone.drawText(0, 36, "apres");
        alone.flush();
        QCOMPARE(alone.canvas()->shownY(36), 36LL);
        QCOMPARE(alone.canvas()->screenText(), QString("apres"));

        QTemporaryDir dir;
        QString name = dir.filePath("ecran");
        alone.setSaveNameHook([&name](QWidget*) { return name; });
        alone.saveTextAs();
        QVERIFY(QFile::exists(dir.filePath("ecran.txt")));
        QVERIFY(!QFile::exists(dir.filePath("ecran")));
        name = dir.filePath("notes.log");
        alone.saveTextAs();
        QVERIFY(QFile::exists(dir.filePath("notes.log")));
        QVERIFY(!QFile::exists(dir.filePath("notes.log.txt")));
    }

    // A clipboard without text (no format at all, or data of another kind) pastes nothing, in the
    // program's text and in the input line, and a drop of such data does nothing.
    void PastingNoTextDoesNothing() {
        ColourMemo memo;
        memo.setPlainText("abc");
        auto* none = new QMimeData;
        QApplication::clipboard()->setMimeData(none);
        memo.paste();
        QCOMPARE(memo.toPlainText(), QString("abc"));
        auto* other = new QMimeData;
        other->setData("application/octet-stream", QByteArray("\x01\x02", 2));
        QApplication::clipboard()->setMimeData(other);
        memo.paste();
        QCOMPARE(memo.toPlainText(), QString("abc"));
        QApplication::clipboard()->clear();
        memo.paste();
        QCOMPARE(memo.toPlainText(), QString("abc"));
        QMimeData dropped;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QApplication::sendEvent(memo.viewport(), &drop);
        QCOMPARE(memo.toPlainText(), QString("abc"));

        QApplication::clipboard()->setMimeData(new QMimeData);
        console->inputLine()->edit()->setText("12");
        console->inputLine()->edit()->paste();
        QCOMPARE(console->inputLine()->edit()->text(), QString("12"));
        // Text still pastes.
        QApplication::clipboard()->setText("de");
        memo.moveCursor(QTextCursor::End);
        memo.paste();
        QCOMPARE(memo.toPlainText(), QString("abcde"));
    }
};

QTEST_MAIN(ConsoleTest)
#include "console_test.moc"
