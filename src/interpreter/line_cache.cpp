// Learning a line once: the cleaning, the classification by the first characters and the
// split into keyword and argument that the dispatcher would otherwise make at every pass
// (Engine::ExecuteLine makes them afresh; Engine::RunKnownLine runs what was learnt).
// And the plans of the commonest statements, which resolve their names once for a state
// of the symbol table: assignments and increments of int variables, and conditions.
#include "line_cache.h"

#include <climits>
#include <cstring>

#include "engine.h"
#include "interpreter.h"
#include "line_markers.h"
#include "numbers.h"
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
    f.callStamp = 0;
    f.call = false;
    f.assignment.reset();
    f.condition.reset();

    // Tabs count as blanks; the text is trimmed. Then its copy in capitals.
    std::string_view trimmed = f.Bare();
    std::string clean;
    if (trimmed.find('\t') != std::string_view::npos) {
        clean.assign(trimmed);
        for (char& c : clean)
            if (c == '\t') c = ' ';
        trimmed = clean;
    }
    trimmed = Trim(trimmed);
    const std::size_t n = trimmed.size();
    f.work.resize(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        f.work[i] = trimmed[i];
        f.work[n + i] = UpperAscii(trimmed[i]);
    }
    f.textLength = static_cast<std::uint32_t>(n);
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

LineFacts& LineCache::LearnKeyword(std::string_view keyword) {
    KeywordEntry& entry = keywords_.emplace_back();
    entry.text = keyword.data();
    entry.facts = std::make_unique<LineFacts>();
    LearnLine(keyword, false, *entry.facts);
    return *entry.facts;
}

// ---- Plans ----

namespace {
bool IsIntLiteralStart(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-';
}
bool IsFloatLiteralStart(char c) {
    return IsIntLiteralStart(c) || c == '.';
}
// What follows the '+' of a string expression is read up to this many characters.
constexpr std::size_t kTailMax = 255;

// A term of a string expression that is a literal, as TermInto reads it: a char literal,
// or a string literal with its closing quote. False for anything else.
bool ConstantTerm(std::string_view text, std::string& out) {
    const std::string_view t = Trim(text);
    if (t.empty()) return false;
    if (t[0] == '\'') {
        AssignCharAt(out, t, 1);
        return true;
    }
    if (t[0] != '"' || t.size() < 2 || t.back() != '"') return false;
    out.assign(t.substr(1, t.size() - 2));
    return true;
}
} // namespace

// The plans resolve names with FindSymbol, which marks a failed look-up in the run
// state: the state is put back, since making a plan is no step of the run.

// As IntOperand reads it: empty is 0, a literal its value, an int variable its slot.
// Anything else (a function, an element, another kind, a faulty literal) is no plan.
IntOperandPlan Engine::PlanIntOperand(std::string_view text, bool& usable) {
    IntOperandPlan plan;
    text = Trim(text);
    if (text.empty()) return plan;
    if (IsIntLiteralStart(text[0])) {
        plan.kind = IntOperandPlan::Kind::Literal;
        if (!ParseInt(text, plan.value)) usable = false;
        return plan;
    }
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (!FindSymbol(text, kind, index) || kind != SymbolKind::Int) usable = false;
    plan.kind = IntOperandPlan::Kind::Slot;
    plan.value = index;
    return plan;
}

// As Assign and Increment read the code: "name = a", "name = a OP b", "name++".
void Engine::PlanAssignment(std::string_view c, bool increment, AssignmentPlan& plan) {
    plan = AssignmentPlan{};
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (increment) {
        if (c.size() < 2) return;
        const std::string_view op = c.substr(c.size() - 2);
        if (op != "++" && op != "--") return;
        if (!FindSymbol(c.substr(0, c.size() - 2), kind, index) || kind != SymbolKind::Int) return;
        plan.increment = true;
        plan.step = op == "++" ? 1 : -1;
        plan.target = index;
        plan.usable = true;
        return;
    }
    const std::size_t eq = c.find('=');
    if (eq == std::string_view::npos) return;
    const std::string_view target = Trim(c.substr(0, eq));
    if (target.find('[') != std::string_view::npos) return;
    if (!FindSymbol(target, kind, index) || !SlotInStore(kind, index)) return;
    plan.target = index;
    plan.kind = static_cast<char>(kind);
    const std::string_view value = Trim(c.substr(eq + 1));
    if (kind == SymbolKind::String || kind == SymbolKind::Char) {
        // As AppendAssignment and EvalStringExpr read it: `target = target + term` is
        // appended in place (no plan); otherwise one or two terms, split at the last
        // '+' outside char literals, the second read up to kTailMax characters.
        const std::size_t plus = StringPlus(value);
        if (kind == SymbolKind::String && plus != std::string_view::npos &&
            Trim(value.substr(0, plus)) == target)
            return;
        auto text = std::make_unique<AssignmentPlan::Text>();
        if (plus == std::string_view::npos) {
            plan.usable = ConstantTerm(value, text->left);
            text->value = text->left;
        } else {
            text->twoTerms = true;
            plan.usable = ConstantTerm(value.substr(0, plus), text->left) &&
                          ConstantTerm(value.substr(plus + 1, kTailMax), text->right);
            text->value = text->left + text->right;
        }
        if (plan.usable) plan.text = std::move(text);
        return;
    }
    if (kind != SymbolKind::Int) return;
    std::string_view left, op, right;
    SplitBinary(value, left, op, right);
    if (op == "*" && !right.empty() && right[0] == '*') return; // refused with a message
    bool usable = true;
    plan.left = PlanIntOperand(left, usable);
    plan.right = PlanIntOperand(right, usable);
    plan.op = op.empty() ? 0 : op[0];
    plan.usable = usable;
}

