// Whole programs and single statements run straight on the engine, for the tests that
// look inside it: a fresh run that a resume goes on from, and the value of a variable.
#pragma once

#include <string>
#include <string_view>

#include "engine.h"
#include "fake_host.h"

namespace vokc::test {

// The value of a variable as text (ints in decimal), read straight from its store.
inline std::string ValueOf(Engine& interp, std::string_view name) {
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0, i = 0;
    long double f = 0;
    std::string text;
    if (!interp.FindSymbol(name, kind, index)) return "<" + std::string(name) + " inconnu>";
    interp.ReadValue(index, kind, f, i, text);
    return kind == SymbolKind::Int ? std::to_string(i) : text;
}

// Runs a whole program as a fresh run and returns why it stopped; a resume goes on from
// the stop line.
struct Run {
    FakeHost host;
    Engine interp{host};
    MemoryText text;
    int startLine = 0;

    explicit Run(const std::string& program, char sep = ',') : text(program) {
        host.separator = sep;
    }
    StopReason Go(StepMode mode = StepMode::Free) {
        interp.StartProgram("test.c");
        const RunResult result = interp.Exec(text, startLine, mode);
        startLine = result.line;
        return result.reason;
    }
};

} // namespace vokc::test
