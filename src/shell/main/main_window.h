// The main window: the multiple-document frame of the application. It builds its menus
// and tool bar from the command table, enables each command as the table says, holds the
// editor windows, and carries out the file, edit, utility and help commands itself. Its
// parts carry out the rest: the run controller the run commands, the session settings
// the view and what is kept between sessions, the window menu the arrangement of the
// editor windows, the generator commands the "&Programmer" menu.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "command_table.h"
#include "run_controller.h"
#include "session_settings.h"
#include "shared_windows.h"
#include "status_panels.h"

class QAction;
class QLabel;
class QMdiArea;
class QPrinter;
class QToolBar;

namespace vokc {

class DebugDock;
class EditorWindow;
class ExerciseCommands;
class GeneratorCommands;
class HelpViewer;
class HoverTips;
class WindowMenu;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void setSharedWindows(const SharedWindows& windows);
    QMdiArea* mdiArea() const { return mdiArea_; }
    EditorWindow* activeEditor() const;
    std::vector<EditorWindow*> editors() const;
    // The action of a command (its menu item).
    QAction* action(Command role) const { return actions_[static_cast<std::size_t>(role)]; }
    QToolBar* toolBar() const { return toolBar_; }
    QLabel* statusLine() const { return status_->statusLine(); }
    QLabel* clockPanel() const { return status_->clockPanel(); }
    QLabel* positionPanel() const { return status_->positionPanel(); }
    QLabel* runPanel() const { return status_->runPanel(); }

    RunController* run() const { return run_; }
    SessionSettings* settings() const { return settings_; }
    WindowMenu* windowMenu() const { return windowMenu_; }
    ExerciseCommands* exercises() const { return exercises_; }
    DebugDock* debugDock() const { return run_->debugDock(); }
    HoverTips* hoverTips() const { return run_->hoverTips(); }

    // Called for every new editor window before it loads anything (tests set its hooks).
    void setNewEditorHook(std::function<void(EditorWindow*)> hook) {
        prepareEditor_ = std::move(hook);
    }
    EditorWindow* createEditorWindow(const QString& caption);
    // Opens a program file in a new editor window, or brings forward the window that
    // already holds it; false when it cannot be read.
    bool openProgram(const QString& path);
    // Where Ouvrir, Enregistrer sous and Importer start: the active window's folder,
    // else the last folder used (at first, the folder the application started in).
    QString dialogFolder() const;
    // The window that holds this file (links resolved), or nullptr.
    EditorWindow* editorOf(const QString& path) const;
    // Makes an editor window the active one, restored if it was minimised.
    void bringForward(EditorWindow* editor);

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
    void showCalendar();
    void showCalculator();
    void showClock();
    void showHelpContents();
    void searchHelp();
    void showHelpOnHelp();
    void showAbout();

  protected:
    bool event(QEvent* event) override;
    // Alt+X quits although it is also the mnemonic of the run menu.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createToolBar();
    void createActions();
    QAction* createAction(const CommandRow& row, QMenu* menu);
    void addToolButton(const CommandRow& row, QAction* menuItem);
    void connectCommand(QAction* action, const CommandSlot& slot);
    bool closeEditors();
    void activeWindowChanged();
    void updatePosition();
    // The active editor when its text may change (no program runs), or nullptr.
    EditorWindow* editableEditor() const;

    QMdiArea* mdiArea_;
    QToolBar* toolBar_ = nullptr;
    StatusPanels* status_;
    HelpViewer* help_;
    RunController* run_;
    SessionSettings* settings_;
    WindowMenu* windowMenu_;
    GeneratorCommands* generators_;
    ExerciseCommands* exercises_;
    std::array<QAction*, kCommandCount> actions_{};
    QPrinter* printer_ = nullptr;
    SharedWindows shared_;
    QString startDir_;
    QString lastFolder_;
    std::function<void(EditorWindow*)> prepareEditor_;
    bool shown_ = false;
};

} // namespace vokc
