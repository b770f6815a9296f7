// The windows and dialogs that the main window reaches, created once at start-up (see
// main.cpp) and handed to it and to its parts.
#pragma once

namespace vokc {

class AboutBox;
class CalculatorWindow;
class CalendarWindow;
class ClockWindow;
class ConsoleWindow;
class ExamineDialog;
class FileSkeletonDialog;
class ForLoopDialog;
class IfDialog;
class KeywordPicker;
class ProcedureList;
class RunSession;
class SymbolTableDialog;
class WhileLoopDialog;

// The generator dialogs.
struct GeneratorDialogs {
    ForLoopDialog* forLoop = nullptr;
    WhileLoopDialog* whileLoop = nullptr; // also the do loop's
    IfDialog* ifCondition = nullptr;
    FileSkeletonDialog* fileSkeleton = nullptr;
    KeywordPicker* keywords = nullptr;
};

struct SharedWindows {
    AboutBox* aboutBox = nullptr;
    ProcedureList* procedureList = nullptr;
    RunSession* session = nullptr;
    ConsoleWindow* console = nullptr;
    SymbolTableDialog* symbolTable = nullptr;
    ExamineDialog* examine = nullptr;
    GeneratorDialogs generators;
    CalendarWindow* calendar = nullptr;
    ClockWindow* clock = nullptr;
    CalculatorWindow* calculator = nullptr;
};

} // namespace vokc
