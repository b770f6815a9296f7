// The run session driven deterministically through a fake console: fresh runs, step and
// breakpoint pauses, resuming, the stop request, error stops, and what waits for a stop.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QPoint>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "console_view.h"
#include "host.h"
#include "interpreter.h"
#include "run_history.h"
#include "run_session.h"

using namespace vokc;

namespace {

// A program held as Windows-1252 lines.
class Program final : public ProgramText {
  public:
    Program(std::initializer_list<std::string> lines) : lines_(lines) {}
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    std::string_view Line(int index) const override {
        return lines_[static_cast<std::size_t>(index)];
    }
    std::string& at(int index) { return lines_[static_cast<std::size_t>(index)]; }
    void insert(int index, const std::string& line) { lines_.insert(lines_.begin() + index, line); }
    void erase(int index) { lines_.erase(lines_.begin() + index); }

  private:
    std::vector<std::string> lines_;
};

// Records what the run shows and answers from a list; `onDraw` and `onRead` let a test
// act in the middle of a run (`onRead` while the input line waits).
class FakeConsole final : public ConsoleView {
  public:
    QString caption;
    QStringList texts, messages, errors, answers;
    QList<QPoint> places; // where each text was drawn
    int clears = 0;
    int cancels = 0;
    std::function<void()> onDraw;
    std::function<void()> onRead;

    void showConsole(const QString& c) override { caption = c; }
    void drawText(int x, int y, const QString& text) override {
        texts << text;
        places << QPoint(x, y);
        if (onDraw) onDraw();
    }
    int textWidth(const QString& text) override { return 10 * static_cast<int>(text.size()); }
    void clear() override {
        ++clears;
        texts.clear();
        places.clear();
    }
    QString readAnswer(int, int) override {
        if (onRead) onRead();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    void cancelRead() override { ++cancels; }
    QList<RunMessage> runMessages;
    void showRunMessage(const RunMessage& m) override {
        runMessages << m;
        ConsoleView::showRunMessage(m);
    }
    void showMessage(const QString& text) override { messages << text; }
    void showError(const QString& text) override { errors << text; }
};

} // namespace

class RunSessionTest : public QObject {
    Q_OBJECT
    FakeConsole* view = nullptr;
    RunSession* session = nullptr;
    std::vector<RunStop> stops;
    std::vector<bool> running;

  private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        view = new FakeConsole;
        session = new RunSession(*view);
        stops.clear();
        running.clear();
        connect(session, &RunSession::stopped, this,
                [this](const RunStop& s) { stops.push_back(s); });
        connect(session, &RunSession::runningChanged, this, [this](bool r) {
            running.push_back(r);
            QCOMPARE(session->isRunning(), r);
        });
    }
    void cleanup() {
        delete session;
        delete view;
    }

    void AFreshRunGoesToTheEnd() {
        Program p{"int x", "main()", "{", "x = 6 * 7", "printf(\"%d\", x)", "}"};
        session->start(p, "calcul.c");
        QCOMPARE(view->caption, QString("Vok C - calcul.c"));
        QCOMPARE(view->texts.join(""), QString("42"));
        QCOMPARE(running, (std::vector<bool>{true, false}));
        QCOMPARE(stops.size(), size_t(1));
        QVERIFY(stops[0].reason == RunStopReason::Finished);
        QVERIFY(!stops[0].markStep && !stops[0].showLine);
        QVERIFY(session->state() == RunSession::State::Finished);
        QCOMPARE(session->examine("x"), QString("42"));
        QVERIFY(session->symbolListing().size() > 0);
    }

    void StepModePausesAtEveryLineAndResumes() {
        Program p{"int x", "main()", "{", "x = 1", "x = x + 1", "}"};
        session->setStepMode(true);
        session->start(p, std::string());
        QCOMPARE(stops.size(), size_t(1));
        QVERIFY(stops[0].reason == RunStopReason::StepPause);
        QCOMPARE(stops[0].line, 2); // the line that runs next: the opening brace
        QVERIFY(stops[0].markStep && stops[0].showLine);
        QVERIFY(session->state() == RunSession::State::Paused);
        session->resume(p);
        session->resume(p);
        QCOMPARE(stops.size(), size_t(3));
        QCOMPARE(stops[2].line, 4);
        QCOMPARE(session->examine("x"), QString("1"));
        QVERIFY(stops[2].markStep);
        QVERIFY(stops[2].showLine);
        session->resume(p);
        QCOMPARE(session->examine("x"), QString("2"));
    }

