// libFuzzer harness of the colour-rule engine: builds a rule collection from the input,
// runs two colouring passes over a text as the memo control does, and checks that the
// runs it gets back are ordered, disjoint and inside the text.
//
// Input that starts with '#' or '@' holds rules, up to a line "%%"; the text follows it.
// Any other input is a text, coloured with the editor's four rules.
//   @FROM,LIMIT,LIMMAX   parameters of the next pass (up to two such lines): start offset,
//                        limit (a NUL is put there when it lies inside the text) and the
//                        number of spans handed to the span handler
//   #KIND[FLAGS] COLOUR  a new rule: KIND K keywords, E spans from the handler, B begin/end
//                        pairs, L line keys; FLAGS c case-sensitive, p part words,
//                        x disabled, s lists through the setters (else filled in place),
//                        a the collection is used through a copy, digits the priority;
//                        COLOUR the default colour, as ParseColour reads it
//   +LINE / =LINE / -LINE  a line of the rule's keywords / begin-end / line-key list
//   LINE                 a line of the list of the rule's kind; for an E rule,
//                        "START END COLOUR Z" is a span the handler gives, "?N" the count
//                        it reports and "!N" a new buffer size it sets while it runs
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "colourrules.h"

using namespace vokc;

namespace {

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);         \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// The buffer handed to the span handler is the control's setting, not the text's: kept reasonable.
constexpr std::int32_t kMaxDrawBuffer = 1 << 16;

struct Pass {
    std::int32_t from = 0;
    std::int32_t limit = -1; // -1: the end of the text
    std::int32_t limMax = 16;
};

// What the span handler gives for one rule.
struct DrawScript {
    std::vector<ColourSpan> spans;
    bool countGiven = false;
    std::int32_t count = 0;
    bool resize = false;
    std::int32_t newSize = 0;
};

struct RuleSpec {
    RuleKind kind = RuleKind::BeginEnd;
    bool matchCase = false, insideWords = false, enabled = true, setters = false;
    std::uint8_t priority = 0;
    Colour colour = kRed;
    StringList keywords, beginEnd, lineEnd;
    DrawScript draw;
};

std::int64_t Number(std::string_view& s) {
    while (!s.empty() && (s[0] == ' ' || s[0] == ','))
        s.remove_prefix(1);
    bool negative = !s.empty() && s[0] == '-';
    if (negative) s.remove_prefix(1);
    std::int64_t v = 0;
    while (!s.empty() && s[0] >= '0' && s[0] <= '9') {
        v = std::min<std::int64_t>(v * 10 + (s[0] - '0'), INT64_C(1) << 40);
        s.remove_prefix(1);
    }
    return negative ? -v : v;
}

std::int32_t Int32(std::string_view& s) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(Number(s), INT32_MIN, INT32_MAX));
}

void ParseRuleHeader(std::string_view line, RuleSpec& r, bool& copy) {
    line.remove_prefix(1);
    if (line.empty()) return;
    switch (line[0]) {
    case 'K':
        r.kind = RuleKind::Keywords;
        break;
    case 'E':
        r.kind = RuleKind::HandlerSpans;
        break;
    case 'L':
        r.kind = RuleKind::LineEnd;
        break;
    default:
        r.kind = RuleKind::BeginEnd;
        break;
    }
    std::size_t i = 1;
    unsigned z = 0;
    for (; i < line.size() && line[i] != ' '; ++i) {
        char c = line[i];
        if (c == 'c')
            r.matchCase = true;
        else if (c == 'p')
            r.insideWords = true;
        else if (c == 'x')
            r.enabled = false;
        else if (c == 's')
            r.setters = true;
        else if (c == 'a')
            copy = true;
        else if (c >= '0' && c <= '9')
            z = (z * 10 + static_cast<unsigned>(c - '0')) % 256;
    }
    r.priority = static_cast<std::uint8_t>(z);
    if (i < line.size()) r.colour = ParseColour(line.substr(i + 1));
}

void ParseEntry(std::string_view line, RuleSpec& r) {
    StringList* list = nullptr;
    if (!line.empty() && line[0] == '+')
        list = &r.keywords;
    else if (!line.empty() && line[0] == '=')
        list = &r.beginEnd;
    else if (!line.empty() && line[0] == '-')
        list = &r.lineEnd;
    if (list) {
        list->emplace_back(line.substr(1));
        return;
    }
    switch (r.kind) {
    case RuleKind::Keywords:
        r.keywords.emplace_back(line);
        break;
    case RuleKind::BeginEnd:
        r.beginEnd.emplace_back(line);
        break;
    case RuleKind::LineEnd:
        r.lineEnd.emplace_back(line);
        break;
    case RuleKind::HandlerSpans:
        if (!line.empty() && line[0] == '?') {
            line.remove_prefix(1);
            r.draw.countGiven = true;
            r.draw.count = Int32(line);
        } else if (!line.empty() && line[0] == '!') {
            line.remove_prefix(1);
            r.draw.resize = true;
            r.draw.newSize = static_cast<std::int32_t>(
                std::clamp<std::int64_t>(Number(line), INT32_MIN, kMaxDrawBuffer));
        } else {
            ColourSpan d{};
            d.start = Int32(line);
            d.end = Int32(line);
            d.colour = static_cast<Colour>(Number(line));
            d.priority = static_cast<std::uint8_t>(Number(line));
            r.draw.spans.push_back(d);
        }
        break;
    }
}

