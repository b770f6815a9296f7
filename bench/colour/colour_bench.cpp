// Colouring benchmark: one pass of the editor's colour rules over a generated 10,000-line
// program, side by side with a highlighter written the usual Qt way (one regular expression
// per keyword and per comment form, applied line by line) over the same text. Prints the
// time per pass of each, their ratio, and the allocations of a steady-state engine pass.
// Exit status 1 when the engine is less than 3 times faster or allocates.
#include "colourrules.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "allocation_counter.h"

namespace {

using namespace vokc;
using Clock = std::chrono::steady_clock;

constexpr int kLineCount = 10000;

// A program in the editor's language: procedures with declarations, loops, tests, library
// calls, strings, line comments and block comments (some over two lines).
std::string GenerateProgram() {
    std::vector<std::string> lines;
    constexpr std::size_t kProcedureLines = 19, kMainLines = 12;
    for (int p = 0; lines.size() + kProcedureLines + kMainLines <= kLineCount; ++p) {
        const std::string n = std::to_string(p);
        const std::vector<std::string> body = {
            "/* Procedure calcul" + n + " : somme des racines */",
            "void calcul" + n + "()",
            "{",
            "  total = 0;",
            "  for (i = 1; i <= " + std::to_string(10 + p % 90) + "; i++)",
            "  {",
            "    total = total + sqrt(i) * cos(angle); // cumul " + n,
            "  }",
            "  if (total > 100) printf(\"Grand : %f\\n\", total);",
            "  else puts(\"Petit\");",
            "  strcpy(nom, \"Vok C\"); strcat(nom, \" version " + n + "\");",
            "  /* longueur du nom,",
            "     puis valeur absolue */",
            "  longueur = strlen(nom) + abs(ecart - 3);",
            "  while (longueur > 0) longueur--;",
            "  fputs(fichier, nom);",
            "  return;",
            "}",
            "",
        };
        lines.insert(lines.end(), body.begin(), body.end());
    }
    const std::vector<std::string> main = {"int i;",        "int longueur;", "float total;",
                                           "float angle;",  "int ecart;",    "char nom[40];",
                                           "file fichier;", "main()",        "{",
                                           "  calcul0();",  "  exit;",       "}"};
    while (lines.size() + kMainLines < kLineCount)
        lines.push_back("// ligne libre");
    lines.insert(lines.end(), main.begin(), main.end());
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    return text;
}

// Coloured characters per colour, line breaks aside: both highlighters should agree.
using Tally = std::map<Colour, long>;

// ---------------------------------------------------------------------------------------
// The engine, as the memo control drives it over the whole text.

struct EnginePass {
    ColourRuleHost host;
    ColourRules rules{&host};
    SpanList list;
    CharCells cells;
    std::string snapshot;

    EnginePass() { AddEditorColourRules(rules); }

    void run(const std::string& text) {
        snapshot.assign(text); // the snapshot copy of the control
        const auto limit = static_cast<std::int32_t>(snapshot.size());
        PrepareRules(rules);
        list.beginPass();
        std::int32_t next = 0;
        for (std::int32_t i = 0; i < rules.count(); ++i)
            if (rules[i].isEnabled()) next = ScanRule(rules[i], next, snapshot, list, limit, 0);
        ResolveRuns(list, list.colouredRange(), cells);
    }

    Tally tally() const {
        Tally t;
        for (const ColourSpan& r : list) {
            if (r.start == kUnusedPos) break;
            for (std::int32_t x = r.start; x <= r.end; ++x)
                if (snapshot[x] != '\r' && snapshot[x] != '\n') ++t[r.colour]; // not in a block
        }
        return t;
    }
};

// ---------------------------------------------------------------------------------------
// The usual Qt highlighter: a list of (expression, colour) rules matched on each line, and a
// two-expression state machine for comments that span lines. Formats go into a per-line
// colour array, a lighter stand-in for a text block's format ranges.

class RegexHighlighter {
  public:
    RegexHighlighter() {
        // clang-format off
        const QStringList library = {
            "--", "#", "++", "abs", "atoi", "break", "catestring", "ceil", "chdir", "clrscr",
            "cos", "currentdate()", "currenttime()", "do", "eabs", "else", "exit", "exp",
            "fclose", "feof", "fgets", "float", "fopen", "for", "fputs", "gets", "if", "itoa",
            "log", "main()", "mkdir", "printf", "puts", "random", "randomize", "return",
            "rmdir", "scanf", "sin", "sqrt", "strcat", "strchr", "strcmp", "strcpy", "strlen",
            "strncat", "strncpy", "timestring", "tolower", "toupper"};
        // clang-format on
        const QStringList structure = {"main()", "void", "{", "}", "char", "int"};
        for (const QString& w : library)
            addKeyword(w, kBlue);
        for (const QString& w : structure)
            addKeyword(w, kMaroon);
    }

