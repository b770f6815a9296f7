// Grading: command-line options.
#include "grade_options.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "text.h"

namespace vokc::cli::grade {

namespace {

// Positive whole number, decimal digits only.
bool ParseCount(std::string_view text, std::uint64_t& out) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out > 0;
}

// Positive number of seconds with `.` as decimal point, at most a day.
bool ParseSeconds(std::string_view text, std::chrono::milliseconds& out) {
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) return false;
    double seconds = 0;
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), seconds, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) ||
        seconds <= 0 || seconds > 86400)
        return false;
    out = std::chrono::milliseconds(std::max<long long>(1, std::llround(seconds * 1000)));
    return true;
}

} // namespace

const char* GradeUsage() {
    return "Usage : vokc-run --grade DOSSIER [options] FICHIER...\n"
           "Note des programmes Vok C : chaque FICHIER est exécuté pour chaque cas de DOSSIER\n"
           "(NOM.out : sortie attendue ; NOM.in : entrée, facultative ; les autres fichiers\n"
           "sont copiés dans le dossier de travail de chaque exécution).\n"
           "\n"
           "Options :\n"
           "  --jobs N               nombre d'exécutions simultanées (par défaut : une par "
           "processeur)\n"
           "  --format F             text (par défaut), csv ou json\n"
           "  --report FICHIER.html  écrit aussi un rapport HTML\n"
           "  --max-steps N          lignes exécutées au plus par exécution (par défaut : "
           "10000000)\n"
           "  --timeout SECONDES     temps processeur au plus d'une exécution (par défaut : 10)\n"
           "  --decimal-separator C  séparateur décimal des nombres réels (par défaut : .)\n"
           "\n"
           "Statut de sortie : 0 toutes les exécutions réussies, 1 au moins une ne l'est pas,\n"
           "2 erreur d'utilisation.\n";
}

bool ParseGradeOptions(int argc, const char* const* argv, GradeOptions& options,
                       std::string& error) {
    // Help wins over everything else, wherever it stands (also right after --grade).
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--help") {
            options.help = true;
            return true;
        }
    bool haveFolder = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        // The value of an option; false (and the message) when there is none.
        auto value = [&](std::string_view& out, const char* missing) {
            if (i + 1 >= argc) {
                error = missing;
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string_view v;
        std::uint64_t n = 0;
        if (a == "--grade") {
            if (!value(v, "--grade attend un dossier")) return false;
            if (haveFolder) {
                error = "un seul dossier de cas";
                return false;
            }
            options.folder = v;
            haveFolder = true;
        } else if (a == "--jobs") {
            if (!value(v, "--jobs attend un nombre")) return false;
            if (!ParseCount(v, n)) {
                error = "--jobs attend un nombre entier positif";
                return false;
            }
            // More workers than this only costs descriptors and memory.
            options.jobs = static_cast<unsigned>(std::min<std::uint64_t>(n, 256));
        } else if (a == "--format") {
            if (!value(v, "--format attend text, csv ou json")) return false;
            if (v == "text") {
                options.format = Format::Text;
            } else if (v == "csv") {
                options.format = Format::Csv;
            } else if (v == "json") {
                options.format = Format::Json;
            } else {
                error = "--format attend text, csv ou json";
                return false;
            }
        } else if (a == "--report") {
            if (!value(v, "--report attend un nom de fichier")) return false;
            if (v.empty()) {
                error = "--report attend un nom de fichier";
                return false;
            }
            options.reportFile = v;
        } else if (a == "--max-steps") {
            if (!value(v, "--max-steps attend un nombre")) return false;
            if (!ParseCount(v, n)) {
                error = "--max-steps attend un nombre entier positif";
                return false;
            }
            options.maxSteps = n;
        } else if (a == "--timeout") {
            if (!value(v, "--timeout attend un nombre de secondes")) return false;
            if (!ParseSeconds(v, options.timeout)) {
                error = "--timeout attend un nombre de secondes positif";
                return false;
            }
        } else if (a == "--decimal-separator") {
            if (!value(v, "--decimal-separator attend un caractère")) return false;
            const std::string c = IsValidUtf8(v) ? Utf8ToCp1252(v) : std::string(v);
            if (c.size() != 1) {
                error = "--decimal-separator attend un seul caractère";
                return false;
            }
            options.separator = c[0];
        } else if (a.size() > 1 && a[0] == '-') {
            error = "option inconnue : " + std::string(a);
            return false;
        } else {
            options.programs.emplace_back(a);
        }
    }
    if (!haveFolder) {
        error = "--grade attend un dossier";
        return false;
    }
    if (options.programs.empty()) {
        error = "aucun programme à noter";
        return false;
    }
    return true;
}

} // namespace vokc::cli::grade
