// Running, stepping, breakpoints, stopping and inspecting programs in the desktop
// application, on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "console_window.h"
#include "editor_window.h"
#include "examine_dialog.h"
#include "find_dialog.h"
#include "input_line.h"
#include "main_window.h"
#include "procedure_list.h"
#include "run_session.h"
#include "symbol_table_dialog.h"

using namespace vokc;
using namespace vokc::editor;

class RunTest : public QObject {
    Q_OBJECT
    MainWindow* form = nullptr;
    ConsoleWindow* console = nullptr;
    RunSession* session = nullptr;
    SymbolTableDialog* table = nullptr;
    ExamineDialog* variable = nullptr;
    QStringList messages, errors, answers;

    EditorWindow* Editor(const Lines& lines) {
        form->newFile();
        EditorWindow* e = form->activeEditor();
        e->setTextLines(lines);
        e->setCaretOffset(0);
        return e;
    }
    QString Line(EditorWindow* e, int i) {
        return e->memo()->document()->findBlockByNumber(i).text();
    }
    QString ConsoleText() { return console->canvas()->allText(); }

  private slots:
    void init() {
        form = new MainWindow;
        console = new ConsoleWindow(form);
        session = new RunSession(*console, form);
        table = new SymbolTableDialog(form);
        variable = new ExamineDialog(form);
        messages.clear();
        errors.clear();
        console->setMessageHooks([this](const QString& m) { messages << m; },
                                 [this](const QString& m) { errors << m; });
        console->setAnswerHook(
            [this](int, int) { return answers.isEmpty() ? QString() : answers.takeFirst(); });
        SharedWindows shared;
        shared.console = console;
        shared.session = session;
        shared.symbolTable = table;
        shared.examine = variable;
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

    // The zoom of the main window scales the console's whole drawing, line step included.
    void ZoomScalesTheConsole() {
        QCOMPARE(console->canvas()->scale(), 1.0);
        form->settings()->zoomIn();
        form->settings()->zoomIn();
        QVERIFY(console->canvas()->scale() > 1.0);
        form->settings()->zoomReset();
        QCOMPARE(console->canvas()->scale(), 1.0);
    }

    void FreeRunOfTheDefaultTextMovesNothing() {
        EditorWindow* e = Editor(DefaultProgram());
        e->setCaretOffset(kDefaultCaret);
        e->memo()->document()->setModified(false);
        e->runProgram();
        QCOMPARE(e->caretOffset(), kDefaultCaret);
        QVERIFY(!e->memo()->document()->isModified());
        QCOMPARE(e->stopLine(), -1);
        // An unsaved program is named by its window, as the questions name it.
        QVERIFY(!e->shownName().isEmpty());
        QCOMPARE(console->windowTitle(), "Vok C - " + e->shownName());
    }

    void StepModeMarksTheNextLine() {
        EditorWindow* e = Editor(DefaultProgram());
        e->memo()->document()->setModified(false);
        form->action(Command::StepMode)->trigger();
        QCOMPARE(session->stepMode(), true);
        e->runProgram();
        QCOMPARE(Line(e, 6), QString("\u2022{"));
        QCOMPARE(e->caretOffset(), long(LineStart(DefaultProgram(), 6)));
        QVERIFY(e->memo()->document()->isModified());
        // Resuming removes the marker before running the line, then marks the next one.
        e->resumeRun();
        QCOMPARE(Line(e, 6), QString("{"));
        QCOMPARE(Line(e, 7), QString("\u2022"));
        form->action(Command::StepMode)->trigger();
        QCOMPARE(session->stepMode(), false);
    }

    void ErrorsPutTheCaretOnTheirLine() {
        EditorWindow* e = Editor({u"int x", u"main()", u"{", u"x = 1", u"y = 2", u"}"});
        e->runProgram();
        QCOMPARE(messages, QStringList{"Identificateur y inconnu"});
        QCOMPARE(session->startLine(), 4);
        QCOMPARE(e->caretOffset(), long(5 + 2 + 6 + 2 + 1 + 2 + 5 + 2));
        QCOMPARE(e->stopLine(), 4);
        // A malformed literal goes to the error box and stops there too.
        EditorWindow* f = Editor({u"int x", u"main()", u"{", u"x = 10-3-2", u"}"});
        f->runProgram();
        QCOMPARE(errors, QStringList{"'3-2' n'est pas une valeur entière correcte"});
        QCOMPARE(f->stopLine(), 3);
    }

    void BreakpointsToggleAndPause() {
        Lines program = {u"int i",         u"main()",        u"{", u"for (i=1; i<=3; i++)",
                         u"  puts(\"x\")", u"puts(\"fin\")", u"}"};
        EditorWindow* e = Editor(program);
        e->setCaretOffset(long(LineStart(program, 4)));
        e->toggleBreakpoint(); // caret at the start of line 4: the marker goes before line 4
        QCOMPARE(Line(e, 4), QString("\u00BB  puts(\"x\")"));
        QCOMPARE(session->startLine(), 3);
        e->toggleBreakpoint();
        QCOMPARE(Line(e, 4), QString("  puts(\"x\")"));
        e->setCaretOffset(long(LineStart(program, 4) + 4));
        e->toggleBreakpoint(); // in the middle of line 4: line 5 is marked
        QCOMPARE(Line(e, 5), QString("\u00BBputs(\"fin\")"));
        QCOMPARE(session->startLine(), 4);
        e->runProgram();
        QCOMPARE(ConsoleText(), QString("x\nx\nx"));
        QCOMPARE(session->startLine(), 5);
        QCOMPARE(e->stopLine(), 5); // paused before the marked line
        e->resumeRun();
        QCOMPARE(ConsoleText(), QString("x\nx\nx\nfin"));
    }

    void InputAndOutputGoThroughTheConsole() {
        EditorWindow* e = Editor({u"int x", u"char s[20]", u"main()", u"{",
                                  u"printf(\"Nombre ? \")", u"scanf(\"%d\", &x)", u"x = x * 2",
                                  u"printf(\"%d\\n\", x)", u"gets(s)", u"puts(s)", u"}"});
        answers = {"21", "Zoé"};
        e->runProgram();
        QVERIFY(messages.isEmpty());
        QCOMPARE(ConsoleText(), QString("Nombre ? 21\n42\nZoé\nZoé"));
        QCOMPARE(session->examine("x"), QString("42"));
    }

    void InputLineEndsOnlyWithEnter() {
        InputLine* line = console->inputLine();
        bool ended = false;
        QTimer::singleShot(0, [&] {
            QTest::keyClicks(line->edit(), "abc");
            QTest::keyClick(line->edit(), Qt::Key_Escape); // nothing runs: nothing to stop
            QVERIFY(line->isVisible());
            QTest::keyClick(line->edit(), Qt::Key_Return);
            ended = true;
        });
        console->show();
        QVERIFY(line->read());
        QVERIFY(ended);
        QVERIFY(!line->isVisible());
        QCOMPARE(line->answer(), QString("abc"));
        line->show();
        QCOMPARE(line->answer(), QString()); // emptied when shown again
        line->hide();
    }

    void ARunawayProgramCanBeStopped() {
        EditorWindow* e =
            Editor({u"int i", u"main()", u"{", u"boucle:", u"i++", u"goto boucle", u"}"});
        QVERIFY(!form->action(Command::Stop)->isEnabled());
        bool sawRunning = false;
        QTimer::singleShot(100, [&] {
            sawRunning = form->action(Command::Stop)->isEnabled() &&
                         !form->action(Command::Run)->isEnabled();
            form->action(Command::Stop)->trigger();
        });
        e->runProgram();
        QVERIFY(sawRunning);
        QVERIFY(session->startLine() == 4 || session->startLine() == 5);
        QCOMPARE(e->stopLine(), session->startLine());
        QVERIFY(form->action(Command::Run)->isEnabled());
        QVERIFY(!e->memo()->isReadOnly());
    }

    void ClosingTheWindowStopsARunawayProgramFirst() {
        EditorWindow* e =
            Editor({u"int i", u"main()", u"{", u"boucle:", u"i++", u"goto boucle", u"}"});
        e->memo()->document()->setModified(false);
        QPointer<QWidget> sub = e->parentWidget();
        QTimer::singleShot(100, [&] { sub->close(); });
        e->runProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTRY_VERIFY(sub.isNull());
        QVERIFY(!session->isRunning());
        QVERIFY(form->action(Command::Run)->isEnabled() == !form->editors().empty());
    }

    void QuittingDuringARunStopsTheProgramThenQuits() {
        EditorWindow* e =
            Editor({u"char s[20]", u"main()", u"{", u"boucle:", u"gets(s)", u"goto boucle", u"}"});
        e->memo()->document()->setModified(false);
        int asked = 0;
        bool closedAtOnce = true;
        // Asked from inside the run, as the window manager's close button would be.
        console->setAnswerHook([&](int, int) {
            if (++asked == 3) closedAtOnce = form->close();
            return QString("x");
        });
        e->runProgram();
        QVERIFY(asked >= 3);
        QVERIFY(!closedAtOnce); // refused while the program ran
        QVERIFY(!session->isRunning());
        QCOMPARE(session->startLine() >= 3 && session->startLine() <= 5,
                 true);                  // stopped in the loop
        QTRY_VERIFY(!form->isVisible()); // then the application closed
        QVERIFY(form->editors().empty());
    }

    void BinaryAndHugeFilesOpenAndRunWithoutHarm() {
        QTemporaryDir dir;
        QByteArray binary;
        for (int k = 0; k < 64; ++k)
            for (int c = 0; c < 256; ++c)
                binary += static_cast<char>(c);
        QFile b(dir.filePath("binaire.c"));
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write(binary);
        b.close();
        // Its window opens after a warning that it is no text.
        QStringList warnings;
        form->setNewEditorHook([&](EditorWindow* w) {
            w->setMessageHook([&](QWidget*, const QString& m) { warnings << m; });
        });
        QVERIFY(form->openProgram(dir.filePath("binaire.c")));
        QCOMPARE(warnings.size(), 1);
        EditorWindow* e = form->activeEditor();
        e->runProgram(); // whatever it reports, it stops cleanly
        QVERIFY(!session->isRunning());

        QByteArray huge = "int i\r\nmain()\r\n{\r\n";
        while (huge.size() < 8 * 1024 * 1024)
            huge += "i++ // une ligne de remplissage pour grossir le fichier\r\n";
        huge += "}\r\n";
        QFile h(dir.filePath("enorme.c"));
        QVERIFY(h.open(QIODevice::WriteOnly));
        h.write(huge);
        h.close();
        QVERIFY(form->openProgram(dir.filePath("enorme.c")));
        EditorWindow* big = form->activeEditor();
        QVERIFY(big->memo()->document()->blockCount() > 100000);
        big->save();
        QFile back(dir.filePath("enorme.c"));
        QVERIFY(back.open(QIODevice::ReadOnly));
        QCOMPARE(back.readAll(), huge); // saved unchanged
        QCOMPARE(warnings.size(), 1);
        form->setNewEditorHook(nullptr);
    }

    void SymbolTableAndExamine() {
        EditorWindow* e = Editor({u"int t[10]", u"float r", u"void p()", u"{", u"}", u"main()",
                                  u"{", u"t[3] = 7", u"r = 0,5", u"}"});
        e->runProgram();
        QTimer::singleShot(0, [&] { QTest::keyClick(table->list(), Qt::Key_Escape); });
        form->run()->showSymbolTable();
        QCOMPARE(table->list()->item(0)->text(), QString("t[ , I , 1"));
        QCOMPARE(table->list()->count(), 3 + 2 + 8);
        QCOMPARE(table->list()->item(3 + 2 + 4)->text(), QString("Var Int : 1"));
        QTimer::singleShot(0, [&] {
            QTest::keyClicks(variable->referenceEdit(), "t[3]");
            QTest::keyClick(variable->referenceEdit(), Qt::Key_Return);
            QCOMPARE(variable->resultEdit()->text(), QString("7"));
            QCOMPARE(variable->referenceEdit()->selectedText(), QString("t[3]"));
            QTest::keyClicks(variable->referenceEdit(), "t");
            QTest::keyClick(variable->referenceEdit(), Qt::Key_Return);
            QCOMPARE(variable->resultEdit()->text(), QString("Variable inconnue"));
            QTest::keyClick(variable->referenceEdit(), Qt::Key_Escape);
        });
        form->run()->examineVariable();
    }

    void PrintingThroughThePrinterName() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("prn.pdf");
        session->setPrinterFactory([pdf] {
            auto p = std::make_unique<QPrinter>();
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(pdf);
            return p;
        });
        EditorWindow* e = Editor({u"file f", u"main()", u"{", u"f=fopen(PRN:,\"w\");",
                                  u"fputs(\"ligne\", PRN:);", u"fclose(PRN:);", u"}"});
        e->runProgram();
        QVERIFY(messages.isEmpty());
        QVERIFY(QFileInfo(pdf).size() > 0);
    }

