// The editor's colour rules: comments in grey, the library's words in blue, the program's
// structure words in maroon.
#include "colourrules.h"

namespace vokc {

namespace {

// clang-format off
const TStrings LibraryWords = {
    "--", "#", "++", "abs", "atoi", "break", "catestring", "ceil", "chdir", "clrscr", "cos",
    "currentdate()", "currenttime()", "do", "eabs", "else", "exit", "exp", "fclose", "feof",
    "fgets", "float", "fopen", "for", "fputs", "gets", "if", "itoa", "log", "main()", "mkdir",
    "printf", "puts", "random", "randomize", "return", "rmdir", "scanf", "sin", "sqrt",
    "strcat", "strchr", "strcmp", "strcpy", "strlen", "strncat", "strncpy", "timestring",
    "tolower", "toupper",
};
// clang-format on

const TStrings StructureWords = {"main()", "void", "{", "}", "char", "int"};

} // namespace

// Settings first, then the lists through their writers, so each list is compiled with its
// rule's kind and default colour whatever state the collection is in.
void AddEditorColorRules(TDrawRules& Rules) {
    TColorRule& Block = Rules.Add();
    Block.KeyDrawingType = dtBeginEnd;
    Block.DefKeyColor = clGray;
    Block.SetKeyBegEndLst({"/*;*/"});

    TColorRule& Line = Rules.Add();
    Line.KeyDrawingType = dtBeginLineEnd;
    Line.DefKeyColor = clGray;
    Line.SetKeyLineEndLst({"//"});

    TColorRule& Library = Rules.Add();
    Library.KeyDrawingType = dtKeyShow;
    Library.DefKeyColor = clBlue;
    Library.SetKeywords(LibraryWords);

    TColorRule& Structure = Rules.Add();
    Structure.KeyDrawingType = dtKeyShow;
    Structure.DefKeyColor = clMaroon;
    Structure.SetKeywords(StructureWords);
}

} // namespace vokc
