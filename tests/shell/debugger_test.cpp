// Watching a run in the desktop application, driven through the main window's commands
// on the offscreen platform: the variables panel at each step, the values under the
// mouse, the calls, the finer steps and the history of pauses.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QTreeWidget>

#include "call_list.h"
#include "console_window.h"
#include "debug_dock.h"
#include "editor_window.h"
#include "help_viewer.h"
#include "hint_box.h"
#include "hover_tips.h"
#include "main_window.h"
#include "procedure_list.h"
#include "reference_at.h"
#include "run_history.h"
#include "run_session.h"
#include "variables_panel.h"
#include "warnings_dock.h"

using namespace vokc;
using namespace vokc::editor;

namespace {
// A program with an int, an array, a float, a string, a file and an index variable.
const Lines kProgram = {
    u"int n, t[3]",
    u"float x",
    u"char s[20]",
    u"file f",
    u"int i",
    u"main()",
    u"{",
    u"n=5",
    u"x=x+2",
    u"s=\"abc\"",
    u"i=2",
    u"t[i]=7",
    u"f=fopen(\"sortie.txt\",\"w\")",
    u"fclose(f)",
    u"}",
};
// Rows of the panel: n, t[1], t[2], t[3], x, s, f, i.
enum Row { kN, kT1, kT2, kT3, kX, kS, kF, kI, kRows };

// A loop calling a procedure that calls another.
const Lines kCalls = {
    u"int k",
    u"void inner()",
    u"{",
    u"k=k+10",
    u"}",
    u"void outer()",
    u"{",
    u"k=k+1",
    u"inner()",
    u"k=k+1",
    u"}",
    u"main()",
    u"{",
    u"outer()",
    u"for (k=1;k<=3;k++)",
    u"{",
    u"puts(\"tour\")",
    u"}",
    u"puts(\"fin\")",
    u"}",
};
} // namespace

class DebuggerTest : public QObject {
    Q_OBJECT
    MainWindow* form = nullptr;
    ConsoleWindow* console = nullptr;
    RunSession* session = nullptr;
    QStringList messages;
    QString previousDir;
    QTemporaryDir* dir = nullptr;

    EditorWindow* Editor(const Lines& lines) {
        form->newFile();
        EditorWindow* e = form->activeEditor();
        e->setTextLines(lines);
        e->setCaretOffset(0);
        return e;
    }
    void Trigger(Command role) {
        QAction* a = form->action(role);
        QVERIFY(a);
        a->trigger();
    }
    void CaretOnLine(EditorWindow* e, int line) {
        QTextCursor c(e->memo()->document()->findBlockByNumber(line));
        e->memo()->setTextCursor(c);
    }
    VariablesPanel* Panel() { return form->debugDock()->variables(); }
    QStringList Values() {
        QStringList list;
        for (int r = 0; r < Panel()->rowCount(); ++r)
            list << Panel()->valueOfRow(r);
        return list;
    }
    QList<int> Marked() {
        QList<int> list;
        for (int r = 0; r < Panel()->rowCount(); ++r)
            if (Panel()->rowMarked(r)) list << r;
        return list;
    }
    QString ConsoleText() { return console->canvas()->allText(); }

  private slots:
    void init() {
        previousDir = QDir::currentPath();
        dir = new QTemporaryDir;
        QDir::setCurrent(dir->path());
        form = new MainWindow;
        console = new ConsoleWindow(form);
        session = new RunSession(*console, form);
        messages.clear();
        console->setMessageHooks([this](const QString& m) { messages << m; },
                                 [this](const QString& m) { messages << m; });
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
        QDir::setCurrent(previousDir);
        delete dir;
    }