    void AnInputLoopStopsFromTheMenuTheConsoleAndTheEditor();
    void NothingChangesTheTextDuringARun();
    void ANewRunClearsTheConsoleAResumeWritesBelow();
    void MarkersNeverBecomeCode();
    void EveryLineOfALongOutputCanBeReached();
    void TheInputLineSitsInsideTheConsole();
    void GetchReadsOneKeyWithoutEnter();
    void RunKeysWorkInTheConsoleAndFocusComesBack();
    void TheConsoleTextCanBeCopiedAndSaved();
    void QuittingWhileAReadWaitsStillAsksToSave();
    void TheCanvasKeepsTheLatestTextsAndMeasuresThemOnce();
    void FilesCloseWhenAnotherEditorBecomesActive();
    void ThePanelSaysWhatTheNextResumeDoes();
    void ABreakpointSetDuringAPauseKeepsTheResumeLine();
    void AProgramRunsInItsOwnFolder();
    void TypingDuringAPauseMovesTheRunWithTheText();

    void ActivatingAWindowTurnsStepModeOff() {
        EditorWindow* a = Editor(DefaultProgram());
        Editor(DefaultProgram());
        form->action(Command::StepMode)->trigger();
        QCOMPARE(session->stepMode(), true);
        form->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(a->parentWidget()));
        QCOMPARE(session->stepMode(), false);
        QVERIFY(form->action(Command::StepMode)->isChecked()); // the check mark stays
        form->action(Command::StepMode)->trigger();
    }
};

