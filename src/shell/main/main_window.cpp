#include "main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

#include "about_box.h"
#include "calculator_window.h"
#include "calendar_window.h"
#include "call_list.h"
#include "clock_window.h"
#include "console_window.h"
#include "cp1252_qstring.h"
#include "debug_dock.h"
#include "desk_logic.h"
#include "editor_window.h"
#include "examine_dialog.h"
#include "file_skeleton_dialog.h"
#include "find_dialog.h"
#include "for_loop_dialog.h"
#include "glyphs.h"
#include "help_viewer.h"
#include "hover_tips.h"
#include "if_dialog.h"
#include "keyword_picker.h"
#include "procedure_list.h"
#include "recovery_store.h"
#include "run_history.h"
#include "run_session.h"
#include "skeletons.h"
#include "symbol_table_dialog.h"
#include "while_loop_dialog.h"

namespace vokc {

using shell::Glyph;

namespace {
// One row of the command table.
struct Command {
    int menu;            // index into the menu list
    const char* caption; // with its '&'
    const char* key;     // shortcut text, or ""
    int glyph;           // tool-bar glyph (a Glyph), or -1
    const char* tip;     // tool tip of the button
    const char* hint;    // status-line hint
    void (MainWindow::*slot)();
    bool editor; // enabled only while an editor window is open
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

constexpr int G(Glyph g) {
    return static_cast<int>(g);
}

const Command kCommands[] = {
    {0, "&Nouveau", "Ctrl+N", G(Glyph::New), "Nouveau", "Cr\u00E9er un nouveau fichier",
     &MainWindow::newFile, false, false},
    {0, "&Ouvrir", "Ctrl+O", G(Glyph::Open), "Ouvrir", "Ouvrir un fichier existant",
     &MainWindow::openFile, false, false},
    {0, "&Fermer", "", -1, "", "Fermer le fichier en cours", &MainWindow::closeFile, true, true},
    {0, "&Enregistrer", "Ctrl+S", G(Glyph::Save), "Enregistrer", "Enregistrer le fichier en cours",
     &MainWindow::saveFile, true, false},
    {0, "Enregistrer &sous...", "", -1, "", "Enregistrer le fichier en cours sous...",
     &MainWindow::saveFileAs, true, false},
    {0, "I&mporter", "", -1, "", "Importerr un fichier", &MainWindow::importFile, true, true},
    {0, "&Imprimer...", "", -1, "", "Imprimer le fichier", &MainWindow::printFile, true, false},
    {0, "&Configuration impression...", "", -1, "", "Configurer l'imprimante",
     &MainWindow::setUpPrinter, false, true},
    {0, "Rou&vrir les fichiers au d\u00E9marrage", "", -1, "",
     "Rouvrir au d\u00E9marrage les fichiers ouverts \u00E0 la fermeture",
     &MainWindow::toggleReopenOption, false, true},
    {0, "&Quitter", "Alt+X", -1, "", "Quitter l'application", &MainWindow::quit, false, false},
    {1, "&Annuler", "Ctrl+Z", -1, "", "Annuler la derni\u00E8re modification", &MainWindow::undo,
     true, false},
    {1, "&R\u00E9tablir", "Ctrl+Y", -1, "", "R\u00E9tablir la modification annul\u00E9e",
     &MainWindow::redo, true, true},
    {1, "&Couper", "Ctrl+X", G(Glyph::Cut), "Couper", "Couper vers le Presse-papiers",
     &MainWindow::cut, true, false},
    {1, "Co&pier", "Ctrl+C", G(Glyph::Copy), "Copier", "Copier vers le Presse-papiers",
     &MainWindow::copy, true, false},
    {1, "C&oller", "Ctrl+V", G(Glyph::Paste), "Coller", "Coller depuis le Presse-papiers",
     &MainWindow::paste, true, false},
    {1, "&Tout s\u00E9lectionner", "", -1, "", "S\u00E9lectionner tout le texte",
     &MainWindow::selectAll, true, true},
    {1, "Rec&hercher...", "Ctrl+F", -1, "", "Rechercher le texte", &MainWindow::find, true, false},
    {1, "Co&ntinuer", "F3", -1, "", "Continer la recherche", &MainWindow::findNext, true, false},
    {1, "Re&mplacer...", "", -1, "", "Remplacer un texte", &MainWindow::replace, true, false},
    {2, "&Voids...", "F2", -1, "", "voir liste des subs", &MainWindow::showProcedures, true, false},
    {2, "&Table des symboles", "", -1, "", "Afficher la table des symboles",
     &MainWindow::showSymbolTable, true, false},
    {2, "&Examiner variable...", "", -1, "", "Voir la valeur de la variable",
     &MainWindow::examineVariable, true, false},
    {2, "&Variables", "", -1, "", "Afficher les variables du programme et leurs valeurs",
     &MainWindow::showVariables, true, false},
    {2, "Appe&ls", "", -1, "", "Afficher les appels de proc\u00E9dures en cours",
     &MainWindow::showCalls, true, true},
    {2, "&Num\u00E9ros de ligne", "", -1, "", "Afficher les num\u00E9ros de ligne",
     &MainWindow::toggleLineNumbers, false, false},
    {2, "Zoom &avant", "Ctrl++", -1, "", "Agrandir le texte", &MainWindow::zoomIn, false, false},
    {2, "Zoom a&rri\u00E8re", "Ctrl+-", -1, "", "R\u00E9duire le texte", &MainWindow::zoomOut,
     false, false},
    {2, "Taille &normale", "Ctrl+0", -1, "", "Revenir \u00E0 la taille normale du texte",
     &MainWindow::zoomReset, false, false},
    {3, "&Ex\u00E9cuter", "F9", G(Glyph::Run), "Ex\u00E9cuter", "Ex\u00E9cuter le programme",
     &MainWindow::runProgram, true, true},
    {3, "&Point d'arr\u00EAt", "F5", -1, "", "Poser un point d'arr\u00EAt",
     &MainWindow::toggleBreakpoint, true, false},
    {3, "&Continuer", "F7", -1, "", "Continue l'\u00E9x\u00E9cution", &MainWindow::resumeRun, true,
     false},
    {3, "&Mode pas \u00E0 pas", "", -1, "", "Ex\u00E9cute en pas \u00E0 pas",
     &MainWindow::toggleStepMode, true, false},
    {3, "Pas \u00E0 pas pri&ncipal", "F8", -1, "",
     "Ex\u00E9cute une ligne ; un appel de proc\u00E9dure compte pour une seule ligne",
     &MainWindow::stepOver, true, false},
    {3, "&Sortir de la proc\u00E9dure", "Shift+F8", -1, "",
     "Ex\u00E9cute jusqu'au retour de la proc\u00E9dure en cours", &MainWindow::stepOut, true,
     false},
    {3, "Ex\u00E9cuter &jusqu'au curseur", "F4", -1, "",
     "Ex\u00E9cute jusqu'\u00E0 la ligne du curseur", &MainWindow::runToCursor, true, false},
    {3, "Pas p&r\u00E9c\u00E9dent", "Shift+F7", -1, "",
     "Revoir la pause pr\u00E9c\u00E9dente (rien n'est ex\u00E9cut\u00E9 de nouveau)",
     &MainWindow::previousStep, true, false},
    {3, "Pas s&uivant", "", -1, "", "Revoir la pause suivante", &MainWindow::nextStep, true, false},
    {3, "&Arr\u00EAter", "Ctrl+Pause", -1, "", "Arr\u00EAter le programme en cours",
     &MainWindow::stopProgram, false, false},
    {4, "&Mots cl\u00E9...", "", -1, "", " Les instructions c", &MainWindow::insertKeyword, true,
     false},
    {4, "Boucle &For...", "", -1, "", "G\u00E9n\u00E9rer boucle For", &MainWindow::insertForLoop,
     true, false},
    {4, "Boucle Whille...", "", -1, "", "G\u00E9n\u00E9rer boucle while",
     &MainWindow::insertWhileLoop, true, false},
    {4, "Boucle &Do...", "", -1, "", "G\u00E9n\u00E9rer boucle Repeat", &MainWindow::insertDoLoop,
     true, false},
    {4, "Condition &If...", "", -1, "", "G\u00E9n\u00E9rer condition If", &MainWindow::insertIf,
     true, false},
    {4, "&Lecture fichier...", "", -1, "", "Ouvrir un fichier en lecture",
     &MainWindow::insertFileRead, true, false},
    {4, "&Ecriture fichier...", "", -1, "", "Ouvrir un fichier en \u00E9criture",
     &MainWindow::insertFileWrite, true, false},
    {5, "&Calendrier", "", -1, "", "Calendrier", &MainWindow::showCalendar, false, false},
    {5, "C&alculatrice", "", -1, "", "Calculatrice", &MainWindow::showCalculator, false, false},
    {5, "&Horloge", "", -1, "", "Horloge", &MainWindow::showClock, false, false},
    {6, "&Cascade", "", -1, "", "Disposer les fen\u00EAtres en recouvrement",
     &MainWindow::cascadeWindows, true, false},
    {6, "&Mosa\u00EFque", "", -1, "", "Disposer les fen\u00EAtres sans recouvrement",
     &MainWindow::tileWindows, true, false},
    {6, "&R\u00E9organiser les ic\u00F4nes", "", -1, "",
     "Disposer les fen\u00EAtres en bas de la fen\u00EAtre principale", &MainWindow::arrangeIcons,
     true, false},
    {6, "&Tout r\u00E9duire", "", -1, "", "Minimiser toutes les fen\u00EAtres",
     &MainWindow::minimizeAll, true, false},
    {7, "&Index", "", -1, "", "Sommaire de l'aide", &MainWindow::showHelpContents, false, false},
    {7, "&Rechercher", "", -1, "", "Rechercher", &MainWindow::searchHelp, false, false},
    {7, "&Utiliser l'aide", "", -1, "", "Utliser l'aide", &MainWindow::showHelpOnHelp, false, true},
    {7, "&A propos", "", -1, "", "Informations sur le logiciel", &MainWindow::showAbout, false,
     false},
};
} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Vok C"));
    setWindowIcon(QIcon(shell::ProductPicture(64, 64)));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("mdiArea");
    setCentralWidget(mdiArea_);

