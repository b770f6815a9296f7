// The look before the run (CheckProgram) on a 1,000-line program made of procedures with
// loops, tests with else, arrays, files and strings, the shapes every rule reads. Prints the
// median time of a pass and the warnings found; exit status 1 when a pass takes 10 ms or
// more, or when the program's few planted mistakes are not all found.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "program_check.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLineCount = 1000;
constexpr int kRuns = 51;

class Lines : public vokc::ProgramText {
  public:
    explicit Lines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    std::string_view Line(int i) const override { return lines_[static_cast<std::size_t>(i)]; }

  private:
    std::vector<std::string> lines_;
};

// Procedures of 25 lines before main(); one in ten has a planted mistake (a for that
// counts the wrong way), so that the rules do their whole work.
std::vector<std::string> Program(int& planted) {
    std::vector<std::string> l = {"int t[50], i, j, n, k;", "float r;", "char s[80], c;",
                                  "file f;"};
    planted = 0;
    for (int p = 0; l.size() + 25 + 12 < kLineCount; ++p) {
        const std::string n = std::to_string(p);
        const bool wrong = p % 10 == 9;
        planted += wrong;
        const std::vector<std::string> body = {
            "// Procédure " + n + " : remplit le tableau et écrit le fichier",
            "void calcul" + n + "()",
            "{",
            wrong ? "  for (i=50; i>=1; i++)" : "  for (i=1; i<=50; i++)",
            "  {",
            "    t[i] = i;",
            "    n = n + t[i];",
            "  }",
            "  if (n > 100)",
            "  {",
            "    puts(\"grand\");",
            "  }",
            "  else",
            "    puts(\"petit\");",
            "  k = 0;",
            "  while (k < 10)",
            "  {",
            "    k++;",
            "    s = \"tour { } ; 'abc'\";",
            "  }",
            "  f=fopen(\"sortie" + n + ".txt\",\"w\");",
            "  fputs(s, f);",
            "  fclose(f);",
            "  printf(\"%d\\n\", n);",
            "}"};
        l.insert(l.end(), body.begin(), body.end());
    }
    l.push_back("main()");
    l.push_back("{");
    while (l.size() + 1 < kLineCount)
        l.push_back("  calcul0();");
    l.push_back("}");
    return l;
}

} // namespace

int main() {
    int planted = 0;
    const Lines program(Program(planted));
    std::vector<double> times;
    std::size_t found = 0;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point t0 = Clock::now();
        const std::vector<vokc::ProgramWarning> warnings = vokc::CheckProgram(program);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        found = warnings.size();
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("== Vérification avant l'exécution, programme de %d lignes\n", program.LineCount());
    std::printf("une vérification : %.2f ms (médiane de %d ; objectif : moins de 10 ms), "
                "%zu avertissements pour %d erreurs placées\n",
                median, kRuns, found, planted);
    return median < 10.0 && found == static_cast<std::size_t>(planted) ? 0 : 1;
}