namespace {
const Lines kInputLoop = {u"char s[20]",    u"main()", u"{",
                          u"while (1 < 2)", u"{",      u"printf(\"Nom ? \")",
                          u"gets(s)",       u"}",      u"}"};
} // namespace

void RunTest::AnInputLoopStopsFromTheMenuTheConsoleAndTheEditor() {
    console->setAnswerHook({}); // the real input line
    EditorWindow* e = Editor(kInputLoop);
    int reads = 0;
    QString panelWhileReading;
    connect(console, &ConsoleWindow::readStarted, this, [&] {
        ++reads;
        panelWhileReading = form->runPanel()->text();
        QVERIFY(console->inputLine()->isVisible());
        if (reads == 1) {
            QTest::keyClicks(console->inputLine()->edit(), "Ana");
            QTest::keyClick(console->inputLine()->edit(), Qt::Key_Return);
        } else if (reads == 2) {
            QVERIFY(form->action(Command::Stop)->isEnabled());
            form->action(Command::Stop)->trigger(); // the menu works while the line waits
        } else if (reads == 3) {
            QTest::keyClick(console->inputLine()->edit(), Qt::Key_Escape);
        } else if (reads == 4) {
            console->close();
        } else if (reads == 5) {
            e->parentWidget()->close(); // the editor's close button
        }
    });
    e->runProgram();
    QCOMPARE(reads, 2);
    QCOMPARE(panelWhileReading, QString("Saisie ligne 7")); // not frozen: waiting
    QVERIFY(!session->isRunning());
    QVERIFY(!console->inputLine()->isVisible());
    QCOMPARE(session->startLine(), 6); // the reading line, highlighted
    QCOMPARE(e->stopLine(), 6);
    QCOMPARE(form->runPanel()->text(), QString("Arrêté par l'utilisateur ligne 7"));
    QCOMPARE(session->examine("s"), QString("Ana"));
    QVERIFY(!e->memo()->isReadOnly());
    e->resumeRun(); // Escape in the input line
    QCOMPARE(reads, 3);
    QCOMPARE(session->startLine(), 6);
    e->resumeRun(); // closing the console
    QCOMPARE(reads, 4);
    QVERIFY(!session->isRunning());
    e->memo()->document()->setModified(false);
    QPointer<QWidget> sub = e->parentWidget();
    e->resumeRun(); // closing the editor: the run stops, then the window goes
    QCOMPARE(reads, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY(sub.isNull());
    QVERIFY(!session->isRunning());
}

void RunTest::NothingChangesTheTextDuringARun() {
    EditorWindow* e = Editor(kInputLoop);
    e->showReplaceDialog();
    QStringList enabledDuringRun;
    bool dialogEnabled = true, readOnly = false;
    const std::vector<Command> editing = {Command::Cut,       Command::Paste,    Command::Replace,
                                          Command::Import,    Command::Keyword,  Command::ForLoop,
                                          Command::WhileLoop, Command::DoLoop,   Command::If,
                                          Command::FileRead,  Command::FileWrite};
    int asked = 0;
    console->setAnswerHook([&](int, int) {
        if (++asked == 1) {
            for (Command role : editing)
                if (form->action(role)->isEnabled()) enabledDuringRun << form->action(role)->text();
            dialogEnabled = e->replaceDialog()->isEnabled();
            readOnly = e->memo()->isReadOnly();
            form->paste(); // even called directly, the command leaves the text alone
            form->run()->stopProgram();
        }
        return QString("x");
    });
    QApplication::clipboard()->setText("zzz");
    const QString before = e->memo()->toPlainText();
    e->runProgram();
    QCOMPARE(enabledDuringRun, QStringList());
    QVERIFY(!dialogEnabled);
    QVERIFY(readOnly);
    QCOMPARE(e->memo()->toPlainText(), before);
    for (Command role : editing)
        QVERIFY2(form->action(role)->isEnabled(), qPrintable(form->action(role)->text()));
    QVERIFY(e->replaceDialog()->isEnabled());
    e->replaceDialog()->hide();
}

void RunTest::ANewRunClearsTheConsoleAResumeWritesBelow() {
    EditorWindow* e = Editor({u"int x", u"main()", u"{", u"printf(\"Nombre ? \")",
                              u"scanf(\"%d\", &x)", u"printf(\"%d\\n\", x)", u"}"});
    answers = {"5", "6"};
    e->runProgram();
    QCOMPARE(ConsoleText(), QString("Nombre ? 5\n5"));
    e->runProgram();
    QCOMPARE(ConsoleText(), QString("Nombre ? 6\n6")); // nothing of the first run
    QCOMPARE(form->runPanel()->text(), QString("Terminé"));
    // Step by step, each resume writes below the output of the previous steps.
    answers = {"7"};
    e->setStepMode(true);
    e->runProgram();
    QCOMPARE(form->runPanel()->text(), QString("Pause ligne 3 (pas à pas)"));
    for (int k = 0; k < 10 && session->state() == RunSession::State::Paused; ++k)
        e->resumeRun();
    e->setStepMode(false);
    QCOMPARE(ConsoleText(), QString("Nombre ? 7\n7"));
    const QString last = console->canvas()->rowTextAt(console->canvas()->height() - 30);
    QVERIFY2(last == "7" || last == "Nombre ? 7", qPrintable(last));
}

void RunTest::MarkersNeverBecomeCode() {
    Lines program = {u"int x", u"main()", u"{", u"x = 1", u"x = x + 1", u"printf(\"%d\", x)", u"}"};
    EditorWindow* e = Editor(program);
    e->setCaretOffset(long(LineStart(program, 1)));
    e->toggleBreakpoint(); // on the main() line
    QCOMPARE(Line(e, 1), QString("\u00BBmain()"));
    QTextCursor(e->memo()->document()->findBlockByNumber(0)).insertText("\u00BB");
    QCOMPARE(Line(e, 0), QString("\u00BBint x")); // and on the declaration
    e->runProgram();
    QCOMPARE(messages, QStringList());
    QCOMPARE(ConsoleText(), QString("2"));
    // A step marker that editing during a pause moved inside a line.
    EditorWindow* f = Editor(program);
    f->setStepMode(true);
    f->runProgram();
    f->resumeRun();
    QCOMPARE(Line(f, 3), QString("\u2022x = 1"));
    QTextCursor c(f->memo()->document()->findBlockByNumber(3));
    c.insertText("  "); // typed before the marker
    f->setStepMode(false);
    f->resumeRun();
    QCOMPARE(messages, QStringList());
    QCOMPARE(Line(f, 3), QString("  x = 1"));
    QCOMPARE(ConsoleText(), QString("2"));
}

void RunTest::EveryLineOfALongOutputCanBeReached() {
    EditorWindow* e = Editor(
        {u"int i", u"main()", u"{", u"for (i=1; i<=100000; i++)", u"  printf(\"%d\\n\", i)", u"}"});
    e->runProgram();
    QCOMPARE(messages, QStringList());
    console->flush();
    ConsoleCanvas* canvas = console->canvas();
    QCOMPARE(canvas->textCount(), std::size_t(100000));
    QScrollBar* bar = console->verticalScrollBar();
    QVERIFY(bar->maximum() > 100000 * 10);
    QCOMPARE(bar->value(), bar->maximum()); // the console followed the output
    QCOMPARE(canvas->rowTextAt(canvas->height() - canvas->rowHeight() - 4), QString("100000"));
    bar->setValue(0);
    QCOMPARE(canvas->rowTextAt(1), QString("1"));
    bar->setValue(bar->maximum() / 2);
    const int middle = canvas->rowTextAt(1).toInt();
    QVERIFY(middle > 40000 && middle < 60000);
    // Scrolled up, new output does not pull the view back down.
    console->drawText(0, 18 * 100001, "encore");
    console->flush();
    QVERIFY(bar->value() < bar->maximum());
}

void RunTest::TheInputLineSitsInsideTheConsole() {
    console->setAnswerHook({});
    EditorWindow* e =
        Editor({u"int i", u"int x", u"main()", u"{", u"for (i=1; i<=40; i++)",
                u"  printf(\"%d\\n\", i)", u"printf(\"Nombre ? \")", u"scanf(\"%d\", &x)", u"}"});
    QRect line, inside;
    int fontPixels = 0;
    bool visible = false;
    connect(console, &ConsoleWindow::readStarted, this, [&] {
        InputLine* input = console->inputLine();
        visible = input->isVisible();
        line = QRect(input->mapTo(console, QPoint(0, 0)), input->size());
        inside = console->canvas()->geometry();
        fontPixels = input->edit()->font().pixelSize();
        QTest::keyClicks(input->edit(), "12");
        QTest::keyClick(input->edit(), Qt::Key_Return);
    });
    e->runProgram();
    QVERIFY(visible);
    QVERIFY2(inside.contains(line), qPrintable(QString("%1,%2 %3x%4")
                                                   .arg(line.x())
                                                   .arg(line.y())
                                                   .arg(line.width())
                                                   .arg(line.height())));
    QCOMPARE(fontPixels, ConsoleFont().pixelSize());
    QCOMPARE(session->examine("x"), QString("12"));
    // After the "Nombre ? " prompt, on the last row.
    QVERIFY(line.left() >= console->textWidth("Nombre ? "));
}

void RunTest::GetchReadsOneKeyWithoutEnter() {
    console->setAnswerHook({});
    EditorWindow* e =
        Editor({u"char c", u"main()", u"{", u"c = getch()", u"printf(\"%c\", c)", u"}"});
    bool lineShown = true;
    connect(console, &ConsoleWindow::readStarted, this, [&] {
        lineShown = console->inputLine()->isVisible();
        QTest::keyClick(console->canvas(), Qt::Key_K, Qt::NoModifier);
    });
    e->runProgram();
    QVERIFY(!lineShown);
    QVERIFY(!console->waitingForKey());
    QCOMPARE(ConsoleText(), QString("k")); // printed once: the key was not echoed
    QCOMPARE(form->runPanel()->text(), QString("Terminé"));
}

void RunTest::RunKeysWorkInTheConsoleAndFocusComesBack() {
    EditorWindow* e = Editor({u"int x", u"main()", u"{", u"x = 1", u"}"});
    for (Command role :
         {Command::Run, Command::Resume, Command::Breakpoint, Command::Stop, Command::StepMode}) {
        QAction* a = nullptr;
        for (QAction* candidate : console->actions())
            if (candidate == form->action(role)) a = candidate;
        QVERIFY2(a && a->shortcutContext() == Qt::WindowShortcut,
                 qPrintable(form->action(role)->objectName()));
    }
    console->bringForward();
    QVERIFY(QTest::qWaitForWindowActive(console));
    QTest::keyClick(console->canvas(), Qt::Key_F9);
    QCOMPARE(form->runPanel()->text(), QString("Terminé"));
    QTRY_VERIFY(QApplication::activeWindow() == form);
    QVERIFY(e->memo()->hasFocus());
    // Voir › Ecran brings the console forward again.
    form->action(Command::Console)->trigger();
    QTRY_VERIFY(QApplication::activeWindow() == console);
    QVERIFY(console->isVisible());
}

void RunTest::TheConsoleTextCanBeCopiedAndSaved() {
    EditorWindow* e = Editor(
        {u"main()", u"{", u"puts(\"Bonjour Zoé\")", u"printf(\"\\n\")", u"puts(\"fin\")", u"}"});
    e->runProgram();
    console->canvas()->selectAll();
    console->canvas()->copySelection();
    QCOMPARE(QApplication::clipboard()->text(), QString("Bonjour Zoé\n\nfin"));
    QTemporaryDir dir;
    const QString path = dir.filePath("sortie.txt");
    console->setSaveNameHook([path](QWidget*) { return path; });
    form->action(Command::SaveConsole)->trigger();
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), QString("Bonjour Zoé\r\n\r\nfin\r\n"));
    // A file that cannot be written says so.
    QVERIFY(!console->saveText(dir.filePath("absent/sortie.txt")));
    QCOMPARE(messages.size(), 1);
}

