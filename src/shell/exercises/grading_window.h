// The window "Corriger des programmes": a teacher grades a class's programs against an
// exercise folder's cases in the background, with a progress bar and a cancel button,
// sees a table of programs by cases coloured by result, sortable, with the totals per
// program and per case, opens a program at its error line or its output against the
// expected one by a double-click, and saves the report as vokc-run writes it.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "grade_report.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace vokc {

class CheckPanel;
class GradingJob;

class GradingWindow : public QWidget {
    Q_OBJECT
  public:
    enum class ReportFormat { Html, Csv, Json };

    explicit GradingWindow(QWidget* parent = nullptr);
    ~GradingWindow() override;

    // The exercise folder and the program files (a folder given whole counts for the
    // .c files it holds, in the natural order of their names).
    void setExercise(const QString& folder);
    void setPrograms(const QStringList& files);
    static QStringList ProgramsOfFolder(const QString& folder);
    // Grades the programs; false, with the reason shown, when it cannot start.
    bool startGrading();
    void cancel();
    bool grading() const;

    // The last grading that finished, and its report in a format (the bytes of vokc-run).
    const grading::Grading& result() const { return result_; }
    bool hasResult() const { return !result_.programs.empty(); }
    std::string report(ReportFormat format) const;
    bool saveReport(const QString& path, ReportFormat format);

    QTableWidget* table() const { return table_; }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* saveButton() const { return save_; }
    // The dialog that names the report, given the path it starts on; tests replace it.
    void setReportNameHook(std::function<QString(QWidget*, const QString&)> hook) {
        askReportName_ = std::move(hook);
    }
    QLabel* statusLabel() const { return status_; }
    GradingJob* job() const { return job_.get(); }
    // The outputs of one run, as the double-click shows them.
    CheckPanel* runView() const { return runView_; }
    void showRun(int program, int kase);

  signals:
    // A double-click on a run that stopped on an error: its program at that line (1-based).
    void openProgramAt(const QString& file, int line);
    void gradingFinished(bool ok);

  private:
    void chooseExercise();
    void choosePrograms();
    void chooseProgramFolder();
    void saveReportAs();
    void finished(bool ok, const QString& error);
    void fillTable();
    void updateButtons();

    QLabel* exerciseLabel_;
    QLabel* programsLabel_;
    QPushButton* chooseExercise_;
    QPushButton* choosePrograms_;
    QPushButton* chooseFolder_;
    QPushButton* start_;
    QPushButton* cancel_;
    QPushButton* save_;
    QProgressBar* progress_;
    QLabel* status_;
    QTableWidget* table_;
    CheckPanel* runView_ = nullptr;
    QString exercise_;
    QStringList programs_;
    std::unique_ptr<GradingJob> job_;
    grading::Grading result_;
    std::function<QString(QWidget*, const QString&)> askReportName_;
};

} // namespace vokc
