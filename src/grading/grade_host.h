// Grading: the host of one graded run. It is the terminal host (console on standard
// output, answers from standard input, the same stop when the input is exhausted) with
// these differences: messages are recorded instead of shown, printed lines are
// discarded, file and directory names are confined to the working folder, and what a
// run may write there is bounded (bytes across all its files, entries it creates).
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "grade_confine.h"
#include "terminal_host.h"

namespace vokc::grading {

class GradingHost : public TerminalHost {
  public:
    // `root` is the run's working folder. With a file budget, the files of the run may
    // hold that many bytes more than the data files copied before it, all together,
    // and the run may create `entryLimit` files and folders. A write beyond fails as
    // a write to a full disk does. One grading host at a time may have a budget.
    GradingHost(std::string shownName, char separator, const std::filesystem::path& root,
                std::uint64_t fileBudget = 0, std::uint64_t entryLimit = 0);
    ~GradingHost() override;
    GradingHost(const GradingHost&) = delete;
    GradingHost& operator=(const GradingHost&) = delete;

    void Message(std::string_view text, int line) override;
    void ErrorBox(std::string_view text, int line) override;
    bool BeginPrint() override { return true; }
    bool PrintLine(std::string_view) override { return true; }
    bool EndPrint() override { return true; }
    bool PathAllowed(std::string_view path, PathUse use) override;

    // The last message of the run (Windows-1252); empty when there was none.
    const std::string& LastMessage() const { return lastMessage_; }

    // Opens a file for writing whose bytes count against the budget (called instead of
    // fopen(path, "wb") while this host has a budget).
    std::FILE* OpenCounted(const char* path);

  private:
    struct CountedFile;
    static ssize_t WriteCounted(void* cookie, const char* data, std::size_t size);
    static int CloseCounted(void* cookie);
    bool FlushCounted(CountedFile& file);

    PathConfinement confinement_;
    std::uint64_t fileBudget_;
    std::uint64_t entryLimit_;
    std::uint64_t initialBytes_ = 0;   // the data files copied before the run
    std::uint64_t initialEntries_ = 0; // and their number
    std::uint64_t usedBytes_ = 0;      // bytes the run's files hold beyond the data files
    std::uint64_t createdEntries_ = 0; // at least the entries the run created
    std::vector<CountedFile*> open_;
    std::string lastMessage_;
};

} // namespace vokc::grading
