// Colour rules: the syntax-colouring engine of the editor's memo control.
//
// A ColourRule compiles its string lists (keywords, begin/end pairs, line keys) into
// compact tables once; on every colouring pass ScanRule reads a text snapshot and stores
// coloured spans (a ColourSpan: a range, a colour, a priority) into a SpanList; ResolveRuns
// then folds the overlapping spans into non-overlapping runs of one colour each.
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

// A colour: 0x00BBGGRR for plain colours, 0x800000nn for the system colour nn.
using Colour = std::uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kMaroon = 0x000080;
inline constexpr Colour kGreen = 0x008000;
inline constexpr Colour kOlive = 0x008080;
inline constexpr Colour kNavy = 0x800000;
inline constexpr Colour kPurple = 0x800080;
inline constexpr Colour kTeal = 0x808000;
inline constexpr Colour kGrey = 0x808080;
inline constexpr Colour kSilver = 0xC0C0C0;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kLime = 0x00FF00;
inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kFuchsia = 0xFF00FF;
inline constexpr Colour kAqua = 0xFFFF00;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kWindowColour = 0x80000005; // the window's background

// What a rule colours.
enum class RuleKind : std::uint8_t {
    Keywords,     // the words of its keyword list
    HandlerSpans, // spans supplied by the host's span handler
    BeginEnd,     // from a begin key to an end key (may cross lines)
    LineEnd,      // from a key to the end of its line
};

// Start of a span that holds nothing.
inline constexpr std::int32_t kUnusedPos = 2147483647;

// A coloured span of the snapshot.
struct ColourSpan {
    std::int32_t start; // first character, or kUnusedPos
    std::int32_t end;   // last character (inclusive)
    Colour colour;
    std::uint8_t priority;  // higher wins
    std::uint8_t isKeyword; // 1 for a keyword match
};

// Lowest start and highest end stored during a pass; (-1, -1) before the first.
struct ColouredRange {
    std::int32_t low = -1;
    std::int32_t high = -1;
    bool empty() const { return low < 0 || high < low; }
};

// The spans of a pass. Spans are never removed: a pass overwrites them in place and
// appends only past the current count, so the list stops allocating once it has grown to
// what the text needs. It also keeps the pass's coloured range, which every stored span
// widens.
class SpanList {
  public:
    explicit SpanList(std::size_t capacity = 100) { items_.reserve(capacity); }

    std::int32_t count() const { return static_cast<std::int32_t>(items_.size()); }
    const ColourSpan& operator[](std::int32_t index) const { return items_[index]; }
    ColourSpan& operator[](std::int32_t index) { return items_[index]; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    const ColouredRange& colouredRange() const { return range_; }

    // Start of a pass: every span unused, the coloured range (-1, -1).
    void beginPass();
    // Writes a span at `index` (appending when `index` is at or past the count), widens the
    // coloured range, and returns the next index.
    std::int32_t store(std::int32_t index, std::int32_t start, std::int32_t end, Colour colour,
                       std::uint8_t priority, std::uint8_t isKeyword);
    // Writes a span without touching the coloured range; returns the next index.
    std::int32_t put(std::int32_t index, const ColourSpan& span);
    // Marks the span at `index`, when there is one, as the end of the list's contents.
    void markEnd(std::int32_t index);

  private:
    std::vector<ColourSpan> items_;
    ColouredRange range_;
};

// One character of the range being resolved.
struct CharCell {
    Colour colour;
    std::uint8_t priority;
    std::uint8_t isKeyword;
    bool set;
};
using CharCells = std::vector<CharCell>;

using StringList = std::vector<std::string>;

class ColourRule;

// Supplies the spans of a HandlerSpans rule. `fromText` is the snapshot from the scan's
// start to its end; the handler fills at most spans.size() spans with offsets relative to
// `fromText` and sets `count`.
using SpanHandler = std::function<void(ColourRule& rule, std::string_view fromText,
                                       std::span<ColourSpan> spans, std::int32_t& count)>;

// What the rules of a collection reach in their control: the span handler and the buffer
// of spanLimit() spans handed to it.
class ColourRuleHost {
  public:
    const SpanHandler& spanHandler() const { return spanHandler_; }
    void setSpanHandler(SpanHandler handler) { spanHandler_ = std::move(handler); }