    void ABreakpointPausesAFreeRunBeforeItsLine() {
        Program p{
            "int i", "main()", "{", "for (i=1; i<=2; i++)", "  puts(\"x\")", "\xBBputs(\"fin\")",
            "}"};
        session->start(p, std::string());
        QCOMPARE(view->texts, QStringList({"x", "x"}));
        QCOMPARE(stops.size(), size_t(1));
        QVERIFY(stops[0].reason == RunStopReason::Breakpoint);
        QCOMPARE(stops[0].line, 5);
        QVERIFY(stops[0].showLine && !stops[0].markStep);
        QCOMPARE(session->startLine(), 5);
        session->resume(p); // a resumed run goes past the breakpoint it stopped at
        QCOMPARE(view->texts, QStringList({"x", "x", "fin"}));
        QVERIFY(stops[1].reason == RunStopReason::Finished);
    }

    void ALoopLineEditedDuringAPauseRunsAsEditedAtTheNextPass() {
        Program p{"int i, n",
                  "main()",
                  "{",
                  "for (i=1; i<=3; i++)",
                  "{",
                  "n = n + 1",
                  "\xBBprintf(\"%d\\n\", n)",
                  "}",
                  "}"};
        session->start(p, std::string());
        QCOMPARE(stops.size(), size_t(1));
        QVERIFY(stops[0].reason == RunStopReason::Breakpoint);
        QCOMPARE(stops[0].line, 6);
        p.at(5) = "n = n + 10";
        session->resume(p);
        QCOMPARE(view->texts.join("|"), QString("1"));
        QVERIFY(stops[1].reason == RunStopReason::Breakpoint);
        QCOMPARE(session->examine("n"), QString("11"));
        // The breakpoint taken off and the line changed: the next pass runs it as it is now.
        p.at(6) = "printf(\"%d\\n\", i)";
        session->resume(p);
        QCOMPARE(view->texts.join("|"), QString("1|2|3"));
        QCOMPARE(session->examine("n"), QString("21"));
        QVERIFY(stops[2].reason == RunStopReason::Finished);
    }

    void TheStopRequestEndsARunawayLoopWhereItIs() {
        Program p{"int i", "main()", "{", "boucle:", "i++", "puts(\"a\")", "goto boucle", "}"};
        // The session is asked from inside the run, as the console's Escape key would.
        view->onDraw = [this] {
            if (view->texts.size() == 3000) session->requestStop();
        };
        session->start(p, std::string());
        QCOMPARE(stops.size(), size_t(1));
        QVERIFY(stops[0].reason == RunStopReason::UserStop);
        QVERIFY(stops[0].line >= 3 && stops[0].line <= 6);
        QVERIFY(stops[0].showLine);
        QVERIFY(view->texts.size() >= 3000 && view->texts.size() < 3000 + 4096);
        QVERIFY(view->messages.isEmpty());
        // The next run is not stopped by the old request.
        view->onDraw = nullptr;
        Program q{"main()", "{", "puts(\"b\")", "}"};
        session->start(q, std::string());
        QVERIFY(stops.back().reason == RunStopReason::Finished);
        // Asking while nothing runs does nothing either.
        session->requestStop();
        session->start(q, std::string());
        QVERIFY(stops.back().reason == RunStopReason::Finished);
    }

    void ErrorsStopOnTheirLineWithTheirMessage() {
        Program p{"int x", "main()", "{", "x = 1", "y = 2", "}"};
        session->start(p, std::string());
        QCOMPARE(view->messages, QStringList{"Identificateur y inconnu"});
        QVERIFY(stops[0].reason == RunStopReason::Error);
        QCOMPARE(stops[0].line, 4);
        QVERIFY(stops[0].showLine);
        // A malformed literal goes to the error box.
        Program q{"int x", "main()", "{", "x = 10-3-2", "}"};
        session->start(q, std::string());
        QCOMPARE(view->errors, QStringList{"'3-2' n'est pas une valeur enti\u00E8re correcte"});
        QVERIFY(stops[1].reason == RunStopReason::Error);
        QCOMPARE(stops[1].line, 3);
    }

