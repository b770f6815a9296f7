// What to write instead of a line shaped as in another language, or with an operator
// the language lacks: the corrected line built from the student's own names.
#include <algorithm>

#include "line_shapes.h"
#include "program_check.h"
#include "text.h"

namespace vokc {

using namespace shapes;

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
            // for (i=1; i<=n+4; i++): the end is a number or a variable, never a calculation.
            const Condition c = ReadCondition(middle);
            if (!c.op.empty() && !Operators(c.right).empty()) {
                std::string fixed = line;
                const std::size_t at = fixed.find(c.right, fixed.find(c.op));
                if (at != std::string::npos) fixed.replace(at, c.right.size(), "fin");
                return "La fin d'un for est un nombre ou une variable : calculez-la avant la "
                       "boucle, fin = " +
                       c.right + "; puis " + fixed;
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
    if (StartsWith(code, "printf(") && code.find(',') != std::string::npos) {
        // printf("%d, ", x): the first comma, the one in the text, ends the format.
        const std::size_t q = line.find('"');
        const std::size_t end = q == std::string::npos ? q : line.find('"', q + 1);
        if (end != std::string::npos && line.substr(q, end - q).find(',') != std::string::npos)
            return "Une virgule dans le texte coupe le printf en deux : mettez le texte dans une "
                   "variable, sep = \", \"; puis printf(\"%s\", sep); ou enlevez la virgule.";
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
