// What the debugging windows read of a run: the declared variables and the text of
// their values, the value of one typed or pointed-at reference, and the procedure calls
// in progress. None of these functions changes the run or reports a message, so a window
// may call them at any moment, also between two lines of a free run.
#include "engine.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

namespace {
constexpr std::string_view kEndSubKeyword = "ENDSUB";
constexpr std::string_view kNextKeyword = "NEXT";

bool IsVariable(SymbolKind kind) {
    return kind == SymbolKind::Int || kind == SymbolKind::Real || kind == SymbolKind::Char ||
           kind == SymbolKind::String || kind == SymbolKind::File;
}

VariableKind ToVariableKind(SymbolKind kind) {
    switch (kind) {
    case SymbolKind::Real:
        return VariableKind::Real;
    case SymbolKind::Char:
        return VariableKind::Char;
    case SymbolKind::String:
        return VariableKind::String;
    case SymbolKind::File:
        return VariableKind::File;
    default:
        return VariableKind::Int;
    }
}

bool IsArrayName(std::string_view name) {
    return !name.empty() && name.back() == '[';
}
} // namespace

int Engine::ElementCount(int position) const {
    const SymbolEntry& e = symbols_[position];
    return IsArrayName(e.Name()) ? std::max(1, e.count) : 1;
}

void Engine::SlotText(SymbolKind kind, std::int64_t slot, std::string& out) const {
    out.clear();
    if (!SlotInStore(kind, slot)) {
        out = Cp(msg::kIndiceHorsLimites);
        return;
    }
    NumberBuffer buf;
    switch (kind) {
    case SymbolKind::Int:
        out.assign(FormatInt(ints_[slot], buf));
        break;
    case SymbolKind::Real:
        out.assign(FormatFloat(floats_[slot], separator_, buf));
        break;
    case SymbolKind::Char:
        out.assign(1, static_cast<char>(chars_[slot]));
        break;
    case SymbolKind::String:
        out.assign(strings_[static_cast<std::size_t>(slot)]);
        break;
    case SymbolKind::File: {
        const FileSlot& f = files_[slot];
        out.assign(f.name);
        if (!out.empty()) out += ' ';
        switch (f.mode) {
        case FileSlot::Mode::Read:
            out += Cp("(ouvert en lecture)");
            break;
        case FileSlot::Mode::Write:
            out += Cp("(ouvert en écriture)");
            break;
        case FileSlot::Mode::Closed:
            out += Cp("(fermé)");
            break;
        }
        break;
    }
    default:
        break;
    }
}

std::vector<VariableInfo> Engine::Variables() const {
    std::vector<VariableInfo> list;
    for (int p = 1; p <= symbolCount_; ++p) {
        const SymbolEntry& e = symbols_[p];
        if (!IsVariable(e.kind)) continue;
        VariableInfo info;
        std::string_view name = e.Name();
        info.array = IsArrayName(name);
        if (info.array) name.remove_suffix(1);
        info.name.assign(name);
        info.kind = ToVariableKind(e.kind);
        info.count = ElementCount(p);
        list.push_back(std::move(info));
    }
    return list;
}

void Engine::ValueTexts(std::vector<std::string>& out, int maxElements) const {
    out.clear();
    std::string text;
    for (int p = 1; p <= symbolCount_; ++p) {
        const SymbolEntry& e = symbols_[p];
        if (!IsVariable(e.kind)) continue;
        const int shown = std::min(ElementCount(p), std::max(maxElements, 1));
        for (int k = 0; k < shown; ++k) {
            SlotText(e.kind, static_cast<std::int64_t>(e.index) + k, text);
            out.push_back(text);
        }
    }
}

std::string Engine::ValueText(int variable, int element) const {
    int seen = 0;
    std::string text;
    for (int p = 1; p <= symbolCount_; ++p) {
        const SymbolEntry& e = symbols_[p];
        if (!IsVariable(e.kind) || seen++ != variable) continue;
        if (element < 0 || element >= ElementCount(p)) return Cp(msg::kIndiceHorsLimites);
        SlotText(e.kind, static_cast<std::int64_t>(e.index) + element, text);
        return text;
    }
    return text;
}

bool Engine::InspectReference(std::string_view reference, std::string& text) const {
    text.clear();
    std::string_view name, indexText;
    if (!SplitReference(Trim(reference), name, indexText)) return false;
    name = Trim(name);
    if (!name.empty() && name[0] == '*') name.remove_prefix(1);
    const int p = Lookup(name);
    if (p == 0 || !IsVariable(symbols_[p].kind)) {
        // An array named without its index: "t" stands for "t[".
        if (!IsArrayName(name) && name.size() < kNameMax) {
            std::string withBracket(name);
            withBracket += '[';
            const int q = Lookup(withBracket);
            if (q != 0 && IsVariable(symbols_[q].kind)) {
                NumberBuffer buf;
                text = Cp("tableau de ");
                text.append(FormatInt(ElementCount(q), buf));
                return true;
            }
        }
        return false;
    }
    const SymbolEntry& e = symbols_[p];
    std::int64_t element = 0;
    if (IsArrayName(name)) {
        indexText = Trim(indexText);
        std::int32_t value = 0;
        const int q = Lookup(indexText);
        if (q != 0) {
            if (symbols_[q].kind != SymbolKind::Int ||
                !SlotInStore(SymbolKind::Int, symbols_[q].index)) {
                text = Cp(msg::kIndiceTypeIncorrect);
                return true;
            }
            value = ints_[symbols_[q].index];
        } else if (!ParseInt(indexText, value)) {
            text = Cp(msg::kErreurDansIndice);
            return true;
        }
        element = static_cast<std::int64_t>(value) - 1;
        if (element < 0 || element >= ElementCount(p)) {
            text = Cp(msg::kIndiceHorsLimites);
            return true;
        }
    }
    SlotText(e.kind, static_cast<std::int64_t>(e.index) + element, text);
    return true;
}

