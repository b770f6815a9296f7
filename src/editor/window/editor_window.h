// The editor window: one program text in its colour memo, with the file, print,
// clipboard, search, replace, indentation and procedure-list commands that the main
// window forwards to the active editor. Running is not its business: its run commands
// are signals, and the main window tells it what to show when a run stops.
#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "colour_memo.h"
#include "editorlogic.h"

class QDialog;
class QMenu;
class QPrinter;

namespace vokc {

class FindDialog;
class ReplaceDialog;
class ProcedureList;

class EditorWindow : public QWidget {
    Q_OBJECT
  public:
    // Dialog hooks, replaced by tests: they return the chosen path or an empty text.
    using NameHook = std::function<QString(QWidget*)>;
    // An information box.
    using MessageHook = std::function<void(QWidget*, const QString&)>;
    // A Yes / No / Cancel question; returns the QMessageBox button.
    using QuestionHook = std::function<int(QWidget*, const QString&)>;
    // A Yes / No question; true for Yes.
    using ConfirmHook = std::function<bool(QWidget*, const QString&)>;

    explicit EditorWindow(QWidget* parent = nullptr);
    ~EditorWindow() override;

    ColourMemo* memo() const { return memo_; }
    FindDialog* findDialog() const { return findDialog_; }
    ReplaceDialog* replaceDialog() const { return replaceDialog_; }
    QString fileName() const { return fileName_; }
    void setFileName(const QString& path) { fileName_ = path; }
    // The procedure list shared by every editor window.
    void setProcedureList(ProcedureList* list) { procedureList_ = list; }
    void setSaveNameHook(NameHook hook) { askSaveName_ = std::move(hook); }
    void setImportNameHook(NameHook hook) { askImportName_ = std::move(hook); }
    // Informations and errors alike go to the hook (by default, an error shows the
    // error icon).
    void setMessageHook(MessageHook hook) {
        showMessage_ = hook;
        showError_ = std::move(hook);
    }
    void setSaveChangesHook(QuestionHook hook) { askSaveChanges_ = std::move(hook); }
    void setOverwriteHook(ConfirmHook hook) { askOverwrite_ = std::move(hook); }
    // The questions about a file changed on disk by someone else: replace it at a save,
    // reload it at an activation.
    void setDiskChangeHook(ConfirmHook hook) { askDiskChange_ = std::move(hook); }
    // Where the file dialogs of a window without a file start (the main window's last
    // folder used).
    void setFolderSource(std::function<QString()> source) { folderSource_ = std::move(source); }
    // The caption of another window that shows the file at a path, or an empty text: Save
    // As never gives a file a second window.
    void setOtherWindowSource(std::function<QString(const QString& path)> source) {
        otherWindowOf_ = std::move(source);
    }
    // The folder the file dialogs start in: the file's own, else the folder source's.
    QString dialogFolder() const;

    // ---- Files ----
    bool openFile(const QString& name);
    bool save();
    bool saveAs();
    void importFile();
    void print();
    // True when the file's bytes on disk differ from those this window last read or
    // wrote (a file that is gone, or one never read here, has not changed).
    bool changedOnDisk() const;
    // Takes the file's bytes on disk as those this window knows (a recovered text that
    // replaces the file).
    void rememberDiskFile();
    // When the file changed on disk and the window holds no change of its own, offers
    // to read it again (once per change on disk).
    void offerReload();
    bool printTo(QPrinter& printer); // the printing itself, without the dialog

    // The text as lines, and the caret and selection as offsets that count each line
    // break as two characters.
    editor::Lines textLines() const;
    void setTextLines(const editor::Lines& lines);
    long caretOffset() const;
    void setCaretOffset(long offset);
    long selectionStart() const;
    long selectionLength() const;
    void setSelection(long start, long length);
    // Replaces the selection by a text whose line breaks are CR LF.
    void replaceSelection(const editor::Text& text);
    // A generator's result: when `replace` is true the text replaces the selection (an
    // empty text just removes it) and the caret ends after it; then, when `caret` holds
    // a value, the caret goes there. The memo gets the focus.
    void insertSnippet(const QString& text, bool replace, std::optional<long> caret);
    bool searchMemo(const QString& text, const editor::SearchOptions& options);

    // ---- What a run shows ----
    // The program as the interpreter reads it, and its name for the console's caption.
    const ProgramText& programText() const { return *programText_; }
    QString programName() const;
    // The name the window shows: its file's name, else its caption (such as C6.C).
    QString shownName() const;
    // Brings the window to the front of the frame, restored if it was minimised.
    void bringForward();
    // While a program runs, the text cannot change.
    void beginRun();
    void endRun();
    void removeStepMarkers();
    void insertStepMarker(int line);
    // The first line that starts with a step marker (-1: none).
    int stepMarkerLine() const;
    // Puts the caret on a line and highlights it (-1: no highlight).
    void showStopLine(int line);
    // The line where the last run stopped, shown with a background (-1: none). It
    // follows the text when lines are added or removed above it.
    int stopLine() const { return stopLine_; }