    void PanelRowsAndChangeMarksAtEveryStep() {
        Editor(kProgram);
        QVERIFY(!form->debugDock()->isVisible());
        Trigger(Command::StepMode);
        form->run()->runProgram(); // main() ran; the dock comes forward by itself
        QVERIFY(form->debugDock()->isVisible());
        QTreeWidget* tree = Panel()->tree();
        QCOMPARE(tree->topLevelItemCount(), 6);
        QCOMPARE(tree->topLevelItem(1)->text(0), QString("t"));
        QCOMPARE(tree->topLevelItem(1)->text(1), QString("tableau de 3 entiers"));
        QCOMPARE(tree->topLevelItem(1)->child(2)->text(0), QString("t[3]"));
        QCOMPARE(tree->topLevelItem(2)->text(1), QString("réel"));
        QCOMPARE(tree->topLevelItem(3)->text(1), QString("chaîne"));
        QCOMPARE(tree->topLevelItem(4)->text(1), QString("fichier"));
        QCOMPARE(Panel()->rowCount(), int(kRows));
        QCOMPARE(Values(), (QStringList{"0", "0", "0", "0", "0", " ", "(fermé)", "0"}));
        QVERIFY(Marked().isEmpty());

        struct Step {
            Row row;
            const char* value;
        };
        const Step steps[] = {{kN, "5"},
                              {kX, "2"},
                              {kS, "abc"},
                              {kI, "2"},
                              {kT2, "7"},
                              {kF, "sortie.txt (ouvert en écriture)"},
                              {kF, "sortie.txt (fermé)"}};
        form->run()->resumeRun(); // "{": nothing changes
        QVERIFY(Marked().isEmpty());
        for (const Step& step : steps) {
            form->run()->resumeRun();
            QCOMPARE(Marked(), QList<int>{step.row});
            QCOMPARE(Panel()->valueOfRow(step.row), QString::fromUtf8(step.value));
            // The array's own row is marked with its element.
            QCOMPARE(tree->topLevelItem(1)->background(0) != QBrush(), step.row == kT2);
        }
        QVERIFY(messages.isEmpty());
        QCOMPARE(session->history().size(), std::size_t(9));
    }

    void AHiddenPanelReadsNothing() {
        Editor(kProgram);
        Trigger(Command::StepMode);
        form->run()->runProgram();
        const int reads = Panel()->reads();
        QVERIFY(reads > 0);
        form->debugDock()->hide();
        form->run()->resumeRun();
        form->run()->resumeRun();
        QCOMPARE(Panel()->reads(), reads);
        form->debugDock()->refresh(true);
        QCOMPARE(Panel()->reads(), reads);
        Trigger(Command::Variables);
        QVERIFY(Panel()->reads() > reads);
    }

    // The warnings of the look before the run share the bottom of the window with the
    // variables: the values column must still be in view when the panel first shows.
    void ValuesInViewBesideTheWarnings() {
        Editor({u"int n", u"char c", u"main()", u"{", u"n=5", u"printf(\"%d %d\\n\", n, n)", u"}"});
        Trigger(Command::StepMode);
        form->run()->runProgram();
        QTest::qWait(50);
        QVERIFY(form->run()->warningsDock()->isVisible());
        QVERIFY(form->debugDock()->isVisible());
        QTreeWidget* tree = Panel()->tree();
        const int valueAt = tree->header()->sectionViewportPosition(2);
        QVERIFY2(valueAt + 60 <= tree->viewport()->width(),
                 qPrintable(QString("values from %1 in a view of %2")
                                .arg(valueAt)
                                .arg(tree->viewport()->width())));
        // A char never given a value shows empty, not as a box for its code 0.
        QCOMPARE(Panel()->valueOfRow(1), QString());
        // Steps later, with the dock shown and hidden again, the same.
        form->debugDock()->hide();
        form->run()->resumeRun();
        Trigger(Command::Variables);
        QTest::qWait(50);
        QVERIFY(tree->header()->sectionViewportPosition(2) + 60 <= tree->viewport()->width());
    }

