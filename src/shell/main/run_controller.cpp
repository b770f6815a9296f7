#include "run_controller.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <utility>

#include "call_list.h"
#include "command_table.h"
#include "console_window.h"
#include "cp1252_qstring.h"
#include "debug_dock.h"
#include "editor_window.h"
#include "examine_dialog.h"
#include "help_viewer.h"
#include "hover_tips.h"
#include "main_window.h"
#include "run_history.h"
#include "run_session.h"
#include "symbol_table_dialog.h"
#include "warnings_dock.h"

namespace vokc {

namespace {
// A program finds its data files beside it: a fresh run starts in the folder of its saved
// file, or in the home folder for a window never saved. The program may move on with
// chdir; a resume leaves it where it is.
void RunFolder(const EditorWindow* editor) {
    const QString file = editor->fileName();
    QDir::setCurrent(file.isEmpty() ? QDir::homePath() : QFileInfo(file).absolutePath());
}
} // namespace

RunController::RunController(MainWindow& window) : QObject(&window), window_(window) {}

void RunController::setSharedWindows(const SharedWindows& shared, HelpViewer* help) {
    shared_ = shared;
    RunSession* session = shared_.session;
    if (!session) return;
    connect(session, &RunSession::runningChanged, &window_, &MainWindow::updateActions);
    connect(session, &RunSession::stopped, this, &RunController::showStop);
    QLabel* runPanel = window_.runPanel();
    connect(session, &RunSession::runningChanged, this, [runPanel](bool running) {
        if (running) runPanel->setText(RunningStateText());
    });
    connect(session, &RunSession::stopped, this,
            [runPanel](const RunStop& stop) { runPanel->setText(StopStateText(stop)); });
    // Lines added or removed during a pause move the line the panel names.
    connect(session, &RunSession::stopMoved, this, [this, runPanel, session](const RunStop& stop) {
        lastStop_ = stop;
        runPanel->setText(StopStateText(stop));
        // The calls tab names lines too.
        if (debugDock_ && debugDock_->isVisible())
            debugDock_->calls()->refresh(session->interpreter());
    });
    connectConsole(help);
    setUpDebugger();
}

void RunController::connectConsole(HelpViewer* help) {
    ConsoleWindow* console = shared_.console;
    if (!console) return;
    RunSession* session = shared_.session;
    connect(session, &RunSession::runningChanged, console, &ConsoleWindow::setRunning);
    connect(console, &ConsoleWindow::stopRequested, session, &RunSession::requestStop);
    // The run keys (and quitting) work in the console as in the editor.
    for (const CommandRow& row : CommandTable())
        if (row.flags & kConsoleKey) console->addAction(window_.action(row.role));
    connect(console, &ConsoleWindow::helpRequested, help, &HelpViewer::showPage);
    // A read that waits says so, with its line: the run is not frozen.
    QLabel* runPanel = window_.runPanel();
    connect(console, &ConsoleWindow::readStarted, this, [runPanel, session] {
        if (session->isRunning())
            runPanel->setText(ReadingStateText(session->interpreter().RunningLine()));
    });
    connect(console, &ConsoleWindow::readEnded, this, [runPanel, session] {
        if (session->isRunning()) runPanel->setText(RunningStateText());
    });
}

bool RunController::running() const {
    return shared_.session && shared_.session->isRunning();
}

bool RunController::afterStop(std::function<void()> then) {
    if (!running()) return false;
    shared_.session->whenStopped(std::move(then));
    return true;
}

bool RunController::deferClose(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::Close || !running()) return false;
    auto* editor = qobject_cast<EditorWindow*>(watched);
    if (!editor) return false;
    // The program reads this window's text: it stops first, then the window closes.
    QPointer<EditorWindow> guard(editor);
    afterStop([guard] {
        if (!guard) return;
        if (QWidget* sub = guard->parentWidget())
            sub->close();
        else
            guard->close();
    });
    e->ignore();
    return true;
}

void RunController::activeWindowChanged() {
    EditorWindow* now = nullptr;
    if (QMdiSubWindow* sub = window_.mdiArea()->activeSubWindow())
        now = qobject_cast<EditorWindow*>(sub->widget());
    // No active child (the console or a dialog has the focus) changes nothing: coming back
    // to the same editor must not end its step mode.
    if (!now || now == activeEditor_) return;
    // Another program's window: the files of the last run are closed and step mode ends
    // (the menu's check mark stays).
    if (activeEditor_ && shared_.session) shared_.session->closeFiles();
    activeEditor_ = now;
    if (shared_.session) shared_.session->setStepMode(false);
    stepModeChanged();
}

