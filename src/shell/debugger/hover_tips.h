// The values under the mouse: while a run is paused or after it ended, resting the mouse
// on a variable name or an element reference in the editor of that run shows its value
// in a tool tip, as the variables panel shows it: while the history looks back at a
// pause, the value of that pause.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QPlainTextEdit;

namespace vokc {

class RunSession;

class HoverTips : public QObject {
    Q_OBJECT
  public:
    explicit HoverTips(RunSession& session, QObject* parent = nullptr);
    // The text editor whose program ran last (its tips only are answered).
    void setEditor(QPlainTextEdit* editor);
    // Watches an editor's tool-tip events.
    void watch(QPlainTextEdit* editor);
    // The tip for a column of a line: "name = value", or an empty text.
    QString textAt(const QString& line, int column) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    RunSession& session_;
    QPointer<QPlainTextEdit> editor_;
};

} // namespace vokc
