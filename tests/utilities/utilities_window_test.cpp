// The calculator, clock and calendar windows on the offscreen platform.
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

#include "calculator_window.h"
#include "calendar_window.h"
#include "clock_window.h"
#include "fakeclock.h"
#include "tzguard.h"

using namespace vokc;

namespace {

void Open(QDialog& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

} // namespace

class UtilityWindows : public QObject {
    Q_OBJECT
  private slots:
    void calculatorKeysAndDisplay();
    void calculatorErrorsAndReopening();
    void clockRunsAndAdjusts();
    void clockSetsThroughTheInterface();
    void calendarSteppingAndHeading();
    void calendarKeysAndPersistence();
};

void UtilityWindows::calculatorKeysAndDisplay() {
    CalculatorWindow pocket;
    QCOMPARE(pocket.windowTitle(), QStringLiteral("Calculatrice"));
    const char* captions[] = {"0", "1", "2", "3", "4", "5", "6",   "7",   "8", "9",
                              ",", "=", "+", "-", "*", "/", "1/x", "sqr", "C", "Fermer"};
    for (int i = 0; i < 20; ++i)
        QCOMPARE(pocket.Button[i]->text(), QString::fromLatin1(captions[i]));
    Open(pocket);
    QCOMPARE(pocket.Label1->text(), QString());
    QCOMPARE(pocket.focusWidget(), pocket.Button[11]);

    // Typed and clicked keys act alike.
    QTest::keyClicks(&pocket, "2+3*4=");
    QCOMPARE(pocket.Label1->text(), QStringLiteral("20"));
    QTest::keyClicks(pocket.Button[11], "C4");
    QTest::mouseClick(pocket.Button[16], Qt::LeftButton);
    QCOMPARE(pocket.Label1->text(), QStringLiteral("0,25"));
    QTest::mouseClick(pocket.Button[18], Qt::LeftButton);
    QTest::mouseClick(pocket.Button[1], Qt::LeftButton);
    QTest::mouseClick(pocket.Button[10], Qt::LeftButton);
    QTest::mouseClick(pocket.Button[0], Qt::LeftButton);
    QTest::mouseClick(pocket.Button[5], Qt::LeftButton);
    QTest::keyClicks(&pocket, "+0.1=");
    QCOMPARE(pocket.Label1->text(), QStringLiteral("1,15"));
    QTest::keyClicks(&pocket, "c9S");
    QCOMPARE(pocket.Label1->text(), QStringLiteral("3"));
    // Characters typed on "1/x" or "sqr" are not the calculator's.
    pocket.Button[17]->setFocus();
    QTest::keyClicks(pocket.Button[17], "5");
    QTest::keyClicks(pocket.Button[16], "7");
    QCOMPARE(pocket.Label1->text(), QStringLiteral("3"));
    QTest::keyClicks(pocket.Button[15], "7");
    QCOMPARE(pocket.Label1->text(), QStringLiteral("7"));
    // Other characters are ignored.
    QTest::keyClicks(&pocket, "ab%");
    QCOMPARE(pocket.Label1->text(), QStringLiteral("7"));
}

void UtilityWindows::calculatorErrorsAndReopening() {
    CalculatorWindow pocket;
    QStringList errors;
    pocket.SetErrorReporter([&](const QString& m) { errors << m; });
    Open(pocket);
    QTest::keyClicks(&pocket, "7/0=");
    QCOMPARE(errors, QStringList{QStringLiteral("Division flottante par zéro")});
    QCOMPARE(pocket.Label1->text(), QStringLiteral("0"));
    QTest::keyClicks(&pocket, "2=");
    QCOMPARE(pocket.Label1->text(), QStringLiteral("3,5"));
    QTest::keyClicks(&pocket, "C=");
    QCOMPARE(errors.size(), 1);
    QTest::keyClicks(&pocket, "2+3=");
    // Escape closes; the next opening starts afresh but the entry flag survives.
    QTest::keyClick(pocket.Button[11], Qt::Key_Escape);
    QVERIFY(!pocket.isVisible());
    Open(pocket);
    QCOMPARE(pocket.Label1->text(), QString());
    QCOMPARE(pocket.State().PendingOp(), char(0));
    QVERIFY(!pocket.State().HaveAccumulator());
    QVERIFY(pocket.State().NewEntry());
    QTest::mouseClick(pocket.Button[19], Qt::LeftButton);
    QVERIFY(!pocket.isVisible());
}

void UtilityWindows::clockRunsAndAdjusts() {
    auto owned = std::make_unique<FakeClock>();
    FakeClock* clock = owned.get();
    clock->now = {1998, 10, 20, 18, 59, 0, 0};
    ClockWindow h(nullptr, std::move(owned));
    QStringList messages;
    h.SetMessageReporter([&](const QString& m) { messages << m; });
    QCOMPARE(h.windowTitle(), QStringLiteral("Horloge"));
    QCOMPARE(h.size(), QSize(277, 156));
    QCOMPARE(h.Button2->text(), QStringLiteral("Set"));
    QCOMPARE(h.Button1->text(), QStringLiteral("Fermer"));
    QCOMPARE(h.RadioButtons->checkedId(), -1);
    QStringList items;
    for (QAbstractButton* b : h.RadioButtons->buttons())
        items << b->text();
    QCOMPARE(items, (QStringList{"Hr", "Mn", "Jo", "Mo", "An"}));

    Open(h);
    QCOMPARE(h.Label1->text(), QStringLiteral("18:59:00"));
    QCOMPARE(h.Label2->text(), QStringLiteral("20/10/1998"));
    QVERIFY(h.Timer1->isActive());
    QCOMPARE(h.Timer1->interval(), 1000);
    QVERIFY(!h.SettingMode());

    // No field chosen: the arrows change nothing.
    h.SpinUp->click();
    QCOMPARE(h.Label1->text(), QStringLiteral("18:59:00"));
    // While the clock runs, the next tick overwrites an adjustment.
    h.RadioButtons->button(1)->click();
    h.SpinDown->click();
    QCOMPARE(h.Label1->text(), QStringLiteral("18:58:00"));
    h.Timer1Timer();
    QCOMPARE(h.Label1->text(), QStringLiteral("18:59:00"));

    // "Set" freezes the display; the minute stops at 59 without touching the hour.
    h.Button2->click();
    QVERIFY(h.SettingMode());
    QVERIFY(!h.Timer1->isActive());
    h.SpinUp->click();
    QCOMPARE(h.Label1->text(), QStringLiteral("18:59:00"));
    h.RadioButtons->button(4)->click();
    h.SpinUp->click();
    QCOMPARE(h.Label2->text(), QStringLiteral("20/10/1999"));

    // Closing while frozen sets nothing; the next opening runs again.
    QTest::keyClick(&h, Qt::Key_Escape);
    QVERIFY(!h.isVisible());
    QVERIFY(!h.Timer1->isActive());
    QVERIFY(clock->set.empty());
    clock->now.minute = 5;
    Open(h);
    QVERIFY(!h.SettingMode());
    QVERIFY(h.Timer1->isActive());
    QCOMPARE(h.Label1->text(), QStringLiteral("18:05:00"));
    QCOMPARE(h.Label2->text(), QStringLiteral("20/10/1998"));

    // A field that is not a number is reported and left alone.
    h.Button2->click();
    h.Label1->setText(QStringLiteral("ab:05:00"));
    h.RadioButtons->button(0)->click();
    h.SpinUp->click();
    QCOMPARE(messages, QStringList{QStringLiteral("'ab' n'est pas une valeur entière correcte")});
    QCOMPARE(h.Label1->text(), QStringLiteral("ab:05:00"));
    QTest::mouseClick(h.Button1, Qt::LeftButton);
    QVERIFY(!h.isVisible());
    QVERIFY(clock->set.empty());
}

void UtilityWindows::clockSetsThroughTheInterface() {
    TzGuard tz(kParisRules);
    auto owned = std::make_unique<FakeClock>();
    FakeClock* clock = owned.get();
    ClockWindow h(nullptr, std::move(owned));
    QStringList messages;
    h.SetMessageReporter([&](const QString& m) { messages << m; });
    Open(h);
    h.Button2->click();
    h.RadioButtons->button(0)->click();
    h.SpinUp->click();
    h.Button2->click();
    QVERIFY(!h.SettingMode());
    QVERIFY(h.Timer1->isActive());
    QVERIFY(messages.isEmpty());
    QCOMPARE(clock->set.size(), size_t(1));
    const vokc::DateTimeFields& utc = clock->set[0];
    // 19:23 local on 20 October 1998 was summer time in Paris: 17:23 universal.
    QCOMPARE(QDate(utc.year, utc.month, utc.day), QDate(1998, 10, 20));
    QCOMPARE(QTime(utc.hour, utc.minute, utc.second), QTime(17, 23, 0));

    // A refusal is reported in French.
    clock->refusal = vokc::ClockRefusalMessage(EPERM);
    h.Button2->click();
    h.Button2->click();
    QCOMPARE(messages, QStringList{QString::fromStdString(clock->refusal)});
    QCOMPARE(clock->set.size(), size_t(2));
    // Hour 24 is no time of day: reported, not passed on.
    h.Button2->click();
    for (int i = 0; i < 6; ++i)
        h.SpinUp->click();
    QCOMPARE(h.Label1->text().left(2), QStringLiteral("24"));
    h.Button2->click();
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages.last().contains(QStringLiteral("n'existe pas")));
    QCOMPARE(clock->set.size(), size_t(2));
}

