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

constexpr int LineCount = 10000;

// A program in the editor's language: procedures with declarations, loops, tests, library
// calls, strings, line comments and block comments (some over two lines).
std::string GenerateProgram() {
    std::vector<std::string> Lines;
    constexpr std::size_t ProcedureLines = 19, MainLines = 12;
    for (int P = 0; Lines.size() + ProcedureLines + MainLines <= LineCount; ++P) {
        const std::string N = std::to_string(P);
        const std::vector<std::string> Body = {
            "/* Procedure calcul" + N + " : somme des racines */",
            "void calcul" + N + "()",
            "{",
            "  total = 0;",
            "  for (i = 1; i <= " + std::to_string(10 + P % 90) + "; i++)",
            "  {",
            "    total = total + sqrt(i) * cos(angle); // cumul " + N,
            "  }",
            "  if (total > 100) printf(\"Grand : %f\\n\", total);",
            "  else puts(\"Petit\");",
            "  strcpy(nom, \"Vok C\"); strcat(nom, \" version " + N + "\");",
            "  /* longueur du nom,",
            "     puis valeur absolue */",
            "  longueur = strlen(nom) + abs(ecart - 3);",
            "  while (longueur > 0) longueur--;",
            "  fputs(fichier, nom);",
            "  return;",
            "}",
            "",
        };
        Lines.insert(Lines.end(), Body.begin(), Body.end());
    }
    const std::vector<std::string> Main = {"int i;",        "int longueur;", "float total;",
                                           "float angle;",  "int ecart;",    "char nom[40];",
                                           "file fichier;", "main()",        "{",
                                           "  calcul0();",  "  exit;",       "}"};
    while (Lines.size() + MainLines < LineCount)
        Lines.push_back("// ligne libre");
    Lines.insert(Lines.end(), Main.begin(), Main.end());
    std::string Text;
    for (const std::string& L : Lines)
        Text += L + "\r\n";
    return Text;
}

// Coloured characters per colour, line breaks aside: both highlighters should agree.
using Tally = std::map<TColor, long>;

// ---------------------------------------------------------------------------------------
// The engine, as the memo control drives it over the whole text.

struct EnginePass {
    TColorRuleHost Host;
    TDrawRules Rules{&Host};
    TKeyDescrList List;
    TCellArray Cells;
    std::string Snapshot;

    EnginePass() { AddEditorColorRules(Rules); }

    void Run(const std::string& Text) {
        Snapshot.assign(Text); // the snapshot copy of the control
        const auto Limit = static_cast<std::int32_t>(Snapshot.size());
        PrepareRules(Rules);
        List.BeginPass();
        std::int32_t Next = 0;
        for (std::int32_t I = 0; I < Rules.Count(); ++I)
            if (Rules[I].Enabled) Next = ScanRule(Rules[I], Next, Snapshot, List, Limit, 0);
        ResolveRuns(List, List.ColoredRange, Cells);
    }

    Tally Count() const {
        Tally T;
        for (const TKeyDescr& R : List) {
            if (R.StartPos == UnusedPos) break;
            for (std::int32_t X = R.StartPos; X <= R.EndPos; ++X)
                if (Snapshot[X] != '\r' && Snapshot[X] != '\n') ++T[R.Color]; // not in a block
        }
        return T;
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
        const QStringList Library = {
            "--", "#", "++", "abs", "atoi", "break", "catestring", "ceil", "chdir", "clrscr",
            "cos", "currentdate()", "currenttime()", "do", "eabs", "else", "exit", "exp",
            "fclose", "feof", "fgets", "float", "fopen", "for", "fputs", "gets", "if", "itoa",
            "log", "main()", "mkdir", "printf", "puts", "random", "randomize", "return",
            "rmdir", "scanf", "sin", "sqrt", "strcat", "strchr", "strcmp", "strcpy", "strlen",
            "strncat", "strncpy", "timestring", "tolower", "toupper"};
        // clang-format on
        const QStringList Structure = {"main()", "void", "{", "}", "char", "int"};
        for (const QString& W : Library)
            AddKeyword(W, clBlue);
        for (const QString& W : Structure)
            AddKeyword(W, clMaroon);
    }

