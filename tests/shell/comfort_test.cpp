// The classroom comfort of the main window and its editors: line numbers, the caret's
// position, zoom, recent files, undo and redo, the usual keys, and recolouring as the
// text scrolls. Settings live in Qt's test folders.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QWheelEvent>

#include "editor_window.h"
#include "find_dialog.h"
#include "help_viewer.h"
#include "main_window.h"

using namespace vokc;
using namespace vokc::editor;

namespace {
QMenu* Menu(MainWindow* form, const QString& caption) {
    for (QAction* a : form->menuBar()->actions())
        if (a->text() == caption) return a->menu();
    return nullptr;
}

// Whether a line shows at least one coloured run.
bool Coloured(ColourMemo* memo, int line) {
    const QTextBlock b = memo->document()->findBlockByNumber(line);
    return b.isValid() && !b.layout()->formats().isEmpty();
}
} // namespace

class ComfortTest : public QObject {
    Q_OBJECT
    MainWindow* form = nullptr;

    EditorWindow* NewEditor() {
        form->newFile();
        return form->activeEditor();
    }
    void Restart() {
        for (EditorWindow* e : form->editors())
            e->memo()->document()->setModified(false);
        delete form;
        form = new MainWindow;
        form->settings()->startSession();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
    }
    void init() {
        QSettings().clear();
        form = new MainWindow;
        form->settings()->startSession();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }
    void cleanup() {
        for (EditorWindow* e : form->editors())
            e->memo()->document()->setModified(false);
        delete form;
        form = nullptr;
        QSettings().clear();
    }

    void LineNumbersAreShownByDefaultAndCanBeHidden() {
        EditorWindow* e = NewEditor();
        ColourMemo* memo = e->memo();
        QVERIFY(memo->lineNumbersShown());
        const int digit = memo->fontMetrics().horizontalAdvance('9');
        QCOMPARE(memo->lineNumberWidth(), 8 + 2 * digit);
        QCOMPARE(memo->viewport()->x(), memo->lineNumberWidth() + memo->frameWidth());
        // A hundred lines need a third digit.
        e->setTextLines(Lines(120, u"x"));
        QCOMPARE(memo->lineNumberWidth(), 8 + 3 * digit);
        // Voir > Numéros de ligne hides them in every window, now and after a restart.
        form->action(Command::LineNumbers)->trigger();
        QVERIFY(!memo->lineNumbersShown());
        QCOMPARE(memo->lineNumberWidth(), 0);
        QCOMPARE(memo->viewport()->x(), memo->frameWidth());
        Restart();
        QVERIFY(!NewEditor()->memo()->lineNumbersShown());
        QVERIFY(!form->action(Command::LineNumbers)->isChecked());
    }

    void StatusBarShowsTheCaretLineAndColumn() {
        QCOMPARE(form->positionPanel()->text(), QString());
        EditorWindow* e = NewEditor();
        e->setTextLines({u"main()", u"{", u"  x = 1", u"}"});
        e->setCaretOffset(6 + 2 + 1 + 2 + 4);
        QCOMPARE(form->positionPanel()->text(), QString("Ligne 3, colonne 5"));
        QTest::keyClick(e->memo(), Qt::Key_Down);
        QCOMPARE(form->positionPanel()->text(), QString("Ligne 4, colonne 2"));
        EditorWindow* other = NewEditor();
        other->setCaretOffset(0);
        QCOMPARE(form->positionPanel()->text(), QString("Ligne 1, colonne 1"));
    }