void RunTest::QuittingWhileAReadWaitsStillAsksToSave() {
    console->setAnswerHook({});
    EditorWindow* e = Editor(kInputLoop);
    e->memo()->document()->setModified(true);
    int asked = 0;
    e->setSaveChangesHook([&](QWidget*, const QString&) {
        ++asked;
        return int(QMessageBox::No);
    });
    bool closedAtOnce = true;
    connect(console, &ConsoleWindow::readStarted, this, [&] { closedAtOnce = form->close(); });
    e->runProgram();
    QVERIFY(!closedAtOnce);
    QVERIFY(!session->isRunning());
    QTRY_VERIFY(!form->isVisible());
    QCOMPARE(asked, 1);
}

void RunTest::TheCanvasKeepsTheLatestTextsAndMeasuresThemOnce() {
    ConsoleCanvas* canvas = console->canvas();
    const int total = int(ConsoleCanvas::kMaxTexts) + 10;
    for (int k = 1; k <= total; ++k)
        console->drawText(0, 18 * k, QString::number(k));
    console->flush();
    QCOMPARE(canvas->textCount(), ConsoleCanvas::kMaxTexts);
    QScrollBar* bar = console->verticalScrollBar();
    bar->setValue(0);
    QCOMPARE(canvas->rowTextAt(1), QString("11")); // the oldest text kept is the top
    bar->setValue(bar->maximum());
    QCOMPARE(canvas->rowTextAt(canvas->height() - canvas->rowHeight() - 4), QString::number(total));
    // Widths summed per character are the font's own widths of the whole text.
    const QFontMetrics metrics(canvas->font());
    for (const QString& text : {QString("Nombre ? "), QString("Zo\u00E9 a \u20AC 1,5 WAVAT"),
                                QString("fi fl ffi Ta Te Yo"), QString()})
        QVERIFY2(qAbs(console->textWidth(text) - metrics.horizontalAdvance(text)) <= 1,
                 qPrintable(text));
    // A cleared console has nothing selected; the next text shows at the height the run
    // gives it, below empty rows.
    canvas->selectAll();
    console->clear();
    QVERIFY(!canvas->hasSelection());
    console->drawText(0, 18 * 5, "seul");
    console->flush();
    QCOMPARE(canvas->shownY(18 * 5), 18LL * 5);
    bar->setValue(0);
    QCOMPARE(canvas->rowTextAt(18 * 5 + 1), QString("seul"));
}

