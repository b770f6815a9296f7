// A program file's lines as a run of the application reads them: the markers that the
// application saves in front of a line (a breakpoint, the step line) are not program
// text. They are removed once, when the file is read, so that the run loop and its
// look-aheads read every line as it is and the run pays nothing for them.
#pragma once

#include <string_view>
#include <vector>

#include "interpreter.h"
#include "program_text.h"

namespace vokc::grading {

class MarkerFreeText final : public ProgramText {
  public:
    // `source` must outlive this text: its lines are viewed, not copied.
    explicit MarkerFreeText(const ProgramText& source) {
        const int count = source.LineCount();
        lines_.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            lines_.push_back(StripLineMarkers(source.Line(i)));
    }
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    std::string_view Line(int i) const override { return lines_[static_cast<std::size_t>(i)]; }

  private:
    std::vector<std::string_view> lines_;
};

} // namespace vokc::grading
