// Temporary placeholders, replaced by the string and file statements.
#include "interpreter.h"
#define W __attribute__((weak))
namespace vokc {
W void Interpreter::StringTerm(std::string_view text, std::string& out) { StringOperand(text, out); }
W void Interpreter::EvalStringExpr(std::string_view text, std::string& out) { StringTerm(text, out); }
W void Interpreter::StrCat(std::string_view) { Fail("indisponible"); }
W void Interpreter::StrNCat(std::string_view) { Fail("indisponible"); }
W void Interpreter::Fopen(std::string_view) { Fail("indisponible"); }
W void Interpreter::Fputs(std::string_view) { Fail("indisponible"); }
W void Interpreter::Fgets(std::string_view) { Fail("indisponible"); }
W void Interpreter::Fclose(std::string_view) { Fail("indisponible"); }
W void Interpreter::Mkdir(std::string_view) { Fail("indisponible"); }
W void Interpreter::Rmdir(std::string_view) { Fail("indisponible"); }
W void Interpreter::Chdir(std::string_view) { Fail("indisponible"); }
W bool Interpreter::EofCheck(std::string_view) { Fail("indisponible"); return true; }
W int Interpreter::CloseAll() { return 0; }
}