    void AnswersAndKeysComeFromTheConsole() {
        Program p{"int x",
                  "char s[20]",
                  "char c",
                  "main()",
                  "{",
                  "scanf(\"%d\", &x)",
                  "gets(s)",
                  "c = getch()",
                  "printf(\"%d\", x)",
                  "puts(s)",
                  "printf(\"%c\", c)",
                  "}"};
        view->answers = {"21", "Zo\u00E9", "kq"};
        session->start(p, std::string());
        QCOMPARE(view->messages, QStringList());
        QCOMPARE(view->texts.mid(view->texts.size() - 3),
                 QStringList({"21", "Zo\u00E9", "k"})); // getch keeps one key
        QCOMPARE(session->examine("s"), QString("Zo\u00E9"));
    }

    void NoRunStartsInsideARun() {
        Program p{"main()", "{", "puts(\"a\")", "puts(\"b\")", "}"};
        int nested = 0;
        view->onDraw = [&] {
            ++nested;
            session->start(p, std::string());
            session->resume(p);
        };
        session->start(p, std::string());
        QCOMPARE(nested, 2); // each line drew once: the nested calls ran nothing
        QCOMPARE(running, (std::vector<bool>{true, false}));
        QCOMPARE(stops.size(), size_t(1));
    }

    void WhatWaitsForTheStopRunsAfterIt() {
        std::vector<std::string> order;
        session->whenStopped([&] { order.push_back("idle"); }); // nothing runs: at once
        QCOMPARE(order, std::vector<std::string>{"idle"});
        Program p{"int i", "main()", "{", "boucle:", "i++", "puts(\"a\")", "goto boucle", "}"};
        view->onDraw = [&] {
            if (view->texts.size() == 10) {
                session->whenStopped([&] { order.push_back("first"); });
                session->whenStopped([&] { order.push_back("second"); });
            }
        };
        connect(session, &RunSession::stopped, this, [&] { order.push_back("stopped"); });
        session->start(p, std::string());
        QVERIFY(stops.back().reason == RunStopReason::UserStop); // asking to wait stops the run
        QCOMPARE(order, (std::vector<std::string>{"idle", "stopped", "first", "second"}));
        QVERIFY(!session->isRunning());
    }

    void ResumingAfterABreakpointToggleStartsWhereItWasSet() {
        Program p{"int x", "main()", "{", "x = 1", "x = x + 5", "}"};
        session->setStepMode(true);
        session->start(p, std::string());
        session->resume(p); // the brace has run; "x = 1" is next
        QCOMPARE(stops.back().line, 3);
        session->setStepMode(false);
        session->setStartLine(4); // as toggling a breakpoint before line 5 does
        session->resume(p);
        QCOMPARE(session->examine("x"), QString("5")); // line 3 was skipped: x stayed 0
        QVERIFY(stops.back().reason == RunStopReason::Finished);
    }

    void StoppingWhileTheInputLineWaitsEndsTheRead();
    void ClosingAWindowWhileTheInputLineWaitsStopsFirst();
    void AFreshRunClearsTheConsoleAResumeWritesBelow();
    void FilesStayOpenAcrossStepsAndCloseAtTheEnd();
    void MarkersOnAnyLineAreNotCode();
    void TheStatusTextSaysWhatTheRunDoes();
    void ThePauseTextSaysWhatAResumeDoes();
    void ARepeatedMessageOfALineComesOnceWithItsCount();
    void EditsDuringAPauseMoveTheRunWithTheirText();
    void AnEditTheRunCannotFollowStopsTheResume();
};