// The rows of ValueTexts(maxElements) come in declaration order, one per plain variable
// and up to maxElements per array: a reference is found at its variable's first row plus
// its element. Index variables are read from the same rows.
bool Engine::InspectReferenceAt(std::string_view reference, const std::vector<std::string>& rows,
                                int maxElements, std::string& text) const {
    // What names no variable, and the notes that need no value, read as at present.
    if (!InspectReference(reference, text)) return false;
    std::string_view name, indexText;
    SplitReference(Trim(reference), name, indexText);
    name = Trim(name);
    if (!name.empty() && name[0] == '*') name.remove_prefix(1);
    const int shown = std::max(maxElements, 1);
    auto firstRow = [&](int position) {
        std::size_t row = 0;
        for (int p = 1; p < position; ++p)
            if (IsVariable(symbols_[p].kind))
                row += static_cast<std::size_t>(std::min(ElementCount(p), shown));
        return row;
    };
    const int p = Lookup(name);
    if (p == 0 || !IsVariable(symbols_[p].kind)) return true; // a whole array
    std::int64_t element = 0;
    if (IsArrayName(name)) {
        indexText = Trim(indexText);
        std::int32_t value = 0;
        const int q = Lookup(indexText);
        if (q != 0) {
            if (symbols_[q].kind != SymbolKind::Int) return true; // the note of a wrong type
            const std::size_t row = firstRow(q);
            if (row >= rows.size() || !ParseInt(rows[row], value)) return false;
        } else if (!ParseInt(indexText, value)) {
            return true; // the note of an unreadable index
        }
        element = static_cast<std::int64_t>(value) - 1;
        if (element < 0 || element >= ElementCount(p)) {
            text = Cp(msg::kIndiceHorsLimites);
            return true;
        }
        if (element >= shown) return false;
    }
    const std::size_t row = firstRow(p) + static_cast<std::size_t>(element);
    if (row >= rows.size()) return false;
    text = rows[row];
    return true;
}

// Every open block holds its entries of the control stack, pushed just before the block:
// four for a for loop, one for the others (the caller's line for a procedure call).
std::vector<CallFrame> Engine::CallChain() const {
    std::vector<CallFrame> chain;
    int entries = 0;
    for (int k = 1; k <= blockCount_; ++k) {
        const BlockFrame& frame = blocks_[k];
        entries += frame.keyword == kNextKeyword ? 4 : 1;
        if (frame.keyword != kEndSubKeyword) continue;
        CallFrame call;
        call.callLine = entries <= controlTop_ ? control_[entries] : -1;
        // The procedure is the one whose header is the last before its block's end.
        int header = -1;
        for (int p = 1; p <= symbolCount_; ++p) {
            const SymbolEntry& e = symbols_[p];
            if (e.kind == SymbolKind::Procedure && e.index < frame.resumeLine && e.index > header) {
                header = e.index;
                call.procedure.assign(e.Name());
            }
        }
        chain.push_back(std::move(call));
    }
    return chain;
}

int Engine::OpenBlockLine() const {
    if (blockCount_ < 1) return -1;
    int entries = 0;
    for (int k = 1; k <= blockCount_; ++k)
        entries += blocks_[k].keyword == kNextKeyword ? 4 : 1;
    const BlockFrame& frame = blocks_[blockCount_];
    if (frame.keyword == kEndSubKeyword) {
        int header = -1;
        for (int p = 1; p <= symbolCount_; ++p) {
            const SymbolEntry& e = symbols_[p];
            if (e.kind == SymbolKind::Procedure && e.index < frame.resumeLine && e.index > header)
                header = e.index;
        }
        return header;
    }
    // A for loop's line is the first of its four entries.
    const int first = frame.keyword == kNextKeyword ? entries - 3 : entries;
    return first >= 1 && first <= controlTop_ ? control_[first] : -1;
}

int Engine::CallDepth() const {
    int depth = 0;
    for (int k = 1; k <= blockCount_; ++k)
        if (blocks_[k].keyword == kEndSubKeyword) ++depth;
    return depth;
}

bool Engine::PausesAfterLine(StepMode mode, int startDepth) const {
    if (runState_ != RunState::Running) return false;
    if (mode == StepMode::Over) return CallDepth() <= startDepth;
    if (mode == StepMode::Out) return CallDepth() < startDepth;
    return false;
}

} // namespace vokc
