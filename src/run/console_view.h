// What a run needs of the console window: a surface to draw the program's output on, a
// modal input line to read an answer, and the message boxes. The run session talks to
// the window through this interface only, so that tests can drive a run without one.
#pragma once

#include <QFont>
#include <QString>

namespace vokc {

// A message of a run as its box shows it.
struct RunMessage {
    QString text;       // exactly as the interpreter gave it
    QString hint;       // below it, for a common mistake (empty: none)
    QString helpPage;   // the help section that explains it
    bool error = false; // the standard error box, for an error the language does not catch
    int line = -1;      // the 0-based line that raised it (-1: none)
    int count = 1;      // how many times in a row that line raised it during one step
};

class ConsoleView {
  public:
    virtual ~ConsoleView() = default;

    // Shows the console with its caption and brings it forward.
    virtual void showConsole(const QString& caption) = 0;
    // Draws a text with its top-left corner at (x, y), in pixels of the console.
    virtual void drawText(int x, int y, const QString& text) = 0;
    virtual int textWidth(const QString& text) = 0;
    // Empties the console; the next output goes on at the same height.
    virtual void clear() = 0;
    // Shows the input line at the text position and waits until the user ends it with
    // Enter; returns what was typed.
    virtual QString readAnswer(int x, int y) = 0;
    // One key for getch(): by default the input line, keeping its first character.
    virtual QString readKey(int x, int y) { return readAnswer(x, y).left(1); }
    // The run is being stopped: a read in progress ends at once (its answer is dropped).
    virtual void cancelRead() {}
    // A message box showing the text alone; the run waits until it is dismissed.
    virtual void showMessage(const QString& text) = 0;
    // The application's standard error box, for an error that ends the run.
    virtual void showError(const QString& text) = 0;
    // A message (or, with `error`, the error box) of a common mistake, with its hint
    // below it and a way to its help page; by default the message alone.
    virtual void showHintedMessage(const QString& text, const QString& /*hint*/,
                                   const QString& /*helpPage*/, bool error) {
        if (error)
            showError(text);
        else
            showMessage(text);
    }
    // A message of a run with its line; by default the boxes above, once.
    virtual void showRunMessage(const RunMessage& m) {
        if (!m.hint.isEmpty())
            showHintedMessage(m.text, m.hint, m.helpPage, m.error);
        else if (m.error)
            showError(m.text);
        else
            showMessage(m.text);
    }
};

// The console's font: "System" 17 pixels high (printing uses it too).
QFont ConsoleFont();

} // namespace vokc
