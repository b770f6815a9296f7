// What the editor window needs of the interpreter to run its program: the console form
// implements it. Kept abstract so that the editor does not depend on the console window.
#pragma once

#include <string_view>

#include "host.h"

class RunTarget {
public:
    virtual ~RunTarget() = default;
    virtual void InitPrg(std::string_view name) = 0;
    virtual void Exec(const vokc::ProgramText& memo, int& startLine, int& stopState, int stepMode) = 0;
    virtual int CloseAll() = 0;
    // True while a run is going on (the windows stay alive during a run).
    virtual bool Running() const = 0;
    // Asks a run in progress to stop at its current line.
    virtual void RequestStop() = 0;
};
