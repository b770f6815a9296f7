// The host that runs a program on the standard streams: console output on stdout,
// messages on stderr, console input from stdin, the printer through a file or the
// system's print command.
#pragma once

#include <cstdio>
#include <string>

#include "host.h"
#include "program_text.h"

namespace vokc::grading {

class TerminalHost : public Host {
  public:
    TerminalHost(std::string shownName, char separator, std::string printerFile,
                 bool hasPrinterFile);
    ~TerminalHost() override;

    void Message(std::string_view text, int line) override;
    // Shown with --hints only, as the warnings of the look before the run.
    void Warning(std::string_view text, int line) override;
    void ErrorBox(std::string_view text, int line) override;
    void ShowConsole(std::string_view) override {}
    void DrawText(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    void LineBreak() override;
    void ClearScreen() override;
    std::string ReadAnswer(int x, int y) override;
    std::string ReadKey(int x, int y) override;
    bool BeginPrint() override;
    bool PrintLine(std::string_view text) override;
    bool EndPrint() override;
    DateTime Now() override;
    std::uint32_t MillisecondsTodayUtc() override;
    std::string ShortDate(const DateTime& dt) override;
    std::string LongTime(const DateTime& dt) override;
    char DecimalSeparator() override { return separator_; }
    // A failed write to standard output ends the run: the output is lost.
    bool StopRequested() override { return outputError_ != 0; }
    void TraceLine(int line, std::string_view text) override;

    // One line on stderr: FILE:LINE: TEXT (FILE: TEXT when no line is concerned).
    void Report(std::string_view text, int line);
    // With a program, a message of a common mistake is followed by its hint:
    // FILE:LINE: astuce : TEXT.
    void setHints(const ProgramText* program) { hintProgram_ = program; }

    // Writes to standard output, and remembers the first write that fails.
    void WriteOutput(const char* data, std::size_t size);
    // Flushes standard output; false after any failed write to it so far.
    bool FlushOutput();
    // The error code of the first failed write to standard output, 0 when none.
    int OutputError() const { return outputError_; }

  private:
    // A read at the end of standard input gets an empty answer; a read after that one
    // ends the run (a program that waits for an answer that never comes would loop
    // forever).
    void InputEnded();

    std::string shownName_;
    char separator_;
    std::string printerFile_;
    bool hasPrinterFile_;
    std::FILE* printer_ = nullptr;
    bool printerIsPipe_ = false;
    bool stdinIsTerminal_;
    bool stdoutIsTerminal_;
    // With a terminal, its echo of the typed answer stands for the drawn answer.
    int skipEcho_ = 0;
    bool inputEnded_ = false;
    int outputError_ = 0;
    const ProgramText* hintProgram_ = nullptr;
    void ReportHint(std::string_view message, int line);
    std::string lastHint_; // the last hint shown, and its line
    int lastHintLine_ = -1;
};

} // namespace vokc::grading
