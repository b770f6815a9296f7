// Read-only access to the lines of a program text, as the interpreter reads it: the
// editor's memo or a file loaded by the terminal runner.
#pragma once

#include <string_view>

namespace vokc {

// Lines by 0-based number; each is Windows-1252 bytes without its line end.
class ProgramText {
  public:
    virtual ~ProgramText() = default;
    virtual int LineCount() const = 0;
    // The view must stay valid until the next call of Line on the same object.
    virtual std::string_view Line(int index) const = 0;
};

} // namespace vokc
