// Colour rules: the syntax-colouring engine of the editor's memo control.
//
// A TColorRule turns its string lists (keywords, begin/end pairs, line keys) into compact
// tables once; on every colouring pass ScanRule reads a text snapshot and stores key
// descriptors (TKeyDescr: a span, a colour, a priority) into a TKeyDescrList; ResolveRuns
// then folds the overlapping descriptors into non-overlapping runs of one colour each.
//
// Texts are 8-bit (Windows-1252) bytes. Offsets are 0-based from the start of the snapshot.
// The engine is standard C++ only; the memo control maps colours and draws the runs.
// Once the buffers have grown to fit a text, a pass over it allocates nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vokc {

// 32-bit colour value: $00BBGGRR for plain colours, $800000nn for system colour nn.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindow = 0x80000005; // system colour 5

// Kind of a rule; stored as one byte, in this order.
enum TKeyDrawingType : std::uint8_t {
    dtKeyShow = 0,      // keywords from Keywords
    dtEventDraw = 1,    // spans supplied by the control's OnDraw handler
    dtBeginEnd = 2,     // from a begin key to an end key (may cross lines)
    dtBeginLineEnd = 3, // from a key to the end of its line
};

// StartPos of a record that holds nothing.
constexpr std::int32_t UnusedPos = 2147483647;

// A coloured span. Also handed to OnDraw handlers, so its layout is fixed.
struct TKeyDescr {
    std::int32_t StartPos; // first character, or UnusedPos
    std::int32_t EndPos;   // last character (inclusive)
    TColor Color;
    std::uint8_t ZOrder;    // priority: higher wins
    std::uint8_t IsKeyword; // 1 for a keyword match
};
static_assert(offsetof(TKeyDescr, StartPos) == 0 && offsetof(TKeyDescr, EndPos) == 4 &&
              offsetof(TKeyDescr, Color) == 8 && offsetof(TKeyDescr, ZOrder) == 12 &&
              offsetof(TKeyDescr, IsKeyword) == 13 && sizeof(TKeyDescr) == 16);

// Lowest StartPos and highest EndPos stored during a pass; (-1, -1) before the first.
struct TColoredRange {
    std::int32_t Low = -1;
    std::int32_t High = -1;
    bool Empty() const { return Low < 0 || High < Low; }
};

// The descriptor records of a pass. Records are never removed: a pass overwrites them in
// place and appends only past the current count, so the list stops allocating once it has
// grown to what the text needs. It also keeps the pass's ColoredRange, which every stored
// record widens.
class TKeyDescrList {
  public:
    explicit TKeyDescrList(std::size_t Capacity = 100) { FItems.reserve(Capacity); }

    std::int32_t Count() const { return static_cast<std::int32_t>(FItems.size()); }
    const TKeyDescr& operator[](std::int32_t Index) const { return FItems[Index]; }
    TKeyDescr& operator[](std::int32_t Index) { return FItems[Index]; }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

    TColoredRange ColoredRange;

    // Start of a pass: every record unused, ColoredRange (-1, -1).
    void BeginPass();
    // Writes a record at Index (appending when Index is at or past the count), widens
    // ColoredRange, and returns the next index.
    std::int32_t Store(std::int32_t Index, std::int32_t StartPos, std::int32_t EndPos, TColor Color,
                       std::uint8_t ZOrder, std::uint8_t IsKeyword);
    // Writes a record without touching ColoredRange; returns the next index.
    std::int32_t Put(std::int32_t Index, const TKeyDescr& Record);
    // Marks the record at Index, when there is one, as the end of the list's contents.
    void MarkEnd(std::int32_t Index);

  private:
    std::vector<TKeyDescr> FItems;
};

// One character of the range being resolved.
struct TCharCell {
    TColor Color;
    std::uint8_t ZOrder;
    std::uint8_t IsKeyword;
    bool Set;
};
using TCellArray = std::vector<TCharCell>;

using TStrings = std::vector<std::string>;

class TColorRule;

// Supplies spans for dtEventDraw rules. FromPos is the text from the from position to the
// end of the snapshot; the handler fills at most A.size() records with offsets relative to
// FromPos and sets ItemsCount.
using TDrawEvent = std::function<void(TColorRule& Sender, std::string_view FromPos,
                                      std::span<TKeyDescr> A, std::int32_t& ItemsCount)>;

// What the rules of a collection reach in their control: the OnDraw handler and the buffer
// of ColorLimMax records handed to it.
class TColorRuleHost {
  public:
    TDrawEvent OnDraw;

    std::int32_t ColorLimMax() const { return FColorLimMax; }
    // A new positive value replaces the buffer by one of that many records; zero or a
    // negative value releases it.
    void SetColorLimMax(std::int32_t Value);
    std::span<TKeyDescr> DrawBuffer() { return FDrawBuffer; }

  private:
    std::int32_t FColorLimMax = 0;
    std::vector<TKeyDescr> FDrawBuffer;
};

constexpr int KeyTableSize = 40;   // entries of the begin/end and line key table
constexpr int KeyLenMax = 6;       // characters of a begin or end key
constexpr int ColorTableSize = 41; // keeps a colour index byte below '*' (42)
constexpr int KeywordLenMax = 31;  // characters of a keyword

// One begin/end pair or line key. An entry with an empty begin key ends the table.
struct KeyEntry {
    std::array<char, KeyLenMax> BeginText{};
    std::uint8_t BeginLen = 0;
    std::array<char, KeyLenMax> EndText{}; // empty for line keys
    std::uint8_t EndLen = 0;
    TColor Color = 0;
    std::int32_t LastPos = -1; // scan scratch: the begin key's next occurrence