    toolBar_ = new QToolBar(QStringLiteral("SpeedPanel"), this);
    toolBar_->setObjectName("toolBar");
    toolBar_->setMovable(false);
    toolBar_->setFixedHeight(33);
    toolBar_->setIconSize(QSize(20, 20));
    addToolBar(Qt::TopToolBarArea, toolBar_);

    statusLine_ = new QLabel(this);
    statusLine_->setObjectName("statusLine");
    statusLine_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    clockPanel_ = new QLabel(this);
    clockPanel_->setObjectName("clockPanel");
    clockPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    clockPanel_->setFixedWidth(76);
    clockPanel_->setAlignment(Qt::AlignCenter);
    positionPanel_ = new QLabel(this);
    positionPanel_->setObjectName("positionPanel");
    positionPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    positionPanel_->setMinimumWidth(150);
    positionPanel_->setAlignment(Qt::AlignCenter);
    runPanel_ = new QLabel(this);
    runPanel_->setObjectName("runPanel");
    runPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    runPanel_->setMinimumWidth(260);
    statusBar()->addWidget(statusLine_, 1);
    statusBar()->addPermanentWidget(runPanel_);
    statusBar()->addPermanentWidget(positionPanel_);
    statusBar()->addPermanentWidget(clockPanel_);
    statusBar()->setFixedHeight(28);
    statusBar()->setSizeGripEnabled(false);

