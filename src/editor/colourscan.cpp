// Colour rules: the scans of a colouring pass (one per rule kind) and the resolution of
// their overlapping spans into runs.
#include "colourrules.h"

#include <algorithm>
#include <limits>

#include "text.h"

namespace vokc {

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;
constexpr std::int32_t kNeverFound = std::numeric_limits<std::int32_t>::max();

// Letters for keyword boundaries: '@', 'A'..'Z' and 'a'..'z'. Digits, '_' and codes 128 and
// above are not letters.
bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 64 && u <= 90) || (u >= 97 && u <= 122);
}

// First occurrence of `key` in `text` at or after `from`; an empty key never occurs.
std::size_t FindKey(std::string_view text, std::string_view key, std::size_t from) {
    return key.empty() ? kNotFound : text.find(key, from);
}

} // namespace

// The scans reach a rule's compiled tables and its scratch state through this friend.
struct RuleScan {
    ColourRule& rule;
    SpanList& list;
    std::string_view text; // the snapshot cut at its first NUL at or after the start
    std::int32_t next;

    void store(std::size_t start, std::size_t end, Colour colour, std::uint8_t isKeyword) {
        next = list.store(next, static_cast<std::int32_t>(start), static_cast<std::int32_t>(end),
                          colour, rule.priority_, isKeyword);
    }

    // Earliest begin-key occurrence at or after `p`; among equal starts the first entry
    // wins. Each entry remembers its next occurrence, so a key that is far away or absent is
    // not searched for again at every span. Returns the entry or nullptr.
    KeyEntry* earliest(std::size_t p) {
        KeyEntry* best = nullptr;
        for (KeyEntry& entry : *rule.keyTable_) {
            if (entry.beginLength == 0) break;
            if (entry.nextAt < static_cast<std::int64_t>(p)) {
                const std::size_t at = FindKey(text, entry.beginKey(), p);
                entry.nextAt = at == kNotFound ? kNeverFound : static_cast<std::int32_t>(at);
            }
            if (entry.nextAt != kNeverFound && (!best || entry.nextAt < best->nextAt))
                best = &entry;
        }
        return best;
    }

    void resetScratch() {
        for (KeyEntry& entry : *rule.keyTable_)
            entry.nextAt = -1;
    }

    // Spans from a begin key to its end key. The end key is searched from the second
    // character of the begin key ("/*/" is a whole comment), and the next begin key from the
    // last character of the end key. An opener whose end key never comes stops the scan.
    void beginEnd(std::size_t from, std::int64_t limit) {
        if (!rule.keyTable_) return;
        resetScratch();
        std::size_t p = from;
        do {
            const KeyEntry* entry = earliest(p);
            if (!entry) return;
            const auto begin = static_cast<std::size_t>(entry->nextAt);
            const std::size_t endAt = FindKey(text, entry->endKey(), begin + 1);
            if (endAt == kNotFound) return;
            store(begin, endAt + entry->endLength - 1, entry->colour, 0);
            p = endAt + 1;
        } while (static_cast<std::int64_t>(p) <= limit);
    }

    // Spans from a key to the end of its line, the CR LF excluded; without a line break the
    // span runs to the end of the text.
    void lineEnd(std::size_t from, std::int64_t limit) {
        if (!rule.keyTable_) return;
        resetScratch();
        std::size_t p = from;
        do {
            const KeyEntry* entry = earliest(p);
            if (!entry) return;
            const auto begin = static_cast<std::size_t>(entry->nextAt);
            const std::size_t cr = text.find("\r\n", begin);
            if (cr == kNotFound) {
                store(begin, text.size() - 1, entry->colour, 0);
                return;
            }
            store(begin, cr - 1, entry->colour, 0);
            p = cr + 1;
        } while (static_cast<std::int64_t>(p) <= limit);
    }