void RunTest::FilesCloseWhenAnotherEditorBecomesActive() {
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath("sortie.txt"));
    EditorWindow* e = Editor({u"file g", u"main()", u"{",
                              (u"g=fopen(\"" + path.toStdU16String() + u"\",\"w+t\")").c_str(),
                              u"fputs(\"fin\", g)", u"x = 1", u"}"});
    e->setStepMode(true);
    e->runProgram();
    for (int k = 0; k < 3; ++k)
        e->resumeRun(); // paused after fputs: the text waits in the file's buffer
    QCOMPARE(session->startLine(), 5);
    QCOMPARE(QFileInfo(path).size(), qint64(0));
    Editor(DefaultProgram()); // another program's window becomes the active one
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().startsWith("fin"));
}

// The run panel's "(pas à pas)" follows the step mode, also when it changes during a
// pause.
void RunTest::ThePanelSaysWhatTheNextResumeDoes() {
    EditorWindow* e = Editor({u"int x", u"main()", u"{", u"x = 1", u"x = 2", u"}"});
    form->action(Command::StepMode)->trigger();
    e->runProgram();
    QCOMPARE(form->runPanel()->text(), QString("Pause ligne 3 (pas à pas)"));
    form->action(Command::StepMode)->trigger(); // off: F7 now runs to the end
    QCOMPARE(form->runPanel()->text(), QString("Pause ligne 3"));
    form->action(Command::StepMode)->trigger();
    QCOMPARE(form->runPanel()->text(), QString("Pause ligne 3 (pas à pas)"));
    form->action(Command::StepMode)->trigger();
    e->resumeRun();
    QCOMPARE(form->runPanel()->text(), QString("Terminé"));
}

