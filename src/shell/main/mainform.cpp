#include "mainform.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QKeyEvent>
#include <QToolButton>

#include "console.h"
#include "editeur.h"
#include "glyphs.h"
#include "helpviewer.h"
#include "listesel.h"
#include "smallwindows.h"
#include "tcalendrier.h"
#include "thorloge.h"
#include "tpocket.h"

using vokc::shell::Glyph;

namespace {
// One row of the command table.
struct Command {
    int menu;             // index into the menu list
    const char* caption;  // with its '&'
    const char* key;      // shortcut text, or ""
    int glyph;            // tool-bar glyph (a Glyph), or -1
    const char* tip;      // tool tip of the button
    const char* hint;     // status-line hint
    void (TMainForm::*slot)();
    bool editor;          // enabled only while an editor window is open
    bool separatorAfter;
};

struct MenuDef {
    const char* caption;
    int helpContext;
    const char* hint;
};

const MenuDef kMenus[] = {
    {"&Fichier", 3, "Quitter cette application"},
    {"&Edition", 4, ""},
    {"&Voir", 5, ""},
    {"E&x\u00E9cuter", 6, ""},
    {"&Programmer", 7, ""},
    {"&Utilitaires", 8, ""},
    {"Fe&n\u00EAtre", 9, "Commandes de fen\u00EAtres telles que Mosa\u00EFque et Cascade"},
    {"&Aide", 10, "Sujets d'aide"},
};

constexpr int G(Glyph g) { return static_cast<int>(g); }

const Command kCommands[] = {
    {0, "&Nouveau", "", G(Glyph::New), "Nouveau", "Cr\u00E9er un nouveau fichier", &TMainForm::FileNewItemClick, false, false},
    {0, "&Ouvrir", "", G(Glyph::Open), "Ouvrir", "Ouvrir un fichier existant", &TMainForm::FileOpenItemClick, false, false},
    {0, "&Fermer", "", -1, "", "Fermer le fichier en cours", &TMainForm::FileCloseItemClick, true, true},
    {0, "&Enregistrer", "Ctrl+S", G(Glyph::Save), "Enregistrer", "Enregistrer le fichier en cours", &TMainForm::FileSaveItemClick, true, false},
    {0, "Enregistrer &sous...", "", -1, "", "Enregistrer le fichier en cours sous...", &TMainForm::FileSaveAsItemClick, true, false},
    {0, "I&mporter", "", -1, "", "Importerr un fichier", &TMainForm::Importer1Click, true, true},
    {0, "&Imprimer...", "", -1, "", "Imprimer le fichier", &TMainForm::Imprimer1Click, true, false},
    {0, "&Configuration impression...", "", -1, "", "Configurer l'imprimante", &TMainForm::Configurationimpression1Click, false, true},
    {0, "&Quitter", "Alt+X", -1, "", "Quitter l'application", &TMainForm::FileExitItemClick, false, false},
    {1, "&Couper", "Ctrl+X", G(Glyph::Cut), "Couper", "Couper vers le Presse-papiers", &TMainForm::CutItemClick, true, false},
    {1, "Co&pier", "Ctrl+C", G(Glyph::Copy), "Copier", "Copier vers le Presse-papiers", &TMainForm::CopyItemClick, true, false},
    {1, "C&oller", "Ctrl+V", G(Glyph::Paste), "Coller", "Coller depuis le Presse-papiers", &TMainForm::PasteItemClick, true, false},
    {1, "&Tout s\u00E9lectionner", "", -1, "", "S\u00E9lectionner tout le texte", &TMainForm::Toutslectionner1Click, true, true},
    {1, "Rec&hercher...", "", -1, "", "Rechercher le texte", &TMainForm::Rechercher1Click, true, false},
    {1, "Co&ntinuer", "F3", -1, "", "Continer la recherche", &TMainForm::Continuer1Click, true, false},
    {1, "Re&mplacer...", "", -1, "", "Remplacer un texte", &TMainForm::Remplacer1Click, true, false},
    {2, "&Voids...", "F2", -1, "", "voir liste des subs", &TMainForm::subs1Click, true, false},
    {2, "&Table des symboles", "", -1, "", "Afficher la table des symboles", &TMainForm::Tabledessymboles1Click, true, false},
    {2, "&Examiner variable...", "", -1, "", "Voir la valeur de la variable", &TMainForm::Examinervariable1Click, true, false},
    {3, "&Ex\u00E9cuter", "F9", G(Glyph::Run), "Ex\u00E9cuter", "Ex\u00E9cuter le programme", &TMainForm::Excuter1Click, true, true},
    {3, "&Point d'arr\u00EAt", "F5", -1, "", "Poser un point d'arr\u00EAt", &TMainForm::Pointdarrt1Click, true, false},
    {3, "&Continuer", "F7", -1, "", "Continue l'\u00E9x\u00E9cution", &TMainForm::Continuer2Click, true, false},
    {3, "&Mode pas \u00E0 pas", "", -1, "", "Ex\u00E9cute en pas \u00E0 pas", &TMainForm::PasapasClick, true, false},
    {3, "&Arr\u00EAter", "Ctrl+Pause", -1, "", "Arr\u00EAter le programme en cours", &TMainForm::Arreter1Click, false, false},
    {4, "&Mots cl\u00E9...", "", -1, "", " Les instructions c", &TMainForm::Motscl1Click, true, false},
    {4, "Boucle &For...", "", -1, "", "G\u00E9n\u00E9rer boucle For", &TMainForm::BoucleFor1Click, true, false},
    {4, "Boucle Whille...", "", -1, "", "G\u00E9n\u00E9rer boucle while", &TMainForm::Bouclewhile1Click, true, false},
    {4, "Boucle &Do...", "", -1, "", "G\u00E9n\u00E9rer boucle Repeat", &TMainForm::BoucleRepeat1Click, true, false},
    {4, "Condition &If...", "", -1, "", "G\u00E9n\u00E9rer condition If", &TMainForm::ConditionIf1Click, true, false},
    {4, "&Lecture fichier...", "", -1, "", "Ouvrir un fichier en lecture", &TMainForm::Lecturefichier1Click, true, false},
    {4, "&Ecriture fichier...", "", -1, "", "Ouvrir un fichier en \u00E9criture", &TMainForm::Ecriturefichier1Click, true, false},
    {5, "&Calendrier", "", -1, "", "Calendrier", &TMainForm::Calendrier1Click, false, false},
    {5, "C&alculatrice", "", -1, "", "Calculatrice", &TMainForm::Calculatrice1Click, false, false},
    {5, "&Horloge", "", -1, "", "Horloge", &TMainForm::Horloge1Click, false, false},
    {6, "&Cascade", "", -1, "", "Disposer les fen\u00EAtres en recouvrement", &TMainForm::WindowCascadeItemClick, true, false},
    {6, "&Mosa\u00EFque", "", -1, "", "Disposer les fen\u00EAtres sans recouvrement", &TMainForm::WindowTileItemClick, true, false},
    {6, "&R\u00E9organiser les ic\u00F4nes", "", -1, "", "Disposer les fen\u00EAtres en bas de la fen\u00EAtre principale", &TMainForm::WindowArrangeItemClick, true, false},
    {6, "&Tout r\u00E9duire", "", -1, "", "Minimiser toutes les fen\u00EAtres", &TMainForm::WindowMinimizeItemClick, true, false},
    {7, "&Index", "", -1, "", "Sommaire de l'aide", &TMainForm::HContents, false, false},
    {7, "&Rechercher", "", -1, "", "Rechercher", &TMainForm::HSearch, false, false},
    {7, "&Utiliser l'aide", "", -1, "", "Utliser l'aide", &TMainForm::HowToUse, false, true},
    {7, "&A propos", "", -1, "", "Informations sur le logiciel", &TMainForm::HelpAboutItemClick, false, false},
};
} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Vok C"));
    setWindowIcon(QIcon(vokc::shell::ProductPicture(64, 64)));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("MdiArea");
    setCentralWidget(mdiArea_);

    SpeedPanel = new QToolBar(QStringLiteral("SpeedPanel"), this);
    SpeedPanel->setObjectName("SpeedPanel");
    SpeedPanel->setMovable(false);
    SpeedPanel->setFixedHeight(33);
    SpeedPanel->setIconSize(QSize(20, 20));
    addToolBar(Qt::TopToolBarArea, SpeedPanel);

    StatusLine = new QLabel(this);
    StatusLine->setObjectName("StatusLine");
    StatusLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2 = new QLabel(this);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setFixedWidth(76);
    Panel2->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(StatusLine, 1);
    statusBar()->addPermanentWidget(Panel2);
    statusBar()->setFixedHeight(28);
    statusBar()->setSizeGripEnabled(false);

    CreateMenus();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();
    Timer1Timer();

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        ActiveWindowChanged();
        UpdateMenuItems();
    });
    AskOpenName = [](QWidget* w) {
        return QFileDialog::getOpenFileName(w, QStringLiteral("Ouvrir"), QStringLiteral("*.c"),
                                            QStringLiteral("Fichiers c (*.c);;Tous les fichiers (*)"));
    };
    UpdateMenuItems();

    help_ = new THelpViewer(this);
    help_->InstallF1(this, menuBar());
    // Alt+X quits although it is also the mnemonic of the run menu (see eventFilter).
    qApp->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* e) {
    if ((e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) &&
        QApplication::activeWindow() == this) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_X && key->modifiers() == Qt::AltModifier) {
            // The command's key wins over the menu's mnemonic: claim the key, then quit.
            if (e->type() == QEvent::ShortcutOverride) {
                e->accept();
                return true;
            }
            FileExitItemClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    // The active-window handler must not run while the frame is being destroyed.
    disconnect(mdiArea_, nullptr, this, nullptr);
    delete printer_;
}

