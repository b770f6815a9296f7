#include "grading_job.h"

#include <QFile>
#include <QMetaObject>
#include <QProcess>
#include <algorithm>
#include <csignal>
#include <thread>

#include "program_text.h"

namespace vokc {

GradingJob::GradingJob(QObject* parent) : QObject(parent) {}

namespace {
QString MissingGrader() {
    return QStringLiteral(
        "le programme vokc-run, qui fait les v\u00E9rifications, est introuvable");
}

QString& Grader() {
    static QString program;
    return program;
}
} // namespace

void GradingJob::setGrader(const QString& program) {
    Grader() = program;
}

QString GradingJob::grader() {
    return Grader();
}

GradingJob::~GradingJob() {
    cancel_ = true;
    if (process_ && process_->state() != QProcess::NotRunning) {
        // Cancelled, the grading process removes its folders and ends.
        process_->disconnect(this);
        kill(static_cast<pid_t>(process_->processId()), SIGUSR1);
        if (!process_->waitForFinished(3000)) process_->kill();
        process_->waitForFinished(1000);
    }
}

grading::RunSettings GradingJob::DefaultSettings() {
    grading::RunSettings settings;
    settings.jobs = std::max(1u, std::thread::hardware_concurrency());
    settings.keepOutputs = true;
    return settings;
}

void GradingJob::start(grading::Exercise exercise, std::vector<grading::Program> programs,
                       grading::RunSettings settings) {
    if (running_) return;
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
    startProcess();
}

void GradingJob::cancel() {
    cancel_ = true;
    if (process_ && process_->state() == QProcess::Running)
        kill(static_cast<pid_t>(process_->processId()), SIGUSR1);
}

void GradingJob::startProcess() {
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::SeparateChannels);
    process_->setStandardErrorFile(QProcess::nullDevice());
    connect(process_, &QProcess::readyReadStandardOutput, this, &GradingJob::readFrames);
    connect(process_, &QProcess::finished, this, &GradingJob::processEnded);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && running_) done(false, MissingGrader());
    });
    running_ = true;
    answered_ = false;
    if (grader().isEmpty()) {
        // No program to start: Qt reports nothing, so the end is given here, once the
        // caller has gone back to the event loop.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (running_) done(false, MissingGrader());
            },
            Qt::QueuedConnection);
        return;
    }
    process_->start(grader(), {QStringLiteral("--grade-worker")});
    grading::GradeRequest request;
    request.folder = exercise_.folder.string();
    request.programs = std::move(programs_);
    request.settings = settings_;
    const std::string bytes = grading::EncodeRequest(request);
    process_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    process_->closeWriteChannel();
}

void GradingJob::readFrames() {
    const QByteArray bytes = process_->readAllStandardOutput();
    frames_.Append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    while (auto frame = frames_.Next()) {
        if (frame->kind == grading::GradeFrame::Kind::Progress) {
            if (running_)
                emit progress(static_cast<int>(frame->done), static_cast<int>(frame->total));
            continue;
        }
        answered_ = true;
        grading_.programs = std::move(frame->programs);
        error_ = frame->ok ? std::string() : frame->error;
        if (frame->ok) {
            done(true, QString());
            return;
        }
    }
}

void GradingJob::processEnded() {
    if (!running_) return;
    readFrames();
    if (!running_) return;
    done(false, answered_ ? QString::fromStdString(error_)
                          : QStringLiteral("le processus de notation s'est arr\u00EAt\u00E9"));
}

void GradingJob::done(bool ok, const QString& error) {
    running_ = false;
    emit finished(ok, error);
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