    createMenus();
    createRunCommands();

    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(1000);
    connect(clockTimer_, &QTimer::timeout, this, &MainWindow::updateClock);
    clockTimer_->start();
    updateClock();

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        activeWindowChanged();
        updateActions();
        updatePosition();
    });
    askOpenName_ = [](QWidget* w) {
        return QFileDialog::getOpenFileName(
            w, QStringLiteral("Ouvrir"), QStringLiteral("*.c"),
            QStringLiteral("Fichiers c (*.c);;Tous les fichiers (*)"));
    };
    updateActions();

    help_ = new HelpViewer(this);
    help_->installF1(this, menuBar());
    connect(help_, &HelpViewer::zoomRequested, this,
            [this](int change) { setZoom(change == 0 ? 0 : zoom_ + change); });
    // Alt+X quits although it is also the mnemonic of the run menu, and an editor window
    // closed during a run waits for the run to stop (see eventFilter).
    qApp->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Close && running()) {
        if (auto* editor = qobject_cast<EditorWindow*>(watched)) {
            // The program reads this window's text: it stops first, then the window closes.
            QPointer<EditorWindow> guard(editor);
            shared_.session->whenStopped([guard] {
                if (!guard) return;
                if (QWidget* sub = guard->parentWidget())
                    sub->close();
                else
                    guard->close();
            });
            e->ignore();
            return true;
        }
    }
    if ((e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) &&
        (QApplication::activeWindow() == this ||
         (shared_.console && QApplication::activeWindow() == shared_.console))) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_X && key->modifiers() == Qt::AltModifier) {
            // The command's key wins over the menu's mnemonic: claim the key, then quit.
            if (e->type() == QEvent::ShortcutOverride) {
                e->accept();
                return true;
            }
            quit();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The active-window handler must not run while the frame is being destroyed.
    disconnect(mdiArea_, nullptr, this, nullptr);
    delete printer_;
}

void MainWindow::setSharedWindows(const SharedWindows& windows) {
    shared_ = windows;
    if (RunSession* session = shared_.session) {
        connect(session, &RunSession::runningChanged, this, &MainWindow::updateActions);
        connect(session, &RunSession::stopped, this, &MainWindow::showStop);
        connect(session, &RunSession::runningChanged, this, [this](bool running) {
            if (running) runPanel_->setText(RunningStateText());
        });
        connect(session, &RunSession::stopped, this,
                [this](const RunStop& stop) { runPanel_->setText(StopStateText(stop)); });
        if (ConsoleWindow* console = shared_.console) {
            connect(session, &RunSession::runningChanged, console, &ConsoleWindow::setRunning);
            connect(console, &ConsoleWindow::stopRequested, session, &RunSession::requestStop);
            // The run keys (and quitting) work in the console as in the editor.
            for (QAction* a : runActions_)
                console->addAction(a);
            for (QAction* a : {stopAction_, stepModeAction_, action(QStringLiteral("&Quitter"))})
                if (a) console->addAction(a);
            connect(console, &ConsoleWindow::helpRequested, this,
                    [this](const QString& page) { help_->showPage(page); });
        }
        setUpDebugger();
    }
}

bool MainWindow::running() const {
    return shared_.session && shared_.session->isRunning();
}

void MainWindow::activeWindowChanged() {
    EditorWindow* now = nullptr;
    if (QMdiSubWindow* sub = mdiArea_->activeSubWindow())
        now = qobject_cast<EditorWindow*>(sub->widget());
    // No active child (the console or a dialog has the focus) changes nothing: coming back
    // to the same editor must not end its step mode.
    if (!now || now == activeEditor_) return;
    // Another program's window: the files of the last run are closed and step mode ends
    // (the menu's check mark stays).
    if (activeEditor_ && shared_.session) shared_.session->closeFiles();
    activeEditor_ = now;
    if (shared_.session) shared_.session->setStepMode(false);
}

