// Each hint is chosen by the message's text and, for some, by the line that raised it:
// an unknown name in a scanf without '&', an expression with more than one operator, a
// fputs on a file whose fopen line has a blank before fopen, a for, if or while glued to
// its parenthesis, a message with a name in it (or a line that is no statement), the IF
// line or the block where an else is missing. A failed fopen names its file and folder.
// A name the program does not know is compared with its declarations (a misspelling, a
// declaration to add, an array named without its index), a misspelt statement or
// procedure with the words it is near; a format with the variable's declared type.
#include "hints.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "interpreter.h"
#include "messages.h"
#include "program_check.h"
#include "text.h"

namespace vokc {

namespace {
std::string_view LineOf(const ProgramText& program, int line) {
    if (line < 0 || line >= program.LineCount()) return {};
    return Trim(StripLineMarkers(program.Line(line)));
}

bool StartsNoCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && EqualsNoCase(text.substr(0, start.size()), start);
}

// The arithmetic operators outside quotes after the first '=' of an assignment (the
// whole line when there is none).
int OperatorCount(std::string_view line) {
    const std::size_t equals = line.find('=');
    std::string_view right = equals == std::string_view::npos ? line : line.substr(equals + 1);
    right = Trim(right);
    int count = 0;
    bool quoted = false;
    for (std::size_t k = 0; k < right.size(); ++k) {
        const char c = right[k];
        if (c == '"' || c == '\'') quoted = !quoted;
        if (quoted) continue;
        // A sign at the start, or right after another operator, is part of a number.
        const bool sign =
            (c == '-' || c == '+') &&
            (k == 0 || std::string_view("+-*/%(").find(right[k - 1]) != std::string_view::npos);
        if ((c == '+' || c == '-' || c == '*' || c == '/' || c == '%') && !sign) ++count;
    }
    return count;
}

// The file variable of a fputs line: its last argument.
std::string_view FputsFile(std::string_view line) {
    if (!StartsNoCase(line, "fputs")) return {};
    const std::size_t comma = line.rfind(',');
    const std::size_t close = line.rfind(')');
    if (comma == std::string_view::npos || close == std::string_view::npos || close < comma)
        return {};
    return Trim(line.substr(comma + 1, close - comma - 1));
}

// The line of the program that opens `file` with a blank before fopen ("f = fopen("),
// or -1.
int LineOpeningWithBlank(const ProgramText& program, std::string_view file) {
    if (file.empty()) return -1;
    for (int k = 0; k < program.LineCount(); ++k) {
        const std::string_view line = LineOf(program, k);
        if (line.substr(0, file.size()) != file) continue;
        const std::size_t at = line.find("fopen");
        if (at == std::string_view::npos || at == 0) continue;
        std::string_view before = line.substr(file.size(), at - file.size());
        if (before.find('=') != std::string_view::npos && !before.empty() && IsBlank(before.back()))
            return k;
    }
    return -1;
}

struct Rule {
    std::string_view message; // UTF-8, the whole message or, ending with '*', its start
    std::string_view hint;    // UTF-8
    std::string_view section; // anchor in messages.html
    bool (*applies)(std::string_view line, const ProgramText& program);
};

bool Always(std::string_view, const ProgramText&) {
    return true;
}
bool ScanfWithoutAmpersand(std::string_view line, const ProgramText&) {
    return StartsNoCase(line, "scanf") && line.find('&') == std::string_view::npos;
}
bool TwoOperators(std::string_view line, const ProgramText&) {
    return OperatorCount(line) >= 2;
}
bool BlankBeforeFopen(std::string_view line, const ProgramText& program) {
    return LineOpeningWithBlank(program, std::string(FputsFile(line))) >= 0;
}
bool GluedParenthesis(std::string_view line, const ProgramText&) {
    return StartsNoCase(line, "for(") || StartsNoCase(line, "if(") || StartsNoCase(line, "while(");
}
// ELSE manquant stops on the IF line when the then-branch is one line, on the '}' of a
// block otherwise.
bool IfLine(std::string_view line, const ProgramText&) {
    return StartsNoCase(line, "if ") || StartsNoCase(line, "if(");
}
// A format with something besides its code and \n (a text to show with the value), or
// a line with no format to tell.
bool FormatWithText(std::string_view line, const ProgramText&) {
    const std::size_t open = line.find('"');
    const std::size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    if (close == std::string_view::npos) return true; // no format to look at
    std::string_view format = line.substr(open + 1, close - open - 1);
    if (format.size() >= 2 && format.substr(format.size() - 2) == "\\n") format.remove_suffix(2);
    return format.size() > 2;
}
bool PutsLine(std::string_view line, const ProgramText&) {
    return StartsNoCase(line, "puts");
}

// The mistakes, in the order they are looked for.
const Rule kRules[] = {
    {msg::kFormatIncorrect,
     "Le format ne contient que %d, %f, %c ou %s : écrivez le texte dans un printf à part.",
     "format-incorrect", FormatWithText},
    {msg::kFormatIncorrect,
     "Le code ne va pas avec le type de la variable : %d pour un int, %f pour un float, %c "
     "pour un char, %s pour une chaîne.",
     "format-incorrect", Always},
    {msg::kVariableFichierRequise, "Le fichier vient d'abord : fgets(f, ligne);", "fichiers",
     Always},
    {msg::kPasUnString, "puts affiche une chaîne : pour un char, écrivez printf(\"%c\\n\", c);",
     "textes", PutsLine},
    {msg::kTypeIncorrect,
     "Un calcul ne mélange pas les types : rangez un calcul de float dans un float, un calcul "
     "d'int dans un int.",
     "variables-calculs", Always},
    {msg::kBreakSansBoucle,
     "break sert à sortir d'une boucle for, while ou do : ici il n'y en a pas, supprimez-le.",
     "structure", Always},
    {msg::kErreurDansIndice,
     "L'indice est un nombre ou une variable int, pas un calcul : calculez d'abord j = i + 1; "
     "puis utilisez t[j].",
     "variables-calculs", Always},
    {msg::kIdentificateurInconnu, "Il manque & devant le nom de la variable ?",
     "identificateur-inconnu", ScanfWithoutAmpersand},
    {msg::kErreurDansExpression, "Une ligne ne fait qu'une opération : découpez le calcul.",
     "erreur-expression", TwoOperators},
    {msg::kNonOuvertEcriture, "Écrivez f=fopen(...) sans espace", "fichier-non-ouvert",
     BlankBeforeFopen},
    {msg::kElseManquant,
     "Sans else, terminez par ; la ligne qui suit ce if (un point-virgule y manque souvent).",
     "else-manquant", IfLine},
    {msg::kElseManquant, "Terminez le bloc par }; s'il n'y a pas de else.", "else-manquant",
     Always},
    {msg::kErreurSyntaxe,
     "Écrivez une espace entre le mot et la parenthèse : for (, if (, while (.", "erreur-syntaxe",
     GluedParenthesis},
    // No name at all: the line is no statement (clrscr(), a misspelt keyword or call).
    {"Identificateur  inconnu",
     "Cette ligne n'est reconnue comme aucune instruction : vérifiez l'orthographe du mot-clé, "
     "le nom de la procédure et les parenthèses.",
     "identificateur-inconnu", Always},
    {"Identificateur *",
     "Déclarez ce nom en tête du programme, ou vérifiez son orthographe (les majuscules comptent).",
     "identificateur-inconnu", Always},
    {msg::kMainNonTrouve, "Le programme commence à une ligne main() : vérifiez qu'elle existe.",
     "declarations", Always},
    {msg::kFinDeBlocNonDetectee, "Chaque { doit être seule sur sa ligne et avoir sa }.",
     "structure", Always},
    {msg::kDelimiteurSansOuvrant, "Une } de trop : comptez les { et les }.", "structure", Always},
    {msg::kEtiquetteNonTrouvee, "Écrivez goto fin; sans deux-points, et fin: seul sur sa ligne.",
     "structure", Always},
    {msg::kIndiceHorsLimites, "Les éléments d'un tableau de N vont de t[1] à t[N].",
     "variables-calculs", Always},
};

// A fopen argument: a quoted name's text, or a string variable's value during the run
// (empty when neither is known).
std::string ArgumentValue(std::string_view operand, const Interpreter* run) {
    operand = Trim(operand);
    if (operand.size() >= 2 && operand.front() == '"' && operand.back() == '"')
        return std::string(operand.substr(1, operand.size() - 2));
    std::string value;
    if (run && !operand.empty() && run->InspectReference(operand, value)) return value;
    return {};
}

// A fopen that failed: the file it looked for and the folder it looked in (a relative
// name is taken from the current folder, where the run is).
Hint FopenHint(std::string_view line, const Interpreter* run) {
    if (!line.empty() && line.back() == ';') line = Trim(line.substr(0, line.size() - 1));
    const std::size_t paren = line.find('(');
    if (paren == std::string_view::npos) return {};
    std::string_view args = line.substr(paren + 1);
    const std::size_t comma = args.find(',');
    std::string_view nameText = Trim(args.substr(0, comma));
    if (EqualsNoCase(nameText, "PRN:")) return {}; // the printer: no file, no folder
    std::string_view modeText;
    if (comma != std::string_view::npos) {
        modeText = Trim(args.substr(comma + 1));
        if (!modeText.empty() && modeText.back() == ')') modeText.remove_suffix(1);
    }
    const std::string name = ArgumentValue(nameText, run);
    const std::string mode = ArgumentValue(modeText, run);
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path full = fs::path(Cp1252ToUtf8(name));
    if (!full.is_absolute()) full = fs::current_path(ec) / full;
    if (ec) return {};
    const std::string file = Utf8ToCp1252(full.filename().string());
    const std::string folder = Utf8ToCp1252(full.parent_path().lexically_normal().string());
    const auto quoted = [](const std::string& text) {
        return Utf8ToCp1252("« ") + text + Utf8ToCp1252(" »");
    };
    Hint hint;
    hint.page = "messages.html#fichiers";
    const char kind = mode.empty() ? '\0' : UpperAscii(mode[0]);
    if (name.empty())
        hint.text = Utf8ToCp1252("Vérifiez le nom du fichier ; il est cherché dans le dossier ") +
                    quoted(folder) + ".";
    else if (kind == 'W')
        hint.text = Utf8ToCp1252("Le fichier ") + quoted(file) +
                    Utf8ToCp1252(" ne peut pas être créé dans le dossier ") + quoted(folder) +
                    Utf8ToCp1252(" : vérifiez que ce dossier existe et qu'on peut y écrire.");
    else
        hint.text = Utf8ToCp1252("Le fichier ") + quoted(file) +
                    Utf8ToCp1252(" est introuvable ou illisible dans le dossier ") +
                    quoted(folder) +
                    Utf8ToCp1252(" : vérifiez son nom, ou placez-le dans ce "
                                 "dossier, à côté du programme.");
    return hint;
}

bool Matches(std::string_view pattern, std::string_view message) {
    const std::string cp = Utf8ToCp1252(pattern);
    std::string_view p = cp;
    // "Identificateur *": a message with a name in it ("Identificateur y inconnu").
    if (!p.empty() && p.back() == '*') {
        p.remove_suffix(1);
        const std::string unknown = Utf8ToCp1252(msg::kIdentificateurInconnu);
        return message.size() > p.size() && message.substr(0, p.size()) == p && message != unknown;
    }
    return message == p;
}

// The first line after `line` that is neither blank nor a comment (-1: none).
int NextCodeLine(const ProgramText& program, int line) {
    for (int k = line + 1; k < program.LineCount(); ++k) {
        const std::string_view text = LineOf(program, k);
        if (!text.empty() && !StartsNoCase(text, "//") && !StartsNoCase(text, "/*")) return k;
    }
    return -1;
}

std::size_t NameLength(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size() && (std::isalnum(static_cast<unsigned char>(text[n])) || text[n] == '_'))
        ++n;
    return n;
}

