// TEditeur: the document window. One program text in its memo, the file, print,
// clipboard, search, replace, indentation and procedure-list commands that the main
// window forwards to the active editor.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "colormemo.h"
#include "editorlogic.h"

class QPrinter;
class RunTarget;
class TBoucleFor;
class TBoucleWhile;
class TConditionIf;
class TFileIO;
class TMotsCle;

// The generator dialogs, created once by the application and shared by every editor.
struct GeneratorDialogs {
    TBoucleFor* boucleFor = nullptr;
    TBoucleWhile* boucleWhile = nullptr;
    TConditionIf* conditionIf = nullptr;
    TFileIO* fileIO = nullptr;
    TMotsCle* motsCle = nullptr;
};
class TFindDialog;
class TListeSel;

class TEditeur : public QWidget {
    Q_OBJECT
public:
    explicit TEditeur(QWidget* parent = nullptr);

    // Commands of the main window.
    bool OpenFile(const QString& name);
    bool Enregistrer();
    bool SaveAs();
    void Importer();
    void Imprimer();
    bool PrintTo(QPrinter& printer); // the printing itself, without the dialog
    void Couper();
    void Copier();
    void Coller();
    void ToutSelectionner();
    void Chercher();
    void Continuer();
    void Remplacer();
    void ListeSubs();
    void Raz();

    // Running the program (shared by every editor window: the line a paused run goes on
    // from, and whether runs stop after every line).
    static int StartLine;
    static int StepMode;
    void Executer();
    void Continuer2();
    void Arret();
    void Pasapas(bool on);
    // Called by the main window when this window becomes, or stops being, the active one.
    void FormActivate();
    void FormDeactivate();
    RunTarget* Interpreter = nullptr;
    // The line where the last run stopped, shown with a background (-1: none).
    int StopLine() const { return stopLine_; }

    // The text as lines, and the caret and selection as offsets that count each line
    // break as two characters.
    vokc::editor::Lines TextLines() const;
    void SetTextLines(const vokc::editor::Lines& lines);
    long CaretOffset() const;
    void SetCaretOffset(long offset);
    long SelStart() const;
    long SelLength() const;
    void SetSelection(long start, long length);
    // Replaces the selection by a text whose line breaks are CR LF.
    void ReplaceSelection(const vokc::editor::Text& text);
    bool SearchMemo(const QString& text, const vokc::editor::SearchOptions& options);

    QString FileName;
    vokc::editor::FileFormat Format;
    vokc::TColorMemo* Memo1;
    TFindDialog* FindDialog1;
    TFindDialog* ReplaceDialog1;

    // Dialog hooks, replaced by tests: they return the chosen path or an empty text.
    std::function<QString(QWidget*)> AskSaveName;
    std::function<QString(QWidget*)> AskImportName;
    // Message boxes: an information and a question (Yes, No, Cancel as QMessageBox buttons).
    std::function<void(QWidget*, const QString&)> ShowMessage;
    std::function<int(QWidget*, const QString&)> AskSaveChanges;
    // Shared windows and services set by the main window.
    TListeSel* ListeSel = nullptr;
    GeneratorDialogs Generators;

    // Code generators and the keyword picker: each shows its dialog and inserts its text.
    void Forg();
    void whileg();
    void Dog();
    void Ifg();
    void Liref();
    void Ecriref();
    void Instructions();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void Find();
    void Replace();

private:
    void RunFrom(bool fresh);
    void InsertMarker(int line, char16_t marker);
    bool RemoveMarker(int line, char16_t marker);
    void CaretToLine(int line);
    void ShowStopLine(int line);
    bool FormKeyPress(QKeyEvent* event);
    bool FormCloseQuery();
    void ReportFileError(const QString& what, const QString& file, const QString& reason);
    bool WriteFile(const QString& path);
    int stopLine_ = -1;
    bool closePending_ = false;
};