bool Engine::RunPlannedAssignment(LineFacts& facts) {
    if (!facts.assignment) facts.assignment = std::make_unique<AssignmentPlan>();
    AssignmentPlan& plan = *facts.assignment;
    const SymbolsStamp stamp = lineCache_.Stamp(symbolCount_);
    if (plan.stamp != stamp) {
        PlanAssignment(facts.Code(), facts.incDec, plan);
        plan.stamp = stamp;
        runState_ = RunState::Running;
    }
    if (!plan.usable) return false;
    if (plan.kind != static_cast<char>(SymbolKind::Int)) {
        // The working texts as EvalStringExpr leaves them: later statements may read them.
        strLeft_.assign(plan.text->left);
        if (plan.text->twoTerms) strRight_.assign(plan.text->right);
        text3_.assign(plan.text->value);
        StoreValue(text3_, static_cast<SymbolKind>(plan.kind), plan.target);
        return true;
    }
    std::int32_t& target = ints_[static_cast<std::size_t>(plan.target)];
    if (plan.increment) {
        target = WrapAdd(target, plan.step);
        return true;
    }
    const auto operand = [this](const IntOperandPlan& p) {
        switch (p.kind) {
        case IntOperandPlan::Kind::Slot:
            return ints_[static_cast<std::size_t>(p.value)];
        case IntOperandPlan::Kind::Literal:
            return p.value;
        case IntOperandPlan::Kind::None:
            break;
        }
        return std::int32_t{0};
    };
    const std::int32_t a = operand(plan.left), b = operand(plan.right);
    // A failed operation leaves the target as it was and the line failed: the run stops.
    ApplyIntOperator(a, plan.op, b, target);
    return true;
}

// As OperandText reads it: literals are constant texts, a plain variable is read from its
// slot, and anything else is read by OperandText itself (which reports its faults).
TextOperandPlan Engine::PlanTextOperand(std::string_view text, std::string_view line) {
    TextOperandPlan plan;
    plan.at = static_cast<std::uint32_t>(text.data() - line.data());
    plan.length = static_cast<std::uint32_t>(text.size());
    text = Trim(text);
    const auto constant = [&plan](std::string_view value) {
        plan.text.assign(value);
        AlignField(value, plan.field);
        plan.kind = TextOperandPlan::Kind::Constant;
        // A natural number as an int's text reads: digits, no leading zero but for 0.
        bool natural =
            !value.empty() && value.size() <= 10 && (value[0] != '0' || value.size() == 1);
        for (char c : value)
            if (c < '0' || c > '9') natural = false;
        std::int64_t number = 0; // at most ten digits: within range
        if (natural)
            for (char c : value)
                number = number * 10 + (c - '0');
        plan.natural = natural;
        plan.number = natural ? number : 0;
        return plan;
    };
    if (text.empty()) return constant({});
    const char first = text[0];
    if (first == '\'') {
        std::string out;
        AssignCharAt(out, text, 1);
        return constant(out);
    }
    if (first == '"') {
        std::string out(text.substr(1));
        const std::size_t pair = out.find("\"\"");
        if (pair != std::string::npos) out.erase(pair, 1);
        if (out.empty() || out.back() != '"') return plan;
        out.pop_back();
        return constant(out);
    }
    if (IsFloatLiteralStart(first)) {
        for (char c : text)
            if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+')) return plan;
        return constant(text);
    }
    if (text.find('[') != std::string_view::npos) return plan;
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (!FindSymbol(text, kind, index) || !SlotInStore(kind, index)) return plan;
    plan.kind = TextOperandPlan::Kind::Variable;
    plan.symbol = static_cast<char>(kind);
    plan.slot = index;
    return plan;
}

