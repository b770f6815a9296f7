#include "generator_commands.h"

#include "editor_window.h"
#include "file_skeleton_dialog.h"
#include "for_loop_dialog.h"
#include "if_dialog.h"
#include "keyword_picker.h"
#include "skeletons.h"
#include "while_loop_dialog.h"

namespace vokc {

namespace {

void Apply(EditorWindow& editor, const Insertion& insertion) {
    editor.insertSnippet(QString::fromStdU16String(insertion.text), insertion.edit,
                         insertion.caret);
}

// The path every dialog generator follows: the dialog is made ready and shown, then what
// it built replaces the selection, the caret placed as `insertion` says.
template <class Dialog, class Prepare>
void Generate(EditorWindow* editor, Dialog* dialog, Prepare prepare,
              void (Dialog::*result)(QString&, bool&) const,
              Insertion (*insertion)(SkeletonText, bool, long)) {
    if (!editor || !dialog) return;
    prepare(*dialog);
    dialog->exec();
    QString text;
    bool confirmed = false;
    (dialog->*result)(text, confirmed);
    // "Annuler" and Escape abandon: the selection stays as it was.
    if (!confirmed) {
        editor->memo()->setFocus();
        return;
    }
    Apply(*editor, insertion(text.toStdU16String(), confirmed, editor->selectionStart()));
}

// The while and do generators share a dialog: each gives it its caption.
auto Titled(const QString& caption) {
    return [caption](QWidget& dialog) { dialog.setWindowTitle(caption); };
}

auto AsIs() {
    return [](QWidget&) {};
}

auto InMode(int mode) {
    return [mode](FileSkeletonDialog& dialog) { dialog.setMode(mode); };
}

} // namespace

GeneratorCommands::GeneratorCommands(std::function<EditorWindow*()> editable, QObject* parent)
    : QObject(parent), editable_(std::move(editable)) {}

void GeneratorCommands::insertKeyword() {
    EditorWindow* editor = editable_();
    if (!editor || !dialogs_.keywords) return;
    dialogs_.keywords->exec();
    Apply(*editor, KeywordInsertion(dialogs_.keywords->selectedKeyword().toStdU16String()));
}

void GeneratorCommands::insertForLoop() {
    Generate(editable_(), dialogs_.forLoop, AsIs(), &ForLoopDialog::result, ForInsertion);
}

void GeneratorCommands::insertWhileLoop() {
    Generate(editable_(), dialogs_.whileLoop, Titled(QStringLiteral("Boucle While")),
             &WhileLoopDialog::whileResult, WhileInsertion);
}

void GeneratorCommands::insertDoLoop() {
    Generate(editable_(), dialogs_.whileLoop, Titled(QStringLiteral("Boucle Do")),
             &WhileLoopDialog::doResult, DoInsertion);
}

void GeneratorCommands::insertIf() {
    Generate(editable_(), dialogs_.ifCondition, AsIs(), &IfDialog::result, IfInsertion);
}

void GeneratorCommands::insertFileRead() {
    Generate(editable_(), dialogs_.fileSkeleton, InMode(kFileRead), &FileSkeletonDialog::result,
             FileInsertion);
}

void GeneratorCommands::insertFileWrite() {
    Generate(editable_(), dialogs_.fileSkeleton, InMode(kFileWrite), &FileSkeletonDialog::result,
             FileInsertion);
}

} // namespace vokc
