// The look before the run. Every line is read once into a small record (its text, its
// indentation, its text with the insides of "..." blanked out); the rules then walk
// those records. Indentation only decides where a brace is missing or one too many, or
// whether the lines after a header were meant as its body. Statements are recognised in
// any case, as the run does; the corrected lines are built from the student's own text.
#include "program_check.h"

#include <algorithm>
#include <map>
#include <set>

#include "interpreter.h"
#include "text.h"

namespace vokc {

namespace {

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text with every character between double quotes turned into '_' (the quotes
// stay), so that a brace, a comment or an operator inside a text is not taken for code.
std::string Unquoted(std::string_view text) {
    std::string out(text);
    bool quoted = false;
    for (char& c : out) {
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (quoted) c = '_';
    }
    return out;
}

// The text with its first word in lower case when that word is a statement of the
// language, which the run recognises in any case ("IF (", "Printf(", "While"): the rules
// below then read one spelling. Type words are left: "Int x" declares nothing.
std::string KeywordsLowered(std::string code) {
    static const std::string_view kStatements[] = {
        "if",      "else",      "for",    "while",  "do",     "break",  "goto",
        "return",  "exit",      "printf", "puts",   "scanf",  "gets",   "fputs",
        "fgets",   "fclose",    "clrscr", "gotoxy", "strcat", "strcpy", "strncat",
        "strncpy", "randomize", "chdir",  "mkdir",  "rmdir"};
    std::size_t n = 0;
    while (n < code.size() && IsNameChar(code[n]))
        ++n;
    for (std::string_view word : kStatements)
        if (n == word.size() && EqualsNoCase(std::string_view(code).substr(0, n), word)) {
            code.replace(0, n, word);
            break;
        }
    return code;
}

// The name that starts `text` (letters, digits, '_').
std::string_view LeadingName(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size() && IsNameChar(text[n]))
        ++n;
    return text.substr(0, n);
}

bool StartsWord(std::string_view text, std::string_view word) {
    return StartsWith(text, word) && (text.size() == word.size() || !IsNameChar(text[word.size()]));
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Where the double quote that closes the text opened at `open` is (npos: none).
std::size_t ClosingQuote(std::string_view text, std::size_t open) {
    return text.find('"', open + 1);
}

// The arguments of the call whose '(' is at `open`, split at the commas outside texts,
// each trimmed; empty when the ')' is missing.
std::vector<std::string> Arguments(std::string_view code, std::string_view text, std::size_t open) {
    std::vector<std::string> out;
    const std::size_t close = code.rfind(')');
    if (close == std::string_view::npos || close < open) return out;
    std::size_t from = open + 1;
    for (std::size_t k = open + 1; k <= close; ++k) {
        if (k == close || code[k] == ',') {
            out.emplace_back(Trim(text.substr(from, k - from)));
            from = k + 1;
        }
    }
    return out;
}

// The first operator of a calculation outside parentheses ("n1 + n2 + n3" gives 3, the
// place of its '+'), npos when there is none. A leading sign is no operator.
std::size_t FirstOperator(std::string_view text, std::size_t from = 1) {
    for (std::size_t k = from; k < text.size(); ++k)
        if (std::string_view("+-*/%").find(text[k]) != std::string_view::npos) return k;
    return std::string_view::npos;
}

// The places of the operators of the calculation `text` (a value after '='): outside
// texts, characters and parentheses; a sign that starts an operand is no operator.
std::vector<std::size_t> Operators(std::string_view text) {
    std::vector<std::size_t> out;
    bool quoted = false, character = false, operand = false;
    int depth = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '"' && !character) quoted = !quoted;
        if (c == '\'' && !quoted) character = !character;
        if (quoted || character) {
            operand = true;
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (IsBlank(c) || depth > 0) continue;
        if (std::string_view("+-*/%").find(c) != std::string_view::npos) {
            if (operand) out.push_back(k);
            operand = false;
        } else {
            operand = true;
        }
    }
    return out;
}

// Whether `text` holds the name `name` as a whole word.
bool HasName(std::string_view text, std::string_view name) {
    if (name.empty()) return false;
    for (std::size_t at = text.find(name); at != std::string_view::npos;
         at = text.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if ((at == 0 || !IsNameChar(text[at - 1])) &&
            (end >= text.size() || !IsNameChar(text[end])))
            return true;
    }
    return false;
}

std::string W(std::string_view utf8) {
    return Utf8ToCp1252(utf8);
}

struct Line {
    int index = 0;    // 0-based line of the program
    int indent = 0;   // columns before the text, a tab counting for 4
    std::string text; // trimmed, Windows-1252
    std::string code; // `text` with the insides of texts blanked (Unquoted)
    bool comment = false;
    bool commentGoesOn = false; // a line inside a /* ... */ opened on a line above
};

enum class Kind { If, For, While, DoEnd, Other };

// The statements a header's parenthesis holds: "for (i=1; i<=3; i++)" gives its three
// parts. Empty when the line is no such header.
struct Header {
    Kind kind = Kind::Other;
    std::string inside; // between the first '(' and its matching ')'
    std::string after;  // what follows that ')', trimmed
};

Header ReadHeader(std::string_view code) {
    Header h;
    std::size_t word = 0;
    if (StartsWord(code, "if")) {
        h.kind = Kind::If;
        word = 2;
    } else if (StartsWord(code, "for")) {
        h.kind = Kind::For;
        word = 3;
    } else if (StartsWord(code, "while")) {
        h.kind = Kind::While;
        word = 5;
    } else {
        return h;
    }
    const std::size_t open = code.find('(', word);
    if (open == std::string_view::npos || !Trim(code.substr(word, open - word)).empty()) {
        h.kind = Kind::Other;
        return h;
    }
    int depth = 0;
    std::size_t close = std::string_view::npos;
    for (std::size_t k = open; k < code.size(); ++k) {
        if (code[k] == '(') ++depth;
        if (code[k] == ')' && --depth == 0) {
            close = k;
            break;
        }
    }
    if (close == std::string_view::npos) {
        h.kind = Kind::Other;
        return h;
    }
    h.inside = std::string(code.substr(open + 1, close - open - 1));
    h.after = std::string(Trim(code.substr(close + 1)));
    return h;
}

// A condition "a OP b": its two operands and its operator (empty when there is none).
struct Condition {
    std::string left, op, right;
};

Condition ReadCondition(std::string_view text) {
    static const std::string_view kOps[] = {"==", "!=", "<=", ">=", "<", ">"};
    Condition c;
    for (std::size_t k = 0; k < text.size(); ++k) {
        for (std::string_view op : kOps) {
            if (text.substr(k, op.size()) == op) {
                c.left = std::string(Trim(text.substr(0, k)));
                c.op = std::string(op);
                c.right = std::string(Trim(text.substr(k + op.size())));
                return c;
            }
        }
    }
    return c;
}

// The names a condition compares (numbers, texts and characters aside).
std::vector<std::string> ConditionNames(const Condition& c) {
    std::vector<std::string> names;
    for (const std::string& side : {c.left, c.right}) {
        std::string_view s = Trim(side);
        const std::size_t bracket = s.find('[');
        if (bracket != std::string_view::npos) s = s.substr(0, bracket);
        if (!s.empty() && !IsDigit(s[0]) && s[0] != '-' && LeadingName(s).size() == s.size())
            names.emplace_back(s);
    }
    return names;
}

class Checker {
  public:
    explicit Checker(const ProgramText& program) {
        const int count = program.LineCount();
        lines_.reserve(static_cast<std::size_t>(count));
        bool openComment = false;
        for (int i = 0; i < count; ++i) {
            const std::string_view raw = StripLineMarkers(program.Line(i));
            Line line;
            line.index = i;
            for (char c : raw) {
                if (c == ' ')
                    ++line.indent;
                else if (c == '\t')
                    line.indent += 4;
                else
                    break;
            }
            line.text = std::string(Trim(raw));
            if (line.text.empty()) continue;
            line.comment = StartsWith(line.text, "//") || StartsWith(line.text, "/*");
            // A /* comment goes on to the next lines until */: those run as statements.
            if (openComment) {
                line.commentGoesOn = !line.comment;
                line.comment = true;
                openComment = !Contains(line.text, "*/");
            } else if (StartsWith(line.text, "/*") && !Contains(line.text, "*/")) {
                openComment = true;
            }
            line.code = KeywordsLowered(Unquoted(line.text));
            if (!line.comment) code_.push_back(lines_.size());
            lines_.push_back(std::move(line));
        }
    }

    std::vector<ProgramWarning> Run() {
        for (std::size_t k = 0; k < lines_.size(); ++k)
            if (lines_[k].commentGoesOn && k > 0 && !lines_[k - 1].commentGoesOn)
                Warn(lines_[k],
                     W("Un commentaire tient sur une ligne : commencez aussi celle-ci par "
                       "// (ou /*)."));
        ReadDeclarations();
        for (std::size_t k = 0; k < code_.size(); ++k)
            CheckLine(k);
        CheckTextsInChars();
        CheckMainMissing();
        CheckBraces();
        std::sort(warnings_.begin(), warnings_.end(),
                  [](const ProgramWarning& a, const ProgramWarning& b) { return a.line < b.line; });
        return std::move(warnings_);
    }

