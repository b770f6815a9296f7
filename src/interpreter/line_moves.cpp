// A paused run follows the edits of its text: every line number it keeps (the lines of
// labels and procedures, the block ends, the lines that loops and calls go back to, the
// line a run to a line pauses before) moves with the text it referred to.
#include "engine.h"

namespace vokc {

namespace {
constexpr std::string_view kNextFrame = "NEXT";
constexpr std::string_view kWendFrame = "WEND";
constexpr std::string_view kUntilFrame = "UNTIL";
} // namespace

int Engine::MoveLines(const LineMove& move, int resumeLine) {
    if (!move.Moves()) return resumeLine;
    // Paused before a block's end: the run goes on with that end, wherever it now is.
    const bool atBlockEnd = blockCount_ > 0 && blocks_[blockCount_].resumeLine == resumeLine;

    for (int p = 1; p <= symbolCount_; ++p) {
        SymbolEntry& e = symbols_[p];
        if (e.kind == SymbolKind::Label || e.kind == SymbolKind::Procedure)
            e.index = move.Map(e.index);
    }
    // Each frame has its entries on the control stack, in the same order: four for a
    // for loop (its line first), one for the others.
    int entry = 0;
    for (int k = 1; k <= blockCount_; ++k) {
        BlockFrame& frame = blocks_[k];
        const int lineEntry = entry + 1;
        entry += frame.keyword == kNextFrame ? 4 : 1;
        // The frame acts after its block's last line (a do loop's frame never does).
        if (frame.keyword != kUntilFrame)
            frame.resumeLine = move.MapBefore(frame.resumeLine - 1) + 1;
        if (lineEntry > controlTop_) continue;
        std::int32_t& line = control_[lineEntry];
        // A while loop runs its head again; the others go on after their line.
        line = frame.keyword == kWendFrame ? move.Map(line) : move.MapBefore(line);
    }
    if (runToLine_ >= 0) runToLine_ = move.Map(runToLine_);
    for (LoopWatch& w : loopWatches_)
        if (w.line >= 0) w.line = move.Map(w.line);
    for (auto& [line, kind] : warned_)
        line = move.Map(line);
    if (messageLine_ >= 0) messageLine_ = move.Map(messageLine_);
    if (atBlockEnd) return blocks_[blockCount_].resumeLine;
    return move.Map(resumeLine);
}

} // namespace vokc
