// Interpreter state: the symbol table, the value stores and the two stacks.
#include <cstring>

#include "engine.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"

namespace vokc {

Engine::Engine(Host& host) : host_(host) {
    strings_.assign(1, " ");
    hash_.fill(0);
    for (std::string* s : {&line_, &upper_, &scratch_, &text1_, &text2_, &text3_, &value_})
        s->reserve(512);
}

Engine::~Engine() {
    for (auto& f : files_)
        if (f.handle) std::fclose(f.handle);
}

void Engine::ResetState() {
    intsUsed_ = floatsUsed_ = charsUsed_ = filesUsed_ = 0;
    symbolCount_ = 0;
    hash_.fill(0);
    controlTop_ = 0;
    blockCount_ = 0;
    braceDepth_ = 0;
    doOpen_ = false;
    for (LoopWatch& w : loopWatches_)
        w.line = -1;
    warned_.clear();
    // The string store starts again with its unused slot 0, its memory given back.
    std::vector<std::string>(1, " ").swap(strings_);
}

// ---- Symbol table ----

namespace {
std::uint32_t HashName(std::string_view name) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : name)
        h = (h ^ c) * 16777619u;
    return h;
}
} // namespace

void Engine::HashInsert(int position) {
    std::uint32_t h = HashName(symbols_[position].Name()) & (kHashSize - 1);
    while (hash_[h] != 0)
        h = (h + 1) & (kHashSize - 1);
    hash_[h] = static_cast<std::int16_t>(position);
}

int Engine::Lookup(std::string_view name) const {
    if (name.size() > kNameMax) return 0;
    std::uint32_t h = HashName(name) & (kHashSize - 1);
    while (hash_[h] != 0) {
        int p = hash_[h];
        if (Same(symbols_[p].Name(), name)) return p;
        h = (h + 1) & (kHashSize - 1);
    }
    return 0;
}

bool Engine::FindSymbol(std::string_view name, SymbolKind& kind, std::int32_t& index) {
    index = -1;
    runState_ = RunState::Failed;
    if (!name.empty() && name[0] == '*') name.remove_prefix(1);
    int p = Lookup(name);
    if (p == 0) return false;
    lastFound_ = p;
    kind = symbols_[p].kind;
    index = symbols_[p].index;
    runState_ = RunState::Running;
    return true;
}

void Engine::DeclareVariables(std::string_view line) {
    std::size_t space = line.find(' ');
    std::string_view typeWord = space == std::string_view::npos ? line : line.substr(0, space);
    std::string_view rest =
        space == std::string_view::npos ? std::string_view() : line.substr(space + 1, 255);
    typeWord = Trim(typeWord);
    auto begins = [&](std::string_view w) {
        if (typeWord.size() < w.size()) return false;
        for (std::size_t i = 0; i < w.size(); ++i)
            if (LowerAscii(typeWord[i]) != w[i]) return false;
        return true;
    };
    SymbolKind kind = SymbolKind::None;
    if (begins("float"))
        kind = SymbolKind::Real;
    else if (begins("int"))
        kind = SymbolKind::Int;
    else if (begins("char"))
        kind = SymbolKind::Char;
    else if (begins("file"))
        kind = SymbolKind::File;
    for (;;) {
        rest = Trim(rest);
        std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) {
            DeclareVariable(rest, kind);
            return;
        }
        DeclareVariable(rest.substr(0, comma), kind);
        rest = rest.substr(comma + 1);
    }
}

void Engine::DeclareVariable(std::string_view name, SymbolKind kind) {
    if (!name.empty() && name[0] == '*') name.remove_prefix(1);
    if (name.size() > kNameMax) return Fail(Cp(msg::kNomTropLong));
    if (name.empty()) return; // as between two commas: nothing to declare
    char c = name[0];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
        return Fail(Cp(msg::kCaractereNonValide));
    name = Trim(name);
    if (name.empty()) return;
    std::int32_t n = 1;
    std::size_t bracket = name.find('[');
    if (bracket != std::string_view::npos) {
        std::size_t close = name.find(']', bracket + 1);
        std::string_view sizeText = close == std::string_view::npos
                                        ? std::string_view()
                                        : name.substr(bracket + 1, close - bracket - 1);
        name = name.substr(0, bracket + 1);
        if (kind == SymbolKind::Char) {
            kind = SymbolKind::String;
            name.remove_suffix(1);
        }
        // A size below 1 would share its slot with the next variable: refused.
        if (close == std::string_view::npos || !ParseInt(sizeText, n) || n < 1)
            return Fail(Cp(msg::kErreurSyntaxe));
    }
    EnterVariable(name, kind, n);
}

