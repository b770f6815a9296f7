#include "run_history.h"

#include <algorithm>

namespace vokc {

namespace {
std::size_t TextBytes(const std::string& text) {
    // A text longer than the small-text buffer holds its characters on the heap.
    return sizeof(std::string) + (text.capacity() > 15 ? text.capacity() + 1 : 0);
}

void Apply(std::vector<std::string>& values,
           const std::vector<std::pair<std::uint32_t, std::string>>& changes) {
    for (const auto& [row, text] : changes) {
        if (row >= values.size()) values.resize(row + 1);
        values[row] = text;
    }
}
} // namespace

RunHistory::RunHistory(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void RunHistory::clear() {
    std::vector<std::string>().swap(oldest_);
    std::vector<std::string>().swap(newest_);
    std::deque<Pause>().swap(pauses_);
    viewed_ = 0;
}

void RunHistory::record(int line, const std::vector<std::string>& values) {
    Pause pause;
    pause.line = line;
    if (pauses_.empty()) {
        oldest_ = values;
    } else {
        const std::size_t n = std::max(values.size(), newest_.size());
        for (std::size_t row = 0; row < n; ++row) {
            const bool had = row < newest_.size(), has = row < values.size();
            if (has && (!had || newest_[row] != values[row]))
                pause.changes.emplace_back(static_cast<std::uint32_t>(row), values[row]);
            else if (!has && had)
                pause.changes.emplace_back(static_cast<std::uint32_t>(row), std::string());
        }
        pause.changes.shrink_to_fit();
    }
    newest_ = values;
    pauses_.push_back(std::move(pause));
    if (pauses_.size() > capacity_) {
        // The second oldest becomes the oldest: its changes are folded into the whole copy.
        pauses_.pop_front();
        Apply(oldest_, pauses_.front().changes);
        std::vector<std::pair<std::uint32_t, std::string>>().swap(pauses_.front().changes);
    }
    viewed_ = pauses_.size() - 1;
}

std::vector<std::string> RunHistory::values(std::size_t index) const {
    if (pauses_.empty()) return {};
    index = std::min(index, pauses_.size() - 1);
    if (index + 1 == pauses_.size()) return newest_;
    std::vector<std::string> result = oldest_;
    for (std::size_t k = 1; k <= index; ++k)
        Apply(result, pauses_[k].changes);
    return result;
}

bool RunHistory::back() {
    if (viewed_ == 0 || pauses_.empty()) return false;
    --viewed_;
    return true;
}

bool RunHistory::forward() {
    if (viewed_ + 1 >= pauses_.size()) return false;
    ++viewed_;
    return true;
}

void RunHistory::toPresent() {
    viewed_ = pauses_.empty() ? 0 : pauses_.size() - 1;
}

void RunHistory::moveLines(const LineMove& move) {
    for (Pause& pause : pauses_)
        pause.line = move.Map(pause.line);
}

std::size_t RunHistory::memoryBytes() const {
    std::size_t bytes = 0;
    for (const auto* copy : {&oldest_, &newest_}) {
        bytes += copy->capacity() * sizeof(std::string);
        for (const std::string& text : *copy)
            bytes += TextBytes(text) - sizeof(std::string);
    }
    for (const Pause& pause : pauses_) {
        bytes += sizeof(Pause) + pause.changes.capacity() * sizeof(pause.changes[0]);
        for (const auto& change : pause.changes)
            bytes += TextBytes(change.second) - sizeof(std::string);
    }
    return bytes;
}

} // namespace vokc