  private:
    const Line& Code(std::size_t k) const { return lines_[code_[k]]; }
    bool HasCode(std::size_t k) const { return k < code_.size(); }

    void Warn(const Line& line, std::string text) {
        if (warned_.insert(line.index).second) warnings_.push_back({line.index, std::move(text)});
    }

    // Arrays (int and float with a size), procedures, and where main() is.
    void ReadDeclarations() {
        for (std::size_t k = 0; k < code_.size(); ++k) {
            const Line& line = Code(k);
            const std::string_view code = line.code;
            if (code.size() >= 6 && EqualsNoCase(code.substr(0, 6), "main()")) mainLine_ = k;
            if (StartsWord(code, "void")) {
                const std::string_view name = LeadingName(Trim(code.substr(4)));
                if (!name.empty()) procedures_.insert(std::string(name));
            }
            if (StartsWord(code, "char")) {
                // "char c, nom;": the names without a size hold one character.
                std::string_view rest = code.substr(4);
                while (!rest.empty()) {
                    const std::size_t comma = rest.find_first_of(",;");
                    std::string_view name = Trim(rest.substr(0, comma));
                    while (!name.empty() && name[0] == '*')
                        name.remove_prefix(1);
                    if (!name.empty() && LeadingName(name).size() == name.size())
                        chars_.emplace(std::string(name), k);
                    if (comma == std::string_view::npos) break;
                    rest.remove_prefix(comma + 1);
                }
            }
            if (StartsWord(code, "int") || StartsWord(code, "float")) {
                // "int t[5], u[3];": every name with a size.
                std::string_view rest = code.substr(
                    code.find(' ') == std::string_view::npos ? code.size() : code.find(' '));
                while (!rest.empty()) {
                    rest = SkipLeadingBlanks(rest);
                    const std::string_view name = LeadingName(rest);
                    rest.remove_prefix(name.size());
                    rest = SkipLeadingBlanks(rest);
                    if (!name.empty() && !rest.empty() && rest[0] == '[') {
                        int size = 0;
                        std::size_t d = 1;
                        while (d < rest.size() && IsDigit(rest[d]) && size < 1000000)
                            size = size * 10 + (rest[d++] - '0');
                        if (d > 1) arrays_[std::string(name)] = size;
                    }
                    const std::size_t comma = rest.find(',');
                    if (comma == std::string_view::npos) break;
                    rest.remove_prefix(comma + 1);
                }
            }
        }
    }

    // The code lines of the body of the header at code line k: the next line, or the
    // block that starts there. `end` is one past the body's last line.
    bool Body(std::size_t k, std::size_t& begin, std::size_t& end) const {
        begin = k + 1;
        if (!HasCode(begin)) return false;
        if (Code(begin).text != "{") {
            end = begin + 1;
            return true;
        }
        int depth = 0;
        for (std::size_t j = begin; j < code_.size(); ++j) {
            const std::string_view t = Code(j).text;
            if (t == "{") ++depth;
            if (StartsWith(t, "}") && --depth == 0) {
                end = j;
                ++begin;
                return true;
            }
        }
        return false;
    }

    // Whether the body lines [begin, end) may change the variable `name`.
    bool Changes(std::size_t begin, std::size_t end, const std::string& name) const {
        for (std::size_t j = begin; j < end; ++j) {
            const std::string_view c = Code(j).code;
            const std::string_view first = LeadingName(c);
            if (first == name) return true; // "x = ...", "x++", "x--"
            // A call may change anything; so may a jump.
            if (StartsWord(c, "goto") || StartsWord(c, "break") || Contains(c, "();")) return true;
            if (procedures_.count(std::string(first))) return true;
            // Reads and text functions name their destination inside their parentheses.
            for (std::size_t at = c.find(name); at != std::string_view::npos;
                 at = c.find(name, at + 1)) {
                const bool whole =
                    (at == 0 || !IsNameChar(c[at - 1])) &&
                    (at + name.size() >= c.size() || !IsNameChar(c[at + name.size()]));
                if (!whole) continue;
                if (at > 0 && c[at - 1] == '&') return true;
                if (StartsWith(c, "gets") || StartsWith(c, "fgets") || StartsWith(c, "str") ||
                    StartsWith(c, "scanf"))
                    return true;
            }
        }
        return false;
    }

    void CheckLine(std::size_t k);
    void CheckHeader(std::size_t k, const Header& h);
    void CheckFor(std::size_t k, const Header& h);
    void CheckWhile(std::size_t k, const Header& h);
    void CheckDoEnd(std::size_t k, const Header& h);
    void CheckIndices(const Line& line);
    void CheckIfWithoutElse(std::size_t k);
    void CheckMainMissing();
    void CheckTextsInChars();
    void CheckBraces();