// During a pause F5 only marks a line: the run goes on from the line the pause shows.
// Without a paused run, F5 still moves the line a resume starts from.
void RunTest::ABreakpointSetDuringAPauseKeepsTheResumeLine() {
    Lines program = {
        u"int x", u"main()", u"{", u"x = 1", u"x = x + 10", u"x = x + 100", u"printf(\"%d\", x)",
        u"}"};
    EditorWindow* e = Editor(program);
    e->setStepMode(true);
    e->runProgram();
    e->resumeRun();
    QCOMPARE(session->startLine(), 3);
    e->memo()->setTextCursor(QTextCursor(e->memo()->document()->findBlockByNumber(6)));
    e->toggleBreakpoint();
    QCOMPARE(Line(e, 6), QString("\u00BBprintf(\"%d\", x)"));
    QCOMPARE(session->startLine(), 3);
    QCOMPARE(e->stopLine(), 3);
    e->setStepMode(false);
    e->resumeRun(); // every line runs, up to the breakpoint
    QCOMPARE(session->startLine(), 6);
    QCOMPARE(session->examine("x"), QString("111"));
    e->resumeRun();
    QCOMPARE(ConsoleText(), QString("111"));
    QCOMPARE(session->state(), RunSession::State::Finished);
    e->memo()->setTextCursor(QTextCursor(e->memo()->document()->findBlockByNumber(4)));
    e->toggleBreakpoint();
    QCOMPARE(session->startLine(), 3);
}

