// The command table: every item of the main window's menus, one row each, in menu order.
// A row names its command by role (the `Command` value, and the action's object name),
// says where it goes (menu, tool-bar button), what it shows (caption, keys, hints), when
// it is enabled, and which member of which part of the main window carries it out.
// The main window builds its actions from these rows and finds them again by role.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <variant>

#include "glyphs.h"

namespace vokc {

class ExerciseCommands;
class GeneratorCommands;
class MainWindow;
class RunController;
class SessionSettings;
class WindowMenu;

enum class Command {
    // Fichier
    New,
    Open,
    Close,
    Save,
    SaveAs,
    SaveConsole,
    Import,
    Print,
    PrinterSetup,
    ReopenOption,
    Quit,
    // Edition
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Find,
    FindNext,
    Replace,
    // Voir
    Procedures,
    SymbolTable,
    Examine,
    Variables,
    Calls,
    LineNumbers,
    ZoomIn,
    ZoomOut,
    ZoomReset,
    Console,
    // Exécuter
    Run,
    Breakpoint,
    Resume,
    StepMode,
    StepOver,
    StepOut,
    RunToCursor,
    PreviousStep,
    NextStep,
    Stop,
    ChooseExercise,
    Check,
    RunCase,
    // Programmer
    Keyword,
    ForLoop,
    WhileLoop,
    DoLoop,
    If,
    FileRead,
    FileWrite,
    // Utilitaires
    Calendar,
    Calculator,
    Clock,
    GradePrograms,
    // Fenêtre
    Cascade,
    Tile,
    ArrangeIcons,
    MinimizeAll,
    // Aide
    HelpContents,
    HelpSearch,
    HelpOnHelp,
    About,
};
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::About) + 1;

// The menus of the bar, left to right.
enum class MenuId { File, Edit, View, Run, Program, Utilities, Window, Help };

struct MenuRow {
    const char* caption; // with its '&'
    int helpContext;     // the help page that F1 shows while the menu is open
    const char* hint;    // status-line hint
};
std::span<const MenuRow> MenuTable();

// When a command is offered.
enum class Enabled {
    Always,
    WithEditor,    // while an editor window is open
    WhileEditable, // while an editor window is open and no program runs (it reads the text)
    DuringRun,     // while a program runs
};

// What else a row asks for.
enum CommandFlag : unsigned {
    kPlain = 0,
    kSeparatorAfter = 1, // a separator follows the item in its menu
    kCheckable = 2,      // the item carries a check mark
    kConsoleKey = 4,     // its keys also work in the program's console
};

// The member that carries a command out, on the part of the main window that owns it.
using CommandSlot = std::variant<void (MainWindow::*)(), void (RunController::*)(),
                                 void (SessionSettings::*)(), void (WindowMenu::*)(),
                                 void (GeneratorCommands::*)(), void (ExerciseCommands::*)()>;

struct CommandRow {
    Command role;
    const char* name; // the action's object name
    MenuId menu;
    const char* caption;               // with its '&'
    const char* keys;                  // shortcuts, separated by "; ", or ""
    std::optional<shell::Glyph> glyph; // its tool-bar button, if any
    const char* tip;                   // tool tip of the button
    const char* hint;                  // status-line hint
    Enabled enabled;
    unsigned flags; // CommandFlag values
    CommandSlot slot;
};
// One row per command, in the order of `Command`.
std::span<const CommandRow> CommandTable();

} // namespace vokc