    std::vector<Line> lines_;
    std::vector<std::size_t> code_; // indices in lines_ of the lines that are code
    std::size_t mainLine_ = static_cast<std::size_t>(-1);
    std::set<std::string> procedures_;
    std::map<std::string, int> arrays_;
    std::map<std::string, std::size_t> readFiles_; // file variable -> its fopen "r" line
    std::map<std::string, std::size_t> chars_;     // char without a size -> its declaration
    bool mainBraceMissing_ = false;
    int openDo_ = 0;
    std::set<int> warned_;
    std::vector<ProgramWarning> warnings_;
};

void Checker::CheckLine(std::size_t k) {
    const Line& line = Code(k);
    const std::string_view code = line.code;

    // A comment after a statement is part of the statement.
    {
        const std::size_t slash = std::min(code.find("//"), code.find("/*"));
        if (slash != std::string_view::npos && slash > 0)
            return Warn(line, W("Un commentaire occupe toute une ligne : écrivez « ") +
                                  std::string(Trim(line.text.substr(0, slash))) +
                                  W(" » seul et passez le commentaire sur la ligne d'au-dessus."));
    }

    // Declarations.
    const std::string_view first = LeadingName(code);
    static const std::string_view kOtherTypes[] = {"double", "long", "short", "unsigned", "bool"};
    const std::string_view afterFirst = Trim(code.substr(first.size()));
    const bool declares =
        !afterFirst.empty() && (IsNameChar(afterFirst[0]) || afterFirst[0] == '*');
    for (std::string_view type : kOtherTypes)
        if (first == type && declares)
            return Warn(line, W("Le type ") + std::string(type) +
                                  W(" n'existe pas : écrivez float (nombre à virgule) ou int."));
    if (first == "string" || first == "String")
        return Warn(line, W("Une chaîne se déclare avec sa taille : char ") +
                              std::string(LeadingName(Trim(code.substr(first.size())))) + "[80];");
    if (first == "FILE") {
        std::string_view rest = code.substr(4);
        while (!rest.empty() && (IsBlank(rest[0]) || rest[0] == '*'))
            rest.remove_prefix(1);
        return Warn(line, W("Un fichier se déclare en minuscules, sans étoile : file ") +
                              std::string(LeadingName(rest)) + ";");
    }
    static const std::string_view kTypes[] = {"int", "float", "char", "file", "void"};
    for (std::string_view type : kTypes) {
        if (first.size() == type.size() && first != type && EqualsNoCase(first, type))
            return Warn(line, W("Écrivez ") + std::string(type) + W(" en minuscules : ") +
                                  std::string(type) + std::string(code.substr(type.size())));
    }
    if ((first == "int" || first == "void") && Contains(code, "main")) {
        return Warn(line, W("Le programme commence par main() seul : écrivez main() sans ") +
                              std::string(first) + ".");
    }
    const bool declaration =
        first == "int" || first == "float" || first == "char" || first == "file";
    if (declaration) {
        if (const std::size_t empty = code.find("[]"); empty != std::string_view::npos) {
            std::string fixed = line.text;
            fixed.insert(empty + 1, "10");
            return Warn(line, W("Donnez la taille du tableau entre les crochets : ") + fixed);
        }
        if (Contains(code, "=")) {
            // Every "= value" taken out: "int i = 0, s = 0;" gives "int i, s;".
            std::string names;
            for (std::string_view rest = code.substr(first.size()); !rest.empty();) {
                const std::size_t comma = rest.find_first_of(",;");
                const std::string_view part = rest.substr(0, comma);
                const std::string_view name = Trim(part.substr(0, part.find('=')));
                if (!name.empty()) names += (names.empty() ? "" : ", ") + std::string(name);
                if (comma == std::string_view::npos || rest[comma] == ';') break;
                rest.remove_prefix(comma + 1);
            }
            return Warn(line, W("Une déclaration ne donne pas de valeur : écrivez ") +
                                  std::string(first) + " " + names +
                                  W("; puis donnez la valeur dans main()."));
        }
        // "int a; int b;": the first semicolon ends the line for the language.
        if (const std::size_t semi = code.find(';'); semi != std::string_view::npos &&
                                                     !Trim(code.substr(semi + 1)).empty() &&
                                                     Trim(code.substr(semi + 1)) != ";") {
            std::string names;
            bool sameType = true;
            for (std::string_view rest = line.text; !rest.empty();) {
                const std::size_t end = rest.find(';');
                std::string_view part = Trim(rest.substr(0, end));
                rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
                if (part.empty()) continue;
                if (!StartsWord(part, first)) {
                    sameType = false;
                    break;
                }
                names += (names.empty() ? "" : ", ") + std::string(Trim(part.substr(first.size())));
            }
            if (sameType)
                return Warn(line,
                            W("Un seul point-virgule, à la fin de la déclaration : écrivez ") +
                                std::string(first) + " " + names + ";");
            return Warn(line, W("Une déclaration par ligne : écrivez « ") +
                                  line.text.substr(0, semi + 1) + W(" » puis « ") +
                                  std::string(Trim(line.text.substr(semi + 1))) +
                                  W(" » sur la ligne suivante."));
        }
        return;
    }
    if (k == mainLine_ && HasCode(k + 1) && Code(k + 1).code[0] != '{') {
        mainBraceMissing_ = true;
        return Warn(line, W("Mettez { seule sur la ligne après main() : sans elle, le programme "
                            "s'arrête avant sa première instruction."));
    }
    if (StartsWord(code, "void")) {
        const std::string_view rest = Trim(code.substr(4));
        const std::string_view name = LeadingName(rest);
        if (!name.empty() && name.size() < rest.size() && IsBlank(rest[name.size()]) &&
            StartsWith(Trim(rest.substr(name.size())), "("))
            return Warn(line, W("Écrivez void ") + std::string(name) +
                                  W("() sans espace avant la parenthèse : sinon la procédure "
                                    "n'est pas trouvée."));
    }
    if (StartsWord(code, "void") && mainLine_ != static_cast<std::size_t>(-1) && k > mainLine_)
        return Warn(line, W("Écrivez cette procédure avant main() : placée après, elle "
                            "s'exécute encore une fois à la fin du programme."));
    if (mainLine_ == static_cast<std::size_t>(-1)) {
        // No main() line: the line that looks like the start of the program.
        const bool called = code.size() > 2 && code.substr(code.size() - 2) == "()" &&
                            LeadingName(code).size() == code.size() - 2;
        if (StartsWord(code, "main") && Trim(code.substr(4)) == "()")
            return Warn(line, W("Écrivez main() sans espace avant la parenthèse : sinon le "
                                "programme ne trouve pas son début."));
        if ((StartsWord(code, "main") && code.back() != '{') ||
            (called && !procedures_.count(std::string(first)) && HasCode(k + 1) &&
             Code(k + 1).text == "{"))
            return Warn(line, W("Le programme commence à une ligne main() : écrivez main() "
                                "seul sur cette ligne."));
    }

    // Braces share their line with nothing.
    if (code[0] == '}' && Contains(code, "else"))
        return Warn(line, W("Écrivez }, puis else, puis {, chacun seul sur sa ligne."));
    if (code.size() > 1 && code.back() == '{')
        return Warn(line, W("L'accolade { doit être seule sur sa ligne : écrivez « ") +
                              std::string(Trim(line.text.substr(0, line.text.size() - 1))) +
                              W(" » puis { sur la ligne suivante."));
    if (code[0] == '{' && code.size() > 1)
        return Warn(line, W("L'accolade { doit être seule sur sa ligne : ce qui la suit est "
                            "ignoré. Écrivez { puis « ") +
                              std::string(Trim(line.text.substr(1))) +
                              W(" » sur la ligne suivante."));
    if (code[0] == '}' && code != "}" && Trim(code.substr(1)) != ";") {
        std::string rest(Trim(line.text.substr(1)));
        if (!rest.empty() && rest[0] == ';') rest = std::string(Trim(rest.substr(1)));
        return Warn(line, W("L'accolade } doit être seule sur sa ligne : écrivez } puis « ") +
                              rest + W(" » sur la ligne suivante."));
    }

    // else stands alone, and the line before it has no semicolon.
    if (StartsWord(code, "else")) {
        const std::string rest(Trim(line.text.substr(4)));
        if (rest == ";") return Warn(line, W("Écrivez else seul, sans point-virgule."));
        if (!rest.empty())
            return Warn(line, W("else doit être seul sur sa ligne : écrivez else, puis « ") + rest +
                                  W(" » sur la ligne suivante."));
        // A body of several lines without its braces: only the next line is the else's.
        if (HasCode(k + 2) && Code(k + 1).text != "{" &&
            ReadHeader(Code(k + 1).code).kind == Kind::Other) {
            const Line& next = Code(k + 1);
            const Line& then = Code(k + 2);
            if (next.indent > line.indent && then.indent == next.indent && then.code[0] != '}' &&
                then.text != "{" && !StartsWord(then.code, "else"))
                Warn(line, W("Seule la ligne suivante dépend de ce else : si le corps a plusieurs "
                             "lignes, mettez { seule sur la ligne suivante et } après le corps."));
        }
        if (k > 0) {
            const Line& before = Code(k - 1);
            if (before.code[0] == '}' && Trim(before.code.substr(1)) == ";")
                Warn(before, W("Avec };, le else qui suit n'est jamais exécuté : écrivez } "
                               "seule pour annoncer le else."));
            else if (before.code.back() == ';')
                Warn(before, W("Ce point-virgule dit qu'aucun else ne suit : le else n'est "
                               "jamais exécuté. Écrivez « ") +
                                 before.text.substr(0, before.text.size() - 1) +
                                 W(" » sans point-virgule."));
        }
        return;
    }

    // Texts between apostrophes (one character only goes there).
    for (std::size_t a = code.find('\''); a != std::string_view::npos; a = code.find('\'', a + 1)) {
        const std::size_t b = code.find('\'', a + 1);
        if (b == std::string_view::npos) break;
        if (b - a > 2 && code[a + 1] != '\\') {
            return Warn(line, W("Un texte s'écrit entre guillemets : \"") +
                                  std::string(line.text.substr(a + 1, b - a - 1)) +
                                  W("\" (les apostrophes entourent un seul caractère)."));
        }
        a = b;
    }

    // A file opened for reading and written to.
    if (const std::size_t at = code.find("fopen("); at != std::string_view::npos) {
        const std::string_view var = LeadingName(code);
        const std::string_view between = code.substr(var.size(), at - var.size());
        if (!var.empty() && Contains(between, "=") && between != "=")
            return Warn(line, W("Écrivez ") + std::string(var) +
                                  W("=fopen(...) sans espace "
                                    "autour du = : sinon le "
                                    "fichier n'est pas ouvert."));
        const std::size_t comma = code.rfind(',');
        if (!var.empty() && comma != std::string_view::npos && comma > at) {
            const std::string_view mode = Trim(std::string_view(line.text).substr(comma + 1));
            if (mode.size() > 1 && mode[0] == '"' && (mode[1] == 'r' || mode[1] == 'R'))
                readFiles_[std::string(var)] = k;
            else
                readFiles_.erase(std::string(var));
        }
    }
    if (StartsWith(code, "fputs(")) {
        const std::size_t comma = code.rfind(',');
        const std::size_t close = code.rfind(')');
        if (comma != std::string_view::npos && close != std::string_view::npos && close > comma) {
            const std::string file(Trim(code.substr(comma + 1, close - comma - 1)));
            if (auto it = readFiles_.find(file); it != readFiles_.end()) {
                Warn(Code(it->second),
                     W("La ligne ") + std::to_string(line.index + 1) + W(" écrit dans ") + file +
                         W(" : ouvrez-le en écriture, avec \"w\" au lieu de \"r\"."));
                readFiles_.erase(it);
            }
        }
    }

    const Header h = ReadHeader(code);
    if (h.kind != Kind::Other) {
        CheckHeader(k, h);
    } else if (StartsWord(code, "do") && code.size() == 2) {
        ++openDo_;
    } else if (const std::string advice = ShapeAdvice(line.text); !advice.empty()) {
        Warn(line, W(advice));
    }
    CheckIndices(line);
}

void Checker::CheckHeader(std::size_t k, const Header& h) {
    const Line& line = Code(k);
    if (h.kind == Kind::While && openDo_ > 0) {
        --openDo_;
        return CheckDoEnd(k, h);
    }
    const char* word = h.kind == Kind::If ? "if" : h.kind == Kind::For ? "for" : "while";
    if (h.after == ";")
        return Warn(line, W("Pas de point-virgule après ") + word +
                              W(" (...) : sinon la ligne suivante n'en dépend pas. Écrivez « ") +
                              line.text.substr(0, line.text.rfind(';')) + W(" »."));
    if (const std::string_view inside = Trim(h.inside);
        h.kind == Kind::While && StartsWith(inside, "feof("))
        return Warn(line, W("Écrivez while (!") +
                              std::string(inside.substr(0, inside.find(')') + 1)) +
                              W(") : la boucle tourne tant que le fichier n'est pas fini."));
    if (const std::string advice = ShapeAdvice(line.text); !advice.empty())
        return Warn(line, W(advice));
    if (h.kind == Kind::If) CheckIfWithoutElse(k);
    if (h.kind == Kind::For) CheckFor(k, h);
    if (h.kind == Kind::While) CheckWhile(k, h);

    // A body of several lines without its braces: only the next line depends on the header.
    if (!HasCode(k + 2) || Code(k + 1).text == "{" || !h.after.empty()) return;
    const Line& next = Code(k + 1);
    const Line& then = Code(k + 2);
    const Kind nextKind = ReadHeader(next.code).kind;
    if (h.kind != Kind::If && (nextKind == Kind::For || nextKind == Kind::While))
        return Warn(line, W("Une boucle dans une boucle : mettez le corps de cette boucle entre "
                            "{ et }, chacune seule sur sa ligne."));
    const std::string_view counter = LeadingName(Trim(h.inside));
    const std::size_t equals = then.code.find('=');
    // Written without indentation: a for followed by a line that adds its counter to a
    // total ("s = s + i;"), which after the loop would add the counter's last value.
    const bool flatSum = h.kind == Kind::For && !counter.empty() && next.indent == line.indent &&
                         then.indent == line.indent && equals != std::string_view::npos &&
                         equals + 1 < then.code.size() && then.code[equals + 1] != '=' &&
                         ReadHeader(then.code).kind == Kind::Other &&
                         HasName(then.code.substr(equals + 1), counter) &&
                         HasName(then.code.substr(equals + 1), LeadingName(then.code)) &&
                         LeadingName(then.code) != counter;
    if ((next.indent > line.indent && then.indent == next.indent && then.code[0] != '}' &&
         then.text != "{" && !StartsWord(then.code, "else") && nextKind == Kind::Other) ||
        (flatSum && nextKind == Kind::Other))
        Warn(line, W("Seule la ligne suivante dépend de ce ") + word +
                       W(" : si le corps a plusieurs lignes, mettez { seule sur la ligne "
                         "suivante et } après le corps."));
}

void Checker::CheckFor(std::size_t k, const Header& h) {
    const Line& line = Code(k);
    // for (i=start; i OP end; i++)
    const std::size_t s1 = h.inside.find(';');
    const std::size_t s2 = s1 == std::string::npos ? s1 : h.inside.find(';', s1 + 1);
    if (s2 == std::string::npos) return;
    const std::string_view init = Trim(std::string_view(h.inside).substr(0, s1));
    const Condition cond = ReadCondition(std::string_view(h.inside).substr(s1 + 1, s2 - s1 - 1));
    const std::string_view step = Trim(std::string_view(h.inside).substr(s2 + 1));
    const std::string_view counter = LeadingName(init);
    if (counter.empty()) return;
    const std::string c(counter);
    const bool up = step == c + "++";
    const bool down = step == c + "--";
    if (!up && !down)
        return Warn(line, W("Le pas d'un for est toujours 1 : écrivez ") + c + "++ (ou " + c +
                              W("-- pour descendre)."));
    if (up && (cond.op == ">" || cond.op == ">="))
        return Warn(line, W("Avec ") + cond.left + " " + cond.op + " " + cond.right +
                              W(", le compteur doit descendre : écrivez ") + c + "--.");
    if (down && (cond.op == "<" || cond.op == "<="))
        return Warn(line, W("Avec ") + cond.left + " " + cond.op + " " + cond.right +
                              W(", le compteur doit monter : écrivez ") + c + "++.");

    // An array walked by the counter: from 1 to its size.
    std::size_t begin = 0, end = 0;
    if (!up || !Body(k, begin, end)) return;
    const std::size_t eq = init.find('=');
    if (eq == std::string_view::npos) return;
    const std::string_view start = Trim(init.substr(eq + 1));
    const std::string_view last = cond.right;
    for (std::size_t j = begin; j < end; ++j) {
        const std::string_view body = Code(j).code;
        for (const auto& [name, size] : arrays_) {
            const std::string use = name + "[" + c + "]";
            const std::size_t at = body.find(use);
            if (at == std::string_view::npos || (at > 0 && IsNameChar(body[at - 1]))) continue;
            if (start == "0")
                return Warn(line, W("Les éléments de ") + name + W(" vont de ") + name +
                                      W("[1] à ") + name + "[" + std::to_string(size) +
                                      W("] : commencez à ") + c + W("=1."));
            if (!last.empty() && IsDigit(last[0]) && LeadingName(last).size() == last.size()) {
                const long value = std::stol(std::string(last.substr(0, 7)));
                const long top = cond.op == "<" ? value - 1 : value;
                if (top > size)
                    return Warn(line, name + W(" n'a que ") + std::to_string(size) +
                                          W(" éléments : arrêtez le compteur à ") + c +
                                          "<=" + std::to_string(size) + ".");
            }
        }
    }
}

void Checker::CheckWhile(std::size_t k, const Header& h) {
    const Condition cond = ReadCondition(h.inside);
    if (cond.op.empty()) return;
    const std::vector<std::string> names = ConditionNames(cond);
    if (names.empty()) return;
    std::size_t begin = 0, end = 0;
    if (!Body(k, begin, end) || begin >= end) return;
    // One counter compared with a number or a name the body leaves alone, and moved only
    // the other way than the comparison waits for: the loop never ends.
    if (names.size() >= 1 && cond.left == names[0] && cond.op != "==" && cond.op != "!=" &&
        (names.size() == 1 || !Changes(begin, end, names[1]))) {
        const std::string& v = names[0];
        bool up = false, down = false, other = false;
        std::size_t moved = end;
        for (std::size_t j = begin; j < end; ++j) {
            std::string t;
            for (char ch : Code(j).code)
                if (!IsBlank(ch)) t += ch;
            const bool plus = StartsWith(t, v + "++") || StartsWith(t, v + "=" + v + "+");
            const bool minus = StartsWith(t, v + "--") || StartsWith(t, v + "=" + v + "-");
            if (plus || minus) moved = j;
            up = up || plus;
            down = down || minus;
            other = other || (!plus && !minus && Changes(j, j + 1, v));
        }
        const bool wantsUp = cond.op == "<" || cond.op == "<=";
        if (!other && moved < end && up != down && up != wantsUp) {
            // The moving line with its sign turned: i-- for i++, s = s + 1 for s = s - 1.
            std::string fixed = Code(moved).text;
            const std::size_t twice =
                fixed.find("++") != std::string::npos ? fixed.find("++") : fixed.find("--");
            if (twice != std::string::npos) {
                fixed.replace(twice, 2, wantsUp ? "++" : "--");
            } else {
                const std::size_t sign = fixed.find_first_of("+-", fixed.find('='));
                if (sign != std::string::npos) fixed[sign] = wantsUp ? '+' : '-';
            }
            return Warn(Code(moved), v + W(" doit ") + (wantsUp ? "monter" : "descendre") +
                                         W(" pour que la boucle while de la ligne ") +
                                         std::to_string(Code(k).index + 1) +
                                         W(" s'arrête : écrivez ") + fixed);
        }
    }
    for (const std::string& name : names)
        if (Changes(begin, end, name)) return;
    const Line& last = Code(end - 1);
    // Read before the loop: read it again at the end of the body.
    for (std::size_t j = k; j-- > 0;) {
        const std::string_view c = Code(j).code;
        if (!(StartsWith(c, "scanf") || StartsWith(c, "gets") || StartsWith(c, "fgets"))) continue;
        const std::size_t at = c.rfind(names[0]);
        if (at == std::string_view::npos || (at > 0 && IsNameChar(c[at - 1])) ||
            (at + names[0].size() < c.size() && IsNameChar(c[at + names[0].size()])))
            continue;
        return Warn(last, names[0] + W(" ne change jamais dans la boucle while de la ligne ") +
                              std::to_string(Code(k).index + 1) +
                              W(" : elle ne s'arrêtera pas. Lisez-le à nouveau dans la boucle, "
                                "après cette ligne : ") +
                              Code(j).text);
    }
    // The way the name has to go for the condition to become false.
    const bool left = names[0] == cond.left;
    const bool down = (left && (cond.op == ">" || cond.op == ">=")) ||
                      (!left && (cond.op == "<" || cond.op == "<="));
    Warn(last, names[0] + W(" ne change jamais dans la boucle while de la ligne ") +
                   std::to_string(Code(k).index + 1) +
                   W(" : elle ne s'arrêtera pas. Changez-le dans la boucle, par exemple ") +
                   names[0] + (down ? "--" : "++") + W("; après cette ligne."));
}

void Checker::CheckDoEnd(std::size_t k, const Header& h) {
    const Line& line = Code(k);
    const Condition cond = ReadCondition(h.inside);
    if (cond.op.empty()) return;
    // The body: back to the do line.
    std::size_t begin = k;
    while (begin > 0 && Code(begin - 1).text != "do")
        --begin;
    bool up = false, down = false;
    for (std::size_t j = begin; j < k; ++j) {
        // The line without its blanks: "i++;", "i = i + 2" and the like.
        std::string t;
        for (char ch : Code(j).code)
            if (!IsBlank(ch)) t += ch;
        const std::string& v = cond.left;
        up = up || StartsWith(t, v + "++") || StartsWith(t, v + "=" + v + "+");
        down = down || StartsWith(t, v + "--") || StartsWith(t, v + "=" + v + "-");
    }
    static const std::map<std::string, std::string> kOpposite = {
        {"<", ">="}, {"<=", ">"}, {">", "<="}, {">=", "<"}, {"!=", "=="}};
    // "Encore ? (o/n)": written as in C, the loop would end on the answer that asks for more.
    static const std::set<std::string> kYes = {"'o'", "'O'", "'y'", "'Y'", "\"oui\"", "\"o\""};
    static const std::set<std::string> kNo = {"'n'", "'N'", "\"non\"", "\"n\""};
    // The answer as written (the condition was read with the insides of texts blanked).
    std::string answer;
    if (const std::size_t op = line.code.find(cond.op); op != std::string::npos) {
        const std::size_t end = line.code.rfind(')');
        if (end != std::string::npos && end > op + cond.op.size())
            answer = std::string(Trim(std::string_view(line.text).substr(
                op + cond.op.size(), end - op - cond.op.size())));
    }
    if ((cond.op == "==" && kYes.count(answer)) || (cond.op == "!=" && kNo.count(answer)))
        return Warn(line, W("La boucle do s'arrête dès que la condition devient vraie : pour "
                            "recommencer tant que la réponse le demande, écrivez while (") +
                              cond.left + (cond.op == "==" ? " != " : " == ") + answer + ");");
    if ((up && (cond.op == "<" || cond.op == "<=")) ||
        (down && (cond.op == ">" || cond.op == ">=")) || ((up || down) && cond.op == "!="))
        Warn(line, W("La boucle do s'arrête dès que la condition devient vraie : écrivez la "
                     "condition de fin, while (") +
                       cond.left + " " + kOpposite.at(cond.op) + " " + cond.right + ");");
}

// An if with no else below: its then-line must end with ';', its block with "};",
// or the run looks for an else when the condition is false.
void Checker::CheckIfWithoutElse(std::size_t k) {
    if (!HasCode(k + 1)) return;
    const Line& next = Code(k + 1);
    if (next.text == "{") {
        // With a brace missing somewhere, the block's end is not known.
        int balance = 0;
        for (std::size_t j = 0; j < code_.size(); ++j) {
            const std::string_view c = Code(j).code;
            balance += (c.back() == '{' || c[0] == '{') - (c[0] == '}');
        }
        std::size_t begin = 0, end = 0;
        if (balance != 0 || !Body(k, begin, end) || Code(end).text != "}") return;
        if (HasCode(end + 1) && StartsWord(Code(end + 1).code, "else")) return;
        return Warn(Code(end), W("Ce if n'a pas de else : fermez son bloc par }; (une } seule "
                                 "annonce un else)."));
    }
    const std::string_view c = next.code;
    if (c.back() == ';' || c[0] == '{' || c[0] == '}' || ReadHeader(c).kind != Kind::Other ||
        StartsWord(c, "else") || StartsWord(c, "do") || next.comment ||
        !ShapeAdvice(next.text).empty())
        return;
    if (HasCode(k + 2) && StartsWord(Code(k + 2).code, "else")) return;
    Warn(next, W("Ce if n'a pas de else : terminez cette ligne par un point-virgule, « ") +
                   next.text + W("; »."));
}

// No line looks like main(): the first block that is no procedure's is the program.
void Checker::CheckMainMissing() {
    if (mainLine_ != static_cast<std::size_t>(-1)) return;
    for (const ProgramWarning& w : warnings_)
        if (Contains(w.text, "main()")) return; // said where main() is to be written
    for (std::size_t k = 0; k < code_.size(); ++k) {
        if (Code(k).text != "{") continue;
        if (k > 0 && StartsWord(Code(k - 1).code, "void")) continue;
        return Warn(Code(k), W("Il manque main() : écrivez main() sur la ligne au-dessus de "
                               "cette accolade, là où le programme commence."));
    }
}

// A char declared without a size and used as a text: it holds one character only.
void Checker::CheckTextsInChars() {
    if (chars_.empty()) return;
    for (std::size_t k = 0; k < code_.size(); ++k) {
        const Line& line = Code(k);
        const std::string_view code = line.code;
        std::string_view name;
        const std::size_t open = code.find('(');
        const std::size_t comma = code.find(',');
        if (StartsWord(code, "gets")) {
            name = Trim(code.substr(4));
            if (!name.empty() && name[0] == '(') name.remove_prefix(1);
        } else if ((StartsWith(code, "scanf") || StartsWith(code, "printf")) &&
                   Contains(line.text, "%s") && comma != std::string_view::npos) {
            name = Trim(code.substr(comma + 1));
            if (!name.empty() && name[0] == '&') name.remove_prefix(1);
        } else if (StartsWith(code, "str") && open != std::string_view::npos &&
                   LeadingName(code).size() == open) {
            name = Trim(code.substr(open + 1));
        }
        name = LeadingName(SkipLeadingBlanks(name));
        const auto it = chars_.find(std::string(name));
        if (name.empty() || it == chars_.end()) continue;
        const Line& declaration = Code(it->second);
        std::string fixed = declaration.text;
        for (std::size_t at = fixed.find(it->first); at != std::string::npos;
             at = fixed.find(it->first, at + 1)) {
            const std::size_t after = at + it->first.size();
            if ((at == 0 || !IsNameChar(fixed[at - 1])) &&
                (after >= fixed.size() || !IsNameChar(fixed[after]))) {
                fixed.insert(after, "[80]");
                break;
            }
        }
        Warn(declaration, it->first + W(" reçoit un texte, ligne ") +
                              std::to_string(line.index + 1) +
                              W(" : déclarez-le avec une taille, ") + fixed);
        chars_.erase(it);
        if (chars_.empty()) return;
    }
}

// Elements named by a number past the declared size (or before the first).
void Checker::CheckIndices(const Line& line) {
    const std::string_view code = line.code;
    for (std::size_t open = code.find('['); open != std::string_view::npos;
         open = code.find('[', open + 1)) {
        std::size_t b = open;
        while (b > 0 && IsNameChar(code[b - 1]))
            --b;
        const auto it = arrays_.find(std::string(code.substr(b, open - b)));
        if (it == arrays_.end()) continue;
        std::size_t d = open + 1;
        long value = 0;
        while (d < code.size() && IsDigit(code[d]) && value < 1000000)
            value = value * 10 + (code[d++] - '0');
        if (d == open + 1 || d >= code.size() || code[d] != ']') continue;
        if (value < 1 || value > it->second)
            return Warn(line, it->first + W(" a ") + std::to_string(it->second) +
                                  W(" éléments, de ") + it->first + W("[1] à ") + it->first + "[" +
                                  std::to_string(it->second) + "] : " + it->first + "[" +
                                  std::to_string(value) + W("] n'existe pas."));
    }
}

// A brace missing or one too many: the counts tell that there is one, the indentation
// where.
void Checker::CheckBraces() {
    if (mainBraceMissing_) return;
    int opens = 0, closes = 0;
    for (std::size_t k = 0; k < code_.size(); ++k) {
        const std::string_view c = Code(k).code;
        if (c.back() == '{' || c[0] == '{') ++opens;
        if (c[0] == '}') ++closes;
    }
    if (opens == closes) return;
    // The open braces: their code line, and whether a line of their block was indented
    // deeper than they are (only then does a line back at their level close them).
    std::vector<std::pair<std::size_t, bool>> stack;
    for (std::size_t k = 0; k < code_.size(); ++k) {
        const Line& line = Code(k);
        const std::string_view c = line.code;
        if (c[0] == '}') {
            if (stack.empty() || (opens < closes && Code(stack.back().first).indent != line.indent))
                return Warn(line, W("Une accolade } de trop : supprimez cette ligne."));
            stack.pop_back();
            continue;
        }
        if (!stack.empty()) {
            const Line& open = Code(stack.back().first);
            if (line.indent > open.indent) {
                stack.back().second = true;
            } else if (opens > closes && stack.back().second) {
                const Line& before = Code(k - 1);
                return Warn(before, W("Il manque } après cette ligne pour fermer le bloc "
                                      "ouvert ligne ") +
                                        std::to_string(open.index + 1) + ".");
            }
        }
        if (c.back() == '{' || c[0] == '{') stack.emplace_back(k, false);
    }
    if (opens > closes && !stack.empty())
        Warn(Code(stack.back().first),
             W("Cette accolade { n'a pas de } : ajoutez-la à la fin du bloc."));
}

} // namespace

std::vector<ProgramWarning> CheckProgram(const ProgramText& program) {
    return Checker(program).Run();
}

std::string PrintfPieces(std::string_view text) {
    const std::string_view line = Trim(text);
    if (!StartsWith(KeywordsLowered(std::string(line.substr(0, 7))), "printf(")) return {};
    const std::size_t open = line.find('"');
    const std::size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    const std::size_t comma = close == std::string_view::npos ? close : line.find(',', close);
    const std::size_t percent = close == std::string_view::npos ? close : line.find('%', open);
    if (comma == std::string_view::npos || percent > close || line.find('%', percent + 1) < close)
        return {};
    std::string_view name = Trim(line.substr(comma + 1));
    name = LeadingName(name);
    const std::string_view format = line.substr(open + 1, close - open - 1);
    std::size_t at = percent - open - 1;
    // The code: % and its letter, a precision or a width between them dropped.
    std::size_t letter = at + 1;
    while (letter < format.size() && (format[letter] == '.' || IsDigit(format[letter])))
        ++letter;
    if (letter >= format.size()) return {};
    const std::string code = "%" + std::string(1, format[letter]);
    const std::string_view before = format.substr(0, at);
    std::string_view after = format.substr(letter + 1);
    const bool newline = after.size() >= 2 && after.substr(after.size() - 2) == "\\n";
    if (newline) after.remove_suffix(2);
    if (name.empty() || (before.empty() && after.empty())) return {};
    std::string pieces;
    if (!before.empty()) pieces += "printf(\"" + std::string(before) + "\"); ";
    pieces += "printf(\"" + code + (newline && after.empty() ? "\\n" : "") + "\", " +
              std::string(name) + ");";
    if (!after.empty())
        pieces += " printf(\"" + std::string(after) + (newline ? "\\n" : "") + "\");";
    return pieces;
}

std::string ShapeAdvice(std::string_view text) {
    const std::string line(Trim(text));
    const std::string code = KeywordsLowered(Unquoted(line));
    const std::string_view first = LeadingName(code);
    const auto has = [&](std::string_view part) { return Contains(code, part); };
    const bool condition = StartsWord(code, "if") || StartsWord(code, "while");

    // A text whose closing quote is missing: everything after it is taken for the text.
    if (std::count(line.begin(), line.end(), '"') % 2 == 1 && !Contains(line, "'\"'")) {
        const std::size_t close = line.rfind(')');
        if (close != std::string::npos && close > line.find('"'))
            return "Il manque le guillemet qui ferme le texte : " + line.substr(0, close) + "\"" +
                   line.substr(close);
        return "Il manque le guillemet \" qui ferme le texte.";
    }
    // The end of a comment begun on a line above, read as a statement.
    if (code.size() > 2 && code.compare(code.size() - 2, 2, "*/") == 0 && !StartsWith(code, "/*") &&
        code.find("/*") == std::string::npos)
        return "Un commentaire tient sur une ligne : commencez aussi celle-ci par // (ou /*).";
    // A header with its statement on the same line: only the header is read.
    if (condition || StartsWord(code, "for")) {
        const Header h = ReadHeader(code);
        if (h.kind != Kind::Other && h.after.size() > 1 && h.after[0] == '{') {
            const std::size_t at = line.size() - h.after.size();
            std::string_view inner = Trim(std::string_view(line).substr(at + 1));
            inner = Trim(inner.substr(0, inner.find('}')));
            if (!inner.empty() && !StartsWith(inner, "//") && !StartsWith(inner, "/*"))
                return "Écrivez « " + std::string(Trim(std::string_view(line).substr(0, at))) +
                       " » seul sur sa ligne, puis {, « " + std::string(inner) +
                       " » et } chacun sur sa ligne.";
        }
        if (h.kind != Kind::Other && !h.after.empty() && h.after != ";" && h.after[0] != '{' &&
            !StartsWith(h.after, "//") && !StartsWith(h.after, "/*")) {
            const std::size_t at = line.size() - h.after.size();
            return "Écrivez « " + std::string(Trim(std::string_view(line).substr(0, at))) +
                   " » seul sur sa ligne, et « " + line.substr(at) + " » sur la ligne suivante.";
        }
    }

    // A statement with something after its semicolon (the for header aside).
    if (const std::size_t semi = code.find(';');
        semi != std::string::npos && !StartsWord(code, "for")) {
        const std::string_view rest = Trim(std::string_view(code).substr(semi + 1));
        if (!rest.empty() && rest[0] != ';' && !StartsWith(rest, "//") && !StartsWith(rest, "/*"))
            return "Une seule instruction par ligne : écrivez « " + line.substr(0, semi + 1) +
                   " » puis « " + std::string(Trim(std::string_view(line).substr(semi + 1))) +
                   " » sur la ligne suivante.";
    }
    if (condition) {
        const std::size_t word = StartsWord(code, "if") ? 2 : 5;
        const std::string_view rest = Trim(std::string_view(code).substr(word));
        if (!rest.empty() && rest[0] != '(' && ReadCondition(rest).op.size() > 0)
            return "Mettez la condition entre parenthèses : " + line.substr(0, word) + " (" +
                   std::string(Trim(std::string_view(line).substr(
                       word, line.rfind(';') == std::string::npos ? std::string::npos
                                                                  : line.rfind(';') - word))) +
                   ")";
    }
    if (has("&&") || has("||")) {
        // The two conditions of an if, each in its own if.
        const bool both = has("&&");
        const Header h = ReadHeader(code);
        const std::size_t open = code.find('(');
        if (h.kind == Kind::If && open != std::string::npos) {
            const std::string_view inside =
                std::string_view(line).substr(open + 1, h.inside.size());
            const std::size_t op = h.inside.find(both ? "&&" : "||");
            const auto bare = [](std::string_view part) {
                part = Trim(part);
                if (part.size() > 1 && part.front() == '(' && part.back() == ')')
                    part = Trim(part.substr(1, part.size() - 2));
                return "if (" + std::string(part) + ")";
            };
            const std::string one = bare(inside.substr(0, op));
            const std::string two = bare(inside.substr(op + 2));
            return both ? "Il n'y a pas de && : écrivez deux if, le second sur la ligne sous le "
                          "premier, " +
                              one + " puis " + two + "."
                        : "Il n'y a pas de || : écrivez un if par condition, l'un après "
                          "l'autre, " +
                              one + " puis " + two + ".";
        }
        if (h.kind == Kind::While && both && open != std::string::npos) {
            const std::string_view inside =
                std::string_view(line).substr(open + 1, h.inside.size());
            const std::size_t op = h.inside.find("&&");
            return "Il n'y a pas de && : écrivez while (" +
                   std::string(Trim(inside.substr(0, op))) +
                   "), et dans la boucle un if qui fait break; quand " +
                   std::string(Trim(inside.substr(op + 2))) + " n'est plus vrai.";
        }
        return "Il n'y a ni && ni || : écrivez deux if, le second sur la ligne sous le premier.";
    }
    if (has("=>") || has("=<")) return "Le signe = vient en second : écrivez >= ou <=.";
    // "i ++;" and "t[i]++;": only a name written right before ++ is counted.
    if (const std::size_t plus = std::min(code.find("++"), code.find("--"));
        plus != std::string::npos && plus > 0 && !first.empty() && !condition &&
        !StartsWord(code, "for") && !has("=")) {
        const std::string target(Trim(std::string_view(line).substr(0, plus)));
        const std::string sign = code.substr(plus, 1);
        if (code[plus - 1] == ']')
            return "++ et -- ne s'appliquent qu'à une variable simple : écrivez " + target + " = " +
                   target + " " + sign + " 1;";
        if (IsBlank(code[plus - 1]) && LeadingName(target).size() == target.size())
            return "Écrivez " + target + code.substr(plus, 2) + "; sans espace avant " +
                   code.substr(plus, 2) + ".";
    }
    if (StartsWith(code, "++") || StartsWith(code, "--")) {
        const std::string name(LeadingName(std::string_view(code).substr(2)));
        return "Écrivez " + name + "++; (ou " + name + "--;) : les signes après le nom.";
    }
    // A comment after a statement is read as part of it.
    if (const std::size_t slash = std::min(code.find("//"), code.find("/*"));
        slash != std::string::npos && slash > 0)
        return "Un commentaire occupe toute une ligne : passez-le sur sa propre ligne.";
    if (StartsWith(code, "}") && Contains(code, "else"))
        return "Écrivez }, puis else, puis {, chacun seul sur sa ligne.";
    for (std::string_view op : {"+=", "-=", "*=", "/="}) {
        if (!has(op) || condition || StartsWord(code, "for")) continue;
        const std::string name(first);
        std::string value(Trim(std::string_view(line).substr(code.find(op) + 2)));
        if (!value.empty() && value.back() == ';') value.pop_back();
        if (value.empty()) value = "...";
        return "Écrivez " + name + " = " + name + " " + std::string(1, op[0]) + " " + value +
               "; : " + std::string(op) + " n'existe pas.";
    }
    if (const std::size_t at = code.find('=');
        at != std::string::npos && !first.empty() && at + 2 < code.size() && !condition &&
        (code[at + 1] == '+' || code[at + 1] == '-') && IsBlank(code[at + 2])) {
        const std::string name(first);
        const std::string value(Trim(std::string_view(code).substr(at + 2)));
        return "Écrivez " + name + " = " + name + " " + code[at + 1] + " " +
               (value.empty() || value.back() != ';' ? value + ";" : value) + " : avec " +
               code.substr(at, 2) + ", " + name + " reçoit seulement " + code[at + 1] +
               std::string(Trim(std::string_view(value).substr(0, value.find(';')))) + ".";
    }
    if (!first.empty() && has(std::string(first) + "++") && has("=") && !StartsWord(code, "for"))
        return "Écrivez " + std::string(first) + "++; seul sur la ligne, sans =.";
    if (StartsWord(code, "for") && has("(int ")) {
        std::string name(LeadingName(Trim(std::string_view(code).substr(code.find("(int ") + 5))));
        if (name.empty()) name = "i";
        std::string fixed = line;
        fixed.erase(fixed.find("(int ") + 1, 4);
        return "Déclarez le compteur en tête du programme (int " + name +
               ";), puis écrivez le for sans int : " + fixed;
    }
    if (const Header h = ReadHeader(code); h.kind == Kind::For) {
        // for (i=1; i=5; i++): the middle part compares.
        const std::size_t s1 = h.inside.find(';');
        const std::size_t s2 = s1 == std::string::npos ? s1 : h.inside.find(';', s1 + 1);
        if (s2 != std::string::npos) {
            const std::string middle(Trim(std::string_view(h.inside).substr(s1 + 1, s2 - s1 - 1)));
            const std::size_t eq = middle.find('=');
            if (middle.find_first_of("<>") == std::string::npos && eq != std::string::npos) {
                std::string fixed = line;
                const std::size_t at = fixed.find(middle);
                if (at != std::string::npos)
                    fixed.replace(at + eq, middle.compare(eq, 2, "==") == 0 ? 2 : 1, "<=");
                return "La condition du for compare le compteur à la fin : " + fixed;
            }
        }
    }
    if (StartsWord(code, "for") && !has(";") && std::count(code.begin(), code.end(), ',') == 2) {
        std::string fixed = line;
        for (std::size_t c = fixed.find(','); c != std::string::npos; c = fixed.find(',', c))
            fixed.replace(c, fixed[c + 1] == ' ' ? 2 : 1, "; ");
        return "Les trois parties d'un for sont séparées par des points-virgules : " + fixed;
    }
    if (condition) {
        const Header h = ReadHeader(code);
        const std::string_view inside = Trim(h.inside);
        const Condition c = ReadCondition(inside);
        if (const std::size_t at = std::min(code.find("strcmp("), code.find("STRCMP("));
            at != std::string::npos) {
            const std::vector<std::string> args = Arguments(code, line, at + 6);
            if (args.size() >= 2)
                return "Comparez les deux textes directement : if (" +
                       std::string(Trim(std::string_view(args[0]))) + " == " +
                       std::string(Trim(std::string_view(args[1]).substr(
                           0, std::string_view(args[1]).find(')')))) +
                       ").";
            return "Comparez deux textes directement : if (mot == \"oui\").";
        }
        for (const bool left : {true, false}) {
            const std::string& side = left ? c.left : c.right;
            const std::size_t paren = side.find('(');
            if (paren == std::string::npos || paren == 0 || StartsWith(side, "feof") ||
                StartsWith(side, "!feof"))
                continue;
            return "Pas de fonction dans une condition : rangez d'abord le résultat dans une "
                   "variable, v = " +
                   side + "; puis comparez-la, if (" +
                   (left ? "v " + c.op + " " + c.right : c.left + " " + c.op + " v") + ").";
        }
        if (!inside.empty() && inside[0] == '!' && !StartsWith(inside, "!feof"))
            return "Il n'y a pas de ! : écrivez la comparaison, par exemple if (trouve == 0).";
        if (c.op.empty() && Contains(inside, "="))
            return "Pour comparer, écrivez == : if (" +
                   std::string(Trim(inside.substr(0, inside.find('=')))) +
                   " == " + std::string(Trim(inside.substr(inside.find('=') + 1))) + ").";
        if (c.op.empty() && !StartsWith(inside, "feof") && !StartsWith(inside, "!feof") &&
            inside.find_first_of("+-*/%", 1) != std::string_view::npos)
            return "Pas de calcul dans une condition : rangez d'abord le calcul dans une "
                   "variable, r = " +
                   std::string(inside) + "; puis comparez-la, if (r != 0).";
        if (c.op.empty() && !StartsWith(inside, "feof") && !StartsWith(inside, "!feof"))
            return "Une condition compare deux valeurs : " +
                   std::string(h.kind == Kind::While ? "while (" : "if (") + std::string(inside) +
                   " != 0).";
        if (Contains(c.left, "%") || Contains(c.right, "%") || Contains(c.left, "+") ||
            Contains(c.left, "-") || Contains(c.left, "*") || Contains(c.left, "/")) {
            const bool left = c.left.find_first_of("+-*/%", 1) != std::string::npos;
            return "Pas de calcul dans une condition : rangez d'abord le calcul dans une "
                   "variable, r = " +
                   (left ? c.left : c.right) + "; puis comparez-la, if (" +
                   (left ? "r " + c.op + " " + c.right : c.left + " " + c.op + " r") + ").";
        }
        return {};
    }
    if (StartsWord(code, "return") && (has("0") || has("(")))
        return "Ici, return ne prend pas de valeur, et main() se termine par } sans return : "
               "supprimez cette ligne.";
    for (std::string_view word : {"clrscr", "randomize"})
        if (code.size() > word.size() && EqualsNoCase(code.substr(0, word.size()), word) &&
            StartsWith(Trim(std::string_view(code).substr(word.size())), "("))
            return "Écrivez " + std::string(word) + "; sans parenthèses.";
    if (const std::size_t eq = code.find('='); eq != std::string::npos && !condition) {
        const std::string_view value = Trim(std::string_view(code).substr(eq + 1));
        if (value.size() >= 5 && EqualsNoCase(value.substr(0, 5), "getch") &&
            (value.size() == 5 || value[5] == ';'))
            return "Écrivez getch() avec ses parenthèses : " + line.substr(0, eq + 1) + " getch();";
    }
    if (code.size() > 2 && code.back() == ':' && IsBlank(code[code.size() - 2]) &&
        LeadingName(code).size() == Trim(std::string_view(code).substr(0, code.size() - 1)).size())
        return "Écrivez " + std::string(LeadingName(code)) + ": sans espace avant les deux-points.";
    if (StartsWord(code, "continue"))
        return "continue n'existe pas : mettez la suite de la boucle sous un if qui a la "
               "condition contraire.";
    if (StartsWith(code, "fopen"))
        return "Rangez le fichier ouvert dans sa variable, sans espace : f=" +
               std::string(Trim(std::string_view(line).substr(0, line.rfind(';')))) + ";";
    if (const std::size_t open = code.find("fopen(");
        open != std::string::npos && line.find('"') > code.find(',', open)) {
        // The file name without its quotes.
        const std::size_t comma = code.find(',', open);
        if (comma != std::string::npos) {
            const std::string name(Trim(std::string_view(line).substr(open + 6, comma - open - 6)));
            if (!name.empty() && name[0] != '"' && name.find('.') != std::string::npos)
                return "Mettez le nom du fichier entre guillemets : " + line.substr(0, open + 6) +
                       "\"" + name + "\"" + line.substr(comma);
        }
    }
    if (StartsWith(code, "fputs(") && !has(","))
        return "fputs écrit dans un fichier : nommez-le après le texte, fputs(" +
               std::string(Trim(std::string_view(line).substr(6, line.rfind(')') - 6))) +
               ", f); (pour l'écran, écrivez puts).";
    if (StartsWord(code, "void")) {
        const std::size_t open = code.find('(');
        const std::size_t close = code.find(')', open == std::string::npos ? 0 : open);
        if (open != std::string::npos && close != std::string::npos && close > open + 1)
            return "Une procédure n'a pas de paramètres : écrivez " + line.substr(0, open) +
                   "() et passez les valeurs par des variables déclarées en tête.";
    }
    if (StartsWith(code, "scanf") && has("& "))
        return "Écrivez & collé au nom : " + [&] {
            std::string fixed = line;
            for (std::size_t at = fixed.find("& "); at != std::string::npos; at = fixed.find("& "))
                fixed.erase(at + 1, 1);
            return fixed;
        }();
    if (StartsWith(code, "getchar(") || StartsWith(code, "getc("))
        return std::string(first) +
               " n'existe pas : pour attendre une touche, écrivez c = getch(); (c déclaré char).";
    if (StartsWith(code, "fputs(")) {
        const std::vector<std::string> args = Arguments(code, line, 5);
        if (args.size() == 2 && !args[1].empty() && (args[1][0] == '"' || args[1][0] == '\''))
            return "Le texte d'abord, puis le fichier : fputs(" + args[1] + ", " + args[0] + ");";
    }
    if (StartsWith(code, "getch()"))
        return "getch() donne la touche appuyée : rangez-la, c = getch(); (c déclaré char).";
    if (StartsWith(code, "exit(")) return "Écrivez exit; sans parenthèses.";
    if (StartsWith(code, "system(")) return "system n'existe pas : supprimez cette ligne.";
    if (StartsWith(code, "fprintf(") || StartsWith(code, "fscanf("))
        return std::string(first) + " n'existe pas : écrivez dans un fichier avec fputs(texte, "
                                    "f); et lisez une ligne avec fgets(f, ligne);.";
    if (StartsWith(code, "fgets(") && (has("stdin") || has("STDIN"))) {
        const std::string_view target = LeadingName(Trim(std::string_view(code).substr(6)));
        return "Pour lire une ligne au clavier, écrivez gets(" + std::string(target) + ");";
    }
    if (StartsWith(code, "fgets(") && std::count(code.begin(), code.end(), ',') >= 2)
        return "Écrivez fgets(f, ligne); : le fichier d'abord, puis la variable, sans taille.";
    if (StartsWith(code, "puts \"") || StartsWith(code, "printf \""))
        return "Mettez le texte entre parenthèses : " + std::string(first) + "(" +
               std::string(Trim(line.substr(first.size(), line.rfind(';') - first.size()))) + ");";
    if ((first == "puts" || first == "printf" || first == "scanf" || first == "gets") &&
        code.size() > first.size() + 1 && IsBlank(code[first.size()]))
        return "Pas d'espace entre " + std::string(first) +
               " et sa parenthèse : " + std::string(first) + "(...).";
    if (StartsWith(code, "puts(") && has(","))
        return "puts n'affiche qu'un texte : pour une valeur, écrivez printf(\"%d\\n\", x); sur "
               "une autre ligne.";
    if (StartsWith(code, "printf(") && code.find(',') == std::string::npos) {
        // A comma in the text: printf takes what follows it for a variable.
        const std::size_t q = line.find('"');
        const std::size_t end = q == std::string::npos ? q : line.find('"', q + 1);
        if (end != std::string::npos && line.substr(q, end - q).find(',') != std::string::npos) {
            std::string literal = line.substr(q, end - q + 1);
            const bool newline =
                literal.size() > 3 && literal.compare(literal.size() - 3, 2, "\\n") == 0;
            if (newline) literal.erase(literal.size() - 3, 2);
            return newline ? "Une virgule dans le texte coupe le printf : écrivez puts(" + literal +
                                 "); (puts passe à la ligne), ou enlevez la virgule."
                           : "Une virgule dans le texte coupe le printf : enlevez-la.";
        }
    }
    if (StartsWith(code, "printf(") || StartsWith(code, "scanf(")) {
        const std::size_t comma = code.find(',');
        const std::string_view args =
            comma == std::string::npos ? std::string_view() : std::string_view(code).substr(comma);
        if (Contains(line, "%l") || Contains(line, "%i") || Contains(line, "%u"))
            return "Les codes du format sont %d (int), %f (float), %c (char) et %s (chaîne).";
        if (const std::size_t pct = line.find('%');
            pct != std::string::npos && pct + 1 < line.size() &&
            (line[pct + 1] == '.' || IsDigit(line[pct + 1]))) {
            std::size_t letter = pct + 1;
            while (letter < line.size() && (line[letter] == '.' || IsDigit(line[letter])))
                ++letter;
            if (const std::string pieces = PrintfPieces(line); !pieces.empty())
                return "Écrivez %" + line.substr(letter, 1) +
                       " sans rien entre % et la lettre, et le texte dans un printf à part : " +
                       pieces;
            return "Écrivez %" + line.substr(letter, 1) +
                   " sans rien entre % et la lettre : " + line.substr(0, pct + 1) +
                   line.substr(letter);
        }
        if (const std::size_t q = line.find('"');
            q != std::string::npos && comma == std::string::npos) {
            const std::size_t end = ClosingQuote(line, q);
            const std::string_view after = end == std::string::npos
                                               ? std::string_view()
                                               : Trim(std::string_view(line).substr(end + 1));
            if (!after.empty() && IsNameChar(after[0]))
                return "Il manque la virgule entre le format et la variable : " +
                       line.substr(0, end + 1) + ", " + std::string(after);
        }
        if (std::count(code.begin(), code.end(), '(') > std::count(code.begin(), code.end(), ')')) {
            const std::size_t semi = line.rfind(';');
            return "Il manque la parenthèse qui ferme " + std::string(first) +
                   "( : " + (semi == std::string::npos ? line + ")" : line.substr(0, semi) + ");");
        }
        if (first == "printf" && comma != std::string::npos) {
            std::string_view value = Trim(std::string_view(line).substr(comma + 1));
            value = Trim(value.substr(0, value.rfind(')')));
            if (!Operators(value).empty())
                return "Calculez d'abord dans une variable, r = " + std::string(value) +
                       "; puis affichez-la, printf(" +
                       line.substr(code.find('(') + 1, comma - code.find('(') - 1) + ", r);";
        }
        if (first == "printf" && Contains(args, "&")) {
            std::string fixed = line;
            fixed.erase(fixed.find('&', comma), 1);
            return "Pas de & dans printf : écrivez le nom seul, " + fixed;
        }
        if (std::count(args.begin(), args.end(), ',') >= 2)
            return "Un " + std::string(first) + " ne traite qu'une variable : écrivez un " +
                   std::string(first) + " par variable.";
        if (Contains(args, "[") && first == "scanf") {
            std::string element(Trim(std::string_view(line).substr(comma + 1)));
            if (!element.empty() && element[0] == '&') element.erase(0, 1);
            element = element.substr(0, element.find(')'));
            const std::size_t q = line.find('"');
            const std::size_t end = q == std::string::npos ? q : ClosingQuote(line, q);
            const std::string format = end == std::string::npos
                                           ? "%d"
                                           : std::string(Trim(line.substr(q + 1, end - q - 1)));
            return "Un élément de tableau ne va pas dans scanf : lisez une variable, scanf(\"" +
                   format + "\", &v); puis rangez-la, " + element + " = v;";
        }
        if (Contains(args, "["))
            return "Un élément de tableau ne va pas dans " + std::string(first) +
                   " : passez par une variable (v = t[i];).";
        if (first == "scanf" && Contains(line, "\\n"))
            return "Le format de scanf ne contient que le code : scanf(\"%d\", &n);.";
    }
    if (!code.empty() && IsDigit(code[0]) && has("="))
        return "Le nom de la variable vient à gauche du = : x = 5;.";
    if (!first.empty() && has("==") && code.back() == ';' && !has("("))
        return "Pour ranger une valeur, un seul = : " + std::string(first) + " = ...;.";
    if (has("pow(") || has("POW(")) return "Il n'y a pas de puissance : multipliez, x = a * a;.";
    // Two operations in one assignment: one a line.
    if (const std::size_t eq = code.find('=');
        eq != std::string::npos && !first.empty() && !condition && !StartsWord(code, "for") &&
        LeadingName(code).size() == Trim(std::string_view(code).substr(0, eq)).size() &&
        eq + 1 < code.size() && code[eq + 1] != '=') {
        std::string_view value = Trim(std::string_view(line).substr(eq + 1));
        if (!value.empty() && value.back() == ';') value.remove_suffix(1);
        const std::vector<std::size_t> ops = Operators(value);
        if (ops.size() >= 2) {
            const std::string name(first);
            const std::size_t next = ops.size() > 2 ? ops[2] : value.size();
            const std::string a(Trim(value.substr(0, ops[0])));
            const std::string b(Trim(value.substr(ops[0] + 1, ops[1] - ops[0] - 1)));
            const std::string c(Trim(value.substr(ops[1] + 1, next - ops[1] - 1)));
            const char op1 = value[ops[0]], op2 = value[ops[1]];
            const bool before = (op1 == '+' || op1 == '-') &&
                                (op2 == '*' || op2 == '/' || op2 == '%'); // b op2 c first
            if ((before && a == name) || (!before && c == name))
                return "Une seule opération par ligne : découpez le calcul, un résultat "
                       "intermédiaire par ligne dans une autre variable.";
            if (before)
                return "Une seule opération par ligne : écrivez " + name + " = " + b + " " + op2 +
                       " " + c + "; puis " + name + " = " + a + " " + op1 + " " + name +
                       "; sur la ligne suivante.";
            return "Une seule opération par ligne : écrivez " + name + " = " + a + " " + op1 + " " +
                   b + "; puis " + name + " = " + name + " " + op2 + " " + c +
                   "; sur la ligne suivante.";
        }
    }
    // A calculation inside the parentheses of a function or the brackets of an index.
    const std::size_t open = code.find_first_of("([", code.find('='));
    if (code.find('=') != std::string::npos && open != std::string::npos) {
        const std::size_t close = code.find_first_of(")]", open);
        const std::string_view inside = std::string_view(code).substr(
            open + 1, close == std::string::npos ? 0 : close - open - 1);
        if (inside.find_first_of("+-*/%", 1) != std::string_view::npos) {
            if (code[open] == '[')
                return "L'indice est un nombre ou une variable int, pas un calcul : "
                       "calculez d'abord j = i + 1; puis utilisez t[j].";
            const std::string target(Trim(std::string_view(line).substr(0, code.find('='))));
            std::size_t before = open;
            while (before > 0 && IsBlank(code[before - 1]))
                --before;
            const std::size_t fn = before;
            while (before > 0 && IsNameChar(code[before - 1]))
                --before;
            const std::string_view inText = Trim(std::string_view(line).substr(
                open + 1, close == std::string::npos ? 0 : close - open - 1));
            if (fn == before) {
                // Parentheses that only group: one operation a line.
                const std::size_t op = FirstOperator(inText);
                const std::size_t op2 =
                    op == std::string_view::npos ? op : FirstOperator(inText, op + 1);
                return "Les parenthèses ne groupent rien et une ligne ne fait qu'une opération : "
                       "écrivez d'abord " +
                       target + " = " + std::string(Trim(inText.substr(0, op2))) +
                       "; puis continuez le calcul sur les lignes suivantes.";
            }
            const std::string function = line.substr(before, fn - before);
            return "Pas de calcul dans les parenthèses d'une fonction : calculez d'abord " +
                   target + " = " + std::string(inText) + "; puis " + target + " = " + function +
                   "(" + target + ");";
        }
    }
    if (code.find('[') != std::string::npos) {
        const std::size_t o = code.find('[');
        const std::size_t c = code.find(']', o);
        if (c != std::string::npos &&
            code.substr(o + 1, c - o - 1).find_first_of("+-*/") != std::string::npos)
            return "L'indice est un nombre ou une variable int, pas un calcul : calculez "
                   "d'abord j = i + 1; puis utilisez t[j].";
    }
    return {};
}

} // namespace vokc
