// Assignments (name = expression, element[index] = expression) and the ++ / --
// statements of whole int variables.
#include "engine.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

void Engine::Assign(std::string_view c) {
    std::size_t eq = c.find('=');
    std::string_view target =
        Trim(eq == std::string_view::npos ? std::string_view() : c.substr(0, eq));
    std::string_view name;
    SymbolKind kind = SymbolKind::None;
    std::int64_t slot64 = 0;
    Reference found = ResolveReference(target, name, kind, slot64);
    if (found == Reference::Failed) return;
    if (found == Reference::Unknown)
        return Fail(Cp(msg::kIdentificateur) + std::string(name) + Cp(msg::kInconnu));
    std::string_view value =
        eq == std::string_view::npos ? std::string_view() : Trim(c.substr(eq + 1));
    if (!SlotInStore(kind, slot64)) return Fail(Cp(msg::kIndiceHorsLimites));
    const auto slot = static_cast<std::int32_t>(slot64);
    switch (kind) {
    case SymbolKind::Int: {
        std::int32_t v = 0;
        if (EvalIntExpr(value, v)) ints_[slot] = v;
        break;
    }
    case SymbolKind::Real: {
        // The general text of a rounded value reads back as the same value, so the
        // value is stored directly rather than through its text.
        long double v = 0;
        if (EvalFloatExpr(value, v)) floats_[slot] = v;
        break;
    }
    case SymbolKind::String:
        if (AppendAssignment(target, value, slot)) break;
        [[fallthrough]];
    case SymbolKind::Char:
        EvalStringExpr(value, text3_);
        if (runState_ == RunState::Running) StoreValue(text3_, kind, slot);
        break;
    default:
        break; // file, label and procedure names are not assigned
    }
}

void Engine::Increment(std::string_view c) {
    if (c.size() < 2) return;
    std::string_view op = c.substr(c.size() - 2);
    std::string_view name = c.substr(0, c.size() - 2);
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (!FindSymbol(name, kind, index)) return; // RunState 1, no message
    if (kind != SymbolKind::Int) return Fail(Cp(msg::kVariableNonInteger));
    if (op == "++")
        ints_[index] = WrapAdd(ints_[index], 1);
    else if (op == "--")
        ints_[index] = WrapSub(ints_[index], 1);
}

} // namespace vokc