void TMainForm::SetSharedWindows(const SharedWindows& windows) {
    shared_ = windows;
    if (shared_.console) shared_.console->RunningChanged = [this](bool running) { RunningChanged(running); };
}

void TMainForm::RunningChanged(bool running) {
    running_ = running;
    UpdateMenuItems();
    if (!running && closeAfterRun_) {
        closeAfterRun_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TMainForm::ActiveWindowChanged() {
    TEditeur* now = nullptr;
    if (QMdiSubWindow* sub = mdiArea_->activeSubWindow()) now = qobject_cast<TEditeur*>(sub->widget());
    // No active child (the console or a dialog has the focus) changes nothing: coming back
    // to the same editor must not end its step mode.
    if (!now || now == activeEditor_) return;
    if (activeEditor_) activeEditor_->FormDeactivate();
    activeEditor_ = now;
    now->FormActivate();
}

void TMainForm::CreateMenus() {
    std::vector<QMenu*> menus;
    for (const MenuDef& m : kMenus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->menuAction()->setStatusTip(QString::fromUtf8(m.hint));
        menu->menuAction()->setData(m.helpContext);
        menus.push_back(menu);
    }
    Window1 = menus[6];
    int lastGlyphMenu = -1;
    for (const Command& c : kCommands) {
        QMenu* menu = menus[static_cast<std::size_t>(c.menu)];
        auto* action = new QAction(QString::fromUtf8(c.caption), this);
        action->setObjectName(QString::fromUtf8(c.caption).remove('&'));
        if (*c.key) action->setShortcut(QKeySequence(QString::fromLatin1(c.key)));
        action->setStatusTip(QString::fromUtf8(c.hint));
        connect(action, &QAction::triggered, this, c.slot);
        menu->addAction(action);
        if (c.separatorAfter) menu->addSeparator();
        if (c.editor) editorActions_.push_back(action);
        if (c.slot == &TMainForm::PasapasClick) {
            action->setCheckable(true);
            pasapas_ = action;
        }
        if (c.slot == &TMainForm::Arreter1Click) arreter_ = action;
        if (c.slot == &TMainForm::Excuter1Click || c.slot == &TMainForm::Continuer2Click ||
            c.slot == &TMainForm::Pointdarrt1Click)
            runActions_.push_back(action);
        if (c.glyph >= 0) {
            // Gaps between the file, clipboard and run groups.
            if (lastGlyphMenu >= 0 && lastGlyphMenu != c.menu) SpeedPanel->addSeparator();
            lastGlyphMenu = c.menu;
            auto* button = new QAction(vokc::shell::GlyphIcon(static_cast<Glyph>(c.glyph)),
                                       QString::fromUtf8(c.tip), this);
            button->setToolTip(QString::fromUtf8(c.tip));
            button->setStatusTip(QString::fromUtf8(c.hint));
            connect(button, &QAction::triggered, this, c.slot);
            // A button follows its menu item's enabling.
            connect(action, &QAction::enabledChanged, button, &QAction::setEnabled);
            SpeedPanel->addAction(button);
        }
    }
    connect(Window1, &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);
}

QAction* TMainForm::Action(const QString& caption) const {
    for (QAction* a : findChildren<QAction*>())
        if (a->text() == caption) return a;
    return nullptr;
}

TEditeur* TMainForm::ActiveEditor() const {
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    if (!sub) {
        const auto list = mdiArea_->subWindowList();
        if (list.isEmpty()) return nullptr;
        sub = list.last();
    }
    return qobject_cast<TEditeur*>(sub->widget());
}

std::vector<TEditeur*> TMainForm::Editors() const {
    std::vector<TEditeur*> editors;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* e = qobject_cast<TEditeur*>(sub->widget())) editors.push_back(e);
    return editors;
}

void TMainForm::UpdateMenuItems() {
    const bool any = !Editors().empty();
    for (QAction* a : editorActions_) a->setEnabled(any);
    // While a program runs, no other run can start; only the stop command is offered.
    for (QAction* a : runActions_) a->setEnabled(any && !running_);
    if (arreter_) arreter_->setEnabled(running_);
}

void TMainForm::Timer1Timer() {
    Panel2->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

bool TMainForm::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        ShowStatusHint(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TMainForm::ShowStatusHint(const QString& hint) { StatusLine->setText(hint); }

void TMainForm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (shown_) return;
    shown_ = true;
    setWindowState(windowState() | Qt::WindowMaximized);
    StartDir = QDir::currentPath();
}

void TMainForm::closeEvent(QCloseEvent* e) {
    if (running_ && shared_.console) {
        // The running program reads an editor's text: it stops first.
        closeAfterRun_ = true;
        shared_.console->RequestStop();
        e->ignore();
        return;
    }
    // Every editor window is asked first; one that refuses keeps the application open.
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty()) {
        e->ignore();
        return;
    }
    if (!StartDir.isEmpty() && !QDir::setCurrent(StartDir))
        QMessageBox::critical(this, QStringLiteral("Vok C"), QStringLiteral("Erreur E/S %1").arg(errno));
    e->accept();
}

// ---- Files ----

TEditeur* TMainForm::CreateEditorWindow(const QString& caption) {
    auto* editor = new TEditeur;
    editor->setWindowTitle(caption);
    editor->ListeSel = shared_.listeSel;
    editor->Interpreter = shared_.console;
    editor->Generators = shared_.generators;
    if (PrepareEditor) PrepareEditor(editor);
    QMdiSubWindow* sub = mdiArea_->addSubWindow(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(502, 266);
    connect(sub, &QObject::destroyed, this, [this] { UpdateMenuItems(); }, Qt::QueuedConnection);
    editor->show();
    mdiArea_->setActiveSubWindow(sub);
    UpdateMenuItems();
    return editor;
}

void TMainForm::FileNewItemClick() {
    const int n = static_cast<int>(Editors().size());
    TEditeur* editor = CreateEditorWindow(QStringLiteral("VokC - C%1.C").arg(n + 1));
    editor->SetCaretOffset(vokc::editor::kDefaultCaret);
}

bool TMainForm::OpenProgram(const QString& path) {
    TEditeur* editor = CreateEditorWindow(path);
    editor->setWindowTitle(QStringLiteral("VokC - ") + QFileInfo(path).fileName());
    if (!editor->OpenFile(path)) {
        // Nothing to show: the window goes away again (the message named the reason).
        editor->Memo1->document()->setModified(false);
        if (QWidget* sub = editor->parentWidget()) sub->close();
        return false;
    }
    editor->show();
    return true;
}

void TMainForm::FileOpenItemClick() {
    QString path = AskOpenName(this);
    if (path.isEmpty()) return;
    OpenProgram(path);
}

void TMainForm::FileCloseItemClick() {
    if (QMdiSubWindow* sub = mdiArea_->activeSubWindow()) sub->close();
}

#define WITH_EDITOR(call)                                                                          \
    if (TEditeur* e = ActiveEditor()) e->call

void TMainForm::FileSaveItemClick() { WITH_EDITOR(Enregistrer()); }
void TMainForm::FileSaveAsItemClick() { WITH_EDITOR(SaveAs()); }
void TMainForm::Importer1Click() { WITH_EDITOR(Importer()); }
void TMainForm::Imprimer1Click() { WITH_EDITOR(Imprimer()); }

void TMainForm::Configurationimpression1Click() {
    if (!printer_) printer_ = new QPrinter;
    QPageSetupDialog dialog(printer_, this);
    dialog.exec();
}

void TMainForm::FileExitItemClick() { close(); }

// ---- Edit and view ----

void TMainForm::CutItemClick() { WITH_EDITOR(Couper()); }
void TMainForm::CopyItemClick() { WITH_EDITOR(Copier()); }
void TMainForm::PasteItemClick() { WITH_EDITOR(Coller()); }
void TMainForm::Toutslectionner1Click() { WITH_EDITOR(ToutSelectionner()); }
void TMainForm::Rechercher1Click() { WITH_EDITOR(Chercher()); }
void TMainForm::Continuer1Click() { WITH_EDITOR(Continuer()); }
void TMainForm::Remplacer1Click() { WITH_EDITOR(Remplacer()); }
void TMainForm::subs1Click() { WITH_EDITOR(ListeSubs()); }


void TMainForm::Tabledessymboles1Click() {
    if (shared_.console) shared_.console->Stats();
}

void TMainForm::Examinervariable1Click() {
    if (shared_.console) shared_.console->Examiner();
}

// ---- Run ----

void TMainForm::Excuter1Click() { WITH_EDITOR(Executer()); }
void TMainForm::Pointdarrt1Click() { WITH_EDITOR(Arret()); }
void TMainForm::Continuer2Click() { WITH_EDITOR(Continuer2()); }

void TMainForm::PasapasClick() {
    // The check mark is the main window's (Qt has already inverted it).
    WITH_EDITOR(Pasapas(pasapas_->isChecked()));
}

void TMainForm::Arreter1Click() {
    if (shared_.console) shared_.console->RequestStop();
}

// ---- Generators and utilities ----

void TMainForm::Motscl1Click() { WITH_EDITOR(Instructions()); }
void TMainForm::BoucleFor1Click() { WITH_EDITOR(Forg()); }
void TMainForm::Bouclewhile1Click() { WITH_EDITOR(whileg()); }
void TMainForm::BoucleRepeat1Click() { WITH_EDITOR(Dog()); }
void TMainForm::ConditionIf1Click() { WITH_EDITOR(Ifg()); }
void TMainForm::Lecturefichier1Click() { WITH_EDITOR(Liref()); }
void TMainForm::Ecriturefichier1Click() { WITH_EDITOR(Ecriref()); }

void TMainForm::Calendrier1Click() {
    if (shared_.calendrier) shared_.calendrier->exec();
}

void TMainForm::Calculatrice1Click() {
    if (shared_.pocket) shared_.pocket->exec();
}

void TMainForm::Horloge1Click() {
    if (shared_.horloge) shared_.horloge->exec();
}

// ---- Windows ----

void TMainForm::WindowCascadeItemClick() { mdiArea_->cascadeSubWindows(); }
void TMainForm::WindowTileItemClick() { mdiArea_->tileSubWindows(); }

void TMainForm::WindowArrangeItemClick() {
    // The minimised windows line up along the bottom of the frame.
    int x = 0;
    const int bottom = mdiArea_->viewport()->height();
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        if (!sub->isMinimized()) continue;
        sub->move(x, bottom - sub->height());
        x += sub->width();
    }
}

void TMainForm::WindowMinimizeItemClick() {
    const auto list = mdiArea_->subWindowList();
    for (auto it = list.rbegin(); it != list.rend(); ++it) (*it)->showMinimized();
}

void TMainForm::FillWindowMenu() {
    for (QAction* a : windowListActions_) {
        Window1->removeAction(a);
        a->deleteLater();
    }
    windowListActions_.clear();
    const auto list = mdiArea_->subWindowList();
    if (list.isEmpty()) return;
    windowListActions_.push_back(Window1->addSeparator());
    int number = 1;
    for (QMdiSubWindow* sub : list) {
        auto* a = Window1->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == mdiArea_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] { mdiArea_->setActiveSubWindow(sub); });
        windowListActions_.push_back(a);
    }
}

// ---- Help ----

void TMainForm::HContents() { help_->ShowContents(); }
void TMainForm::HSearch() { help_->ShowSearch(); }
void TMainForm::HowToUse() { help_->ShowHowToUse(); }

void TMainForm::HelpAboutItemClick() {
    if (shared_.aboutBox) shared_.aboutBox->exec();
}