    // ---- Undo ----
    // Every change of the text is a step of the history, but for the markers the run
    // commands put and remove: undo never brings a step marker back.
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // The memo's context menu: its undo and redo are the window's, with the keys of the
    // Edition menu. The caller owns it.
    QMenu* createContextMenu();

    // The font's height in pixels (the zoom); ColourMemo::editorFont is the normal size.
    void setFontPixelSize(int pixels);

    // ---- Closing ----
    // Asks about unsaved changes as closing would; true when the window may close. The
    // window then closes without asking again, unless withdrawClose() is called first
    // (a quit cancelled at another window).
    bool confirmClose();
    void withdrawClose() { closeAgreed_ = false; }

  public slots:
    void cut();
    void copy();
    void paste();
    void selectAll();
    void undo();
    void redo();
    void showFindDialog();
    void showReplaceDialog();
    // Searches again with the find dialog's text.
    void findNext();
    void replace();
    void showProcedureList();
    // Run commands: the main window's run session carries them out.
    void runProgram() { emit runRequested(); }
    void resumeRun() { emit resumeRequested(); }
    void setStepMode(bool on) { emit stepModeRequested(on); }
    // Puts or removes a breakpoint marker on the line after the caret's line.
    void toggleBreakpoint();

  signals:
    void runRequested();
    void resumeRequested();
    void stepModeRequested(bool on);
    // A marker was put or removed before `line` (0-based).
    void breakpointToggled(int line);
    // The window accepted to close.
    void closing();
    // A file dialog chose a file in this folder.
    void folderUsed(const QString& folder);
    // The text was saved under a name chosen by "Enregistrer sous".
    void savedAs(const QString& path);
    // The text changed (the markers aside): the lines [first, first + removed) became
    // `inserted` lines. A change inside lines that stay where they are gives 0 and 0.
    void linesEdited(int first, int removed, int inserted);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void insertMarker(int line, char16_t marker);
    bool removeMarker(int line, char16_t marker);
    void caretToLine(int line);
    void highlightStopLine();
    // Compares the text with the lines it had and reports how they moved.
    void trackLines(int position, int removed, int added);
    bool autoIndentOnEnter(QKeyEvent* event);
    editor::EditHistory::State currentState() const;
    void recordChange(int position, int removed, int added);
    void showState(const editor::EditHistory::State& state);
    // Runs an edit that stays out of the undo history.
    template <typename Edit> void withoutHistory(Edit edit);
    // Runs an edit that is one step of the undo history, however many changes it makes.
    template <typename Edit> void asOneStep(Edit edit);
    bool mayClose();
    void reportFileError(const QString& what, const QString& file, const QString& reason);
    bool writeFile(const QString& path);
    bool saveTo(const QString& path);
    void reportNotFound(const QString& text);
    void returnToDialog(QDialog* dialog);

    ColourMemo* memo_;
    std::unique_ptr<MemoProgramText> programText_;
    FindDialog* findDialog_;
    ReplaceDialog* replaceDialog_;
    ProcedureList* procedureList_ = nullptr;
    QString fileName_;
    editor::FileFormat format_;
    NameHook askSaveName_;
    NameHook askImportName_;
    MessageHook showMessage_;
    MessageHook showError_;
    QuestionHook askSaveChanges_;
    ConfirmHook askOverwrite_;
    ConfirmHook askDiskChange_;
    std::function<QString()> folderSource_;
    std::function<QString(const QString&)> otherWindowOf_;
    QByteArray diskDigest_;     // the file's bytes as this window last read or wrote them
    QByteArray declinedDigest_; // a change on disk the user chose not to reload
    bool askingReload_ = false;
    editor::EditHistory history_;
    editor::EditHistory::State shown_; // the text and caret as the history last saw them
    bool recording_ = true;
    int seenRevision_ = -1; // the document's revision the history last saw
    int typedEnd_ = -1;     // document position after the last character typed
    bool closeAgreed_ = false;
    int stopLine_ = -1;
    editor::Lines trackedLines_; // the text as trackLines last saw it
    editor::Lines lineOrigins_;  // each line as it was when it last moved
    int trackedRevision_ = -1;   // the document's revision trackLines last saw
    bool readOnlyBeforeRun_ = false;
};

} // namespace vokc
