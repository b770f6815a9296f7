#include "main_window.h"

#include <QAction>
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
#include <QStatusTipEvent>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

#include <optional>
#include <tuple>

#include "about_box.h"
#include "calculator_window.h"
#include "calendar_window.h"
#include "clock_window.h"
#include "console_window.h"
#include "editor_window.h"
#include "exercise_commands.h"
#include "find_dialog.h"
#include "generator_commands.h"
#include "glyphs.h"
#include "help_viewer.h"
#include "window_menu.h"

namespace vokc {

namespace {
template <class E> std::size_t Index(E value) {
    return static_cast<std::size_t>(value);
}

// The part of the main window whose member a command's slot is.
template <class> struct SlotOwner;
template <class Part> struct SlotOwner<void (Part::*)()> { using type = Part; };
} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), mdiArea_(new QMdiArea(this)) {
    setWindowTitle(QStringLiteral("Vok C"));
    setWindowIcon(QIcon(shell::ProductPicture(64, 64)));
    mdiArea_->setObjectName("mdiArea");
    // Closing a window activates the one used before it.
    mdiArea_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(mdiArea_);
    createToolBar();
    status_ = new StatusPanels(this);
    help_ = new HelpViewer(this);
    run_ = new RunController(*this);
    settings_ = new SessionSettings(*this, help_);
    windowMenu_ = new WindowMenu(mdiArea_, this);
    generators_ = new GeneratorCommands([this] { return editableEditor(); }, this);
    exercises_ = new ExerciseCommands(*this);
    createActions();

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        run_->activeWindowChanged();
        updateActions();
        updatePosition();
        // A window whose file changed on disk offers to read it again, once the
        // activation is over.
        if (auto* editor = sub ? qobject_cast<EditorWindow*>(sub->widget()) : nullptr)
            QMetaObject::invokeMethod(editor, &EditorWindow::offerReload, Qt::QueuedConnection);
    });
    updateActions();
    help_->installF1(this, menuBar());
    // Alt+X, and editor windows closed during a run (see eventFilter).
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The active-window handler must not run while the frame is being destroyed.
    disconnect(mdiArea_, nullptr, this, nullptr);
    delete printer_;
}

void MainWindow::setSharedWindows(const SharedWindows& windows) {
    shared_ = windows;
    generators_->setDialogs(shared_.generators);
    settings_->setConsole(shared_.console);
    run_->setSharedWindows(shared_, help_);
    exercises_->attach(run_->debugDock(), shared_.session);
}

// ---- Commands: built from the table, enabled as it says ----

void MainWindow::createToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("SpeedPanel"), this);
    toolBar_->setObjectName("toolBar");
    toolBar_->setMovable(false);
    toolBar_->setFixedHeight(33);
    toolBar_->setIconSize(QSize(20, 20));
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void MainWindow::createActions() {
    std::vector<QMenu*> menus;
    for (const MenuRow& m : MenuTable()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->menuAction()->setStatusTip(QString::fromUtf8(m.hint));
        menu->menuAction()->setData(m.helpContext);
        menus.push_back(menu);
    }
    std::optional<MenuId> lastButtonMenu;
    for (const CommandRow& row : CommandTable()) {
        QAction* item = createAction(row, menus[Index(row.menu)]);
        if (!row.glyph) continue;
        // Gaps between the file, clipboard and run groups.
        if (lastButtonMenu && *lastButtonMenu != row.menu) toolBar_->addSeparator();
        lastButtonMenu = row.menu;
        addToolButton(row, item);
    }
    windowMenu_->setMenu(menus[Index(MenuId::Window)]);
    settings_->attachMenus(menus[Index(MenuId::File)], action(Command::Quit));
}

QAction* MainWindow::createAction(const CommandRow& row, QMenu* menu) {
    auto* a = new QAction(QString::fromUtf8(row.caption), this);
    a->setObjectName(QString::fromLatin1(row.name));
    if (*row.keys) a->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(row.keys)));
    a->setStatusTip(QString::fromUtf8(row.hint));
    a->setCheckable(row.flags & kCheckable);
    connectCommand(a, row.slot);
    menu->addAction(a);
    if (row.flags & kSeparatorAfter) menu->addSeparator();
    actions_[Index(row.role)] = a;
    return a;
}