void UtilityWindows::calendarSteppingAndHeading() {
    CalendarWindow c;
    QCOMPARE(c.windowTitle(), QStringLiteral("Calendrier"));
    QCOMPARE(c.Date(), QDate::currentDate());
    QCOMPARE(c.BitBtn1->text(), QStringLiteral("Mois"));
    QCOMPARE(c.BitBtn2->text(), QStringLiteral("Mois"));
    QCOMPARE(c.Button1->text(), QStringLiteral("Fermer"));
    QCOMPARE(c.Calendar1->firstDayOfWeek(), Qt::Sunday);
    QCOMPARE(c.Calendar1->locale().monthName(10), QStringLiteral("octobre"));
    c.SetDate(QDate(2023, 1, 31));
    Open(c);
    QCOMPARE(c.Label1->text(), QStringLiteral("janvier  2023"));
    QCOMPARE(c.Label1->width(), 372);
    c.BitBtn2->click();
    QCOMPARE(c.Date(), QDate(2023, 2, 28));
    QCOMPARE(c.Label1->text(), QStringLiteral("février  2023"));
    c.BitBtn2->click();
    QCOMPARE(c.Date(), QDate(2023, 3, 28));
    QCOMPARE(c.Calendar1->monthShown(), 3);
    c.SetDate(QDate(2024, 1, 10));
    c.BitBtn1->click();
    QCOMPARE(c.Date(), QDate(2023, 12, 10));
    QCOMPARE(c.Label1->text(), QStringLiteral("décembre  2023"));
    // Choosing a day in the grid changes the heading too.
    c.Calendar1->setSelectedDate(QDate(2024, 8, 15));
    QCOMPARE(c.Label1->text(), QStringLiteral("août  2024"));
}

