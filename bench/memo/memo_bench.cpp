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

constexpr int kLineCount = 20000;
constexpr int kShownLines = 60;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A program in the editor's language: procedures with loops, tests, library calls, strings,
// line comments and block comments, some over two lines.
QString GenerateProgram() {
    QStringList lines;
    for (int p = 0; lines.size() + 19 <= kLineCount - 12; ++p) {
        const QString n = QString::number(p);
        lines << "/* Procedure calcul" + n + " : somme des racines */"
              << "void calcul" + n + "()"
              << "{"
              << "  total = 0;"
              << "  for (i = 1; i <= " + QString::number(10 + p % 90) + "; i++)"
              << "  {"
              << "    total = total + sqrt(i) * cos(angle); // cumul " + n << "  }"
              << "  if (total > 100) printf(\"Grand : %f\\n\", total);"
              << "  else puts(\"Petit\");"
              << "  strcpy(nom, \"Vok C\"); strcat(nom, \" version " + n + "\");"
              << "  /* longueur du nom,"
              << "     puis valeur absolue */"
              << "  longueur = strlen(nom) + abs(ecart - 3);"
              << "  while (longueur > 0) longueur--;"
              << "  fputs(fichier, nom);"
              << "  return;"
              << "}"
              << "";
    }
    while (lines.size() < kLineCount - 12)
        lines << "// ligne libre";
    lines << "int i;"
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
    return lines.join(QLatin1Char('\n'));
}

// The memo, timing each outermost pass and counting its allocations.
class TimedMemo : public ColourMemo {
  public:
    using ColourMemo::ColourMemo;
    bool recording = false;
    std::vector<double> fastMs, fullMs;
    long fastAllocations = 0, fullAllocations = 0;

    void recolourPass(bool fastRecolour) override {
        if (depth_++ > 0 || !recording) {
            ColourMemo::recolourPass(fastRecolour);
            --depth_;
            return;
        }
        const long before = Allocations;
        const Clock::time_point t0 = Clock::now();
        ColourMemo::recolourPass(fastRecolour);
        const double ms = Milliseconds(Clock::now() - t0);
        (fastRecolour ? fastAllocations : fullAllocations) += Allocations - before;
        (fastRecolour ? fastMs : fullMs).push_back(ms);
        --depth_;
    }
    void reset() {
        fastMs.clear();
        fullMs.clear();
        fastAllocations = fullAllocations = 0;
    }

  private:
    int depth_ = 0;
};

// The usual Qt highlighter: keyword expressions bounded by non-letters, line comments, and
// block comments carried from line to line through the block state.
class RegexHighlighter : public QSyntaxHighlighter {
  public:
    explicit RegexHighlighter(QTextDocument* doc) : QSyntaxHighlighter(doc) {
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
        grey_.setForeground(QColor(128, 128, 128));
        QTextCharFormat blue, maroon;
        blue.setForeground(QColor(0, 0, 255));
        maroon.setForeground(QColor(128, 0, 0));
        for (const QString& w : library)
            add(w, blue);
        for (const QString& w : structure)
            add(w, maroon);
    }

  protected:
    void highlightBlock(const QString& text) override {
        setCurrentBlockState(0);
        qsizetype start = previousBlockState() == 1 ? 0 : text.indexOf(commentStart_);
        while (start >= 0) {
            const QRegularExpressionMatch end = commentEnd_.match(text, start + 1);
            qsizetype length;
            if (end.hasMatch()) {
                length = end.capturedEnd() - start;
            } else {
                setCurrentBlockState(1);
                length = text.size() - start;
            }
            setFormat(static_cast<int>(start), static_cast<int>(length), grey_);
            start = text.indexOf(commentStart_, start + length - 1);
        }
        for (QRegularExpressionMatchIterator it = lineComment_.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            setFormat(static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength()),
                      grey_);
        }
        for (const Rule& r : rules_)
            for (QRegularExpressionMatchIterator it = r.pattern.globalMatch(text); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                setFormat(static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength()),
                          r.format);
            }
    }

  private:
    struct Rule {
        QRegularExpression pattern;
        QTextCharFormat format;
    };
    void add(const QString& word, const QTextCharFormat& format) {
        rules_.push_back({QRegularExpression("(?<![@A-Za-z])" + QRegularExpression::escape(word) +
                                                 "(?![@A-Za-z])",
                                             QRegularExpression::CaseInsensitiveOption),
                          format});
        rules_.back().pattern.optimize();
    }
    std::vector<Rule> rules_;
    QTextCharFormat grey_;
    QRegularExpression commentStart_{"/\\*"};
    QRegularExpression commentEnd_{"\\*/"};
    QRegularExpression lineComment_{"//.*"};
};

// Shows `editor` with room for kShownLines whole lines and half of the next one.
void SizeForShownLines(QPlainTextEdit& editor, int lineHeight) {
    const int frame = editor.height() - editor.viewport()->height();
    const int margin = static_cast<int>(editor.document()->documentMargin());
    editor.resize(640, frame + margin + kShownLines * lineHeight + lineHeight / 2);
}

// One typed letter, as the keyboard delivers it; returns its wall time.
double Keystroke(QWidget& editor, char letter) {
    const QString text(QLatin1Char{letter});
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, text);
    const Clock::time_point t0 = Clock::now();
    QCoreApplication::sendEvent(&editor, &press);
    QCoreApplication::sendEvent(&editor, &release);
    return Milliseconds(Clock::now() - t0);
}

