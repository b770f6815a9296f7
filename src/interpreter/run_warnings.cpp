// Warnings of the run: what a beginner's program does that is legal but almost surely
// not meant (an element outside its array, a loop whose test can no longer change). The
// host is told once per line and run; the run itself goes on exactly as without them.
#include "engine.h"
#include "line_shapes.h"
#include "messages.h"
#include "text.h"

#include <algorithm>
#include <limits>

namespace vokc {

namespace {
// Passes that a loop's operands must stay the same, once looked at, before the warning:
// fewer when every variable is then back to what it was (the loop goes round in a
// circle, whatever it does), many more otherwise (a search that stops on a flag may
// take long, and is meant to).
constexpr std::uint32_t kStillPasses = 10000;
constexpr std::uint32_t kLongStillPasses = 1000000;

bool IsNameStart(char c) {
    return IsNameChar(c) && !IsDigit(c);
}

// A line that leaves a loop by itself: break, goto, return or exit, in any case.
bool LeavesLoop(std::string_view line) {
    const std::string code = shapes::KeywordsLowered(std::string(line));
    for (std::string_view word : {"break", "goto", "return", "exit"})
        if (shapes::StartsWord(code, word)) return true;
    return false;
}

// Whether a line of the body gives the variable a value: name = ..., name++, ++name,
// &name (a read).
bool ChangesInBody(const ProgramText& program, int first, int last, const std::string& name) {
    for (int k = std::max(first, 0); k <= last && k < program.LineCount(); ++k) {
        const std::string_view line = Trim(program.Line(k));
        if (shapes::HasName(line, "&" + name) || shapes::StartsWord(line, "++" + name) ||
            shapes::StartsWord(line, "--" + name))
            return true;
        if (shapes::LeadingName(line) != name) continue;
        const std::string_view rest = Trim(line.substr(name.size()));
        if (rest.starts_with("++") || rest.starts_with("--") || rest.starts_with("+=") ||
            rest.starts_with("-=") || (rest.starts_with("=") && !rest.starts_with("==")))
            return true;
    }
    return false;
}
} // namespace

bool Engine::FirstWarning(int line, RunWarning kind) {
    const std::pair<int, RunWarning> key{line, kind};
    if (std::find(warned_.begin(), warned_.end(), key) != warned_.end()) return false;
    warned_.push_back(key);
    return true;
}

void Engine::WarnOutsideArray(int position, std::int32_t offset) {
    if (!FirstWarning(messageLine_, RunWarning::OutsideArray)) return;
    std::string_view name = symbols_[position].Name();
    if (!name.empty() && name.back() == '[') name.remove_suffix(1);
    const std::string array(name);
    NumberBuffer buf;
    std::string text = array + "[" + std::string(FormatInt(WrapAdd(offset, 1), buf)) + "]";
    text += Cp(msg::kNExistePasTableau) + array + Cp(msg::kAElements);
    const std::string count(FormatInt(symbols_[position].count, buf));
    text += count + Cp(msg::kElementsDe) + array + "[1]" + Cp(msg::kElementsA) + array + "[" +
            count + "]" + Cp(msg::kAutreVariable);
    host_.Warning(text, messageLine_);
}

void Engine::TakeDownValues(LoopWatch& watch) const {
    watch.ints.assign(ints_.begin() + 1, ints_.begin() + 1 + intsUsed_);
    watch.floats.assign(floats_.begin() + 1, floats_.begin() + 1 + floatsUsed_);
    watch.chars.assign(chars_.begin() + 1, chars_.begin() + 1 + charsUsed_);
    watch.strings.assign(strings_.begin(), strings_.end());
}

bool Engine::SameValues(const LoopWatch& watch) const {
    return std::equal(watch.ints.begin(), watch.ints.end(), ints_.begin() + 1,
                      ints_.begin() + 1 + intsUsed_) &&
           std::equal(watch.floats.begin(), watch.floats.end(), floats_.begin() + 1,
                      floats_.begin() + 1 + floatsUsed_) &&
           std::equal(watch.chars.begin(), watch.chars.end(), chars_.begin() + 1,
                      chars_.begin() + 1 + charsUsed_) &&
           watch.strings == strings_;
}

void Engine::ForgetLoop(int line) {
    for (LoopWatch& w : loopWatches_)
        if (w.line == line) w.line = -1;
}

// Past the pass it was waiting for: the first time, the operands are taken down (when
// the warning could apply at all); then each pass compares them, until they differ
// (the next look is twice as far) or have stayed the same long enough to warn.
void Engine::LookAtLoop(LoopWatch& watch, const ProgramText& program, int first, int last,
                        std::string_view condition, bool repeatsWhenTrue) {
    constexpr std::uint32_t kNever = std::numeric_limits<std::uint32_t>::max();
    if (watch.passes == watch.next) {
        watch.next = kNever;
        // A test that calls a function (feof, strcmp...) can change by itself; a body
        // that can leave the loop may be meant to.
        if (condition.size() < 2) return;
        const std::string_view inner = condition.substr(1, condition.size() - 2);
        if (inner.find('(') != std::string_view::npos) return;
        for (int k = first; k <= last && k < program.LineCount(); ++k)
            if (k >= 0 && LeavesLoop(Trim(program.Line(k)))) return;
        std::size_t at = 0;
        std::string_view op;
        if (!FindComparison(inner, at, op)) return;
        // The first variable of the test, left operand first, outside quotes.
        watch.name.clear();
        bool onLeft = true;
        char quote = 0;
        for (std::size_t i = 0; i < inner.size() && watch.name.empty(); ++i) {
            const char c = inner[i];
            if (quote) {
                if (c == quote) quote = 0;
                continue;
            }
            if (c == '"' || c == '\'') {
                quote = c;
                continue;
            }
            if (!IsNameStart(c) || (i > 0 && IsNameChar(inner[i - 1]))) continue;
            std::size_t end = i;
            while (end < inner.size() && IsNameChar(inner[end]))
                ++end;
            const std::string_view word = inner.substr(i, end - i);
            const bool element = end < inner.size() && inner[end] == '[';
            if (Lookup(element ? inner.substr(i, end - i + 1) : word) != 0) {
                watch.name.assign(word);
                onLeft = i < at;
            }
        }
        if (watch.name.empty()) return;
        watch.onLeft = onLeft;
        watch.operand.assign(Trim(onLeft ? inner.substr(0, at) : inner.substr(at + op.size())));
        watch.first = first;
        watch.last = last;
        // Which way the variable should go for the test to end the loop.
        const bool less = op == "<" || op == "<=";
        const bool more = op == ">" || op == ">=";
        const bool up = (less == onLeft) == repeatsWhenTrue;
        watch.example = less || more ? (up ? "++" : "--") : "";
        watch.left = text1_;
        watch.right = text2_;
        TakeDownValues(watch);
        watch.same = 0;
        watch.next = watch.passes;
        return;
    }
    if (text1_ == watch.left && text2_ == watch.right) {
        ++watch.same;
        if (watch.same != kLongStillPasses && (watch.same != kStillPasses || !SameValues(watch)))
            return;
        watch.next = kNever;
        if (!FirstWarning(watch.line, RunWarning::LoopStill)) return;
        NumberBuffer buf;
        std::string text = watch.operand + Cp(msg::kVautToujours) +
                           (watch.onLeft ? watch.left : watch.right) + Cp(msg::kAuTestDepuis) +
                           std::string(FormatInt(static_cast<std::int32_t>(watch.same), buf)) +
                           Cp(watch.same == kStillPasses ? msg::kToursJamais : msg::kToursRisque);
        if (ChangesInBody(program, watch.first, watch.last, watch.name))
            text += Cp(msg::kVerifiezComment) + watch.name + ".";
        else if (!watch.example.empty())
            text += Cp(msg::kChangezDansBoucle) + watch.name + Cp(msg::kDansLaBoucle) +
                    Cp(msg::kParExemple) + watch.name + std::string(watch.example) + ";";
        else
            text += Cp(msg::kChangezDansBoucle) + watch.name + Cp(msg::kDansLaBoucle) + ".";
        host_.Warning(text, watch.line);
        return;
    }
    watch.next = watch.passes > kNever / 2 ? kNever : watch.passes * 2;
}

} // namespace vokc
