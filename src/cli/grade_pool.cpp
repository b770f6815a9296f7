// Grading: the runs, each in a child process of its own.
//
// The parent stays single-threaded: it prepares each run's working folder (a fresh
// folder holding copies of the data files), forks a child for it, and multiplexes the
// children's pipes with poll() while at most `jobs` of them run. A child redirects its
// standard input to the case's input, its standard output to a pipe, moves into its
// folder, limits the size of the files it writes, runs the interpreter with the grading
// host, and reports how the run stopped on a second pipe. The parent enforces the time
// limit and the output limit by killing the child, and removes the working folder once
// the child has ended, however it ended.
#include "grade_pool.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

#include "grade_compare.h"
#include "grade_host.h"
#include "grade_html.h"
#include "interpreter.h"
#include "text.h"

namespace vokc::cli::grade {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Exit status of a child that could not set its run up (or met an unexpected
// exception): the run is reported as an abnormal end.
constexpr int kChildSetupFailed = 70;
// Bytes of a child's stop report kept: a stop reason, a line and one message.
constexpr std::size_t kReportLimit = 65536;

volatile std::sig_atomic_t gInterrupt = 0;

extern "C" void OnInterrupt(int signal) {
    gInterrupt = signal;
}

// Catches the signals that end a grading while it runs, so that the children are killed
// and the working folders removed before the grading ends.
class InterruptGuard {
  public:
    InterruptGuard() {
        gInterrupt = 0;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            sigaction(kSignals[i], &action, &previous_[i]);
    }
    ~InterruptGuard() {
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            sigaction(kSignals[i], &previous_[i], nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    static constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};

  private:
    std::array<struct sigaction, 3> previous_{};
};

class LinesText : public ProgramText {
  public:
    explicit LinesText(const std::vector<std::string>& lines) : lines_(lines) {}
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    std::string_view Line(int i) const override { return lines_[static_cast<std::size_t>(i)]; }

  private:
    const std::vector<std::string>& lines_;
};

void WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// The child's side of a run; never returns.
[[noreturn]] void RunChild(const Program& program, const Case& kase, const fs::path& folder,
                           const RunSettings& settings, int outFd, int reportFd,
                           const std::vector<int>& inherited) {
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    for (int signal : InterruptGuard::kSignals)
        sigaction(signal, &byDefault, nullptr);
    sigaction(SIGPIPE, &byDefault, nullptr);
    // Beyond the file size limit a write fails (an input/output error of the statement)
    // instead of killing the run.
    std::signal(SIGXFSZ, SIG_IGN);
    // The other runs' pipes: a child holding them would keep them from ending.
    for (int fd : inherited)
        close(fd);

    const int in =
        kase.input.empty() ? open("/dev/null", O_RDONLY) : open(kase.input.c_str(), O_RDONLY);
    const int null = open("/dev/null", O_WRONLY);
    if (in < 0 || null < 0 || dup2(in, STDIN_FILENO) < 0 || dup2(outFd, STDOUT_FILENO) < 0 ||
        dup2(null, STDERR_FILENO) < 0 || chdir(folder.c_str()) != 0)
        _exit(kChildSetupFailed);
    close(in);
    close(null);
    close(outFd);
    const rlimit files{static_cast<rlim_t>(kFileLimit), static_cast<rlim_t>(kFileLimit)};
    if (setrlimit(RLIMIT_FSIZE, &files) != 0) _exit(kChildSetupFailed);
    // Dates and times in the user's formats, as vokc-run gives them.
    std::setlocale(LC_TIME, "");
    std::clearerr(stdin);
    std::clearerr(stdout);

    std::string report;
    try {
        LinesText text(program.lines);
        GradingHost host(program.file, settings.separator, folder, kFileLimit);
        Interpreter interp(host);
        interp.SetLineMarkers(false);
        interp.SetBreakpointsEnabled(false);
        interp.SetStepLimit(settings.maxSteps);
        std::string base = program.file;
        const std::size_t slash = base.find_last_of('/');
        if (slash != std::string::npos) base.erase(0, slash + 1);
        interp.StartProgram(IsValidUtf8(base) ? Utf8ToCp1252(base) : base);
        const vokc::RunResult run = interp.Exec(text, 0, StepMode::Free);
        const bool closed = interp.CloseAllFiles() == 0;
        std::fflush(stdout);
        const StopReason reason = run.reason;
        const char* what = reason == StopReason::Finished    ? (closed ? "fini" : "fermeture")
                           : reason == StopReason::StepLimit ? "lignes"
                                                             : "erreur";
        std::string message = host.LastMessage();
        if (reason == StopReason::Finished && !closed)
            message = "erreur d'entr\xE9"
                      "e/sortie \xE0 la fermeture des fichiers";
        report =
            std::string(what) + "\n" + std::to_string(run.line + 1) + "\n" + Cp1252ToUtf8(message);
    } catch (...) {
        _exit(kChildSetupFailed);
    }
    WriteAll(reportFd, report);
    _exit(0);
}

struct Child {
    std::size_t program = 0, kase = 0;
    pid_t pid = -1;
    int outFd = -1, reportFd = -1;
    int exitFd = -1; // readable once the child has ended (-1: not available)
    Clock::time_point deadline;
    std::string output, report;
    enum class Kill { None, Time, Output, Abort } killed = Kill::None;
    fs::path folder;
};

void Kill(Child& child, Child::Kill why) {
    if (child.killed != Child::Kill::None) return;
    child.killed = why;
    kill(child.pid, SIGKILL);
}

// Reads what is waiting on one of a child's pipes; closes the pipe at its end.
void Drain(Child& child, int& fd, bool isOutput) {
    char buffer[65536];
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (n <= 0) {
        close(fd);
        fd = -1;
        return;
    }
    const auto got = static_cast<std::size_t>(n);
    if (!isOutput) {
        if (child.report.size() < kReportLimit) child.report.append(buffer, got);
        return;
    }
    if (child.output.size() <= kOutputLimit)
        child.output.append(buffer, std::min(got, kOutputLimit + 1 - child.output.size()));
    if (child.output.size() > kOutputLimit) Kill(child, Child::Kill::Output);
}

RunResult Outcome(const Child& child, int status, const std::string& expected) {
    RunResult run;
    if (child.killed == Child::Kill::Time) {
        run.result = Result::Limit;
        run.detail = "temps";
    } else if (child.killed == Child::Kill::Output) {
        run.result = Result::Limit;
        run.detail = "sortie trop longue";
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        run.result = Result::Error;
        run.detail = "arrêt anormal";
    } else {
        run = JudgeReport(child.report, child.output, expected);
    }
    return run;
}

// A fresh working folder with a copy of every data file.
bool PrepareFolder(const fs::path& folder, const Exercise& exercise, std::string& error) {
    std::error_code ec;
    if (!fs::create_directory(folder, ec) || ec) {
        error = "impossible de créer le dossier de travail " + folder.string();
        return false;
    }
    for (const fs::path& data : exercise.dataFiles) {
        if (!fs::copy_file(data, folder / data.filename(), ec) || ec) {
            error = "impossible de copier " + data.string() + " dans le dossier de travail";
            return false;
        }
    }
    return true;
}

} // namespace

bool GradeAll(const Exercise& exercise, const std::vector<Program>& programs,
              const RunSettings& settings, std::vector<ProgramResults>& results,
              std::string& error) {
    const std::size_t cases = exercise.cases.size();
    results.assign(programs.size(), ProgramResults{});
    std::vector<std::pair<std::size_t, std::size_t>> tasks;
    for (std::size_t p = 0; p < programs.size(); ++p) {
        results[p].file = programs[p].file;
        results[p].runs.assign(cases, RunResult{});
        for (std::size_t c = 0; c < cases; ++c) {
            if (programs[p].readable) {
                tasks.emplace_back(p, c);
            } else {
                results[p].runs[c].result = Result::Error;
                results[p].runs[c].detail = "fichier illisible";
            }
        }
    }
    if (tasks.empty()) return true;

    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "vokc-grade-XXXXXX").string();
    if (ec || !mkdtemp(pattern.data())) {
        error = "impossible de créer un dossier temporaire";
        return false;
    }
    const fs::path session = pattern;
    InterruptGuard interruptGuard;
    const unsigned jobs = std::max(1u, settings.jobs);
    std::vector<Child> active;
    std::size_t next = 0;
    bool failed = false;

    auto abortAll = [&](std::string why) {
        if (!failed) error = std::move(why);
        failed = true;
        for (Child& child : active)
            Kill(child, Child::Kill::Abort);
    };

    while ((!failed && next < tasks.size()) || !active.empty()) {
        if (gInterrupt != 0) abortAll("notation interrompue");

        // Start runs up to the number of jobs.
        while (!failed && next < tasks.size() && active.size() < jobs) {
            Child child;
            child.program = tasks[next].first;
            child.kase = tasks[next].second;
            child.folder = session / ("run" + std::to_string(next));
            std::string why;
            if (!PrepareFolder(child.folder, exercise, why)) {
                abortAll(why);
                break;
            }
            int outPipe[2] = {-1, -1}, reportPipe[2] = {-1, -1};
            if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(reportPipe, O_CLOEXEC) != 0) {
                for (int fd : {outPipe[0], outPipe[1]})
                    if (fd >= 0) close(fd);
                fs::remove_all(child.folder, ec);
                // Out of descriptors: wait for a run to end, unless none is running.
                if (active.empty()) abortAll("impossible de lancer une exécution");
                break;
            }
            std::vector<int> inherited{outPipe[0], reportPipe[0]};
            for (const Child& other : active)
                for (int fd : {other.outFd, other.reportFd, other.exitFd})
                    if (fd >= 0) inherited.push_back(fd);
            std::fflush(stdout);
            std::fflush(stderr);
            const pid_t pid = fork();
            if (pid == 0)
                RunChild(programs[child.program], exercise.cases[child.kase], child.folder,
                         settings, outPipe[1], reportPipe[1], inherited);
            close(outPipe[1]);
            close(reportPipe[1]);
            if (pid < 0) {
                close(outPipe[0]);
                close(reportPipe[0]);
                fs::remove_all(child.folder, ec);
                if (active.empty()) abortAll("impossible de lancer une exécution");
                break;
            }
            child.pid = pid;
            child.exitFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
            child.outFd = outPipe[0];
            child.reportFd = reportPipe[0];
            child.deadline = Clock::now() + settings.timeout;
            active.push_back(std::move(child));
            ++next;
        }

        // Wait for output, an end, or the nearest deadline.
        std::vector<pollfd> polled;
        std::vector<std::pair<std::size_t, bool>> owners; // child, is its output
        auto now = Clock::now();
        auto wait = std::chrono::milliseconds(1000);
        for (std::size_t i = 0; i < active.size(); ++i) {
            Child& child = active[i];
            if (child.outFd >= 0) {
                polled.push_back({child.outFd, POLLIN, 0});
                owners.emplace_back(i, true);
            }
            if (child.reportFd >= 0) {
                polled.push_back({child.reportFd, POLLIN, 0});
                owners.emplace_back(i, false);
            }
            if (child.outFd < 0 && child.reportFd < 0) {
                // Both pipes ended: the child is ending. Its process descriptor tells when
                // it has; without one, look again shortly.
                if (child.exitFd >= 0) {
                    polled.push_back({child.exitFd, POLLIN, 0});
                    owners.emplace_back(i, false);
                } else {
                    wait = std::min(wait, std::chrono::milliseconds(1));
                }
            } else if (child.killed == Child::Kill::None) {
                auto left = std::chrono::ceil<std::chrono::milliseconds>(child.deadline - now);
                wait = std::min(wait, std::max(left, std::chrono::milliseconds(0)));
            }
        }
        const int ready = poll(polled.data(), polled.size(), static_cast<int>(wait.count()));
        if (ready < 0 && errno != EINTR) abortAll("attente des exécutions impossible");
        for (std::size_t k = 0; ready > 0 && k < polled.size(); ++k) {
            if (polled[k].revents == 0) continue;
            Child& child = active[owners[k].first];
            if (polled[k].fd == child.exitFd) continue; // reaped below
            Drain(child, owners[k].second ? child.outFd : child.reportFd, owners[k].second);
        }

        // Deadlines, then the runs that have ended.
        now = Clock::now();
        for (Child& child : active)
            if (now >= child.deadline) Kill(child, Child::Kill::Time);
        for (std::size_t i = 0; i < active.size();) {
            Child& child = active[i];
            int status = 0;
            if (child.outFd >= 0 || child.reportFd >= 0) {
                ++i;
                continue;
            }
            const pid_t reaped = waitpid(child.pid, &status, WNOHANG);
            if (reaped == 0 || (reaped < 0 && errno == EINTR)) {
                ++i;
                continue;
            }
            if (reaped < 0) status = W_EXITCODE(kChildSetupFailed, 0); // lost: an abnormal end
            if (child.killed != Child::Kill::Abort) {
                RunResult run = Outcome(child, status, exercise.cases[child.kase].expected);
                if (settings.keepOutputs && run.result != Result::Passed)
                    run.output = ReportExcerpt(std::move(child.output));
                results[child.program].runs[child.kase] = std::move(run);
            }
            if (child.exitFd >= 0) close(child.exitFd);
            fs::remove_all(child.folder, ec);
            active.erase(active.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    fs::remove_all(session, ec);
    return !failed;
}

int InterruptingSignal() {
    return gInterrupt;
}

} // namespace vokc::cli::grade