bool HasWord(std::string_view text, std::string_view word) {
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || NameLength(text.substr(at - 1, 1)) == 0) &&
            (end >= text.size() || NameLength(text.substr(end, 1)) == 0))
            return true;
    }
    return false;
}

// A warning of the look before the run, as the hint of a message raised on another line
// (a declaration not understood, no main() line): "Ligne N : text", shown at line N. The
// warning is one on another line that names `word`, or (`word` empty) one about main().
Hint WarningAsHint(const ProgramText& program, int line, std::string_view word) {
    for (const ProgramWarning& w : CheckProgram(program)) {
        const bool fits = word.empty() ? w.text.find("main()") != std::string::npos
                                       : w.line != line && HasWord(LineOf(program, w.line), word);
        if (!fits) continue;
        Hint hint;
        hint.text = Utf8ToCp1252("Ligne ") + std::to_string(w.line + 1) + " : " + w.text;
        hint.page = "messages.html#avertissements";
        hint.line = w.line;
        return hint;
    }
    return {};
}

// The letters two names differ by (a letter changed, added or removed counts 1; letters
// that only differ in case count nothing, so that "Somme" is near "somme").
std::size_t Distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            const bool same = UpperAscii(a[i - 1]) == UpperAscii(b[j - 1]);
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

