// The interpreter's only contact with the world: the program text it reads and the
// host services (message boxes, console, printer, clock) that the desktop
// application and the terminal runner each provide.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "date_time.h"
#include "program_text.h"

namespace vokc {

// What a program's file or directory statement is about to do with a name.
enum class PathUse { Read, Write, MakeDirectory, RemoveDirectory, ChangeDirectory };

class Host {
  public:
    virtual ~Host() = default;

    // A modal message box showing the text alone. `line` is the 0-based line that
    // raised it (or -1 when no line is concerned); hosts that show boxes ignore it.
    virtual void Message(std::string_view text, int line) = 0;
    // The application's standard error box: an error that ended the run.
    virtual void ErrorBox(std::string_view text, int line) = 0;
    // A warning about what the run is doing (a division by zero that stops it): the run
    // goes on exactly as without it; hosts that do not show warnings ignore it.
    virtual void Warning(std::string_view /*text*/, int /*line*/) {}

    // Console window.
    virtual void ShowConsole(std::string_view caption) = 0;
    virtual void DrawText(int x, int y, std::string_view text) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    // Called after every line break (the position is already advanced).
    virtual void LineBreak() {}
    virtual void ClearScreen() = 0;
    // The modal input line placed at the text position; returns what the user typed.
    // When the user stops the run meanwhile, the host may return at once with any text:
    // StopRequested is asked right after, and the answer is then neither drawn nor
    // stored (the reading line runs again on a resume). The same holds for ReadKey.
    virtual std::string ReadAnswer(int x, int y) = 0;
    // One key for getch(), read at the text position; empty when no key can be read
    // any more.
    virtual std::string ReadKey(int /*x*/, int /*y*/) { return {}; }

    // Printer: one job from BeginPrint to EndPrint.
    virtual bool BeginPrint() = 0;
    virtual bool PrintLine(std::string_view text) = 0;
    virtual bool EndPrint() = 0;

    // Clock and the locale's formats.
    virtual DateTime Now() = 0;
    // Milliseconds since midnight of the clock's time of day, in universal time.
    virtual std::uint32_t MillisecondsTodayUtc() = 0;
    virtual std::string ShortDate(const DateTime& dt) = 0;
    virtual std::string LongTime(const DateTime& dt) = 0;
    virtual char DecimalSeparator() = 0;

    // Asked every few thousand lines of a run, and after every answer or key read: true
    // ends the run at the line that runs next (the reading line itself after a read).
    virtual bool StopRequested() { return false; }
    // With tracing on, called before each line runs (0-based line, text about to run).
    virtual void TraceLine(int /*line*/, std::string_view /*text*/) {}
    // Asked before fopen, mkdir, rmdir and chdir touch a name (UTF-8, as the program gave
    // it, relative to the current directory): false makes the statement fail exactly as
    // it does for a name that cannot be reached.
    virtual bool PathAllowed(std::string_view /*path*/, PathUse /*use*/) { return true; }
};

} // namespace vokc
