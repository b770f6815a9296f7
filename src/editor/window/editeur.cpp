#include "editeur.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QVBoxLayout>

#include "text.h"

#include "finddialogs.h"
#include "skeletons.h"
#include "tbouclefor.h"
#include "tbouclewhile.h"
#include "tconditionif.h"
#include "tfileio.h"
#include "tmotscle.h"
#include "listesel.h"
#include "runtarget.h"

using namespace vokc::editor;

namespace {
QString Q(const Text& t) { return QString::fromStdU16String(t); }
Text T(const QString& s) { return s.toStdU16String(); }
} // namespace

TEditeur::TEditeur(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(502, 266);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(17);
    setFont(font);
    Memo1 = new vokc::TColorMemo(this);
    Memo1->setObjectName("Memo1");
    Memo1->setFont(font);
    vokc::AddEditorColorRules(Memo1->ColorRules());
    // Unlike the memo's default, a long program can be scrolled with the mouse too.
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo1->document()->setDocumentMargin(3);
    Memo1->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
    SetTextLines(DefaultProgram());
    Memo1->document()->setModified(false);

    FindDialog1 = new TFindDialog(this, false);
    ReplaceDialog1 = new TFindDialog(this, true);
    connect(FindDialog1, &TFindDialog::Find, this, &TEditeur::Find);
    connect(ReplaceDialog1, &TFindDialog::Find, this, [this] {
        if (!SearchMemo(ReplaceDialog1->FindText(), ReplaceDialog1->Options()))
            ShowMessage(this, QStringLiteral("Cha\u00EEne rechech\u00E9e \"%1\" non trouv\u00E9e")
                                  .arg(ReplaceDialog1->FindText()));
    });
    connect(ReplaceDialog1, &TFindDialog::Replace, this, &TEditeur::Replace);

    AskSaveName = [](QWidget* w) {
        return QFileDialog::getSaveFileName(w, QStringLiteral("Enregistrer sous"), QStringLiteral("*.c"),
                                            QStringLiteral("Fichier c (*.c);;Tous les fichiers (*)"));
    };
    AskImportName = [](QWidget* w) {
        return QFileDialog::getOpenFileName(
            w, QStringLiteral("Ins\u00E9rer fichier"), QStringLiteral("*.txt"),
            QStringLiteral("Fichiers c (*.c);;Fichiers texte (*.txt);;Tous les fichiers (*)"),
            nullptr);
    };
    ShowMessage = [](QWidget* w, const QString& text) { QMessageBox::information(w, QStringLiteral("Vok C"), text); };
    AskSaveChanges = [](QWidget* w, const QString& text) {
        return static_cast<int>(QMessageBox::question(
            w, QStringLiteral("Confirmation"), text,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes));
    };
}

// ---- Text, caret and selection ----

Lines TEditeur::TextLines() const {
    Lines lines;
    const QTextDocument* doc = Memo1->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) lines.push_back(T(b.text()));
    return lines;
}

void TEditeur::SetTextLines(const Lines& lines) {
    QStringList list;
    for (const Text& l : lines) list << Q(l);
    Memo1->setPlainText(list.join(QChar('\n')));
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
        remaining -= len + 2;
        if (remaining < 0) return b.next().position(); // inside a CR LF pair
    }
    return 0;
}
} // namespace

long TEditeur::CaretOffset() const { return ToOffset(Memo1->document(), Memo1->textCursor().position()); }

void TEditeur::SetCaretOffset(long offset) {
    QTextCursor c = Memo1->textCursor();
    c.setPosition(FromOffset(Memo1->document(), offset));
    Memo1->setTextCursor(c);
}

long TEditeur::SelStart() const {
    return ToOffset(Memo1->document(), Memo1->textCursor().selectionStart());
}

long TEditeur::SelLength() const {
    const QTextCursor c = Memo1->textCursor();
    return ToOffset(Memo1->document(), c.selectionEnd()) - ToOffset(Memo1->document(), c.selectionStart());
}

void TEditeur::SetSelection(long start, long length) {
    QTextCursor c = Memo1->textCursor();
    c.setPosition(FromOffset(Memo1->document(), start));
    c.setPosition(FromOffset(Memo1->document(), start + length), QTextCursor::KeepAnchor);
    Memo1->setTextCursor(c);
}

