// The editor window's files: opening, saving whole or not at all, the file changed on
// disk, importing and printing.
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
#include <sys/stat.h>
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

// Why a file could not be read or written, in French: the file system is asked again,
// since Qt's own error texts are English. `error` is the system's error number of the
// failing call, when known.
QString FileErrorReason(const QString& path, bool writing, int error = 0) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists()) {
        // A folder that a parent keeps out of reach is there all the same.
        struct stat info;
        if (::stat(QFile::encodeName(folder.filePath()).constData(), &info) != 0 && errno == EACCES)
            return QStringLiteral(
                       "permission refus\u00E9e sur le dossier \u00AB\u00A0%1\u00A0\u00BB")
                .arg(QDir::toNativeSeparators(folder.filePath()));
        return QStringLiteral("le dossier \u00AB\u00A0%1\u00A0\u00BB n'existe pas")
            .arg(folder.filePath());
    }
    if (file.isDir()) return QStringLiteral("c'est un dossier, pas un fichier");
    if (!writing) {
        if (!file.exists()) return QStringLiteral("le fichier n'existe pas");
        if (!file.isReadable()) return QStringLiteral("lecture non autoris\u00E9e");
        return QStringLiteral("erreur de lecture");
    }
    if (file.exists() && !file.isWritable())
        return QStringLiteral("permission refus\u00E9e sur le fichier");
    if (!file.exists() && !folder.isWritable())
        return QStringLiteral("permission refus\u00E9e sur le dossier \u00AB\u00A0%1\u00A0\u00BB")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    switch (error) {
    case ENOSPC:
        return QStringLiteral("le disque est plein");
    case EDQUOT:
        return QStringLiteral("le quota du disque est d\u00E9pass\u00E9");
    case EROFS:
        return QStringLiteral("le disque est en lecture seule");
    case EACCES:
    case EPERM:
        return QStringLiteral("permission refus\u00E9e");
    case EIO:
        return QStringLiteral("erreur mat\u00E9rielle du disque");
    case ENAMETOOLONG:
        return QStringLiteral("nom de fichier trop long");
    case EFBIG:
        return QStringLiteral("fichier trop grand");
    default:
        break;
    }
    return error != 0
               ? QStringLiteral("erreur d'\u00E9criture n\u00B0 %1 du syst\u00E8me").arg(error)
               : QStringLiteral("erreur d'\u00E9criture");
}

// Whether bytes read as a program look like text: no NUL byte, and at most half of the
// lines with control characters or bytes that neither UTF-8 nor Windows-1252 can read.
bool LooksLikeText(const QByteArray& bytes) {
    if (bytes.contains('\0')) return false;
    int lines = 0;
    int odd = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.isEmpty()) continue;
        ++lines;
        const std::string_view view(line.constData(), static_cast<std::size_t>(line.size()));
        const bool utf8 = IsValidUtf8(view);
        for (const char c : view) {
            const auto b = static_cast<unsigned char>(c);
            const bool control = b < 0x20 && b != '\t' && b != '\r' && b != '\f' && b != '\v';
            const bool unread =
                !utf8 && (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D);
            if (control || b == 0x7F || unread) {
                ++odd;
                break;
            }
        }
    }
    return odd * 2 <= lines;
}

QString NotTextMessage(const QString& name) {
    return QStringLiteral("Le fichier \u00AB\u00A0%1\u00A0\u00BB ne semble pas \u00EAtre un "
                          "fichier texte : son contenu peut s'afficher mal.")
        .arg(QFileInfo(name).fileName());
}

QByteArray Digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// The digest of a file's bytes now; empty when it cannot be read.
QByteArray DiskDigest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? Digest(bytes) : QByteArray();
}
} // namespace

// ---- Files ----

void EditorWindow::reportFileError(const QString& what, const QString& file,
                                   const QString& reason) {
    showError_(this, QStringLiteral("%1 \u00AB\u00A0%2\u00A0\u00BB : %3").arg(what, file, reason));
}

bool EditorWindow::openFile(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        reportFileError(QStringLiteral("Impossible de lire le fichier"), name,
                        FileErrorReason(name, false));
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reportFileError(QStringLiteral("Impossible de lire le fichier"), name,
                        FileErrorReason(name, false));
        return false;
    }
    // A picture or a compiled program shows as garbage: the user knows why first.
    if (!LooksLikeText(bytes)) showMessage_(this, NotTextMessage(name));
    fileName_ = QFileInfo(name).absoluteFilePath();
    diskDigest_ = Digest(bytes);
    declinedDigest_.clear();
    setTextLines(DecodeProgramFile(bytes.toStdString(), format_));
    setCaretOffset(0);
    memo_->document()->setModified(false);
    return true;
}

bool EditorWindow::writeFile(const QString& path) {
    std::string bytes;
    if (!EncodeProgramFile(textLines(), format_, bytes)) {
        // A character that Windows-1252 cannot hold: the file is written in UTF-8 rather
        // than losing it.
        format_.encoding = Encoding::Utf8;
        EncodeProgramFile(textLines(), format_, bytes);
        showMessage_(this, QStringLiteral(
                               "Le texte contient des caract\u00E8res que l'ancien codage ne "
                               "peut pas \u00E9crire : le fichier est enregistr\u00E9 en UTF-8."));
    }
    // Whole or nothing through a temporary file beside it; in place when the folder
    // allows no new file (a writable file in a folder of someone else's).
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    errno = 0;
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         file.commit();
    if (!written) {
        const int error = errno;
        reportFileError(QStringLiteral("Impossible d'enregistrer le fichier"), path,
                        FileErrorReason(path, true, error));
        return false;
    }
    diskDigest_ = Digest(QByteArray::fromStdString(bytes));
    declinedDigest_.clear();
    return true;
}