void Build(const RuleSpec& s, ColourRule& rule) {
    rule.setKind(s.kind);
    rule.setMatchCase(s.matchCase);
    rule.setMatchInsideWords(s.insideWords);
    rule.setEnabled(s.enabled);
    rule.setPriority(s.priority);
    rule.setDefaultColour(s.colour);
    if (s.setters) {
        rule.setKeywords(s.keywords);
        rule.setBeginEndKeys(s.beginEnd);
        rule.setLineKeys(s.lineEnd);
    } else {
        rule.keywords() = s.keywords;
        rule.beginEndKeys() = s.beginEnd;
        rule.lineKeys() = s.lineEnd;
    }
}

void CheckRuns(const SpanList& list, std::size_t textSize) {
    std::int64_t previousEnd = -1;
    for (const ColourSpan& r : list) {
        if (r.start == kUnusedPos) break;
        FUZZ_CHECK(r.start > previousEnd);
        FUZZ_CHECK(r.end >= r.start);
        FUZZ_CHECK(static_cast<std::size_t>(r.end) < textSize);
        previousEnd = r.end;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    std::vector<RuleSpec> specs;
    std::vector<Pass> passes;
    bool copy = false;
    std::string_view text = in;
    const bool editorRules = in.empty() || (in[0] != '#' && in[0] != '@');
    if (!editorRules) {
        text = {};
        while (!in.empty()) {
            std::size_t nl = in.find('\n');
            std::string_view line = in.substr(0, nl);
            in.remove_prefix(nl == std::string_view::npos ? in.size() : nl + 1);
            if (line == "%%") {
                text = in;
                break;
            }
            if (!line.empty() && line[0] == '@') {
                line.remove_prefix(1);
                Pass p;
                p.from = Int32(line);
                p.limit = Int32(line);
                p.limMax = static_cast<std::int32_t>(
                    std::clamp<std::int64_t>(Number(line), INT32_MIN, kMaxDrawBuffer));
                if (passes.size() < 2) passes.push_back(p);
            } else if (!line.empty() && line[0] == '#') {
                specs.emplace_back();
                ParseRuleHeader(line, specs.back(), copy);
            } else if (!specs.empty()) {
                ParseEntry(line, specs.back());
            }
        }
    }
    if (passes.empty()) passes.push_back(Pass{});
    if (passes.size() == 1) passes.push_back(passes[0]);

    ColourRuleHost host;
    ColourRules built(&host);
    std::map<const ColourRule*, const DrawScript*> scripts;
    if (editorRules) AddEditorColourRules(built);
    for (const RuleSpec& s : specs)
        Build(s, built.add());
    ColourRules copied(&host);
    if (copy) copied.assign(built);
    ColourRules& rules = copy ? copied : built;
    for (std::size_t i = 0; i < specs.size(); ++i)
        scripts[&rules[static_cast<std::int32_t>(i)]] = &specs[i].draw;

    volatile char sink = 0;
    host.setSpanHandler([&](ColourRule& sender, std::string_view fromText, std::span<ColourSpan> a,
                            std::int32_t& count) {
        // A handler reads its text: its ends must be readable.
        if (!fromText.empty()) sink = static_cast<char>(fromText.front() ^ fromText.back());
        auto it = scripts.find(&sender);
        if (it == scripts.end()) return;
        const DrawScript& d = *it->second;
        const std::size_t n = std::min(a.size(), d.spans.size());
        std::copy_n(d.spans.begin(), n, a.begin());
        count = d.countGiven ? d.count : static_cast<std::int32_t>(n);
        if (d.resize) host.setSpanLimit(d.newSize);
    });

    SpanList list;
    CharCells cells;
    std::string snapshot;
    for (const Pass& p : passes) {
        host.setSpanLimit(p.limMax);
        snapshot.assign(text);
        std::int32_t limit = p.limit;
        const auto n = static_cast<std::int32_t>(std::min<std::size_t>(snapshot.size(), INT32_MAX));
        if (limit < 0 || limit > n) limit = n;
        if (limit < n) snapshot[static_cast<std::size_t>(limit)] = '\0';
        PrepareRules(rules);
        list.beginPass();
        std::int32_t next = 0;
        for (std::int32_t i = 0; i < rules.count(); ++i)
            if (rules[i].isEnabled())
                next = ScanRule(rules[i], next, snapshot, list, limit, p.from);
        ResolveRuns(list, list.colouredRange(), cells);
        CheckRuns(list, snapshot.size());
    }
    return 0;
}
