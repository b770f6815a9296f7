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
    bool Removes(int line) const { return line >= first && line - first < removed; }
    // The line that holds the same text now; a removed line becomes the first line after
    // the change.
    int Map(int line) const {
        if (line < first) return line;
        if (line - first < removed) return first + inserted;
        return line + inserted - removed;
    }
    // For a line after which a run goes on (a call's line, a loop's head): a removed one
    // becomes the last line of the change, so that the first line after it runs next.
    int MapBefore(int line) const { return Removes(line) ? first + inserted - 1 : Map(line); }
};

} // namespace vokc
