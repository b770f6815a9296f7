// Grading: a grading request and its answers as bytes, between the desktop application
// and the grading process it starts (vokc-run --grade-worker). A process of its own, as
// small as vokc-run, forks the runs much faster than the application could. The request
// is the exercise folder, the programs and the run settings; the answers are frames:
// progress, then the results.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grade_pool.h"
#include "grade_report.h"

namespace vokc::grading {

struct GradeRequest {
    std::string folder;
    std::vector<Program> programs;
    RunSettings settings; // its callbacks and cancel flag are not sent
};

std::string EncodeRequest(const GradeRequest& request);
bool DecodeRequest(std::string_view bytes, GradeRequest& request);

// One answer of the grading process.
struct GradeFrame {
    enum class Kind { Progress, Results } kind = Kind::Progress;
    std::uint64_t done = 0, total = 0;    // Progress
    bool ok = false;                      // Results
    std::string error;                    // Results, when not ok
    std::vector<ProgramResults> programs; // Results
};

std::string EncodeProgress(std::uint64_t done, std::uint64_t total);
std::string EncodeResults(bool ok, const std::string& error,
                          const std::vector<ProgramResults>& programs);

// Takes the answers' bytes as they come and gives back each whole frame.
class FrameReader {
  public:
    void Append(std::string_view bytes) { buffer_.append(bytes); }
    // The next whole frame; nullopt when it has not all come yet. `broken` is set when
    // the bytes are no frame at all.
    std::optional<GradeFrame> Next();
    bool Broken() const { return broken_; }

  private:
    std::string buffer_;
    bool broken_ = false;
};

} // namespace vokc::grading