void Engine::EnterVariable(std::string_view name, SymbolKind kind, std::int32_t n) {
    if (Lookup(name) != 0) return Fail(Cp(msg::kSymboleDejaDefini));
    if (symbolCount_ >= kMaxSymbols) return Fail(Cp(msg::kTableSaturee));
    int first = AllocateStorage(kind, n);
    if (runState_ != RunState::Running) return;
    SymbolEntry& e = symbols_[++symbolCount_];
    e.length = static_cast<std::uint8_t>(std::min<std::size_t>(name.size(), kNameMax));
    std::memcpy(e.name, name.data(), e.length);
    e.kind = kind;
    e.index = first;
    e.count = n;
    HashInsert(symbolCount_);
}

int Engine::AllocateStorage(SymbolKind kind, int n) {
    auto take = [&](int& used, int limit) -> int {
        if (static_cast<std::int64_t>(used) + n > limit) {
            Fail(Cp(msg::kTropDeVariables));
            return 0;
        }
        int first = used + 1;
        used += n;
        return first;
    };
    int first = 0;
    switch (kind) {
    case SymbolKind::Int:
        first = take(intsUsed_, kStoreSlots);
        if (first) ints_[first] = 0;
        break;
    case SymbolKind::Real:
        first = take(floatsUsed_, kStoreSlots);
        if (first) floats_[first] = 0;
        break;
    case SymbolKind::Char:
        first = take(charsUsed_, kStoreSlots);
        if (first) chars_[first] = 0;
        break;
    case SymbolKind::File:
        first = take(filesUsed_, kFileSlots);
        if (first) {
            FileSlot& f = files_[first];
            if (f.handle) std::fclose(f.handle);
            f.handle = nullptr;
            f.name.clear();
            f.mode = FileSlot::Mode::Closed;
        }
        break;
    case SymbolKind::String:
        if (strings_.size() + static_cast<std::size_t>(n) > kStringStoreMax) {
            Fail(Cp(msg::kTropDeVariables));
            return 0;
        }
        first = static_cast<int>(strings_.size());
        strings_.resize(strings_.size() + static_cast<std::size_t>(n), " ");
        break;
    default:
        break;
    }
    return first;
}

void Engine::DeclareLabel(std::string_view name, SymbolKind kind, int line) {
    if (name.size() > kNameMax) return Fail(Cp(msg::kNomTropLong));
    char c = name.empty() ? '\0' : name[0];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
        return Fail(Cp(msg::kCaractereNonValideLabel));
    if (Lookup(name) != 0 || symbolCount_ >= kMaxSymbols)
        return Fail(Cp(msg::kIdentificateurDuplique));
    SymbolEntry& e = symbols_[++symbolCount_];
    e.length = static_cast<std::uint8_t>(name.size());
    std::memcpy(e.name, name.data(), e.length);
    e.kind = kind;
    e.index = line;
    e.count = 1;
    HashInsert(symbolCount_);
}

// ---- Values ----

bool Engine::SlotInStore(SymbolKind kind, std::int64_t slot) const {
    switch (kind) {
    case SymbolKind::Int:
    case SymbolKind::Real:
    case SymbolKind::Char:
        return slot >= 1 && slot <= kStoreSlots;
    case SymbolKind::String:
        return slot >= 1 && slot < static_cast<std::int64_t>(strings_.size());
    case SymbolKind::File:
        return slot >= 1 && slot <= kFileSlots;
    default:
        return true;
    }
}

