// vokc-run: command line, program decoding, and the run of one program.
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

#include "grade_cases.h"
#include "interpreter.h"
#include "marker_free_text.h"
#include "program_check.h"
#include "program_file.h"
#include "text.h"

namespace vokc::cli {

using grading::ErrorReason;

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

class FileText : public ProgramText {
  public:
    explicit FileText(std::string bytes) : lines_(std::move(bytes)) {}
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    std::string_view Line(int i) const override { return lines_[static_cast<std::size_t>(i)]; }

  private:
    ProgramLines lines_;
};

} // namespace

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
    const grading::MarkerFreeText text(program);
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
    if (const int error = grading::ReadProgramFile(opt.file, bytes); error != 0) {
        std::cerr << "vokc-run: " << opt.file << " : " << ErrorReason(error) << "\n";
        return 2;
    }
    FileText program(std::move(bytes));

    TerminalHost host(opt.file, opt.separator, opt.printerFile, opt.hasPrinterFile);
    Interpreter interp(host);
    if (opt.hints) {
        host.setHints(&program);
        // The look before the run: its warnings come before the program's output.
        for (const ProgramWarning& warning : CheckProgram(grading::MarkerFreeText(program)))
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