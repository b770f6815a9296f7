// What the editor window does that needs no window: the default program, the naming
// rule of "save as", searching, automatic indentation, the list of procedures, step
// markers, and reading and writing program files in their own encoding and line ends.
// The editor keeps its text in UTF-16 (as the text control does), so that a character
// that Windows-1252 cannot hold is never lost; offsets count each line break as two
// characters (CR LF), whatever the file's own line ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "line_markers.h"
#include "line_moves.h"
#include "program_file.h"

namespace vokc::editor {

using Text = std::u16string;
using TextView = std::u16string_view;
using Lines = std::vector<Text>;

// The nine lines of a new window, and the caret offset of its empty line.
Lines DefaultProgram();
inline constexpr long kDefaultCaret = 79;

// "Save as": the name part loses everything from its first '.', then gets ".c".
std::string SaveAsName(const std::string& chosenPath);
// The name part of a path (after the last directory separator).
std::string FileNamePart(const std::string& path);

// Upper-casing by the French locale's rule: accented letters fold too.
char16_t UpperLocale(char16_t c);
// Every character but 0-9, A-Z and a-z separates words.
bool IsWordDelimiter(char16_t c);

struct SearchOptions {
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// Looks for `text` in `buffer` from the selection, as the find dialog does: downwards
// after the selection, upwards ending before it. Texts of any length are searched.
std::optional<std::size_t> SearchBuf(TextView buffer, std::size_t selStart, std::size_t selLength,
                                     TextView text, const SearchOptions& options);

// The text of lines joined by CR LF, as offsets count it.
Text JoinLines(const Lines& lines);
// Offset of the first character of a line.
std::size_t LineStart(const Lines& lines, std::size_t line);

// Automatic indentation for Enter at a caret offset: the text to insert instead of the
// plain line break (CR LF and the indentation), or nothing when Enter is left alone.
std::optional<Text> AutoIndent(const Lines& lines, long caret);

// The procedure lines of a program ("void" in any case first), without indentation.
Lines ProcedureItems(const Lines& lines);
// The first line containing the item, if any.
std::optional<std::size_t> LineContaining(const Lines& lines, TextView item);

// The positions of a line's step markers, wherever editing during a pause moved them,
// except inside string literals (a bullet there is the program's own text).
std::vector<std::size_t> StepMarkerPositions(TextView line);
// Removes the step markers of every line (those StepMarkerPositions finds); true when
// something changed.
bool RemoveStepMarkers(Lines& lines);

// How the lines moved from one version of a text to the next, the markers left aside
// (putting or removing one is no edit). `changed` is false when the two read alike.
// Lines changed where they stand move nothing. A line split or joined is the part that
// begins as it began (or, failing that, ends as it ended), judged first on `origins`:
// each line's text as it was when it last moved, which this call keeps up to date.
struct LineEdit {
    LineMove move;
    bool changed = false;
};
LineEdit LinesEdited(const Lines& before, const Lines& after, Lines* origins = nullptr);

// The undo history of an editor: whole texts with their caret, older first. A change
// is recorded with the state before it; a change that goes on typing where the last one
// stopped joins it, so that one undo takes back a whole word typed.
class EditHistory {
  public:
    struct State {
        Text text;
        long caret = 0;
    };
    void record(State before, bool continuesLast);
    // Each returns the state to show, given the one shown now.
    std::optional<State> undo(State current);
    std::optional<State> redo(State current);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void clear();

    static constexpr std::size_t kLimit = 200;

  private:
    std::vector<State> undo_;
    std::vector<State> redo_;
};

// How a file was written, so that saving keeps it that way.
enum class Encoding { Utf8, Windows1252 };
using LineEnd = vokc::LineEnd;
struct FileFormat {
    Encoding encoding = Encoding::Windows1252;
    LineEnd lineEnd = LineEnd::CrLf;
    bool utf8Bom = false;
    // Whether the last line ends with a line end (a file without one is saved so).
    bool finalLineEnd = true;
};
// Splits file bytes into lines as the runner does (program_file.h; the first line end
// found is the file's). A UTF-8 byte-order mark is dropped and remembered, and makes the
// file UTF-8 when the rest is valid UTF-8.
Lines DecodeProgramFile(const std::string& bytes, FileFormat& format);
// The bytes of lines in a file's encoding and line ends; every line is followed by its
// line end, but the last when the format has no final line end. Returns false when a character
// cannot be written in Windows-1252 (the bytes then hold '?' for it): the caller should then save
// in UTF-8.
bool EncodeProgramFile(const Lines& lines, const FileFormat& format, std::string& bytes);

} // namespace vokc::editor
