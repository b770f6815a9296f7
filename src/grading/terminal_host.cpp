// The host that runs a program on the standard streams: console output on stdout,
// messages on stderr, console input from stdin, the printer through a file or the
// system's print command. vokc-run runs programs with it, and each graded run with the
// grading host built on it.
#include "terminal_host.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>
#include <sys/time.h>
#include <unistd.h>

#include "date_time.h"
#include "hints.h"
#include "interpreter.h"
#include "messages.h"
#include "text.h"

namespace vokc::grading {

namespace {
std::string ToTerminal(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

std::string FromTerminal(const std::string& bytes) {
    return IsValidUtf8(bytes) ? Utf8ToCp1252(bytes) : bytes;
}

bool CommandExists(const char* name) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::stringstream ss(path);
    std::string dir;
    while (std::getline(ss, dir, ':')) {
        std::string full = (dir.empty() ? "." : dir) + "/" + name;
        if (access(full.c_str(), X_OK) == 0) return true;
    }
    return false;
}

} // namespace

TerminalHost::TerminalHost(std::string shownName, char separator, std::string printerFile,
                           bool hasPrinterFile)
    : shownName_(std::move(shownName)), separator_(separator), printerFile_(std::move(printerFile)),
      hasPrinterFile_(hasPrinterFile), stdinIsTerminal_(isatty(STDIN_FILENO) != 0),
      stdoutIsTerminal_(isatty(STDOUT_FILENO) != 0) {}

TerminalHost::~TerminalHost() {
    if (printer_) EndPrint();
}

void TerminalHost::Report(std::string_view text, int line) {
    FlushOutput();
    std::string out = shownName_;
    if (line >= 0) {
        out += ':';
        out += std::to_string(line + 1);
    }
    out += ": ";
    out += ToTerminal(text);
    out += "\n";
    std::fwrite(out.data(), 1, out.size(), stderr);
    std::fflush(stderr);
}

void TerminalHost::ReportHint(std::string_view message, int line) {
    if (!hintProgram_) return;
    const Hint hint = HintFor(message, *hintProgram_, line);
    if (hint.text.empty()) return;
    // The same message raised again and again by one line gets its hint once.
    const int at = hint.line >= 0 ? hint.line : line;
    if (at == lastHintLine_ && hint.text == lastHint_) return;
    lastHintLine_ = at;
    lastHint_ = hint.text;
    Report("astuce : " + hint.text, at);
}

void TerminalHost::Message(std::string_view text, int line) {
    Report(text, line);
    ReportHint(text, line);
}
void TerminalHost::Warning(std::string_view text, int line) {
    if (hintProgram_) Report("avertissement : " + std::string(text), line);
}
void TerminalHost::ErrorBox(std::string_view text, int line) {
    Report(text, line);
    ReportHint(text, line);
}

void TerminalHost::WriteOutput(const char* data, std::size_t size) {
    if (outputError_ != 0) return;
    errno = 0;
    if (std::fwrite(data, 1, size, stdout) != size) outputError_ = errno != 0 ? errno : EIO;
}

bool TerminalHost::FlushOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0 && outputError_ == 0) outputError_ = errno != 0 ? errno : EIO;
    if (std::ferror(stdout) && outputError_ == 0) outputError_ = EIO;
    return outputError_ == 0;
}

void TerminalHost::DrawText(int, int, std::string_view text) {
    if (skipEcho_ > 0) {
        --skipEcho_;
        return;
    }
    std::string out = ToTerminal(text);
    WriteOutput(out.data(), out.size());
}

int TerminalHost::TextWidth(std::string_view text) {
    return 8 * static_cast<int>(text.size());
}

void TerminalHost::LineBreak() {
    if (skipEcho_ > 0) {
        --skipEcho_;
        return;
    }
    WriteOutput("\n", 1);
}

void TerminalHost::ClearScreen() {
    constexpr std::string_view kClear = "\x1b[2J\x1b[H";
    if (stdoutIsTerminal_) WriteOutput(kClear.data(), kClear.size());
}

