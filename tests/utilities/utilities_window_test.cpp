// The calculator, clock and calendar windows on the offscreen platform.
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QFontMetrics>
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
        QCOMPARE(pocket.key(i)->text(), QString::fromLatin1(captions[i]));
    Open(pocket);
    QCOMPARE(pocket.display()->text(), QString());
    QCOMPARE(pocket.focusWidget(), pocket.key(11));

    // Typed and clicked keys act alike.
    QTest::keyClicks(&pocket, "2+3*4=");
    QCOMPARE(pocket.display()->text(), QStringLiteral("20"));
    QTest::keyClicks(pocket.key(11), "C4");
    QTest::mouseClick(pocket.key(16), Qt::LeftButton);
    QCOMPARE(pocket.display()->text(), QStringLiteral("0,25"));
    QTest::mouseClick(pocket.key(18), Qt::LeftButton);
    QTest::mouseClick(pocket.key(1), Qt::LeftButton);
    QTest::mouseClick(pocket.key(10), Qt::LeftButton);
    QTest::mouseClick(pocket.key(0), Qt::LeftButton);
    QTest::mouseClick(pocket.key(5), Qt::LeftButton);
    QTest::keyClicks(&pocket, "+0.1=");
    QCOMPARE(pocket.display()->text(), QStringLiteral("1,15"));
    QTest::keyClicks(&pocket, "c9S");
    QCOMPARE(pocket.display()->text(), QStringLiteral("3"));
    // Characters typed on "1/x" or "sqr" are not the calculator's.
    pocket.key(17)->setFocus();
    QTest::keyClicks(pocket.key(17), "5");
    QTest::keyClicks(pocket.key(16), "7");
    QCOMPARE(pocket.display()->text(), QStringLiteral("3"));
    QTest::keyClicks(pocket.key(15), "7");
    QCOMPARE(pocket.display()->text(), QStringLiteral("7"));
    // Other characters are ignored.
    QTest::keyClicks(&pocket, "ab%");
    QCOMPARE(pocket.display()->text(), QStringLiteral("7"));

    // A long number shrinks to fit; its first digits are always shown.
    QTest::keyClicks(&pocket, "C123456789012345678");
    const QString shown = pocket.display()->text();
    QVERIFY2(shown.startsWith("1234"), qPrintable(shown));
    QVERIFY(QFontMetrics(pocket.display()->font()).horizontalAdvance(shown) <=
            pocket.display()->contentsRect().width());
    QVERIFY(pocket.display()->font().pixelSize() < 18);
    QTest::keyClicks(&pocket, "C7");
    QCOMPARE(pocket.display()->font().pixelSize(), 18);
}

void UtilityWindows::calculatorErrorsAndReopening() {
    CalculatorWindow pocket;
    QStringList errors;
    pocket.setErrorReporter([&](const QString& m) { errors << m; });
    Open(pocket);
    QTest::keyClicks(&pocket, "7/0=");
    QCOMPARE(errors, QStringList{QStringLiteral("Division flottante par zéro")});
    QCOMPARE(pocket.display()->text(), QStringLiteral("0"));
    QTest::keyClicks(&pocket, "2=");
    QCOMPARE(pocket.display()->text(), QStringLiteral("3,5"));
    QTest::keyClicks(&pocket, "C=");
    QCOMPARE(errors.size(), 1);
    QTest::keyClicks(&pocket, "2+3=");
    // Escape closes; the next opening starts afresh but the entry flag survives.
    QTest::keyClick(pocket.key(11), Qt::Key_Escape);
    QVERIFY(!pocket.isVisible());
    Open(pocket);
    QCOMPARE(pocket.display()->text(), QString());
    QCOMPARE(pocket.state().PendingOp(), char(0));
    QVERIFY(!pocket.state().HaveAccumulator());
    QVERIFY(pocket.state().NewEntry());
    QTest::mouseClick(pocket.key(19), Qt::LeftButton);
    QVERIFY(!pocket.isVisible());
}