    std::int32_t spanLimit() const { return spanLimit_; }
    // A new positive value replaces the buffer by one of that many spans; zero or a
    // negative value releases it.
    void setSpanLimit(std::int32_t limit);
    std::span<ColourSpan> spanBuffer() { return spanBuffer_; }

  private:
    SpanHandler spanHandler_;
    std::int32_t spanLimit_ = 0;
    std::vector<ColourSpan> spanBuffer_;
};

inline constexpr int kKeyTableSize = 40;     // entries of the begin/end and line key table
inline constexpr int kKeyLengthMax = 6;      // characters of a begin or end key
inline constexpr int kColourTableSize = 41;  // keeps a colour index byte below '*' (42)
inline constexpr int kKeywordLengthMax = 31; // characters of a keyword

// One begin/end pair or line key. An entry with an empty begin key ends the table.
struct KeyEntry {
    std::array<char, kKeyLengthMax> beginText{};
    std::uint8_t beginLength = 0;
    std::array<char, kKeyLengthMax> endText{}; // empty for line keys
    std::uint8_t endLength = 0;
    Colour colour = 0;
    std::int32_t nextAt = -1; // scan scratch: the begin key's next occurrence

    std::string_view beginKey() const { return {beginText.data(), beginLength}; }
    std::string_view endKey() const { return {endText.data(), endLength}; }
};
using KeyTable = std::array<KeyEntry, kKeyTableSize>;

// A colour rule: its settings, and its three lists, which their setters compile. Lists
// filled in place through the non-const accessors are compiled by the next PrepareRules
// of a collection that still needs it.
class ColourRule {
  public:
    explicit ColourRule(ColourRuleHost* host = nullptr) : host_(host) {}
    ColourRule(const ColourRule&) = delete;
    ColourRule& operator=(const ColourRule&) = delete;

    RuleKind kind() const { return kind_; }
    void setKind(RuleKind kind) { kind_ = kind; }
    // 252..255 are taken by the control's own spans.
    std::uint8_t priority() const { return priority_; }
    void setPriority(std::uint8_t priority) { priority_ = priority; }
    // Look-back in lines (the control reads the first rule's).
    std::int32_t lookBackLines() const { return lookBackLines_; }
    void setLookBackLines(std::int32_t lines) { lookBackLines_ = lines; }
    // Keywords match case-sensitively.
    bool matchCase() const { return matchCase_; }
    void setMatchCase(bool on) { matchCase_ = on; }
    // A disabled rule is skipped by the pass.
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }
    // Keywords match inside words too.
    bool matchInsideWords() const { return matchInsideWords_; }
    void setMatchInsideWords(bool on) { matchInsideWords_ = on; }
    // The colour of list lines that name none.
    Colour defaultColour() const { return defaultColour_; }
    void setDefaultColour(Colour colour) { defaultColour_ = colour; }

    const StringList& keywords() const { return keywords_; }
    StringList& keywords() { return keywords_; }
    void setKeywords(const StringList& lines);
    const StringList& beginEndKeys() const { return beginEndKeys_; }
    StringList& beginEndKeys() { return beginEndKeys_; }
    void setBeginEndKeys(const StringList& lines);
    const StringList& lineKeys() const { return lineKeys_; }
    StringList& lineKeys() { return lineKeys_; }
    void setLineKeys(const StringList& lines);

    // Copies the settings and lists of `source`.
    void assign(const ColourRule& source);

