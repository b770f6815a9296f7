// The exercise commands: the main window's part that checks a program against its
// exercise's cases and grades a class. It remembers the exercise folder chosen for each
// editor window (for a saved file, in the settings), shows the statement, runs the check
// in the background (a new check cancels the one still going on) into the "Vérification"
// tab of the debugger dock, runs the program on one case in the console, and opens the
// grading window of the "Utilitaires" menu.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "check_panel.h"

class QTemporaryDir;

namespace vokc {

class DebugDock;
class EditorWindow;
class GradingJob;
class GradingWindow;
class MainWindow;
class RunController;
class RunSession;
struct RunStop;
class StatementWindow;

class ExerciseCommands : public QObject {
    Q_OBJECT
  public:
    explicit ExerciseCommands(MainWindow& window);
    ~ExerciseCommands() override;

    // Puts the "Vérification" tab in the dock and runs cases through the session.
    void attach(DebugDock* dock, RunSession* session);

    // The exercise folder of an editor window ("" when none was chosen).
    QString exerciseOf(EditorWindow* editor) const;
    // Chooses the exercise of an editor window, remembered for its file.
    void setExercise(EditorWindow* editor, const QString& folder);
    // The folder dialog; tests replace it.
    void setFolderHook(std::function<QString(QWidget*, const QString&)> hook) {
        askFolder_ = std::move(hook);
    }

    CheckPanel* checkPanel() const { return panel_.data(); }
    StatementWindow* statementWindow() const { return statement_; }
    GradingWindow* gradingWindow() const { return gradingWindow_; }
    // The check going on, or the last one (nullptr before the first).
    GradingJob* checkJob() const { return check_.get(); }
    // The current folder of the last case run ("" before the first).
    QString caseFolder() const;

  public slots:
    void chooseExercise();
    void checkProgram();
    // Runs the program of the last check on the case selected in the tab.
    void runCase();
    void runCaseAt(int index);
    void gradePrograms();

  signals:
    void checkFinished(bool ok);

  private:
    void checkDone(bool ok, const QString& error);
    void checkProgramOf(EditorWindow* editor);
    // A key of the statement's window: checks or runs the program whose exercise it shows.
    void keyOfStatement(bool check);
    // A case run that finished leaves its temporary folder for the one it started from,
    // where the dialogs that start in the current folder (the screen, the report) save.
    void leaveCaseFolder(const RunStop& stop);
    bool insideCaseFolder(const QString& path) const;

    MainWindow& window_;
    DebugDock* dock_ = nullptr;
    RunSession* session_ = nullptr;
    QPointer<CheckPanel> panel_; // the dock owns it once attached
    StatementWindow* statement_ = nullptr;
    GradingWindow* gradingWindow_ = nullptr;
    std::unique_ptr<GradingJob> check_;
    QPointer<EditorWindow> checked_;     // the window whose program was checked last
    QPointer<EditorWindow> statementOf_; // the window whose exercise the statement shows
    QHash<EditorWindow*, QString> chosen_;
    std::unique_ptr<QTemporaryDir> caseFolder_;
    QString folderBeforeCase_;
    std::function<QString(QWidget*, const QString&)> askFolder_;
};

} // namespace vokc
