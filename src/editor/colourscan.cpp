// Colour rules: the scans of a colouring pass (one per rule kind) and the resolution of
// their overlapping descriptors into runs.
#include "colourrules.h"

#include <algorithm>
#include <limits>

namespace vokc {

namespace {

constexpr std::size_t NotFound = std::string_view::npos;
constexpr std::int32_t NeverFound = std::numeric_limits<std::int32_t>::max();

// Letters for keyword boundaries: '@', 'A'..'Z' and 'a'..'z'. Digits, '_' and codes 128 and
// above are not letters.
bool IsLetter(char C) {
    const auto U = static_cast<unsigned char>(C);
    return (U >= 64 && U <= 90) || (U >= 97 && U <= 122);
}

char UpperAscii(char C) {
    return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C;
}

// First occurrence of Key in Text at or after From; an empty key never occurs.
std::size_t FindKey(std::string_view Text, std::string_view Key, std::size_t From) {
    return Key.empty() ? NotFound : Text.find(Key, From);
}

} // namespace

// The scans reach a rule's compiled tables and its scratch state through this friend.
struct TRuleScan {
    TColorRule& Rule;
    TKeyDescrList& List;
    std::string_view Text; // the snapshot cut at its first NUL at or after From
    std::int32_t Next;

    void Store(std::size_t Start, std::size_t End, TColor Color, std::uint8_t IsKeyword) {
        Next = List.Store(Next, static_cast<std::int32_t>(Start), static_cast<std::int32_t>(End),
                          Color, Rule.ZOrder, IsKeyword);
    }

    // Earliest begin-key occurrence at or after P; among equal starts the first entry wins.
    // Each entry remembers its next occurrence, so a key that is far away or absent is not
    // searched for again at every span. Returns the entry or nullptr.
    KeyEntry* Earliest(std::size_t P) {
        KeyEntry* Best = nullptr;
        for (KeyEntry& E : *Rule.FKeyTable) {
            if (E.BeginLen == 0) break;
            if (E.LastPos < static_cast<std::int64_t>(P)) {
                const std::size_t At = FindKey(Text, E.BeginKey(), P);
                E.LastPos = At == NotFound ? NeverFound : static_cast<std::int32_t>(At);
            }
            if (E.LastPos != NeverFound && (!Best || E.LastPos < Best->LastPos)) Best = &E;
        }
        return Best;
    }

    void ResetScratch() {
        for (KeyEntry& E : *Rule.FKeyTable)
            E.LastPos = -1;
    }

    // Spans from a begin key to its end key. The end key is searched from the second
    // character of the begin key ("/*/" is a whole comment), and the next begin key from the
    // last character of the end key. An opener whose end key never comes stops the scan.
    void BeginEnd(std::size_t From, std::int64_t Limit) {
        if (!Rule.FKeyTable) return;
        ResetScratch();
        std::size_t P = From;
        do {
            const KeyEntry* E = Earliest(P);
            if (!E) return;
            const auto Begin = static_cast<std::size_t>(E->LastPos);
            const std::size_t EndAt = FindKey(Text, E->EndKey(), Begin + 1);
            if (EndAt == NotFound) return;
            Store(Begin, EndAt + E->EndLen - 1, E->Color, 0);
            P = EndAt + 1;
        } while (static_cast<std::int64_t>(P) <= Limit);
    }

    // Spans from a key to the end of its line, the CR LF excluded; without a line break the
    // span runs to the end of the text.
    void BeginLineEnd(std::size_t From, std::int64_t Limit) {
        if (!Rule.FKeyTable) return;
        ResetScratch();
        std::size_t P = From;
        do {
            const KeyEntry* E = Earliest(P);
            if (!E) return;
            const auto Begin = static_cast<std::size_t>(E->LastPos);
            const std::size_t Cr = Text.find("\r\n", Begin);
            if (Cr == NotFound) {
                Store(Begin, Text.size() - 1, E->Color, 0);
                return;
            }
            Store(Begin, Cr - 1, E->Color, 0);
            P = Cr + 1;
        } while (static_cast<std::int64_t>(P) <= Limit);
    }

