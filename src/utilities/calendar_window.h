// "Calendrier": the month calendar window. A grid of the held date's month (Sunday
// first, French day names) under the heading "mmmmm  yyyy"; "Mois" buttons and
// Page Up / Page Down step one month back or forward, keeping the day when the month
// has it. Escape and "Fermer" close it.
//
// The main window creates it once at start-up and shows it modally for the command
// "&Calendrier" of "&Utilitaires": Calendrier->exec(). It starts on the current date;
// the month last viewed is shown again at the next opening.
// CMake target: vokc_utilities.
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

    QLabel* Label1;             // the heading
    QPushButton* BitBtn1;       // "Mois", previous month
    QPushButton* BitBtn2;       // "Mois", next month
    QPushButton* Button1;       // "Fermer"
    QCalendarWidget* Calendar1; // the month grid

    // The held date.
    QDate Date() const;
    void SetDate(const QDate& date);

    void FormActivate();
    void Calendar1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void Button1Click();
    // Virtual key codes: 33 (Page Up) previous month, 34 (Page Down) next month,
    // 27 (Escape) closes. True when the key was one of them.
    bool Calendar1KeyDown(int key);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vokc
