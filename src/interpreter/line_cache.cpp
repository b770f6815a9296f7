// Learning a line once: the cleaning, the classification by the first characters and the
// split into keyword and argument that the dispatcher would otherwise make at every pass
// (Engine::ExecuteLine makes them afresh; Engine::RunKnownLine runs what was learnt).
#include "line_cache.h"

#include "interpreter.h"
#include "line_markers.h"
#include "text.h"

namespace vokc {

namespace {
bool IsMarker(char c) {
    return c == kBreakMarker || c == kStepMarker;
}

// The line as the dispatcher sees it: first characters, first colon, where the keyword
// ends, and the marks of fopen, of an empty argument list and of ++/--.
struct Scan {
    std::size_t firstColon = std::string_view::npos;
    std::size_t split = std::string_view::npos; // first blank or '('
    bool fopen = false;
    bool emptyParens = false;
    bool incDec = false;
};

Scan ScanText(std::string_view t, std::size_t codeSize) {
    constexpr std::size_t npos = std::string_view::npos;
    Scan s;
    const std::size_t n = t.size();
    for (std::size_t i = 0; i < n; ++i) {
        switch (t[i]) {
        case ':':
            if (s.firstColon == npos) s.firstColon = i;
            break;
        case ' ':
            if (s.split == npos) s.split = i;
            break;
        case '(':
            if (s.split == npos) s.split = i;
            if (i + 1 < codeSize && t[i + 1] == ')') s.emptyParens = true;
            break;
        case '+':
        case '-':
            if (i + 1 < codeSize && t[i + 1] == t[i]) s.incDec = true;
            break;
        case '=':
            if (n - i >= 6 && EqualsNoCase(t.substr(i + 1, 5), "FOPEN")) s.fopen = true;
            break;
        default:
            break;
        }
    }
    return s;
}

// What the line's first characters settle, before any statement.
LineAction FirstCharacters(std::string_view t, std::string_view u, const Scan& s) {
    if (s.firstColon + 1 == u.size()) return LineAction::Nothing; // label line
    switch (u[0]) {
    case 'M':
        if (StartsWith(u, "MAIN")) return LineAction::Main;
        break;
    case 'I':
        if (StartsWith(u, "INT")) return LineAction::Nothing;
        break;
    case 'F':
        if (StartsWith(u, "FLOAT") || StartsWith(t, "file ")) return LineAction::Nothing;
        break;
    case 'C':
        if (StartsWith(u, "CHAR")) return LineAction::Nothing;
        break;
    case 'V':
        if (StartsWith(u, "VOID")) return LineAction::Nothing;
        break;
    case '{':
        return LineAction::OpenBrace;
    case 'N':
        if (StartsWith(u, "NOP")) return LineAction::Nothing;
        break;
    case '/':
        if (StartsWith(u, "/*") || StartsWith(u, "//")) return LineAction::Nothing;
        break;
    case 'E':
        if (Same(u, "ENDSUB")) return LineAction::EndSub;
        break;
    default:
        break;
    }
    if (s.fopen) return LineAction::Fopen;
    if (u[0] == '}') return LineAction::CloseBrace;
    return LineAction::Statement;
}

std::uint32_t Offset(std::string_view part, std::string_view whole) {
    return static_cast<std::uint32_t>(part.data() - whole.data());
}
} // namespace

void LearnLine(std::string_view source, bool markers, LineFacts& f) {
    f.raw.assign(source);
    f.markers = markers;
    f.breakpoint = false;
    f.bare = 0;
    if (markers && !source.empty() && (IsBlank(source[0]) || IsMarker(source[0]))) {
        const std::string_view bare = StripLineMarkers(source);
        const std::string_view front = source.substr(0, source.size() - bare.size());
        f.breakpoint = front.find(kBreakMarker) != std::string_view::npos;
        f.bare = static_cast<std::uint32_t>(front.size());
    }
    f.action = LineAction::Nothing;
    f.exit = f.noArg = f.incDec = f.wordUpper = false;
    f.keyword = Kw::None;
    f.textLength = f.codeLength = f.wordAt = f.wordLength = f.argAt = f.argLength = 0;
    f.callVersion = 0;
    f.callSymbols = -1;
    f.call = false;

    // Tabs count as blanks; the text is trimmed.
    std::string clean(f.Bare());
    for (char& c : clean)
        if (c == '\t') c = ' ';
    const std::string_view trimmed = Trim(clean);
    f.work.assign(trimmed);
    for (char c : trimmed)
        f.work += UpperAscii(c);
    f.textLength = static_cast<std::uint32_t>(trimmed.size());
    const std::string_view t = f.Text(), u = f.Upper();
    if (t.empty()) return;
    std::string_view c = t;
    if (c.back() == ';') c.remove_suffix(1);
    f.codeLength = static_cast<std::uint32_t>(c.size());
    const Scan s = ScanText(t, c.size());
    f.action = FirstCharacters(t, u, s);
    if (f.action != LineAction::Statement) return;

    // The keyword is the line's start up to its first blank or '(' (the whole line with
    // an empty argument list "name()"), the argument the rest.
    std::string_view k, a;
    bool upper = true;
    if (s.emptyParens) {
        k = c;
        upper = false;
    } else if (s.split == std::string_view::npos) {
        k = u;
        if (!k.empty() && k.back() == ';') k.remove_suffix(1);
    } else {
        k = u.substr(0, s.split);
        a = t.substr(s.split + 1, 255);
    }
    k = Trim(k);
    f.wordUpper = upper;
    f.wordAt = Offset(k, upper ? u : t);
    f.wordLength = static_cast<std::uint32_t>(k.size());
    if (Same(k, "EXIT")) {
        f.exit = true;
        return;
    }
    a = Trim(a);
    if (!a.empty() && a.back() == ';') a.remove_suffix(1);
    if (a.empty()) {
        f.noArg = true;
        a = t.substr(0, 0);
    }
    f.argAt = Offset(a, t);
    f.argLength = static_cast<std::uint32_t>(a.size());
    f.keyword = FindKeyword(k);
    f.incDec = s.incDec;
}

void LineCache::BeginRun(const ProgramText& text) {
    ++version_;
    text_ = &text;
    const auto count = static_cast<std::size_t>(text.LineCount());
    lines_.resize(count);
    jumps_.assign(count, Jumps{});
}

LineFacts& LineCache::KeywordFacts(std::string_view keyword) {
    for (LineFacts& facts : keywords_)
        if (std::string_view(facts.raw) == keyword) return facts;
    LineFacts& facts = keywords_.emplace_back();
    LearnLine(keyword, false, facts);
    return facts;
}

} // namespace vokc
