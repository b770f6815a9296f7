#include "exercise_commands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "check_panel.h"
#include "command_table.h"
#include "debug_dock.h"
#include "editor_window.h"
#include "grade_cases.h"
#include "grade_compare.h"
#include "grading_job.h"
#include "grading_window.h"
#include "main_window.h"
#include "run_controller.h"
#include "run_session.h"
#include "session_settings.h"
#include "statement_window.h"

namespace vokc {

namespace {

// The settings key of a saved file's exercise.
QString ExerciseKey(const QString& file) {
    return QStringLiteral("exercices/") +
           QString::fromLatin1(QFileInfo(file).absoluteFilePath().toUtf8().toBase64(
               QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

std::string Local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

ExerciseCommands::ExerciseCommands(MainWindow& window)
    : QObject(&window), window_(window), panel_(new CheckPanel) {
    askFolder_ = [](QWidget* parent, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("Choisir l'exercice"),
                                                 start);
    };
    connect(panel_.data(), &CheckPanel::runCaseRequested, this, &ExerciseCommands::runCaseAt);
}

ExerciseCommands::~ExerciseCommands() {
    // The check's thread ends before the panel it reports to.
    check_.reset();
    if (panel_ && !panel_->parent()) delete panel_.data();
}

void ExerciseCommands::attach(DebugDock* dock, RunSession* session) {
    dock_ = dock;
    session_ = session;
    if (dock_) dock_->addPage(panel_.data(), QStringLiteral("V\u00E9rification"));
    if (session_) connect(session_, &RunSession::stopped, this, &ExerciseCommands::leaveCaseFolder);
}

void ExerciseCommands::leaveCaseFolder(const RunStop& stop) {
    // A pause, or a stop on an error or by the user, may be resumed: the run goes on in
    // the case's folder.
    if (stop.reason != RunStopReason::Finished) return;
    if (folderBeforeCase_.isEmpty()) return;
    if (insideCaseFolder(QDir::currentPath())) QDir::setCurrent(folderBeforeCase_);
    folderBeforeCase_.clear();
}

bool ExerciseCommands::insideCaseFolder(const QString& path) const {
    if (!caseFolder_) return false;
    const QString folder = QDir(caseFolder_->path()).canonicalPath();
    return !folder.isEmpty() && (path == folder || path.startsWith(folder + QLatin1Char('/')));
}

QString ExerciseCommands::exerciseOf(EditorWindow* editor) const {
    if (!editor) return {};
    if (const auto it = chosen_.find(editor); it != chosen_.end()) return *it;
    if (!editor->fileName().isEmpty() && window_.settings()->started())
        return QSettings().value(ExerciseKey(editor->fileName())).toString();
    return {};
}

void ExerciseCommands::setExercise(EditorWindow* editor, const QString& folder) {
    if (!editor) return;
    if (!chosen_.contains(editor))
        connect(editor, &QObject::destroyed, this, [this, editor] { chosen_.remove(editor); });
    chosen_[editor] = folder;
    if (!editor->fileName().isEmpty() && window_.settings()->started())
        QSettings().setValue(ExerciseKey(editor->fileName()), folder);
}

QString ExerciseCommands::caseFolder() const {
    return caseFolder_ ? caseFolder_->path() : QString();
}

void ExerciseCommands::chooseExercise() {
    EditorWindow* editor = window_.activeEditor();
    if (!editor) return;
    QString start = exerciseOf(editor);
    if (start.isEmpty()) start = window_.dialogFolder();
    const QString folder = askFolder_(&window_, start);
    if (folder.isEmpty()) return;
    grading::Exercise exercise;
    std::string error;
    if (!grading::LoadExercise(Local(folder), exercise, error)) {
        panel_->showProblem(QString::fromUtf8(grading::AsUtf8(error)));
        if (dock_) dock_->showPage(panel_.data());
        return;
    }
    setExercise(editor, folder);
    if (!statement_) {
        statement_ = new StatementWindow(&window_);
        // The statement takes the keyboard as it opens: the keys that check and run the
        // program work there too.
        for (const bool check : {true, false}) {
            auto* key = new QAction(statement_);
            key->setShortcuts(window_.action(check ? Command::Check : Command::Run)->shortcuts());
            statement_->addAction(key);
            connect(key, &QAction::triggered, this, [this, check] { keyOfStatement(check); });
        }
    }
    statementOf_ = editor;
    if (statement_->showStatement(folder)) {
        statement_->show();
        statement_->raise();
    }
}

void ExerciseCommands::keyOfStatement(bool check) {
    EditorWindow* editor = statementOf_;
    if (!editor) return;
    // Out of the main window no editor is active: the statement names its own.
    window_.activateWindow();
    window_.bringForward(editor);
    if (check)
        checkProgramOf(editor);
    else if (window_.action(Command::Run)->isEnabled())
        editor->runProgram();
}

void ExerciseCommands::checkProgram() {
    checkProgramOf(window_.activeEditor());
}

void ExerciseCommands::checkProgramOf(EditorWindow* editor) {
    if (!editor) return;
    if (exerciseOf(editor).isEmpty()) chooseExercise();
    const QString folder = exerciseOf(editor);
    if (folder.isEmpty()) return;
    if (dock_) dock_->showPage(panel_.data());
    grading::Exercise exercise;
    std::string error;
    if (!grading::LoadExercise(Local(folder), exercise, error)) {
        panel_->showProblem(QString::fromUtf8(grading::AsUtf8(error)));
        return;
    }
    grading::Program program;
    program.file = editor->shownName().toStdString();
    program.lines = TextLines(editor->programText());
    // A new check replaces the one still going on.
    check_.reset();
    checked_ = editor;
    check_ = std::make_unique<GradingJob>();
    connect(check_.get(), &GradingJob::finished, this, &ExerciseCommands::checkDone);
    panel_->showChecking(QFileInfo(folder).fileName());
    check_->start(std::move(exercise), {std::move(program)});
}

void ExerciseCommands::checkDone(bool ok, const QString& error) {
    if (ok)
        panel_->showResults(check_->result());
    else
        panel_->showProblem(check_->cancelled()
                                ? QStringLiteral("V\u00E9rification annul\u00E9e")
                                : QStringLiteral("V\u00E9rification impossible : ") + error);
    emit checkFinished(ok);
}

void ExerciseCommands::runCase() {
    runCaseAt(panel_->currentCase());
}

void ExerciseCommands::runCaseAt(int index) {
    EditorWindow* editor = checked_ ? checked_.data() : window_.activeEditor();
    if (!editor || !session_ || session_->isRunning() || !check_ || check_->running()) return;
    const grading::Exercise& exercise = check_->exercise();
    if (index < 0 || static_cast<std::size_t>(index) >= exercise.cases.size()) return;
    const grading::Case& kase = exercise.cases[static_cast<std::size_t>(index)];
    // A fresh folder with the exercise's data files: nothing of the student's folder or
    // of the teacher's is touched.
    auto folder =
        std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("vokc-cas-XXXXXX")));
    if (!folder->isValid()) {
        panel_->showProblem(QStringLiteral("Impossible de cr\u00E9er un dossier temporaire"));
        return;
    }
    for (const auto& data : exercise.dataFiles) {
        const QString source = QFile::decodeName(data.c_str());
        QFile::copy(source, QDir(folder->path()).filePath(QFileInfo(source).fileName()));
    }
    std::string input;
    if (!kase.input.empty()) {
        QFile file(QFile::decodeName(kase.input.c_str()));
        if (file.open(QIODevice::ReadOnly)) input = file.readAll().toStdString();
    }
    // A case run from the pause of another goes back, once over, where the first began.
    if (const QString current = QDir::currentPath(); !insideCaseFolder(current))
        folderBeforeCase_ = current;
    caseFolder_ = std::move(folder);
    session_->setScriptedInput(std::move(input));
    window_.run()->setNextRunFolder(caseFolder_->path());
    window_.bringForward(editor);
    editor->runProgram();
}

void ExerciseCommands::gradePrograms() {
    if (!gradingWindow_) {
        gradingWindow_ = new GradingWindow(&window_);
        connect(gradingWindow_, &GradingWindow::openProgramAt, this,
                [this](const QString& file, int line) {
                    if (!window_.openProgram(file)) return;
                    if (EditorWindow* editor = window_.editorOf(file))
                        editor->showStopLine(line - 1);
                });
    }
    gradingWindow_->show();
    gradingWindow_->raise();
    gradingWindow_->activateWindow();
}

} // namespace vokc