// Of `names`, the one `word` is most likely a misspelling of (empty: none is near).
std::string Nearest(std::string_view word, const std::vector<std::string>& names) {
    const std::size_t limit = word.size() < 4 ? 1 : 2;
    std::string best;
    std::size_t bestDistance = limit + 1;
    for (const std::string& name : names) {
        if (name == word) continue;
        if (const std::size_t d = Distance(word, name); d < bestDistance) {
            best = name;
            bestDistance = d;
        }
    }
    return best;
}

// The variables the program declares, with the line of each declaration.
struct Declared {
    std::vector<std::string> names;
    std::vector<int> lines;
    std::vector<std::string> types; // int, float, char, file, or string for char with a size
};

Declared DeclaredNames(const ProgramText& program) {
    Declared out;
    for (int k = 0; k < program.LineCount(); ++k) {
        std::string_view text = LineOf(program, k);
        const std::size_t blank = text.find_first_of(" \t");
        if (blank == std::string_view::npos) continue;
        const std::string_view type = text.substr(0, blank);
        if (type != "int" && type != "float" && type != "char" && type != "file") continue;
        text = text.substr(blank);
        while (!text.empty()) {
            const std::size_t comma = text.find_first_of(",;");
            std::string_view name = Trim(text.substr(0, comma));
            while (!name.empty() && name[0] == '*')
                name.remove_prefix(1);
            const bool sized = name.find('[') != std::string_view::npos;
            name = name.substr(0, NameLength(name));
            if (!name.empty()) {
                out.names.emplace_back(name);
                out.lines.push_back(k);
                out.types.emplace_back(type == "char" && sized ? "string" : std::string(type));
            }
            if (comma == std::string_view::npos || text[comma] == ';') break;
            text.remove_prefix(comma + 1);
        }
    }
    return out;
}

