// Memo benchmark: the colouring passes of the editor's memo control on a 20,000-line program
// with 60 lines shown, side by side with a QSyntaxHighlighter that colours the same document
// with one regular expression per keyword and per comment form. Prints the time of a full
// pass (view unchanged, and after scrolling), of the typed-letter pass, of a whole keystroke
// in each editor, and of a rehighlight, with the allocations of the steady-state passes.
// Exit status 1 when a keystroke's pass takes 16 ms or more, when the full pass is not
// faster than the rehighlight, or when a steady-state pass allocates.
#include "colour_memo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTextBlock>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "allocation_counter.h"

namespace {

using namespace vokc;
using Clock = std::chrono::steady_clock;

constexpr int LineCount = 20000;
constexpr int ShownLines = 60;

double Milliseconds(Clock::duration D) {
    return std::chrono::duration<double, std::milli>(D).count();
}

double Median(std::vector<double> V) {
    if (V.empty()) return 0;
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

// A program in the editor's language: procedures with loops, tests, library calls, strings,
// line comments and block comments, some over two lines.
QString GenerateProgram() {
    QStringList Lines;
    for (int P = 0; Lines.size() + 19 <= LineCount - 12; ++P) {
        const QString N = QString::number(P);
        Lines << "/* Procedure calcul" + N + " : somme des racines */"
              << "void calcul" + N + "()"
              << "{"
              << "  total = 0;"
              << "  for (i = 1; i <= " + QString::number(10 + P % 90) + "; i++)"
              << "  {"
              << "    total = total + sqrt(i) * cos(angle); // cumul " + N << "  }"
              << "  if (total > 100) printf(\"Grand : %f\\n\", total);"
              << "  else puts(\"Petit\");"
              << "  strcpy(nom, \"Vok C\"); strcat(nom, \" version " + N + "\");"
              << "  /* longueur du nom,"
              << "     puis valeur absolue */"
              << "  longueur = strlen(nom) + abs(ecart - 3);"
              << "  while (longueur > 0) longueur--;"
              << "  fputs(fichier, nom);"
              << "  return;"
              << "}"
              << "";
    }
    while (Lines.size() < LineCount - 12)
        Lines << "// ligne libre";
    Lines << "int i;"
          << "int longueur;"
          << "float total;"
          << "float angle;"
          << "int ecart;"
          << "char nom[40];"
          << "file fichier;"
          << "main()"
          << "{"
          << "  calcul0();"
          << "  exit;"
          << "}";
    return Lines.join(QLatin1Char('\n'));
}

// The memo, timing each outermost pass and counting its allocations.
class TimedMemo : public ColourMemo {
  public:
    using ColourMemo::ColourMemo;
    bool Recording = false;
    std::vector<double> FastMs, FullMs;
    long FastAllocations = 0, FullAllocations = 0;

    void recolourPass(bool FastRecolor) override {
        if (Depth++ > 0 || !Recording) {
            ColourMemo::recolourPass(FastRecolor);
            --Depth;
            return;
        }
        const long Before = Allocations;
        const Clock::time_point T0 = Clock::now();
        ColourMemo::recolourPass(FastRecolor);
        const double Ms = Milliseconds(Clock::now() - T0);
        (FastRecolor ? FastAllocations : FullAllocations) += Allocations - Before;
        (FastRecolor ? FastMs : FullMs).push_back(Ms);
        --Depth;
    }
    void Reset() {
        FastMs.clear();
        FullMs.clear();
        FastAllocations = FullAllocations = 0;
    }

  private:
    int Depth = 0;
};

// The usual Qt highlighter: keyword expressions bounded by non-letters, line comments, and
// block comments carried from line to line through the block state.
class RegexHighlighter : public QSyntaxHighlighter {
  public:
    explicit RegexHighlighter(QTextDocument* Doc) : QSyntaxHighlighter(Doc) {
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
        Grey.setForeground(QColor(128, 128, 128));
        QTextCharFormat Blue, Maroon;
        Blue.setForeground(QColor(0, 0, 255));
        Maroon.setForeground(QColor(128, 0, 0));
        for (const QString& W : Library)
            Add(W, Blue);
        for (const QString& W : Structure)
            Add(W, Maroon);
    }

  protected:
    void highlightBlock(const QString& Text) override {
        setCurrentBlockState(0);
        qsizetype Start = previousBlockState() == 1 ? 0 : Text.indexOf(CommentStart);
        while (Start >= 0) {
            const QRegularExpressionMatch End = CommentEnd.match(Text, Start + 1);
            qsizetype Length;
            if (End.hasMatch()) {
                Length = End.capturedEnd() - Start;
            } else {
                setCurrentBlockState(1);
                Length = Text.size() - Start;
            }
            setFormat(static_cast<int>(Start), static_cast<int>(Length), Grey);
            Start = Text.indexOf(CommentStart, Start + Length - 1);
        }
        for (QRegularExpressionMatchIterator It = LineComment.globalMatch(Text); It.hasNext();) {
            const QRegularExpressionMatch M = It.next();
            setFormat(static_cast<int>(M.capturedStart()), static_cast<int>(M.capturedLength()),
                      Grey);
        }
        for (const Rule& R : Rules)
            for (QRegularExpressionMatchIterator It = R.Pattern.globalMatch(Text); It.hasNext();) {
                const QRegularExpressionMatch M = It.next();
                setFormat(static_cast<int>(M.capturedStart()), static_cast<int>(M.capturedLength()),
                          R.Format);
            }
    }

  private:
    struct Rule {
        QRegularExpression Pattern;
        QTextCharFormat Format;
    };
    void Add(const QString& Word, const QTextCharFormat& Format) {
        Rules.push_back({QRegularExpression("(?<![@A-Za-z])" + QRegularExpression::escape(Word) +
                                                "(?![@A-Za-z])",
                                            QRegularExpression::CaseInsensitiveOption),
                         Format});
        Rules.back().Pattern.optimize();
    }
    std::vector<Rule> Rules;
    QTextCharFormat Grey;
    QRegularExpression CommentStart{"/\\*"};
    QRegularExpression CommentEnd{"\\*/"};
    QRegularExpression LineComment{"//.*"};
};

// Shows Editor with room for ShownLines whole lines and half of the next one.
void SizeForShownLines(QPlainTextEdit& Editor, int LineHeight) {
    const int Frame = Editor.height() - Editor.viewport()->height();
    const int Margin = static_cast<int>(Editor.document()->documentMargin());
    Editor.resize(640, Frame + Margin + ShownLines * LineHeight + LineHeight / 2);
}

// One typed letter, as the keyboard delivers it; returns its wall time.
double Keystroke(QWidget& Editor, char Letter) {
    const QString Text(QLatin1Char{Letter});
    QKeyEvent Press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, Text);
    QKeyEvent Release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, Text);
    const Clock::time_point T0 = Clock::now();
    QCoreApplication::sendEvent(&Editor, &Press);
    QCoreApplication::sendEvent(&Editor, &Release);
    return Milliseconds(Clock::now() - T0);
}

