// Grading: the runs, each in a child process of its own.
//
// The parent stays single-threaded: it prepares each run's working folder (a fresh
// folder holding copies of the data files), forks a child for it, and multiplexes the
// children's pipes with poll() while at most `jobs` of them run. A child puts itself in
// a process group of its own, ends with the grader, redirects its standard input to the
// case's input and its standard output to a pipe, moves into its folder, limits its
// processor time and the size of its files, runs the interpreter with the grading host,
// and reports how the run stopped on a second pipe. The parent reaps the runs that have
// ended before it looks at any limit, enforces the output limit and a wall-clock
// backstop by killing the child, and hands each working folder to a cleaner process
// once the child has ended, however it ended.
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
#include <optional>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

#include "grade_compare.h"
#include "grade_host.h"
#include "grade_html.h"
#include "interpreter.h"
#include "marker_free_text.h"
#include "text.h"

namespace vokc::grading {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Exit status of a child that could not set its run up (or met an unexpected
// exception): the run is reported as an abnormal end.
constexpr int kChildSetupFailed = 70;
// Bytes of a child's stop report kept: a stop reason, a line and one message.
constexpr std::size_t kReportLimit = 65536;
// The wall-clock backstop of a run, in multiples of its processor time.
constexpr int kBackstopFactor = 5;

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
                           const RunSettings& settings, pid_t grader, int outFd, int reportFd,
                           const std::vector<int>& inherited) {
    // The run ends with the grader, however the grader ends, and has a process group of
    // its own (Ctrl+C reaches the grader, which stops its runs).
    setpgid(0, 0);
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != grader) _exit(kChildSetupFailed);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    for (int signal : InterruptGuard::kSignals)
        sigaction(signal, &byDefault, nullptr);
    for (int signal : {SIGPIPE, SIGPROF, SIGXCPU})
        sigaction(signal, &byDefault, nullptr);
    // Beyond the file size limit (a guard behind the grading host's count) a write fails
    // (an input/output error of the statement) instead of killing the run.
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
    // The time limit is processor time, so that the verdict depends neither on the load
    // nor on the number of jobs: SIGPROF ends the run once it has used it. The system's
    // limit a second later is a second guard.
    const auto limit = std::chrono::duration_cast<std::chrono::microseconds>(settings.timeout);
    itimerval cpu{};
    cpu.it_value.tv_sec = static_cast<time_t>(limit.count() / 1'000'000);
    cpu.it_value.tv_usec = static_cast<suseconds_t>(limit.count() % 1'000'000);
    const auto seconds = static_cast<rlim_t>(limit.count() / 1'000'000 + 2);
    const rlimit processor{seconds, seconds + 1};
    if (setrlimit(RLIMIT_CPU, &processor) != 0 || setitimer(ITIMER_PROF, &cpu, nullptr) != 0)
        _exit(kChildSetupFailed);
    // Dates and times in the user's formats, as vokc-run gives them.
    std::setlocale(LC_TIME, "");
    std::clearerr(stdin);
    std::clearerr(stdout);