// As Condition reads "(a OP b)"; the FEOF tests and faulty conditions have no plan.
void Engine::PlanCondition(std::string_view text, ConditionPlan& plan) {
    plan = ConditionPlan{};
    if (text.size() < 2 || text.front() != '(' || text.back() != ')') return;
    const std::string_view inner = text.substr(1, text.size() - 2);
    const std::string_view t = Trim(inner);
    for (std::string_view feof : {"!FEOF(", "!=FEOF(", "FEOF("})
        if (t.size() >= feof.size() && EqualsNoCase(t.substr(0, feof.size()), feof)) return;
    std::size_t at = 0;
    std::string_view op;
    if (!FindComparison(inner, at, op)) return;
    plan.op = op;
    plan.test = op == "==" ? '=' : op == "!=" ? '!' : op == "<=" ? 'l' : op == ">=" ? 'g' : op[0];
    plan.left = PlanTextOperand(Trim(inner.substr(0, at)), text);
    plan.right = PlanTextOperand(Trim(inner.substr(at + op.size())), text);
    plan.usable = true;
}

const ConditionPlan* Engine::PlannedCondition(std::string_view text) {
    LineFacts& facts = *knownLine_;
    const std::string_view arg = facts.Arg();
    if (text.data() != arg.data() || text.size() != arg.size()) return nullptr;
    if (!facts.condition) facts.condition = std::make_unique<ConditionPlan>();
    ConditionPlan& plan = *facts.condition;
    const SymbolsStamp stamp = lineCache_.Stamp(symbolCount_);
    if (plan.stamp != stamp) {
        const RunState state = runState_;
        PlanCondition(arg, plan);
        plan.stamp = stamp;
        runState_ = state;
    }
    return plan.usable ? &plan : nullptr;
}

// The value of an operand that is a natural number: a constant written so, or an int
// variable that holds one (its text is then written so). False for any other.
bool Engine::PlannedNatural(const TextOperandPlan& plan, std::int64_t& value) const {
    if (plan.kind == TextOperandPlan::Kind::Constant) {
        value = plan.number;
        return plan.natural;
    }
    if (plan.kind != TextOperandPlan::Kind::Variable ||
        plan.symbol != static_cast<char>(SymbolKind::Int))
        return false;
    value = ints_[static_cast<std::size_t>(plan.slot)];
    return value >= 0;
}

void Engine::NaturalText(const TextOperandPlan& plan, std::int64_t value, std::string& text) {
    if (plan.kind == TextOperandPlan::Kind::Constant) {
        text.assign(plan.text);
        return;
    }
    NumberBuffer buffer;
    text.assign(FormatInt(static_cast<std::int32_t>(value), buffer));
}

bool Engine::PlannedConditionResult(const ConditionPlan& plan) {
    std::int64_t a = 0, b = 0;
    if (PlannedNatural(plan.left, a) && PlannedNatural(plan.right, b)) {
        // The operand texts are left in the working texts, as the general path leaves
        // them: a later statement may read them.
        NaturalText(plan.left, a, text1_);
        NaturalText(plan.right, b, text2_);
        // Right-aligned, the longer text has a digit where the shorter has a blank, and
        // texts of one length compare digit by digit: as their values.
        switch (plan.test) {
        case '=':
            return a == b;
        case '!':
            return a != b;
        case 'l':
            return a <= b;
        case 'g':
            return a >= b;
        case '<':
            return a < b;
        default:
            return a > b;
        }
    }
    char left[kConditionField], right[kConditionField];
    PlannedField(plan.left, text1_, left);
    if (runState_ != RunState::Running) return false;
    PlannedField(plan.right, text2_, right);
    if (runState_ != RunState::Running) return false;
    return CompareFields(left, right, plan.op);
}

void Engine::PlannedField(const TextOperandPlan& plan, std::string& text,
                          char (&field)[kConditionField]) {
    switch (plan.kind) {
    case TextOperandPlan::Kind::Constant:
        text.assign(plan.text);
        std::memcpy(field, plan.field, kConditionField);
        return;
    case TextOperandPlan::Kind::Variable:
        ValueTextOf(static_cast<SymbolKind>(plan.symbol), plan.slot, text);
        break;
    case TextOperandPlan::Kind::Other:
        OperandText(knownLine_->Arg().substr(plan.at, plan.length), text);
        break;
    }
    AlignField(text, field);
}

} // namespace vokc