void MainWindow::createMenus() {
    std::vector<QMenu*> menus;
    for (const MenuDef& m : kMenus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->menuAction()->setStatusTip(QString::fromUtf8(m.hint));
        menu->menuAction()->setData(m.helpContext);
        menus.push_back(menu);
    }
    windowMenu_ = menus[6];
    fileMenu_ = menus[0];
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
        if (c.slot == &MainWindow::toggleStepMode) {
            action->setCheckable(true);
            stepModeAction_ = action;
        }
        if (c.slot == &MainWindow::stopProgram) stopAction_ = action;
        if (c.slot == &MainWindow::quit) quitAction_ = action;
        if (c.slot == &MainWindow::toggleLineNumbers) {
            action->setCheckable(true);
            action->setChecked(lineNumbers_);
            lineNumbersAction_ = action;
        }
        if (c.slot == &MainWindow::toggleReopenOption) {
            action->setCheckable(true);
            reopenAction_ = action;
        }
        // The zoom keys also answer on the key of '+' without Shift.
        if (c.slot == &MainWindow::zoomIn)
            action->setShortcuts(
                {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
        if (c.slot == &MainWindow::runProgram || c.slot == &MainWindow::resumeRun ||
            c.slot == &MainWindow::toggleBreakpoint || c.slot == &MainWindow::stepOver ||
            c.slot == &MainWindow::stepOut || c.slot == &MainWindow::runToCursor ||
            c.slot == &MainWindow::previousStep || c.slot == &MainWindow::nextStep)
            runActions_.push_back(action);
        if (c.glyph >= 0) {
            // Gaps between the file, clipboard and run groups.
            if (lastGlyphMenu >= 0 && lastGlyphMenu != c.menu) toolBar_->addSeparator();
            lastGlyphMenu = c.menu;
            auto* button = new QAction(shell::GlyphIcon(static_cast<Glyph>(c.glyph)),
                                       QString::fromUtf8(c.tip), this);
            button->setToolTip(QString::fromUtf8(c.tip));
            button->setStatusTip(QString::fromUtf8(c.hint));
            connect(button, &QAction::triggered, this, c.slot);
            // A button follows its menu item's enabling.
            connect(action, &QAction::enabledChanged, button, &QAction::setEnabled);
            toolBar_->addAction(button);
        }
    }
    connect(windowMenu_, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    connect(fileMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentFiles);
}

QAction* MainWindow::action(const QString& caption) const {
    for (QAction* a : findChildren<QAction*>())
        if (a->text() == caption) return a;
    return nullptr;
}

EditorWindow* MainWindow::editableEditor() const {
    return running() ? nullptr : activeEditor();
}

EditorWindow* MainWindow::activeEditor() const {
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    if (!sub) {
        const auto list = mdiArea_->subWindowList();
        if (list.isEmpty()) return nullptr;
        sub = list.last();
    }
    return qobject_cast<EditorWindow*>(sub->widget());
}

std::vector<EditorWindow*> MainWindow::editors() const {
    std::vector<EditorWindow*> list;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* e = qobject_cast<EditorWindow*>(sub->widget())) list.push_back(e);
    return list;
}

void MainWindow::updateActions() {
    const bool any = !editors().empty();
    const bool busy = running();
    for (QAction* a : editorActions_)
        a->setEnabled(any);
    // While a program runs, no other run can start; only the stop command is offered.
    for (QAction* a : runActions_)
        a->setEnabled(any && !busy);
    if (stopAction_) stopAction_->setEnabled(busy);
    // The interpreter reads the text while it runs: nothing may change it.
    for (QAction* a : textEditActions_)
        a->setEnabled(any && !busy);
    for (EditorWindow* e : editors())
        if (ReplaceDialog* dialog = e->replaceDialog()) dialog->setEnabled(!busy);
}

void MainWindow::updateClock() {
    clockPanel_->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        statusLine_->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (shown_) return;
    shown_ = true;
    setWindowState(windowState() | Qt::WindowMaximized);
    startDir_ = QDir::currentPath();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (running()) {
        // The running program reads an editor's text: it stops first.
        shared_.session->whenStopped([this] { QTimer::singleShot(0, this, &QWidget::close); });
        e->ignore();
        return;
    }
    // Every editor window with changes is asked first; a cancel at any of them abandons
    // the whole quit and leaves every window as it was.
    std::vector<EditorWindow*> agreed;
    for (EditorWindow* editor : editors()) {
        if (!editor->confirmClose()) {
            for (EditorWindow* a : agreed)
                a->withdrawClose();
            e->ignore();
            return;
        }
        agreed.push_back(editor);
    }
    if (sessionStarted_) {
        QStringList open;
        for (EditorWindow* editor : editors())
            if (!editor->fileName().isEmpty()) open << editor->fileName();
        saveSetting(QStringLiteral("fichiers/ouverts"), open);
    }
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty()) {
        e->ignore();
        return;
    }
    if (!startDir_.isEmpty() && !QDir::setCurrent(startDir_))
        QMessageBox::critical(this, QStringLiteral("Vok C"),
                              QStringLiteral("Erreur E/S %1").arg(errno));
    e->accept();
}

// ---- Files ----