void UtilityWindows::clockRunsAndAdjusts() {
    auto owned = std::make_unique<FakeClock>();
    FakeClock* clock = owned.get();
    clock->now = {1998, 10, 20, 18, 59, 0, 0};
    ClockWindow h(nullptr, std::move(owned));
    QStringList messages;
    h.setMessageReporter([&](const QString& m) { messages << m; });
    QCOMPARE(h.windowTitle(), QStringLiteral("Horloge"));
    QCOMPARE(h.size(), QSize(277, 156));
    QCOMPARE(h.setButton()->text(), QStringLiteral("Set"));
    QCOMPARE(h.closeButton()->text(), QStringLiteral("Fermer"));
    QCOMPARE(h.fieldButtons()->checkedId(), -1);
    QStringList items;
    for (QAbstractButton* b : h.fieldButtons()->buttons())
        items << b->text();
    QCOMPARE(items, (QStringList{"Hr", "Mn", "Jo", "Mo", "An"}));

    Open(h);
    QCOMPARE(h.timeLabel()->text(), QStringLiteral("18:59:00"));
    QCOMPARE(h.dateLabel()->text(), QStringLiteral("20/10/1998"));
    QVERIFY(h.timer()->isActive());
    QCOMPARE(h.timer()->interval(), 1000);
    QVERIFY(!h.settingMode());

    // No field chosen: the arrows change nothing.
    h.upButton()->click();
    QCOMPARE(h.timeLabel()->text(), QStringLiteral("18:59:00"));
    // While the clock runs, the next tick overwrites an adjustment.
    h.fieldButtons()->button(1)->click();
    h.downButton()->click();
    QCOMPARE(h.timeLabel()->text(), QStringLiteral("18:58:00"));
    h.tick();
    QCOMPARE(h.timeLabel()->text(), QStringLiteral("18:59:00"));

    // "Set" freezes the display; the minute stops at 59 without touching the hour.
    h.setButton()->click();
    QVERIFY(h.settingMode());
    QVERIFY(!h.timer()->isActive());
    h.upButton()->click();
    QCOMPARE(h.timeLabel()->text(), QStringLiteral("18:59:00"));
    h.fieldButtons()->button(4)->click();
    h.upButton()->click();
    QCOMPARE(h.dateLabel()->text(), QStringLiteral("20/10/1999"));

    // Closing while frozen sets nothing; the next opening runs again.
    QTest::keyClick(&h, Qt::Key_Escape);
    QVERIFY(!h.isVisible());
    QVERIFY(!h.timer()->isActive());
    QVERIFY(clock->set.empty());
    clock->now.minute = 5;
    Open(h);
    QVERIFY(!h.settingMode());
    QVERIFY(h.timer()->isActive());
    QCOMPARE(h.timeLabel()->text(), QStringLiteral("18:05:00"));
    QCOMPARE(h.dateLabel()->text(), QStringLiteral("20/10/1998"));

    // A field that is not a number is reported and left alone.
    h.setButton()->click();
    h.timeLabel()->setText(QStringLiteral("ab:05:00"));
    h.fieldButtons()->button(0)->click();
    h.upButton()->click();
    QCOMPARE(messages, QStringList{QStringLiteral("'ab' n'est pas une valeur entière correcte")});
    QCOMPARE(h.timeLabel()->text(), QStringLiteral("ab:05:00"));
    QTest::mouseClick(h.closeButton(), Qt::LeftButton);
    QVERIFY(!h.isVisible());
    QVERIFY(clock->set.empty());
}

