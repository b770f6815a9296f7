// The input line: a frameless line inside the console, at the text position and in the
// console's font, where a program's answer is typed. Only Enter ends it; Escape and
// Ctrl+Pause ask for the run to stop, which ends the read without an answer.
#pragma once

#include <QWidget>

class QEventLoop;
class QLineEdit;

namespace vokc {

class InputLine : public QWidget {
    Q_OBJECT
  public:
    explicit InputLine(QWidget* parent = nullptr);
    ~InputLine() override;

    QString answer() const;
    QLineEdit* edit() const { return edit_; }
    // Shows the line emptied, waits until Enter or cancel(), hides it. Returns false
    // when the read was cancelled.
    bool read();
    // Ends a read in progress without an answer.
    void cancel();
    // From the moment the line is shown for a read until the read ends.
    bool reading() const { return open_ && !done_; }

  signals:
    // Escape or Ctrl+Pause while the line has the focus.
    void stopKeyPressed();
    // Enter ended the line.
    void entered();
    // A read has begun: the line is shown, empty, with the focus.
    void opened();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void finish(bool accepted);

    QLineEdit* edit_;
    QEventLoop* loop_ = nullptr;
    bool open_ = false;
    bool done_ = false;
    bool accepted_ = false;
};

} // namespace vokc
