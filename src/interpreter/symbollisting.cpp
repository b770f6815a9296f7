// Texts of the two inspection windows: the symbol-table listing with its summary, and
// the value shown for a typed variable reference.
#include "interpreter.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

std::vector<std::string> Interpreter::SymbolListing() const {
    std::vector<std::string> lines;
    int procedures = 0, labels = 0, strings = 0, chars = 0, ints = 0, floats = 0, files = 0;
    NumberBuffer buf;
    for (int p = 1; p <= symbolCount_; ++p) {
        const SymbolEntry& e = symbols_[p];
        std::string line(e.Name());
        line += " , ";
        line += e.kind;
        line += " , ";
        line += FormatInt(e.index, buf);
        lines.push_back(std::move(line));
        switch (e.kind) {
        case 'P': ++procedures; break;
        case 'L': ++labels; break;
        case 'S': ++strings; break;
        case 'C': ++chars; break;
        case 'I': ++ints; break;
        case 'R': ++floats; break;
        case 'F': ++files; break;
        default: break;
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

std::string Interpreter::ExamineText(std::string_view reference) {
    messageLine_ = -1;
    std::string_view name = reference;
    std::string_view indexText;
    std::int32_t offset = 0;
    bool element = false;
    std::size_t bracket = reference.find('[');
    if (bracket != std::string_view::npos) {
        std::size_t close = reference.find(']', bracket + 1);
        if (close == std::string_view::npos) return Cp(msg::kErreurSyntaxe);
        name = reference.substr(0, bracket + 1);
        indexText = reference.substr(bracket + 1, close - bracket - 1);
        offset = Indice(indexText); // its errors are shown as messages
        element = true;
    }
    char kind = 0;
    std::int32_t first = 0;
    if (!ChercheEtiq(name, kind, first)) return Cp(msg::kVariableInconnue);
    if (kind == 'F' || kind == 'L' || kind == 'P')
        return std::string(element ? indexText : reference);
    std::int64_t slot = static_cast<std::int64_t>(first) + offset;
    if (!SlotInStore(kind, slot)) {
        Say(Cp(msg::kIndiceHorsLimites));
        return {};
    }
    long double f = 0;
    std::int32_t i = 0;
    std::string text;
    LitValeur(static_cast<std::int32_t>(slot), kind, f, i, text);
    NumberBuffer buf;
    if (kind == 'I') return std::string(FormatInt(i, buf));
    if (kind == 'R') return std::string(FormatFloat(f, separator_, buf));
    return text;
}

} // namespace vokc