// Puts the caret of `editor` at column 4 of the first line of its view that computes the
// total, so that each letter typed there moves the colours of the rest of the line.
void CaretInView(QPlainTextEdit& editor, int firstLine) {
    QTextBlock b = editor.document()->findBlockByNumber(firstLine);
    while (b.isValid() && !b.text().startsWith(QLatin1String("    total")))
        b = b.next();
    QTextCursor c(b);
    c.setPosition(b.position() + 4);
    editor.setTextCursor(c);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString program = GenerateProgram();
    constexpr int kMiddle = kLineCount / 2;

    QWidget owner;
    owner.resize(700, 1400);
    TimedMemo memo(&owner);
    memo.setFont(ColourMemo::editorFont());
    AddEditorColourRules(memo.colourRules());
    owner.show();
    const int lineHeight = memo.cursorRect().height();
    SizeForShownLines(memo, lineHeight);
    memo.setPlainText(program);
    memo.verticalScrollBar()->setValue(kMiddle);
    QCoreApplication::processEvents();
    const ColourMemo::Region region = memo.colouredRegion();

    // Full passes: the same view again, then views reached by scrolling. The first pass
    // over a view may still lay out lines that Qt left to be laid out later: the steady
    // state is counted from the second.
    constexpr int kRounds = 200;
    memo.recolourPass(false);
    memo.recording = true;
    for (int r = 0; r < kRounds; ++r)
        memo.recolourPass(false);
    const double steadyFull = Median(memo.fullMs);
    const double steadyFullAllocations = double(memo.fullAllocations) / kRounds;
    memo.reset();
    for (int r = 0; r < 40; ++r)
        memo.verticalScrollBar()->setValue(kMiddle + 37 * (r + 1));
    const double scrolledFull = Median(memo.fullMs);
    memo.recording = false;

    // Typed letters at column 4 of a line inside the view.
    memo.verticalScrollBar()->setValue(kMiddle);
    CaretInView(memo, memo.firstVisibleLine());
    memo.recording = true;
    memo.reset();
    std::vector<double> memoKeys;
    for (int r = 0; r < 40; ++r)
        memoKeys.push_back(Keystroke(memo, 'x'));
    const double fast = Median(memo.fastMs);
    const std::size_t fastCount = memo.fastMs.size();
    const double fastAllocationsPerKey =
        double(memo.fastAllocations) / std::max<std::size_t>(1, fastCount);
    memo.recording = false;
    memo.recolourPass(true);
    memo.recording = true;
    memo.reset();
    for (int r = 0; r < kRounds; ++r)
        memo.recolourPass(true);
    const double steadyFast = Median(memo.fastMs);
    const double steadyFastAllocations = double(memo.fastAllocations) / kRounds;
    memo.recording = false;

    // The same document under a QSyntaxHighlighter, in an editor of the same size.
    QWidget otherOwner;
    otherOwner.resize(700, 1400);
    QPlainTextEdit other(&otherOwner);
    other.setFont(ColourMemo::editorFont());
    otherOwner.show();
    SizeForShownLines(other, lineHeight);
    other.setPlainText(program);
    other.verticalScrollBar()->setValue(kMiddle);
    RegexHighlighter highlighter(other.document());
    QCoreApplication::processEvents();
    std::vector<double> rehighlights;
    for (int r = 0; r < 5; ++r) {
        const Clock::time_point t0 = Clock::now();
        highlighter.rehighlight();
        rehighlights.push_back(Milliseconds(Clock::now() - t0));
    }
    const double rehighlight = Median(rehighlights);
    CaretInView(other, kMiddle);
    std::vector<double> otherKeys;
    for (int r = 0; r < 40; ++r)
        otherKeys.push_back(Keystroke(other, 'x'));

    const double memoKey = Median(memoKeys);
    const double otherKey = Median(otherKeys);
    std::printf("== Mémo coloré : %d lignes, %d lignes colorées à l'écran (lignes %d à %d)\n",
                kLineCount, region.lineCount, region.firstLine,
                region.firstLine + region.lineCount - 1);
    std::printf("passe complète, vue inchangée      : %8.3f ms, %.2f allocation(s) par passe\n",
                steadyFull, steadyFullAllocations);
    std::printf("passe complète après défilement    : %8.3f ms\n", scrolledFull);
    std::printf("passe rapide, une lettre tapée     : %8.3f ms, %.1f allocation(s) par passe "
                "(objectif : bien moins de 16 ms)\n",
                fast, fastAllocationsPerKey);
    std::printf("passe rapide, ligne inchangée      : %8.3f ms, %.2f allocation(s) par passe\n",
                steadyFast, steadyFastAllocations);
    std::printf("frappe entière dans le mémo        : %8.3f ms\n", memoKey);
    std::printf("QSyntaxHighlighter, rehighlight()  : %8.3f ms ; la passe complète après "
                "défilement est %.0f fois plus rapide, la passe rapide %.0f fois\n",
                rehighlight, rehighlight / std::max(scrolledFull, 1e-6),
                rehighlight / std::max(fast, 1e-6));
    std::printf("QSyntaxHighlighter, une frappe     : %8.3f ms ; la frappe dans le mémo prend "
                "%.1f fois ce temps\n",
                otherKey, memoKey / std::max(otherKey, 1e-6));
    const bool ok = fastCount > 0 && fast < 16.0 && scrolledFull < rehighlight &&
                    steadyFullAllocations == 0 && steadyFastAllocations == 0;
    return ok ? 0 : 1;
}
