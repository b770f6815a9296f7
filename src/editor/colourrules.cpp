// Colour rules: the span list, colour texts, and the compilation of a rule's lists into
// its key table, keyword program and colour table.
#include "colourrules.h"

#include <algorithm>

#include "text.h"

namespace vokc {

namespace {

bool IsBlankText(std::string_view text) {
    return Trim(text).empty();
}

struct NamedColour {
    std::string_view name;
    Colour value;
};

constexpr NamedColour kColourNames[] = {
    {"BLACK", kBlack},   {"MAROON", kMaroon},   {"GREEN", kGreen}, {"OLIVE", kOlive},
    {"NAVY", kNavy},     {"PURPLE", kPurple},   {"TEAL", kTeal},   {"GRAY", kGrey},
    {"SILVER", kSilver}, {"RED", kRed},         {"LIME", kLime},   {"YELLOW", kYellow},
    {"BLUE", kBlue},     {"FUCHSIA", kFuchsia}, {"AQUA", kAqua},   {"WHITE", kWhite},
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char upper = UpperAscii(c);
    if (upper >= 'A' && upper <= 'F') return upper - 'A' + 10;
    return -1;
}

// Reads "$" and hexadecimal digits, optionally after blanks and a sign, as a 32-bit value
// (a minus sign negates it modulo 2^32). False when the text is anything else or the value
// needs more than 32 bits.
bool HexToInt(std::string_view text, std::uint32_t& value) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.size() < 2 || text.front() != '$') return false;
    std::uint64_t v = 0;
    for (const char c : text.substr(1)) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        v = v * 16 + static_cast<unsigned>(digit);
        if (v > 0xFFFFFFFFu) return false;
    }
    value = negative ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    return true;
}

// Colour part of a list line: ParseColour of it unless it is blank.
Colour ColourOrDefault(std::string_view part, Colour fallback) {
    return IsBlankText(part) ? fallback : ParseColour(part);
}

// Clears the table and calls fill(entry, line, p) for each of the first kKeyTableSize
// lines, `p` being the position of the line's first ';' (npos when it has none).
template <typename Fill> void FillKeyTable(KeyTable& table, const StringList& lines, Fill&& fill) {
    table.fill(KeyEntry{});
    const std::size_t n = std::min<std::size_t>(lines.size(), kKeyTableSize);
    for (std::size_t k = 0; k < n; ++k) {
        const std::string_view line = lines[k];
        fill(table[k], line, line.find(';'));
    }
}

void SetKey(std::array<char, kKeyLengthMax>& text, std::uint8_t& length, std::string_view key) {
    key = key.substr(0, kKeyLengthMax);
    std::copy(key.begin(), key.end(), text.begin());
    length = static_cast<std::uint8_t>(key.size());
}

} // namespace

// ---------------------------------------------------------------------------------------
// Spans

void SpanList::beginPass() {
    for (ColourSpan& span : items_)
        span.start = kUnusedPos;
    range_ = ColouredRange{};
}

std::int32_t SpanList::put(std::int32_t index, const ColourSpan& span) {
    if (index < 0) index = 0;
    if (index >= count()) {
        items_.push_back(span);
        return count();
    }
    items_[index] = span;
    return index + 1;
}

std::int32_t SpanList::store(std::int32_t index, std::int32_t start, std::int32_t end,
                             Colour colour, std::uint8_t priority, std::uint8_t isKeyword) {
    if (range_.low == -1 && range_.high == -1) {
        range_ = {start, end};
    } else {
        range_.low = std::min(range_.low, start);
        range_.high = std::max(range_.high, end);
    }
    return put(index, ColourSpan{start, end, colour, priority, isKeyword});
}

void SpanList::markEnd(std::int32_t index) {
    if (index >= 0 && index < count()) items_[index].start = kUnusedPos;
}

void ColourRuleHost::setSpanLimit(std::int32_t limit) {
    if (limit == spanLimit_) return;
    spanLimit_ = limit;
    std::vector<ColourSpan>().swap(spanBuffer_);
    if (limit > 0) spanBuffer_.resize(static_cast<std::size_t>(limit));
}

// ---------------------------------------------------------------------------------------
// Colour texts