EditorWindow* MainWindow::createEditorWindow(const QString& caption) {
    auto* editor = new EditorWindow;
    editor->setWindowTitle(caption);
    editor->setProcedureList(shared_.procedureList);
    connectEditor(editor);
    if (prepareEditor_) prepareEditor_(editor);
    QMdiSubWindow* sub = mdiArea_->addSubWindow(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(502, 266);
    sub->move(newWindowPosition(sub->size()));
    connect(
        sub, &QObject::destroyed, this,
        [this] {
            updateActions();
            updatePosition();
        },
        Qt::QueuedConnection);
    applyView(editor);
    connect(editor->memo(), &QPlainTextEdit::cursorPositionChanged, this, [this, editor] {
        if (editor == activeEditor()) updatePosition();
    });
    if (recovery_) recovery_->track(editor);
    editor->show();
    mdiArea_->setActiveSubWindow(sub);
    updateActions();
    return editor;
}

QPoint MainWindow::newWindowPosition(const QSize& size) const {
    // Each new window opens a step below and to the right of the last one, and starts
    // again at the top left once it would reach past the frame's visible area.
    constexpr int kStep = 24;
    const QSize area = mdiArea_->viewport()->size();
    const int count = static_cast<int>(mdiArea_->subWindowList().size()) - 1;
    const int fitX = std::max(1, (area.width() - size.width()) / kStep + 1);
    const int fitY = std::max(1, (area.height() - size.height()) / kStep + 1);
    const int step = std::max(0, count) % std::min(fitX, fitY);
    return {step * kStep, step * kStep};
}

void MainWindow::newFile() {
    const int n = static_cast<int>(editors().size());
    EditorWindow* editor = createEditorWindow(QStringLiteral("VokC - C%1.C").arg(n + 1));
    editor->setCaretOffset(editor::kDefaultCaret);
}

bool MainWindow::openProgram(const QString& path) {
    EditorWindow* editor = createEditorWindow(path);
    editor->setWindowTitle(QStringLiteral("VokC - ") + QFileInfo(path).fileName());
    if (!editor->openFile(path)) {
        // Nothing to show: the window goes away again (the message named the reason).
        editor->memo()->document()->setModified(false);
        if (QWidget* sub = editor->parentWidget()) sub->close();
        return false;
    }
    editor->show();
    addRecent(editor->fileName());
    return true;
}

void MainWindow::openFile() {
    QString path = askOpenName_(this);
    if (path.isEmpty()) return;
    openProgram(path);
}

void MainWindow::closeFile() {
    if (QMdiSubWindow* sub = mdiArea_->activeSubWindow()) sub->close();
}

void MainWindow::saveFile() {
    if (EditorWindow* e = activeEditor()) e->save();
}
void MainWindow::saveFileAs() {
    if (EditorWindow* e = activeEditor(); e && e->saveAs()) addRecent(e->fileName());
}
void MainWindow::importFile() {
    if (EditorWindow* e = editableEditor()) e->importFile();
}
void MainWindow::printFile() {
    if (EditorWindow* e = activeEditor()) e->print();
}

void MainWindow::setUpPrinter() {
    if (!printer_) printer_ = new QPrinter;
    QPageSetupDialog dialog(printer_, this);
    dialog.exec();
}

void MainWindow::quit() {
    close();
}

// ---- Edit and view ----

void MainWindow::cut() {
    if (EditorWindow* e = editableEditor()) e->cut();
}
void MainWindow::copy() {
    if (EditorWindow* e = activeEditor()) e->copy();
}
void MainWindow::paste() {
    if (EditorWindow* e = editableEditor()) e->paste();
}
void MainWindow::selectAll() {
    if (EditorWindow* e = activeEditor()) e->selectAll();
}
void MainWindow::undo() {
    if (EditorWindow* e = editableEditor()) e->undo();
}
void MainWindow::redo() {
    if (EditorWindow* e = editableEditor()) e->redo();
}
void MainWindow::find() {
    if (EditorWindow* e = activeEditor()) e->showFindDialog();
}
void MainWindow::findNext() {
    if (EditorWindow* e = activeEditor()) e->findNext();
}
void MainWindow::replace() {
    if (EditorWindow* e = editableEditor()) e->showReplaceDialog();
}
void MainWindow::showProcedures() {
    if (EditorWindow* e = activeEditor()) e->showProcedureList();
}

void MainWindow::showSymbolTable() {
    if (!shared_.session || !shared_.symbolTable) return;
    shared_.symbolTable->setLines(shared_.session->symbolListing());
    shared_.symbolTable->exec();
}

void MainWindow::examineVariable() {
    if (!shared_.session || !shared_.examine) return;
    RunSession* session = shared_.session;
    shared_.examine->setEvaluator(
        [session](const QString& reference) { return session->examine(reference); });
    shared_.examine->exec();
}

// ---- Run ----

void MainWindow::runProgram() {
    if (EditorWindow* e = activeEditor()) e->runProgram();
}
void MainWindow::toggleBreakpoint() {
    if (EditorWindow* e = activeEditor()) e->toggleBreakpoint();
}
void MainWindow::resumeRun() {
    if (EditorWindow* e = activeEditor()) e->resumeRun();
}

void MainWindow::toggleStepMode() {
    // The check mark is the main window's (Qt has already inverted it).
    if (EditorWindow* e = activeEditor()) e->setStepMode(stepModeAction_->isChecked());
}

void MainWindow::stopProgram() {
    if (shared_.session) shared_.session->requestStop();
}

void MainWindow::showConsole() {
    if (shared_.console) shared_.console->bringForward();
}

void MainWindow::saveConsoleText() {
    if (shared_.console) shared_.console->saveTextAs();
}

// The commands of runs that the command table does not hold: the console's, the key
// that stops a run from the editor, and the list of commands that change the text.
void MainWindow::createRunCommands() {
    const QList<QAction*> menus = menuBar()->actions();
    auto add = [this](QMenu* menu, QAction* before, const QString& caption, const QString& hint,
                      void (MainWindow::*slot)()) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QString(caption).remove('&'));
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, slot);
        menu->insertAction(before, a);
        return a;
    };
    if (menus.size() > 2) {
        add(menus[0]->menu(), action(QStringLiteral("I&mporter")),
            QStringLiteral("Enregistrer l'écran sous..."),
            QStringLiteral("Enregistrer le texte de l'écran dans un fichier"),
            &MainWindow::saveConsoleText);
        add(menus[2]->menu(), nullptr, QStringLiteral("&Ecran"),
            QStringLiteral("Afficher l'écran du programme"), &MainWindow::showConsole);
    }
    // Escape stops a run from the editor too.
    if (stopAction_)
        stopAction_->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+Pause")), QKeySequence(Qt::Key_Escape)});
    for (const char* caption :
         {"&Annuler", "&R\u00E9tablir", "&Couper", "C&oller", "Re&mplacer...", "I&mporter",
          "&Mots clé...", "Boucle &For...", "Boucle Whille...", "Boucle &Do...", "Condition &If...",
          "&Lecture fichier...", "&Ecriture fichier..."})
        if (QAction* a = action(QString::fromUtf8(caption))) textEditActions_.push_back(a);
}