void RunSessionTest::StoppingWhileTheInputLineWaitsEndsTheRead() {
    Program p{"char s[20]", "main()", "{", "while (1 < 2)", "{", "printf(\"Nom ? \")",
              "gets(s)",    "}",      "}"};
    int reads = 0;
    view->answers = {"Ana", "perdu", "Bob"};
    // The second read is stopped while it waits, as Escape or the stop command would.
    view->onRead = [&] {
        ++reads;
        if (reads == 2 || reads == 4) session->requestStop();
    };
    session->start(p, std::string());
    QCOMPARE(stops.size(), size_t(1));
    QVERIFY(stops[0].reason == RunStopReason::UserStop);
    QCOMPARE(stops[0].line, 6); // the reading line, which reads again on a resume
    QVERIFY(stops[0].showLine);
    QVERIFY(view->cancels >= 1);
    QCOMPARE(session->examine("s"), QString("Ana")); // the cut-off answer is not stored
    QVERIFY(!view->texts.contains("perdu"));
    QCOMPARE(StopStateText(stops[0]), QString("Arr\u00EAt\u00E9 par l'utilisateur ligne 7"));
    // F7 goes on at the same line: the next answer is read there.
    session->resume(p);
    QCOMPARE(session->examine("s"), QString("Bob"));
    QVERIFY(stops.back().reason == RunStopReason::UserStop); // the next read: stopped again
    QCOMPARE(reads, 4);
}

void RunSessionTest::ClosingAWindowWhileTheInputLineWaitsStopsFirst() {
    Program p{"char s[20]", "main()", "{", "boucle:", "gets(s)", "goto boucle", "}"};
    std::vector<std::string> order;
    view->onRead = [&] {
        if (order.empty()) session->whenStopped([&] { order.push_back("closed"); });
        order.push_back("read");
    };
    session->start(p, std::string());
    QCOMPARE(order, (std::vector<std::string>{"read", "closed"}));
    QVERIFY(stops.back().reason == RunStopReason::UserStop);
    QCOMPARE(stops.back().line, 4);
    QVERIFY(!session->isRunning());
}

void RunSessionTest::AFreshRunClearsTheConsoleAResumeWritesBelow() {
    Program p{"int x", "main()", "{", "puts(\"un\")", "puts(\"deux\")", "}"};
    session->start(p, std::string());
    QCOMPARE(view->clears, 1);
    session->start(p, std::string());
    QCOMPARE(view->clears, 2);
    QCOMPARE(view->texts, QStringList({"un", "deux"})); // nothing of the first run
    QCOMPARE(view->places.first(), QPoint(0, 0));
    // Stepping: every resume writes below what is already there.
    session->setStepMode(true);
    session->start(p, std::string());
    while (session->state() == RunSession::State::Paused)
        session->resume(p);
    QCOMPARE(view->clears, 3);
    QCOMPARE(view->texts, QStringList({"un", "deux"}));
    QCOMPARE(view->places.size(), 2);
    QVERIFY(view->places[1].y() > view->places[0].y());
}

