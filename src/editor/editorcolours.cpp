// The editor's colour rules: comments in grey, the library's words in blue, the program's
// structure words in maroon.
#include "colourrules.h"

namespace vokc {

namespace {

// clang-format off
const StringList kLibraryWords = {
    "--", "#", "++", "abs", "atoi", "break", "catestring", "ceil", "chdir", "clrscr", "cos",
    "currentdate()", "currenttime()", "do", "eabs", "else", "exit", "exp", "fclose", "feof",
    "fgets", "float", "fopen", "for", "fputs", "gets", "if", "itoa", "log", "main()", "mkdir",
    "printf", "puts", "random", "randomize", "return", "rmdir", "scanf", "sin", "sqrt",
    "strcat", "strchr", "strcmp", "strcpy", "strlen", "strncat", "strncpy", "timestring",
    "tolower", "toupper",
};
// clang-format on

const StringList kStructureWords = {"main()", "void", "{", "}", "char", "int"};

} // namespace

// Settings first, then the lists through their setters, so each list is compiled with its
// rule's kind and default colour whatever state the collection is in.
void AddEditorColourRules(ColourRules& rules) {
    ColourRule& block = rules.add();
    block.setKind(RuleKind::BeginEnd);
    block.setDefaultColour(kGrey);
    block.setBeginEndKeys({"/*;*/"});

    ColourRule& line = rules.add();
    line.setKind(RuleKind::LineEnd);
    line.setDefaultColour(kGrey);
    line.setLineKeys({"//"});

    ColourRule& library = rules.add();
    library.setKind(RuleKind::Keywords);
    library.setDefaultColour(kBlue);
    library.setKeywords(kLibraryWords);

    ColourRule& structure = rules.add();
    structure.setKind(RuleKind::Keywords);
    structure.setDefaultColour(kMaroon);
    structure.setKeywords(kStructureWords);
}

} // namespace vokc
