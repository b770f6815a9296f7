// TMainForm: the multiple-document frame of the application. It owns the menu bar, the
// tool bar and the status line, and sends every command to the active editor window,
// to the interpreter's windows, or to a dialog or utility.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QTimer;
class QToolBar;
class TEditeur;
class TListeSel;
class TAboutBox;
class TForm3;
class TCalendrier;
class THorloge;
class TPocket;
class THelpViewer;
#include "editeur.h" // GeneratorDialogs

// The windows that the main window reaches; created once at start-up (see main.cpp).
struct SharedWindows {
    TAboutBox* aboutBox = nullptr;
    TListeSel* listeSel = nullptr;
    TForm3* console = nullptr; // the interpreter and its windows
    GeneratorDialogs generators;
    TCalendrier* calendrier = nullptr;
    THorloge* horloge = nullptr;
    TPocket* pocket = nullptr;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    void SetSharedWindows(const SharedWindows& windows);
    QMdiArea* MdiArea() const { return mdiArea_; }
    TEditeur* ActiveEditor() const;
    std::vector<TEditeur*> Editors() const;
    // The action of a menu item by its caption (with its '&'), for the tests and the help.
    QAction* Action(const QString& caption) const;
    QString StartDir;
    QLabel* StatusLine;
    QLabel* Panel2;
    QToolBar* SpeedPanel;

    // Dialog hook, replaced by tests: the path to open, or an empty text.
    std::function<QString(QWidget*)> AskOpenName;
    // Called for every new editor window before it loads anything (tests set its hooks).
    std::function<void(TEditeur*)> PrepareEditor;
    // Opens a program file in a new editor window; false when it cannot be read.
    bool OpenProgram(const QString& path);
    TEditeur* CreateEditorWindow(const QString& caption);

public slots:
    void UpdateMenuItems();
    void Timer1Timer();
    void FileNewItemClick();
    void FileOpenItemClick();
    void FileCloseItemClick();
    void FileSaveItemClick();
    void FileSaveAsItemClick();
    void Importer1Click();
    void Imprimer1Click();
    void Configurationimpression1Click();
    void FileExitItemClick();
    void CutItemClick();
    void CopyItemClick();
    void PasteItemClick();
    void Toutslectionner1Click();
    void Rechercher1Click();
    void Continuer1Click();
    void Remplacer1Click();
    void subs1Click();
    void Tabledessymboles1Click();
    void Examinervariable1Click();
    void Excuter1Click();
    void Pointdarrt1Click();
    void Continuer2Click();
    void PasapasClick();
    void Motscl1Click();
    void BoucleFor1Click();
    void Bouclewhile1Click();
    void BoucleRepeat1Click();
    void ConditionIf1Click();
    void Lecturefichier1Click();
    void Ecriturefichier1Click();
    void Calendrier1Click();
    void Calculatrice1Click();
    void Horloge1Click();
    void WindowCascadeItemClick();
    void WindowTileItemClick();
    void WindowArrangeItemClick();
    void WindowMinimizeItemClick();
    void HContents();
    void HSearch();
    void HowToUse();
    void HelpAboutItemClick();
    void Arreter1Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void ShowStatusHint(const QString& hint);
    void FillWindowMenu();

    QMdiArea* mdiArea_;
    QTimer* Timer1;
    QMenu* Window1 = nullptr;
    QPrinter* printer_ = nullptr;
    SharedWindows shared_;
    std::vector<QAction*> editorActions_;
    std::vector<QAction*> windowListActions_;
    QAction* pasapas_ = nullptr;
    QAction* arreter_ = nullptr;
    std::vector<QAction*> runActions_; // disabled while a program runs
    QPointer<TEditeur> activeEditor_; // cleared when that window goes away
    bool closeAfterRun_ = false;
    THelpViewer* help_ = nullptr;
    bool running_ = false;
    void RunningChanged(bool running);
    void ActiveWindowChanged();
    bool shown_ = false;
};
