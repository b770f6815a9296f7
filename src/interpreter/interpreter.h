// The interpreter as its hosts see it: start a program, run or resume it, learn why it
// stopped, close its files, and read what the inspection windows show.
// Programs are never compiled: every line is read from the program text each time it is
// reached, and what was learnt from it is used again only while its bytes are the same,
// so the text may be edited while a run is paused (never while Exec runs).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host.h"
#include "line_markers.h"

namespace vokc {

// Longest text a string variable holds, so that a program that keeps growing a text
// (s = s + s) stops instead of exhausting memory. Hosts read no longer answers.
inline constexpr std::size_t kTextMax = 1000000;

// The line without the markers at its start (any mix of markers and blanks before its
// first other character).
std::string_view StripLineMarkers(std::string_view line);

// A conversion failure that the language does not catch: it ends the run and is shown
// in the application's standard error box.
struct ErrorBoxFailure {
    std::string message; // Windows-1252
};

// Why a run stopped. The stop line (RunResult::line) is the line that runs next on a
// resume, except after StepBeforeBlockEnd, where the innermost block's end runs first
// and the line is where it resumes.
enum class StopReason {
    Finished,           // the program ended (its end, exit, or the end of main's block)
    Error,              // a message or an arithmetic failure stopped it at its line
    Breakpoint,         // a free run reached a line with the breakpoint marker
    Step,               // step mode ran one line
    StepBeforeBlockEnd, // step mode ran one line; the block's end runs next
    Interrupted,        // the host asked to stop (also while reading an answer or a key)
    StepLimit,          // the limit of executed lines was reached
};

// How far a run goes. Over, Out and ToLine pause at breakpoints as a free run does.
enum class StepMode {
    Free,   // until the program ends or something stops it
    Line,   // one line at a time
    Over,   // until a line leaves the call depth at or above the one the run started at
            // (a line that calls a procedure is one step)
    Out,    // until the call depth falls below the one the run started at
    ToLine, // until the line set by SetRunToLine is about to run
};

// How a run ended: why, and the stop line (see StopReason). After a program that
// finished, the line is the one the run started from (main()'s line on a fresh run).
struct RunResult {
    StopReason reason = StopReason::Finished;
    int line = 0;
};

// What a declared variable is, as the inspection windows show it.
enum class VariableKind { Int, Real, Char, String, File };

struct VariableInfo {
    std::string name; // Windows-1252, without the '[' of an array
    VariableKind kind = VariableKind::Int;
    bool array = false;
    int count = 1; // elements of an array, 1 otherwise
};

// One active procedure call: the procedure's name (with its "()") and the 0-based line
// of the call.
struct CallFrame {
    std::string procedure;
    int callLine = 0;
};

class Engine;

class Interpreter {
  public:
    explicit Interpreter(Host& host);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // The program's name, shown in the console caption "Vok C - NAME" (Windows-1252).
    void StartProgram(std::string_view name);

    // Runs the program text from startLine until it ends, an error is reported, a
    // breakpoint or the step mode pauses, or the host asks to stop.
    //  - startLine 0 is a fresh run: the files left open are closed, the declarations,
    //    labels and procedures are entered, the run starts at main() and the text
    //    position at the top of the console.
    //  - startLine > 0 resumes a paused or stopped run at that line: the files stay
    //    open and the text goes on where the output was.
    // A line carrying the breakpoint marker pauses a run before it, except in StepMode::Line
    // and except the line a run resumes at.
    RunResult Exec(const ProgramText& program, int startLine, StepMode mode);

    // ---- Editing the text during a pause ----
    // The lines [firstLine, firstLine + linesRemoved) of the text were replaced by
    // linesInserted lines: every line the run keeps follows its text (a removed line
    // becomes the first line after the change). Returns where `resumeLine`, the line the
    // run goes on from, now is.
    int TextEdited(int firstLine, int linesRemoved, int linesInserted, int resumeLine);
    // Before resuming on an edited text: the declarations added are made (the variables
    // declared before keep their values) and the labels and procedures are found again.
    // False, after a message that asks to start again, when the run cannot go on with
    // this text (a variable removed or declared otherwise, main() removed, a procedure
    // removed while it runs, or a declaration that a fresh run would refuse); the run
    // is then left as it was.
    bool AdoptEditedText(const ProgramText& program);

    // Closes every file the program left open and ends a print job left open. Returns
    // 0, or the error code of the first close that failed (a write that fails only now).
    // Hosts call it when a run ends or stops on an error, and when another program
    // becomes the one that runs; not when a paused or interrupted run may resume.
    int CloseAllFiles();

    // The symbol table listing, one text per list line.
    std::vector<std::string> SymbolListing() const;
    // The text the variable inspector shows for a typed reference.
    std::string ExamineText(std::string_view reference);

    // ---- Inspection: reads the state of the last run; never changes it, never shows a
    // message, and may be called while a run waits for the host (StopRequested, input).
    // Every declared variable in declaration order.
    std::vector<VariableInfo> Variables() const;
    // The value of every row of the inspection: one per plain variable, and for an array
    // one per element up to `maxElements`, in the order of Variables (Windows-1252).
    void ValueTexts(std::vector<std::string>& out, int maxElements) const;
    // The value text of one element (0 for a plain variable) of Variables()[variable].
    std::string ValueText(int variable, int element) const;
    // The value of a reference typed by the user or under the mouse: a name, or an
    // element name[3] or name[i]. False when it names no variable; an index outside
    // the array gives a short note in `text` (and true).
    bool InspectReference(std::string_view reference, std::string& text) const;
    // The same at a remembered pause: `rows` are that moment's ValueTexts(maxElements),
    // an index variable included. False also for an element beyond those kept.
    bool InspectReferenceAt(std::string_view reference, const std::vector<std::string>& rows,
                            int maxElements, std::string& text) const;
    // The 0-based line of the statement that opened the innermost block (a for or while
    // loop, a do, or the header of the procedure that runs); -1 when none is open.
    int OpenBlockLine() const;
    // The 0-based line that runs now (while a read waits, the reading line); -1 outside
    // a line.
    int RunningLine() const;
    // The active procedure calls, outermost first.
    std::vector<CallFrame> CallChain() const;
    int CallDepth() const;
    // The line a StepMode::ToLine run pauses before (0-based).
    void SetRunToLine(int line);

    // Stops a free run after this many executed lines (0: no limit).
    void SetStepLimit(std::uint64_t limit);
    // Whether a line carrying the breakpoint marker pauses a free run before it.
    void SetBreakpointsEnabled(bool on);
    // Whether the text carries the editor's line markers (on by default). Off, a line
    // is run exactly as written, as the terminal runner does with program files.
    void SetLineMarkers(bool on);
    // Reports every line to Host::TraceLine before it runs.
    void SetTrace(bool on);

    // The console's text position, where the next text or the input line goes.
    int TextX() const;
    int TextY() const;

  private:
    std::unique_ptr<Engine> engine_;
};

} // namespace vokc
