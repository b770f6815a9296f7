// vokc-run: command line, program decoding, and the terminal host.
#include "runner.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iostream>
#include <sstream>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include "date_time.h"
#include "grade_cases.h"
#include "hints.h"
#include "interpreter.h"
#include "marker_free_text.h"
#include "program_check.h"
#include "program_file.h"
#include "text.h"

namespace vokc::cli {

namespace {

constexpr const char* kUsage =
    "Usage : vokc-run [options] FICHIER\n"
    "Exécute un programme Vok C dans le terminal.\n"
    "\n"
    "Options :\n"
    "  --decimal-separator C  séparateur décimal des nombres réels (par défaut : celui de la "
    "locale)\n"
    "  --symbols              affiche la table des symboles après l'exécution\n"
    "  --examine REF          affiche la valeur de REF après l'exécution (répétable)\n"
    "  --max-steps N          arrête l'exécution après N lignes exécutées (statut 3)\n"
    "  --trace                affiche chaque ligne sur la sortie d'erreur avant de l'exécuter\n"
    "  --hints                ajoute une astuce après les messages des erreurs fréquentes\n"
    "  --printer FICHIER      écrit les lignes imprimées dans FICHIER au lieu de l'imprimante\n"
    "  --grade DOSSIER        note des programmes (voir vokc-run --grade --help)\n"
    "  --help                 affiche cette aide\n"
    "  --version              affiche la version\n"
    "\n"
    "Statut de sortie : 0 programme terminé, 1 exécution arrêtée sur une erreur,\n"
    "2 erreur d'utilisation ou fichier illisible, 3 nombre maximal de lignes atteint ;\n"
    "1 aussi quand la sortie standard ne peut pas être écrite.\n";

std::string ToTerminal(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

std::string FromTerminal(const std::string& bytes) {
    return IsValidUtf8(bytes) ? Utf8ToCp1252(bytes) : bytes;
}

char LocaleSeparator() {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    char sep = '.';
    if (std::setlocale(LC_NUMERIC, "")) {
        const std::lconv* lc = std::localeconv();
        if (lc && lc->decimal_point && lc->decimal_point[0] && !lc->decimal_point[1])
            sep = lc->decimal_point[0];
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    return sep;
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

class FileText : public ProgramText {
  public:
    explicit FileText(std::string bytes) : lines_(std::move(bytes)) {}
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    std::string_view Line(int i) const override { return lines_[static_cast<std::size_t>(i)]; }

  private:
    ProgramLines lines_;
};

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
    if (inputEnded_)
        throw ErrorBoxFailure{"entr\xE9"
                              "e standard \xE9puis\xE9"
                              "e"};
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

namespace {
int UsageError(const std::string& what) {
    std::cerr << "vokc-run: " << what << "\n"
              << "Essayez « vokc-run --help ».\n";
    return 2;
}

// Reads the command line into `opt`. Returns -1 to go on, or the exit status when the
// command is done (help, version) or wrong.
int ParseOptions(int argc, char** argv, Options& opt) {
    bool haveSeparator = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (a == "--version") {
            std::cout << "vokc-run (Vok C) " VOKC_VERSION "\n";
            return 0;
        } else if (a == "--decimal-separator") {
            if (!value(v)) return UsageError("--decimal-separator attend un caractère");
            std::string c = FromTerminal(v);
            if (c.size() != 1) return UsageError("--decimal-separator attend un seul caractère");
            opt.separator = c[0];
            haveSeparator = true;
        } else if (a == "--symbols") {
            opt.symbols = true;
        } else if (a == "--examine") {
            if (!value(v)) return UsageError("--examine attend une référence");
            opt.examine.push_back(FromTerminal(v));
        } else if (a == "--max-steps") {
            if (!value(v)) return UsageError("--max-steps attend un nombre");
            char* end = nullptr;
            errno = 0;
            unsigned long long n = std::strtoull(v.c_str(), &end, 10);
            if (v.empty() || v[0] == '-' || *end != '\0' || errno != 0 || n == 0)
                return UsageError("--max-steps attend un nombre entier positif");
            opt.maxSteps = n;
        } else if (a == "--hints") {
            opt.hints = true;
        } else if (a == "--trace") {
            opt.trace = true;
        } else if (a == "--printer") {
            if (!value(v)) return UsageError("--printer attend un nom de fichier");
            opt.printerFile = v;
            opt.hasPrinterFile = true;
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return UsageError("option inconnue : " + a);
        } else {
            if (!opt.file.empty()) return UsageError("un seul fichier à exécuter");
            opt.file = a;
        }
    }
    if (opt.file.empty()) return UsageError("fichier à exécuter manquant");
    if (!haveSeparator) opt.separator = LocaleSeparator();
    return -1;
}

// Runs the program once from its start and reports how the run ended on stderr.
// Returns the exit status.
int RunProgram(const Options& opt, const ProgramText& program, TerminalHost& host,
               Interpreter& interp) {
    std::string base = opt.file;
    std::size_t slash = base.find_last_of('/');
    if (slash != std::string::npos) base = base.substr(slash + 1);

    // A file saved with breakpoints runs as it does from the application without them:
    // the markers at a line's start are not program text, and a free run goes past them.
    const MarkerFreeText text(program);
    interp.SetLineMarkers(false);
    interp.SetTrace(opt.trace);
    interp.SetStepLimit(opt.maxSteps);
    interp.StartProgram(FromTerminal(base));
    const RunResult result = interp.Exec(text, 0, StepMode::Free);
    // Files the program left open are closed here; a write that fails only now (a full
    // disk) must not go unnoticed.
    const bool closed = interp.CloseAllFiles() == 0;
    host.FlushOutput();

    const StopReason reason = result.reason;
    int status = 0;
    if (host.OutputError() != 0) {
        // The run ended because its output could not be written: Main says so.
        status = 1;
    } else if (reason == StopReason::StepLimit) {
        host.Report("nombre maximal de lignes ex\xE9"
                    "cut\xE9"
                    "es atteint (" +
                        std::to_string(opt.maxSteps) + ")",
                    result.line);
        status = 3;
    } else if (reason != StopReason::Finished) {
        host.Report("ex\xE9"
                    "cution arr\xEA"
                    "t\xE9"
                    "e",
                    result.line);
        status = 1;
    }
    if (!closed) {
        host.Report("erreur d'entr\xE9"
                    "e/sortie \xE0 la fermeture des fichiers",
                    -1);
        if (status == 0) status = 1;
    }
    return status;
}

// The end of a run whose standard output failed: a reader that went away ends vokc-run
// quietly, as the default action of SIGPIPE does (also when SIGPIPE was ignored); any
// other failure is reported. Returns the exit status.
int OutputFailed(int error) {
    if (error == EPIPE) {
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
        return 1;
    }
    std::cerr << "vokc-run: erreur d'écriture sur la sortie standard : " << ErrorReason(error)
              << "\n";
    return 1;
}
} // namespace

int Main(int argc, char** argv) {
    Options opt;
    if (int done = ParseOptions(argc, argv, opt); done >= 0) {
        // Help and version go through std::cout, which writes into stdout's buffer.
        errno = 0;
        std::cout.flush();
        const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
        if (done == 0 && failed) return OutputFailed(errno != 0 ? errno : EIO);
        return done;
    }
    std::setlocale(LC_TIME, "");

    std::string bytes;
    if (const int error = grade::ReadProgramFile(opt.file, bytes); error != 0) {
        std::cerr << "vokc-run: " << opt.file << " : " << ErrorReason(error) << "\n";
        return 2;
    }
    FileText program(std::move(bytes));

    TerminalHost host(opt.file, opt.separator, opt.printerFile, opt.hasPrinterFile);
    Interpreter interp(host);
    if (opt.hints) {
        host.setHints(&program);
        // The look before the run: its warnings come before the program's output.
        for (const ProgramWarning& warning : CheckProgram(MarkerFreeText(program)))
            host.Report("avertissement : " + warning.text, warning.line);
    }
    int status = RunProgram(opt, program, host, interp);
    const auto print = [&host](std::string_view cp1252) {
        const std::string out = ToTerminal(cp1252) + "\n";
        host.WriteOutput(out.data(), out.size());
    };
    if (opt.symbols)
        for (const std::string& line : interp.SymbolListing())
            print(line);
    for (const std::string& ref : opt.examine)
        print(interp.ExamineText(ref));
    if (!host.FlushOutput()) status = OutputFailed(host.OutputError());
    return status;
}

} // namespace vokc::cli