void UtilityWindows::clockSetsThroughTheInterface() {
    TzGuard tz(kParisRules);
    auto owned = std::make_unique<FakeClock>();
    FakeClock* clock = owned.get();
    ClockWindow h(nullptr, std::move(owned));
    QStringList messages;
    h.setMessageReporter([&](const QString& m) { messages << m; });
    Open(h);
    h.setButton()->click();
    h.fieldButtons()->button(0)->click();
    h.upButton()->click();
    h.setButton()->click();
    QVERIFY(!h.settingMode());
    QVERIFY(h.timer()->isActive());
    QVERIFY(messages.isEmpty());
    QCOMPARE(clock->set.size(), size_t(1));
    const vokc::DateTime& utc = clock->set[0];
    // 19:23 local on 20 October 1998 was summer time in Paris: 17:23 universal.
    QCOMPARE(QDate(utc.year, utc.month, utc.day), QDate(1998, 10, 20));
    QCOMPARE(QTime(utc.hour, utc.minute, utc.second), QTime(17, 23, 0));

    // A refusal is reported in French.
    clock->refusal = vokc::ClockRefusalMessage(EPERM);
    h.setButton()->click();
    h.setButton()->click();
    QCOMPARE(messages, QStringList{QString::fromStdString(clock->refusal)});
    QCOMPARE(clock->set.size(), size_t(2));
    // Hour 24 is no time of day: reported, not passed on.
    h.setButton()->click();
    for (int i = 0; i < 6; ++i)
        h.upButton()->click();
    QCOMPARE(h.timeLabel()->text().left(2), QStringLiteral("24"));
    h.setButton()->click();
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages.last().contains(QStringLiteral("n'existe pas")));
    QCOMPARE(clock->set.size(), size_t(2));
}

void UtilityWindows::calendarSteppingAndHeading() {
    CalendarWindow c;
    QCOMPARE(c.windowTitle(), QStringLiteral("Calendrier"));
    QCOMPARE(c.date(), QDate::currentDate());
    QCOMPARE(c.previousButton()->text(), QStringLiteral("Mois"));
    QCOMPARE(c.nextButton()->text(), QStringLiteral("Mois"));
    QCOMPARE(c.closeButton()->text(), QStringLiteral("Fermer"));
    QCOMPARE(c.grid()->firstDayOfWeek(), Qt::Sunday);
    QCOMPARE(c.grid()->locale().monthName(10), QStringLiteral("octobre"));
    c.setDate(QDate(2023, 1, 31));
    Open(c);
    QCOMPARE(c.heading()->text(), QStringLiteral("janvier  2023"));
    QCOMPARE(c.heading()->width(), 372);
    c.nextButton()->click();
    QCOMPARE(c.date(), QDate(2023, 2, 28));
    QCOMPARE(c.heading()->text(), QStringLiteral("février  2023"));
    c.nextButton()->click();
    QCOMPARE(c.date(), QDate(2023, 3, 28));
    QCOMPARE(c.grid()->monthShown(), 3);
    c.setDate(QDate(2024, 1, 10));
    c.previousButton()->click();
    QCOMPARE(c.date(), QDate(2023, 12, 10));
    QCOMPARE(c.heading()->text(), QStringLiteral("décembre  2023"));
    // Choosing a day in the grid changes the heading too.
    c.grid()->setSelectedDate(QDate(2024, 8, 15));
    QCOMPARE(c.heading()->text(), QStringLiteral("août  2024"));
}

void UtilityWindows::calendarKeysAndPersistence() {
    CalendarWindow c;
    c.setDate(QDate(2024, 1, 31));
    Open(c);
    auto* grid = c.grid()->findChild<QTableView*>();
    QVERIFY(grid);
    grid->setFocus();
    // Page Down on the grid steps exactly one month.
    QTest::keyClick(grid, Qt::Key_PageDown);
    QCOMPARE(c.date(), QDate(2024, 2, 29));
    QTest::keyClick(c.previousButton(), Qt::Key_PageUp);
    QTest::keyClick(c.closeButton(), Qt::Key_PageUp);
    QCOMPARE(c.date(), QDate(2023, 12, 29));
    QCOMPARE(c.heading()->text(), QStringLiteral("décembre  2023"));
    // Escape closes; the month is still there at the next opening.
    QTest::keyClick(grid, Qt::Key_Escape);
    QVERIFY(!c.isVisible());
    Open(c);
    QCOMPARE(c.date(), QDate(2023, 12, 29));
    QCOMPARE(c.heading()->text(), QStringLiteral("décembre  2023"));
    QTest::mouseClick(c.closeButton(), Qt::LeftButton);
    QVERIFY(!c.isVisible());
}

QTEST_MAIN(UtilityWindows)
#include "utilities_window_test.moc"
