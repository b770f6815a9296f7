#include "editor_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <cerrno>
#include <utility>
#include <vector>

#include "find_dialog.h"
#include "page_printer.h"
#include "procedure_list.h"
#include "text.h"

namespace vokc {

using namespace editor;

namespace {
QString Q(const Text& t) {
    return QString::fromStdU16String(t);
}
Text T(const QString& s) {
    return s.toStdU16String();
}

} // namespace

EditorWindow::EditorWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(502, 266);
    const QFont font = ColourMemo::editorFont();
    setFont(font);
    memo_ = new ColourMemo(this);
    memo_->setObjectName("memo");
    memo_->setFont(font);
    AddEditorColourRules(memo_->colourRules());
    // Unlike the memo's default, a long program can be scrolled with the mouse too.
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    memo_->document()->setDocumentMargin(3);
    memo_->installEventFilter(this);
    // The window keeps its own history, which leaves the markers out.
    memo_->setUndoRedoEnabled(false);
    connect(memo_->document(), &QTextDocument::contentsChange, this, &EditorWindow::recordChange);
    connect(memo_->document(), &QTextDocument::contentsChange, this, &EditorWindow::trackLines);
    connect(memo_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (recording_) shown_.caret = memo_->textCursor().position();
    });
    programText_ = std::make_unique<MemoProgramText>(*memo_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo_);
    setTextLines(DefaultProgram());
    memo_->document()->setModified(false);

    findDialog_ = new FindDialog(this);
    replaceDialog_ = new ReplaceDialog(this);
    connect(findDialog_, &FindDialog::findRequested, this, &EditorWindow::findNext);
    connect(replaceDialog_, &FindDialog::findRequested, this, [this] {
        if (searchMemo(replaceDialog_->findText(), replaceDialog_->options())) return;
        reportNotFound(replaceDialog_->findText());
        returnToDialog(replaceDialog_);
    });
    connect(replaceDialog_, &FindDialog::replaceRequested, this, &EditorWindow::replace);

    askSaveName_ = [this](QWidget* w) {
        // The window asks itself before replacing a file, once the ".c" rule has named it.
        return QFileDialog::getSaveFileName(
            w, QStringLiteral("Enregistrer sous"), QDir(dialogFolder()).filePath("*.c"),
            QStringLiteral("Fichier c (*.c);;Tous les fichiers (*)"), nullptr,
            QFileDialog::DontConfirmOverwrite);
    };
    askImportName_ = [this](QWidget* w) {
        return QFileDialog::getOpenFileName(
            w, QStringLiteral("Ins\u00E9rer fichier"), QDir(dialogFolder()).filePath("*.txt"),
            QStringLiteral("Fichiers c (*.c);;Fichiers texte (*.txt);;Tous les fichiers (*)"),
            nullptr);
    };
    showMessage_ = [](QWidget* w, const QString& text) {
        QMessageBox::information(w, QStringLiteral("Vok C"), text);
    };
    showError_ = [](QWidget* w, const QString& text) {
        QMessageBox::critical(w, QStringLiteral("Vok C"), text);
    };
    askSaveChanges_ = [](QWidget* w, const QString& text) {
        return static_cast<int>(QMessageBox::question(
            w, QStringLiteral("Confirmation"), text,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes));
    };
    askOverwrite_ = [](QWidget* w, const QString& text) {
        return QMessageBox::question(w, QStringLiteral("Confirmation"), text,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    askDiskChange_ = [](QWidget* w, const QString& text) {
        return QMessageBox::warning(w, QStringLiteral("Confirmation"), text,
                                    QMessageBox::Yes | QMessageBox::Cancel,
                                    QMessageBox::Cancel) == QMessageBox::Yes;
    };
}

EditorWindow::~EditorWindow() = default;

// ---- Text, caret and selection ----

Lines EditorWindow::textLines() const {
    Lines lines;
    const QTextDocument* doc = memo_->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        lines.push_back(T(b.text()));
    return lines;
}

void EditorWindow::setTextLines(const Lines& lines) {
    QStringList list;
    for (const Text& l : lines)
        list << Q(l);
    // A new text starts a new history.
    withoutHistory([&] { memo_->setPlainText(list.join(QChar('\n'))); });
    history_.clear();
    trackedRevision_ = -1;
    trackLines(0, 0, 0);
    lineOrigins_ = trackedLines_;
}

// ---- Undo ----

template <typename Edit> void EditorWindow::withoutHistory(Edit edit) {
    const bool was = recording_;
    recording_ = false;
    edit();
    recording_ = was;
    seenRevision_ = memo_->document()->revision();
    shown_ = currentState();
    typedEnd_ = -1;
}

template <typename Edit> void EditorWindow::asOneStep(Edit edit) {
    EditHistory::State before = currentState();
    const int revision = memo_->document()->revision();
    withoutHistory(edit);
    if (memo_->document()->revision() == revision || currentState().text == before.text) return;
    std::erase(before.text, kStepMarker);
    history_.record(std::move(before), false);
}

EditHistory::State EditorWindow::currentState() const {
    return {T(memo_->document()->toRawText()), memo_->textCursor().position()};
}

void EditorWindow::recordChange(int position, int removed, int added) {
    // The colouring passes report their format changes too: they leave the revision.
    const int revision = memo_->document()->revision();
    if (!recording_ || revision == seenRevision_) return;
    seenRevision_ = revision;
    EditHistory::State now = currentState();
    if (now.text == shown_.text) return;
    // Characters typed one after the other make one step.
    const bool typing = removed == 0 && added == 1 && now.text.size() == shown_.text.size() + 1;
    const bool continues = typing && position == typedEnd_;
    EditHistory::State before = std::move(shown_);
    std::erase(before.text, kStepMarkerUtf16);
    history_.record(std::move(before), continues);
    typedEnd_ = typing ? position + 1 : -1;
    shown_ = std::move(now);
}

void EditorWindow::showState(const EditHistory::State& state) {
    withoutHistory([&] {
        QTextCursor all(memo_->document());
        all.select(QTextCursor::Document);
        all.insertText(Q(state.text));
        QTextCursor caret = memo_->textCursor();
        caret.setPosition(
            std::clamp(static_cast<int>(state.caret), 0, memo_->document()->characterCount() - 1));
        memo_->setTextCursor(caret);
    });
    memo_->ensureCursorVisible();
    memo_->document()->setModified(true);
}

void EditorWindow::undo() {
    if (memo_->isReadOnly()) return;
    EditHistory::State now = currentState();
    std::erase(now.text, kStepMarkerUtf16);
    if (auto state = history_.undo(std::move(now))) showState(*state);
}

void EditorWindow::redo() {
    if (memo_->isReadOnly()) return;
    EditHistory::State now = currentState();
    std::erase(now.text, kStepMarkerUtf16);
    if (auto state = history_.redo(std::move(now))) showState(*state);
}

int EditorWindow::stepMarkerLine() const {
    const QTextDocument* doc = memo_->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (b.text().startsWith(QChar(kStepMarkerUtf16))) return b.blockNumber();
    return -1;
}

void EditorWindow::trackLines(int, int removed, int added) {
    // The colouring passes report their format changes too: they leave the revision and
    // the length. (A new whole text may leave the revision too, not the length.)
    const int revision = memo_->document()->revision();
    if (revision == trackedRevision_ && removed == added) return;
    trackedRevision_ = revision;
    Lines now = textLines();
    const LineEdit edit = LinesEdited(trackedLines_, now, &lineOrigins_);
    trackedLines_ = std::move(now);
    if (!edit.changed) return;
    if (edit.move.Moves() && stopLine_ >= 0) {
        stopLine_ = edit.move.Map(stopLine_);
        highlightStopLine();
    }
    emit linesEdited(edit.move.first, edit.move.removed, edit.move.inserted);
}

void EditorWindow::setFontPixelSize(int pixels) {
    QFont f = memo_->font();
    f.setPixelSize(pixels);
    setFont(f);
    memo_->setFont(f);
}

namespace {
// Offsets count two characters per line break; the document counts one.
long ToOffset(const QTextDocument* doc, int position) {
    QTextBlock block = doc->findBlock(position);
    return position + (block.isValid() ? block.blockNumber() : 0);
}
int FromOffset(const QTextDocument* doc, long offset) {
    long remaining = offset;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        long len = b.length() - 1; // without the block break
        if (remaining <= len || !b.next().isValid())
            return b.position() + static_cast<int>(std::clamp(remaining, 0L, len));
        // An offset between the CR and the LF of a line break is the end of its line.
        if (remaining == len + 1) return b.position() + static_cast<int>(len);
        remaining -= len + 2;
    }
    return 0;
}
} // namespace