bool EditorWindow::changedOnDisk() const {
    if (fileName_.isEmpty() || diskDigest_.isEmpty()) return false;
    const QByteArray now = DiskDigest(fileName_);
    return !now.isEmpty() && now != diskDigest_;
}

void EditorWindow::rememberDiskFile() {
    diskDigest_ = fileName_.isEmpty() ? QByteArray() : DiskDigest(fileName_);
}

void EditorWindow::offerReload() {
    if (askingReload_ || memo_->document()->isModified() || memo_->isReadOnly() || !changedOnDisk())
        return;
    const QByteArray now = DiskDigest(fileName_);
    if (now == declinedDigest_) return;
    askingReload_ = true;
    const bool reload = askDiskChange_(
        this,
        QStringLiteral("Le fichier \u00AB\u00A0%1\u00A0\u00BB a \u00E9t\u00E9 modifi\u00E9 sur le "
                       "disque.\nLe relire et remplacer le texte de cette fen\u00EAtre ?")
            .arg(programName()));
    askingReload_ = false;
    if (!reload) {
        declinedDigest_ = now;
        return;
    }
    const long caret = caretOffset();
    if (openFile(fileName_)) setCaretOffset(caret);
}

bool EditorWindow::save() {
    if (fileName_.isEmpty()) return saveAs();
    // Another window, or another program, wrote the file since this window read it:
    // replacing it would lose that work without a word.
    if (changedOnDisk() &&
        !askDiskChange_(this,
                        QStringLiteral("Le fichier \u00AB\u00A0%1\u00A0\u00BB a \u00E9t\u00E9 "
                                       "modifi\u00E9 sur le disque depuis que cette "
                                       "fen\u00EAtre l'a lu ou enregistr\u00E9.\nLe "
                                       "remplacer par le texte de cette fen\u00EAtre ?")
                            .arg(programName())))
        return false;
    return saveTo(fileName_);
}

bool EditorWindow::saveTo(const QString& path) {
    removeStepMarkers();
    if (!writeFile(path)) return false;
    memo_->document()->setModified(false);
    return true;
}

QString EditorWindow::dialogFolder() const {
    if (!fileName_.isEmpty()) return QFileInfo(fileName_).absolutePath();
    return folderSource_ ? folderSource_() : QString();
}

bool EditorWindow::saveAs() {
    QString chosen = askSaveName_(this);
    if (chosen.isEmpty()) return false;
    emit folderUsed(QFileInfo(chosen).absolutePath());
    // The ".c" rule may lead to another file than the one chosen: whichever file is
    // replaced, the user says so first.
    const QString target = QString::fromStdString(SaveAsName(chosen.toStdString()));
    // Two windows on one file would each overwrite the other's work.
    if (const QString other = otherWindowOf_ ? otherWindowOf_(target) : QString();
        !other.isEmpty()) {
        showError_(this, QStringLiteral("Le fichier \u00AB\u00A0%1\u00A0\u00BB est d\u00E9j\u00E0 "
                                        "ouvert dans la fen\u00EAtre \u00AB\u00A0%2\u00A0\u00BB."
                                        "\nFermez cette fen\u00EAtre ou choisissez un autre "
                                        "nom.")
                             .arg(QFileInfo(target).fileName(), other));
        return false;
    }
    if (QFileInfo::exists(target) &&
        !askOverwrite_(
            this, QStringLiteral("Le fichier \u00AB\u00A0%1\u00A0\u00BB existe d\u00E9j\u00E0.\n"
                                 "Voulez-vous le remplacer ?")
                      .arg(QFileInfo(target).fileName())))
        return false;
    // The user chose to replace whatever the file holds. The window takes the new name
    // only once the file is written: a save that failed leaves it on its own file.
    if (!saveTo(target)) return false;
    fileName_ = target;
    setWindowTitle(QStringLiteral("VokC - ") + QFileInfo(fileName_).fileName());
    emit savedAs(fileName_);
    return true;
}

void EditorWindow::importFile() {
    QString name = askImportName_(this);
    if (name.isEmpty()) return;
    emit folderUsed(QFileInfo(name).absolutePath());
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        reportFileError(QStringLiteral("Impossible de lire le fichier"), name,
                        FileErrorReason(name, false));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reportFileError(QStringLiteral("Impossible de lire le fichier"), name,
                        FileErrorReason(name, false));
        return;
    }
    // As when opening: a picture or a compiled program comes in as garbage.
    if (!LooksLikeText(bytes)) showMessage_(this, NotTextMessage(name));
    FileFormat format;
    Lines lines = DecodeProgramFile(bytes.toStdString(), format);
    Text inserted;
    for (const Text& line : lines)
        inserted += line + u"\r\n";
    replaceSelection(inserted);
}

void EditorWindow::print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    printTo(printer);
}

bool EditorWindow::printTo(QPrinter& printer) {
    removeStepMarkers();
    PagePrinter pages;
    // The page holds the program as written, whatever the zoom on the screen.
    const QFont font = ColourMemo::editorFont();
    if (!pages.begin(printer, font)) {
        showError_(this, QStringLiteral(
                             "Impression impossible : l'imprimante n'a pas pu \u00EAtre ouverte."));
        return false;
    }
    for (const Text& line : textLines())
        pages.printLine(Q(line), true);
    return pages.end();
}

} // namespace vokc
