#include "recovery_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTimer>

#include "editor_window.h"

namespace vokc {

namespace {
constexpr const char* kLockPrefix = "session-";
constexpr const char* kLockSuffix = ".lock";

QString LockName(long long pid) {
    return QStringLiteral("%1%2%3")
        .arg(QLatin1String(kLockPrefix))
        .arg(pid)
        .arg(QLatin1String(kLockSuffix));
}
} // namespace

RecoveryStore::RecoveryStore(QObject* parent, const QString& folder)
    : QObject(parent),
      folder_(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                               : folder) {
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(
        QDir(folder_).filePath(LockName(QCoreApplication::applicationPid())));
    // Only a process that no longer runs leaves its lock stale, however old it is.
    lock_->setStaleLockTime(0);
    lock_->tryLock(0);
}

RecoveryStore::~RecoveryStore() = default;

void RecoveryStore::track(EditorWindow* editor) {
    if (entries_.contains(editor)) return;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    const QString file = QDir(folder_).filePath(
        QString::fromStdString(RecoveryFileName(QCoreApplication::applicationPid(), ++serial_)));
    entries_.insert(editor, {file, timer});
    QPointer<EditorWindow> guard(editor);
    connect(timer, &QTimer::timeout, this, [this, guard] {
        if (guard) write(guard);
    });
    QTextDocument* doc = editor->memo()->document();
    connect(doc, &QTextDocument::contentsChanged, timer, [this, timer, doc] {
        if (doc->isModified()) timer->start(delay_);
    });
    connect(doc, &QTextDocument::modificationChanged, this, [this, guard](bool modified) {
        if (!modified && guard) remove(guard);
    });
    connect(editor, &EditorWindow::closing, this, [this, guard] {
        if (guard) remove(guard);
    });
    connect(editor, &QObject::destroyed, this, [this, editor, file, timer] {
        QFile::remove(file);
        timer->deleteLater();
        entries_.remove(editor);
    });
}

QString RecoveryStore::fileOf(const EditorWindow* editor) const {
    auto it = entries_.find(editor);
    return it == entries_.end() ? QString() : it->file;
}

bool RecoveryStore::write(EditorWindow* editor) {
    auto it = entries_.find(editor);
    if (it == entries_.end()) return false;
    it->timer->stop();
    if (!editor->memo()->document()->isModified()) {
        QFile::remove(it->file);
        return true;
    }
    RecoveredText r;
    r.path = editor->fileName().toStdString();
    r.caption = editor->windowTitle().toStdString();
    r.text = editor->memo()->toPlainText().toStdString();
    const std::string bytes = FormatRecovery(r);
    QSaveFile file(it->file);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size()) &&
           file.commit();
}

void RecoveryStore::remove(EditorWindow* editor) {
    auto it = entries_.find(editor);
    if (it == entries_.end()) return;
    it->timer->stop();
    QFile::remove(it->file);
}

std::vector<RecoveryStore::LeftBehind> RecoveryStore::leftBehind() const {
    const QDir dir(folder_);
    const long long self = QCoreApplication::applicationPid();
    // Sessions whose lock is still held run now: their files are theirs.
    auto running = [&](long long pid) {
        if (pid == self) return true;
        const QString lockPath = dir.filePath(LockName(pid));
        if (!QFile::exists(lockPath)) return false;
        QLockFile other(lockPath);
        other.setStaleLockTime(0);
        if (!other.tryLock(0)) return true;
        other.unlock(); // stale: its owner ended abnormally; the lock goes away
        return false;
    };
    std::vector<LeftBehind> left;
    const QStringList names =
        dir.entryList({QStringLiteral("recup-*.txt")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const auto owner = RecoveryOwner(name.toStdString());
        if (!owner || running(*owner)) continue;
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const auto text = ParseRecovery(file.readAll().toStdString());
        if (!text) continue;
        left.push_back({file.fileName(), *text});
    }
    // Stale locks of sessions that left no text go away too.
    for (const QString& name : dir.entryList({QStringLiteral("session-*.lock")}, QDir::Files)) {
        bool ok = false;
        const long long pid =
            name.mid(8, name.size() - 8 - 5).toLongLong(&ok); // "session-" ... ".lock"
        if (ok) running(pid);
    }
    return left;
}

void RecoveryStore::discard(const QString& file) {
    QFile::remove(file);
}

} // namespace vokc
