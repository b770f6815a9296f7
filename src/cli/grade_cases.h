// Grading: the cases of an exercise folder and the programs to grade.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vokc::cli::grade {

// One case: NAME.out holds the expected standard output, NAME.in (when present) the
// standard input.
struct Case {
    std::string name;
    std::filesystem::path input; // empty: no input
    std::string expected;        // bytes of NAME.out
};

// An exercise folder: its cases in the byte order of their names, and the data files
// that every run gets a copy of.
struct Exercise {
    std::filesystem::path folder; // absolute
    std::vector<Case> cases;
    std::vector<std::filesystem::path> dataFiles;
};

// Reads an exercise folder. False, with a French explanation, when it cannot be read or
// holds no case.
bool LoadExercise(const std::string& folder, Exercise& exercise, std::string& error);

// Reads a program file's bytes. False for what is no program: a file that cannot be
// opened or read, or a folder (an empty file is a program).
bool ReadProgramFile(const std::string& file, std::string& bytes);

} // namespace vokc::cli::grade