bool Engine::ReadValue(std::int32_t slot, SymbolKind kind, long double& f, std::int32_t& i,
                       std::string& text) {
    if (!SlotInStore(kind, slot)) {
        Fail(Cp(msg::kIndiceHorsLimites));
        return false;
    }
    switch (kind) {
    case SymbolKind::Char:
        text.assign(1, static_cast<char>(chars_[slot]));
        break;
    case SymbolKind::Int:
        i = ints_[slot];
        break;
    case SymbolKind::Real:
        f = floats_[slot];
        break;
    case SymbolKind::String:
        text.assign(strings_[slot]);
        break;
    default:
        break;
    }
    return true;
}

void Engine::StoreValue(std::string_view text, SymbolKind kind, std::int32_t slot) {
    if (!SlotInStore(kind, slot)) return Fail(Cp(msg::kIndiceHorsLimites));
    switch (kind) {
    case SymbolKind::Char:
        if (text.empty()) return Fail(Cp(msg::kErreurConversion));
        chars_[slot] = static_cast<unsigned char>(text[0]);
        break;
    case SymbolKind::Int: {
        // Leading blanks are allowed, as the conversion of typed answers always did.
        std::int32_t v = 0;
        if (!ParseInt(SkipLeadingBlanks(text), v)) return Fail(Cp(msg::kErreurConversion));
        ints_[slot] = v;
        break;
    }
    case SymbolKind::Real: {
        long double v = 0;
        if (!ParseReal48(Trim(text), separator_, v)) return Fail(Cp(msg::kErreurConversion));
        floats_[slot] = v;
        break;
    }
    case SymbolKind::String:
        if (text.size() > kTextMax) return Fail(Cp(msg::kChaineTropLongue));
        strings_[slot].assign(text);
        break;
    default:
        break;
    }
}

std::int32_t Engine::IndexOffset(std::string_view text) {
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (FindSymbol(text, kind, index)) {
        if (kind != SymbolKind::Int) {
            Fail(Cp(msg::kIndiceTypeIncorrect));
            return 0;
        }
        if (!SlotInStore(SymbolKind::Int, index)) {
            Fail(Cp(msg::kIndiceHorsLimites));
            return 0;
        }
        return WrapSub(ints_[index], 1);
    }
    runState_ = RunState::Running;
    if (!text.empty() && text[0] == '*') text.remove_prefix(1); // as FindSymbol left it
    std::int32_t v = 0;
    if (!ParseInt(SkipLeadingBlanks(text), v)) {
        Fail(Cp(msg::kErreurDansIndice));
        return 0;
    }
    return WrapSub(v, 1);
}

void Engine::TabsToSpaces(std::string& line) {
    for (char& c : line)
        if (c == '\t') c = ' ';
}

// ---- Stacks ----

bool Engine::PushControl(std::int32_t value) {
    if (controlTop_ >= kControlStackSize) {
        Fail(Cp(msg::kPileSaturee));
        return false;
    }
    control_[++controlTop_] = value;
    return true;
}

bool Engine::PopControl(std::int32_t& target) {
    if (controlTop_ <= 0) {
        Fail(Cp(msg::kPileVide));
        return false;
    }
    target = control_[controlTop_--];
    return true;
}

bool Engine::PushBlock(std::int32_t resumeLine, std::string_view keyword) {
    if (blockCount_ >= kBlockStackSize) {
        Fail(Cp(msg::kPileSaturee));
        return false;
    }
    blocks_[++blockCount_] = BlockFrame{resumeLine, keyword};
    return true;
}

// ---- Reporting ----

void Engine::Fail(std::string_view text) {
    runState_ = RunState::Failed;
    host_.Message(text, messageLine_);
}

void Engine::Say(std::string_view text) {
    host_.Message(text, messageLine_);
}

std::string Engine::Cp(std::string_view utf8) {
    return Utf8ToCp1252(utf8);
}

void Engine::ThrowIntConversion(std::string_view literal) {
    throw ErrorBoxFailure{"'" + std::string(literal) + Cp(msg::kPasUnEntier)};
}

void Engine::ThrowFloatConversion(std::string_view literal) {
    throw ErrorBoxFailure{"'" + std::string(literal) + Cp(msg::kPasUnFlottant)};
}

} // namespace vokc
