// A grading in a process of its own (vokc-run --grade-worker, the pool of graded runs of
// the grading library), with its progress and its end reported on the interface thread,
// so that the windows stay responsive. The runs are never forked by this process: a fork
// of a process with several threads may copy a lock that another thread holds, and the
// child then waits for it forever. Cancelling the job, or destroying it, ends its runs and
// removes their folders within a fraction of a second.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <string>
#include <vector>

#include "grade_cases.h"
#include "grade_pool.h"
#include "grade_report.h"
#include "grade_wire.h"

class QProcess;

namespace vokc {

class ProgramText;

class GradingJob : public QObject {
    Q_OBJECT
  public:
    explicit GradingJob(QObject* parent = nullptr);
    ~GradingJob() override;
    GradingJob(const GradingJob&) = delete;
    GradingJob& operator=(const GradingJob&) = delete;

    // The settings of vokc-run --grade by default, one run per processor, the outputs
    // of the runs that fail kept.
    static grading::RunSettings DefaultSettings();

    // The grading process (vokc-run, which has --grade-worker). Without it (empty, or a
    // program that does not start), a grading ends at once with an error that says so.
    static void setGrader(const QString& program);
    static QString grader();

    // Grades the programs against the exercise's cases; a job runs once.
    void start(grading::Exercise exercise, std::vector<grading::Program> programs,
               grading::RunSettings settings = DefaultSettings());
    // Ends the runs; finished(false, ...) follows.
    void cancel();
    bool running() const { return running_; }
    bool cancelled() const { return cancel_.load(); }

    const grading::Exercise& exercise() const { return exercise_; }
    // The results, once finished(true) was emitted.
    const grading::Grading& result() const { return grading_; }

  signals:
    void progress(int done, int total);
    void finished(bool ok, const QString& error);

  private:
    void startProcess();
    void readFrames();
    void processEnded();
    void done(bool ok, const QString& error);

    grading::Exercise exercise_;
    std::vector<grading::Program> programs_;
    grading::RunSettings settings_;
    grading::Grading grading_;
    std::string error_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    QProcess* process_ = nullptr;
    grading::FrameReader frames_;
    bool answered_ = false;
};

// The lines of a program's text, in Windows-1252, as a grading reads them.
std::vector<std::string> TextLines(const ProgramText& text);

} // namespace vokc
