// "Horloge": the clock window. It shows the time and the date, refreshed every second;
// "Set" freezes them for adjustment with the arrows, a second "Set" sets the computer's
// clock from them (local time turned into universal time by the time-zone rules).
//
// The main window creates it once at start-up and shows it modally for the command
// "&Horloge" of "&Utilitaires": Horloge->exec(). Each opening starts with the running
// time; closing it while the display is frozen sets nothing.
// CMake target: vokc_utilities.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "systemclock.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace vokc {

class ClockWindow : public QDialog {
    Q_OBJECT
  public:
    // Without a clock, the computer's own clock is used.
    explicit ClockWindow(QWidget* parent = nullptr,
                         std::unique_ptr<vokc::SystemClock> clock = nullptr);
    ~ClockWindow() override;

    QLabel* Label1;             // the time, hh:mm:ss
    QLabel* Label2;             // the date, dd/mm/yyyy
    QGroupBox* RadioGroup1;     // "Hr", "Mn", "Jo", "Mo", "An"
    QButtonGroup* RadioButtons; // their indexes 0-4
    QToolButton* SpinUp;        // the two arrows of SpinButton1
    QToolButton* SpinDown;
    QPushButton* Button2; // "Set"
    QPushButton* Button1; // "Fermer"
    QTimer* Timer1;

    bool SettingMode() const { return settingMode_; }
    // Where messages go (a field that is not a number, a refused setting); by default a
    // message box. Tests catch them here.
    void SetMessageReporter(std::function<void(const QString&)> reporter);

    void FormActivate();
    void FormDeactivate();
    void Timer1Timer();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void Button2Click();
    void Button1Click();
    // Sets the computer's clock from the display.
    void Modifie();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Adjust(int delta);
    void Report(const std::string& message);

    std::unique_ptr<vokc::SystemClock> clock_;
    bool settingMode_ = false;
    std::function<void(const QString&)> report_;
};

} // namespace vokc
