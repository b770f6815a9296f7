#include "session_settings.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTextDocument>

#include "command_table.h"
#include "console_window.h"
#include "desk_logic.h"
#include "editor_window.h"
#include "help_viewer.h"
#include "main_window.h"
#include "recovery_store.h"

namespace vokc {

namespace {
const QString kLineNumbersKey = QStringLiteral("affichage/numeros");
const QString kZoomKey = QStringLiteral("affichage/zoom");
const QString kReopenKey = QStringLiteral("fichiers/rouvrir");
const QString kRecentKey = QStringLiteral("fichiers/recents");
const QString kOpenKey = QStringLiteral("fichiers/ouverts");

bool AskRestore(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QStringLiteral("R\u00E9cup\u00E9ration"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}
} // namespace

SessionSettings::SessionSettings(MainWindow& window, HelpViewer* help)
    : QObject(&window), window_(window), help_(help), askRestore_(AskRestore) {
    connect(help_, &HelpViewer::zoomRequested, this,
            [this](int change) { setZoom(change == 0 ? 0 : zoom_ + change); });
}

void SessionSettings::attachMenus(QMenu* fileMenu, QAction* before) {
    fileMenu_ = fileMenu;
    recentBefore_ = before;
    window_.action(Command::LineNumbers)->setChecked(lineNumbers_);
    connect(fileMenu_, &QMenu::aboutToShow, this, &SessionSettings::fillRecentFiles);
}

void SessionSettings::saveSetting(const QString& key, const QVariant& value) const {
    if (!started_) return;
    QSettings settings;
    settings.setValue(key, value);
}

void SessionSettings::startSession() {
    if (started_) return;
    QSettings settings;
    lineNumbers_ = settings.value(kLineNumbersKey, true).toBool();
    window_.action(Command::LineNumbers)->setChecked(lineNumbers_);
    window_.action(Command::ReopenOption)->setChecked(settings.value(kReopenKey, false).toBool());
    recent_.clear();
    for (const QString& path : settings.value(kRecentKey).toStringList())
        if (recent_.size() < kRecentLimit) recent_.push_back(path.toStdString());
    setZoom(settings.value(kZoomKey, 0).toInt());
    recovery_ = new RecoveryStore(this);
    for (EditorWindow* e : window_.editors())
        recovery_->track(e);
    started_ = true;
}

// ---- The view of the editors: line numbers and zoom ----

void SessionSettings::applyView(EditorWindow* editor) const {
    editor->memo()->setLineNumbersShown(lineNumbers_);
    editor->setFontPixelSize(ZoomedSize(17, zoom_));
}

void SessionSettings::follow(EditorWindow* editor) const {
    applyView(editor);
    if (recovery_) recovery_->track(editor);
}

void SessionSettings::toggleLineNumbers() {
    lineNumbers_ = window_.action(Command::LineNumbers)->isChecked();
    for (EditorWindow* e : window_.editors())
        applyView(e);
    saveSetting(kLineNumbersKey, lineNumbers_);
}

void SessionSettings::setZoom(int step) {
    zoom_ = ClampZoom(step);
    for (EditorWindow* e : window_.editors())
        applyView(e);
    help_->setZoom(zoom_);
    if (console_) console_->setZoom(zoom_);
    saveSetting(kZoomKey, zoom_);
}

void SessionSettings::zoomIn() {
    setZoom(zoom_ + 1);
}

void SessionSettings::zoomOut() {
    setZoom(zoom_ - 1);
}

void SessionSettings::zoomReset() {
    setZoom(0);
}

// ---- Files: the recent ones and those reopened at start-up ----

QStringList SessionSettings::recentFiles() const {
    QStringList list;
    for (const std::string& path : recent_)
        list << QString::fromStdString(path);
    return list;
}

void SessionSettings::addRecent(const QString& path) {
    recent_ = AddRecent(std::move(recent_), path.toStdString());
    saveSetting(kRecentKey, recentFiles());
}

void SessionSettings::fillRecentFiles() {
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
        connect(a, &QAction::triggered, this, [this, path] { window_.openProgram(path); });
        fileMenu_->insertAction(recentBefore_, a);
        recentActions_.push_back(a);
    }
    recentActions_.push_back(fileMenu_->insertSeparator(recentBefore_));
}

bool SessionSettings::reopenChosen() const {
    return window_.action(Command::ReopenOption)->isChecked();
}

void SessionSettings::toggleReopenOption() {
    saveSetting(kReopenKey, reopenChosen());
}

void SessionSettings::saveOpenFiles(const std::vector<EditorWindow*>& editors) {
    if (!started_) return;
    QStringList open;
    for (EditorWindow* editor : editors)
        if (!editor->fileName().isEmpty()) open << editor->fileName();
    saveSetting(kOpenKey, open);
}

void SessionSettings::reopenLastFiles() {
    if (!started_ || !reopenChosen()) return;
    const QStringList open = QSettings().value(kOpenKey).toStringList();
    for (const QString& path : open)
        if (QFileInfo::exists(path)) window_.openProgram(path);
}

// ---- Recovery ----

void SessionSettings::offerRecovery() {
    if (!recovery_) return;
    for (const RecoveryStore::LeftBehind& left : recovery_->leftBehind()) {
        const QString path = QString::fromStdString(left.text.path);
        const QString caption = QString::fromStdString(left.text.caption);
        const QString name = path.isEmpty() ? caption : QFileInfo(path).fileName();
        const QString question =
            QStringLiteral("Vok C s'est arr\u00EAt\u00E9 sans que \u00AB\u00A0%1\u00A0\u00BB soit "
                           "enregistr\u00E9.\nR\u00E9cup\u00E9rer le texte non "
                           "enregistr\u00E9 ?")
                .arg(name);
        // The text is safe in this session's file before the old one goes.
        if (askRestore_(&window_, question) &&
            !restore(caption, path, QString::fromStdString(left.text.text)))
            continue;
        RecoveryStore::discard(left.file);
    }
}

bool SessionSettings::restore(const QString& caption, const QString& path, const QString& text) {
    EditorWindow* editor = window_.createEditorWindow(caption);
    editor->setFileName(path);
    // The recovered text is meant to replace the file as it is now.
    editor->rememberDiskFile();
    editor::Lines lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(line.toStdU16String());
    editor->setTextLines(lines);
    editor->setCaretOffset(0);
    editor->memo()->document()->setModified(true);
    return recovery_->write(editor);
}

} // namespace vokc