// A saved program reads the files beside it; a window never saved runs in the home
// folder. The test's own folders stand in for both.
void RunTest::AProgramRunsInItsOwnFolder() {
    const QString previousDir = QDir::currentPath();
    const QByteArray previousHome = qgetenv("HOME");
    QTemporaryDir project, home;
    qputenv("HOME", home.path().toLocal8Bit());
    auto write = [](const QString& path, const QByteArray& text) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write(project.filePath("notes.txt"), "du dossier du programme\r\n");
    write(home.filePath("notes.txt"), "du dossier personnel\r\n");
    const QByteArray program = "file f\r\nchar s[40]\r\nmain()\r\n{\r\n"
                               "f=fopen(\"notes.txt\",\"r\")\r\nfgets(f, s)\r\nfclose(f)\r\n"
                               "puts(s)\r\n}\r\n";
    write(project.filePath("lire.c"), program);
    QVERIFY(form->openProgram(project.filePath("lire.c")));
    form->activeEditor()->runProgram();
    const QString fromProject = ConsoleText();
    EditorWindow* unsaved =
        Editor({u"file f", u"char s[40]", u"main()", u"{", u"f=fopen(\"notes.txt\",\"r\")",
                u"fgets(f, s)", u"fclose(f)", u"puts(s)", u"}"});
    unsaved->runProgram();
    const QString fromHome = ConsoleText();
    QDir::setCurrent(previousDir);
    qputenv("HOME", previousHome);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("|")));
    QCOMPARE(fromProject, QString("du dossier du programme"));
    QCOMPARE(fromHome, QString("du dossier personnel"));
}

