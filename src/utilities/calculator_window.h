// "Calculatrice": the pocket calculator window.
//
// The main window creates it once at start-up and shows it modally for the command
// "C&alculatrice" of "&Utilitaires": Pocket->exec(). Each opening starts with an empty
// display and no pending operation; typed keys press the calculator's keys, Escape
// closes. Errors of a key are shown in a message box and change nothing.
// CMake target: vokc_utilities.
#pragma once

#include <QDialog>
#include <functional>

#include "calculator.h"

class QLabel;
class QPushButton;

namespace vokc {

class CalculatorWindow : public QDialog {
    Q_OBJECT
  public:
    explicit CalculatorWindow(QWidget* parent = nullptr);

    // The keys, named after their place: Button0-Button9 the digits, Button10 ",",
    // Button11 "=", Button12-15 "+", "-", "*", "/", Button16 "1/x", Button17 "sqr",
    // Button18 "C", Button19 "Fermer".
    QPushButton* Button[20];
    QLabel* Label1; // the display

    const vokc::Calculator& State() const { return calc_; }
    // Where key errors go; by default a message box. Tests catch them here.
    void SetErrorReporter(std::function<void(const QString&)> reporter);

    void FormActivate();
    // A typed character: 27 closes, the others press their key (see CalcKeyForChar).
    void FormKeyPress(QChar character);
    void Button19Click();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void KeyClick(vokc::CalcKey key);
    void BuildKeys();

    vokc::Calculator calc_;
    std::function<void(const QString&)> reportError_;
};

} // namespace vokc
