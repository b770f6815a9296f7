// Grading: how a run's standard output is compared with the expected output of a case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vokc::grading {

// The bytes as UTF-8: valid UTF-8 is kept, anything else is read as Windows-1252.
std::string AsUtf8(std::string_view bytes);

// The lines of an output as they are compared: UTF-8 (see AsUtf8, a leading byte-order
// mark dropped), CR LF turned into LF, spaces and tabs at the end of each line removed,
// and the empty lines at the end of the output dropped.
std::vector<std::string> ComparableLines(std::string_view bytes);

// The first line where two outputs differ, counted from 1. A side that has ended has no
// text at that line.
struct Difference {
    int line = 0;
    std::optional<std::string> expected;
    std::optional<std::string> obtained;
};

std::optional<Difference> FirstDifference(const std::vector<std::string>& expected,
                                          const std::vector<std::string>& obtained);

// One row of two outputs aligned on their common lines: the 1-based line of each side
// shown on the row (0: none on that side), and whether the row differs.
struct DiffRow {
    int expected = 0;
    int obtained = 0;
    bool differs = false;
};

// The rows of two outputs aligned on a longest common sequence of lines: common lines
// share a row; between two of them, the lines of each side that differ are paired row
// by row, and the longer side's rest has rows of its own. One inserted line makes one
// differing row.
std::vector<DiffRow> AlignedDiff(const std::vector<std::string>& expected,
                                 const std::vector<std::string>& obtained);

// sortie, ligne N : attendu « E », obtenu « O », with (fin) for a side that has ended.
std::string DifferenceDetail(const Difference& difference);

} // namespace vokc::grading
