// Texts of the two inspection windows: the symbol-table listing with its summary, and
// the value shown for a typed variable reference.
#include "engine.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

std::vector<std::string> Engine::SymbolListing() const {
    std::vector<std::string> lines;
    int procedures = 0, labels = 0, strings = 0, chars = 0, ints = 0, floats = 0, files = 0;
    NumberBuffer buf;
    for (int p = 1; p <= symbolCount_; ++p) {
        const SymbolEntry& e = symbols_[p];
        std::string line(e.Name());
        line += " , ";
        line += static_cast<char>(e.kind);
        line += " , ";
        line += FormatInt(e.index, buf);
        lines.push_back(std::move(line));
        switch (e.kind) {
        case SymbolKind::Procedure:
            ++procedures;
            break;
        case SymbolKind::Label:
            ++labels;
            break;
        case SymbolKind::String:
            ++strings;
            break;
        case SymbolKind::Char:
            ++chars;
            break;
        case SymbolKind::Int:
            ++ints;
            break;
        case SymbolKind::Real:
            ++floats;
            break;
        case SymbolKind::File:
            ++files;
            break;
        default:
            break;
        }
    }
    lines.emplace_back(" ");
    lines.emplace_back(79, '-');
    auto summary = [&](std::string_view label, int n) {
        lines.push_back(Cp(label) + std::string(FormatInt(n, buf)));
    };
    summary("Void : ", procedures);
    summary("Etiquettes : ", labels);
    summary("Var String : ", strings);
    summary("Var Char : ", chars);
    summary("Var Int : ", ints);
    summary("Var Float : ", floats);
    summary("Var File : ", files);
    summary("Eléments en pile : ", controlTop_);
    return lines;
}

std::string Engine::ExamineText(std::string_view reference) {
    messageLine_ = -1;
    std::string_view name, indexText;
    if (!SplitReference(reference, name, indexText)) return Cp(msg::kErreurSyntaxe);
    const bool element = !name.empty() && name.back() == '[';
    // Index errors are shown as messages; the look-up goes on all the same.
    const std::int32_t offset = element ? IndexOffset(indexText) : 0;
    SymbolKind kind = SymbolKind::None;
    std::int32_t first = 0;
    if (!FindSymbol(name, kind, first)) return Cp(msg::kVariableInconnue);
    if (kind == SymbolKind::File || kind == SymbolKind::Label || kind == SymbolKind::Procedure)
        return std::string(element ? indexText : reference);
    std::int64_t slot = static_cast<std::int64_t>(first) + offset;
    if (!SlotInStore(kind, slot)) {
        Say(Cp(msg::kIndiceHorsLimites));
        return {};
    }
    long double f = 0;
    std::int32_t i = 0;
    std::string text;
    ReadValue(static_cast<std::int32_t>(slot), kind, f, i, text);
    NumberBuffer buf;
    if (kind == SymbolKind::Int) return std::string(FormatInt(i, buf));
    if (kind == SymbolKind::Real) return std::string(FormatFloat(f, separator_, buf));
    return text;
}

} // namespace vokc
