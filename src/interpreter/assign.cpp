// Assignments (name = expression, element[index] = expression) and the ++ / --
// statements of whole int variables.
#include "interpreter.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

void Interpreter::Assign(std::string_view c) {
    std::size_t eq = c.find('=');
    std::string_view target = Trim(eq == std::string_view::npos ? std::string_view() : c.substr(0, eq));
    std::string_view name = target;
    std::int32_t offset = 0;
    std::size_t bracket = target.find('[');
    if (bracket != std::string_view::npos) {
        name = target.substr(0, bracket + 1);
        std::size_t close = target.find(']', bracket + 1);
        if (close == std::string_view::npos) return Fail(Cp(msg::kErreurSyntaxe));
        offset = Indice(target.substr(bracket + 1, close - bracket - 1));
        if (runState_ > 0) return;
    }
    char kind = 0;
    std::int32_t first = 0;
    if (!ChercheEtiq(name, kind, first)) {
        if (!name.empty() && name[0] == '*') name.remove_prefix(1);
        return Fail(Cp(msg::kIdentificateur) + std::string(name) + Cp(msg::kInconnu));
    }
    std::string_view value = eq == std::string_view::npos ? std::string_view() : Trim(c.substr(eq + 1));
    std::int64_t slot64 = static_cast<std::int64_t>(first) + offset;
    if (!SlotInStore(kind, slot64)) return Fail(Cp(msg::kIndiceHorsLimites));
    const auto slot = static_cast<std::int32_t>(slot64);
    switch (kind) {
    case 'I': {
        std::int32_t v = 0;
        if (EvalIntExpr(value, v)) ints_[slot] = v;
        break;
    }
    case 'R': {
        // The general text of a rounded value reads back as the same value, so the
        // value is stored directly rather than through its text.
        long double v = 0;
        if (EvalFloatExpr(value, v)) floats_[slot] = v;
        break;
    }
    case 'C':
    case 'S':
        EvalStringExpr(value, text3_);
        if (runState_ == kRunning) StoreValue(text3_, kind, slot);
        break;
    default:
        break; // file, label and procedure names are not assigned
    }
}

void Interpreter::Increment(std::string_view c) {
    if (c.size() < 2) return;
    std::string_view op = c.substr(c.size() - 2);
    std::string_view name = c.substr(0, c.size() - 2);
    char kind = 0;
    std::int32_t index = 0;
    if (!ChercheEtiq(name, kind, index)) return; // RunState 1, no message
    if (kind != 'I') return Fail(Cp(msg::kVariableNonInteger));
    if (op == "++") ints_[index] = WrapAdd(ints_[index], 1);
    else if (op == "--") ints_[index] = WrapSub(ints_[index], 1);
}

} // namespace vokc