Colour ParseColour(std::string_view text) {
    std::string s(Trim(text).substr(0, 10));
    std::transform(s.begin(), s.end(), s.begin(), UpperAscii);
    for (const NamedColour& named : kColourNames)
        if (s == named.name) return named.value;

    if (const auto hash = s.find('#'); hash != std::string::npos) s.erase(hash, 1);
    std::uint32_t v = 0;
    const bool ok = s.find('$') != std::string::npos ? HexToInt(s, v) : HexToInt("$" + s, v);
    if (!ok) return kWhite;
    // The text is red-green-blue; a colour value is blue-green-red.
    return ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

// ---------------------------------------------------------------------------------------
// Compiling a rule

KeyTable& ColourRule::keyTableToFill() {
    if (!keyTable_) keyTable_ = std::make_unique<KeyTable>();
    return *keyTable_;
}

// Each line: begin key ";" end key [";" colour]. A line without a ";" after its first
// character leaves its entry empty, which ends the table.
void ColourRule::compileBeginEndKeys(const StringList& lines) {
    FillKeyTable(keyTableToFill(), lines,
                 [this](KeyEntry& entry, std::string_view line, std::size_t p) {
                     if (p == std::string_view::npos || p == 0) return;
                     const std::string_view rest = line.substr(p + 1);
                     const std::size_t q = rest.find(';');
                     SetKey(entry.beginText, entry.beginLength, line.substr(0, p));
                     SetKey(entry.endText, entry.endLength, rest.substr(0, q));
                     entry.colour = q == std::string_view::npos
                                        ? defaultColour_
                                        : ColourOrDefault(rest.substr(q + 1), defaultColour_);
                 });
}

// Each line: key [";" colour]. ";;colour" makes ";" the key; a line with no ";" or a single
// leading one is a key as a whole, with the default colour. An empty line ends the table.
void ColourRule::compileLineKeys(const StringList& lines) {
    FillKeyTable(keyTableToFill(), lines,
                 [this](KeyEntry& entry, std::string_view line, std::size_t p) {
                     std::string_view key = line;
                     Colour colour = defaultColour_;
                     if (p != std::string_view::npos && p >= 1) {
                         key = line.substr(0, p);
                         colour = ColourOrDefault(line.substr(p + 1), defaultColour_);
                     } else if (p == 0 && line.size() > 1 && line[1] == ';') {
                         key = line.substr(0, 1);
                         colour = ColourOrDefault(line.substr(2), defaultColour_);
                     }
                     SetKey(entry.beginText, entry.beginLength, key);
                     entry.colour = colour;
                 });
}

// Index (1-based) of `colour` in the colour table, appending it while there is room; with
// the table full, an unknown colour keeps the previous keyword's index.
std::uint8_t ColourRule::colourIndex(Colour colour, std::uint8_t previous) {
    for (std::size_t i = 0; i < colourCount_; ++i)
        if (colourTable_[i] == colour) return static_cast<std::uint8_t>(i + 1);
    if (colourCount_ == kColourTableSize) return previous;
    colourTable_[colourCount_++] = colour;
    return static_cast<std::uint8_t>(colourCount_);
}

// Each non-blank line: keyword [";" colour]. The keyword is kept as written (blanks
// included), cut to 31 characters and upper-cased unless the rule matches case. A keyword
// holding "*+" cannot be told apart from the program's separator and is left out.
void ColourRule::compileKeywords(const StringList& lines) {
    keywordProgram_.assign(1, '*');
    colourCount_ = 0;
    std::uint8_t index = 0;
    for (const std::string& lineText : lines) {
        const std::string_view line = lineText;
        if (IsBlankText(line)) continue;
        const std::size_t p = line.find(';');
        const Colour colour = p == std::string_view::npos
                                  ? defaultColour_
                                  : ColourOrDefault(line.substr(p + 1), defaultColour_);
        const std::string_view key = line.substr(0, p).substr(0, kKeywordLengthMax);
        if (IsBlankText(key) || key.find("*+") != std::string_view::npos) continue;
        index = colourIndex(colour, index);
        const std::size_t at = keywordProgram_.size();
        keywordProgram_.append(key);
        if (!matchCase_)
            std::transform(keywordProgram_.begin() + static_cast<std::ptrdiff_t>(at),
                           keywordProgram_.end(),
                           keywordProgram_.begin() + static_cast<std::ptrdiff_t>(at), UpperAscii);
        keywordProgram_ += "*+";
        keywordProgram_ += static_cast<char>(index);
        keywordProgram_ += '*';
    }
}

void ColourRule::setKeywords(const StringList& lines) {
    compileKeywords(lines);
    if (&lines != &keywords_) keywords_ = lines;
}

void ColourRule::setBeginEndKeys(const StringList& lines) {
    compileBeginEndKeys(lines);
    if (&lines != &beginEndKeys_) beginEndKeys_ = lines;
}

void ColourRule::setLineKeys(const StringList& lines) {
    compileLineKeys(lines);
    if (&lines != &lineKeys_) lineKeys_ = lines;
}

void ColourRule::assign(const ColourRule& source) {
    kind_ = source.kind_;
    priority_ = source.priority_;
    lookBackLines_ = source.lookBackLines_;
    matchCase_ = source.matchCase_;
    enabled_ = source.enabled_;
    matchInsideWords_ = source.matchInsideWords_;
    defaultColour_ = source.defaultColour_;
    setKeywords(source.keywords_);
    setLineKeys(source.lineKeys_);
    setBeginEndKeys(source.beginEndKeys_);
    // Both span kinds share the key table and the begin/end list was written last: a line-key
    // rule must get its line keys back, or the copy would colour nothing.
    if (kind_ == RuleKind::LineEnd) compileLineKeys(lineKeys_);
}

bool CompileRule(ColourRule& rule) {
    rule.compileBeginEndKeys(rule.beginEndKeys_);
    bool hasEntries = !rule.beginEndKeys_.empty();
    if (rule.kind_ == RuleKind::Keywords) {
        rule.compileKeywords(rule.keywords_);
        hasEntries = hasEntries || !rule.keywords_.empty();
    }
    if (rule.kind_ == RuleKind::LineEnd) {
        rule.compileLineKeys(rule.lineKeys_);
        hasEntries = hasEntries || !rule.lineKeys_.empty();
    }
    return hasEntries;
}

// ---------------------------------------------------------------------------------------
// Collection

ColourRule& ColourRules::add() {
    items_.push_back(std::make_unique<ColourRule>(host_));
    return *items_.back();
}

void ColourRules::assign(const ColourRules& source) {
    if (&source == this) return;
    items_.clear();
    for (const auto& item : source.items_)
        add().assign(*item);
}

void PrepareRules(ColourRules& rules) {
    if (!rules.needsCompiling_) return;
    bool anyEntries = false;
    for (auto& rule : rules.items_)
        if (CompileRule(*rule)) anyEntries = true;
    if (anyEntries) rules.needsCompiling_ = false;
}

} // namespace vokc
