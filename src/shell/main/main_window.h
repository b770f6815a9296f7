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
#include <string>
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
class RecoveryStore;
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
    // "Ligne L, colonne C" of the active editor's caret (empty without an editor).
    QLabel* positionPanel() const { return positionPanel_; }
    // The status bar's panel that says what the run is doing.
    QLabel* runPanel() const { return runPanel_; }
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

    // ---- What is kept between sessions ----
    // Reads the settings (zoom, line numbers, recent files, options) and starts keeping
    // recovery files; without it nothing is read or written (tests of other features).
    void startSession();
    RecoveryStore* recoveryStore() const { return recovery_; }
    // At start-up: offers to restore each text an abnormal end left behind.
    void offerRecovery();
    // At start-up, when the option is on: reopens the files open at the last quit.
    void reopenLastFiles();
    // A Yes / No question of the restore offer; replaced by tests.
    void setRestoreHook(std::function<bool(QWidget*, const QString&)> hook) {
        askRestore_ = std::move(hook);
    }
    QStringList recentFiles() const;
    int zoomStep() const { return zoom_; }
    bool lineNumbersShown() const { return lineNumbers_; }
    EditorWindow* createEditorWindow(const QString& caption);

  signals:
    // The zoom step changed (0: normal size); the console follows it.
    void zoomChanged(int step);

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
    void undo();
    void redo();
    void find();
    void findNext();
    void replace();
    void showProcedures();
    void showSymbolTable();
    void examineVariable();
    void toggleLineNumbers();
    void zoomIn();
    void zoomOut();
    void zoomReset();
    void toggleReopenOption();
    void runProgram();
    void toggleBreakpoint();
    void resumeRun();
    void toggleStepMode();
    void stopProgram();
    void showConsole();
    void saveConsoleText();
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
    void createRunCommands();
    void setUpDebugger();
    void runFinerStep(int kind);
    void showViewedPause();
    void insertFileSkeleton(int mode);
    void setZoom(int step);
    void applyView(EditorWindow* editor) const;
    void updatePosition();
    void fillRecentFiles();
    void addRecent(const QString& path);
    void saveSetting(const QString& key, const QVariant& value) const;
    QPoint newWindowPosition(const QSize& size) const;
    bool running() const;
    // The active editor when its text may change (no program runs), or nullptr.
    EditorWindow* editableEditor() const;

    QMdiArea* mdiArea_;
    QToolBar* toolBar_;
    QLabel* statusLine_;
    QLabel* clockPanel_;
    QLabel* positionPanel_;
    QLabel* runPanel_;
    QTimer* clockTimer_;
    QMenu* windowMenu_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* lineNumbersAction_ = nullptr;
    QAction* reopenAction_ = nullptr;
    std::vector<QAction*> recentActions_;
    std::vector<std::string> recent_;
    RecoveryStore* recovery_ = nullptr;
    std::function<bool(QWidget*, const QString&)> askRestore_;
    bool sessionStarted_ = false;
    bool lineNumbers_ = true;
    int zoom_ = 0;
    QPrinter* printer_ = nullptr;
    SharedWindows shared_;
    std::vector<QAction*> editorActions_;
    std::vector<QAction*> windowListActions_;
    QAction* stepModeAction_ = nullptr;
    QAction* stopAction_ = nullptr;
    std::vector<QAction*> runActions_;      // disabled while a program runs
    std::vector<QAction*> textEditActions_; // commands that change the text: off during a run
    QPointer<EditorWindow> activeEditor_;   // cleared when that window goes away
    QPointer<EditorWindow> runningEditor_;  // the window whose program runs or ran last
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