// Puts the caret of Editor at column 4 of the first line of its view that computes the
// total, so that each letter typed there moves the colours of the rest of the line.
void CaretInView(QPlainTextEdit& Editor, int FirstLine) {
    QTextBlock B = Editor.document()->findBlockByNumber(FirstLine);
    while (B.isValid() && !B.text().startsWith(QLatin1String("    total")))
        B = B.next();
    QTextCursor C(B);
    C.setPosition(B.position() + 4);
    Editor.setTextCursor(C);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    const QString Program = GenerateProgram();
    constexpr int Middle = LineCount / 2;

    QWidget Owner;
    Owner.resize(700, 1400);
    TimedMemo Memo(&Owner);
    Memo.setFont(ColourMemo::editorFont());
    AddEditorColorRules(Memo.colourRules());
    Owner.show();
    const int LineHeight = Memo.cursorRect().height();
    SizeForShownLines(Memo, LineHeight);
    Memo.setPlainText(Program);
    Memo.verticalScrollBar()->setValue(Middle);
    QCoreApplication::processEvents();
    const ColourMemo::Region Region = Memo.colouredRegion();

    // Full passes: the same view again, then views reached by scrolling. The first pass
    // over a view may still lay out lines that Qt left to be laid out later: the steady
    // state is counted from the second.
    constexpr int Rounds = 200;
    Memo.recolourPass(false);
    Memo.Recording = true;
    for (int R = 0; R < Rounds; ++R)
        Memo.recolourPass(false);
    const double SteadyFull = Median(Memo.FullMs);
    const double SteadyFullAllocations = double(Memo.FullAllocations) / Rounds;
    Memo.Reset();
    for (int R = 0; R < 40; ++R)
        Memo.verticalScrollBar()->setValue(Middle + 37 * (R + 1));
    const double ScrolledFull = Median(Memo.FullMs);
    Memo.Recording = false;

    // Typed letters at column 4 of a line inside the view.
    Memo.verticalScrollBar()->setValue(Middle);
    CaretInView(Memo, Memo.firstVisibleLine());
    Memo.Recording = true;
    Memo.Reset();
    std::vector<double> MemoKeys;
    for (int R = 0; R < 40; ++R)
        MemoKeys.push_back(Keystroke(Memo, 'x'));
    const double Fast = Median(Memo.FastMs);
    const std::size_t FastCount = Memo.FastMs.size();
    const double FastAllocationsPerKey =
        double(Memo.FastAllocations) / std::max<std::size_t>(1, FastCount);
    Memo.Recording = false;
    Memo.recolourPass(true);
    Memo.Recording = true;
    Memo.Reset();
    for (int R = 0; R < Rounds; ++R)
        Memo.recolourPass(true);
    const double SteadyFast = Median(Memo.FastMs);
    const double SteadyFastAllocations = double(Memo.FastAllocations) / Rounds;
    Memo.Recording = false;

    // The same document under a QSyntaxHighlighter, in an editor of the same size.
    QWidget OtherOwner;
    OtherOwner.resize(700, 1400);
    QPlainTextEdit Other(&OtherOwner);
    Other.setFont(ColourMemo::editorFont());
    OtherOwner.show();
    SizeForShownLines(Other, LineHeight);
    Other.setPlainText(Program);
    Other.verticalScrollBar()->setValue(Middle);
    RegexHighlighter Highlighter(Other.document());
    QCoreApplication::processEvents();
    std::vector<double> Rehighlights;
    for (int R = 0; R < 5; ++R) {
        const Clock::time_point T0 = Clock::now();
        Highlighter.rehighlight();
        Rehighlights.push_back(Milliseconds(Clock::now() - T0));
    }
    const double Rehighlight = Median(Rehighlights);
    CaretInView(Other, Middle);
    std::vector<double> OtherKeys;
    for (int R = 0; R < 40; ++R)
        OtherKeys.push_back(Keystroke(Other, 'x'));

    const double MemoKey = Median(MemoKeys);
    const double OtherKey = Median(OtherKeys);
    std::printf("== Mémo coloré : %d lignes, %d lignes colorées à l'écran (lignes %d à %d)\n",
                LineCount, Region.LineCount, Region.FirstLine,
                Region.FirstLine + Region.LineCount - 1);
    std::printf("passe complète, vue inchangée      : %8.3f ms, %.2f allocation(s) par passe\n",
                SteadyFull, SteadyFullAllocations);
    std::printf("passe complète après défilement    : %8.3f ms\n", ScrolledFull);
    std::printf("passe rapide, une lettre tapée     : %8.3f ms, %.1f allocation(s) par passe "
                "(objectif : bien moins de 16 ms)\n",
                Fast, FastAllocationsPerKey);
    std::printf("passe rapide, ligne inchangée      : %8.3f ms, %.2f allocation(s) par passe\n",
                SteadyFast, SteadyFastAllocations);
    std::printf("frappe entière dans le mémo        : %8.3f ms\n", MemoKey);
    std::printf("QSyntaxHighlighter, rehighlight()  : %8.3f ms ; la passe complète après "
                "défilement est %.0f fois plus rapide, la passe rapide %.0f fois\n",
                Rehighlight, Rehighlight / std::max(ScrolledFull, 1e-6),
                Rehighlight / std::max(Fast, 1e-6));
    std::printf("QSyntaxHighlighter, une frappe     : %8.3f ms ; la frappe dans le mémo prend "
                "%.1f fois ce temps\n",
                OtherKey, MemoKey / std::max(OtherKey, 1e-6));
    const bool Ok = FastCount > 0 && Fast < 16.0 && ScrolledFull < Rehighlight &&
                    SteadyFullAllocations == 0 && SteadyFastAllocations == 0;
    return Ok ? 0 : 1;
}