// A student pauses before printf, types a comment line at the top, and goes on: the run,
// its marker, its highlight and the panel all follow the text; an undo takes them back.
void RunTest::TypingDuringAPauseMovesTheRunWithTheText() {
    EditorWindow* e =
        Editor({u"int i", u"main()", u"{", u"i = 0", u"i++", u"printf(\"%d\", i)", u"}"});
    form->action(Command::StepMode)->trigger();
    e->runProgram();
    for (int k = 0; k < 3; ++k)
        e->resumeRun();
    const QString marked = QString(QChar(kStepMarkerUtf16)) + "printf(\"%d\", i)";
    QCOMPARE(Line(e, 5), marked);
    e->setCaretOffset(0);
    QTest::keyClicks(e->memo(), "// essai");
    QTest::keyClick(e->memo(), Qt::Key_Return);
    QCOMPARE(Line(e, 0), QString("// essai"));
    QCOMPARE(Line(e, 6), marked);
    QCOMPARE(e->stopLine(), 6);
    QCOMPARE(session->startLine(), 6);
    QCOMPARE(form->runPanel()->text(), QString("Pause ligne 7 (pas \u00E0 pas)"));
    // Undo brings the old text back: the run and the marker go back up with it.
    for (int k = 0; k < 4 && Line(e, 0) != "int i"; ++k)
        e->undo();
    QCOMPARE(Line(e, 0), QString("int i"));
    QTRY_COMPARE(Line(e, 5), marked);
    QCOMPARE(session->startLine(), 5);
    QCOMPARE(e->stopLine(), 5);
    while (e->canRedo())
        e->redo();
    QTRY_COMPARE(Line(e, 6), marked);
    QCOMPARE(session->startLine(), 6);
    form->action(Command::StepMode)->trigger();
    e->resumeRun();
    QCOMPARE(ConsoleText(), QString("1"));
    QVERIFY(messages.isEmpty());
}

QTEST_MAIN(RunTest)
#include "run_commands_test.moc"