    void ValuesUnderTheMouse() {
        EditorWindow* e = Editor(kProgram);
        HoverTips* tips = form->hoverTips();
        QCOMPARE(tips->textAt("t[i]=7", 0), QString()); // no run yet
        CaretOnLine(e, 13);
        Trigger(Command::RunToCursor);
        QCOMPARE(session->startLine(), 13);
        QCOMPARE(tips->textAt("t[i]=7", 0), QString("t[i] = 7"));
        QCOMPARE(tips->textAt("t[i]=7", 2), QString("i = 2"));
        QCOMPARE(tips->textAt("x=x+2", 2), QString("x = 2"));
        QCOMPARE(tips->textAt("printf(\"%d\", t[99])", 13), QString("t[99] = Indice hors limites"));
        QCOMPARE(tips->textAt("fclose(f)", 7), QString("f = sortie.txt (ouvert en écriture)"));
        QCOMPARE(tips->textAt("fclose(f)", 2), QString()); // not a variable
        QCOMPARE(tips->textAt("t[i]=7", 5), QString());    // a number
        QVERIFY(messages.isEmpty()); // no message box, and the run goes on as before
        form->run()->resumeRun();
        QCOMPARE(session->state(), RunSession::State::Finished);
        QVERIFY(messages.isEmpty());
        QCOMPARE(tips->textAt("f", 0), QString("f = sortie.txt (fermé)")); // after the end too
    }

    void CallChainTwoProceduresDeep() {
        EditorWindow* e = Editor(kCalls);
        Trigger(Command::StepMode);
        form->run()->runProgram();
        for (int k = 0; k < 20 && session->startLine() != 3; ++k)
            form->run()->resumeRun();
        QCOMPARE(session->startLine(), 3);
        Trigger(Command::Calls);
        QListWidget* calls = form->debugDock()->calls();
        QCOMPARE(calls->count(), 3);
        QCOMPARE(calls->item(0)->text(), QString("main()"));
        QCOMPARE(calls->item(1)->text(), QString("outer() — appel ligne 14"));
        QCOMPARE(calls->item(2)->text(), QString("inner() — appel ligne 9"));
        emit calls->itemDoubleClicked(calls->item(2));
        QCOMPARE(e->memo()->textCursor().blockNumber(), 8);
        for (int k = 0; k < 5 && session->startLine() != 9; ++k)
            form->run()->resumeRun(); // to the end of inner(): back in outer()
        QCOMPARE(session->startLine(), 9);
        QCOMPARE(calls->count(), 2);
    }

    void FinerStepsOverOutAndToTheCaret() {
        EditorWindow* e = Editor(kCalls);
        Trigger(Command::StepOver); // from the first run
        QCOMPARE(session->startLine(), 12);
        Trigger(Command::StepOver);
        QCOMPARE(session->startLine(), 13);
        QCOMPARE(e->memo()->document()->findBlockByNumber(13).text(), QString("\u2022outer()"));
        Trigger(Command::StepOver); // the call is one step
        QCOMPARE(session->startLine(), 14);
        QCOMPARE(session->inspect("k"), QString("12"));
        CaretOnLine(e, 16);
        Trigger(Command::RunToCursor); // to a line inside the loop
        QCOMPARE(session->startLine(), 16);
        QCOMPARE(ConsoleText(), QString());
        Trigger(Command::RunToCursor); // once more round the loop
        QCOMPARE(session->startLine(), 16);
        QCOMPARE(ConsoleText(), QString("tour"));
        QCOMPARE(session->inspect("k"), QString("2"));

        CaretOnLine(e, 3);
        Trigger(Command::RunToCursor); // never reached again: runs to the end
        QCOMPARE(session->state(), RunSession::State::Finished);
        Trigger(Command::RunToCursor); // from the first run, into inner()
        QCOMPARE(session->startLine(), 3);
        Trigger(Command::StepOut);
        QCOMPARE(session->startLine(), 9);
        QCOMPARE(session->inspect("k"), QString("11"));
        Trigger(Command::StepOut);
        QCOMPARE(session->startLine(), 14);
        // F5, F7 and F9 keep their keys.
        QCOMPARE(form->action(Command::Resume)->shortcut(), QKeySequence("F7"));
        QCOMPARE(form->action(Command::Run)->shortcut(), QKeySequence("F9"));
        QCOMPARE(form->action(Command::Breakpoint)->shortcut(), QKeySequence("F5"));
        QCOMPARE(form->action(Command::StepOver)->shortcut(), QKeySequence("F8"));
        QCOMPARE(form->action(Command::StepOut)->shortcut(), QKeySequence("Shift+F8"));
        QCOMPARE(form->action(Command::RunToCursor)->shortcut(), QKeySequence("F4"));
        QVERIFY(messages.isEmpty());
    }

