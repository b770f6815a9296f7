// The rows of the main window's menus.
#include "command_table.h"

#include "exercise_commands.h"
#include "generator_commands.h"
#include "main_window.h"
#include "run_controller.h"
#include "session_settings.h"
#include "window_menu.h"

namespace vokc {

namespace {

using shell::Glyph;
using enum Enabled;
using enum MenuId;

const MenuRow kMenus[] = {
    {"&Fichier", 3, "Quitter cette application"},
    {"&Edition", 4, ""},
    {"&Voir", 5, ""},
    {"E&x\u00E9cuter", 6, ""},
    {"&Programmer", 7, ""},
    {"&Utilitaires", 8, ""},
    {"Fe&n\u00EAtre", 9, "Commandes de fen\u00EAtres telles que Mosa\u00EFque et Cascade"},
    {"&Aide", 10, "Sujets d'aide"},
};

using C = Command;
using M = MainWindow;
using R = RunController;
using S = SessionSettings;
using W = WindowMenu;
using G = GeneratorCommands;
using X = ExerciseCommands;

constexpr std::optional<Glyph> kNoButton; // a command with no tool-bar button

constexpr CommandRow kCommands[] = {
    {C::New, "new", File, "&Nouveau", "Ctrl+N", Glyph::New, "Nouveau",
     "Cr\u00E9er un nouveau fichier", Always, kPlain, &M::newFile},
    {C::Open, "open", File, "&Ouvrir", "Ctrl+O", Glyph::Open, "Ouvrir",
     "Ouvrir un fichier existant", Always, kPlain, &M::openFile},
    {C::Close, "close", File, "&Fermer", "", kNoButton, "", "Fermer le fichier en cours",
     WithEditor, kSeparatorAfter, &M::closeFile},
    {C::Save, "save", File, "&Enregistrer", "Ctrl+S", Glyph::Save, "Enregistrer",
     "Enregistrer le fichier en cours", WithEditor, kPlain, &M::saveFile},
    {C::SaveAs, "saveAs", File, "Enregistrer &sous...", "", kNoButton, "",
     "Enregistrer le fichier en cours sous...", WithEditor, kPlain, &M::saveFileAs},
    {C::SaveConsole, "saveConsole", File, "Enregistrer l'\u00E9cran sous...", "", kNoButton, "",
     "Enregistrer le texte de l'\u00E9cran dans un fichier", Always, kPlain, &R::saveConsoleText},
    {C::Import, "import", File, "I&mporter", "", kNoButton, "", "Importerr un fichier",
     WhileEditable, kSeparatorAfter, &M::importFile},
    {C::Print, "print", File, "&Imprimer...", "", kNoButton, "", "Imprimer le fichier", WithEditor,
     kPlain, &M::printFile},
    {C::PrinterSetup, "printerSetup", File, "&Configuration impression...", "", kNoButton, "",
     "Configurer l'imprimante", Always, kSeparatorAfter, &M::setUpPrinter},
    {C::ReopenOption, "reopenOption", File, "Rou&vrir les fichiers au d\u00E9marrage", "",
     kNoButton, "", "Rouvrir au d\u00E9marrage les fichiers ouverts \u00E0 la fermeture", Always,
     kSeparatorAfter | kCheckable, &S::toggleReopenOption},
    {C::Quit, "quit", File, "&Quitter", "Alt+X", kNoButton, "", "Quitter l'application", Always,
     kConsoleKey, &M::quit},

    {C::Undo, "undo", Edit, "&Annuler", "Ctrl+Z", kNoButton, "",
     "Annuler la derni\u00E8re modification", WhileEditable, kPlain, &M::undo},
    {C::Redo, "redo", Edit, "&R\u00E9tablir", "Ctrl+Y", kNoButton, "",
     "R\u00E9tablir la modification annul\u00E9e", WhileEditable, kSeparatorAfter, &M::redo},
    {C::Cut, "cut", Edit, "&Couper", "Ctrl+X", Glyph::Cut, "Couper",
     "Couper vers le Presse-papiers", WhileEditable, kPlain, &M::cut},
    {C::Copy, "copy", Edit, "Co&pier", "Ctrl+C", Glyph::Copy, "Copier",
     "Copier vers le Presse-papiers", WithEditor, kPlain, &M::copy},
    {C::Paste, "paste", Edit, "C&oller", "Ctrl+V", Glyph::Paste, "Coller",
     "Coller depuis le Presse-papiers", WhileEditable, kPlain, &M::paste},
    {C::SelectAll, "selectAll", Edit, "&Tout s\u00E9lectionner", "", kNoButton, "",
     "S\u00E9lectionner tout le texte", WithEditor, kSeparatorAfter, &M::selectAll},
    {C::Find, "find", Edit, "Rec&hercher...", "Ctrl+F", kNoButton, "", "Rechercher le texte",
     WithEditor, kPlain, &M::find},
    {C::FindNext, "findNext", Edit, "Co&ntinuer", "F3", kNoButton, "", "Continer la recherche",
     WithEditor, kPlain, &M::findNext},
    {C::Replace, "replace", Edit, "Re&mplacer...", "", kNoButton, "", "Remplacer un texte",
     WhileEditable, kPlain, &M::replace},

    {C::Procedures, "procedures", View, "&Voids...", "F2", kNoButton, "", "voir liste des subs",
     WithEditor, kPlain, &M::showProcedures},
    {C::SymbolTable, "symbolTable", View, "&Table des symboles", "", kNoButton, "",
     "Afficher la table des symboles", WithEditor, kPlain, &R::showSymbolTable},
    {C::Examine, "examine", View, "&Examiner variable...", "", kNoButton, "",
     "Voir la valeur de la variable", WithEditor, kPlain, &R::examineVariable},
    {C::Variables, "variables", View, "&Variables", "", kNoButton, "",
     "Afficher les variables du programme et leurs valeurs", WithEditor, kPlain, &R::showVariables},
    {C::Calls, "calls", View, "Appe&ls", "", kNoButton, "",
     "Afficher les appels de proc\u00E9dures en cours", WithEditor, kSeparatorAfter, &R::showCalls},
    {C::LineNumbers, "lineNumbers", View, "&Num\u00E9ros de ligne", "", kNoButton, "",
     "Afficher les num\u00E9ros de ligne", Always, kCheckable, &S::toggleLineNumbers},
    // The zoom keys also answer on the key of '+' without Shift.
    {C::ZoomIn, "zoomIn", View, "Zoom &avant", "Ctrl++; Ctrl+=", kNoButton, "", "Agrandir le texte",
     Always, kPlain, &S::zoomIn},
    {C::ZoomOut, "zoomOut", View, "Zoom a&rri\u00E8re", "Ctrl+-", kNoButton, "",
     "R\u00E9duire le texte", Always, kPlain, &S::zoomOut},
    {C::ZoomReset, "zoomReset", View, "Taille &normale", "Ctrl+0", kNoButton, "",
     "Revenir \u00E0 la taille normale du texte", Always, kPlain, &S::zoomReset},
    {C::Console, "console", View, "&Ecran", "", kNoButton, "", "Afficher l'\u00E9cran du programme",
     Always, kPlain, &R::showConsole},

    {C::Run, "run", Run, "&Ex\u00E9cuter", "F9", Glyph::Run, "Ex\u00E9cuter",
     "Ex\u00E9cuter le programme", WhileEditable, kSeparatorAfter | kConsoleKey, &R::runProgram},
    {C::Breakpoint, "breakpoint", Run, "&Point d'arr\u00EAt", "F5", kNoButton, "",
     "Poser un point d'arr\u00EAt", WhileEditable, kConsoleKey, &R::toggleBreakpoint},
    {C::Resume, "resume", Run, "&Continuer", "F7", kNoButton, "", "Continue l'\u00E9x\u00E9cution",
     WhileEditable, kConsoleKey, &R::resumeRun},
    {C::StepMode, "stepMode", Run, "&Mode pas \u00E0 pas", "", kNoButton, "",
     "Ex\u00E9cute en pas \u00E0 pas", WithEditor, kCheckable | kConsoleKey, &R::toggleStepMode},
    {C::StepOver, "stepOver", Run, "Pas \u00E0 pas pri&ncipal", "F8", kNoButton, "",
     "Ex\u00E9cute une ligne ; un appel de proc\u00E9dure compte pour une seule ligne",
     WhileEditable, kConsoleKey, &R::stepOver},
    {C::StepOut, "stepOut", Run, "&Sortir de la proc\u00E9dure", "Shift+F8", kNoButton, "",
     "Ex\u00E9cute jusqu'au retour de la proc\u00E9dure en cours", WhileEditable, kConsoleKey,
     &R::stepOut},
    {C::RunToCursor, "runToCursor", Run, "Ex\u00E9cuter &jusqu'au curseur", "F4", kNoButton, "",
     "Ex\u00E9cute jusqu'\u00E0 la ligne du curseur", WhileEditable, kConsoleKey, &R::runToCursor},
    {C::PreviousStep, "previousStep", Run, "Pas p&r\u00E9c\u00E9dent", "Shift+F7", kNoButton, "",
     "Revoir la pause pr\u00E9c\u00E9dente (rien n'est ex\u00E9cut\u00E9 de nouveau)",
     WhileEditable, kConsoleKey, &R::previousStep},
    {C::NextStep, "nextStep", Run, "Pas s&uivant", "", kNoButton, "", "Revoir la pause suivante",
     WhileEditable, kConsoleKey, &R::nextStep},
    // Escape stops a run from the editor too.
    {C::Stop, "stop", Run, "&Arr\u00EAter", "Ctrl+Pause; Esc", kNoButton, "",
     "Arr\u00EAter le programme en cours", DuringRun, kSeparatorAfter | kConsoleKey,
     &R::stopProgram},
    {C::ChooseExercise, "chooseExercise", Run, "C&hoisir l'exercice...", "", kNoButton, "",
     "Choisir l'exercice de ce programme et afficher son \u00E9nonc\u00E9", WithEditor, kPlain,
     &X::chooseExercise},
    {C::Check, "check", Run, "&V\u00E9rifier", "Ctrl+F9", Glyph::Check, "V\u00E9rifier",
     "V\u00E9rifier le programme avec les cas de l'exercice", WithEditor, kPlain, &X::checkProgram},
    {C::RunCase, "runCase", Run, "Ex\u00E9cu&ter ce cas", "", kNoButton, "",
     "Ex\u00E9cuter le programme sur le cas choisi dans l'onglet V\u00E9rification", WhileEditable,
     kPlain, &X::runCase},

    {C::Keyword, "keyword", Program, "&Mots cl\u00E9...", "", kNoButton, "", " Les instructions c",
     WhileEditable, kPlain, &G::insertKeyword},
    {C::ForLoop, "forLoop", Program, "Boucle &For...", "", kNoButton, "",
     "G\u00E9n\u00E9rer boucle For", WhileEditable, kPlain, &G::insertForLoop},
    {C::WhileLoop, "whileLoop", Program, "Boucle Whille...", "", kNoButton, "",
     "G\u00E9n\u00E9rer boucle while", WhileEditable, kPlain, &G::insertWhileLoop},
    {C::DoLoop, "doLoop", Program, "Boucle &Do...", "", kNoButton, "",
     "G\u00E9n\u00E9rer boucle Repeat", WhileEditable, kPlain, &G::insertDoLoop},
    {C::If, "if", Program, "Condition &If...", "", kNoButton, "", "G\u00E9n\u00E9rer condition If",
     WhileEditable, kPlain, &G::insertIf},
    {C::FileRead, "fileRead", Program, "&Lecture fichier...", "", kNoButton, "",
     "Ouvrir un fichier en lecture", WhileEditable, kPlain, &G::insertFileRead},
    {C::FileWrite, "fileWrite", Program, "&Ecriture fichier...", "", kNoButton, "",
     "Ouvrir un fichier en \u00E9criture", WhileEditable, kPlain, &G::insertFileWrite},

    {C::Calendar, "calendar", Utilities, "&Calendrier", "", kNoButton, "", "Calendrier", Always,
     kPlain, &M::showCalendar},
    {C::Calculator, "calculator", Utilities, "C&alculatrice", "", kNoButton, "", "Calculatrice",
     Always, kPlain, &M::showCalculator},
    {C::Clock, "clock", Utilities, "&Horloge", "", kNoButton, "", "Horloge", Always,
     kSeparatorAfter, &M::showClock},
    {C::GradePrograms, "gradePrograms", Utilities, "Corriger des &programmes...", "", kNoButton, "",
     "Noter des programmes avec les cas d'un exercice", Always, kPlain, &X::gradePrograms},

    {C::Cascade, "cascade", Window, "&Cascade", "", kNoButton, "",
     "Disposer les fen\u00EAtres en recouvrement", WithEditor, kPlain, &W::cascade},
    {C::Tile, "tile", Window, "&Mosa\u00EFque", "", kNoButton, "",
     "Disposer les fen\u00EAtres sans recouvrement", WithEditor, kPlain, &W::tile},
    {C::ArrangeIcons, "arrangeIcons", Window, "&R\u00E9organiser les ic\u00F4nes", "", kNoButton,
     "", "Disposer les fen\u00EAtres en bas de la fen\u00EAtre principale", WithEditor, kPlain,
     &W::arrangeIcons},
    {C::MinimizeAll, "minimizeAll", Window, "&Tout r\u00E9duire", "", kNoButton, "",
     "Minimiser toutes les fen\u00EAtres", WithEditor, kPlain, &W::minimizeAll},

    {C::HelpContents, "helpContents", Help, "&Index", "", kNoButton, "", "Sommaire de l'aide",
     Always, kPlain, &M::showHelpContents},
    {C::HelpSearch, "helpSearch", Help, "&Rechercher", "", kNoButton, "", "Rechercher", Always,
     kPlain, &M::searchHelp},
    {C::HelpOnHelp, "helpOnHelp", Help, "&Utiliser l'aide", "", kNoButton, "", "Utliser l'aide",
     Always, kSeparatorAfter, &M::showHelpOnHelp},
    {C::About, "about", Help, "&A propos", "", kNoButton, "", "Informations sur le logiciel",
     Always, kPlain, &M::showAbout},
};

// The table is read by role: each row sits at its role's index.
constexpr bool InRoleOrder() {
    for (std::size_t i = 0; i < std::size(kCommands); ++i)
        if (kCommands[i].role != static_cast<Command>(i)) return false;
    return std::size(kCommands) == kCommandCount;
}
static_assert(InRoleOrder());

} // namespace

std::span<const MenuRow> MenuTable() {
    return kMenus;
}

std::span<const CommandRow> CommandTable() {
    return kCommands;
}

} // namespace vokc
