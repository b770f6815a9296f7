// Reading program files: the byte-order mark, the choice of encoding and the split into
// lines, shared by the terminal runner and the editor.
//
// A UTF-8 byte-order mark at the start is not part of the text: it is skipped (the
// editor remembers it and writes it back). A file is UTF-8 when the rest is valid
// UTF-8 and either began with the mark or holds at least one byte above 127; anything
// else is Windows-1252 (plain ASCII reads the same in both). Lines end with CR LF, LF
// or CR, mixed freely; a last line without its line end is kept, an empty one is not
// (so "a\r\nb\r\n" has two lines and an empty file none).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vokc {

enum class LineEnd { CrLf, Lf, Cr };

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Largest program file the runner reads: a text far beyond any program, and small
// enough that its lines fit in memory and their count in an int.
inline constexpr std::size_t kProgramFileMax = 64u << 20;

// Whether program file bytes without a byte-order mark are read as UTF-8 (see above).
bool IsUtf8Program(std::string_view bytes);

// The lines of a text, as views into it. `firstEnd`, when given, receives the first
// line end met; it is left alone when the text has none.
std::vector<std::string_view> SplitLines(std::string_view text, LineEnd* firstEnd = nullptr);

// How a program file is written.
struct ProgramFormat {
    bool utf8 = false;
    bool byteOrderMark = false;
    LineEnd lineEnd = LineEnd::CrLf; // the first line end of the file (CR LF when none)
};

// The lines of program file bytes in the file's own encoding, as views into `bytes`,
// the byte-order mark left out; `format` tells how the file is written. Line ends are
// single bytes in both encodings, so the bytes are split before any conversion.
std::vector<std::string_view> SplitProgramFile(std::string_view bytes, ProgramFormat& format);

// The lines of a program file in Windows-1252, as the interpreter reads them: a UTF-8
// file is converted (characters without a Windows-1252 byte become '?').
std::vector<std::string> DecodeProgram(std::string_view bytes);

// The same lines kept in one buffer, without an allocation per line: how the runner
// holds a program file.
class ProgramLines {
  public:
    explicit ProgramLines(std::string bytes);
    ProgramLines(const ProgramLines&) = delete;
    ProgramLines& operator=(const ProgramLines&) = delete;
    std::size_t size() const { return lines_.size(); }
    std::string_view operator[](std::size_t index) const { return lines_[index]; }

  private:
    std::string text_; // Windows-1252, the views below point into it
    std::vector<std::string_view> lines_;
};

} // namespace vokc