void TEditeur::ReplaceSelection(const Text& text) {
    QString s = Q(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Memo1->textCursor().insertText(s);
    Memo1->ensureCursorVisible();
}

// ---- Files ----

void TEditeur::ReportFileError(const QString& what, const QString& file, const QString& reason) {
    ShowMessage(this, QStringLiteral("%1 \u00AB %2 \u00BB : %3").arg(what, file, reason));
}

bool TEditeur::OpenFile(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportFileError(QStringLiteral("Impossible de lire le fichier"), name, file.errorString());
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ReportFileError(QStringLiteral("Impossible de lire le fichier"), name, file.errorString());
        return false;
    }
    FileName = QFileInfo(name).absoluteFilePath();
    SetTextLines(DecodeProgramFile(bytes.toStdString(), Format));
    SetCaretOffset(0);
    Memo1->document()->setModified(false);
    return true;
}

bool TEditeur::WriteFile(const QString& path) {
    std::string bytes;
    if (!EncodeProgramFile(TextLines(), Format, bytes)) {
        // A character that Windows-1252 cannot hold: the file is written in UTF-8 rather
        // than losing it.
        Format.encoding = Encoding::Utf8;
        EncodeProgramFile(TextLines(), Format, bytes);
        ShowMessage(this, QStringLiteral("Le texte contient des caract\u00E8res que l'ancien codage ne "
                                         "peut pas \u00E9crire : le fichier est enregistr\u00E9 en UTF-8."));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        ReportFileError(QStringLiteral("Impossible d'enregistrer le fichier"), path, file.errorString());
        return false;
    }
    return true;
}

bool TEditeur::Enregistrer() {
    if (FileName.isEmpty()) return SaveAs();
    Raz();
    if (!WriteFile(FileName)) return false;
    Memo1->document()->setModified(false);
    return true;
}

bool TEditeur::SaveAs() {
    QString chosen = AskSaveName(this);
    if (chosen.isEmpty()) return false;
    FileName = QString::fromStdString(SaveAsName(chosen.toStdString()));
    setWindowTitle(QStringLiteral("VokC - ") + QFileInfo(FileName).fileName());
    return Enregistrer();
}

void TEditeur::Importer() {
    QString name = AskImportName(this);
    if (name.isEmpty()) return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportFileError(QStringLiteral("Impossible de lire le fichier"), name, file.errorString());
        return;
    }
    FileFormat format;
    Lines lines = DecodeProgramFile(file.readAll().toStdString(), format);
    Text inserted;
    for (const Text& line : lines) inserted += line + u"\r\n";
    ReplaceSelection(inserted);
}

void TEditeur::Imprimer() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintTo(printer);
}

bool TEditeur::PrintTo(QPrinter& printer) {
    Raz();
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessage(this, QStringLiteral("Impression impossible : l'imprimante n'a pas pu \u00EAtre ouverte."));
        return false;
    }
    QFont font = Memo1->font();
    painter.setFont(QFont(font, painter.device()));
    const QRect page = painter.viewport();
    const QFontMetrics metrics = painter.fontMetrics();
    int y = 0;
    auto room = [&] {
        if (y + metrics.height() > page.height() && y > 0) {
            printer.newPage();
            y = 0;
        }
    };
    for (const Text& line : TextLines()) {
        // A line wider than the page goes on over the next printed lines.
        QTextLayout layout(Q(line), painter.font(), painter.device());
        layout.beginLayout();
        for (QTextLine tl = layout.createLine(); tl.isValid(); tl = layout.createLine())
            tl.setLineWidth(page.width());
        layout.endLayout();
        if (layout.lineCount() == 0) {
            room();
            y += metrics.lineSpacing();
            continue;
        }
        for (int i = 0; i < layout.lineCount(); ++i) {
            room();
            QTextLine tl = layout.lineAt(i);
            tl.draw(&painter, QPointF(0, y - tl.y()));
            y += metrics.lineSpacing();
        }
    }
    return painter.end();
}

// ---- Clipboard and selection ----

void TEditeur::Couper() { Memo1->cut(); }
void TEditeur::Copier() { Memo1->copy(); }
void TEditeur::Coller() { Memo1->paste(); }
void TEditeur::ToutSelectionner() { Memo1->selectAll(); }

// ---- Search and replace ----

bool TEditeur::SearchMemo(const QString& text, const SearchOptions& options) {
    if (text.isEmpty()) return false;
    Text buffer = JoinLines(TextLines());
    if (buffer.empty()) return false;
    auto found = SearchBuf(buffer, static_cast<std::size_t>(SelStart()),
                           static_cast<std::size_t>(SelLength()), T(text), options);
    if (!found) return false;
    SetSelection(static_cast<long>(*found), text.size());
    return true;
}

void TEditeur::Chercher() {
    FindDialog1->show();
    FindDialog1->raise();
    FindDialog1->activateWindow();
}

void TEditeur::Continuer() { Find(); }

void TEditeur::Remplacer() {
    ReplaceDialog1->show();
    ReplaceDialog1->raise();
    ReplaceDialog1->activateWindow();
}