// A name that is not declared: the declared name it is a misspelling of, or, when the
// name is used on several lines (so not a slip of one line), the declaration to add it
// to (a declaration of a name of the same line, else the first). Empty: neither is known.
Hint UndeclaredHint(std::string_view name, const ProgramText& program, int line) {
    Hint hint;
    hint.page = "messages.html#identificateur-inconnu";
    const Declared declared = DeclaredNames(program);
    // Declared, but as an array: the name goes with an element's index.
    for (std::size_t k = 0; k < declared.names.size(); ++k) {
        if (declared.names[k] != name) continue;
        if (LineOf(program, declared.lines[k]).find(std::string(name) + "[") ==
            std::string_view::npos)
            return {};
        hint.text = std::string(name) + Utf8ToCp1252(" est un tableau : nommez un élément, ") +
                    std::string(name) + "[1]";
        return hint;
    }
    std::vector<std::string> near;
    for (const std::string& known : declared.names)
        if (name.size() >= 3 || Distance(name, known) == 0) near.push_back(known);
    if (const std::string misspelt = Nearest(name, near); !misspelt.empty()) {
        hint.text = std::string(name) + Utf8ToCp1252(" n'est pas déclaré : vouliez-vous écrire ") +
                    misspelt + Utf8ToCp1252(" ? (les majuscules comptent)");
        return hint;
    }
    int uses = 0;
    for (int k = 0; k < program.LineCount(); ++k)
        if (HasWord(LineOf(program, k), name)) ++uses;
    if (declared.lines.empty() || uses < 2) return {};
    int at = declared.lines.front();
    const std::string_view text = LineOf(program, line);
    for (std::size_t k = 0; k < declared.names.size(); ++k)
        if (HasWord(text, declared.names[k])) {
            at = declared.lines[k];
            break;
        }
    std::string declaration(LineOf(program, at));
    if (!declaration.empty() && declaration.back() == ';') declaration.pop_back();
    hint.text = std::string(name) + Utf8ToCp1252(" n'est pas déclaré : ajoutez-le à la ligne ") +
                std::to_string(at + 1) + ", " + declaration + ", " + std::string(name) + ";";
    hint.line = at;
    return hint;
}