void RunController::connectEditor(EditorWindow* editor) {
    connect(editor, &EditorWindow::runRequested, this, [this, editor] { startRun(editor, true); });
    connect(editor, &EditorWindow::resumeRequested, this,
            [this, editor] { startRun(editor, false); });
    if (hoverTips_) hoverTips_->watch(editor->memo());
    if (RunSession* session = shared_.session) {
        connect(editor, &EditorWindow::stepModeRequested, session, &RunSession::setStepMode);
        // A resume goes on from the line before the toggled one; but during a pause of
        // this window's run, it goes on from the line the pause shows (F4 runs to a line).
        connect(editor, &EditorWindow::breakpointToggled, session,
                [this, session, editor](int line) {
                    if (session->state() == RunSession::State::Paused && runningEditor_ == editor)
                        return;
                    session->setStartLine(line - 1);
                });
        connect(editor, &EditorWindow::closing, session, &RunSession::closeFiles);
        // The run follows the edits of its own program's text.
        connect(editor, &EditorWindow::linesEdited, session,
                [this, session, editor](int first, int removed, int inserted) {
                    if (runningEditor_ != editor) return;
                    session->textEdited(first, removed, inserted);
                    restoreStepMarker();
                });
    }
}

// An undo takes the step marker away with the rest of the text it restores, and a
// deleted line takes its marker: during a step pause the marker comes back in front of
// the line that runs next, once the edit is over.
void RunController::restoreStepMarker() {
    RunSession* session = shared_.session;
    EditorWindow* editor = runningEditor_;
    if (!session || !editor || session->state() != RunSession::State::Paused || !lastStop_ ||
        !lastStop_->markStep || editor->stepMarkerLine() >= 0)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            RunSession* s = shared_.session;
            EditorWindow* e = runningEditor_;
            if (s && e && s->state() == RunSession::State::Paused && e->stepMarkerLine() < 0)
                e->insertStepMarker(s->startLine());
        },
        Qt::QueuedConnection);
}

void RunController::startRun(EditorWindow* editor, bool fresh) {
    RunSession* session = shared_.session;
    if (!session || session->isRunning()) return;
    // A text edited during the pause may not allow the run to go on: then nothing moves.
    if (!fresh && runningEditor_ == editor && !session->prepareResume(editor->programText()))
        return;
    editor->removeStepMarkers();
    runningEditor_ = editor;
    if (hoverTips_) hoverTips_->setEditor(editor->memo());
    editor->beginRun();
    if (fresh) {
        checkProgram(editor);
        if (nextRunFolder_.isEmpty())
            RunFolder(editor);
        else
            QDir::setCurrent(std::exchange(nextRunFolder_, QString()));
        session->start(editor->programText(), QStringToCp1252(editor->shownName()));
    } else {
        session->resume(editor->programText());
    }
}

void RunController::showStop(const RunStop& stop) {
    lastStop_ = stop;
    EditorWindow* editor = runningEditor_;
    if (!editor) return;
    editor->endRun();
    if (stop.markStep) editor->insertStepMarker(stop.line);
    if (stop.showLine) editor->showStopLine(stop.line);
    // The keyboard goes back to the program's text, where the run keys are; the console
    // stays in view beside it.
    window_.activateWindow();
    if (shared_.console && shared_.console->isVisible()) shared_.console->raise();
    if (QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(editor->parentWidget()))
        window_.mdiArea()->setActiveSubWindow(sub);
    editor->memo()->setFocus();
    // The variables come forward the first time a run pauses step by step.
    if (stop.reason == RunStopReason::StepPause && debugDock_ && !debugDockShownOnce_) {
        debugDockShownOnce_ = true;
        debugDock_->showVariables();
    }
}

// ---- The commands ----

void RunController::runProgram() {
    if (EditorWindow* e = window_.activeEditor()) e->runProgram();
}

void RunController::toggleBreakpoint() {
    if (EditorWindow* e = window_.activeEditor()) e->toggleBreakpoint();
}

void RunController::resumeRun() {
    if (EditorWindow* e = window_.activeEditor()) e->resumeRun();
}

void RunController::toggleStepMode() {
    // The check mark is the main window's (Qt has already inverted it).
    if (EditorWindow* e = window_.activeEditor())
        e->setStepMode(window_.action(Command::StepMode)->isChecked());
    stepModeChanged();
}

void RunController::stepModeChanged() {
    RunSession* session = shared_.session;
    if (!session || !lastStop_ || session->state() != RunSession::State::Paused) return;
    if (lastStop_->reason != RunStopReason::StepPause) return;
    lastStop_->stepMode = session->stepMode();
    window_.runPanel()->setText(StopStateText(*lastStop_));
}

void RunController::stopProgram() {
    if (shared_.session) shared_.session->requestStop();
}

void RunController::showConsole() {
    if (shared_.console) shared_.console->bringForward();
}

void RunController::saveConsoleText() {
    if (shared_.console) shared_.console->saveTextAs();
}

