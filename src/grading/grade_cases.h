// Grading: the cases of an exercise folder and the programs to grade.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vokc::grading {

// One case: NAME.out holds the expected standard output, NAME.in (when present) the
// standard input.
struct Case {
    std::string name;
    std::filesystem::path input; // empty: no input
    std::string expected;        // bytes of NAME.out
};

// An exercise folder: its cases in the natural order of their names (see NaturalLess),
// and the data files that every run gets a copy of.
struct Exercise {
    std::filesystem::path folder; // absolute
    std::vector<Case> cases;
    std::vector<std::filesystem::path> dataFiles;
    // NAME.in files without their NAME.out (as the folder was named): no case, no data.
    std::vector<std::filesystem::path> inputsWithoutOutput;
};

// Largest expected output read.
inline constexpr std::uintmax_t kCaseFileMax = std::uintmax_t{1} << 30;

// Natural order of names: runs of digits compare by their value (1, 2, 10, 100), the
// rest byte by byte.
bool NaturalLess(std::string_view a, std::string_view b);

// Reads an exercise folder. False, with a French explanation, when it cannot be read,
// holds no case, or an expected output or an input cannot be read (`FILE : REASON`).
bool LoadExercise(const std::string& folder, Exercise& exercise, std::string& error);

// Reads a program file's bytes: 0, or the error code of why it is no program (a file
// that cannot be opened or read, a folder: EISDIR, beyond kProgramFileMax: EFBIG). An
// empty file is a program.
int ReadProgramFile(const std::string& file, std::string& bytes);

} // namespace vokc::grading