    // Text to search for keywords: the snapshot itself, or an upper-cased copy of it from
    // From on (kept in the rule and grown only when a longer text comes).
    std::string_view KeywordText(std::size_t From) {
        if (Rule.KeyCase) return Text;
        const std::size_t Len = Text.size() - From;
        std::vector<char>& Upper = Rule.FUpper;
        if (Upper.capacity() < Len) {
            std::vector<char>().swap(Upper);
            Upper.reserve(Len);
        }
        Upper.resize(Len);
        std::transform(Text.begin() + static_cast<std::ptrdiff_t>(From), Text.end(), Upper.begin(),
                       UpperAscii);
        return {Upper.data(), Len};
    }

    // Every occurrence of every keyword, in program order, from From to the end of the text.
    // Unless PartWord, an occurrence counts only with no letter just before or after it; the
    // first scanned character has no letter before it.
    void Keywords(std::size_t From) {
        const std::string& Program = Rule.FKeywordProgram;
        if (Program.size() < 3) return; // "*" alone, or nothing
        const std::string_view Scanned = KeywordText(From);
        const std::size_t Base = Rule.KeyCase ? From : 0; // offset of From in Scanned
        std::size_t At = 1;
        while (At < Program.size()) {
            const std::size_t Sep = Program.find("*+", At);
            if (Sep == std::string::npos || Sep + 2 >= Program.size()) return;
            const std::string_view Key(Program.data() + At, Sep - At);
            const auto Index = static_cast<unsigned char>(Program[Sep + 2]);
            At = Sep + 4;
            const TColor Color = Index >= 1 && Index <= Rule.FColorCount
                                     ? Rule.FColorTable[Index - 1]
                                     : Rule.DefKeyColor;
            for (std::size_t Occ = FindKey(Scanned, Key, Base); Occ != NotFound;
                 Occ = FindKey(Scanned, Key, Occ + Key.size())) {
                const std::size_t After = Occ + Key.size();
                const bool LetterBefore = Occ > Base && IsLetter(Scanned[Occ - 1]);
                const bool LetterAfter = After < Scanned.size() && IsLetter(Scanned[After]);
                if (Rule.PartWord || (!LetterBefore && !LetterAfter)) {
                    const std::size_t Start = Occ - Base + From;
                    Store(Start, Start + Key.size() - 1, Color, 1);
                }
            }
        }
    }