void TEditeur::Find() {
    if (!SearchMemo(FindDialog1->FindText(), FindDialog1->Options()))
        ShowMessage(this, QStringLiteral("Cha\u00EEne rechech\u00E9e \"%1\" non trouv\u00E9e").arg(FindDialog1->FindText()));
}

void TEditeur::Replace() {
    const QString findText = ReplaceDialog1->FindText();
    const QString replaceText = ReplaceDialog1->ReplaceText();
    const SearchOptions options = ReplaceDialog1->Options();
    const QString selected = Memo1->textCursor().selectedText();
    if (!findText.isEmpty() && selected.compare(findText, Qt::CaseInsensitive) == 0)
        ReplaceSelection(T(replaceText));
    bool found = SearchMemo(findText, options);
    while (found && ReplaceDialog1->ReplaceAll()) {
        ReplaceSelection(T(replaceText));
        found = SearchMemo(findText, options);
    }
    if (!found && ReplaceDialog1->SingleReplace())
        ShowMessage(this, QStringLiteral("Cha\u00EEne recherch\u00E9e \"%1\"non trouv\u00E9e").arg(findText));
}

// ---- Keys, procedures, markers ----

bool TEditeur::FormKeyPress(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    if (event->modifiers() & ~Qt::KeypadModifier) return false;
    auto indent = AutoIndent(TextLines(), CaretOffset());
    if (!indent) return false;
    ReplaceSelection(u"\r\n" + *indent);
    return true;
}

void TEditeur::ListeSubs() {
    if (!ListeSel) return;
    Lines lines = TextLines();
    ListeSel->Init(lines);
    ListeSel->exec();
    QString item = ListeSel->Selected();
    if (item.isEmpty()) return;
    if (auto line = LineContaining(lines, T(item)))
        SetCaretOffset(static_cast<long>(LineStart(lines, *line)));
}

void TEditeur::Raz() {
    QTextDocument* doc = Memo1->document();
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (!b.text().isEmpty() && b.text().at(0) == QChar(kStepMarker)) {
            QTextCursor c(b);
            c.deleteChar();
        }
    }
    edit.endEditBlock();
}

bool TEditeur::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo1 && event->type() == QEvent::KeyPress)
        return FormKeyPress(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

// ---- Running ----

int TEditeur::StartLine = 0;
int TEditeur::StepMode = 0;

void TEditeur::InsertMarker(int line, char16_t marker) {
    QTextBlock block = Memo1->document()->findBlockByNumber(line);
    if (!block.isValid()) return; // a line past the end has no marker
    QTextCursor c(block);
    c.insertText(QString(QChar(marker)));
}

bool TEditeur::RemoveMarker(int line, char16_t marker) {
    QTextBlock block = Memo1->document()->findBlockByNumber(line);
    if (!block.isValid() || block.text().isEmpty() || block.text().at(0) != QChar(marker)) return false;
    QTextCursor c(block);
    c.deleteChar();
    return true;
}

void TEditeur::CaretToLine(int line) {
    SetCaretOffset(static_cast<long>(LineStart(TextLines(), static_cast<std::size_t>(std::max(line, 0)))));
    Memo1->ensureCursorVisible();
}

void TEditeur::ShowStopLine(int line) {
    stopLine_ = line;
    QList<QTextEdit::ExtraSelection> marks;
    QTextBlock block = Memo1->document()->findBlockByNumber(line);
    if (line >= 0 && block.isValid()) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.format.setBackground(QColor(255, 236, 150));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks << mark;
    }
    Memo1->setExtraSelections(marks);
}

void TEditeur::RunFrom(bool fresh) {
    if (!Interpreter || Interpreter->Running()) return;
    ShowStopLine(-1);
    int stopState = 0;
    vokc::MemoProgramText text(*Memo1);
    // The text must not change under a running program.
    const bool wasReadOnly = Memo1->isReadOnly();
    Memo1->setReadOnly(true);
    Interpreter->Exec(text, StartLine, stopState, StepMode);
    Memo1->setReadOnly(wasReadOnly);
    if (StepMode == 1 && (fresh || stopState != 998)) InsertMarker(StartLine, kStepMarker);
    if (stopState > 0 && (fresh || stopState < 998)) {
        CaretToLine(StartLine);
        ShowStopLine(StartLine);
    }
    if (closePending_) {
        closePending_ = false;
        if (parentWidget()) parentWidget()->close();
        else close();
    }
}

void TEditeur::Executer() {
    if (!Interpreter || Interpreter->Running()) return;
    std::string name = ToCp1252(T(FileName.isEmpty() ? QString() : QFileInfo(FileName).fileName()));
    Interpreter->InitPrg(name);
    Raz();
    StartLine = 0;
    RunFrom(true);
}

