#include "line_shapes.h"

#include "text.h"

namespace vokc::shapes {

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
std::size_t FirstOperator(std::string_view text, std::size_t from) {
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

} // namespace vokc::shapes
