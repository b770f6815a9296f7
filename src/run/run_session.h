// The run session: the one owner of a program run in the desktop application. It owns
// the interpreter and its host, the line a paused run goes on from, the step mode, the
// run state and the stop request, and reports each stop by a signal. The main window
// connects the editor's run commands to it and its signals back to the editor.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "interpreter.h"

class QPrinter;

namespace vokc {

class ConsoleView;
class RunHistory;
class DesktopHost;

// Why a run stopped.
enum class RunStopReason {
    Finished,   // the program ended
    Error,      // a message or the error box ended it
    StepPause,  // step mode paused before the next line
    Breakpoint, // a free run reached a line with a breakpoint marker
    UserStop,   // the stop command (or closing a window) ended it
};

// One stop of a run: why, and the 0-based line a resume goes on from. `markStep` asks the
// editor for a step marker in front of that line; `showLine` to put the caret there and
// highlight it. A step that paused before a block's end gives the 0-based line that
// opened the block (`blockLine`, -1 otherwise): a resume runs that end first. `stepMode`
// says whether the next resume pauses after one line.
struct RunStop {
    RunStopReason reason = RunStopReason::Finished;
    int line = 0;
    bool markStep = false;
    bool showLine = false;
    int blockLine = -1;
    bool stepMode = false;
    // The line that was to run next was deleted during the pause: the run goes on at
    // the first line after the deletion.
    bool resumeLineRemoved = false;
};

// What the status bar's run panel says: during a run, and after each kind of stop (the
// line counted from 1, as the editor shows it).
QString RunningStateText();
QString StopStateText(const RunStop& stop);
// While a read waits for the user's answer at a 0-based line.
QString ReadingStateText(int line);

class RunSession : public QObject {
    Q_OBJECT
  public:
    enum class State { Idle, Running, Paused, Finished };
    // Finer steps: a call runs as one step, run until the current procedure returns, run
    // until a line is about to run.
    enum class StepKind { Over, Out, ToLine };

    explicit RunSession(ConsoleView& view, QObject* parent = nullptr);
    ~RunSession() override;

    State state() const { return state_; }
    bool isRunning() const { return state_ == State::Running; }
    // The 0-based line the next resume starts from.
    int startLine() const { return startLine_; }
    bool stepMode() const { return stepMode_; }

    // A fresh run of a program text on an empty console; `programName` (the file name
    // without folder, in Windows-1252) goes into the console's caption. Does nothing
    // while a run is going on.
    void start(const ProgramText& text, const std::string& programName);
    // The next fresh run reads its answers from these bytes instead of the console (see
    // DesktopHost::setScriptedInput), its resumes going on where it was; the runs after
    // it read the console again.
    void setScriptedInput(std::string bytes) { pendingInput_ = std::move(bytes); }
    // Goes on from the start line (after a pause, an error or a breakpoint toggle), with
    // the output where it was and the program's files still open. After edits of the
    // text during the pause, prepareResume runs first; when it refuses, nothing runs.
    void resume(const ProgramText& text);
    // Before resuming on a text edited during the pause: the declarations, labels and
    // procedures added are taken on. False, after a message that asks to start again,
    // when the run cannot go on with this text; the pause is then as it was.
    bool prepareResume(const ProgramText& text);
    // Runs `action` once the current run has stopped (at once when none is going on),
    // asking a running program to stop first. This is how a window that the program
    // needs is closed during a run.
    void whenStopped(std::function<void()> action);
    // Closes the program's files (not while it runs).
    void closeFiles();

    // The symbol-table listing and the examine dialog's text of the last run.
    QStringList symbolListing() const;
    QString examine(const QString& reference);

    // The next run, fresh or resumed, pauses as `kind` says (`line`: the 0-based line of
    // ToLine) instead of by the step mode; the run after it is as before.
    void setNextStep(StepKind kind, int line = -1);
    // The last run for the inspection windows (read only), and the pauses it went through.
    const Interpreter& interpreter() const { return *interpreter_; }
    RunHistory& history() { return *history_; }
    // The value of a variable or element reference of the last run; an empty text when it
    // names no variable.
    QString inspect(const QString& reference) const;

    // The printer of fopen(PRN:); tests give one that writes a PDF file.
    void setPrinterFactory(std::function<std::unique_ptr<QPrinter>()> factory);

  public slots:
    void setStepMode(bool on);
    // The line a resume goes on from (toggling a breakpoint moves it).
    void setStartLine(int line);
    // Asks a running program to stop at its current line; a read that waits for the
    // user ends at once and the run stops at the reading line.
    void requestStop();
    // The program's text was edited while no run was going on: the lines
    // [first, first + removed) became `inserted` lines. Every line the run keeps follows
    // its text: the line a resume goes on from, the interpreter's, the history's.
    void textEdited(int first, int removed, int inserted);

  signals:
    void runningChanged(bool running);
    void stopped(const vokc::RunStop& stop);
    // An edit moved the line the pause shows (the last stop, as it now reads).
    void stopMoved(const vokc::RunStop& stop);
    // A warning of the run at a 0-based line (a division by zero that stops it).
    void runWarning(const QString& text, int line);

  private:
    void runFrom(const ProgramText& text, bool fresh);
    RunStop describeStop(const RunResult& result, bool fresh, bool stepped) const;

    ConsoleView& view_;
    std::unique_ptr<DesktopHost> host_;
    std::unique_ptr<Interpreter> interpreter_;
    State state_ = State::Idle;
    int startLine_ = 0;
    bool stepMode_ = false;
    std::vector<std::function<void()>> afterStop_;
    std::unique_ptr<RunHistory> history_;
    // A step mode for the next run only (Free: the session's own mode).
    StepMode nextMode_ = StepMode::Free;
    std::vector<std::string> values_;
    RunStop lastStop_;
    bool hasStop_ = false;
    bool edited_ = false; // the text changed since the pause
    std::optional<std::string> pendingInput_;
};

} // namespace vokc