// The first word of a line no statement was recognised in, and what to do about it.
Hint UnknownLineHint(std::string_view text, const ProgramText& program) {
    const std::size_t n = NameLength(text);
    Hint hint;
    hint.page = "messages.html#identificateur-inconnu";
    if (n == 0) {
        hint.text = Utf8ToCp1252("Cette ligne ne commence ni par un mot-clé ni par un nom : "
                                 "vérifiez son premier caractère.");
        return hint;
    }
    // A procedure of the program called without its parentheses, or declared with a
    // misspelt void.
    const std::string name(text.substr(0, n));
    for (int k = 0; k < program.LineCount(); ++k) {
        const std::string_view decl = LineOf(program, k);
        if (decl.size() < 5 || !EqualsNoCase(decl.substr(0, 4), "void") ||
            NameLength(decl.substr(0, 5)) != 4)
            continue;
        const std::string_view rest = Trim(decl.substr(4));
        const std::string_view declared = rest.substr(0, NameLength(rest));
        if (declared != name && EqualsNoCase(declared, name) && decl.substr(0, 4) == "void") {
            hint.text = Utf8ToCp1252("La procédure s'appelle ") + std::string(declared) +
                        Utf8ToCp1252(" (les majuscules comptent) : écrivez ") +
                        std::string(declared) + "();";
            return hint;
        }
        if (declared != name) continue;
        if (decl.substr(0, 4) == "void" && rest.size() > declared.size() &&
            IsBlank(rest[declared.size()])) {
            hint.text = Utf8ToCp1252("Écrivez void ") + name +
                        Utf8ToCp1252("() sans espace avant la parenthèse, ligne ") +
                        std::to_string(k + 1) + ".";
            hint.line = k;
            return hint;
        }
        if (decl.substr(0, 4) == "void") {
            hint.text = name +
                        Utf8ToCp1252(" est une procédure : appelez-la avec ses "
                                     "parenthèses, ") +
                        name + "();";
        } else {
            hint.text = Utf8ToCp1252("La procédure ") + name +
                        Utf8ToCp1252(" n'est pas déclarée : écrivez void en minuscules à la "
                                     "ligne ") +
                        std::to_string(k + 1) + ".";
            hint.line = k;
        }
        return hint;
    }
    static const std::vector<std::string> kStatements = {
        "printf", "puts",  "scanf",  "gets",   "strcpy", "strcat", "strncpy", "strncat",  "fputs",
        "fgets",  "fopen", "fclose", "clrscr", "gotoxy", "goto",   "break",   "return",   "exit",
        "while",  "for",   "if",     "else",   "mkdir",  "rmdir",  "chdir",   "randomize"};
    if (const std::string near = Nearest(name, kStatements); !near.empty()) {
        hint.text = Utf8ToCp1252("Vouliez-vous écrire ") + near + Utf8ToCp1252(" ? « ") + name +
                    Utf8ToCp1252(" » n'est pas une instruction.");
        return hint;
    }
    // A calculation on a variable with nowhere to go: "total + 1;".
    if (const Declared declared = DeclaredNames(program);
        std::find(declared.names.begin(), declared.names.end(), name) != declared.names.end() &&
        text.find('=') == std::string_view::npos &&
        text.find_first_of("+-*/%", n) != std::string_view::npos) {
        std::string_view calculation = text;
        while (!calculation.empty() && (calculation.back() == ';' || IsBlank(calculation.back())))
            calculation.remove_suffix(1);
        hint.text = Utf8ToCp1252("Un calcul range son résultat dans une variable : écrivez ") +
                    name + " = " + std::string(calculation) + ";";
        return hint;
    }
    // A procedure of the program, misspelt.
    std::vector<std::string> procedures;
    for (int k = 0; k < program.LineCount(); ++k) {
        const std::string_view decl = LineOf(program, k);
        if (decl.substr(0, 5) != "void ") continue;
        const std::string_view rest = Trim(decl.substr(5));
        procedures.emplace_back(rest.substr(0, NameLength(rest)));
    }
    if (const std::string near = Nearest(name, procedures); !near.empty()) {
        hint.text = Utf8ToCp1252("La procédure s'appelle ") + near + Utf8ToCp1252(" : écrivez ") +
                    near + "();";
        return hint;
    }
    hint.text = Utf8ToCp1252("Le mot « ") + std::string(text.substr(0, n)) +
                Utf8ToCp1252(" » n'est ni une instruction ni une procédure connue : vérifiez son "
                             "orthographe, ou appelez la procédure avec ses parenthèses, nom();");
    return hint;
}
} // namespace

