// "Calculatrice": the pocket calculator window.
// Each opening starts with an empty display and no pending operation; typed keys press
// the calculator's keys, Escape closes. Errors of a key are shown in a message box and
// change nothing.
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

    // The keys by index: 0-9 the digits, 10 ",", 11 "=", 12-15 "+", "-", "*", "/",
    // 16 "1/x", 17 "sqr", 18 "C", 19 "Fermer".
    QPushButton* key(int index) const { return keys_[index]; }
    QLabel* display() const { return display_; } // the display

    const vokc::Calculator& state() const { return calc_; }
    // Where key errors go; by default a message box. Tests catch them here.
    void setErrorReporter(std::function<void(const QString&)> reporter);

    void resetDisplay();
    // A typed character: 27 closes, the others press their key (see CalcKeyForChar).
    void handleCharacter(QChar character);
    void closeWindow();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPushButton* keys_[20];
    QLabel* display_;
    void press(vokc::CalcKey key);
    void showOnDisplay(const QString& number);
    void buildKeys();

    vokc::Calculator calc_;
    std::function<void(const QString&)> reportError_;
};

} // namespace vokc