void RunSessionTest::FilesStayOpenAcrossStepsAndCloseAtTheEnd() {
    QTemporaryDir dir;
    const std::string name = QDir::toNativeSeparators(dir.filePath("fruits.txt")).toStdString();
    {
        QFile f(dir.filePath("fruits.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("pomme\r\npoire\r\nprune\r\n");
    }
    Program p{"file f",
              "char ligne[80]",
              "main()",
              "{",
              "f=fopen(\"" + name + "\",\"r+t\")",
              "while (!feof(f))",
              "{",
              "fgets(f, ligne)",
              "puts(ligne)",
              "}",
              "fclose(f)",
              "}"};
    session->setStepMode(true);
    session->start(p, std::string());
    int steps = 0;
    while (session->state() == RunSession::State::Paused && ++steps < 200)
        session->resume(p);
    QVERIFY(view->messages.isEmpty());
    QVERIFY(stops.back().reason == RunStopReason::Finished);
    QCOMPARE(view->texts.mid(0, 3), QStringList({"pomme", "poire", "prune"}));
    // A program that ends without fclose leaves a complete file behind it.
    const std::string out = QDir::toNativeSeparators(dir.filePath("sortie.txt")).toStdString();
    Program w{"file g", "main()", "{", "g=fopen(\"" + out + "\",\"w+t\")", "fputs(\"fin\", g)",
              "}"};
    session->setStepMode(false);
    session->start(w, std::string());
    QVERIFY(stops.back().reason == RunStopReason::Finished);
    QFile written(dir.filePath("sortie.txt"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().startsWith("fin"));
}

void RunSessionTest::MarkersOnAnyLineAreNotCode() {
    // A breakpoint on main() and on a declaration: the program is prepared as written.
    Program p{"\xBBint x", "\xBBmain()", "{", "x = 4", "printf(\"%d\", x)", "}"};
    session->start(p, std::string());
    QVERIFY(view->messages.isEmpty());
    QVERIFY(stops.back().reason == RunStopReason::Finished);
    QCOMPARE(view->texts, QStringList{"4"});
    // A step marker that editing moved inside a line, removed before the resume.
    Program q{"int x", "main()", "{", "x = 1", "x = x + 1", "}"};
    session->setStepMode(true);
    session->start(q, std::string());
    session->resume(q);
    q.at(3) = "x = \x95"
              "2";
    QCOMPARE(std::erase(q.at(3), kStepMarker), std::size_t{1});
    session->setStepMode(false);
    session->resume(q);
    QVERIFY(view->messages.isEmpty());
    QCOMPARE(session->examine("x"), QString("3"));
}

void RunSessionTest::TheStatusTextSaysWhatTheRunDoes() {
    QCOMPARE(RunningStateText(), QString("Ex\u00E9cution..."));
    RunStop s;
    s.line = 4;
    QCOMPARE(StopStateText(s), QString("Termin\u00E9"));
    s.reason = RunStopReason::StepPause;
    s.stepMode = true;
    QCOMPARE(StopStateText(s), QString("Pause ligne 5 (pas \u00E0 pas)"));
    s.reason = RunStopReason::Breakpoint;
    QCOMPARE(StopStateText(s), QString("Pause ligne 5 (point d'arr\u00EAt)"));
    // A division by zero stops without a message: the panel says where.
    Program p{"int x", "main()", "{", "x = 0", "x = 5 / x", "}"};
    session->start(p, std::string());
    QVERIFY(stops.back().reason == RunStopReason::Error);
    QCOMPARE(StopStateText(stops.back()), QString("Arr\u00EAt\u00E9 ligne 5"));
}

// A pause before a block's end names the block (its end runs first), and "(pas à pas)"
// comes only when a resume will pause after one line.
void RunSessionTest::ThePauseTextSaysWhatAResumeDoes() {
    Program p{"int i", "main()", "{", "while (i < 2)", "{", "i++", "}", "puts(\"fin\")", "}"};
    session->setStepMode(true);
    session->start(p, std::string());
    for (int k = 0; k < 10 && stops.back().blockLine < 0; ++k)
        session->resume(p);
    QCOMPARE(stops.back().blockLine, 3);
    QCOMPARE(StopStateText(stops.back()),
             QString("Pause \u00E0 la fin du bloc de la ligne 4 (pas \u00E0 pas)"));
    session->resume(p); // the loop's end goes back to its test
    QCOMPARE(stops.back().line, 3);
    QCOMPARE(StopStateText(stops.back()), QString("Pause ligne 4 (pas \u00E0 pas)"));
    // A step over with step mode off: the resume after it runs to the end.
    session->setStepMode(false);
    session->setNextStep(RunSession::StepKind::Over);
    session->resume(p);
    QCOMPARE(StopStateText(stops.back()), QString("Pause ligne 5"));
    session->resume(p);
    QVERIFY(stops.back().reason == RunStopReason::Finished);
    QCOMPARE(view->texts.join(""), QString("fin"));
}

void RunSessionTest::ARepeatedMessageOfALineComesOnceWithItsCount() {
    // Each bad character of the number gives the message: three, shown as one.
    Program p{"int x", "main()", "{", "x = ABS(-2abc)", "}"};
    session->start(p, std::string());
    QCOMPARE(view->messages, QStringList{"Expression incorrecte"});
    QCOMPARE(view->runMessages.size(), 1);
    QCOMPARE(view->runMessages[0].count, 3);
    QCOMPARE(view->runMessages[0].line, 3);
    QVERIFY(stops.back().reason == RunStopReason::Error);
    // Messages that differ, or come after output, each keep their box.
    Program q{"int t[3]", "main()", "{", "puts(\"a\")", "y = 1", "}"};
    session->start(q, std::string());
    QCOMPARE(view->runMessages.size(), 2);
    QCOMPARE(view->runMessages[1].text, QString("Identificateur y inconnu"));
    QCOMPARE(view->runMessages[1].count, 1);
    QCOMPARE(view->runMessages[1].line, 4);
    // Outside a run (the examine dialog), a message shows at once.
    session->examine("t[5000]");
    QCOMPARE(view->messages.last(), QString("Indice hors limites"));
    QCOMPARE(view->runMessages.last().line, -1);
}

void RunSessionTest::EditsDuringAPauseMoveTheRunWithTheirText() {
    Program p{"int i", "main()", "{", "i = 0", "i++", "printf(\"%d\", i)", "}"};
    std::vector<RunStop> moved;
    connect(session, &RunSession::stopMoved, this,
            [&moved](const RunStop& s) { moved.push_back(s); });
    session->setStepMode(true);
    session->start(p, std::string());
    for (int k = 0; k < 3; ++k)
        session->resume(p);
    QCOMPARE(stops.back().line, 5); // i++ has run, printf comes next
    // A comment line typed at the top moves the whole run down one line.
    p.insert(0, "// essai");
    session->textEdited(0, 0, 1);
    QCOMPARE(session->startLine(), 6);
    QCOMPARE(moved.size(), size_t(1));
    QCOMPARE(StopStateText(moved.back()), QString("Pause ligne 7 (pas \u00E0 pas)"));
    QCOMPARE(session->history().line(session->history().size() - 1), 6);
    QCOMPARE(session->history().line(0), 3); // the first pause, before "{"
    // A change inside one line moves nothing.
    p.at(0) = "// essai 2";
    session->textEdited(1, 0, 0);
    QCOMPARE(moved.size(), size_t(1));
    session->setStepMode(false);
    session->resume(p);
    QCOMPARE(view->texts.join(""), QString("1"));
    QVERIFY(view->messages.isEmpty());

    // The line that was to run next deleted: the panel says where the run goes on.
    session->setStepMode(true);
    session->start(p, std::string());
    for (int k = 0; k < 2; ++k)
        session->resume(p);
    QCOMPARE(stops.back().line, 5); // i++ comes next
    p.erase(5);
    session->textEdited(5, 1, 0);
    QCOMPARE(session->startLine(), 5);
    QVERIFY(moved.back().resumeLineRemoved);
    QCOMPARE(
        StopStateText(moved.back()),
        QString("Ligne \u00E0 ex\u00E9cuter supprim\u00E9e : reprise ligne 6 (pas \u00E0 pas)"));
    session->setStepMode(false);
    session->resume(p);
    QCOMPARE(view->texts.join(""), QString("0"));
}

void RunSessionTest::AnEditTheRunCannotFollowStopsTheResume() {
    Program p{"int i", "main()", "{", "i = 4", "\xBBi++", "printf(\"%d\", i)", "}"};
    session->start(p, std::string());
    QVERIFY(stops.back().reason == RunStopReason::Breakpoint);
    p.at(0) = "float i";
    session->textEdited(0, 0, 0);
    session->resume(p);
    QCOMPARE(view->messages, QStringList{"Impossible de continuer : la d\u00E9claration de i a "
                                         "chang\u00E9. Relancez le programme (F9)."});
    QCOMPARE(stops.size(), size_t(1)); // nothing ran
    QVERIFY(session->state() == RunSession::State::Paused);
    QCOMPARE(session->startLine(), 4);
    // Put back, with a declaration added and used: the run goes on.
    p.at(0) = "int i";
    p.insert(1, "int j");
    session->textEdited(1, 0, 1);
    p.insert(7, "j = i * 10");
    p.insert(8, "printf(\"%d\", j)");
    session->textEdited(7, 0, 2);
    session->resume(p);
    QCOMPARE(view->texts.join(""), QString("550"));
    QVERIFY(stops.back().reason == RunStopReason::Finished);
}

QTEST_MAIN(RunSessionTest)
#include "run_session_test.moc"