void MainWindow::addToolButton(const CommandRow& row, QAction* menuItem) {
    const QString tip = QString::fromUtf8(row.tip);
    auto* button = new QAction(shell::GlyphIcon(*row.glyph), tip, this);
    button->setToolTip(tip);
    button->setStatusTip(QString::fromUtf8(row.hint));
    connectCommand(button, row.slot);
    // A button follows its menu item's enabling.
    connect(menuItem, &QAction::enabledChanged, button, &QAction::setEnabled);
    toolBar_->addAction(button);
}

void MainWindow::connectCommand(QAction* action, const CommandSlot& slot) {
    // Each part of the main window carries out its own commands.
    const auto parts = std::tuple(this, run_, settings_, windowMenu_, generators_, exercises_);
    std::visit(
        [&](auto member) {
            using Part = typename SlotOwner<decltype(member)>::type;
            connect(action, &QAction::triggered, std::get<Part*>(parts), member);
        },
        slot);
}

void MainWindow::updateActions() {
    const bool any = !editors().empty();
    const bool busy = run_->running();
    for (const CommandRow& row : CommandTable()) {
        QAction* a = action(row.role);
        if (row.enabled == Enabled::WithEditor) a->setEnabled(any);
        // While a program runs no other run can start, and the interpreter reads the
        // text: nothing may change it. Only the stop command is offered.
        if (row.enabled == Enabled::WhileEditable) a->setEnabled(any && !busy);
        if (row.enabled == Enabled::DuringRun) a->setEnabled(busy);
    }
    for (EditorWindow* e : editors())
        if (ReplaceDialog* dialog = e->replaceDialog()) dialog->setEnabled(!busy);
}

// ---- The frame's events ----

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (run_->deferClose(watched, e)) return true;
    const bool key = e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress;
    QWidget* active = QApplication::activeWindow();
    if (key && (active == this || (shared_.console && active == shared_.console))) {
        auto* press = static_cast<QKeyEvent*>(e);
        if (press->key() == Qt::Key_X && press->modifiers() == Qt::AltModifier) {
            // The command's key wins over the menu's mnemonic: claim the key, then quit.
            e->accept();
            if (e->type() == QEvent::KeyPress) quit();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        statusLine()->setText(static_cast<QStatusTipEvent*>(e)->tip());
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
    // The running program reads an editor's text: it stops first.
    if (run_->afterStop([this] { QTimer::singleShot(0, this, &QWidget::close); }) ||
        !closeEditors()) {
        e->ignore();
        return;
    }
    if (!startDir_.isEmpty() && !QDir::setCurrent(startDir_))
        QMessageBox::critical(this, QStringLiteral("Vok C"),
                              QStringLiteral("Erreur E/S %1").arg(errno));
    e->accept();
}

bool MainWindow::closeEditors() {
    // Every editor window with changes is asked first; a cancel at any of them abandons
    // the whole quit and leaves every window as it was.
    std::vector<EditorWindow*> agreed;
    for (EditorWindow* editor : editors()) {
        if (!editor->confirmClose()) {
            for (EditorWindow* a : agreed)
                a->withdrawClose();
            return false;
        }
        agreed.push_back(editor);
    }
    settings_->saveOpenFiles(editors());
    mdiArea_->closeAllSubWindows();
    return mdiArea_->subWindowList().isEmpty();
}

// ---- Editor windows ----

EditorWindow* MainWindow::activeEditor() const {
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    if (!sub) {
        const auto list = mdiArea_->subWindowList();
        if (list.isEmpty()) return nullptr;
        sub = list.last();
    }
    return qobject_cast<EditorWindow*>(sub->widget());
}

EditorWindow* MainWindow::editableEditor() const {
    return run_->running() ? nullptr : activeEditor();
}

std::vector<EditorWindow*> MainWindow::editors() const {
    std::vector<EditorWindow*> list;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* e = qobject_cast<EditorWindow*>(sub->widget())) list.push_back(e);
    return list;
}

