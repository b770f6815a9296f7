// Grading: the command `vokc-run --grade`.
#include "grade_main.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <thread>
#include <unistd.h>

#include "grade_cases.h"
#include "grade_compare.h"
#include "grade_html.h"
#include "grade_options.h"
#include "grade_pool.h"
#include "grade_report.h"
#include "program_file.h"
#include "runner.h"

namespace vokc::cli::grade {

using namespace vokc::grading;

namespace {

int UsageError(const std::string& what) {
    std::cerr << "vokc-run: " << VisibleText(AsUtf8(what)) << "\n"
              << "Essayez « vokc-run --grade --help ».\n";
    return 2;
}

// Writes all the bytes: 0, or the error code of the write that failed.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// The results could not be written: a reader that went away ends vokc-run quietly, as
// the plain runner does; any other failure is said, with status 2.
int WriteFailed(const std::string& where, int error) {
    if (error == EPIPE) {
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
    }
    std::cerr << "vokc-run: erreur d'écriture sur " << where << " : " << ErrorReason(error) << "\n";
    return 2;
}

} // namespace

int Main(int argc, char** argv) {
    GradeOptions options;
    std::string error;
    if (!ParseGradeOptions(argc, argv, options, error)) return UsageError(error);
    if (options.help) {
        if (const int why = WriteAll(STDOUT_FILENO, GradeUsage()); why != 0)
            return WriteFailed("la sortie standard", why);
        return 0;
    }
    Exercise exercise;
    if (!LoadExercise(options.folder, exercise, error)) return UsageError(error);

    for (const auto& input : exercise.inputsWithoutOutput)
        std::cerr << "vokc-run: " << VisibleText(AsUtf8(input.string()))
                  << " : pas de fichier .out, ce cas n'est pas noté\n";

    std::vector<Program> programs;
    for (const std::string& file : options.programs) {
        Program program;
        program.file = file;
        std::string bytes;
        if (const int why = ReadProgramFile(file, bytes); why == 0)
            program.lines = DecodeProgram(bytes);
        else
            program.unreadable = why == EFBIG ? "fichier trop volumineux" : "fichier illisible";
        programs.push_back(std::move(program));
    }

    RunSettings settings;
    settings.maxSteps = options.maxSteps;
    settings.timeout = options.timeout;
    settings.separator = options.separator;
    settings.jobs =
        options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    settings.keepOutputs = !options.reportFile.empty();
    // On a terminal, the runs done so far, on one line rewritten in place.
    const bool showProgress = isatty(STDERR_FILENO) != 0;
    if (showProgress)
        settings.progress = [](std::size_t done, std::size_t total) {
            std::fprintf(stderr, "\r%zu/%zu exécutions", done, total);
            std::fflush(stderr);
        };
    const auto endProgress = [showProgress] {
        if (!showProgress) return;
        std::fputs("\r\x1b[K", stderr);
        std::fflush(stderr);
    };

    Grading grading;
    for (const Case& c : exercise.cases) {
        grading.caseNames.push_back(c.name);
        grading.expected.push_back(c.expected);
    }
    const bool graded = GradeAll(exercise, programs, settings, grading.programs, error);
    endProgress();
    if (!graded) {
        std::cerr << "vokc-run: " << VisibleText(AsUtf8(error)) << "\n";
        if (const int signal = InterruptingSignal(); signal != 0) {
            std::signal(signal, SIG_DFL);
            std::raise(signal);
        }
        return 2;
    }

    std::string out;
    switch (options.format) {
    case Format::Text:
        out = TextReport(grading);
        break;
    case Format::Csv:
        out = CsvReport(grading);
        break;
    case Format::Json:
        out = JsonReport(grading);
        break;
    }
    if (const int why = WriteAll(STDOUT_FILENO, out); why != 0)
        return WriteFailed("la sortie standard", why);

    if (!options.reportFile.empty()) {
        const std::string html = HtmlReport(grading, options.folder);
        int why = 0;
        const int fd =
            open(options.reportFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) {
            why = errno;
        } else {
            why = WriteAll(fd, html);
            if (close(fd) != 0 && why == 0) why = errno;
        }
        if (why != 0) return WriteFailed(VisibleText(AsUtf8(options.reportFile)), why);
    }
    for (const ProgramResults& program : grading.programs)
        if (PassedRuns(program) != static_cast<int>(program.runs.size())) return 1;
    return 0;
}

} // namespace vokc::cli::grade
