// Grading: the host of one graded run. It is the terminal host (console on standard
// output, answers from standard input, the same stop when the input is exhausted) with
// three differences: messages are recorded instead of shown, printed lines are
// discarded, and file and directory names are confined to the working folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "grade_confine.h"
#include "runner.h"

namespace vokc::cli::grade {

class GradingHost : public TerminalHost {
  public:
    // `root` is the run's working folder. With a file budget, every file opened for
    // writing may only grow to what is left of it (through the process's file size limit).
    GradingHost(std::string shownName, char separator, const std::filesystem::path& root,
                std::uint64_t fileBudget = 0);

    void Message(std::string_view text, int line) override;
    void ErrorBox(std::string_view text, int line) override;
    bool BeginPrint() override { return true; }
    bool PrintLine(std::string_view) override { return true; }
    bool EndPrint() override { return true; }
    bool PathAllowed(std::string_view path, PathUse use) override;

    // The last message of the run (Windows-1252); empty when there was none.
    const std::string& LastMessage() const { return lastMessage_; }

  private:
    PathConfinement confinement_;
    std::uint64_t fileBudget_;
    std::uint64_t initialBytes_ = 0; // the data files copied before the run
    std::string lastMessage_;
};

} // namespace vokc::cli::grade
