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
#include "procedure_list.h"
#include "main_window.h"
#include "symbol_table_dialog.h"

using namespace vokc::editor;

class RunTest : public QObject {
    Q_OBJECT
    MainWindow* form = nullptr;
    ConsoleWindow* console = nullptr;
    InputLine* form12 = nullptr;
    SymbolTableDialog* table = nullptr;
    ExamineDialog* variable = nullptr;
    QStringList messages, errors, answers;

    EditorWindow* Editor(const Lines& lines) {
        form->FileNewItemClick();
        EditorWindow* e = form->ActiveEditor();
        e->SetTextLines(lines);
        e->SetCaretOffset(0);
        return e;
    }
    QString Line(EditorWindow* e, int i) { return e->Memo1->document()->findBlockByNumber(i).text(); }

private slots:
    void init() {
        form = new MainWindow;
        console = new ConsoleWindow(form);
        form12 = new InputLine(console);
        table = new SymbolTableDialog(form);
        variable = new ExamineDialog(form);
        console->SetInputLine(form12);
        console->SetInspectionWindows(table, variable);
        messages.clear();
        errors.clear();
        console->ShowMessage = [this](const QString& m) { messages << m; };
        console->ShowError = [this](const QString& m) { errors << m; };
        console->AskAnswer = [this](int, int) { return answers.isEmpty() ? QString() : answers.takeFirst(); };
        SharedWindows shared;
        shared.console = console;
        shared.listeSel = new ProcedureList(form);
        form->SetSharedWindows(shared);
        form->show();
        EditorWindow::StartLine = 0;
        EditorWindow::StepMode = 0;
    }
    void cleanup() {
        for (EditorWindow* e : form->Editors()) e->Memo1->document()->setModified(false);
        form->MdiArea()->closeAllSubWindows();
        delete form;
    }

    void FreeRunOfTheDefaultTextMovesNothing() {
        EditorWindow* e = Editor(DefaultProgram());
        e->SetCaretOffset(kDefaultCaret);
        e->Memo1->document()->setModified(false);
        e->Executer();
        QCOMPARE(e->CaretOffset(), kDefaultCaret);
        QVERIFY(!e->Memo1->document()->isModified());
        QCOMPARE(e->StopLine(), -1);
        QCOMPARE(console->windowTitle(), QString("Vok C - "));
    }

    void StepModeMarksTheNextLine() {
        EditorWindow* e = Editor(DefaultProgram());
        e->Memo1->document()->setModified(false);
        form->Action("&Mode pas à pas")->trigger();
        QCOMPARE(EditorWindow::StepMode, 1);
        e->Executer();
        QCOMPARE(Line(e, 6), QString("\u2022{"));
        QCOMPARE(e->CaretOffset(), long(LineStart(DefaultProgram(), 6)));
        QVERIFY(e->Memo1->document()->isModified());
        // Resuming removes the marker before running the line, then marks the next one.
        e->Continuer2();
        QCOMPARE(Line(e, 6), QString("{"));
        QCOMPARE(Line(e, 7), QString("\u2022"));
        form->Action("&Mode pas à pas")->trigger();
        QCOMPARE(EditorWindow::StepMode, 0);
    }

    void ErrorsPutTheCaretOnTheirLine() {
        EditorWindow* e = Editor({u"int x", u"main()", u"{", u"x = 1", u"y = 2", u"}"});
        e->Executer();
        QCOMPARE(messages, QStringList{"Identificateur y inconnu"});
        QCOMPARE(EditorWindow::StartLine, 4);
        QCOMPARE(e->CaretOffset(), long(5 + 2 + 6 + 2 + 1 + 2 + 5 + 2));
        QCOMPARE(e->StopLine(), 4);
        // A malformed literal goes to the error box and stops there too.
        EditorWindow* f = Editor({u"int x", u"main()", u"{", u"x = 10-3-2", u"}"});
        f->Executer();
        QCOMPARE(errors, QStringList{"'3-2' n'est pas une valeur entière correcte"});
        QCOMPARE(f->StopLine(), 3);
    }