    void HighlightBlock(const QString& Text) {
        Formats.assign(static_cast<std::size_t>(Text.size()), NoColour);
        // Block comments, carrying the "inside a comment" state to the next line.
        qsizetype Start = InComment ? 0 : Text.indexOf(CommentStart);
        InComment = false;
        while (Start >= 0) {
            const QRegularExpressionMatch End = CommentEnd.match(Text, Start + 1);
            qsizetype Length;
            if (End.hasMatch()) {
                Length = End.capturedEnd() - Start;
            } else {
                InComment = true;
                Length = Text.size() - Start;
            }
            SetFormat(Start, Length, clGray);
            Start = Text.indexOf(CommentStart, Start + Length - 1);
        }
        for (QRegularExpressionMatchIterator It = LineComment.globalMatch(Text); It.hasNext();) {
            const QRegularExpressionMatch M = It.next();
            SetFormat(M.capturedStart(), M.capturedLength(), clGray);
        }
        for (const Rule& R : Rules)
            for (QRegularExpressionMatchIterator It = R.Pattern.globalMatch(Text); It.hasNext();) {
                const QRegularExpressionMatch M = It.next();
                SetFormat(M.capturedStart(), M.capturedLength(), R.Colour);
            }
        for (TColor C : Formats)
            if (C != NoColour) ++Counts[C];
    }

    Tally Counts;

  private:
    static constexpr TColor NoColour = 0xFFFFFFFF;
    struct Rule {
        QRegularExpression Pattern;
        TColor Colour;
    };

    void AddKeyword(const QString& Word, TColor Colour) {
        const QString Pattern =
            "(?<![@A-Za-z])" + QRegularExpression::escape(Word) + "(?![@A-Za-z])";
        Rules.push_back(
            {QRegularExpression(Pattern, QRegularExpression::CaseInsensitiveOption), Colour});
        Rules.back().Pattern.optimize();
    }

    void SetFormat(qsizetype Start, qsizetype Length, TColor Colour) {
        std::fill_n(Formats.begin() + Start, Length, Colour);
    }

    std::vector<Rule> Rules;
    QRegularExpression CommentStart{"/\\*"};
    QRegularExpression CommentEnd{"\\*/"};
    QRegularExpression LineComment{"//[^\\r\\n]*"};
    std::vector<TColor> Formats;
    bool InComment = false;
};

double Milliseconds(Clock::duration D) {
    return std::chrono::duration<double, std::milli>(D).count();
}

double Median(std::vector<double> V) {
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

} // namespace

int main() {
    const std::string Text = GenerateProgram();
    QStringList Blocks = QString::fromLatin1(Text.data(), static_cast<qsizetype>(Text.size()))
                             .split(QStringLiteral("\r\n"));
    Blocks.removeLast(); // after the last line break

    EnginePass Engine;
    const long BeforeFirst = Allocations;
    Engine.Run(Text); // buffers grow to fit the text
    const long FirstAllocations = Allocations - BeforeFirst;
    const Tally EngineCounts = Engine.Count();
    RegexHighlighter Regex;
    for (const QString& B : Blocks)
        Regex.HighlightBlock(B);
    const Tally RegexCounts = Regex.Counts;

    constexpr int Rounds = 7;
    constexpr int EnginePasses = 10;
    std::vector<double> EngineMs, RegexMs;
    long EngineAllocations = 0;
    for (int R = 0; R < Rounds; ++R) {
        const long Before = Allocations;
        const Clock::time_point T0 = Clock::now();
        for (int P = 0; P < EnginePasses; ++P)
            Engine.Run(Text);
        const Clock::time_point T1 = Clock::now();
        EngineAllocations += Allocations - Before;
        EngineMs.push_back(Milliseconds(T1 - T0) / EnginePasses);

        const Clock::time_point T2 = Clock::now();
        for (const QString& B : Blocks)
            Regex.HighlightBlock(B);
        RegexMs.push_back(Milliseconds(Clock::now() - T2));
    }

    const double E = Median(EngineMs);
    const double Q = Median(RegexMs);
    const double Ratio = Q / E;
    const double PerPass = static_cast<double>(EngineAllocations) / (Rounds * EnginePasses);
    std::printf("== Coloration : une passe des règles de l'éditeur sur %d lignes (%zu octets), "
                "médiane de %d\n",
                LineCount, Text.size(), Rounds);
    std::printf("règles Vok C          : %8.3f ms par passe, %.0f allocation(s) par passe "
                "(%ld à la première)\n",
                E, PerPass, FirstAllocations);
    std::printf("QRegularExpression    : %8.3f ms par passe ; les règles Vok C sont %.1f fois plus "
                "rapides (objectif : 3 fois, 0 allocation)\n",
                Q, Ratio);
    long Coloured = 0;
    for (const auto& [Colour, N] : EngineCounts)
        Coloured += N;
    if (EngineCounts == RegexCounts) {
        std::printf("mêmes couleurs des deux côtés : %ld caractères colorés\n", Coloured);
    } else {
        std::printf("attention : les deux colorations diffèrent\n");
        for (const auto& [Colour, N] : EngineCounts)
            std::printf("  couleur %06X : %ld caractères ici, %ld par les expressions\n", Colour, N,
                        RegexCounts.count(Colour) ? RegexCounts.at(Colour) : 0L);
    }
    return Ratio >= 3.0 && EngineAllocations == 0 ? 0 : 1;
}
