// What the main window keeps between sessions: the zoom step and the line numbers of the
// editors, the recent files listed in the "Fichier" menu, the option that reopens at
// start-up the files open at the last quit, and the recovery files of unsaved texts,
// offered back at the next start after an abnormal end.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace vokc {

class ConsoleWindow;
class EditorWindow;
class HelpViewer;
class MainWindow;
class RecoveryStore;

class SessionSettings : public QObject {
    Q_OBJECT
  public:
    SessionSettings(MainWindow& window, HelpViewer* help);

    // The file menu lists the recent files above `before`; the check marks of the line
    // numbers and of the reopen option show the settings.
    void attachMenus(QMenu* fileMenu, QAction* before);
    // The console's text follows the zoom.
    void setConsole(ConsoleWindow* console) { console_ = console; }

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
    void addRecent(const QString& path);
    // At the quit: the files of the windows still open, for the next start.
    void saveOpenFiles(const std::vector<EditorWindow*>& editors);

    int zoomStep() const { return zoom_; }
    bool lineNumbersShown() const { return lineNumbers_; }
    // Whether the settings are read and written (startSession ran).
    bool started() const { return started_; }
    // A new editor window takes the zoom and the line numbers, and its text is kept.
    void follow(EditorWindow* editor) const;
    void setZoom(int step);

  public slots:
    void toggleLineNumbers();
    void zoomIn();
    void zoomOut();
    void zoomReset();
    void toggleReopenOption();

  private:
    void applyView(EditorWindow* editor) const;
    void fillRecentFiles();
    bool reopenChosen() const;
    void saveSetting(const QString& key, const QVariant& value) const;
    // A left-behind text in a new window, written to this session's file (false: not written).
    bool restore(const QString& caption, const QString& path, const QString& text);

    MainWindow& window_;
    HelpViewer* help_;
    ConsoleWindow* console_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentBefore_ = nullptr;
    std::vector<QAction*> recentActions_;
    std::vector<std::string> recent_;
    RecoveryStore* recovery_ = nullptr;
    std::function<bool(QWidget*, const QString&)> askRestore_;
    bool started_ = false;
    bool lineNumbers_ = true;
    int zoom_ = 0;
};

} // namespace vokc