    void BreakpointsToggleAndPause() {
        Lines program = {u"int i", u"main()", u"{", u"for (i=1; i<=3; i++)", u"  puts(\"x\")", u"puts(\"fin\")", u"}"};
        EditorWindow* e = Editor(program);
        e->SetCaretOffset(long(LineStart(program, 4)));
        e->Arret(); // caret at the start of line 4: the marker goes before line 4
        QCOMPARE(Line(e, 4), QString("\u00BB  puts(\"x\")"));
        QCOMPARE(EditorWindow::StartLine, 3);
        e->Arret();
        QCOMPARE(Line(e, 4), QString("  puts(\"x\")"));
        e->SetCaretOffset(long(LineStart(program, 4) + 4));
        e->Arret(); // in the middle of line 4: line 5 is marked
        QCOMPARE(Line(e, 5), QString("\u00BBputs(\"fin\")"));
        QCOMPARE(EditorWindow::StartLine, 4);
        e->Executer();
        QCOMPARE(console->PaintBox1->AllText(), QString("x\nx\nx"));
        QCOMPARE(EditorWindow::StartLine, 5);
        QCOMPARE(e->StopLine(), 5); // paused before the marked line
        e->Continuer2();
        QCOMPARE(console->PaintBox1->AllText(), QString("x\nx\nx\nfin"));
    }

    void InputAndOutputGoThroughTheConsole() {
        EditorWindow* e = Editor({u"int x", u"char s[20]", u"main()", u"{", u"printf(\"Nombre ? \")", u"scanf(\"%d\", &x)",
                              u"x = x * 2", u"printf(\"%d\\n\", x)", u"gets(s)", u"puts(s)", u"}"});
        answers = {"21", "Zoé"};
        e->Executer();
        QVERIFY(messages.isEmpty());
        QCOMPARE(console->PaintBox1->AllText(), QString("Nombre ? 21\n42\nZoé\nZoé"));
        QCOMPARE(console->Interp().ExamineText("x"), std::string("42"));
    }

    void InputLineEndsOnlyWithEnter() {
        form12->show();
        QTest::keyClicks(form12->Edit1, "abc");
        QTest::keyClick(form12->Edit1, Qt::Key_Escape);
        QVERIFY(form12->isVisible());
        QTest::keyClick(form12->Edit1, Qt::Key_Return);
        QVERIFY(!form12->isVisible());
        QCOMPARE(form12->Result(), QString("abc"));
        form12->show();
        QCOMPARE(form12->Result(), QString()); // emptied when shown again
        form12->hide();
    }

    void ARunawayProgramCanBeStopped() {
        EditorWindow* e = Editor({u"int i", u"main()", u"{", u"boucle:", u"i++", u"goto boucle", u"}"});
        QVERIFY(!form->Action("&Arrêter")->isEnabled());
        bool sawRunning = false;
        QTimer::singleShot(100, [&] {
            sawRunning = form->Action("&Arrêter")->isEnabled() && !form->Action("&Exécuter")->isEnabled();
            form->Action("&Arrêter")->trigger();
        });
        e->Executer();
        QVERIFY(sawRunning);
        QVERIFY(EditorWindow::StartLine == 4 || EditorWindow::StartLine == 5);
        QCOMPARE(e->StopLine(), EditorWindow::StartLine);
        QVERIFY(form->Action("&Exécuter")->isEnabled());
        QVERIFY(!e->Memo1->isReadOnly());
    }

    void ClosingTheWindowStopsARunawayProgramFirst() {
        EditorWindow* e = Editor({u"int i", u"main()", u"{", u"boucle:", u"i++", u"goto boucle", u"}"});
        e->Memo1->document()->setModified(false);
        QPointer<QWidget> sub = e->parentWidget();
        QTimer::singleShot(100, [&] { sub->close(); });
        e->Executer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTRY_VERIFY(sub.isNull());
        QVERIFY(!console->Running());
        QVERIFY(form->Action("&Exécuter")->isEnabled() == !form->Editors().empty());
    }