    void highlightBlock(const QString& text) {
        formats_.assign(static_cast<std::size_t>(text.size()), kNoColour);
        // Block comments, carrying the "inside a comment" state to the next line.
        qsizetype start = inComment_ ? 0 : text.indexOf(commentStart_);
        inComment_ = false;
        while (start >= 0) {
            const QRegularExpressionMatch end = commentEnd_.match(text, start + 1);
            qsizetype length;
            if (end.hasMatch()) {
                length = end.capturedEnd() - start;
            } else {
                inComment_ = true;
                length = text.size() - start;
            }
            setFormat(start, length, kGrey);
            start = text.indexOf(commentStart_, start + length - 1);
        }
        for (QRegularExpressionMatchIterator it = lineComment_.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            setFormat(m.capturedStart(), m.capturedLength(), kGrey);
        }
        for (const Rule& r : rules_)
            for (QRegularExpressionMatchIterator it = r.pattern.globalMatch(text); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                setFormat(m.capturedStart(), m.capturedLength(), r.colour);
            }
        for (Colour c : formats_)
            if (c != kNoColour) ++counts[c];
    }

    Tally counts;

  private:
    static constexpr Colour kNoColour = 0xFFFFFFFF;
    struct Rule {
        QRegularExpression pattern;
        Colour colour;
    };

    void addKeyword(const QString& word, Colour colour) {
        const QString pattern =
            "(?<![@A-Za-z])" + QRegularExpression::escape(word) + "(?![@A-Za-z])";
        rules_.push_back(
            {QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption), colour});
        rules_.back().pattern.optimize();
    }

    void setFormat(qsizetype start, qsizetype length, Colour colour) {
        std::fill_n(formats_.begin() + start, length, colour);
    }

    std::vector<Rule> rules_;
    QRegularExpression commentStart_{"/\\*"};
    QRegularExpression commentEnd_{"\\*/"};
    QRegularExpression lineComment_{"//[^\\r\\n]*"};
    std::vector<Colour> formats_;
    bool inComment_ = false;
};

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main() {
    const std::string text = GenerateProgram();
    QStringList blocks = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))
                             .split(QStringLiteral("\r\n"));
    blocks.removeLast(); // after the last line break

    EnginePass engine;
    const long beforeFirst = Allocations;
    engine.run(text); // buffers grow to fit the text
    const long firstAllocations = Allocations - beforeFirst;
    const Tally engineCounts = engine.tally();
    RegexHighlighter regex;
    for (const QString& b : blocks)
        regex.highlightBlock(b);
    const Tally regexCounts = regex.counts;

    constexpr int kRounds = 7;
    constexpr int kEnginePasses = 10;
    std::vector<double> engineMs, regexMs;
    long engineAllocations = 0;
    for (int r = 0; r < kRounds; ++r) {
        const long before = Allocations;
        const Clock::time_point t0 = Clock::now();
        for (int p = 0; p < kEnginePasses; ++p)
            engine.run(text);
        const Clock::time_point t1 = Clock::now();
        engineAllocations += Allocations - before;
        engineMs.push_back(Milliseconds(t1 - t0) / kEnginePasses);

        const Clock::time_point t2 = Clock::now();
        for (const QString& b : blocks)
            regex.highlightBlock(b);
        regexMs.push_back(Milliseconds(Clock::now() - t2));
    }

    const double e = Median(engineMs);
    const double q = Median(regexMs);
    const double ratio = q / e;
    const double perPass = static_cast<double>(engineAllocations) / (kRounds * kEnginePasses);
    std::printf("== Coloration : une passe des règles de l'éditeur sur %d lignes (%zu octets), "
                "médiane de %d\n",
                kLineCount, text.size(), kRounds);
    std::printf("règles Vok C          : %8.3f ms par passe, %.0f allocation(s) par passe "
                "(%ld à la première)\n",
                e, perPass, firstAllocations);
    std::printf("QRegularExpression    : %8.3f ms par passe ; les règles Vok C sont %.1f fois plus "
                "rapides (objectif : 3 fois, 0 allocation)\n",
                q, ratio);
    long coloured = 0;
    for (const auto& [colour, n] : engineCounts)
        coloured += n;
    if (engineCounts == regexCounts) {
        std::printf("mêmes couleurs des deux côtés : %ld caractères colorés\n", coloured);
    } else {
        std::printf("attention : les deux colorations diffèrent\n");
        for (const auto& [colour, n] : engineCounts)
            std::printf("  couleur %06X : %ld caractères ici, %ld par les expressions\n", colour, n,
                        regexCounts.count(colour) ? regexCounts.at(colour) : 0L);
    }
    return ratio >= 3.0 && engineAllocations == 0 ? 0 : 1;
}