EditorWindow* MainWindow::createEditorWindow(const QString& caption) {
    auto* editor = new EditorWindow;
    editor->setWindowTitle(caption);
    editor->setProcedureList(shared_.procedureList);
    run_->connectEditor(editor);
    if (prepareEditor_) prepareEditor_(editor);
    QMdiSubWindow* sub = mdiArea_->addSubWindow(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(502, 266);
    sub->move(windowMenu_->newWindowPosition(sub->size()));
    connect(
        sub, &QObject::destroyed, this,
        [this] {
            updateActions();
            updatePosition();
        },
        Qt::QueuedConnection);
    settings_->follow(editor);
    editor->setFolderSource([this] { return dialogFolder(); });
    editor->setOtherWindowSource([this, editor](const QString& path) {
        EditorWindow* other = editorOf(path);
        return other && other != editor ? other->windowTitle() : QString();
    });
    connect(editor, &EditorWindow::folderUsed, this,
            [this](const QString& folder) { lastFolder_ = folder; });
    // Files saved under a new name join the recent files, whichever command saved them.
    connect(editor, &EditorWindow::savedAs, settings_, &SessionSettings::addRecent);
    connect(editor->memo(), &QPlainTextEdit::cursorPositionChanged, this, [this, editor] {
        if (editor == activeEditor()) updatePosition();
    });
    editor->show();
    mdiArea_->setActiveSubWindow(sub);
    updateActions();
    return editor;
}

void MainWindow::updatePosition() {
    status_->showPosition(activeEditor());
}

// ---- Files ----

void MainWindow::newFile() {
    // The next number after the windows' count that no open window shows already (a
    // recovered C9.C and a new one would look the same).
    auto shown = [this](const QString& name) {
        for (EditorWindow* e : editors())
            if (e->shownName().compare(name, Qt::CaseInsensitive) == 0) return true;
        return false;
    };
    int n = static_cast<int>(editors().size()) + 1;
    while (shown(QStringLiteral("C%1.C").arg(n)))
        ++n;
    EditorWindow* editor = createEditorWindow(QStringLiteral("VokC - C%1.C").arg(n));
    editor->setCaretOffset(editor::kDefaultCaret);
}

namespace {
// One file, however it is named: links resolved, "." and ".." removed.
QString SameFileKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
} // namespace

EditorWindow* MainWindow::editorOf(const QString& path) const {
    const QString wanted = SameFileKey(path);
    for (EditorWindow* e : editors())
        if (!e->fileName().isEmpty() && SameFileKey(e->fileName()) == wanted) return e;
    return nullptr;
}

void MainWindow::bringForward(EditorWindow* editor) {
    editor->bringForward();
}

bool MainWindow::openProgram(const QString& path) {
    // Two windows on one file would each overwrite the other's work.
    if (EditorWindow* open = editorOf(path)) {
        const bool wasActive = open == activeEditor();
        bringForward(open);
        if (wasActive) open->offerReload();
        settings_->addRecent(open->fileName());
        return true;
    }
    EditorWindow* editor = createEditorWindow(path);
    editor->setWindowTitle(QStringLiteral("VokC - ") + QFileInfo(path).fileName());
    if (!editor->openFile(path)) {
        // Nothing to show: the window goes away again (the message named the reason).
        editor->memo()->document()->setModified(false);
        if (QWidget* sub = editor->parentWidget()) sub->close();
        return false;
    }
    editor->show();
    settings_->addRecent(editor->fileName());
    lastFolder_ = QFileInfo(editor->fileName()).absolutePath();
    return true;
}

QString MainWindow::dialogFolder() const {
    if (EditorWindow* e = activeEditor(); e && !e->fileName().isEmpty())
        return QFileInfo(e->fileName()).absolutePath();
    return lastFolder_.isEmpty() ? startDir_ : lastFolder_;
}

void MainWindow::openFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Ouvrir"), QDir(dialogFolder()).filePath(QStringLiteral("*.c")),
        QStringLiteral("Fichiers c (*.c);;Tous les fichiers (*)"));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    openProgram(path);
}

void MainWindow::closeFile() {
    if (QMdiSubWindow* sub = mdiArea_->activeSubWindow()) sub->close();
}

void MainWindow::saveFile() {
    if (EditorWindow* e = activeEditor()) e->save();
}

void MainWindow::saveFileAs() {
    if (EditorWindow* e = activeEditor()) e->saveAs();
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

// ---- Edit ----

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

// ---- Utilities and help ----

void MainWindow::showCalendar() {
    if (shared_.calendar) shared_.calendar->exec();
}

void MainWindow::showCalculator() {
    if (shared_.calculator) shared_.calculator->exec();
}

void MainWindow::showClock() {
    if (shared_.clock) shared_.clock->exec();
}

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
