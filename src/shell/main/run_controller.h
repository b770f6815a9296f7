// The run controller: the main window's part that runs programs. It starts a run from an
// editor window and resumes it, shows each stop in that window, runs the finer steps
// (over, out, to the cursor), walks the history of pauses, keeps a window that is being
// closed (or the main window) open until the run has stopped, closes the last run's
// files when another program's window becomes active, and wires the debugger dock, the
// value tips and the program's console to the run session.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

#include "run_session.h"
#include "shared_windows.h"

class QEvent;

namespace vokc {

class DebugDock;
class WarningsDock;
class EditorWindow;
class HelpViewer;
class HoverTips;
class MainWindow;

class RunController : public QObject {
    Q_OBJECT
  public:
    explicit RunController(MainWindow& window);

    // Connects the run session, its console and the inspection dialogs. Without a
    // session no program runs.
    void setSharedWindows(const SharedWindows& shared, HelpViewer* help);
    bool running() const;
    // Connects a new editor window's run commands.
    void connectEditor(EditorWindow* editor);
    // Called when a window of the frame becomes active.
    void activeWindowChanged();
    // While a program runs: `then` waits for its stop and the answer is true; otherwise
    // nothing is kept and the answer is false.
    bool afterStop(std::function<void()> then);
    // Closing an editor window during a run: the close waits for the run to stop, and the
    // answer is true (the event is then handled). Meant for an application event filter.
    bool deferClose(QObject* watched, QEvent* event);

    // The next fresh run starts in this folder instead of its program's (a graded case's
    // working folder); the runs after it as before.
    void setNextRunFolder(const QString& folder) { nextRunFolder_ = folder; }

    DebugDock* debugDock() const { return debugDock_; }
    WarningsDock* warningsDock() const { return warningsDock_; }
    // The look before the run on an editor's program: its warnings as marks in the
    // editor's margin and rows of the warnings dock, which shows itself when there are
    // some. It never stops a run.
    void checkProgram(EditorWindow* editor);
    HoverTips* hoverTips() const { return hoverTips_; }

  public slots:
    void runProgram();
    void toggleBreakpoint();
    void resumeRun();
    void toggleStepMode();
    void stopProgram();
    void stepOver();
    void stepOut();
    void runToCursor();
    void previousStep();
    void nextStep();
    void showConsole();
    void saveConsoleText();
    void showSymbolTable();
    void examineVariable();
    void showVariables();
    void showCalls();

  private:
    void connectConsole(HelpViewer* help);
    void startRun(EditorWindow* editor, bool fresh);
    void showStop(const RunStop& stop);
    void setUpDebugger();
    void runFinerStep(int kind);
    void showViewedPause();
    // The step mode changed during a pause: the run panel says what a resume now does.
    void stepModeChanged();
    void restoreStepMarker();

    MainWindow& window_;
    SharedWindows shared_;
    QPointer<EditorWindow> activeEditor_;  // cleared when that window goes away
    QPointer<EditorWindow> runningEditor_; // the window whose program runs or ran last
    DebugDock* debugDock_ = nullptr;
    WarningsDock* warningsDock_ = nullptr;
    HoverTips* hoverTips_ = nullptr;
    bool debugDockShownOnce_ = false;
    std::optional<RunStop> lastStop_; // the last stop shown
    QString nextRunFolder_;
};

} // namespace vokc
