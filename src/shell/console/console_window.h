// The console "Ecran", on which programs draw their output, with its input line. It is
// the run session's view (ConsoleView): it draws, measures, clears, reads an answer or a
// key and shows the message boxes; Escape or Ctrl+Pause in it asks for the run to stop,
// and so does closing it during a run.
#pragma once

#include <QFont>
#include <QHash>
#include <QWidget>
#include <array>
#include <deque>
#include <functional>

#include "console_canvas.h"
#include "console_view.h"

class QEventLoop;
class QScrollBar;

namespace vokc {

class InputLine;

class ConsoleWindow : public QWidget, public ConsoleView {
    Q_OBJECT
  public:
    using MessageHook = std::function<void(const QString&)>;
    using AnswerHook = std::function<QString(int x, int y)>;
    using NameHook = std::function<QString(QWidget*)>;
    using HintHook = std::function<void(const QString& text, const QString& hint,
                                        const QString& helpPage, bool error)>;

    explicit ConsoleWindow(QWidget* parent = nullptr);

    ConsoleCanvas* canvas() const { return canvas_; }
    InputLine* inputLine() const { return inputLine_; }
    QScrollBar* verticalScrollBar() const { return vbar_; }
    QScrollBar* horizontalScrollBar() const { return hbar_; }
    // Replace the message boxes and the input line (tests; an empty hook: the input line).
    void setMessageHooks(MessageHook message, MessageHook error);
    void setAnswerHook(AnswerHook answer) { askAnswer_ = std::move(answer); }
    // The file dialog of "Enregistrer l'écran sous..." (tests).
    void setSaveNameHook(NameHook hook) { askSaveName_ = std::move(hook); }
    // Replaces the box of a message with a hint (tests); setMessageHooks sends those
    // messages to its hooks without the hint.
    void setHintHook(HintHook hook) {
        showHinted_ = std::move(hook);
        boxesReplaced_ = true;
    }

    void showConsole(const QString& caption) override;
    void drawText(int x, int y, const QString& text) override;
    int textWidth(const QString& text) override;
    void clear() override;
    QString readAnswer(int x, int y) override;
    QString readKey(int x, int y) override;
    void cancelRead() override;
    void showMessage(const QString& text) override;
    void showError(const QString& text) override;
    void showHintedMessage(const QString& text, const QString& hint, const QString& helpPage,
                           bool error) override;
    // The box of a run's message names its line; with hooks, the hooks get the text.
    void showRunMessage(const RunMessage& message) override;

    // Brings what was drawn to the screen: the scroll bars take the new size and, unless
    // the user scrolled up, the console follows the latest line. Done after each burst
    // of output, when the run lets the events through.
    void flush();
    // Scrolls so that the run's row `y` is in view.
    void scrollToRow(int y);
    // Scrolls sideways so that the run's pixels from `x` to `x + width` are in view (as
    // many as fit, from `x`).
    void scrollToColumns(int x, int width);
    // Writes the console's text to a UTF-8 file; false (with a message) when it cannot.
    bool saveText(const QString& path);
    // Whether getch() waits for a key.
    bool waitingForKey() const { return keyLoop_ != nullptr || waitingKey_; }

  public slots:
    // Whether a run is going on: Escape and Ctrl+Pause stop it only then.
    void setRunning(bool running) { running_ = running; }
    // Brings the console forward (Voir › Ecran).
    void bringForward();
    // "Enregistrer l'écran sous...": asks for a name and writes the text there.
    void saveTextAs();
    // Font scaling: each step makes the console's text 2 pixels taller (0: normal size).
    void setZoom(int steps);

  signals:
    void stopRequested();
    // The input line or the key wait has begun (tests answer from here).
    void readStarted();
    // The read has ended (answered or cancelled).
    void readEnded();
    // The help button of a message with a hint: the help page to show.
    void helpRequested(const QString& helpPage);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QString askWithInputLine(int x, int y);
    void scheduleFlush();
    void placeInputLine(int x, int y);
    // The width the input line keeps in view for the answer, in the run's pixels.
    int answerRoom() const;
    bool isStopKey(const QKeyEvent* event) const;
    // A key that scrolls the console (arrows, page keys, Ctrl+Home, Ctrl+End).
    bool scrollsByKey(const QKeyEvent* event, bool apply);
    // Where the console first appears: at the right of the screen, above or below the
    // line that the keyboard's text field shows, when the screen has room for that.
    QPoint firstPlacement() const;

    ConsoleCanvas* canvas_;
    InputLine* inputLine_;
    QScrollBar* vbar_;
    QScrollBar* hbar_;
    MessageHook showMessage_;
    MessageHook showError_;
    AnswerHook askAnswer_;
    NameHook askSaveName_;
    QEventLoop* keyLoop_ = nullptr;
    QString key_;
    int inputX_ = 0, inputY_ = 0;
    bool waitingKey_ = false;
    bool keyDone_ = false;
    HintHook showHinted_;
    bool boxesReplaced_ = false; // a test's hooks take the messages
    bool running_ = false;
    bool placed_ = false;
    bool flushPosted_ = false;
    bool forwardingKey_ = false;
    // Where the console was put last, by the program or by the user.
    QPoint placedAt_;
};

} // namespace vokc