Hint HintFor(std::string_view message, const ProgramText& program, int line,
             const Interpreter* run) {
    // A copy: a program text's view of a line may not outlive the reading of another.
    const std::string text(LineOf(program, line));
    if (Matches(msg::kErreurEntreeSortie, message)) return FopenHint(text, run);
    if (const std::string advice = ShapeAdvice(text); !advice.empty()) {
        Hint hint;
        hint.text = Utf8ToCp1252(advice);
        hint.page = "messages.html#habitudes";
        return hint;
    }
    if (Matches(msg::kElseManquant, message) && IfLine(text, program)) {
        const int then = NextCodeLine(program, line);
        // An else is there, but written so that it is not seen: "else if (...)", "else;".
        const int after = then >= 0 ? NextCodeLine(program, then) : -1;
        const std::string_view elseLine = after >= 0 ? LineOf(program, after) : "";
        if (StartsNoCase(elseLine, "else") && elseLine.size() > 4 &&
            NameLength(elseLine.substr(0, 5)) == 4) {
            Hint hint;
            hint.text = Utf8ToCp1252("Le else de la ligne ") + std::to_string(after + 1) +
                        Utf8ToCp1252(" n'est pas reconnu : écrivez else seul sur sa ligne, la "
                                     "suite sur la ligne suivante.");
            hint.page = "messages.html#else-manquant";
            hint.line = after;
            return hint;
        }
        if (then >= 0) {
            Hint hint;
            const std::string thenText(LineOf(program, then));
            hint.text = Utf8ToCp1252("S'il n'y a pas de else, terminez la ligne ") +
                        std::to_string(then + 1) + Utf8ToCp1252(" par un point-virgule : ") +
                        thenText + (thenText.empty() || thenText.back() == ';' ? "" : ";");
            hint.page = "messages.html#else-manquant";
            hint.line = then;
            return hint;
        }
    }
    if (message == Utf8ToCp1252("Identificateur  inconnu")) return UnknownLineHint(text, program);
    // The variable of a printf or scanf that is not declared.
    if (message == Utf8ToCp1252(msg::kIdentificateurInconnu) &&
        (StartsNoCase(text, "printf") || StartsNoCase(text, "scanf"))) {
        const std::size_t comma = text.find(',');
        std::string_view name = comma == std::string::npos
                                    ? std::string_view()
                                    : Trim(std::string_view(text).substr(comma + 1));
        // Without '&' a scanf looks for the name less its first letter: its own hint.
        const bool ampersand = !name.empty() && name[0] == '&';
        if (ampersand) name.remove_prefix(1);
        name = Trim(name.substr(0, NameLength(name)));
        if (!name.empty() && (ampersand || StartsNoCase(text, "printf"))) {
            const Declared declared = DeclaredNames(program);
            if (std::find(declared.names.begin(), declared.names.end(), name) ==
                declared.names.end())
                if (Hint hint = UndeclaredHint(name, program, line); !hint.text.empty())
                    return hint;
        }
    }
    // Reported here, to be changed on another line: a name whose declaration is not
    // understood, a main() line written otherwise.
    if (Matches(msg::kMainNonTrouve, message))
        if (Hint hint = WarningAsHint(program, line, ""); !hint.text.empty()) return hint;
    if (const std::string unknown = Utf8ToCp1252(msg::kInconnu);
        Matches("Identificateur *", message) && message.size() > unknown.size() &&
        message.substr(message.size() - unknown.size()) == unknown) {
        const std::string_view name = message.substr(Utf8ToCp1252(msg::kIdentificateur).size(),
                                                     message.size() - unknown.size() -
                                                         Utf8ToCp1252(msg::kIdentificateur).size());
        if (NameLength(name) == name.size() && !name.empty()) {
            if (Hint hint = WarningAsHint(program, line, name); !hint.text.empty()) return hint;
            if (Hint hint = UndeclaredHint(name, program, line); !hint.text.empty()) return hint;
        }
    }
    // A real written with the other decimal separator.
    if (const std::string notFloat = Utf8ToCp1252(msg::kPasUnFlottant);
        message.size() > notFloat.size() + 1 && message[0] == '\'' &&
        message.substr(message.size() - notFloat.size()) == notFloat) {
        std::string number(message.substr(1, message.size() - notFloat.size() - 1));
        const bool point = number.find('.') != std::string::npos;
        const bool comma = number.find(',') != std::string::npos;
        if (point != comma) {
            std::string other = number;
            std::replace(other.begin(), other.end(), point ? '.' : ',', point ? ',' : '.');
            Hint hint;
            hint.text = Utf8ToCp1252("Le séparateur décimal est ici ") +
                        std::string(point ? "la virgule" : "le point") + " : " + other +
                        Utf8ToCp1252(" au lieu de ") + number + ".";
            hint.page = "messages.html#variables-calculs";
            return hint;
        }
    }
    if (message.size() > msg::kPasUnEntier.size() && TwoOperators(text, program) &&
        message.substr(message.size() - Utf8ToCp1252(msg::kPasUnEntier).size()) ==
            Utf8ToCp1252(msg::kPasUnEntier)) {
        Hint hint;
        hint.text = Utf8ToCp1252("Une ligne ne fait qu'une opération : découpez le calcul.");
        hint.page = "messages.html#erreur-expression";
        return hint;
    }
    // A goto whose label is written otherwise: the warning on the label's line.
    if (Matches(msg::kEtiquetteNonTrouvee, message) && StartsNoCase(text, "goto")) {
        std::string_view name = Trim(std::string_view(text).substr(4));
        name = name.substr(0, NameLength(name));
        if (!name.empty())
            if (Hint hint = WarningAsHint(program, line, name); !hint.text.empty()) return hint;
    }
    // A format with a text around its code: the text in a printf of its own.
    if (Matches(msg::kFormatIncorrect, message))
        if (const std::string pieces = PrintfPieces(text); !pieces.empty()) {
            Hint hint;
            hint.text =
                Utf8ToCp1252("Le format ne contient que le code : un printf par morceau, ") +
                pieces;
            hint.page = "messages.html#format-incorrect";
            return hint;
        }
    // A format of one code that does not fit the variable: the code that does.
    if (Matches(msg::kFormatIncorrect, message) && !FormatWithText(text, program)) {
        const std::size_t comma = text.find(',');
        std::string_view name = comma == std::string::npos
                                    ? std::string_view()
                                    : Trim(std::string_view(text).substr(comma + 1));
        if (!name.empty() && name[0] == '&') name.remove_prefix(1);
        name = name.substr(0, NameLength(name));
        const Declared declared = DeclaredNames(program);
        const std::size_t quote = text.find('%');
        for (std::size_t k = 0; k < declared.names.size() && quote != std::string::npos; ++k) {
            if (declared.names[k] != name) continue;
            static const std::pair<std::string_view, std::string_view> kCodes[] = {
                {"int", "%d"}, {"float", "%f"}, {"char", "%c"}, {"string", "%s"}};
            for (const auto& [type, code] : kCodes) {
                if (declared.types[k] != type) continue;
                Hint hint;
                const std::string kind =
                    type == "string" ? "une chaîne" : "un " + std::string(type);
                hint.text = std::string(name) + Utf8ToCp1252(" est " + kind + " : son code est ") +
                            std::string(code) + ", " + text.substr(0, quote) + std::string(code) +
                            text.substr(std::min(text.size(), quote + 2));
                hint.page = "messages.html#format-incorrect";
                return hint;
            }
        }
    }
    // Messages that name a variable the program does not declare.
    const std::string variable = Utf8ToCp1252(msg::kVariable);
    for (const std::string& end : {Utf8ToCp1252(msg::kInconnue), Utf8ToCp1252(msg::kNExistePas)}) {
        if (message.size() <= variable.size() + end.size() ||
            message.substr(0, variable.size()) != variable ||
            message.substr(message.size() - end.size()) != end)
            continue;
        const std::string_view name =
            message.substr(variable.size(), message.size() - variable.size() - end.size());
        if (name.empty() || NameLength(name) != name.size() ||
            std::isdigit(static_cast<unsigned char>(name[0])))
            break;
        if (Hint hint = UndeclaredHint(name, program, line); !hint.text.empty()) return hint;
        Hint hint;
        hint.text = Utf8ToCp1252("Déclarez ") + std::string(name) +
                    Utf8ToCp1252(" en tête du programme, par exemple char ") + std::string(name) +
                    Utf8ToCp1252("[80]; pour un texte.");
        hint.page = "messages.html#identificateur-inconnu";
        return hint;
    }
    // A file variable the program does not declare: fputs(texte, f) or fgets(f, ligne).
    if (Matches(msg::kNomFichierInconnu, message)) {
        const std::size_t open = text.find('(');
        const std::size_t comma = StartsNoCase(text, "fputs") ? text.rfind(',') : text.find(',');
        if (open != std::string::npos && comma != std::string::npos && comma > open) {
            std::string_view name = StartsNoCase(text, "fputs")
                                        ? Trim(std::string_view(text).substr(comma + 1))
                                        : Trim(std::string_view(text).substr(open + 1));
            name = name.substr(0, NameLength(name));
            if (!name.empty()) {
                if (Hint hint = UndeclaredHint(name, program, line); !hint.text.empty())
                    return hint;
                Hint hint;
                hint.text = Utf8ToCp1252("Déclarez le fichier en tête du programme : file ") +
                            std::string(name) + ";";
                hint.page = "messages.html#fichiers";
                return hint;
            }
        }
    }
    // A name declared twice: where it was first.
    if (Matches(msg::kSymboleDejaDefini, message)) {
        const Declared declared = DeclaredNames(program);
        Hint hint;
        hint.page = "messages.html#declarations";
        for (std::size_t k = 0; k < declared.names.size(); ++k) {
            if (declared.lines[k] != line) continue;
            for (std::size_t j = 0; j < declared.names.size(); ++j)
                if (declared.names[j] == declared.names[k] &&
                    (declared.lines[j] < line || (declared.lines[j] == line && j < k))) {
                    hint.text = declared.names[k] + Utf8ToCp1252(" est déjà déclaré ligne ") +
                                std::to_string(declared.lines[j] + 1) +
                                Utf8ToCp1252(" : enlevez-le de cette ligne-ci.");
                    return hint;
                }
        }
        hint.text = Utf8ToCp1252("Un nom ne se déclare qu'une fois : enlevez le second.");
        return hint;
    }
    if (Matches(msg::kVariableNonInteger, message)) {
        const std::string_view name = Trim(std::string_view(text).substr(0, NameLength(text)));
        Hint hint;
        hint.text = Utf8ToCp1252("++ et -- ne vont qu'avec un int : écrivez ") + std::string(name) +
                    " = " + std::string(name) +
                    (text.find("--") != std::string::npos ? " - " : " + ") + "1;";
        hint.page = "messages.html#variables-calculs";
        return hint;
    }
    if (Matches(msg::kCaractereNonValide, message)) {
        // The name that starts with something else than a letter or digit.
        for (std::size_t at = text.find_first_of(" ,"); at != std::string::npos;
             at = text.find_first_of(",", at + 1)) {
            const std::string_view rest = Trim(std::string_view(text).substr(at + 1));
            if (rest.empty() || std::isalnum(static_cast<unsigned char>(rest[0])) || rest[0] == '*')
                continue;
            std::string_view name = rest.substr(0, rest.find_first_of(",;[ "));
            std::string_view fixed = name;
            while (!fixed.empty() && !std::isalnum(static_cast<unsigned char>(fixed[0])))
                fixed.remove_prefix(1);
            Hint hint;
            hint.text =
                Utf8ToCp1252("Un nom commence par une lettre") +
                (fixed.empty() ? std::string(".")
                               : Utf8ToCp1252(" : écrivez ") + std::string(fixed) +
                                     Utf8ToCp1252(" au lieu de ") + std::string(name) + ".");
            hint.page = "messages.html#declarations";
            return hint;
        }
    }
    // return in main(): the last of the main() and void lines above it is main().
    bool inMain = false;
    for (int k = 0; k < line && Matches(msg::kPileVide, message); ++k) {
        const std::string_view above = LineOf(program, k);
        if (StartsNoCase(above, "main()")) inMain = true;
        if (above.substr(0, 5) == "void ") inMain = false;
    }
    if (inMain && StartsNoCase(text, "return")) {
        Hint hint;
        hint.text = Utf8ToCp1252("return sert à revenir d'une procédure : pour arrêter le "
                                 "programme dans main(), écrivez exit;");
        hint.page = "messages.html#structure";
        return hint;
    }
    // puts of a variable that is no string: printf with the variable's code.
    if (Matches(msg::kPasUnString, message) && PutsLine(text, program)) {
        const std::size_t open = text.find('(');
        std::string_view name = open == std::string::npos
                                    ? std::string_view()
                                    : Trim(std::string_view(text).substr(open + 1));
        name = name.substr(0, NameLength(name));
        const Declared declared = DeclaredNames(program);
        static const std::pair<std::string_view, std::string_view> kCodes[] = {
            {"int", "%d"}, {"float", "%f"}, {"char", "%c"}};
        for (std::size_t k = 0; k < declared.names.size() && !name.empty(); ++k) {
            if (declared.names[k] != name) continue;
            for (const auto& [type, code] : kCodes) {
                if (declared.types[k] != type) continue;
                Hint hint;
                hint.text = Utf8ToCp1252("puts n'affiche qu'une chaîne : pour un ") +
                            std::string(type) + Utf8ToCp1252(", écrivez printf(\"") +
                            std::string(code) + "\\n\", " + std::string(name) + ");";
                hint.page = "messages.html#textes";
                return hint;
            }
        }
    }
    if (const std::string notInt = Utf8ToCp1252(msg::kPasUnEntier);
        message.size() > notInt.size() + 1 && message[0] == '\'' &&
        message.substr(message.size() - notInt.size()) == notInt) {
        const std::string_view number = message.substr(1, message.size() - notInt.size() - 1);
        std::size_t digits = 0;
        while (digits < number.size() && std::isdigit(static_cast<unsigned char>(number[digits])))
            ++digits;
        Hint hint;
        hint.page = "messages.html#variables-calculs";
        if (digits > 0 && digits < number.size() &&
            NameLength(number.substr(digits)) == number.size() - digits)
            hint.text = Utf8ToCp1252("Écrivez la multiplication avec * : ") +
                        std::string(number.substr(0, digits)) + " * " +
                        std::string(number.substr(digits)) + ".";
        else if (number.find_first_of(".,") != std::string_view::npos)
            hint.text = Utf8ToCp1252("Un int ne garde que des nombres entiers : pour ") +
                        std::string(number) + Utf8ToCp1252(", déclarez la variable en float.");
        else
            hint.text =
                Utf8ToCp1252("Un nombre entier ne s'écrit qu'avec des chiffres : vérifiez « ") +
                std::string(number) + Utf8ToCp1252(" ».");
        return hint;
    }
    for (const Rule& rule : kRules) {
        if (!Matches(rule.message, message) || !rule.applies(text, program)) continue;
        Hint hint;
        hint.text = Utf8ToCp1252(rule.hint);
        hint.page = "messages.html#" + std::string(rule.section);
        // The fopen to change is on a line of its own.
        if (rule.applies == BlankBeforeFopen) {
            hint.line = LineOpeningWithBlank(program, std::string(FputsFile(text)));
            hint.text += Utf8ToCp1252(" à la ligne ") + std::to_string(hint.line + 1) + ".";
        }
        return hint;
    }
    return {};
}

} // namespace vokc
