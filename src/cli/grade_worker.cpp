// Grading: `vokc-run --grade-worker`, the grading process of the desktop application.
// It reads one request on standard input (to its end), grades, and writes the progress
// and then the results on standard output. SIGUSR1 cancels the grading; the process
// ends with the application.
#include "grade_worker.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

#include "grade_cases.h"
#include "grade_pool.h"
#include "grade_wire.h"

namespace vokc::cli::grade {

namespace {

std::atomic<bool> gCancel{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnCancel(int) {
    gCancel.store(true);
}

bool WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

int Worker() {
    // The application that started this process may end at any moment.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    struct sigaction cancel {};
    cancel.sa_handler = OnCancel;
    sigemptyset(&cancel.sa_mask);
    sigaction(SIGUSR1, &cancel, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    grading::GradeRequest request;
    if (!grading::DecodeRequest(bytes, request)) {
        WriteAll(grading::EncodeResults(false, "demande de notation illisible", {}));
        return 2;
    }
    grading::Exercise exercise;
    std::string error;
    if (!grading::LoadExercise(request.folder, exercise, error)) {
        WriteAll(grading::EncodeResults(false, error, {}));
        return 2;
    }
    request.settings.cancel = &gCancel;
    request.settings.progress = [](std::size_t done, std::size_t total) {
        WriteAll(grading::EncodeProgress(done, total));
    };
    std::vector<grading::ProgramResults> results;
    const bool ok = grading::GradeAll(exercise, request.programs, request.settings, results, error);
    return WriteAll(grading::EncodeResults(ok, error, results)) && ok ? 0 : 1;
}

} // namespace vokc::cli::grade
