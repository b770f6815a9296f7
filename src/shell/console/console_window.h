// The console "Ecran", on which programs draw their output, with its input line. It is
// the run session's view (ConsoleView): it draws, measures, clears, reads an answer and
// shows the message boxes; Escape or Ctrl+Pause in it asks for the run to stop.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "console_view.h"

class QScrollArea;

namespace vokc {

class InputLine;

// The paint surface of the console: what was drawn is kept, so covering, resizing and
// scrolling redraw it. A runaway program may draw without end: the latest texts are kept.
class ConsoleCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit ConsoleCanvas(QWidget* parent);
    void draw(int x, int y, const QString& text);
    void clear();
    // The drawn texts as lines, top to bottom.
    QString allText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Piece {
        int x, y;
        QString text;
    };
    std::vector<Piece> pieces_;
};

class ConsoleWindow : public QWidget, public ConsoleView {
    Q_OBJECT
  public:
    using MessageHook = std::function<void(const QString&)>;
    using AnswerHook = std::function<QString(int x, int y)>;
    using HintHook = std::function<void(const QString& text, const QString& hint,
                                        const QString& helpPage, bool error)>;

    explicit ConsoleWindow(QWidget* parent = nullptr);

    ConsoleCanvas* canvas() const { return canvas_; }
    InputLine* inputLine() const { return inputLine_; }
    // Replace the message boxes and the input line (tests).
    void setMessageHooks(MessageHook message, MessageHook error);
    void setAnswerHook(AnswerHook answer) { askAnswer_ = std::move(answer); }
    // Replaces the box of a message with a hint (tests); setMessageHooks sends those
    // messages to its hooks without the hint.
    void setHintHook(HintHook hook) { showHinted_ = std::move(hook); }

    void showConsole(const QString& caption) override;
    void drawText(int x, int y, const QString& text) override;
    int textWidth(const QString& text) override;
    void clear() override;
    QString readAnswer(int x, int y) override;
    void showMessage(const QString& text) override;
    void showError(const QString& text) override;
    void showHintedMessage(const QString& text, const QString& hint, const QString& helpPage,
                           bool error) override;

  public slots:
    // Whether a run is going on: Escape and Ctrl+Pause stop it only then.
    void setRunning(bool running) { running_ = running; }

  signals:
    void stopRequested();
    // The help button of a message with a hint: the help page to show.
    void helpRequested(const QString& helpPage);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString askWithInputLine(int x, int y);

    ConsoleCanvas* canvas_;
    InputLine* inputLine_;
    QScrollArea* scroll_;
    MessageHook showMessage_;
    MessageHook showError_;
    AnswerHook askAnswer_;
    HintHook showHinted_;
    bool running_ = false;
    bool placed_ = false;
};

} // namespace vokc
