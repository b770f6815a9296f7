// The interpreter's host in the desktop application: console output and input go to a
// ConsoleView, the printer to a QPrinter, the clock and the formats come from Qt and the
// user's locale. While a program runs, the windows are kept painted and the stop command
// can be given.
#pragma once

#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "console_view.h"
#include "hints.h"
#include "host.h"
#include "page_printer.h"

class QPrinter;

namespace vokc {

class DesktopHost final : public Host {
  public:
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;

    explicit DesktopHost(ConsoleView& view);
    ~DesktopHost() override;
    DesktopHost(const DesktopHost&) = delete;
    DesktopHost& operator=(const DesktopHost&) = delete;

    // The printer of fopen(PRN:); tests give one that writes a PDF file.
    void setPrinterFactory(PrinterFactory factory) { makePrinter_ = std::move(factory); }
    // Finds the hint under a message raised by a 0-based line; the run session gives it
    // for the time of a run, with the run's program and values (empty: no hints).
    using HintSource = std::function<Hint(std::string_view message, int line)>;
    void setHintSource(HintSource source) { hintSource_ = std::move(source); }
    // Receives the warnings of the run (a division by zero): they never hold the run.
    using WarningSink = std::function<void(std::string_view text, int line)>;
    void setWarningSink(WarningSink sink) { warningSink_ = std::move(sink); }
    // Starts the stop-request bookkeeping of a new Exec call.
    void beginRun();
    // Ends an Exec call: shows the message held back, if any. During a call, a message
    // waits until the next one differs or the program shows or reads something, so that
    // the same message raised many times by one line is one box with its count.
    void endRun();
    // Asks the run to stop at its next line; a read in progress ends at once.
    void requestStop();
    bool stopRequested() const { return stopRequested_; }
    // Answers taken from these bytes instead of the console, as a terminal's standard
    // input gives them (a graded case's input): a line per read, one character per key;
    // the first read past their end gets an empty answer, the next one ends the run with
    // vokc-run's message. nullopt: the console's input line.
    void setScriptedInput(std::optional<std::string> bytes);

    void Message(std::string_view text, int line) override;
    void ErrorBox(std::string_view text, int line) override;
    void Warning(std::string_view text, int line) override {
        if (warningSink_) warningSink_(text, line);
    }
    void ShowConsole(std::string_view caption) override;
    void DrawText(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
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
    char DecimalSeparator() override;
    // Every few thousand lines: the windows are painted, then the stop request answered.
    bool StopRequested() override;

  private:
    void report(std::string_view text, int line, bool error);
    std::string scriptedAnswer(bool key);
    void showHeldMessage();

    ConsoleView& view_;
    HintSource hintSource_;
    WarningSink warningSink_;
    PrinterFactory makePrinter_;
    bool stopRequested_ = false;
    QElapsedTimer sincePaint_;
    // The print job between fopen(PRN:) and fclose(PRN:).
    std::unique_ptr<QPrinter> printer_;
    PagePrinter pages_;
    bool inRun_ = false;
    std::optional<RunMessage> held_;
    struct Script {
        std::string bytes;
        std::size_t next = 0;
        bool ended = false; // a read has met the end
    };
    std::optional<Script> script_;
};

} // namespace vokc
