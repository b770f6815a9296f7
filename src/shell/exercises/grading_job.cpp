#include "grading_job.h"

#include <QMetaObject>
#include <algorithm>

#include "program_text.h"

namespace vokc {

GradingJob::GradingJob(QObject* parent) : QObject(parent) {}

GradingJob::~GradingJob() {
    cancel_ = true;
    waitForThread();
}

grading::RunSettings GradingJob::DefaultSettings() {
    grading::RunSettings settings;
    settings.jobs = std::max(1u, std::thread::hardware_concurrency());
    settings.keepOutputs = true;
    return settings;
}

void GradingJob::start(grading::Exercise exercise, std::vector<grading::Program> programs,
                       grading::RunSettings settings) {
    if (running_ || thread_.joinable()) return;
    exercise_ = std::move(exercise);
    programs_ = std::move(programs);
    settings_ = std::move(settings);
    settings_.cancel = &cancel_;
    // The application's own signal handlers stay as they are.
    settings_.catchSignals = false;
    grading_ = {};
    for (const grading::Case& c : exercise_.cases) {
        grading_.caseNames.push_back(c.name);
        grading_.expected.push_back(c.expected);
    }
    settings_.progress = [this](std::size_t done, std::size_t total) {
        QMetaObject::invokeMethod(
            this,
            [this, done, total] {
                if (running_) emit progress(static_cast<int>(done), static_cast<int>(total));
            },
            Qt::QueuedConnection);
    };
    running_ = true;
    // The runs end with the thread that started them: it lives until GradeAll returns.
    thread_ = std::thread([this] {
        const bool ok =
            grading::GradeAll(exercise_, programs_, settings_, grading_.programs, error_);
        QMetaObject::invokeMethod(
            this,
            [this, ok] {
                waitForThread();
                running_ = false;
                emit finished(ok, QString::fromStdString(error_));
            },
            Qt::QueuedConnection);
    });
}

void GradingJob::cancel() {
    cancel_ = true;
}

void GradingJob::waitForThread() {
    if (thread_.joinable()) thread_.join();
}

std::vector<std::string> TextLines(const ProgramText& text) {
    std::vector<std::string> lines;
    const int count = text.LineCount();
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.emplace_back(text.Line(i));
    return lines;
}

} // namespace vokc
