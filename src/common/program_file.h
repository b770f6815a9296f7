// Reading program files: the choice of encoding and the split into lines, shared by
// the terminal runner and the editor.
//
// A file is UTF-8 when it is valid UTF-8 and holds at least one byte above 127;
// anything else is Windows-1252 (plain ASCII reads the same in both). Lines end with
// CR LF, LF or CR, mixed freely; a last line without its line end is kept, an empty
// one is not (so "a\r\nb\r\n" has two lines and an empty file none).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vokc {

enum class LineEnd { CrLf, Lf, Cr };

// Whether program file bytes are read as UTF-8 (see above).
bool IsUtf8Program(std::string_view bytes);

// The lines of a text, as views into it. `firstEnd`, when given, receives the first
// line end met; it is left alone when the text has none.
std::vector<std::string_view> SplitLines(std::string_view text, LineEnd* firstEnd = nullptr);

// The lines of a program file in Windows-1252, as the interpreter reads them: a UTF-8
// file is converted (characters without a Windows-1252 byte become '?').
std::vector<std::string> DecodeProgram(std::string_view bytes);

} // namespace vokc
