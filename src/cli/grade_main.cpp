// Grading: the command `vokc-run --grade`.
#include "grade_main.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <thread>

#include "grade_cases.h"
#include "grade_html.h"
#include "grade_options.h"
#include "grade_pool.h"
#include "grade_report.h"
#include "program_file.h"
#include "runner.h"

namespace vokc::cli::grade {

namespace {

int UsageError(const std::string& what) {
    std::cerr << "vokc-run: " << what << "\n"
              << "Essayez « vokc-run --grade --help ».\n";
    return 2;
}

} // namespace

int Main(int argc, char** argv) {
    GradeOptions options;
    std::string error;
    if (!ParseGradeOptions(argc, argv, options, error)) return UsageError(error);
    if (options.help) {
        std::cout << GradeUsage();
        return 0;
    }
    Exercise exercise;
    if (!LoadExercise(options.folder, exercise, error)) return UsageError(error);

    std::vector<Program> programs;
    for (const std::string& file : options.programs) {
        Program program;
        program.file = file;
        std::string bytes;
        program.readable = ReadProgramFile(file, bytes);
        if (program.readable) program.lines = DecodeProgram(bytes);
        programs.push_back(std::move(program));
    }

    RunSettings settings;
    settings.maxSteps = options.maxSteps;
    settings.timeout = options.timeout;
    settings.separator = options.separator;
    settings.jobs =
        options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    settings.keepOutputs = !options.reportFile.empty();

    Grading grading;
    for (const Case& c : exercise.cases) {
        grading.caseNames.push_back(c.name);
        grading.expected.push_back(c.expected);
    }
    if (!GradeAll(exercise, programs, settings, grading.programs, error)) {
        std::cerr << "vokc-run: " << error << "\n";
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
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);

    if (!options.reportFile.empty()) {
        const std::string html = HtmlReport(grading, options.folder);
        std::ofstream report(options.reportFile, std::ios::binary | std::ios::trunc);
        report.write(html.data(), static_cast<std::streamsize>(html.size()));
        report.close();
        if (!report) {
            std::cerr << "vokc-run: impossible d'écrire le rapport " << options.reportFile << "\n";
            return 2;
        }
    }
    for (const ProgramResults& program : grading.programs)
        if (PassedRuns(program) != static_cast<int>(program.runs.size())) return 1;
    return 0;
}

} // namespace vokc::cli::grade