    // Spans supplied by the control's OnDraw handler, relative to From. Counts and spans
    // that do not fit the buffer or the snapshot are left out.
    void EventDraw(std::size_t From, std::size_t SnapshotSize) {
        TColorRuleHost* Host = Rule.FControl;
        if (!Host || !Host->OnDraw || Host->ColorLimMax() <= 0) return;
        std::span<TKeyDescr> Buffer = Host->DrawBuffer();
        std::fill(Buffer.begin(), Buffer.end(), TKeyDescr{});
        std::int32_t Count = 0;
        Host->OnDraw(Rule, Text.substr(From), Buffer, Count);
        Buffer = Host->DrawBuffer(); // the handler may have resized it
        const std::size_t N = Count <= 0 ? 0 : std::min<std::size_t>(Count, Buffer.size());
        for (std::size_t I = 0; I < N; ++I) {
            const TKeyDescr& R = Buffer[I];
            const std::int64_t Start = std::int64_t{R.StartPos} + static_cast<std::int64_t>(From);
            const std::int64_t End = std::int64_t{R.EndPos} + static_cast<std::int64_t>(From);
            if (Start < 0 || End < Start || End >= static_cast<std::int64_t>(SnapshotSize))
                continue;
            const std::uint8_t Z = R.ZOrder != 0 ? R.ZOrder : Rule.ZOrder;
            Next = List.Store(Next, static_cast<std::int32_t>(Start),
                              static_cast<std::int32_t>(End), R.Color, Z, 0);
        }
    }
};

std::int32_t ScanRule(TColorRule& Rule, std::int32_t NextIndex, std::string_view Text,
                      TKeyDescrList& List, std::int32_t Limit, std::int32_t From) {
    // Offsets are 32-bit: a longer snapshot is scanned over its first UnusedPos - 1 bytes.
    Text = Text.substr(0, static_cast<std::size_t>(UnusedPos - 1));
    if (From < 0) From = 0;
    const auto Start = static_cast<std::size_t>(From);
    if (Start > Text.size()) return NextIndex;
    const std::size_t Nul = Text.find('\0', Start);
    TRuleScan Scan{Rule, List, Text.substr(0, Nul), NextIndex};
    switch (Rule.KeyDrawingType) {
    case dtKeyShow:
        Scan.Keywords(Start);
        break;
    case dtEventDraw:
        Scan.EventDraw(Start, Text.size());
        break;
    case dtBeginEnd:
        Scan.BeginEnd(Start, Limit);
        break;
    case dtBeginLineEnd:
        Scan.BeginLineEnd(Start, Limit);
        break;
    }
    return Scan.Next;
}

// ---------------------------------------------------------------------------------------
// Runs

namespace {

bool SameGroup(const TCharCell& A, const TCharCell& B) {
    return A.Color == B.Color && A.ZOrder == B.ZOrder && A.IsKeyword == B.IsKeyword &&
           A.Set == B.Set;
}

// Fills Cells[0 .. N) from the records: per character the highest ZOrder wins, the later
// record among equals. Records are clipped to the range.
void PaintCells(const TKeyDescrList& List, std::int64_t Low, std::int64_t High, TCellArray& Cells) {
    for (const TKeyDescr& R : List) {
        if (R.StartPos >= UnusedPos || R.EndPos >= UnusedPos || R.EndPos < R.StartPos) continue;
        const std::int64_t From = std::max<std::int64_t>(R.StartPos, Low);
        const std::int64_t To = std::min<std::int64_t>(R.EndPos, High);
        for (std::int64_t X = From; X <= To; ++X) {
            TCharCell& C = Cells[static_cast<std::size_t>(X - Low)];
            if (R.ZOrder >= C.ZOrder) C = {R.Color, R.ZOrder, R.IsKeyword, true};
        }
    }
}

} // namespace

// A run is a maximal stretch of set cells with the same colour, ZOrder and keyword flag.
// Unset cells never join a run, whatever colour a set neighbour has.
void ResolveRuns(TKeyDescrList& List, const TColoredRange& ColoredRange, TCellArray& Cells) {
    if (ColoredRange.Empty()) {
        List.MarkEnd(0);
        return;
    }
    const std::int64_t Low = ColoredRange.Low;
    const std::int64_t High = ColoredRange.High;
    const auto N = static_cast<std::size_t>(High - Low + 2); // one sentinel cell past High
    if (Cells.size() < N) Cells.assign(N, TCharCell{});
    std::fill_n(Cells.begin(), N, TCharCell{});
    PaintCells(List, Low, High, Cells);

    std::int32_t Out = 0;
    std::size_t Group = 0;
    for (std::size_t I = 1; I < N; ++I) {
        if (SameGroup(Cells[I], Cells[Group])) continue;
        const TCharCell& Last = Cells[I - 1];
        if (Last.Set)
            Out = List.Put(Out, TKeyDescr{static_cast<std::int32_t>(Low + std::int64_t(Group)),
                                          static_cast<std::int32_t>(Low + std::int64_t(I) - 1),
                                          Cells[Group].Color, Last.ZOrder, Last.IsKeyword});
        Group = I;
    }
    List.MarkEnd(Out);
}

} // namespace vokc
