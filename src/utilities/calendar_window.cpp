// The month calendar window.
#include "calendar_window.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTableView>

#include "calendarmonths.h"

namespace vokc {

namespace {

vokc::CalendarDate ToCalendarDate(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}
QDate ToQDate(const vokc::CalendarDate& d) {
    return QDate(d.year, d.month, d.day);
}

// The virtual key code of Page Up, Page Down and Escape, else 0.
int VirtualKey(const QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_Escape:
        return 27;
    default:
        return 0;
    }
}

} // namespace

CalendarWindow::CalendarWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Calendrier"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(377, 274);

    auto* panel1 = new QWidget(this);
    panel1->setGeometry(0, 0, 377, 96);
    panel1->setAutoFillBackground(true);
    QPalette teal = panel1->palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    panel1->setPalette(teal);

    Label1 = new QLabel(panel1);
    Label1->setGeometry(2, 6, 372, 36);
    Label1->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(23);
    font.setBold(true);
    Label1->setFont(font);
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(red);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Mois"),
                              panel1);
    BitBtn1->setGeometry(24, 52, 90, 30);
    Button1 = new QPushButton(QStringLiteral("Fermer"), panel1);
    Button1->setGeometry(143, 52, 90, 30);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QStringLiteral("Mois"),
                              panel1);
    BitBtn2->setLayoutDirection(Qt::RightToLeft); // the arrow on the right of the caption
    BitBtn2->setGeometry(262, 52, 90, 30);

    Calendar1 = new QCalendarWidget(this);
    Calendar1->setGeometry(0, 96, 377, 178);
    Calendar1->setLocale(QLocale(QLocale::French, QLocale::France));
    Calendar1->setFirstDayOfWeek(Qt::Sunday);
    Calendar1->setNavigationBarVisible(false);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar1->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    Calendar1->setDateRange(QDate(vokc::kCalendarFirstYear, 1, 1),
                            QDate(vokc::kCalendarLastYear, 12, 31));
    Calendar1->setStyleSheet(QStringLiteral("QTableView { background-color: lime; }"));
    Calendar1->setSelectedDate(QDate::currentDate());

    connect(Calendar1, &QCalendarWidget::selectionChanged, this, &CalendarWindow::Calendar1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &CalendarWindow::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &CalendarWindow::BitBtn2Click);
    connect(Button1, &QPushButton::clicked, this, &CalendarWindow::Button1Click);
    // Page Up, Page Down and Escape are the window's on the grid and on the buttons;
    // the grid's own month keys would otherwise step a second time.
    for (QWidget* w : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2),
                       static_cast<QWidget*>(Button1), static_cast<QWidget*>(Calendar1)})
        w->installEventFilter(this);
    if (auto* grid = Calendar1->findChild<QTableView*>()) grid->installEventFilter(this);
    for (QPushButton* b : {BitBtn1, BitBtn2, Button1})
        b->setAutoDefault(false);
    Calendar1Change();
}

QDate CalendarWindow::Date() const {
    return Calendar1->selectedDate();
}

void CalendarWindow::SetDate(const QDate& date) {
    Calendar1->setSelectedDate(date);
}

void CalendarWindow::FormActivate() {
    Calendar1Change();
}

void CalendarWindow::Calendar1Change() {
    Label1->setText(QString::fromStdString(vokc::MonthHeading(ToCalendarDate(Date()))));
    Label1->resize(372, Label1->height());
}

void CalendarWindow::BitBtn1Click() {
    SetDate(ToQDate(vokc::PreviousMonth(ToCalendarDate(Date()))));
}

void CalendarWindow::BitBtn2Click() {
    SetDate(ToQDate(vokc::NextMonth(ToCalendarDate(Date()))));
}

void CalendarWindow::Button1Click() {
    close();
}

bool CalendarWindow::Calendar1KeyDown(int key) {
    switch (key) {
    case 33:
        BitBtn1Click();
        return true;
    case 34:
        BitBtn2Click();
        return true;
    case 27:
        Button1Click();
        return true;
    default:
        return false;
    }
}

bool CalendarWindow::event(QEvent* event) {
    if (event->type() == QEvent::Show) FormActivate();
    return QDialog::event(event);
}

bool CalendarWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        Calendar1KeyDown(VirtualKey(static_cast<QKeyEvent*>(event))))
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace vokc
