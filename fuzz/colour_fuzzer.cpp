// libFuzzer harness of the colour-rule engine: builds a rule collection from the input,
// runs two colouring passes over a text as the memo control does, and checks that the
// runs it gets back are ordered, disjoint and inside the text.
//
// Input that starts with '#' or '@' holds rules, up to a line "%%"; the text follows it.
// Any other input is a text, coloured with the editor's four rules.
//   @FROM,LIMIT,LIMMAX   parameters of the next pass (up to two such lines): start offset,
//                        limit (a NUL is put there when it lies inside the text) and the
//                        number of records handed to the OnDraw handler
//   #KIND[FLAGS] COLOUR  a new rule: KIND K keywords, E spans from OnDraw, B begin/end
//                        pairs, L line keys; FLAGS c case-sensitive, p part words,
//                        x disabled, s lists through the writers (else filled in place),
//                        a the collection is used through a copy, digits the ZOrder;
//                        COLOUR the default colour, as ParseColor reads it
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

// The buffer handed to OnDraw is the control's setting, not the text's: kept reasonable.
constexpr std::int32_t kMaxDrawBuffer = 1 << 16;

struct Pass {
    std::int32_t from = 0;
    std::int32_t limit = -1; // -1: the end of the text
    std::int32_t limMax = 16;
};

// What the OnDraw handler gives for one rule.
struct DrawScript {
    std::vector<TKeyDescr> spans;
    bool countGiven = false;
    std::int32_t count = 0;
    bool resize = false;
    std::int32_t newSize = 0;
};

struct RuleSpec {
    TKeyDrawingType kind = dtBeginEnd;
    bool keyCase = false, partWord = false, enabled = true, writers = false;
    std::uint8_t zOrder = 0;
    TColor colour = clRed;
    TStrings keywords, begEnd, lineEnd;
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
        r.kind = dtKeyShow;
        break;
    case 'E':
        r.kind = dtEventDraw;
        break;
    case 'L':
        r.kind = dtBeginLineEnd;
        break;
    default:
        r.kind = dtBeginEnd;
        break;
    }
    std::size_t i = 1;
    unsigned z = 0;
    for (; i < line.size() && line[i] != ' '; ++i) {
        char c = line[i];
        if (c == 'c')
            r.keyCase = true;
        else if (c == 'p')
            r.partWord = true;
        else if (c == 'x')
            r.enabled = false;
        else if (c == 's')
            r.writers = true;
        else if (c == 'a')
            copy = true;
        else if (c >= '0' && c <= '9')
            z = (z * 10 + static_cast<unsigned>(c - '0')) % 256;
    }
    r.zOrder = static_cast<std::uint8_t>(z);
    if (i < line.size()) r.colour = ParseColor(line.substr(i + 1));
}

void ParseEntry(std::string_view line, RuleSpec& r) {
    TStrings* list = nullptr;
    if (!line.empty() && line[0] == '+')
        list = &r.keywords;
    else if (!line.empty() && line[0] == '=')
        list = &r.begEnd;
    else if (!line.empty() && line[0] == '-')
        list = &r.lineEnd;
    if (list) {
        list->emplace_back(line.substr(1));
        return;
    }
    switch (r.kind) {
    case dtKeyShow:
        r.keywords.emplace_back(line);
        break;
    case dtBeginEnd:
        r.begEnd.emplace_back(line);
        break;
    case dtBeginLineEnd:
        r.lineEnd.emplace_back(line);
        break;
    case dtEventDraw:
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
            TKeyDescr d{};
            d.StartPos = Int32(line);
            d.EndPos = Int32(line);
            d.Color = static_cast<TColor>(Number(line));
            d.ZOrder = static_cast<std::uint8_t>(Number(line));
            r.draw.spans.push_back(d);
        }
        break;
    }
}

void Build(const RuleSpec& s, TColorRule& rule) {
    rule.KeyDrawingType = s.kind;
    rule.KeyCase = s.keyCase;
    rule.PartWord = s.partWord;
    rule.Enabled = s.enabled;
    rule.ZOrder = s.zOrder;
    rule.DefKeyColor = s.colour;
    if (s.writers) {
        rule.SetKeywords(s.keywords);
        rule.SetKeyBegEndLst(s.begEnd);
        rule.SetKeyLineEndLst(s.lineEnd);
    } else {
        rule.Keywords() = s.keywords;
        rule.KeyBegEndLst() = s.begEnd;
        rule.KeyLineEndLst() = s.lineEnd;
    }
}

void CheckRuns(const TKeyDescrList& list, std::size_t textSize) {
    std::int64_t previousEnd = -1;
    for (const TKeyDescr& r : list) {
        if (r.StartPos == UnusedPos) break;
        FUZZ_CHECK(r.StartPos > previousEnd);
        FUZZ_CHECK(r.EndPos >= r.StartPos);
        FUZZ_CHECK(static_cast<std::size_t>(r.EndPos) < textSize);
        previousEnd = r.EndPos;
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

    TColorRuleHost host;
    TDrawRules built(&host);
    std::map<const TColorRule*, const DrawScript*> scripts;
    if (editorRules) AddEditorColorRules(built);
    for (const RuleSpec& s : specs)
        Build(s, built.Add());
    TDrawRules copied(&host);
    if (copy) copied.Assign(built);
    TDrawRules& rules = copy ? copied : built;
    for (std::size_t i = 0; i < specs.size(); ++i)
        scripts[&rules[static_cast<std::int32_t>(i)]] = &specs[i].draw;

    volatile char sink = 0;
    host.OnDraw = [&](TColorRule& sender, std::string_view fromPos, std::span<TKeyDescr> a,
                      std::int32_t& count) {
        // A handler reads its text: its ends must be readable.
        if (!fromPos.empty()) sink = static_cast<char>(fromPos.front() ^ fromPos.back());
        auto it = scripts.find(&sender);
        if (it == scripts.end()) return;
        const DrawScript& d = *it->second;
        const std::size_t n = std::min(a.size(), d.spans.size());
        std::copy_n(d.spans.begin(), n, a.begin());
        count = d.countGiven ? d.count : static_cast<std::int32_t>(n);
        if (d.resize) host.SetColorLimMax(d.newSize);
    };

    TKeyDescrList list;
    TCellArray cells;
    std::string snapshot;
    for (const Pass& p : passes) {
        host.SetColorLimMax(p.limMax);
        snapshot.assign(text);
        std::int32_t limit = p.limit;
        const auto n = static_cast<std::int32_t>(std::min<std::size_t>(snapshot.size(), INT32_MAX));
        if (limit < 0 || limit > n) limit = n;
        if (limit < n) snapshot[static_cast<std::size_t>(limit)] = '\0';
        PrepareRules(rules);
        list.BeginPass();
        std::int32_t next = 0;
        for (std::int32_t i = 0; i < rules.Count(); ++i)
            if (rules[i].Enabled) next = ScanRule(rules[i], next, snapshot, list, limit, p.from);
        ResolveRuns(list, list.ColoredRange, cells);
        CheckRuns(list, snapshot.size());
    }
    return 0;
}
