// A colouring pass as the memo control runs it, over a text held in memory: prepare the
// rules, mark every record unused, let each enabled rule scan, resolve the runs.
#pragma once

#include "colourrules.h"

#include <string>
#include <vector>

namespace vokc::test {

struct ColourPass {
    TColorRuleHost Host;
    TDrawRules Rules{&Host};
    TKeyDescrList List;
    TCellArray Cells;
    std::string Snapshot;

    // Colours Text from offset From; the region ends at Limit (a NUL is written there, as the
    // control does), or at the end of the text when Limit is negative.
    void Run(std::string_view Text, std::int32_t From = 0, std::int32_t Limit = -1) {
        Snapshot.assign(Text);
        if (Limit < 0 || Limit > static_cast<std::int32_t>(Text.size()))
            Limit = static_cast<std::int32_t>(Text.size());
        if (Limit < static_cast<std::int32_t>(Snapshot.size())) Snapshot[Limit] = '\0';
        PrepareRules(Rules);
        List.BeginPass();
        std::int32_t Next = 0;
        for (std::int32_t I = 0; I < Rules.Count(); ++I)
            if (Rules[I].Enabled) Next = ScanRule(Rules[I], Next, Snapshot, List, Limit, From);
        ResolveRuns(List, List.ColoredRange, Cells);
    }

    std::vector<TKeyDescr> Runs() const {
        std::vector<TKeyDescr> Out;
        for (const TKeyDescr& R : List) {
            if (R.StartPos == UnusedPos) break;
            Out.push_back(R);
        }
        return Out;
    }

    // One letter per character of the last text: g grey, b blue, m maroon, r red, l lime,
    // k black, ? another colour, '.' uncoloured.
    std::string Paint() const {
        std::string Out(Snapshot.size(), '.');
        for (const TKeyDescr& R : Runs())
            for (std::int32_t X = R.StartPos;
                 X <= R.EndPos && X < static_cast<std::int32_t>(Out.size()); ++X)
                Out[X] = Letter(R.Color);
        return Out;
    }

    static char Letter(TColor C) {
        switch (C) {
        case clGray:
            return 'g';
        case clBlue:
            return 'b';
        case clMaroon:
            return 'm';
        case clRed:
            return 'r';
        case clLime:
            return 'l';
        case clBlack:
            return 'k';
        default:
            return '?';
        }
    }
};

} // namespace vokc::test
