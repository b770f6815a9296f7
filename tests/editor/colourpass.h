// A colouring pass as the memo control runs it, over a text held in memory: prepare the
// rules, mark every span unused, let each enabled rule scan, resolve the runs.
#pragma once

#include "colourrules.h"

#include <string>
#include <vector>

namespace vokc::test {

struct ColourPass {
    ColourRuleHost host;
    ColourRules rules{&host};
    SpanList list;
    CharCells cells;
    std::string snapshot;

    // Colours `text` from offset `from`; the region ends at `limit` (a NUL is written there,
    // as the control does), or at the end of the text when `limit` is negative.
    void run(std::string_view text, std::int32_t from = 0, std::int32_t limit = -1) {
        snapshot.assign(text);
        if (limit < 0 || limit > static_cast<std::int32_t>(text.size()))
            limit = static_cast<std::int32_t>(text.size());
        if (limit < static_cast<std::int32_t>(snapshot.size())) snapshot[limit] = '\0';
        PrepareRules(rules);
        list.beginPass();
        std::int32_t next = 0;
        for (std::int32_t i = 0; i < rules.count(); ++i)
            if (rules[i].isEnabled()) next = ScanRule(rules[i], next, snapshot, list, limit, from);
        ResolveRuns(list, list.colouredRange(), cells);
    }

    std::vector<ColourSpan> runs() const {
        std::vector<ColourSpan> out;
        for (const ColourSpan& r : list) {
            if (r.start == kUnusedPos) break;
            out.push_back(r);
        }
        return out;
    }

    // One letter per character of the last text: g grey, b blue, m maroon, r red, l lime,
    // k black, ? another colour, '.' uncoloured.
    std::string paint() const {
        std::string out(snapshot.size(), '.');
        for (const ColourSpan& r : runs())
            for (std::int32_t x = r.start; x <= r.end && x < static_cast<std::int32_t>(out.size());
                 ++x)
                out[x] = Letter(r.colour);
        return out;
    }

    static char Letter(Colour c) {
        switch (c) {
        case kGrey:
            return 'g';
        case kBlue:
            return 'b';
        case kMaroon:
            return 'm';
        case kRed:
            return 'r';
        case kLime:
            return 'l';
        case kBlack:
            return 'k';
        default:
            return '?';
        }
    }
};

} // namespace vokc::test
