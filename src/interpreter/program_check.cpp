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
#include "line_shapes.h"
#include "text.h"

namespace vokc {
namespace {

using namespace shapes;

struct Line {
    int index = 0;    // 0-based line of the program
    int indent = 0;   // columns before the text, a tab counting for 4
    std::string text; // trimmed, Windows-1252
    std::string code; // `text` with the insides of texts blanked (Unquoted)
    bool comment = false;
    bool commentGoesOn = false; // a line inside a /* ... */ opened on a line above
};

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
            if (HasName(c, name) &&
                (HasName(c, "&" + name) || StartsWith(c, "gets") || StartsWith(c, "fgets") ||
                 StartsWith(c, "str") || StartsWith(c, "scanf")))
                return true;
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

} // namespace vokc