    void BinaryAndHugeFilesOpenAndRunWithoutHarm() {
        QTemporaryDir dir;
        QByteArray binary;
        for (int k = 0; k < 64; ++k)
            for (int c = 0; c < 256; ++c) binary += static_cast<char>(c);
        QFile b(dir.filePath("binaire.c"));
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write(binary);
        b.close();
        QVERIFY(form->OpenProgram(dir.filePath("binaire.c")));
        EditorWindow* e = form->ActiveEditor();
        e->Executer(); // whatever it reports, it stops cleanly
        QVERIFY(!console->Running());

        QByteArray huge = "int i\r\nmain()\r\n{\r\n";
        while (huge.size() < 8 * 1024 * 1024) huge += "i++ // une ligne de remplissage pour grossir le fichier\r\n";
        huge += "}\r\n";
        QFile h(dir.filePath("enorme.c"));
        QVERIFY(h.open(QIODevice::WriteOnly));
        h.write(huge);
        h.close();
        QVERIFY(form->OpenProgram(dir.filePath("enorme.c")));
        EditorWindow* big = form->ActiveEditor();
        QVERIFY(big->Memo1->document()->blockCount() > 100000);
        big->Enregistrer();
        QFile back(dir.filePath("enorme.c"));
        QVERIFY(back.open(QIODevice::ReadOnly));
        QCOMPARE(back.readAll(), huge); // saved unchanged
    }

    void SymbolTableAndExamine() {
        EditorWindow* e = Editor({u"int t[10]", u"float r", u"void p()", u"{", u"}", u"main()", u"{", u"t[3] = 7",
                              u"r = 0,5", u"}"});
        e->Executer();
        QTimer::singleShot(0, [&] { QTest::keyClick(table->ListBox1, Qt::Key_Escape); });
        form->Tabledessymboles1Click();
        QCOMPARE(table->ListBox1->item(0)->text(), QString("t[ , I , 1"));
        QCOMPARE(table->ListBox1->count(), 3 + 2 + 8);
        QCOMPARE(table->ListBox1->item(3 + 2 + 4)->text(), QString("Var Int : 1"));
        QTimer::singleShot(0, [&] {
            QTest::keyClicks(variable->Edit1, "t[3]");
            QTest::keyClick(variable->Edit1, Qt::Key_Return);
            QCOMPARE(variable->Edit2->text(), QString("7"));
            QCOMPARE(variable->Edit1->selectedText(), QString("t[3]"));
            QTest::keyClicks(variable->Edit1, "t");
            QTest::keyClick(variable->Edit1, Qt::Key_Return);
            QCOMPARE(variable->Edit2->text(), QString("Variable inconnue"));
            QTest::keyClick(variable->Edit1, Qt::Key_Escape);
        });
        form->Examinervariable1Click();
    }

    void PrintingThroughThePrinterName() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("prn.pdf");
        console->MakePrinter = [pdf] {
            auto p = std::make_unique<QPrinter>();
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(pdf);
            return p;
        };
        EditorWindow* e = Editor({u"file f", u"main()", u"{", u"f=fopen(PRN:,\"w\");", u"fputs(\"ligne\", PRN:);",
                              u"fclose(PRN:);", u"}"});
        e->Executer();
        QVERIFY(messages.isEmpty());
        QVERIFY(QFileInfo(pdf).size() > 0);
    }

    void ActivatingAWindowTurnsStepModeOff() {
        EditorWindow* a = Editor(DefaultProgram());
        Editor(DefaultProgram());
        form->Action("&Mode pas à pas")->trigger();
        QCOMPARE(EditorWindow::StepMode, 1);
        form->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(a->parentWidget()));
        QCOMPARE(EditorWindow::StepMode, 0);
        QVERIFY(form->Action("&Mode pas à pas")->isChecked()); // the check mark stays
        form->Action("&Mode pas à pas")->trigger();
    }
};

QTEST_MAIN(RunTest)
#include "run_test.moc"