    void GoingBackThreePausesAndReturning() {
        EditorWindow* e = Editor(kProgram);
        Trigger(Command::StepMode);
        form->run()->runProgram();
        for (int k = 0; k < 8; ++k)
            form->run()->resumeRun(); // nine pauses, the last before "}"
        const QString shown = ConsoleText();
        QCOMPARE(session->startLine(), 14);
        for (int k = 0; k < 3; ++k)
            Trigger(Command::PreviousStep);
        // The pause after i=2: line 11 ran next, t[2] was still 0.
        QCOMPARE(session->history().viewed(), std::size_t(5));
        QCOMPARE(e->stopLine(), 11);
        QVERIFY(Panel()->banner()->isVisibleTo(Panel()));
        QCOMPARE(Panel()->valueOfRow(kI), QString("2"));
        QCOMPARE(Marked(), QList<int>{kI});
        QCOMPARE(Panel()->valueOfRow(kT2), QString("0"));
        QCOMPARE(Panel()->valueOfRow(kF), QString("(fermé)"));
        // The values under the mouse are those of the viewed pause too, index included.
        HoverTips* tips = form->hoverTips();
        QCOMPARE(tips->textAt("t[i]=7", 0), QString("t[i] = 0"));
        QCOMPARE(tips->textAt("t[i]=7", 2), QString("i = 2"));
        QCOMPARE(tips->textAt("f=fopen(", 0), QString("f = (fermé)"));
        Trigger(Command::PreviousStep); // before i=2: i was 0
        QCOMPARE(tips->textAt("t[i]=7", 0), QString("t[i] = Indice hors limites"));
        QCOMPARE(tips->textAt("s=\"abc\"", 0), QString("s = abc"));
        QCOMPARE(tips->textAt("z=1", 0), QString()); // not a variable
        Trigger(Command::NextStep);
        QCOMPARE(session->history().viewed(), std::size_t(5));
        // Nothing ran again: the interpreter's own values are those of the present.
        QCOMPARE(session->inspect("t[2]"), QString("7"));
        QCOMPARE(ConsoleText(), shown);
        for (int k = 0; k < 3; ++k)
            Trigger(Command::NextStep);
        QVERIFY(!session->history().inPast());
        QVERIFY(!Panel()->banner()->isVisibleTo(Panel()));
        QCOMPARE(e->stopLine(), 14);
        QCOMPARE(Panel()->valueOfRow(kF), QString("sortie.txt (fermé)"));
        QCOMPARE(form->hoverTips()->textAt("t[i]=7", 0), QString("t[i] = 7"));
        Trigger(Command::NextStep); // nothing after the present
        QCOMPARE(e->stopLine(), 14);

        // Any run command returns to the present.
        Trigger(Command::PreviousStep);
        Trigger(Command::PreviousStep);
        QVERIFY(session->history().inPast());
        form->run()->resumeRun();
        QVERIFY(!session->history().inPast());
        QVERIFY(!Panel()->banner()->isVisibleTo(Panel()));
    }