void MainWindow::connectEditor(EditorWindow* editor) {
    connect(editor, &EditorWindow::runRequested, this, [this, editor] { startRun(editor, true); });
    connect(editor, &EditorWindow::resumeRequested, this,
            [this, editor] { startRun(editor, false); });
    if (hoverTips_) hoverTips_->watch(editor->memo());
    if (RunSession* session = shared_.session) {
        connect(editor, &EditorWindow::stepModeRequested, session, &RunSession::setStepMode);
        // A resume goes on from the line before the toggled one.
        connect(editor, &EditorWindow::breakpointToggled, session,
                [session](int line) { session->setStartLine(line - 1); });
        connect(editor, &EditorWindow::closing, session, &RunSession::closeFiles);
    }
}

void MainWindow::startRun(EditorWindow* editor, bool fresh) {
    RunSession* session = shared_.session;
    if (!session || session->isRunning()) return;
    editor->removeStepMarkers();
    runningEditor_ = editor;
    if (hoverTips_) hoverTips_->setEditor(editor->memo());
    editor->beginRun();
    if (fresh)
        session->start(editor->programText(), QStringToCp1252(editor->programName()));
    else
        session->resume(editor->programText());
}

void MainWindow::showStop(const RunStop& stop) {
    EditorWindow* editor = runningEditor_;
    if (!editor) return;
    editor->endRun();
    if (stop.markStep) editor->insertStepMarker(stop.line);
    if (stop.showLine) editor->showStopLine(stop.line);
    // The keyboard goes back to the program's text, where the run keys are; the console
    // stays in view beside it.
    activateWindow();
    if (shared_.console && shared_.console->isVisible()) shared_.console->raise();
    if (QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(editor->parentWidget()))
        mdiArea_->setActiveSubWindow(sub);
    editor->memo()->setFocus();
    // The variables come forward the first time a run pauses step by step.
    if (stop.reason == RunStopReason::StepPause && debugDock_ && !debugDockShownOnce_) {
        debugDockShownOnce_ = true;
        debugDock_->showVariables();
    }
}

// ---- Watching a run: the variables dock, finer steps and the history ----

void MainWindow::setUpDebugger() {
    if (debugDock_) return;
    RunSession& session = *shared_.session;
    debugDock_ = new DebugDock(session, this);
    addDockWidget(Qt::BottomDockWidgetArea, debugDock_);
    debugDock_->hide();
    connect(debugDock_->calls(), &CallList::lineActivated, this, [this](int line) {
        EditorWindow* editor = runningEditor_;
        if (!editor) return;
        QTextCursor cursor(editor->memo()->document()->findBlockByNumber(line));
        editor->memo()->setTextCursor(cursor);
        editor->memo()->setFocus();
    });
    hoverTips_ = new HoverTips(session, this);
    for (EditorWindow* editor : editors())
        hoverTips_->watch(editor->memo());
}

void MainWindow::showVariables() {
    if (debugDock_) debugDock_->showVariables();
}

void MainWindow::showCalls() {
    if (debugDock_) debugDock_->showCalls();
}

void MainWindow::runFinerStep(int kind) {
    EditorWindow* editor = activeEditor();
    RunSession* session = shared_.session;
    if (!editor || !session || session->isRunning()) return;
    const auto step = static_cast<RunSession::StepKind>(kind);
    session->setNextStep(step, editor->memo()->textCursor().blockNumber());
    // From a pause of this window's program the run goes on; otherwise it starts afresh.
    const bool resume = session->state() == RunSession::State::Paused && runningEditor_ == editor;
    startRun(editor, !resume);
}

void MainWindow::stepOver() {
    runFinerStep(static_cast<int>(RunSession::StepKind::Over));
}

void MainWindow::stepOut() {
    runFinerStep(static_cast<int>(RunSession::StepKind::Out));
}

void MainWindow::runToCursor() {
    runFinerStep(static_cast<int>(RunSession::StepKind::ToLine));
}

void MainWindow::showViewedPause() {
    RunSession* session = shared_.session;
    EditorWindow* editor = runningEditor_;
    if (!session || !editor || session->history().empty()) return;
    RunHistory& history = session->history();
    editor->showStopLine(history.line(history.viewed()));
    if (debugDock_) {
        if (!debugDock_->isVisible()) debugDock_->showVariables();
        debugDock_->showViewedPause();
    }
}