long EditorWindow::caretOffset() const {
    return ToOffset(memo_->document(), memo_->textCursor().position());
}

void EditorWindow::setCaretOffset(long offset) {
    QTextCursor c = memo_->textCursor();
    c.setPosition(FromOffset(memo_->document(), offset));
    memo_->setTextCursor(c);
}

long EditorWindow::selectionStart() const {
    return ToOffset(memo_->document(), memo_->textCursor().selectionStart());
}

long EditorWindow::selectionLength() const {
    const QTextCursor c = memo_->textCursor();
    return ToOffset(memo_->document(), c.selectionEnd()) -
           ToOffset(memo_->document(), c.selectionStart());
}

void EditorWindow::setSelection(long start, long length) {
    QTextCursor c = memo_->textCursor();
    c.setPosition(FromOffset(memo_->document(), start));
    c.setPosition(FromOffset(memo_->document(), start + length), QTextCursor::KeepAnchor);
    memo_->setTextCursor(c);
}

void EditorWindow::replaceSelection(const Text& text) {
    QString s = Q(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    memo_->textCursor().insertText(s);
    memo_->ensureCursorVisible();
}

void EditorWindow::insertSnippet(const QString& text, bool replace, std::optional<long> caret) {
    if (replace) replaceSelection(T(text));
    if (caret) setCaretOffset(*caret);
    memo_->setFocus();
}

// ---- Clipboard and selection ----

void EditorWindow::cut() {
    memo_->cut();
}
void EditorWindow::copy() {
    memo_->copy();
}
void EditorWindow::paste() {
    memo_->paste();
}
void EditorWindow::selectAll() {
    memo_->selectAll();
}

// ---- Search and replace ----

bool EditorWindow::searchMemo(const QString& text, const SearchOptions& options) {
    if (text.isEmpty()) return false;
    Text buffer = JoinLines(textLines());
    if (buffer.empty()) return false;
    auto found = SearchBuf(buffer, static_cast<std::size_t>(selectionStart()),
                           static_cast<std::size_t>(selectionLength()), T(text), options);
    if (!found) return false;
    setSelection(static_cast<long>(*found), text.size());
    return true;
}

void EditorWindow::reportNotFound(const QString& text) {
    showMessage_(this,
                 QStringLiteral("Cha\u00EEne rechech\u00E9e \"%1\" non trouv\u00E9e").arg(text));
}

void EditorWindow::showFindDialog() {
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

void EditorWindow::showReplaceDialog() {
    replaceDialog_->show();
    replaceDialog_->raise();
    replaceDialog_->activateWindow();
}

void EditorWindow::findNext() {
    if (searchMemo(findDialog_->findText(), findDialog_->options())) return;
    reportNotFound(findDialog_->findText());
    returnToDialog(findDialog_);
}

void EditorWindow::returnToDialog(QDialog* dialog) {
    // After the message, keys typed go on into the dialog that searched, not into the
    // selection of the text.
    if (!dialog->isVisible()) return;
    dialog->raise();
    dialog->activateWindow();
}

void EditorWindow::replace() {
    const QString findText = replaceDialog_->findText();
    const QString replaceText = replaceDialog_->replaceText();
    const SearchOptions options = replaceDialog_->options();
    bool found = false;
    // Upwards, the next search starts before the replaced text: a replacement that holds
    // the text searched is never found again.
    auto replaceSelected = [&] {
        const int start = memo_->textCursor().selectionStart();
        replaceSelection(T(replaceText));
        if (options.down) return;
        QTextCursor caret = memo_->textCursor();
        caret.setPosition(start);
        memo_->setTextCursor(caret);
    };
    auto replaceFound = [&] {
        const QString selected = memo_->textCursor().selectedText();
        if (!findText.isEmpty() && selected.compare(findText, Qt::CaseInsensitive) == 0)
            replaceSelected();
        found = searchMemo(findText, options);
        while (found && replaceDialog_->replacesAll()) {
            replaceSelected();
            found = searchMemo(findText, options);
        }
    };
    // "Remplacer tout" is one step of the history, undone by one Ctrl+Z.
    if (replaceDialog_->replacesAll())
        asOneStep(replaceFound);
    else
        replaceFound();
    if (!found && replaceDialog_->replacesOnce()) {
        showMessage_(
            this,
            QStringLiteral("Cha\u00EEne recherch\u00E9e \"%1\"non trouv\u00E9e").arg(findText));
        returnToDialog(replaceDialog_);
    }
}

// ---- Keys, procedures, markers ----

bool EditorWindow::autoIndentOnEnter(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    if (event->modifiers() & ~Qt::KeypadModifier) return false;
    auto indent = AutoIndent(textLines(), caretOffset());
    if (!indent) return false;
    replaceSelection(u"\r\n" + *indent);
    return true;
}

void EditorWindow::showProcedureList() {
    if (!procedureList_) return;
    Lines lines = textLines();
    procedureList_->setProgram(lines);
    procedureList_->exec();
    QString item = procedureList_->selected();
    if (item.isEmpty()) return;
    if (auto line = LineContaining(lines, T(item)))
        setCaretOffset(static_cast<long>(LineStart(lines, *line)));
}

// Removes the step markers wherever editing during a pause moved them (StepMarkerPositions).
// Kept out of the undo history.
void EditorWindow::removeStepMarkers() {
    QTextDocument* doc = memo_->document();
    std::vector<std::pair<QTextBlock, std::vector<std::size_t>>> marked;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const QString text = b.text();
        if (!text.contains(QChar(kStepMarkerUtf16))) continue;
        std::vector<std::size_t> found = StepMarkerPositions(
            TextView(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
        if (!found.empty()) marked.emplace_back(b, std::move(found));
    }
    // Without an undo history, even an empty edit block would mark the text modified.
    if (marked.empty()) return;
    withoutHistory([&] {
        QTextCursor edit(doc);
        edit.beginEditBlock();
        for (auto& [block, found] : marked) {
            // From the end, so that the earlier positions stay put.
            for (auto it = found.rbegin(); it != found.rend(); ++it) {
                QTextCursor c(block);
                c.setPosition(block.position() + static_cast<int>(*it));
                c.deleteChar();
            }
        }
        edit.endEditBlock();
    });
}

QMenu* EditorWindow::createContextMenu() {
    QMenu* menu = memo_->createStandardContextMenu();
    const bool editable = !memo_->isReadOnly();
    for (QAction* a : menu->actions()) {
        const bool isUndo = a->objectName() == QLatin1String("edit-undo");
        if (!isUndo && a->objectName() != QLatin1String("edit-redo")) continue;
        // The memo keeps no history of its own: these entries would do nothing.
        a->disconnect();
        a->setText(isUndo ? QStringLiteral("&Annuler\tCtrl+Z")
                          : QStringLiteral("&R\u00E9tablir\tCtrl+Y"));
        a->setEnabled(editable && (isUndo ? canUndo() : canRedo()));
        connect(a, &QAction::triggered, this, isUndo ? &EditorWindow::undo : &EditorWindow::redo);
    }
    return menu;
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memo_ && event->type() == QEvent::ContextMenu) {
        std::unique_ptr<QMenu> menu(createContextMenu());
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (watched == memo_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Alt with a letter that no menu took is a command key that does nothing, never
        // a character of the program (Alt Gr, which also sets Ctrl on some systems,
        // still types).
        if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier) &&
            !key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
        const QKeyCombination combination = key->keyCombination();
        if (key->matches(QKeySequence::Undo)) {
            undo();
            return true;
        }
        if (key->matches(QKeySequence::Redo) ||
            combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
            redo();
            return true;
        }
        return autoIndentOnEnter(key);
    }
    return QWidget::eventFilter(watched, event);
}

// ---- What a run shows ----

void EditorWindow::insertMarker(int line, char16_t marker) {
    QTextBlock block = memo_->document()->findBlockByNumber(line);
    if (!block.isValid()) return; // a line past the end has no marker
    withoutHistory([&] {
        QTextCursor c(block);
        c.insertText(QString(QChar(marker)));
    });
}

bool EditorWindow::removeMarker(int line, char16_t marker) {
    QTextBlock block = memo_->document()->findBlockByNumber(line);
    if (!block.isValid() || block.text().isEmpty() || block.text().at(0) != QChar(marker))
        return false;
    withoutHistory([&] {
        QTextCursor c(block);
        c.deleteChar();
    });
    return true;
}

void EditorWindow::insertStepMarker(int line) {
    insertMarker(line, kStepMarkerUtf16);
}

void EditorWindow::caretToLine(int line) {
    setCaretOffset(
        static_cast<long>(LineStart(textLines(), static_cast<std::size_t>(std::max(line, 0)))));
    memo_->ensureCursorVisible();
}

void EditorWindow::showStopLine(int line) {
    if (line >= 0) caretToLine(line);
    stopLine_ = line;
    highlightStopLine();
}

void EditorWindow::highlightStopLine() {
    const int line = stopLine_;
    QList<QTextEdit::ExtraSelection> marks;
    QTextBlock block = memo_->document()->findBlockByNumber(line);
    if (line >= 0 && block.isValid()) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.format.setBackground(QColor(255, 236, 150));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks << mark;
    }
    memo_->setExtraSelections(marks);
}

QString EditorWindow::programName() const {
    return fileName_.isEmpty() ? QString() : QFileInfo(fileName_).fileName();
}

void EditorWindow::beginRun() {
    showStopLine(-1);
    readOnlyBeforeRun_ = memo_->isReadOnly();
    memo_->setReadOnly(true);
}

void EditorWindow::endRun() {
    memo_->setReadOnly(readOnlyBeforeRun_);
}

void EditorWindow::toggleBreakpoint() {
    const long c = caretOffset();
    const Lines lines = textLines();
    long total = 0;
    int walked = 0;
    for (const Text& line : lines) {
        total += static_cast<long>(line.size()) + 2;
        ++walked;
        if (total >= c - 1) break;
    }
    walked = std::max(walked, 1);
    // The target is line `walked` (0-based), as the run commands count.
    if (!removeMarker(walked, kBreakMarkerUtf16)) insertMarker(walked, kBreakMarkerUtf16);
    setCaretOffset(c);
    emit breakpointToggled(walked);
}

// ---- Window events ----

QString EditorWindow::shownName() const {
    if (!fileName_.isEmpty()) return programName();
    QString caption = windowTitle();
    const QString prefix = QStringLiteral("VokC - ");
    return caption.startsWith(prefix) ? caption.mid(prefix.size()) : caption;
}

void EditorWindow::bringForward() {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub) return;
    if (sub->isMinimized()) sub->showNormal();
    if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
}

bool EditorWindow::mayClose() {
    if (!memo_->document()->isModified()) return true;
    // With several windows asked in turn, the user sees which one each question is about.
    bringForward();
    int answer = askSaveChanges_(
        this, QStringLiteral("Enregistrer changements dans '%1'?").arg(shownName()));
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::Yes) return save(); // a cancelled or failed save keeps the window
    return true;
}

bool EditorWindow::confirmClose() {
    closeAgreed_ = mayClose();
    return closeAgreed_;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (!closeAgreed_ && !mayClose()) {
        event->ignore();
        return;
    }
    closeAgreed_ = false;
    emit closing();
    event->accept();
}

} // namespace vokc
