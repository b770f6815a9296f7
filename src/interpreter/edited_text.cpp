// A paused run takes on the text as it was edited during the pause: the declarations
// added are made (existing variables keep their values), labels and procedures are
// found again. An edit that a running program cannot follow (a variable that is no
// longer declared alike, main() gone, a procedure gone while it runs) is refused, and
// the run stays as it was.
#include <cstring>
#include <memory>

#include "engine.h"
#include "messages.h"
#include "text.h"

namespace vokc {

namespace {
constexpr std::string_view kEndSubFrame = "ENDSUB";

bool IsVariableKind(SymbolKind kind) {
    return kind != SymbolKind::None && kind != SymbolKind::Label && kind != SymbolKind::Procedure;
}

// An array's name as the program writes it (the table keeps its '[').
std::string_view ShownName(std::string_view name) {
    if (!name.empty() && name.back() == '[') name.remove_suffix(1);
    return name;
}

bool HasMain(const ProgramText& program) {
    const int count = program.LineCount();
    std::string line;
    for (int i = 0; i < count; ++i) {
        line.assign(program.Line(i));
        for (char& c : line)
            if (c == '\t') c = ' ';
        const std::string_view t = Trim(line);
        if (t.size() >= 6 && EqualsNoCase(t.substr(0, 6), "MAIN()")) return true;
    }
    return false;
}
} // namespace

bool Engine::RefuseEditedText(std::string_view what, std::string_view name, std::string_view tail) {
    std::string text = Cp(msg::kContinuerImpossible);
    text += Cp(what);
    text += name;
    text += Cp(tail);
    text += Cp(msg::kRelancerF9);
    host_.Message(text, -1);
    return false;
}

bool Engine::AdoptEditedText(const ProgramText& marked) {
    const UnmarkedText unmarked(marked);
    const ProgramText& program = lineMarkers_ ? static_cast<const ProgramText&>(unmarked) : marked;
    // The edited text is prepared on the side as a fresh run would prepare it, with the
    // same messages when it cannot be.
    auto edited = std::make_unique<Engine>(host_);
    int errorLine = 0;
    edited->PrepareProgram(program, errorLine);
    if (edited->runState_ != RunState::Running) return false;
    if (!HasMain(program)) return RefuseEditedText(msg::kMainSupprime, {}, {});

    // Every variable of the run is still declared, with its kind and its size.
    for (int p = 1; p <= symbolCount_; ++p) {
        const SymbolEntry& e = symbols_[p];
        if (!IsVariableKind(e.kind)) continue;
        const int q = edited->Lookup(e.Name());
        if (q == 0 || !IsVariableKind(edited->symbols_[q].kind))
            return RefuseEditedText(msg::kLaVariable, ShownName(e.Name()), msg::kPlusDeclaree);
        if (edited->symbols_[q].kind != e.kind || edited->ElementCount(q) != ElementCount(p))
            return RefuseEditedText(msg::kLaDeclarationDe, ShownName(e.Name()), msg::kAChange);
    }
    // Every procedure being called is still there (its header is the last one before
    // the end of the block that runs).
    for (int k = 1; k <= blockCount_; ++k) {
        if (blocks_[k].keyword != kEndSubFrame) continue;
        int header = 0;
        for (int p = 1; p <= symbolCount_; ++p) {
            const SymbolEntry& e = symbols_[p];
            if (e.kind == SymbolKind::Procedure && e.index < blocks_[k].resumeLine &&
                (header == 0 || e.index > symbols_[header].index))
                header = p;
        }
        if (header == 0) continue;
        const int q = edited->Lookup(symbols_[header].Name());
        if (q == 0 || edited->symbols_[q].kind != SymbolKind::Procedure)
            return RefuseEditedText(msg::kLaProcedure, symbols_[header].Name(),
                                    msg::kAppelSupprimee);
    }

    // The table is rebuilt: the variables stay where they are, the labels and procedures
    // take their lines in the edited text (or go), then what is new comes after.
    const auto savedSymbols = symbols_;
    const auto savedHash = hash_;
    const int savedCount = symbolCount_;
    const int savedInts = intsUsed_, savedFloats = floatsUsed_, savedChars = charsUsed_,
              savedFiles = filesUsed_;
    const std::size_t savedStrings = strings_.size();

    int kept = 0;
    for (int p = 1; p <= savedCount; ++p) {
        SymbolEntry e = symbols_[p];
        if (!IsVariableKind(e.kind)) {
            const int q = edited->Lookup(e.Name());
            if (q == 0 || edited->symbols_[q].kind != e.kind) continue;
            e.index = edited->symbols_[q].index;
        }
        symbols_[++kept] = e;
    }
    symbolCount_ = kept;
    hash_.fill(0);
    for (int p = 1; p <= symbolCount_; ++p)
        HashInsert(p);

    runState_ = RunState::Running;
    for (int q = 1; q <= edited->symbolCount_ && runState_ == RunState::Running; ++q) {
        const SymbolEntry& e = edited->symbols_[q];
        if (Lookup(e.Name()) != 0) continue;
        if (IsVariableKind(e.kind))
            EnterVariable(e.Name(), e.kind, edited->ElementCount(q));
        else
            DeclareLabel(e.Name(), e.kind, e.index);
    }
    if (runState_ != RunState::Running) {
        // A table or a store full: the run stays as it was.
        symbols_ = savedSymbols;
        hash_ = savedHash;
        symbolCount_ = savedCount;
        intsUsed_ = savedInts;
        floatsUsed_ = savedFloats;
        charsUsed_ = savedChars;
        filesUsed_ = savedFiles;
        strings_.resize(savedStrings);
        return false;
    }
    return true;
}

} // namespace vokc