void MainWindow::previousStep() {
    RunSession* session = shared_.session;
    if (!session || session->isRunning() || !session->history().back()) return;
    showViewedPause();
}

void MainWindow::nextStep() {
    RunSession* session = shared_.session;
    if (!session || session->isRunning() || !session->history().forward()) return;
    showViewedPause();
}

// ---- Generators and utilities ----

namespace {
// What a generator command does to the active editor's text.
void Apply(EditorWindow& editor, const Insertion& insertion) {
    editor.insertSnippet(QString::fromStdU16String(insertion.text), insertion.edit,
                         insertion.caret);
}
} // namespace

void MainWindow::insertKeyword() {
    EditorWindow* e = editableEditor();
    if (!e || !shared_.generators.keywords) return;
    shared_.generators.keywords->exec();
    Apply(*e, KeywordInsertion(shared_.generators.keywords->selectedKeyword().toStdU16String()));
}

void MainWindow::insertForLoop() {
    EditorWindow* e = editableEditor();
    ForLoopDialog* dialog = shared_.generators.forLoop;
    if (!e || !dialog) return;
    dialog->exec();
    QString text;
    bool ok = false;
    dialog->result(text, ok);
    Apply(*e, ForInsertion(text.toStdU16String(), ok, e->selectionStart()));
}

void MainWindow::insertWhileLoop() {
    EditorWindow* e = editableEditor();
    WhileLoopDialog* dialog = shared_.generators.whileLoop;
    if (!e || !dialog) return;
    dialog->setWindowTitle(QStringLiteral("Boucle While"));
    dialog->exec();
    QString text;
    bool ok = false;
    dialog->whileResult(text, ok);
    Apply(*e, WhileInsertion(text.toStdU16String(), ok, e->selectionStart()));
}

void MainWindow::insertDoLoop() {
    EditorWindow* e = editableEditor();
    WhileLoopDialog* dialog = shared_.generators.whileLoop;
    if (!e || !dialog) return;
    dialog->setWindowTitle(QStringLiteral("Boucle Do"));
    dialog->exec();
    QString text;
    bool ok = false;
    dialog->doResult(text, ok);
    Apply(*e, DoInsertion(text.toStdU16String(), ok, e->selectionStart()));
}

void MainWindow::insertIf() {
    EditorWindow* e = editableEditor();
    IfDialog* dialog = shared_.generators.ifCondition;
    if (!e || !dialog) return;
    dialog->exec();
    QString text;
    bool ok = false;
    dialog->result(text, ok);
    Apply(*e, IfInsertion(text.toStdU16String(), ok, e->selectionStart()));
}

void MainWindow::insertFileSkeleton(int mode) {
    EditorWindow* e = editableEditor();
    FileSkeletonDialog* dialog = shared_.generators.fileSkeleton;
    if (!e || !dialog) return;
    dialog->setMode(mode);
    dialog->exec();
    QString text;
    bool ok = false;
    dialog->result(text, ok);
    Apply(*e, FileInsertion(text.toStdU16String(), ok, e->selectionStart()));
}

void MainWindow::insertFileRead() {
    insertFileSkeleton(kFileRead);
}
void MainWindow::insertFileWrite() {
    insertFileSkeleton(kFileWrite);
}

void MainWindow::showCalendar() {
    if (shared_.calendar) shared_.calendar->exec();
}

void MainWindow::showCalculator() {
    if (shared_.calculator) shared_.calculator->exec();
}

void MainWindow::showClock() {
    if (shared_.clock) shared_.clock->exec();
}

// ---- Windows ----

void MainWindow::cascadeWindows() {
    mdiArea_->cascadeSubWindows();
}
void MainWindow::tileWindows() {
    mdiArea_->tileSubWindows();
}

void MainWindow::arrangeIcons() {
    // The minimised windows line up along the bottom of the frame.
    int x = 0;
    const int bottom = mdiArea_->viewport()->height();
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        if (!sub->isMinimized()) continue;
        sub->move(x, bottom - sub->height());
        x += sub->width();
    }
}

void MainWindow::minimizeAll() {
    const auto list = mdiArea_->subWindowList();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        (*it)->showMinimized();
}

void MainWindow::fillWindowMenu() {
    for (QAction* a : windowListActions_) {
        windowMenu_->removeAction(a);
        a->deleteLater();
    }
    windowListActions_.clear();
    const auto list = mdiArea_->subWindowList();
    if (list.isEmpty()) return;
    windowListActions_.push_back(windowMenu_->addSeparator());
    int number = 1;
    for (QMdiSubWindow* sub : list) {
        auto* a =
            windowMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == mdiArea_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] {
            // A minimised window comes back to its size as it is chosen.
            if (sub->isMinimized()) sub->showNormal();
            mdiArea_->setActiveSubWindow(sub);
        });
        windowListActions_.push_back(a);
    }
}

// ---- View: line numbers, zoom, caret position ----

void MainWindow::applyView(EditorWindow* editor) const {
    editor->memo()->setLineNumbersShown(lineNumbers_);
    editor->setFontPixelSize(ZoomedSize(17, zoom_));
}