    std::string report;
    try {
        const LinesText lines(program.lines);
        // Saved breakpoint markers are not program text; a free run goes past them.
        const MarkerFreeText text(lines);
        GradingHost host(program.file, settings.separator, folder, kFileLimit, kEntryLimit);
        Interpreter interp(host);
        interp.SetLineMarkers(false);
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
    // Wall-clock backstop: past it, a run that is not computing is ended.
    Clock::time_point backstop;
    std::string output, report;
    enum class Kill { None, Backstop, Output, Abort } killed = Kill::None;
    fs::path folder;
};

void Kill(Child& child, Child::Kill why) {
    if (child.killed != Child::Kill::None) return;
    child.killed = why;
    // The run leads a process group of its own.
    kill(-child.pid, SIGKILL);
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

std::chrono::microseconds CpuTime(const rusage& usage) {
    using std::chrono::microseconds;
    using std::chrono::seconds;
    return seconds(usage.ru_utime.tv_sec) + microseconds(usage.ru_utime.tv_usec) +
           seconds(usage.ru_stime.tv_sec) + microseconds(usage.ru_stime.tv_usec);
}

// How a run ended. `temps` only for a run that used its processor time (or waited past
// the backstop); a run that ended by itself is judged on what it did, even when the
// backstop or the output limit came at the same moment.
RunResult Outcome(const Child& child, int status, const rusage& usage, const RunSettings& settings,
                  const std::string& expected) {
    RunResult run;
    const int signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    const bool overTime = signal == SIGPROF || signal == SIGXCPU ||
                          (signal == SIGKILL && CpuTime(usage) >= settings.timeout);
    if (child.killed == Child::Kill::Output) {
        run.result = Result::Limit;
        run.detail = "sortie trop longue";
    } else if (overTime || (child.killed == Child::Kill::Backstop && signal != 0)) {
        run.result = Result::Limit;
        run.detail = "temps";
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        run.result = Result::Error;
        run.detail = "arrêt anormal";
    } else {
        run = JudgeReport(child.report, child.output, expected);
    }
    return run;
}

// Whether a process is running or waiting for a processor (not asleep, not stopped).
bool Computing(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char buffer[512];
    const ssize_t n = read(fd, buffer, sizeof buffer - 1);
    close(fd);
    if (n <= 0) return false;
    const std::string_view stat(buffer, static_cast<std::size_t>(n));
    const std::size_t paren = stat.rfind(')');
    return paren != std::string_view::npos && paren + 2 < stat.size() && stat[paren + 2] == 'R';
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

// The process that removes the working folders, so that removing what a run left never
// holds the other runs back. It reads folder names (each ended by a NUL byte) from a
// pipe; at the end of the pipe (the grading is over, however it ended) it removes the
// whole session folder and ends. It has a process group of its own, so that Ctrl+C in
// the terminal does not stop it.
class Cleaner {
  public:
    bool Start(const fs::path& session) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return false;
        std::fflush(stdout);
        std::fflush(stderr);
        pid_ = fork();
        if (pid_ < 0) {
            close(fds[0]);
            close(fds[1]);
            return false;
        }
        if (pid_ == 0) {
            close(fds[1]);
            Run(fds[0], session);
        }
        setpgid(pid_, pid_);
        close(fds[0]);
        fd_ = fds[1];
        fcntl(fd_, F_SETFL, O_NONBLOCK);
        return true;
    }

    int Fd() const { return fd_; }
    bool Pending() const { return !pending_.empty(); }

    void Remove(const fs::path& folder) {
        pending_ += folder.string();
        pending_ += '\0';
        Send();
    }

    // Hands over what waits, as far as the pipe takes it now.
    void Send() {
        while (!pending_.empty()) {
            const ssize_t n = write(fd_, pending_.data(), pending_.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return;
            pending_.erase(0, static_cast<std::size_t>(n));
        }
    }

    // Ends the session: with `wait`, returns once every folder is removed; otherwise
    // the removal goes on after the grader has ended.
    void Finish(bool wait) {
        if (fd_ < 0) return;
        close(fd_);
        fd_ = -1;
        if (!wait) return;
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }

  private:
    [[noreturn]] static void Run(int fd, const fs::path& session) {
        setpgid(0, 0);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
            sigaction(signal, &ignore, nullptr);
        // Whoever reads the grader's output must not wait for this process.
        const int null = open("/dev/null", O_RDWR);
        for (int standard : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
            dup2(null, standard);
        std::error_code ec;
        std::string names;
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            names.append(buffer, static_cast<std::size_t>(n));
            std::size_t end;
            while ((end = names.find('\0')) != std::string::npos) {
                fs::remove_all(names.substr(0, end), ec);
                names.erase(0, end + 1);
            }
        }
        // Runs that outlived a killed grader end with it; until they have, a folder may
        // still be growing.
        for (int attempt = 0; attempt < 100 && fs::exists(session, ec); ++attempt) {
            fs::remove_all(session, ec);
            if (ec) usleep(20'000);
        }
        _exit(0);
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    std::string pending_;
};

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
            if (programs[p].unreadable.empty()) {
                tasks.emplace_back(p, c);
            } else {
                results[p].runs[c].result = Result::Error;
                results[p].runs[c].detail = programs[p].unreadable;
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
    Cleaner cleaner;
    if (!cleaner.Start(session)) {
        fs::remove_all(session, ec);
        error = "impossible de lancer une exécution";
        return false;
    }
    std::optional<InterruptGuard> interruptGuard;
    if (settings.catchSignals) interruptGuard.emplace();
    const pid_t grader = getpid();
    const unsigned jobs = std::max(1u, settings.jobs);
    // Several times the processor time: only a run that waits without computing meets it.
    const auto backstopDelay =
        std::max<Clock::duration>(kBackstopFactor * settings.timeout, std::chrono::seconds(5));
    std::vector<Child> active;
    std::size_t next = 0, done = 0;
    bool failed = false, cancelled = false;
    // How often a cancellation is looked for while the runs are waited for.
    constexpr auto kCancelCheck = std::chrono::milliseconds(20);
    if (settings.progress) settings.progress(0, tasks.size());

    auto abortAll = [&](std::string why) {
        if (!failed) error = std::move(why);
        failed = true;
        for (Child& child : active)
            Kill(child, Child::Kill::Abort);
    };

    auto lastTurn = Clock::now();
    while ((!failed && next < tasks.size()) || !active.empty()) {
        if (gInterrupt != 0) abortAll("notation interrompue");
        if (!cancelled && settings.cancel && settings.cancel->load()) {
            abortAll("notation annulée");
            cancelled = true;
        }

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
                cleaner.Remove(child.folder);
                // Out of descriptors: wait for a run to end, unless none is running.
                if (active.empty()) abortAll("impossible de lancer une exécution");
                break;
            }
            std::vector<int> inherited{outPipe[0], reportPipe[0], cleaner.Fd()};
            for (const Child& other : active)
                for (int fd : {other.outFd, other.reportFd, other.exitFd})
                    if (fd >= 0) inherited.push_back(fd);
            std::fflush(stdout);
            std::fflush(stderr);
            const pid_t pid = fork();
            if (pid == 0)
                RunChild(programs[child.program], exercise.cases[child.kase], child.folder,
                         settings, grader, outPipe[1], reportPipe[1], inherited);
            close(outPipe[1]);
            close(reportPipe[1]);
            if (pid < 0) {
                close(outPipe[0]);
                close(reportPipe[0]);
                cleaner.Remove(child.folder);
                if (active.empty()) abortAll("impossible de lancer une exécution");
                break;
            }
            setpgid(pid, pid);
            child.pid = pid;
            child.exitFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
            child.outFd = outPipe[0];
            child.reportFd = reportPipe[0];
            child.backstop = Clock::now() + backstopDelay;
            active.push_back(std::move(child));
            ++next;
        }

        // Wait for output, an end, the nearest backstop, or room in the cleaner's pipe.
        std::vector<pollfd> polled;
        std::vector<std::pair<std::size_t, bool>> owners; // child, is its output
        auto now = Clock::now();
        auto wait = settings.cancel ? std::chrono::milliseconds(kCancelCheck)
                                    : std::chrono::milliseconds(1000);
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
            if (child.exitFd >= 0) {
                polled.push_back({child.exitFd, POLLIN, 0});
                owners.emplace_back(i, false);
            } else if (child.outFd < 0 && child.reportFd < 0) {
                // Without a process descriptor, look again shortly for the end.
                wait = std::min(wait, std::chrono::milliseconds(1));
            }
            if (child.killed == Child::Kill::None) {
                auto left = std::chrono::ceil<std::chrono::milliseconds>(child.backstop - now);
                wait = std::min(wait, std::max(left, std::chrono::milliseconds(0)));
            }
        }
        if (cleaner.Pending()) {
            polled.push_back({cleaner.Fd(), POLLOUT, 0});
            owners.emplace_back(active.size(), false);
        }
        const int ready = poll(polled.data(), polled.size(), static_cast<int>(wait.count()));
        if (ready < 0 && errno != EINTR) abortAll("attente des exécutions impossible");
        std::vector<bool> ended(active.size(), false);
        for (std::size_t k = 0; ready > 0 && k < polled.size(); ++k) {
            if (polled[k].revents == 0) continue;
            if (owners[k].first == active.size()) {
                cleaner.Send();
                continue;
            }
            Child& child = active[owners[k].first];
            if (polled[k].fd == child.exitFd) {
                ended[owners[k].first] = true;
                continue;
            }
            Drain(child, owners[k].second ? child.outFd : child.reportFd, owners[k].second);
        }

        // A grader that was stopped (Ctrl+Z) or kept from running sees more time go by
        // than it waited: its runs' backstops move by what it lost.
        now = Clock::now();
        const auto lost = now - lastTurn - wait;
        if (lost > std::chrono::seconds(1))
            for (Child& child : active)
                child.backstop += lost;
        lastTurn = now;

        // The runs that have ended, before any backstop: a run that has finished is never
        // given a limit.
        for (std::size_t i = 0; i < active.size();) {
            Child& child = active[i];
            const bool mayHaveEnded =
                ended[i] || (child.exitFd < 0 && child.outFd < 0 && child.reportFd < 0);
            int status = 0;
            rusage usage{};
            pid_t reaped = 0;
            if (mayHaveEnded) {
                do {
                    reaped = wait4(child.pid, &status, WNOHANG, &usage);
                } while (reaped < 0 && errno == EINTR);
            }
            if (reaped == 0) {
                ++i;
                continue;
            }
            if (reaped < 0) status = W_EXITCODE(kChildSetupFailed, 0); // lost: an abnormal end
            // What the run wrote before it ended is all in its pipes.
            while (child.outFd >= 0)
                Drain(child, child.outFd, true);
            while (child.reportFd >= 0)
                Drain(child, child.reportFd, false);
            if (child.killed != Child::Kill::Abort) {
                RunResult run =
                    Outcome(child, status, usage, settings, exercise.cases[child.kase].expected);
                if (settings.keepOutputs && run.result != Result::Passed)
                    run.output = ReportExcerpt(std::move(child.output));
                results[child.program].runs[child.kase] = std::move(run);
                ++done;
                if (settings.progress) settings.progress(done, tasks.size());
            }
            if (child.exitFd >= 0) close(child.exitFd);
            cleaner.Remove(child.folder);
            active.erase(active.begin() + static_cast<std::ptrdiff_t>(i));
            ended.erase(ended.begin() + static_cast<std::ptrdiff_t>(i));
        }
        for (Child& child : active) {
            if (child.killed != Child::Kill::None || now < child.backstop) continue;
            // A run still computing meets its processor time limit first.
            if (Computing(child.pid))
                child.backstop = now + settings.timeout;
            else
                Kill(child, Child::Kill::Backstop);
        }
    }
    // An interrupted grading gives the terminal back at once; the removal goes on. A
    // cancelled one leaves nothing behind.
    cleaner.Finish(!failed || cancelled);
    return !failed;
}

int InterruptingSignal() {
    return gInterrupt;
}

} // namespace vokc::grading