void TEditeur::Continuer2() {
    if (!Interpreter || Interpreter->Running()) return;
    RemoveMarker(StartLine, kStepMarker);
    RunFrom(false);
}

void TEditeur::Arret() {
    const long c = CaretOffset();
    const Lines lines = TextLines();
    long total = 0;
    int walked = 0;
    for (const Text& line : lines) {
        total += static_cast<long>(line.size()) + 2;
        ++walked;
        if (total >= c - 1) break;
    }
    walked = std::max(walked, 1);
    // The target is line `walked` (0-based), as the run commands count.
    if (!RemoveMarker(walked, kBreakMarker)) InsertMarker(walked, kBreakMarker);
    StartLine = walked - 1;
    SetCaretOffset(c);
}

void TEditeur::Pasapas(bool on) { StepMode = on ? 1 : 0; }

// ---- Generators ----

namespace {
// What a generator command does to the text: replace the selection, then place the caret.
void Apply(TEditeur& editor, const vokc::Insertion& insertion) {
    if (insertion.edit) editor.ReplaceSelection(insertion.text);
    if (insertion.caret) editor.SetCaretOffset(*insertion.caret);
    editor.Memo1->setFocus();
}
} // namespace

void TEditeur::Forg() {
    if (!Generators.boucleFor) return;
    Generators.boucleFor->exec();
    QString text;
    bool ok = false;
    Generators.boucleFor->Result(text, ok);
    Apply(*this, vokc::ForgInsertion(T(text), ok, SelStart()));
}

void TEditeur::whileg() {
    if (!Generators.boucleWhile) return;
    Generators.boucleWhile->setWindowTitle(QStringLiteral("Boucle While"));
    Generators.boucleWhile->exec();
    QString text;
    bool ok = false;
    Generators.boucleWhile->Result1(text, ok);
    Apply(*this, vokc::WhilegInsertion(T(text), ok, SelStart()));
}

void TEditeur::Dog() {
    if (!Generators.boucleWhile) return;
    Generators.boucleWhile->setWindowTitle(QStringLiteral("Boucle Do"));
    Generators.boucleWhile->exec();
    QString text;
    bool ok = false;
    Generators.boucleWhile->Result2(text, ok);
    Apply(*this, vokc::DogInsertion(T(text), ok, SelStart()));
}

void TEditeur::Ifg() {
    if (!Generators.conditionIf) return;
    Generators.conditionIf->exec();
    QString text;
    bool ok = false;
    Generators.conditionIf->Result(text, ok);
    Apply(*this, vokc::IfgInsertion(T(text), ok, SelStart()));
}

void TEditeur::Liref() {
    if (!Generators.fileIO) return;
    Generators.fileIO->SetMode(vokc::kFileRead);
    Generators.fileIO->exec();
    QString text;
    bool ok = false;
    Generators.fileIO->Result(text, ok);
    Apply(*this, vokc::FileInsertion(T(text), ok, SelStart()));
}

void TEditeur::Ecriref() {
    if (!Generators.fileIO) return;
    Generators.fileIO->SetMode(vokc::kFileWrite);
    Generators.fileIO->exec();
    QString text;
    bool ok = false;
    Generators.fileIO->Result(text, ok);
    Apply(*this, vokc::FileInsertion(T(text), ok, SelStart()));
}

void TEditeur::Instructions() {
    if (!Generators.motsCle) return;
    Generators.motsCle->exec();
    Apply(*this, vokc::InstructionsInsertion(T(Generators.motsCle->SelectedKeyword())));
}

// ---- Window events ----

bool TEditeur::FormCloseQuery() {
    if (!Memo1->document()->isModified()) return true;
    QString name = FileName.isEmpty() ? QString() : QFileInfo(FileName).fileName();
    int answer = AskSaveChanges(this, QStringLiteral("Enregistrer changements dans '%1'?").arg(name));
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::Yes) return Enregistrer(); // a cancelled or failed save keeps the window
    return true;
}

void TEditeur::closeEvent(QCloseEvent* event) {
    if (Interpreter && Interpreter->Running()) {
        // The program reads this window's text: it stops first, then the window closes.
        closePending_ = true;
        Interpreter->RequestStop();
        event->ignore();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    if (Interpreter) Interpreter->CloseAll();
    event->accept();
}

void TEditeur::FormActivate() { StepMode = 0; } // the main window's check mark stays

void TEditeur::FormDeactivate() {
    if (Interpreter && !Interpreter->Running()) Interpreter->CloseAll();
}
