// Colour rules: the record list, colour texts, and the compilation of a rule's lists into
// its key table, keyword program and colour table.
#include "colourrules.h"

#include <algorithm>

namespace vokc {

namespace {

bool IsBlankChar(char C) {
    return static_cast<unsigned char>(C) <= 32;
}

// Removes every character of code 32 or less at both ends.
std::string_view Trim(std::string_view S) {
    while (!S.empty() && IsBlankChar(S.front()))
        S.remove_prefix(1);
    while (!S.empty() && IsBlankChar(S.back()))
        S.remove_suffix(1);
    return S;
}

bool IsBlank(std::string_view S) {
    return Trim(S).empty();
}

char UpperAscii(char C) {
    return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C;
}

struct NamedColor {
    std::string_view Name;
    TColor Value;
};

constexpr NamedColor ColorNames[] = {
    {"BLACK", clBlack},   {"MAROON", clMaroon},   {"GREEN", clGreen}, {"OLIVE", clOlive},
    {"NAVY", clNavy},     {"PURPLE", clPurple},   {"TEAL", clTeal},   {"GRAY", clGray},
    {"SILVER", clSilver}, {"RED", clRed},         {"LIME", clLime},   {"YELLOW", clYellow},
    {"BLUE", clBlue},     {"FUCHSIA", clFuchsia}, {"AQUA", clAqua},   {"WHITE", clWhite},
};

int HexDigit(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    const char U = UpperAscii(C);
    if (U >= 'A' && U <= 'F') return U - 'A' + 10;
    return -1;
}

// Reads "$" and hexadecimal digits, optionally after blanks and a sign, as a 32-bit value
// (a minus sign negates it modulo 2^32). False when the text is anything else or the value
// needs more than 32 bits.
bool HexToInt(std::string_view S, std::uint32_t& Value) {
    while (!S.empty() && S.front() == ' ')
        S.remove_prefix(1);
    bool Negative = false;
    if (!S.empty() && (S.front() == '+' || S.front() == '-')) {
        Negative = S.front() == '-';
        S.remove_prefix(1);
    }
    if (S.size() < 2 || S.front() != '$') return false;
    std::uint64_t V = 0;
    for (char C : S.substr(1)) {
        const int D = HexDigit(C);
        if (D < 0) return false;
        V = V * 16 + static_cast<unsigned>(D);
        if (V > 0xFFFFFFFFu) return false;
    }
    Value = Negative ? 0u - static_cast<std::uint32_t>(V) : static_cast<std::uint32_t>(V);
    return true;
}

// Colour part of a list line: ParseColor of it unless it is blank.
TColor ColorOrDefault(std::string_view Part, TColor Default) {
    return IsBlank(Part) ? Default : ParseColor(Part);
}

void SetKey(std::array<char, KeyLenMax>& Text, std::uint8_t& Len, std::string_view Key) {
    Key = Key.substr(0, KeyLenMax);
    std::copy(Key.begin(), Key.end(), Text.begin());
    Len = static_cast<std::uint8_t>(Key.size());
}

} // namespace

// ---------------------------------------------------------------------------------------
// Records

void TKeyDescrList::BeginPass() {
    for (TKeyDescr& R : FItems)
        R.StartPos = UnusedPos;
    ColoredRange = TColoredRange{};
}

std::int32_t TKeyDescrList::Put(std::int32_t Index, const TKeyDescr& Record) {
    if (Index < 0) Index = 0;
    if (Index >= Count()) {
        FItems.push_back(Record);
        return Count();
    }
    FItems[Index] = Record;
    return Index + 1;
}

std::int32_t TKeyDescrList::Store(std::int32_t Index, std::int32_t StartPos, std::int32_t EndPos,
                                  TColor Color, std::uint8_t ZOrder, std::uint8_t IsKeyword) {
    if (ColoredRange.Low == -1 && ColoredRange.High == -1) {
        ColoredRange = {StartPos, EndPos};
    } else {
        ColoredRange.Low = std::min(ColoredRange.Low, StartPos);
        ColoredRange.High = std::max(ColoredRange.High, EndPos);
    }
    return Put(Index, TKeyDescr{StartPos, EndPos, Color, ZOrder, IsKeyword});
}

void TKeyDescrList::MarkEnd(std::int32_t Index) {
    if (Index >= 0 && Index < Count()) FItems[Index].StartPos = UnusedPos;
}

void TColorRuleHost::SetColorLimMax(std::int32_t Value) {
    if (Value == FColorLimMax) return;
    FColorLimMax = Value;
    std::vector<TKeyDescr>().swap(FDrawBuffer);
    if (Value > 0) FDrawBuffer.resize(static_cast<std::size_t>(Value));
}

// ---------------------------------------------------------------------------------------
// Colour texts

TColor ParseColor(std::string_view Text) {
    std::string S(Trim(Text).substr(0, 10));
    std::transform(S.begin(), S.end(), S.begin(), UpperAscii);
    for (const NamedColor& N : ColorNames)
        if (S == N.Name) return N.Value;

    if (const auto Hash = S.find('#'); Hash != std::string::npos) S.erase(Hash, 1);
    std::uint32_t V = 0;
    const bool Ok = S.find('$') != std::string::npos ? HexToInt(S, V) : HexToInt("$" + S, V);
    if (!Ok) return clWhite;
    // The text is red-green-blue; a colour value is blue-green-red.
    return ((V & 0xFFu) << 16) | (V & 0xFF00u) | ((V >> 16) & 0xFFu);
}

// ---------------------------------------------------------------------------------------
// Compiling a rule

TKeyTable& TColorRule::ClearedKeyTable() {
    if (!FKeyTable) FKeyTable = std::make_unique<TKeyTable>();
    FKeyTable->fill(KeyEntry{});
    return *FKeyTable;
}

// Each line: begin key ";" end key [";" colour]. A line without a ";" after its first
// character leaves its entry empty, which ends the table.
void TColorRule::CompileKeyBegEnd(const TStrings& Lines) {
    TKeyTable& Table = ClearedKeyTable();
    const std::size_t N = std::min<std::size_t>(Lines.size(), KeyTableSize);
    for (std::size_t K = 0; K < N; ++K) {
        const std::string_view Line = Lines[K];
        const std::size_t P = Line.find(';');
        if (P == std::string_view::npos || P == 0) continue;
        const std::string_view Rest = Line.substr(P + 1);
        const std::size_t Q = Rest.find(';');
        KeyEntry& E = Table[K];
        SetKey(E.BeginText, E.BeginLen, Line.substr(0, P));
        SetKey(E.EndText, E.EndLen, Rest.substr(0, Q));
        E.Color = Q == std::string_view::npos ? DefKeyColor
                                              : ColorOrDefault(Rest.substr(Q + 1), DefKeyColor);
    }
}

// Each line: key [";" colour]. ";;colour" makes ";" the key; a line with no ";" or a single
// leading one is a key as a whole, with the default colour. An empty line ends the table.
void TColorRule::CompileKeyLineEnd(const TStrings& Lines) {
    TKeyTable& Table = ClearedKeyTable();
    const std::size_t N = std::min<std::size_t>(Lines.size(), KeyTableSize);
    for (std::size_t K = 0; K < N; ++K) {
        const std::string_view Line = Lines[K];
        const std::size_t P = Line.find(';');
        std::string_view Key = Line;
        TColor Color = DefKeyColor;
        if (P != std::string_view::npos && P >= 1) {
            Key = Line.substr(0, P);
            Color = ColorOrDefault(Line.substr(P + 1), DefKeyColor);
        } else if (P == 0 && Line.size() > 1 && Line[1] == ';') {
            Key = Line.substr(0, 1);
            Color = ColorOrDefault(Line.substr(2), DefKeyColor);
        }
        KeyEntry& E = Table[K];
        SetKey(E.BeginText, E.BeginLen, Key);
        E.Color = Color;
    }
}

// Index (1-based) of Color in the colour table, appending it while there is room; with the
// table full, an unknown colour keeps the Previous keyword's index.
std::uint8_t TColorRule::ColorIndex(TColor Color, std::uint8_t Previous) {
    for (std::size_t I = 0; I < FColorCount; ++I)
        if (FColorTable[I] == Color) return static_cast<std::uint8_t>(I + 1);
    if (FColorCount == ColorTableSize) return Previous;
    FColorTable[FColorCount++] = Color;
    return static_cast<std::uint8_t>(FColorCount);
}

// Each non-blank line: keyword [";" colour]. The keyword is kept as written (blanks
// included), cut to 31 characters and upper-cased unless KeyCase. A keyword holding "*+"
// cannot be told apart from the program's separator and is left out.
void TColorRule::CompileKeywords(const TStrings& Lines) {
    FKeywordProgram.assign(1, '*');
    FColorCount = 0;
    std::uint8_t Index = 0;
    for (const std::string& LineText : Lines) {
        const std::string_view Line = LineText;
        if (IsBlank(Line)) continue;
        const std::size_t P = Line.find(';');
        const TColor Color = P == std::string_view::npos
                                 ? DefKeyColor
                                 : ColorOrDefault(Line.substr(P + 1), DefKeyColor);
        const std::string_view Key = Line.substr(0, P).substr(0, KeywordLenMax);
        if (IsBlank(Key) || Key.find("*+") != std::string_view::npos) continue;
        Index = ColorIndex(Color, Index);
        const std::size_t At = FKeywordProgram.size();
        FKeywordProgram.append(Key);
        if (!KeyCase)
            std::transform(FKeywordProgram.begin() + static_cast<std::ptrdiff_t>(At),
                           FKeywordProgram.end(),
                           FKeywordProgram.begin() + static_cast<std::ptrdiff_t>(At), UpperAscii);
        FKeywordProgram += "*+";
        FKeywordProgram += static_cast<char>(Index);
        FKeywordProgram += '*';
    }
}

void TColorRule::SetKeywords(const TStrings& Value) {
    CompileKeywords(Value);
    if (&Value != &FKeywords) FKeywords = Value;
}

void TColorRule::SetKeyBegEndLst(const TStrings& Value) {
    CompileKeyBegEnd(Value);
    if (&Value != &FKeyBegEndLst) FKeyBegEndLst = Value;
}

void TColorRule::SetKeyLineEndLst(const TStrings& Value) {
    CompileKeyLineEnd(Value);
    if (&Value != &FKeyLineEndLst) FKeyLineEndLst = Value;
}

void TColorRule::Assign(const TColorRule& Source) {
    KeyDrawingType = Source.KeyDrawingType;
    ZOrder = Source.ZOrder;
    KeyMaxHeight = Source.KeyMaxHeight;
    KeyCase = Source.KeyCase;
    Enabled = Source.Enabled;
    PartWord = Source.PartWord;
    DefKeyColor = Source.DefKeyColor;
    SetKeywords(Source.FKeywords);
    SetKeyLineEndLst(Source.FKeyLineEndLst);
    SetKeyBegEndLst(Source.FKeyBegEndLst);
    // Both span kinds share the key table and the begin/end list was written last: a line-key
    // rule must get its line keys back, or the copy would colour nothing.
    if (KeyDrawingType == dtBeginLineEnd) CompileKeyLineEnd(FKeyLineEndLst);
}

bool CompileRule(TColorRule& Rule) {
    Rule.CompileKeyBegEnd(Rule.FKeyBegEndLst);
    bool HasEntries = !Rule.FKeyBegEndLst.empty();
    if (Rule.KeyDrawingType == dtKeyShow) {
        Rule.CompileKeywords(Rule.FKeywords);
        HasEntries = HasEntries || !Rule.FKeywords.empty();
    }
    if (Rule.KeyDrawingType == dtBeginLineEnd) {
        Rule.CompileKeyLineEnd(Rule.FKeyLineEndLst);
        HasEntries = HasEntries || !Rule.FKeyLineEndLst.empty();
    }
    return HasEntries;
}

// ---------------------------------------------------------------------------------------
// Collection

TColorRule& TDrawRules::Add() {
    FItems.push_back(std::make_unique<TColorRule>(FControl));
    return *FItems.back();
}

void TDrawRules::Assign(const TDrawRules& Source) {
    if (&Source == this) return;
    FItems.clear();
    for (const auto& Item : Source.FItems)
        Add().Assign(*Item);
}

void PrepareRules(TDrawRules& Rules) {
    if (!Rules.FToCompile) return;
    bool AnyEntries = false;
    for (auto& Rule : Rules.FItems)
        if (CompileRule(*Rule)) AnyEntries = true;
    if (AnyEntries) Rules.FToCompile = false;
}

} // namespace vokc
