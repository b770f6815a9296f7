// The history of a stepped run: the line and the value of every inspected row at each
// pause, for going back through the last pauses without running anything again. Only
// the rows that changed since the previous pause are stored; the oldest pause is kept
// whole, so that any pause is rebuilt from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "line_moves.h"

namespace vokc {

class RunHistory {
  public:
    // Elements of an array kept at each pause, as many as the variables panel shows.
    static constexpr int kElementsKept = 1000;

    explicit RunHistory(std::size_t capacity = 10000);

    // Forgets every pause (a fresh run).
    void clear();
    // Remembers a pause: the 0-based line that runs next and the value of every row. The
    // oldest pause goes when the capacity is reached; the view returns to the present.
    void record(int line, const std::vector<std::string>& values);

    std::size_t size() const { return pauses_.size(); }
    bool empty() const { return pauses_.empty(); }
    int line(std::size_t index) const { return pauses_[index].line; }
    // The values at a pause (0 is the oldest kept).
    std::vector<std::string> values(std::size_t index) const;

    // The pause being looked at: size() - 1 is the present.
    std::size_t viewed() const { return viewed_; }
    bool inPast() const { return !pauses_.empty() && viewed_ + 1 < pauses_.size(); }
    // One pause back or forward; false when there is none.
    bool back();
    bool forward();
    void toPresent();
    // The text was edited: each pause's line follows its text.
    void moveLines(const LineMove& move);

    // The memory the stored values take, in bytes (texts, their tables and the pauses).
    std::size_t memoryBytes() const;

  private:
    struct Pause {
        int line = 0;
        std::vector<std::pair<std::uint32_t, std::string>> changes; // row, new value
    };
    std::size_t capacity_;
    std::vector<std::string> oldest_; // the values at pauses_.front()
    std::vector<std::string> newest_; // the values at pauses_.back()
    std::deque<Pause> pauses_;
    std::size_t viewed_ = 0;
};

} // namespace vokc
