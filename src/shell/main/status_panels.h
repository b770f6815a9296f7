// The panels of the main window's status bar: the hint of the item under the mouse, what
// the run is doing, the caret's position in the active editor, and the clock.
#pragma once

#include <QObject>

class QLabel;
class QMainWindow;
class QTimer;

namespace vokc {

class EditorWindow;

class StatusPanels : public QObject {
    Q_OBJECT
  public:
    // Puts the panels into the window's status bar and starts the clock.
    explicit StatusPanels(QMainWindow* window);

    QLabel* statusLine() const { return statusLine_; }
    QLabel* clockPanel() const { return clockPanel_; }
    // "Ligne L, colonne C" of the active editor's caret (empty without an editor).
    QLabel* positionPanel() const { return positionPanel_; }
    // What the run is doing.
    QLabel* runPanel() const { return runPanel_; }

    // The caret position of `editor`; nullptr clears the panel.
    void showPosition(const EditorWindow* editor);

  private:
    void updateClock();

    QLabel* statusLine_;
    QLabel* clockPanel_;
    QLabel* positionPanel_;
    QLabel* runPanel_;
    QTimer* clockTimer_;
};

} // namespace vokc