    std::string_view BeginKey() const { return {BeginText.data(), BeginLen}; }
    std::string_view EndKey() const { return {EndText.data(), EndLen}; }
};
using TKeyTable = std::array<KeyEntry, KeyTableSize>;

// A colour rule. Publishes its settings as fields (in their stored order) and its three
// lists through writers that compile them; lists filled in place through the non-const
// accessors are compiled by the next PrepareRules of a collection that still needs it.
class TColorRule {
  public:
    explicit TColorRule(TColorRuleHost* Control = nullptr) : FControl(Control) {}
    TColorRule(const TColorRule&) = delete;
    TColorRule& operator=(const TColorRule&) = delete;

    std::uint8_t ZOrder = 0; // 252..255 are taken by the control's own spans
    const TStrings& Keywords() const { return FKeywords; }
    TStrings& Keywords() { return FKeywords; }
    void SetKeywords(const TStrings& Value);
    const TStrings& KeyBegEndLst() const { return FKeyBegEndLst; }
    TStrings& KeyBegEndLst() { return FKeyBegEndLst; }
    void SetKeyBegEndLst(const TStrings& Value);
    const TStrings& KeyLineEndLst() const { return FKeyLineEndLst; }
    TStrings& KeyLineEndLst() { return FKeyLineEndLst; }
    void SetKeyLineEndLst(const TStrings& Value);
    std::int32_t KeyMaxHeight = 1; // look-back in lines (the control reads the first rule's)
    TKeyDrawingType KeyDrawingType = dtBeginEnd;
    bool KeyCase = false;  // keywords match case-sensitively
    bool Enabled = true;   // a disabled rule is skipped by the pass
    bool PartWord = false; // keywords match inside words too
    TColor DefKeyColor = clRed;

    // Copies the settings and lists of Source.
    void Assign(const TColorRule& Source);

    TColorRuleHost* Control() const { return FControl; }

    // Compiled tables.
    // "*" then, per keyword: the keyword, "*+", its colour index byte (1..41), "*".
    const std::string& KeywordProgram() const { return FKeywordProgram; }
    std::span<const TColor> ColorTable() const { return {FColorTable.data(), FColorCount}; }
    const TKeyTable* KeyTable() const { return FKeyTable.get(); }

  private:
    friend bool CompileRule(TColorRule& Rule);
    friend struct TRuleScan;

    void CompileKeywords(const TStrings& Lines);
    void CompileKeyBegEnd(const TStrings& Lines);
    void CompileKeyLineEnd(const TStrings& Lines);
    TKeyTable& ClearedKeyTable();
    std::uint8_t ColorIndex(TColor Color, std::uint8_t Previous);

    TColorRuleHost* FControl;
    TStrings FKeywords;
    TStrings FKeyBegEndLst;
    TStrings FKeyLineEndLst;
    std::unique_ptr<TKeyTable> FKeyTable; // created when first needed
    std::string FKeywordProgram = "*";
    std::array<TColor, ColorTableSize> FColorTable{};
    std::size_t FColorCount = 0;
    std::vector<char> FUpper; // upper-cased copy of the scanned text, reused between passes
};

// The rules of one control, in collection order.
class TDrawRules {
  public:
    explicit TDrawRules(TColorRuleHost* Control = nullptr) : FControl(Control) {}
    TDrawRules(const TDrawRules&) = delete;
    TDrawRules& operator=(const TDrawRules&) = delete;

    TColorRule& Add();
    void Clear() { FItems.clear(); }
    std::int32_t Count() const { return static_cast<std::int32_t>(FItems.size()); }
    TColorRule& operator[](std::int32_t Index) { return *FItems[Index]; }
    const TColorRule& operator[](std::int32_t Index) const { return *FItems[Index]; }
    // Replaces the rules by copies of Source's.
    void Assign(const TDrawRules& Source);

    TColorRuleHost* Control() const { return FControl; }
    // True until a PrepareRules finds some rule with entries.
    bool ToCompile() const { return FToCompile; }

  private:
    friend void PrepareRules(TDrawRules& Rules);

    TColorRuleHost* FControl;
    std::vector<std::unique_ptr<TColorRule>> FItems;
    bool FToCompile = true;
};

// Colour of a name (BLACK ... WHITE), or of a red-green-blue hexadecimal number written
// "FF0000", "#FF0000" or "$FF0000" (the last read as the number it is, then swapped the same
// way). Anything else gives white.
TColor ParseColor(std::string_view Text);

// Compiles the begin/end list, then the keywords of a dtKeyShow rule or the line keys of a
// dtBeginLineEnd rule. True when the rule has entries.
bool CompileRule(TColorRule& Rule);

// Start of a colouring pass: compiles every rule while the collection still needs it.
void PrepareRules(TDrawRules& Rules);

// Scans Text for Rule from offset From and stores its descriptors into List from NextIndex
// on; returns the index just past the last record stored. Text is the snapshot; the scan
// treats its first NUL at or after From (the control puts one at Limit) as its end.
// Begin/end and line-key scans start a new span only while its search start is at most
// Limit; keyword scans run to the end.
std::int32_t ScanRule(TColorRule& Rule, std::int32_t NextIndex, std::string_view Text,
                      TKeyDescrList& List, std::int32_t Limit, std::int32_t From);

// Rewrites List into non-overlapping runs over ColoredRange: per character the record with
// the highest ZOrder wins, the later one among equals. Runs are written from index 0; the
// record after the last run is marked UnusedPos. Cells is the reusable per-character buffer.
void ResolveRuns(TKeyDescrList& List, const TColoredRange& ColoredRange, TCellArray& Cells);

// Adds the editor's four rules (block comments, line comments, library words, structure
// words), as the editor window stores them.
void AddEditorColorRules(TDrawRules& Rules);

} // namespace vokc
