// Running, stepping, breakpoints, stopping and inspecting programs in the desktop
// application, on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "console_window.h"
#include "editor_window.h"
#include "examine_dialog.h"
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

    void FreeRunOfTheDefaultTextMovesNothing() {
        EditorWindow* e = Editor(DefaultProgram());
        e->setCaretOffset(kDefaultCaret);
        e->memo()->document()->setModified(false);
        e->runProgram();
        QCOMPARE(e->caretOffset(), kDefaultCaret);
        QVERIFY(!e->memo()->document()->isModified());
        QCOMPARE(e->stopLine(), -1);
        QCOMPARE(console->windowTitle(), QString("Vok C - "));
    }

    void StepModeMarksTheNextLine() {
        EditorWindow* e = Editor(DefaultProgram());
        e->memo()->document()->setModified(false);
        form->action("&Mode pas à pas")->trigger();
        QCOMPARE(session->stepMode(), true);
        e->runProgram();
        QCOMPARE(Line(e, 6), QString("\u2022{"));
        QCOMPARE(e->caretOffset(), long(LineStart(DefaultProgram(), 6)));
        QVERIFY(e->memo()->document()->isModified());
        // Resuming removes the marker before running the line, then marks the next one.
        e->resumeRun();
        QCOMPARE(Line(e, 6), QString("{"));
        QCOMPARE(Line(e, 7), QString("\u2022"));
        form->action("&Mode pas à pas")->trigger();
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
        console->inputLine()->show();
        QTest::keyClicks(console->inputLine()->edit(), "abc");
        QTest::keyClick(console->inputLine()->edit(), Qt::Key_Escape);
        QVERIFY(console->inputLine()->isVisible());
        QTest::keyClick(console->inputLine()->edit(), Qt::Key_Return);
        QVERIFY(!console->inputLine()->isVisible());
        QCOMPARE(console->inputLine()->answer(), QString("abc"));
        console->inputLine()->show();
        QCOMPARE(console->inputLine()->answer(), QString()); // emptied when shown again
        console->inputLine()->hide();
    }

    void ARunawayProgramCanBeStopped() {
        EditorWindow* e =
            Editor({u"int i", u"main()", u"{", u"boucle:", u"i++", u"goto boucle", u"}"});
        QVERIFY(!form->action("&Arrêter")->isEnabled());
        bool sawRunning = false;
        QTimer::singleShot(100, [&] {
            sawRunning =
                form->action("&Arrêter")->isEnabled() && !form->action("&Exécuter")->isEnabled();
            form->action("&Arrêter")->trigger();
        });
        e->runProgram();
        QVERIFY(sawRunning);
        QVERIFY(session->startLine() == 4 || session->startLine() == 5);
        QCOMPARE(e->stopLine(), session->startLine());
        QVERIFY(form->action("&Exécuter")->isEnabled());
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
        QVERIFY(form->action("&Exécuter")->isEnabled() == !form->editors().empty());
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
        QVERIFY(form->openProgram(dir.filePath("binaire.c")));
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
    }

    void SymbolTableAndExamine() {
        EditorWindow* e = Editor({u"int t[10]", u"float r", u"void p()", u"{", u"}", u"main()",
                                  u"{", u"t[3] = 7", u"r = 0,5", u"}"});
        e->runProgram();
        QTimer::singleShot(0, [&] { QTest::keyClick(table->list(), Qt::Key_Escape); });
        form->showSymbolTable();
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
        form->examineVariable();
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

    void ActivatingAWindowTurnsStepModeOff() {
        EditorWindow* a = Editor(DefaultProgram());
        Editor(DefaultProgram());
        form->action("&Mode pas à pas")->trigger();
        QCOMPARE(session->stepMode(), true);
        form->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(a->parentWidget()));
        QCOMPARE(session->stepMode(), false);
        QVERIFY(form->action("&Mode pas à pas")->isChecked()); // the check mark stays
        form->action("&Mode pas à pas")->trigger();
    }
};

QTEST_MAIN(RunTest)
#include "run_commands_test.moc"
