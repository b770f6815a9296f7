// "Horloge": the clock window. It shows the time and the date, refreshed every second;
// "Set" freezes them for adjustment with the arrows, a second "Set" sets the computer's
// clock from them (local time turned into universal time by the time-zone rules).
// Each opening starts with the running time; closing it while the display is frozen
// sets nothing.
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

    QLabel* timeLabel() const { return timeLabel_; }             // the time, hh:mm:ss
    QLabel* dateLabel() const { return dateLabel_; }             // the date, dd/mm/yyyy
    QGroupBox* fieldGroup() const { return fieldGroup_; }        // "Hr", "Mn", "Jo", "Mo", "An"
    QButtonGroup* fieldButtons() const { return fieldButtons_; } // their indexes 0-4
    QToolButton* upButton() const { return upButton_; }          // the two arrows beside the fields
    QToolButton* downButton() const { return downButton_; }
    QPushButton* setButton() const { return setButton_; }     // "Set"
    QPushButton* closeButton() const { return closeButton_; } // "Fermer"
    QTimer* timer() const { return timer_; }

    bool settingMode() const { return settingMode_; }
    // Where messages go (a field that is not a number, a refused setting); by default a
    // message box. Tests catch them here.
    void setMessageReporter(std::function<void(const QString&)> reporter);

    void resetDisplay();
    void leaveSetting();
    void tick();
    void stepUp();
    void stepDown();
    void toggleSetting();
    void closeWindow();
    // Sets the computer's clock from the display.
    void setSystemClock();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel* timeLabel_;
    QLabel* dateLabel_;
    QGroupBox* fieldGroup_;
    QButtonGroup* fieldButtons_;
    QToolButton* upButton_;
    QToolButton* downButton_;
    QPushButton* setButton_;
    QPushButton* closeButton_;
    QTimer* timer_;
    void adjust(int delta);
    void report(const std::string& message);

    std::unique_ptr<vokc::SystemClock> clock_;
    bool settingMode_ = false;
    std::function<void(const QString&)> report_;
};

} // namespace vokc