void RunController::showSymbolTable() {
    if (!shared_.session || !shared_.symbolTable) return;
    shared_.symbolTable->setLines(shared_.session->symbolListing());
    shared_.symbolTable->exec();
}

void RunController::examineVariable() {
    if (!shared_.session || !shared_.examine) return;
    RunSession* session = shared_.session;
    shared_.examine->setEvaluator(
        [session](const QString& reference) { return session->examine(reference); });
    shared_.examine->exec();
}

// ---- Watching a run: the variables dock, finer steps and the history ----

void RunController::setUpDebugger() {
    if (debugDock_) return;
    RunSession& session = *shared_.session;
    debugDock_ = new DebugDock(session, &window_);
    window_.addDockWidget(Qt::BottomDockWidgetArea, debugDock_);
    debugDock_->hide();
    connect(debugDock_->calls(), &CallList::lineActivated, this, [this](int line) {
        EditorWindow* editor = runningEditor_;
        if (!editor) return;
        QTextCursor cursor(editor->memo()->document()->findBlockByNumber(line));
        editor->memo()->setTextCursor(cursor);
        editor->memo()->setFocus();
    });
    warningsDock_ = new WarningsDock(&window_);
    window_.addDockWidget(Qt::BottomDockWidgetArea, warningsDock_);
    warningsDock_->hide();
    connect(warningsDock_, &WarningsDock::lineActivated, this, [this](int line) {
        EditorWindow* editor = activeEditor_ ? activeEditor_.data() : runningEditor_.data();
        if (!editor) return;
        QTextCursor cursor(editor->memo()->document()->findBlockByNumber(line));
        editor->memo()->setTextCursor(cursor);
        editor->memo()->setFocus();
    });
    // A warning of the run joins those of the look before it.
    connect(&session, &RunSession::runWarning, this, [this](const QString& text, int line) {
        warningsDock_->addWarning(line, text);
        warningsDock_->show();
        if (EditorWindow* editor = runningEditor_) {
            std::vector<int> lines = editor->memo()->warningLines();
            lines.push_back(line);
            editor->memo()->setWarningLines(std::move(lines));
        }
    });
    connect(warningsDock_, &WarningsDock::checkRequested, this, [this] {
        if (EditorWindow* editor = activeEditor_ ? activeEditor_.data() : runningEditor_.data())
            checkProgram(editor);
    });
    hoverTips_ = new HoverTips(session, this);
    for (EditorWindow* editor : window_.editors())
        hoverTips_->watch(editor->memo());
}

void RunController::checkProgram(EditorWindow* editor) {
    const std::vector<ProgramWarning> warnings = CheckProgram(editor->programText());
    std::vector<int> lines;
    for (const ProgramWarning& w : warnings)
        lines.push_back(w.line);
    editor->memo()->setWarningLines(std::move(lines));
    if (!warningsDock_) return;
    warningsDock_->showWarnings(warnings);
    if (!warnings.empty()) warningsDock_->show();
}

void RunController::showVariables() {
    if (debugDock_) debugDock_->showVariables();
}

void RunController::showCalls() {
    if (debugDock_) debugDock_->showCalls();
}

void RunController::runFinerStep(int kind) {
    EditorWindow* editor = window_.activeEditor();
    RunSession* session = shared_.session;
    if (!editor || !session || session->isRunning()) return;
    const auto step = static_cast<RunSession::StepKind>(kind);
    session->setNextStep(step, editor->memo()->textCursor().blockNumber());
    // From a pause of this window's program the run goes on; otherwise it starts afresh.
    const bool resume = session->state() == RunSession::State::Paused && runningEditor_ == editor;
    startRun(editor, !resume);
}

void RunController::stepOver() {
    runFinerStep(static_cast<int>(RunSession::StepKind::Over));
}

void RunController::stepOut() {
    runFinerStep(static_cast<int>(RunSession::StepKind::Out));
}

void RunController::runToCursor() {
    runFinerStep(static_cast<int>(RunSession::StepKind::ToLine));
}

void RunController::showViewedPause() {
    RunSession* session = shared_.session;
    EditorWindow* editor = runningEditor_;
    if (!session || !editor || session->history().empty()) return;
    RunHistory& history = session->history();
    editor->showStopLine(history.line(history.viewed()));
    if (debugDock_) {
        if (!debugDock_->isVisible()) debugDock_->showVariables();
        debugDock_->showViewedPause();
    }
}

void RunController::previousStep() {
    RunSession* session = shared_.session;
    if (!session || session->isRunning() || !session->history().back()) return;
    showViewedPause();
}

void RunController::nextStep() {
    RunSession* session = shared_.session;
    if (!session || session->isRunning() || !session->history().forward()) return;
    showViewedPause();
}

} // namespace vokc