    // Compiled tables.
    // "*" then, per keyword: the keyword, "*+", its colour index byte (1..41), "*".
    const std::string& keywordProgram() const { return keywordProgram_; }
    std::span<const Colour> colourTable() const { return {colourTable_.data(), colourCount_}; }
    const KeyTable* keyTable() const { return keyTable_.get(); }

  private:
    friend bool CompileRule(ColourRule& rule);
    friend struct RuleScan;

    void compileKeywords(const StringList& lines);
    void compileBeginEndKeys(const StringList& lines);
    void compileLineKeys(const StringList& lines);
    KeyTable& keyTableToFill(); // created when first needed
    std::uint8_t colourIndex(Colour colour, std::uint8_t previous);

    ColourRuleHost* host_;
    RuleKind kind_ = RuleKind::BeginEnd;
    std::uint8_t priority_ = 0;
    std::int32_t lookBackLines_ = 1;
    bool matchCase_ = false;
    bool enabled_ = true;
    bool matchInsideWords_ = false;
    Colour defaultColour_ = kRed;
    StringList keywords_;
    StringList beginEndKeys_;
    StringList lineKeys_;
    std::unique_ptr<KeyTable> keyTable_;
    std::string keywordProgram_ = "*";
    std::array<Colour, kColourTableSize> colourTable_{};
    std::size_t colourCount_ = 0;
    std::vector<char> upper_; // upper-cased copy of the scanned text, reused between passes
};

// The rules of one control, in collection order.
class ColourRules {
  public:
    explicit ColourRules(ColourRuleHost* host = nullptr) : host_(host) {}
    ColourRules(const ColourRules&) = delete;
    ColourRules& operator=(const ColourRules&) = delete;

    ColourRule& add();
    void clear() { items_.clear(); }
    std::int32_t count() const { return static_cast<std::int32_t>(items_.size()); }
    ColourRule& operator[](std::int32_t index) { return *items_[index]; }
    const ColourRule& operator[](std::int32_t index) const { return *items_[index]; }
    // Replaces the rules by copies of `source`'s.
    void assign(const ColourRules& source);

    // True until a PrepareRules finds some rule with entries.
    bool needsCompiling() const { return needsCompiling_; }

  private:
    friend void PrepareRules(ColourRules& rules);

    ColourRuleHost* host_;
    std::vector<std::unique_ptr<ColourRule>> items_;
    bool needsCompiling_ = true;
};

// Colour of a name (BLACK ... WHITE), or of a red-green-blue hexadecimal number written
// "FF0000", "#FF0000" or "$FF0000" (the last read as the number it is, then swapped the same
// way). Anything else gives white.
Colour ParseColour(std::string_view text);

// Compiles the begin/end list, then the keywords of a Keywords rule or the line keys of a
// LineEnd rule. True when the rule has entries.
bool CompileRule(ColourRule& rule);

// Start of a colouring pass: compiles every rule while the collection still needs it.
void PrepareRules(ColourRules& rules);

// Scans `text` for `rule` from offset `from` and stores its spans into `list` from
// `nextIndex` on; returns the index just past the last span stored. `text` is the
// snapshot; the scan treats its first NUL at or after `from` (the control puts one at
// `limit`) as its end. Begin/end and line-key scans start a new span only while its search
// start is at most `limit`; keyword scans run to the end.
std::int32_t ScanRule(ColourRule& rule, std::int32_t nextIndex, std::string_view text,
                      SpanList& list, std::int32_t limit, std::int32_t from);

// Rewrites `list` into non-overlapping runs over `range`: per character the span with the
// highest priority wins, the later one among equals. Runs are written from index 0; the
// span after the last run is marked kUnusedPos. `cells` is the reusable per-character
// buffer.
void ResolveRuns(SpanList& list, const ColouredRange& range, CharCells& cells);

// Adds the editor's four rules: block comments, line comments, library words, structure
// words.
void AddEditorColourRules(ColourRules& rules);

} // namespace vokc