    // Text to search for keywords: the snapshot itself, or an upper-cased copy of it from
    // `from` on (kept in the rule and grown only when a longer text comes).
    std::string_view keywordText(std::size_t from) {
        if (rule.matchCase_) return text;
        const std::size_t length = text.size() - from;
        std::vector<char>& upper = rule.upper_;
        if (upper.capacity() < length) {
            std::vector<char>().swap(upper);
            upper.reserve(length);
        }
        upper.resize(length);
        std::transform(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), upper.begin(),
                       UpperAscii);
        return {upper.data(), length};
    }

    // Every occurrence of every keyword, in program order, from `from` to the end of the
    // text. Unless the rule matches inside words, an occurrence counts only with no letter
    // just before or after it; the first scanned character has no letter before it.
    void keywords(std::size_t from) {
        const std::string& program = rule.keywordProgram_;
        if (program.size() < 3) return; // "*" alone, or nothing
        const std::string_view scanned = keywordText(from);
        const std::size_t base = rule.matchCase_ ? from : 0; // offset of `from` in `scanned`
        std::size_t at = 1;
        while (at < program.size()) {
            const std::size_t separator = program.find("*+", at);
            if (separator == std::string::npos || separator + 2 >= program.size()) return;
            const std::string_view key(program.data() + at, separator - at);
            const auto index = static_cast<unsigned char>(program[separator + 2]);
            at = separator + 4;
            const Colour colour = index >= 1 && index <= rule.colourCount_
                                      ? rule.colourTable_[index - 1]
                                      : rule.defaultColour_;
            for (std::size_t found = FindKey(scanned, key, base); found != kNotFound;
                 found = FindKey(scanned, key, found + key.size())) {
                const std::size_t after = found + key.size();
                const bool letterBefore = found > base && IsLetter(scanned[found - 1]);
                const bool letterAfter = after < scanned.size() && IsLetter(scanned[after]);
                if (rule.matchInsideWords_ || (!letterBefore && !letterAfter)) {
                    const std::size_t start = found - base + from;
                    store(start, start + key.size() - 1, colour, 1);
                }
            }
        }
    }

    // Spans supplied by the host's span handler, relative to `from`. Counts and spans that
    // do not fit the buffer or the snapshot are left out.
    void handlerSpans(std::size_t from, std::size_t snapshotSize) {
        ColourRuleHost* host = rule.host_;
        if (!host || !host->spanHandler() || host->spanLimit() <= 0) return;
        std::span<ColourSpan> buffer = host->spanBuffer();
        std::fill(buffer.begin(), buffer.end(), ColourSpan{});
        std::int32_t count = 0;
        host->spanHandler()(rule, text.substr(from), buffer, count);
        buffer = host->spanBuffer(); // the handler may have resized it
        const std::size_t n = count <= 0 ? 0 : std::min<std::size_t>(count, buffer.size());
        for (std::size_t i = 0; i < n; ++i) {
            const ColourSpan& span = buffer[i];
            const std::int64_t start = std::int64_t{span.start} + static_cast<std::int64_t>(from);
            const std::int64_t end = std::int64_t{span.end} + static_cast<std::int64_t>(from);
            if (start < 0 || end < start || end >= static_cast<std::int64_t>(snapshotSize))
                continue;
            const std::uint8_t priority = span.priority != 0 ? span.priority : rule.priority_;
            next = list.store(next, static_cast<std::int32_t>(start),
                              static_cast<std::int32_t>(end), span.colour, priority, 0);
        }
    }
};

std::int32_t ScanRule(ColourRule& rule, std::int32_t nextIndex, std::string_view text,
                      SpanList& list, std::int32_t limit, std::int32_t from) {
    // Offsets are 32-bit: a longer snapshot is scanned over its first kUnusedPos - 1 bytes.
    text = text.substr(0, static_cast<std::size_t>(kUnusedPos - 1));
    if (from < 0) from = 0;
    const auto start = static_cast<std::size_t>(from);
    if (start > text.size()) return nextIndex;
    const std::size_t nul = text.find('\0', start);
    RuleScan scan{rule, list, text.substr(0, nul), nextIndex};
    switch (rule.kind()) {
    case RuleKind::Keywords:
        scan.keywords(start);
        break;
    case RuleKind::HandlerSpans:
        scan.handlerSpans(start, text.size());
        break;
    case RuleKind::BeginEnd:
        scan.beginEnd(start, limit);
        break;
    case RuleKind::LineEnd:
        scan.lineEnd(start, limit);
        break;
    }
    return scan.next;
}

// ---------------------------------------------------------------------------------------
// Runs

namespace {

bool SameGroup(const CharCell& a, const CharCell& b) {
    return a.colour == b.colour && a.priority == b.priority && a.isKeyword == b.isKeyword &&
           a.set == b.set;
}

// Fills cells[0 .. high - low] from the spans: per character the highest priority wins,
// the later span among equals. Spans are clipped to the range.
void PaintCells(const SpanList& list, std::int64_t low, std::int64_t high, CharCells& cells) {
    for (const ColourSpan& span : list) {
        if (span.start >= kUnusedPos || span.end >= kUnusedPos || span.end < span.start) continue;
        const std::int64_t from = std::max<std::int64_t>(span.start, low);
        const std::int64_t to = std::min<std::int64_t>(span.end, high);
        for (std::int64_t x = from; x <= to; ++x) {
            CharCell& cell = cells[static_cast<std::size_t>(x - low)];
            if (span.priority >= cell.priority)
                cell = {span.colour, span.priority, span.isKeyword, true};
        }
    }
}

} // namespace

// A run is a maximal stretch of set cells with the same colour, priority and keyword flag.
// Unset cells never join a run, whatever colour a set neighbour has.
void ResolveRuns(SpanList& list, const ColouredRange& range, CharCells& cells) {
    if (range.empty()) {
        list.markEnd(0);
        return;
    }
    const std::int64_t low = range.low;
    const std::int64_t high = range.high;
    const auto n = static_cast<std::size_t>(high - low + 2); // one sentinel cell past high
    if (cells.size() < n) cells.assign(n, CharCell{});
    std::fill_n(cells.begin(), n, CharCell{});
    PaintCells(list, low, high, cells);

    std::int32_t out = 0;
    std::size_t group = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (SameGroup(cells[i], cells[group])) continue;
        const CharCell& last = cells[i - 1];
        if (last.set)
            out = list.put(out, ColourSpan{static_cast<std::int32_t>(low + std::int64_t(group)),
                                           static_cast<std::int32_t>(low + std::int64_t(i) - 1),
                                           cells[group].colour, last.priority, last.isKeyword});
        group = i;
    }
    list.markEnd(out);
}

} // namespace vokc
