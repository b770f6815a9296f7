// The main window: the multiple-document frame of the application. It owns the menu bar,
// the tool bar and the status line, sends every command to the active editor window, to
// the run session, or to a dialog or utility, and runs the generator dialogs for the
// editor. It connects the editors' run commands to the run session and the session's
// stops back to the editor that ran.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;
class QTimer;
class QToolBar;

namespace vokc {

class AboutBox;
class CalculatorWindow;
class CalendarWindow;
class DebugDock;
class HoverTips;
class ClockWindow;
class ConsoleWindow;
class EditorWindow;
class ExamineDialog;
class FileSkeletonDialog;
class ForLoopDialog;
class HelpViewer;
class IfDialog;
class KeywordPicker;
class ProcedureList;
class RunSession;
class SymbolTableDialog;
class WhileLoopDialog;
struct RunStop;

// The generator dialogs, created once by the application.
struct GeneratorDialogs {
    ForLoopDialog* forLoop = nullptr;
    WhileLoopDialog* whileLoop = nullptr; // also the do loop's
    IfDialog* ifCondition = nullptr;
    FileSkeletonDialog* fileSkeleton = nullptr;
    KeywordPicker* keywords = nullptr;
};

// The windows that the main window reaches; created once at start-up (see main.cpp).
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

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void setSharedWindows(const SharedWindows& windows);
    QMdiArea* mdiArea() const { return mdiArea_; }
    EditorWindow* activeEditor() const;
    std::vector<EditorWindow*> editors() const;
    // The action of a menu item by its caption (with its '&').
    QAction* action(const QString& caption) const;
    QLabel* statusLine() const { return statusLine_; }
    QLabel* clockPanel() const { return clockPanel_; }
    QToolBar* toolBar() const { return toolBar_; }
    DebugDock* debugDock() const { return debugDock_; }
    HoverTips* hoverTips() const { return hoverTips_; }

    // Dialog hook, replaced by tests: the path to open, or an empty text.
    void setOpenNameHook(std::function<QString(QWidget*)> hook) { askOpenName_ = std::move(hook); }
    // Called for every new editor window before it loads anything (tests set its hooks).
    void setNewEditorHook(std::function<void(EditorWindow*)> hook) {
        prepareEditor_ = std::move(hook);
    }
    // Opens a program file in a new editor window; false when it cannot be read.
    bool openProgram(const QString& path);
    EditorWindow* createEditorWindow(const QString& caption);

  public slots:
    void updateActions();
    void newFile();
    void openFile();
    void closeFile();
    void saveFile();
    void saveFileAs();
    void importFile();
    void printFile();
    void setUpPrinter();
    void quit();
    void cut();
    void copy();
    void paste();
    void selectAll();
    void find();
    void findNext();
    void replace();
    void showProcedures();
    void showSymbolTable();
    void examineVariable();
    void runProgram();
    void toggleBreakpoint();
    void resumeRun();
    void toggleStepMode();
    void stopProgram();
    void showVariables();
    void showCalls();
    void stepOver();
    void stepOut();
    void runToCursor();
    void previousStep();
    void nextStep();
    void insertKeyword();
    void insertForLoop();
    void insertWhileLoop();
    void insertDoLoop();
    void insertIf();
    void insertFileRead();
    void insertFileWrite();
    void showCalendar();
    void showCalculator();
    void showClock();
    void cascadeWindows();
    void tileWindows();
    void arrangeIcons();
    void minimizeAll();
    void showHelpContents();
    void searchHelp();
    void showHelpOnHelp();
    void showAbout();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createMenus();
    void updateClock();
    void fillWindowMenu();
    void activeWindowChanged();
    void connectEditor(EditorWindow* editor);
    void startRun(EditorWindow* editor, bool fresh);
    void showStop(const RunStop& stop);
    void setUpDebugger();
    void runFinerStep(int kind);
    void showViewedPause();
    void insertFileSkeleton(int mode);
    bool running() const;

    QMdiArea* mdiArea_;
    QToolBar* toolBar_;
    QLabel* statusLine_;
    QLabel* clockPanel_;
    QTimer* clockTimer_;
    QMenu* windowMenu_ = nullptr;
    QPrinter* printer_ = nullptr;
    SharedWindows shared_;
    std::vector<QAction*> editorActions_;
    std::vector<QAction*> windowListActions_;
    QAction* stepModeAction_ = nullptr;
    QAction* stopAction_ = nullptr;
    std::vector<QAction*> runActions_;     // disabled while a program runs
    QPointer<EditorWindow> activeEditor_;  // cleared when that window goes away
    QPointer<EditorWindow> runningEditor_; // the window whose program runs or ran last
    HelpViewer* help_ = nullptr;
    QString startDir_;
    std::function<QString(QWidget*)> askOpenName_;
    std::function<void(EditorWindow*)> prepareEditor_;
    bool shown_ = false;
    DebugDock* debugDock_ = nullptr;
    HoverTips* hoverTips_ = nullptr;
    bool debugDockShownOnce_ = false;
};

} // namespace vokc
