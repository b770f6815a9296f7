// Grading: running every program against every case, each run in a child process of
// its own, several at a time.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "grade_cases.h"
#include "grade_report.h"

namespace vokc::grading {

// Standard output kept of a run; one byte more ends the run as `limite`.
inline constexpr std::size_t kOutputLimit = 1'048'576;
// Bytes a run may write into files, all its files together.
inline constexpr std::uint64_t kFileLimit = 10'000'000;
// Files and folders a run may create.
inline constexpr std::uint64_t kEntryLimit = 1'000;

struct Program {
    std::string file;               // as given on the command line
    std::string unreadable;         // not empty: why every case is `erreur` (the file's reason)
    std::vector<std::string> lines; // Windows-1252
};

struct RunSettings {
    std::uint64_t maxSteps = 10'000'000;
    std::chrono::milliseconds timeout{10'000}; // processor time of one run
    char separator = '.';
    unsigned jobs = 1;
    bool keepOutputs = false; // keep what failing runs printed (for the HTML report)
    // Told of the runs done out of the runs to do, from 0 on.
    std::function<void(std::size_t done, std::size_t total)> progress;
    // Set from another thread to end the grading: the runs are ended, their folders are
    // removed before GradeAll returns (within a few tens of milliseconds), and GradeAll
    // returns false with the explanation "notation annulée".
    const std::atomic<bool>* cancel = nullptr;
    // SIGINT, SIGTERM and SIGHUP end the grading (a terminal's grader); an application
    // that has its own ways to stop leaves its signal handlers alone.
    bool catchSignals = true;
};

// Grades every program against every case of the exercise. The results are in program
// order then case order whatever the number of jobs. False, with a French explanation,
// when the runs could not be prepared (no temporary folder, no process) or the grading
// was interrupted by a signal or cancelled; the runs are then ended, and their folders
// are removed after GradeAll has returned (before, when cancelled). A program that runs
// GradeAll on a thread of its own keeps that thread until GradeAll returns: a run ends
// with the thread that started it.
bool GradeAll(const Exercise& exercise, const std::vector<Program>& programs,
              const RunSettings& settings, std::vector<ProgramResults>& results,
              std::string& error);

// The signal that interrupted the last GradeAll (0: none).
int InterruptingSignal();

} // namespace vokc::grading
