// "Calendrier": the month calendar window. A grid of the held date's month (Sunday
// first, French day names) under the heading "mmmmm  yyyy"; "Mois" buttons and
// Page Up / Page Down step one month back or forward, keeping the day when the month
// has it. Escape and "Fermer" close it.
// It starts on the current date; the month last viewed is shown again at the next
// opening.
#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

namespace vokc {

class CalendarWindow : public QDialog {
    Q_OBJECT
  public:
    explicit CalendarWindow(QWidget* parent = nullptr);

    QLabel* heading() const { return heading_; }                    // the heading
    QPushButton* previousButton() const { return previousButton_; } // "Mois", previous month
    QPushButton* nextButton() const { return nextButton_; }         // "Mois", next month
    QPushButton* closeButton() const { return closeButton_; }       // "Fermer"
    QCalendarWidget* grid() const { return grid_; }                 // the month grid

    // The held date.
    QDate date() const;
    void setDate(const QDate& date);

    void showHeldMonth();
    void updateHeading();
    void previousMonth();
    void nextMonth();
    void closeWindow();
    // Virtual key codes: 33 (Page Up) previous month, 34 (Page Down) next month,
    // 27 (Escape) closes. True when the key was one of them.
    bool handleKey(int key);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* heading_;
    QPushButton* previousButton_;
    QPushButton* nextButton_;
    QPushButton* closeButton_;
    QCalendarWidget* grid_;
};

} // namespace vokc