    void ZoomStepsAreSharedAndRemembered() {
        EditorWindow* e = NewEditor();
        QCOMPARE(e->memo()->font().pixelSize(), 17);
        QTest::keyClick(e->memo(), Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(e->memo(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(form->settings()->zoomStep(), 2);
        QCOMPARE(e->memo()->font().pixelSize(), 21);
        QCOMPARE(NewEditor()->memo()->font().pixelSize(), 21); // new windows too
        form->action(Command::ZoomOut)->trigger();
        QCOMPARE(e->memo()->font().pixelSize(), 19);
        // The help follows: its text grows with the steps.
        auto* help = form->findChild<HelpViewer*>();
        QVERIFY(help);
        help->showContents();
        QCOMPARE(help->zoom(), 1);
        Restart();
        QCOMPARE(form->settings()->zoomStep(), 1);
        QCOMPARE(NewEditor()->memo()->font().pixelSize(), 19);
        form->action(Command::ZoomReset)->trigger();
        QCOMPARE(form->activeEditor()->memo()->font().pixelSize(), 17);
        // Far beyond the last step, the size stays at the largest.
        for (int i = 0; i < 40; ++i)
            form->settings()->zoomIn();
        const int largest = form->activeEditor()->memo()->font().pixelSize();
        form->settings()->zoomIn();
        QCOMPARE(form->activeEditor()->memo()->font().pixelSize(), largest);
    }

    void HelpTextScalesWithTheZoom() {
        auto* help = form->findChild<HelpViewer*>();
        help->showContents();
        // The size of the title's text.
        auto sizeOfFirstText = [&] {
            const QTextBlock b = help->browser()->document()->begin();
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().text().contains("Vok C"))
                    return it.fragment().charFormat().fontPointSize();
            return 0.0;
        };
        const qreal normal = sizeOfFirstText();
        QVERIFY(normal > 0);
        help->setZoom(3);
        QCOMPARE(qRound(sizeOfFirstText() * 100), qRound(normal * 1.331 * 100));
        help->setZoom(0);
        QCOMPARE(sizeOfFirstText(), normal);
        help->close();
    }

    void RecentFilesInTheFileMenu() {
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < 10; ++i) {
            paths << dir.filePath(QString("p%1.c").arg(i));
            QFile f(paths.last());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("main()\r\n{\r\n}\r\n");
        }
        for (const QString& p : paths)
            QVERIFY(form->openProgram(p));
        QVERIFY(form->openProgram(paths[3])); // again: back to the front
        QCOMPARE(form->settings()->recentFiles().size(), 8);
        QCOMPARE(form->settings()->recentFiles().first(), paths[3]);
        QCOMPARE(form->settings()->recentFiles()[1], paths[9]);
        Restart();
        QCOMPARE(form->settings()->recentFiles().first(), paths[3]);
        QMenu* file = Menu(form, "&Fichier");
        emit file->aboutToShow();
        emit file->aboutToShow(); // shown twice: the list is not doubled
        QStringList items;
        for (QAction* a : file->actions())
            if (a->text().startsWith('&') && a->text().at(1).isDigit()) items << a->text();
        QCOMPARE(items.size(), 8);
        QCOMPARE(items.first(), QString("&1 p3.c"));
        // Choosing an item opens it.
        for (QAction* a : file->actions())
            if (a->text() == "&2 p9.c") a->trigger();
        QCOMPARE(form->activeEditor()->fileName(), paths[9]);
        // The windows open at the quit come back only when the option is on.
        QVERIFY(!form->action(Command::ReopenOption)->isChecked());
        QVERIFY(form->close());
        Restart();
        form->settings()->reopenLastFiles();
        QVERIFY(form->editors().empty());
        form->action(Command::ReopenOption)->trigger();
        QVERIFY(form->openProgram(paths[0]));
        QVERIFY(form->close());
        Restart();
        form->settings()->reopenLastFiles();
        QCOMPARE(form->editors().size(), size_t(1));
        QCOMPARE(form->editors().front()->fileName(), paths[0]);
    }

    void UndoAndRedoLeaveTheMarkersAlone() {
        EditorWindow* e = NewEditor();
        e->setTextLines({u"main()", u"{", u"}"});
        QVERIFY(!e->canUndo());
        e->setCaretOffset(6 + 2 + 1);
        QTest::keyClicks(e->memo(), "ab");
        QCOMPARE(e->textLines()[1], std::u16string(u"{ab"));
        // A run stops: its step marker goes in, out of the history.
        e->insertStepMarker(2);
        QCOMPARE(e->textLines()[2], std::u16string(u"\u2022}"));
        QTest::keyClick(e->memo(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e->textLines(), (Lines{u"main()", u"{", u"}"})); // the whole word, no marker
        QVERIFY(!e->canUndo());
        form->action(Command::Redo)->trigger();
        QCOMPARE(e->textLines(), (Lines{u"main()", u"{ab", u"}"}));
        // The next run removes the marker; undo does not bring it back.
        e->setCaretOffset(0);
        QTest::keyClicks(e->memo(), "x");
        e->insertStepMarker(1);
        e->removeStepMarkers();
        form->action(Command::Undo)->trigger();
        QCOMPARE(e->textLines(), (Lines{u"main()", u"{ab", u"}"}));
        // Nothing changes while a program runs.
        e->beginRun();
        form->action(Command::Undo)->trigger();
        QCOMPARE(e->textLines(), (Lines{u"main()", u"{ab", u"}"}));
        e->endRun();
        QTest::keyClick(e->memo(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e->textLines(), (Lines{u"xmain()", u"{ab", u"}"}));
    }

    void RemovingNoMarkerLeavesTheTextUnmodified() {
        EditorWindow* e = NewEditor();
        e->memo()->document()->setModified(false);
        e->removeStepMarkers();
        QVERIFY(!e->memo()->document()->isModified());
    }

    void UsualKeysReachTheirCommands() {
        QCOMPARE(form->action(Command::New)->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(form->action(Command::Open)->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(form->action(Command::Find)->shortcut(), QKeySequence("Ctrl+F"));
        QCOMPARE(form->action(Command::Undo)->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(form->action(Command::Redo)->shortcut(), QKeySequence("Ctrl+Y"));
        // The keys of the command table stay as they were.
        QCOMPARE(form->action(Command::Save)->shortcut(), QKeySequence("Ctrl+S"));
        QCOMPARE(form->action(Command::FindNext)->shortcut(), QKeySequence("F3"));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(form->editors().size(), size_t(1));
        EditorWindow* e = form->activeEditor();
        QTest::keyClick(e->memo(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(e->findDialog()->isVisible());
        e->findDialog()->hide();
    }

    void ScrolledLinesAreColoured() {
        EditorWindow* e = NewEditor();
        Lines lines;
        for (int i = 0; i < 40; ++i)
            lines.push_back(u"for (i=1; i<=3; i++)");
        e->setTextLines(lines);
        e->setCaretOffset(0);
        QCoreApplication::processEvents();
        ColourMemo* memo = e->memo();
        QVERIFY(Coloured(memo, 0));
        QVERIFY(!Coloured(memo, 30));
        // The scroll bar.
        memo->verticalScrollBar()->setValue(20);
        QCoreApplication::processEvents();
        const int first = memo->firstVisibleLine();
        QVERIFY(first >= 19);
        const auto region = memo->colouredRegion();
        QCOMPARE(region.firstLine, first);
        QVERIFY(region.lineCount > 3);
        for (int l = first; l < first + region.lineCount; ++l)
            QVERIFY2(Coloured(memo, l), qPrintable(QString::number(l)));
        // The wheel.
        memo->verticalScrollBar()->setValue(0);
        QWheelEvent wheel(QPointF(20, 20), memo->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(),
                          QPoint(0, -120 * 4), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(memo->viewport(), &wheel);
        QCoreApplication::processEvents();
        QVERIFY(memo->firstVisibleLine() > 0);
        const auto after = memo->colouredRegion();
        QVERIFY(after.firstLine >= memo->firstVisibleLine());
        QVERIFY(Coloured(memo, after.firstLine + after.lineCount - 1));
        // A taller window shows more lines: they are coloured too.
        QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(e->parentWidget());
        const int shown = after.lineCount;
        sub->resize(sub->width(), sub->height() + 200);
        QCoreApplication::processEvents();
        QVERIFY(memo->colouredRegion().lineCount > shown);
        const auto tall = memo->colouredRegion();
        QVERIFY(Coloured(memo, tall.firstLine + tall.lineCount - 1));
    }
};

QTEST_MAIN(ComfortTest)
#include "comfort_test.moc"