    // The look before the run: marks in the margin and rows in the warnings dock, the
    // run unchanged; a row leads to its line, and "Relire" looks again on demand.
    void WarningsBeforeTheRunInTheMarginAndTheDock() {
        EditorWindow* e =
            Editor({u"int x", u"main()", u"{", u"x = 0;", u"if (x == 1)", u"  puts(\"un\");",
                    u"else", u"  puts(\"autre\");", u"puts(\"fin\");", u"}"});
        WarningsDock* dock = form->run()->warningsDock();
        QVERIFY(dock && !dock->isVisible());
        const int plainMargin = e->memo()->viewport()->geometry().left();
        Trigger(Command::Run);
        QTRY_VERIFY(!session->isRunning());
        QCOMPARE(ConsoleText(), QString("fin")); // the run is what it was
        QVERIFY(messages.isEmpty());
        QVERIFY(dock->isVisible());
        QCOMPARE(dock->list()->count(), 1);
        QVERIFY2(dock->list()->item(0)->text().startsWith("Ligne 6 : Ce point-virgule dit "
                                                          "qu'aucun else ne suit"),
                 qPrintable(dock->list()->item(0)->text()));
        QCOMPARE(e->memo()->warningLines(), std::vector<int>{5});
        QVERIFY(e->memo()->viewport()->geometry().left() > plainMargin);

        emit dock->list()->itemActivated(dock->list()->item(0));
        QCOMPARE(e->memo()->textCursor().blockNumber(), 5);

        // Corrected, then looked at again: no row, no mark, no margin left for them.
        QTextCursor line(e->memo()->document()->findBlockByNumber(5));
        line.select(QTextCursor::LineUnderCursor);
        line.insertText(QStringLiteral("  puts(\"un\")"));
        dock->checkButton()->click();
        QCOMPARE(dock->list()->count(), 0);
        QVERIFY(e->memo()->warningLines().empty());
        QCOMPARE(e->memo()->viewport()->geometry().left(), plainMargin);
    }

    // A division by zero stops the run without a box, as it always did; the warning of
    // the run says why, in the dock and in the margin.
    void ADivisionByZeroIsWarnedWhenItHappens() {
        EditorWindow* e =
            Editor({u"int a, b", u"main()", u"{", u"puts(\"avant\");", u"a = 1 / b;", u"}"});
        WarningsDock* dock = form->run()->warningsDock();
        Trigger(Command::Run);
        QTRY_VERIFY(!session->isRunning());
        QCOMPARE(ConsoleText(), QString("avant"));
        QVERIFY(messages.isEmpty());
        QVERIFY(dock->isVisible());
        QCOMPARE(dock->list()->count(), 1);
        QVERIFY2(dock->list()->item(0)->text().startsWith("Ligne 5 : Division par zéro"),
                 qPrintable(dock->list()->item(0)->text()));
        QCOMPARE(e->memo()->warningLines(), std::vector<int>{4});
    }
};

// Hints under the messages: attached to the message that the program raised, and the
// box's help button.
class HintTest : public QObject {
    Q_OBJECT
  private slots:
    void HintsReachTheMessageBoxOfTheirMessage() {
        MainWindow form;
        auto* console = new ConsoleWindow(&form);
        auto* session = new RunSession(*console, &form);
        QStringList plain, hinted;
        console->setMessageHooks([&](const QString& m) { plain << m; },
                                 [&](const QString& m) { plain << m; });
        console->setHintHook(
            [&](const QString& text, const QString& hint, const QString& page, bool error) {
                hinted << text + "|" + hint + "|" + page + (error ? "|boîte" : "");
            });
        SharedWindows shared;
        shared.console = console;
        shared.session = session;
        shared.procedureList = new ProcedureList(&form);
        form.setSharedWindows(shared);
        form.newFile();
        EditorWindow* e = form.activeEditor();
        e->setTextLines({u"int x", u"main()", u"{", u"scanf(\"%d\", x)", u"}"});
        form.run()->runProgram();
        e->setTextLines({u"file f", u"main()", u"{", u"f = fopen(\"sortie.txt\",\"w\")",
                         u"fputs(\"a\", f)", u"}"});
        form.run()->runProgram();
        QVERIFY2(plain.isEmpty(), qPrintable(plain.join("|")));
        e->setTextLines({u"int x", u"main()", u"{", u"y = 2", u"x = 1 / 0", u"}"});
        form.run()->runProgram(); // a message with a hint of its own
        e->setTextLines({u"int x", u"main()", u"{", u"goto fin", u"}"});
        form.run()->runProgram();
        QCOMPARE(
            hinted.join("\n"),
            (QStringList{"Identificateur inconnu|Il manque & devant le nom de la variable ?|"
                         "messages.html#identificateur-inconnu",
                         "Fichier non ouvert en écriture|Écrivez f=fopen(...) sans espace à la "
                         "ligne 4.|"
                         "messages.html#fichier-non-ouvert|boîte",
                         "Identificateur y inconnu|Déclarez ce nom en tête du programme, ou "
                         "vérifiez son orthographe (les majuscules comptent).|"
                         "messages.html#identificateur-inconnu",
                         "Etiquette non trouvée|Écrivez goto fin; sans deux-points, et fin: "
                         "seul sur sa ligne.|messages.html#structure"})
                .join("\n"));
        QVERIFY(plain.isEmpty());
        e->memo()->document()->setModified(false);
    }

