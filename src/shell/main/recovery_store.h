// Nothing lost on a crash or a power cut: the unsaved text of every editor window goes to
// a recovery file in the user's application-data folder, a few seconds after the last
// change. A lock file held for the session's life tells, at the next start, which
// sessions ended without closing their windows: their recovery files are left behind.
#pragma once

#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "desk_logic.h"

class QTimer;

namespace vokc {

class EditorWindow;

class RecoveryStore : public QObject {
    Q_OBJECT
  public:
    // `folder` empty: the application-data folder.
    explicit RecoveryStore(QObject* parent = nullptr, const QString& folder = QString());
    ~RecoveryStore() override;

    QString folder() const { return folder_; }
    // Milliseconds between the last change and the write.
    void setDelay(int milliseconds) { delay_ = milliseconds; }

    // Follows an editor window: its text is written after each change while it is
    // modified, and the file goes away once it is saved, closed or unchanged.
    void track(EditorWindow* editor);
    // The window's recovery file (empty when it is not followed).
    QString fileOf(const EditorWindow* editor) const;
    // Writes the window's file now (removes it when the text is saved); false when the
    // file cannot be written.
    bool write(EditorWindow* editor);
    void remove(EditorWindow* editor);

    // The texts that sessions ended abnormally left behind, with their files.
    struct LeftBehind {
        QString file;
        RecoveredText text;
    };
    std::vector<LeftBehind> leftBehind() const;
    // Removes a left-behind file once it has been offered.
    static void discard(const QString& file);

  private:
    struct Entry {
        QString file;
        QTimer* timer;
    };
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QHash<const EditorWindow*, Entry> entries_;
    int serial_ = 0;
    int delay_ = 3000;
};

} // namespace vokc
