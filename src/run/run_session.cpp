#include "run_session.h"

#include <utility>

#include <QPrinter>
#include <string>
#include <vector>

#include "console_view.h"
#include "cp1252_qstring.h"
#include "desktop_host.h"
#include "interpreter.h"
#include "run_history.h"

namespace vokc {

namespace {
// The program's lines as they stand when a run starts, read once. The editor's text is
// read-only while the interpreter runs, so the run reads the same bytes it would read
// from the editor at every pass, without the cost of reaching into its document (twice
// the interpreter's own time on a tight loop); an edit made during a pause is in the
// next run's copy.
class RunText final : public ProgramText {
  public:
    explicit RunText(const ProgramText& text) {
        const int count = text.LineCount();
        lines_.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            lines_.emplace_back(text.Line(i));
    }
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    std::string_view Line(int index) const override {
        return lines_[static_cast<std::size_t>(index)];
    }

  private:
    std::vector<std::string> lines_;
};
// Elements of an array that the history keeps, as many as the variables panel shows.
constexpr int kHistoryElements = RunHistory::kElementsKept;
} // namespace

QString RunningStateText() {
    return QStringLiteral("Ex\u00E9cution...");
}

QString ReadingStateText(int line) {
    return QStringLiteral("Saisie ligne %1").arg(line + 1);
}

QString StopStateText(const RunStop& stop) {
    const int line = stop.line + 1;
    if (stop.resumeLineRemoved && stop.reason != RunStopReason::Finished) {
        QString text = QStringLiteral("Ligne à exécuter supprimée : reprise ligne %1").arg(line);
        if (stop.stepMode) text += QStringLiteral(" (pas à pas)");
        return text;
    }
    switch (stop.reason) {
    case RunStopReason::Finished:
        return QStringLiteral("Termin\u00E9");
    case RunStopReason::Error:
        return QStringLiteral("Arr\u00EAt\u00E9 ligne %1").arg(line);
    case RunStopReason::StepPause: {
        // The words say what a resume does: the block's end first, and one line or all.
        QString text = stop.blockLine >= 0
                           ? QStringLiteral("Pause \u00E0 la fin du bloc de la ligne %1")
                                 .arg(stop.blockLine + 1)
                           : QStringLiteral("Pause ligne %1").arg(line);
        if (stop.stepMode) text += QStringLiteral(" (pas \u00E0 pas)");
        return text;
    }
    case RunStopReason::Breakpoint:
        return QStringLiteral("Pause ligne %1 (point d'arr\u00EAt)").arg(line);
    case RunStopReason::UserStop:
        return QStringLiteral("Arr\u00EAt\u00E9 par l'utilisateur ligne %1").arg(line);
    }
    return {};
}

RunSession::RunSession(ConsoleView& view, QObject* parent)
    : QObject(parent), view_(view), host_(std::make_unique<DesktopHost>(view)),
      interpreter_(std::make_unique<Interpreter>(*host_)),
      history_(std::make_unique<RunHistory>()) {
    host_->setWarningSink(
        [this](std::string_view text, int line) { emit runWarning(Cp1252ToQString(text), line); });
}

RunSession::~RunSession() = default;

void RunSession::setPrinterFactory(std::function<std::unique_ptr<QPrinter>()> factory) {
    host_->setPrinterFactory(std::move(factory));
}

void RunSession::setStepMode(bool on) {
    stepMode_ = on;
}

void RunSession::setNextStep(StepKind kind, int line) {
    switch (kind) {
    case StepKind::Over:
        nextMode_ = StepMode::Over;
        break;
    case StepKind::Out:
        nextMode_ = StepMode::Out;
        break;
    case StepKind::ToLine:
        nextMode_ = StepMode::ToLine;
        interpreter_->SetRunToLine(line);
        break;
    }
}

void RunSession::setStartLine(int line) {
    startLine_ = line;
}

void RunSession::requestStop() {
    if (isRunning()) host_->requestStop();
}

void RunSession::start(const ProgramText& text, const std::string& programName) {
    if (isRunning()) return;
    interpreter_->StartProgram(programName);
    host_->setScriptedInput(std::exchange(pendingInput_, std::nullopt));
    startLine_ = 0;
    edited_ = false;
    hasStop_ = false;
    // A new run never shows the output of the previous one.
    view_.clear();
    runFrom(text, true);
}

void RunSession::resume(const ProgramText& text) {
    if (isRunning() || !prepareResume(text)) return;
    runFrom(text, false);
}

bool RunSession::prepareResume(const ProgramText& text) {
    if (isRunning()) return false;
    if (!edited_ || state_ != State::Paused) return true;
    if (!interpreter_->AdoptEditedText(text)) return false;
    edited_ = false;
    return true;
}

void RunSession::textEdited(int first, int removed, int inserted) {
    if (isRunning()) return;
    const LineMove move{first, removed, inserted};
    if (state_ == State::Paused) {
        // Even a change inside a line may declare something: the resume looks again.
        edited_ = true;
        if (!move.Moves()) return;
        const bool removesResumeLine = move.Removes(startLine_);
        startLine_ = interpreter_->TextEdited(first, removed, inserted, startLine_);
        if (hasStop_ && removesResumeLine) lastStop_.resumeLineRemoved = true;
    } else {
        if (!move.Moves()) return;
        startLine_ = move.Map(startLine_);
    }
    history_->moveLines(move);
    if (!hasStop_) return;
    lastStop_.line = startLine_;
    if (lastStop_.blockLine >= 0) lastStop_.blockLine = move.Map(lastStop_.blockLine);
    emit stopMoved(lastStop_);
}

void RunSession::runFrom(const ProgramText& text, bool fresh) {
    state_ = State::Running;
    host_->beginRun();
    emit runningChanged(true);
    if (fresh) history_->clear();
    history_->toPresent();
    const StepMode mode = nextMode_ != StepMode::Free ? nextMode_
                          : stepMode_                 ? StepMode::Line
                                                      : StepMode::Free;
    nextMode_ = StepMode::Free;
    host_->setHintSource([this, &text](std::string_view message, int line) {
        return HintFor(message, text, line, interpreter_.get());
    });
    const RunResult result = interpreter_->Exec(RunText(text), startLine_, mode);
    host_->setHintSource(nullptr);
    host_->endRun();
    startLine_ = result.line;
    const RunStop stop = describeStop(result, fresh, mode != StepMode::Free);
    lastStop_ = stop;
    hasStop_ = true;
    edited_ = false;
    // Every pause is remembered with the values of that moment.
    if (stop.reason == RunStopReason::StepPause || stop.reason == RunStopReason::Breakpoint) {
        interpreter_->ValueTexts(values_, kHistoryElements);
        history_->record(stop.line, values_);
    }
    state_ = stop.reason == RunStopReason::Finished ? State::Finished : State::Paused;
    // A run that ended or failed leaves no file open; a pause or the stop command keeps
    // them, so that a resume reads on where it was.
    if (stop.reason == RunStopReason::Finished || stop.reason == RunStopReason::Error)
        interpreter_->CloseAllFiles();
    emit runningChanged(false);
    emit stopped(stop);
    // Windows closed during the run go now, in the order they asked.
    std::vector<std::function<void()>> actions;
    actions.swap(afterStop_);
    for (auto& action : actions)
        action();
}

// The interpreter's result as the windows see it.
RunStop RunSession::describeStop(const RunResult& result, bool fresh, bool stepped) const {
    RunStop stop;
    stop.line = result.line;
    switch (result.reason) {
    case StopReason::Finished:
        stop.reason = RunStopReason::Finished;
        break;
    case StopReason::Error:
    case StopReason::StepLimit: // no limit is set here
        stop.reason = RunStopReason::Error;
        break;
    case StopReason::Interrupted:
        stop.reason = RunStopReason::UserStop;
        break;
    case StopReason::Breakpoint:
        stop.reason = RunStopReason::Breakpoint;
        break;
    case StopReason::Step:
    case StopReason::StepBeforeBlockEnd:
        stop.reason = RunStopReason::StepPause;
        break;
    }
    // A pause at a block's end keeps the marker where the previous step put it, and a
    // resumed run shows its stop line only when it did not pause there.
    const bool blockEnd = result.reason == StopReason::StepBeforeBlockEnd;
    stop.markStep = stepped && stop.reason != RunStopReason::Breakpoint && (fresh || !blockEnd);
    stop.showLine = result.reason != StopReason::Finished && (fresh || !blockEnd);
    if (blockEnd) stop.blockLine = interpreter_->OpenBlockLine();
    stop.stepMode = stepMode_;
    return stop;
}

void RunSession::whenStopped(std::function<void()> action) {
    if (!isRunning()) {
        action();
        return;
    }
    afterStop_.push_back(std::move(action));
    host_->requestStop();
}

void RunSession::closeFiles() {
    if (!isRunning()) interpreter_->CloseAllFiles();
}

QStringList RunSession::symbolListing() const {
    QStringList lines;
    for (const std::string& line : interpreter_->SymbolListing())
        lines << Cp1252ToQString(line);
    return lines;
}

QString RunSession::inspect(const QString& reference) const {
    std::string text;
    if (!interpreter_->InspectReference(QStringToCp1252(reference), text)) return {};
    return Cp1252ToQString(text);
}

QString RunSession::examine(const QString& reference) {
    return Cp1252ToQString(interpreter_->ExamineText(QStringToCp1252(reference)));
}

} // namespace vokc