void MainWindow::toggleLineNumbers() {
    lineNumbers_ = lineNumbersAction_->isChecked();
    for (EditorWindow* e : editors())
        applyView(e);
    saveSetting(QStringLiteral("affichage/numeros"), lineNumbers_);
}

void MainWindow::setZoom(int step) {
    zoom_ = ClampZoom(step);
    for (EditorWindow* e : editors())
        applyView(e);
    help_->setZoom(zoom_);
    if (shared_.console) shared_.console->setZoom(zoom_);
    saveSetting(QStringLiteral("affichage/zoom"), zoom_);
    emit zoomChanged(zoom_);
}

void MainWindow::zoomIn() {
    setZoom(zoom_ + 1);
}
void MainWindow::zoomOut() {
    setZoom(zoom_ - 1);
}
void MainWindow::zoomReset() {
    setZoom(0);
}

void MainWindow::updatePosition() {
    EditorWindow* e = activeEditor();
    if (!e) {
        positionPanel_->clear();
        return;
    }
    const QTextCursor c = e->memo()->textCursor();
    positionPanel_->setText(QStringLiteral("Ligne %1, colonne %2")
                                .arg(c.blockNumber() + 1)
                                .arg(c.positionInBlock() + 1));
}

// ---- Settings, recent files, recovery ----

void MainWindow::saveSetting(const QString& key, const QVariant& value) const {
    if (!sessionStarted_) return;
    QSettings settings;
    settings.setValue(key, value);
}

void MainWindow::startSession() {
    if (sessionStarted_) return;
    QSettings settings;
    lineNumbers_ = settings.value(QStringLiteral("affichage/numeros"), true).toBool();
    lineNumbersAction_->setChecked(lineNumbers_);
    reopenAction_->setChecked(settings.value(QStringLiteral("fichiers/rouvrir"), false).toBool());
    recent_.clear();
    for (const QString& path : settings.value(QStringLiteral("fichiers/recents")).toStringList())
        if (recent_.size() < kRecentLimit) recent_.push_back(path.toStdString());
    setZoom(settings.value(QStringLiteral("affichage/zoom"), 0).toInt());
    recovery_ = new RecoveryStore(this);
    for (EditorWindow* e : editors())
        recovery_->track(e);
    sessionStarted_ = true;
}

QStringList MainWindow::recentFiles() const {
    QStringList list;
    for (const std::string& path : recent_)
        list << QString::fromStdString(path);
    return list;
}

void MainWindow::addRecent(const QString& path) {
    recent_ = AddRecent(std::move(recent_), path.toStdString());
    saveSetting(QStringLiteral("fichiers/recents"), recentFiles());
}

void MainWindow::fillRecentFiles() {
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    if (recent_.empty()) return;
    int number = 1;
    for (const QString& path : recentFiles()) {
        auto* a = new QAction(
            QStringLiteral("&%1 %2").arg(number++).arg(QFileInfo(path).fileName()), this);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { openProgram(path); });
        fileMenu_->insertAction(quitAction_, a);
        recentActions_.push_back(a);
    }
    recentActions_.push_back(fileMenu_->insertSeparator(quitAction_));
}

void MainWindow::toggleReopenOption() {
    saveSetting(QStringLiteral("fichiers/rouvrir"), reopenAction_->isChecked());
}

void MainWindow::reopenLastFiles() {
    if (!sessionStarted_ || !reopenAction_->isChecked()) return;
    const QStringList open = QSettings().value(QStringLiteral("fichiers/ouverts")).toStringList();
    for (const QString& path : open)
        if (QFileInfo::exists(path)) openProgram(path);
}

void MainWindow::offerRecovery() {
    if (!recovery_) return;
    if (!askRestore_)
        askRestore_ = [](QWidget* w, const QString& text) {
            return QMessageBox::question(w, QStringLiteral("R\u00E9cup\u00E9ration"), text,
                                         QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::Yes) == QMessageBox::Yes;
        };
    for (const RecoveryStore::LeftBehind& left : recovery_->leftBehind()) {
        const QString path = QString::fromStdString(left.text.path);
        const QString name =
            path.isEmpty() ? QString::fromStdString(left.text.caption) : QFileInfo(path).fileName();
        const QString question =
            QStringLiteral("Vok C s'est arr\u00EAt\u00E9 sans que \u00AB %1 \u00BB soit "
                           "enregistr\u00E9.\nR\u00E9cup\u00E9rer le texte non "
                           "enregistr\u00E9 ?")
                .arg(name);
        if (askRestore_(this, question)) {
            EditorWindow* editor = createEditorWindow(QString::fromStdString(left.text.caption));
            editor->setFileName(path);
            editor::Lines lines;
            const QString text = QString::fromStdString(left.text.text);
            for (const QString& line : text.split(QLatin1Char('\n')))
                lines.push_back(line.toStdU16String());
            editor->setTextLines(lines);
            editor->setCaretOffset(0);
            editor->memo()->document()->setModified(true);
            // The text is safe in this session's file before the old one goes.
            if (!recovery_->write(editor)) continue;
        }
        RecoveryStore::discard(left.file);
    }
}

// ---- Help ----

void MainWindow::showHelpContents() {
    help_->showContents();
}
void MainWindow::searchHelp() {
    help_->showSearch();
}
void MainWindow::showHelpOnHelp() {
    help_->showHowToUse();
}

void MainWindow::showAbout() {
    if (shared_.aboutBox) shared_.aboutBox->exec();
}

} // namespace vokc
