// The run session driven deterministically through a fake console: fresh runs, step and
// breakpoint pauses, resuming, the stop request, error stops, and what waits for a stop.
#include <QGuiApplication>
#include <QLocale>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "console_view.h"
#include "host.h"
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

  private:
    std::vector<std::string> lines_;
};

// Records what the run shows and answers from a list; `onDraw` lets a test act in the
// middle of a run.
class FakeConsole final : public ConsoleView {
  public:
    QString caption;
    QStringList texts, messages, errors, answers;
    int clears = 0;
    std::function<void()> onDraw;

    void showConsole(const QString& c) override { caption = c; }
    void drawText(int, int, const QString& text) override {
        texts << text;
        if (onDraw) onDraw();
    }
    int textWidth(const QString& text) override { return 10 * static_cast<int>(text.size()); }
    void clear() override { ++clears; }
    QString readAnswer(int, int) override {
        return answers.isEmpty() ? QString() : answers.takeFirst();
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
};

QTEST_MAIN(RunSessionTest)
#include "run_session_test.moc"