void TerminalHost::InputEnded() {
    if (inputEnded_) throw ErrorBoxFailure{Utf8ToCp1252(msg::kEntreeEpuisee)};
    inputEnded_ = true;
}

std::string TerminalHost::ReadAnswer(int, int) {
    FlushOutput();
    std::string line;
    int c = 0;
    // No text holds more than kTextMax characters (4 bytes each in UTF-8): the rest of a
    // longer line is left for the next answer, so that an endless line cannot exhaust
    // memory.
    while (line.size() <= 4 * kTextMax && (c = std::fgetc(stdin)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (c == EOF && line.empty()) InputEnded();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // The terminal already echoed the answer and its line end.
    if (stdinIsTerminal_) skipEcho_ = 2;
    return FromTerminal(line);
}

std::string TerminalHost::ReadKey(int /*x*/, int /*y*/) {
    FlushOutput();
    int c = std::fgetc(stdin);
    if (c == EOF) {
        InputEnded();
        return {};
    }
    std::string bytes(1, static_cast<char>(c));
    // A UTF-8 character from the terminal comes as several bytes: read them all.
    unsigned char u = static_cast<unsigned char>(c);
    int more = (u & 0xE0) == 0xC0 ? 1 : (u & 0xF0) == 0xE0 ? 2 : (u & 0xF8) == 0xF0 ? 3 : 0;
    for (int k = 0; k < more; ++k) {
        int d = std::fgetc(stdin);
        if (d == EOF) break;
        bytes += static_cast<char>(d);
    }
    std::string key = FromTerminal(bytes);
    return key.substr(0, 1);
}

bool TerminalHost::BeginPrint() {
    if (printer_) EndPrint();
    if (hasPrinterFile_) {
        printer_ = std::fopen(printerFile_.c_str(), "ab");
        printerIsPipe_ = false;
    } else if (CommandExists("lp")) {
        printer_ = popen("lp -s", "w");
        printerIsPipe_ = true;
    }
    return printer_ != nullptr;
}

bool TerminalHost::PrintLine(std::string_view text) {
    if (!printer_) return false;
    std::string out = ToTerminal(text);
    out += '\n';
    return std::fwrite(out.data(), 1, out.size(), printer_) == out.size();
}

bool TerminalHost::EndPrint() {
    if (!printer_) return true;
    int rc = printerIsPipe_ ? pclose(printer_) : std::fclose(printer_);
    printer_ = nullptr;
    return rc == 0;
}

DateTime TerminalHost::Now() {
    return LocalNow();
}

std::uint32_t TerminalHost::MillisecondsTodayUtc() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return static_cast<std::uint32_t>((tv.tv_sec % 86400) * 1000 + tv.tv_usec / 1000);
}

namespace {
std::string FormatTime(const DateTime& dt, const char* format) {
    const std::tm tm = ToTm(dt);
    char buf[128];
    std::size_t n = std::strftime(buf, sizeof buf, format, &tm);
    return FromTerminal(std::string(buf, n));
}
} // namespace

std::string TerminalHost::ShortDate(const DateTime& dt) {
    // Dates use the day/month/year order with a four-digit year unless the locale says
    // otherwise; the C locale's two-digit year is replaced by that.
    const char* loc = std::setlocale(LC_TIME, nullptr);
    if (!loc || std::strcmp(loc, "C") == 0 || std::strcmp(loc, "POSIX") == 0)
        return FormatTime(dt, "%d/%m/%Y");
    return FormatTime(dt, "%x");
}

std::string TerminalHost::LongTime(const DateTime& dt) {
    return FormatTime(dt, "%X");
}

void TerminalHost::TraceLine(int line, std::string_view text) {
    FlushOutput();
    std::string out = shownName_ + ":" + std::to_string(line + 1) + ": " + ToTerminal(text) + "\n";
    std::fwrite(out.data(), 1, out.size(), stderr);
}

} // namespace vokc::grading
