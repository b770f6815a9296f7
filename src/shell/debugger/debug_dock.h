// The dock beside the editors that shows a run: the variables tab and the calls tab. It
// follows the run session: it is read again at every stop, at most five times a second
// during a free run while it is shown, and never while it is hidden.
#pragma once

#include <QDockWidget>

class QTabWidget;
class QTimer;

namespace vokc {

class CallList;
class RunSession;
class VariablesPanel;

class DebugDock : public QDockWidget {
    Q_OBJECT
  public:
    static constexpr int kFreeRunInterval = 200; // ms between two reads of a free run

    explicit DebugDock(RunSession& session, QWidget* parent = nullptr);

    VariablesPanel* variables() const { return variables_; }
    CallList* calls() const { return calls_; }
    void showVariables();
    void showCalls();
    // A tab of another part of the shell (the check's results), after the others.
    void addPage(QWidget* page, const QString& caption);
    void showPage(QWidget* page);

    // Reads the run again (`atPause`: at a stop). The timer of a free run calls it too.
    void refresh(bool atPause);
    // History: shows the pause the session's history is looking at (the present when
    // it looks at the last one).
    void showViewedPause();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void runningChanged(bool running);

    RunSession& session_;
    QTabWidget* tabs_;
    VariablesPanel* variables_;
    CallList* calls_;
    QTimer* timer_;
};

} // namespace vokc
