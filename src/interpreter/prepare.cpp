// Preparation of a program before a fresh run: declarations, labels and procedures
// are entered with their line numbers, and the entry line main() is found. Also the
// look-ahead that finds where a block ends.
#include "engine.h"
#include "messages.h"
#include "text.h"

namespace vokc {

void Engine::PrepareProgram(const ProgramText& program, int& errorLine) {
    runState_ = RunState::Running;
    ResetState();
    const int count = program.LineCount();
    for (int i = 0; i < count; ++i) {
        messageLine_ = i;
        line_.assign(program.Line(i));
        TabsToSpaces(line_);
        std::string_view line = Trim(line_);
        if (line.empty()) continue;
        if (line.back() == ';') line.remove_suffix(1);
        std::size_t comment = line.find("/*");
        if (comment != std::string_view::npos) line = line.substr(0, comment);

        std::size_t colon = line.find(':');
        if (colon != std::string_view::npos && colon + 1 == line.size())
            DeclareLabel(line, SymbolKind::Label, i);
        if (StartsWith(line, "void")) {
            std::string_view name = line.size() > 5 ? Trim(line.substr(5)) : std::string_view();
            if (name.find("()") == std::string_view::npos) Fail(Cp(msg::kErreurDefinitionFonction));
            DeclareLabel(name, SymbolKind::Procedure, i);
        }
        std::size_t space = line.find(' ');
        std::string_view first =
            space == std::string_view::npos ? std::string_view() : line.substr(0, space);
        if (first == "int" || first == "float" || first == "char" || first == "file")
            DeclareVariables(line);
        if (runState_ != RunState::Running) {
            errorLine = i;
            return;
        }
    }
}

void Engine::FindMain(const ProgramText& program, int& startLine) {
    startLine = 0;
    const int count = program.LineCount();
    for (int i = 0; i < count; ++i) {
        line_.assign(program.Line(i));
        TabsToSpaces(line_);
        std::string_view line = Trim(line_);
        if (line.size() >= 6 && EqualsNoCase(line.substr(0, 6), "MAIN()")) {
            startLine = i;
            return;
        }
    }
    messageLine_ = 0;
    Fail(Cp(msg::kMainNonTrouve));
}

void Engine::FindBlockEnd(const ProgramText& program, int& line) {
    const int header = line;
    if (lineCacheOn_ && lineCache_.KnownBlockEnd(program, header, line)) return;
    FindBlockEndInText(program, line);
    if (lineCacheOn_ && runState_ == RunState::Running)
        lineCache_.KeepBlockEnd(program, header, line);
}

void Engine::FindBlockEndInText(const ProgramText& program, int& line) {
    const int count = program.LineCount();
    auto trimmed = [&](int k) { return Trim(program.Line(k)); };
    if (line + 1 >= count || trimmed(line + 1) != "{") {
        // The block is the single line after the header (it may lie past the end).
        line = line + 1;
        return;
    }
    int depth = 0;
    for (int k = line + 1; k < count; ++k) {
        std::string_view t = trimmed(k);
        if (t == "{")
            ++depth;
        else if (!t.empty() && t[0] == '}')
            --depth;
        if (depth == 0) {
            line = k;
            return;
        }
    }
    Fail(Cp(msg::kFinDeBlocNonDetectee));
}

} // namespace vokc