void UtilityWindows::calendarKeysAndPersistence() {
    CalendarWindow c;
    c.SetDate(QDate(2024, 1, 31));
    Open(c);
    auto* grid = c.Calendar1->findChild<QTableView*>();
    QVERIFY(grid);
    grid->setFocus();
    // Page Down on the grid steps exactly one month.
    QTest::keyClick(grid, Qt::Key_PageDown);
    QCOMPARE(c.Date(), QDate(2024, 2, 29));
    QTest::keyClick(c.BitBtn1, Qt::Key_PageUp);
    QTest::keyClick(c.Button1, Qt::Key_PageUp);
    QCOMPARE(c.Date(), QDate(2023, 12, 29));
    QCOMPARE(c.Label1->text(), QStringLiteral("décembre  2023"));
    // Escape closes; the month is still there at the next opening.
    QTest::keyClick(grid, Qt::Key_Escape);
    QVERIFY(!c.isVisible());
    Open(c);
    QCOMPARE(c.Date(), QDate(2023, 12, 29));
    QCOMPARE(c.Label1->text(), QStringLiteral("décembre  2023"));
    QTest::mouseClick(c.Button1, Qt::LeftButton);
    QVERIFY(!c.isVisible());
}

QTEST_MAIN(UtilityWindows)
#include "utilities_window_test.moc"
