// A look at the program text before it runs: mistakes the language accepts without a
// word (an else that can never run, a loop whose condition never changes, a block
// without its brace...) and habits from other languages, each reported as a warning at
// the line to change with what to write there. Pure text work: nothing runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "program_text.h"

namespace vokc {

struct ProgramWarning {
    int line;         // 0-based, the line to change
    std::string text; // Windows-1252, short French, with the corrected line when known
};

// The warnings of a program, in line order, at most one per line.
std::vector<ProgramWarning> CheckProgram(const ProgramText& program);

// What to write instead of one line written as in another language, or with an operator
// the language lacks ("i += 1;", "if (a > 0 && b > 0)", "clrscr();"...): a French text in
// UTF-8, empty when the line has none of these shapes. `line` is Windows-1252.
std::string ShapeAdvice(std::string_view line);

// A printf whose format holds a text besides its one code ("printf("Somme : %d\n", s);")
// written as the printfs that show the same, one a piece: "printf("Somme : ");
// printf("%d\n", s);". Empty when the line is no such printf. Windows-1252 in and out.
std::string PrintfPieces(std::string_view line);

} // namespace vokc
