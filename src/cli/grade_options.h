// Grading: the command line of `vokc-run --grade`.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace vokc::cli::grade {

enum class Format { Text, Csv, Json };

struct GradeOptions {
    std::string folder;                // DIR: the expected outputs, inputs and data files
    std::vector<std::string> programs; // FILE...: as given, in that order
    unsigned jobs = 0;                 // 0: one per processor
    Format format = Format::Text;
    std::string reportFile; // empty: no HTML report
    std::uint64_t maxSteps = 10'000'000;
    std::chrono::milliseconds timeout{10'000};
    char separator = '.'; // Windows-1252
    bool help = false;
};

// Reads a grading command line (argv[0] is the program's name; --grade may stand
// anywhere). On a usage error, returns false with the French explanation in `error`.
bool ParseGradeOptions(int argc, const char* const* argv, GradeOptions& options,
                       std::string& error);

// The help text of `vokc-run --grade --help`.
const char* GradeUsage();

} // namespace vokc::cli::grade
