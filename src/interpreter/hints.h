// Hints under the messages: for the mistakes beginners make most, one short French
// sentence naming what to check, and the help section that explains the message. The
// message itself is never changed; the desktop's message boxes and the terminal runner
// (--hints) both show the hint after it.
#pragma once

#include <string>
#include <string_view>

#include "program_text.h"

namespace vokc {

struct Hint {
    std::string text; // Windows-1252; empty when the message has no hint
    std::string page; // the help page and section, as "messages.html#else-manquant"
    int line = -1;    // 0-based line to change when it is not the message's own, else -1
};

class Interpreter;

// The hint for a message (Windows-1252, as the interpreter shows it) raised by the
// 0-based `line` of `program` (-1: no line). With the interpreter of the run, a hint may
// name a value (the file name a failed fopen took from a variable).
Hint HintFor(std::string_view message, const ProgramText& program, int line,
             const Interpreter* run = nullptr);

} // namespace vokc