    // The real boxes: the line in the caption, the error icon, and one box for the same
    // message raised many times by one line.
    void RunMessageBoxesNameTheirLine() {
        MainWindow form;
        auto* console = new ConsoleWindow(&form);
        auto* session = new RunSession(*console, &form);
        SharedWindows shared;
        shared.console = console;
        shared.session = session;
        shared.procedureList = new ProcedureList(&form);
        form.setSharedWindows(shared);
        form.newFile();
        EditorWindow* e = form.activeEditor();
        QStringList boxes;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            boxes << box->windowTitle() + "|" + box->text() + "|" + box->informativeText() +
                         (box->icon() == QMessageBox::Critical ? "|erreur" : "|autre");
            box->button(QMessageBox::Ok)->click();
        });
        closer.start(10);
        e->setTextLines({u"int x", u"main()", u"{", u"x = 1", u"x = ABS(-2abc)", u"}"});
        form.run()->runProgram();
        e->setTextLines({u"int x", u"main()", u"{", u"clrscr()", u"}"});
        form.run()->runProgram();
        QCOMPARE(boxes.join("\n"),
                 (QStringList{"Vok C - Ligne 5|Expression incorrecte|(3 fois de suite sur cette "
                              "ligne)|erreur",
                              "Vok C - Ligne 4|Identificateur  inconnu|Écrivez clrscr; sans "
                              "parenthèses.|erreur"})
                     .join("\n"));
        e->memo()->document()->setModified(false);
    }

    void TheBoxKeepsTheMessageAndOffersHelp() {
        QMessageBox* box = MakeHintBox(nullptr, "ELSE manquant", "Terminez", false);
        QCOMPARE(box->text(), QString("ELSE manquant"));
        QCOMPARE(box->informativeText(), QString("Terminez"));
        auto* help = box->findChild<QPushButton*>("helpButton");
        QVERIFY(help);
        QCOMPARE(help->text(), QString("Aide"));
        bool clicked = false;
        connect(help, &QPushButton::clicked, [&] { clicked = true; });
        box->show();
        QApplication::setActiveWindow(box);
        QVERIFY(QTest::qWaitForWindowActive(box));
        QTest::keyClick(box, Qt::Key_F1);
        QVERIFY(clicked);
        delete box;
    }
};

// The reference under the mouse, without a window.
class ReferenceAtTest : public QObject {
    Q_OBJECT
  private slots:
    void ReferencesAroundAColumn() {
        const std::u16string line = u"  t[i] = total + t[12];";
        QCOMPARE(ReferenceAt(line, 2), std::u16string(u"t[i]"));
        QCOMPARE(ReferenceAt(line, 4), std::u16string(u"i"));
        QCOMPARE(ReferenceAt(line, 9), std::u16string(u"total"));
        QCOMPARE(ReferenceAt(line, 13), std::u16string(u"total"));
        QCOMPARE(ReferenceAt(line, 17), std::u16string(u"t[12]"));
        QCOMPARE(ReferenceAt(line, 19), std::u16string()); // inside the number
        QCOMPARE(ReferenceAt(line, 0), std::u16string());
        QCOMPARE(ReferenceAt(line, -1), std::u16string());
        QCOMPARE(ReferenceAt(line, 500), std::u16string());
        QCOMPARE(ReferenceAt(u"t[", 0), std::u16string(u"t")); // no closing bracket
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // A program of a window never saved runs in the home folder: the test's own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    int status = 0;
    {
        ReferenceAtTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        HintTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        DebuggerTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "debugger_test.moc"
