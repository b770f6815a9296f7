// How an edit of a program text moved its lines, and where a line number kept from
// before the edit now points. An edit replaces the lines [first, first + removed) of the
// old text by the lines [first, first + inserted) of the new one: the lines before stay,
// the lines after shift by the difference. A line changed where it stands moves nothing.
#pragma once

namespace vokc {

struct LineMove {
    int first = 0;
    int removed = 0;
    int inserted = 0;

    bool Moves() const { return removed != 0 || inserted != 0; }
    bool Removes(int line) const {
        return line >= first && static_cast<long long>(line) - first < removed;
    }
    // The line that holds the same text now; a removed line becomes the first line after
    // the change. (Any int is accepted: a number that is no line stays within range.)
    int Map(int line) const {
        if (line < first) return line;
        if (Removes(line)) return Clamp(static_cast<long long>(first) + inserted);
        return Clamp(static_cast<long long>(line) + inserted - removed);
    }
    // For a line after which a run goes on (a call's line, a loop's head): a removed one
    // becomes the last line of the change, so that the first line after it runs next.
    int MapBefore(int line) const {
        return Removes(line) ? Clamp(static_cast<long long>(first) + inserted - 1) : Map(line);
    }

  private:
    static int Clamp(long long line) {
        return line > kLast ? kLast : line < -kLast ? -kLast : static_cast<int>(line);
    }
    static constexpr int kLast = 0x3FFFFFFF;
};

} // namespace vokc
