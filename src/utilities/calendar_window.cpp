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

    heading_ = new QLabel(panel1);
    heading_->setGeometry(2, 6, 372, 36);
    heading_->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(23);
    font.setBold(true);
    heading_->setFont(font);
    QPalette red = heading_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    heading_->setPalette(red);

    previousButton_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft),
                                      QStringLiteral("Mois"), panel1);
    previousButton_->setGeometry(24, 52, 90, 30);
    closeButton_ = new QPushButton(QStringLiteral("Fermer"), panel1);
    closeButton_->setGeometry(143, 52, 90, 30);
    nextButton_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight),
                                  QStringLiteral("Mois"), panel1);
    nextButton_->setLayoutDirection(Qt::RightToLeft); // the arrow on the right of the caption
    nextButton_->setGeometry(262, 52, 90, 30);

    grid_ = new QCalendarWidget(this);
    grid_->setGeometry(0, 96, 377, 178);
    grid_->setLocale(QLocale(QLocale::French, QLocale::France));
    grid_->setFirstDayOfWeek(Qt::Sunday);
    grid_->setNavigationBarVisible(false);
    grid_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    grid_->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    grid_->setDateRange(QDate(vokc::kCalendarFirstYear, 1, 1),
                        QDate(vokc::kCalendarLastYear, 12, 31));
    grid_->setStyleSheet(QStringLiteral("QTableView { background-color: lime; }"));
    grid_->setSelectedDate(QDate::currentDate());

    connect(grid_, &QCalendarWidget::selectionChanged, this, &CalendarWindow::updateHeading);
    connect(previousButton_, &QPushButton::clicked, this, &CalendarWindow::previousMonth);
    connect(nextButton_, &QPushButton::clicked, this, &CalendarWindow::nextMonth);
    connect(closeButton_, &QPushButton::clicked, this, &CalendarWindow::closeWindow);
    // Page Up, Page Down and Escape are the window's on the grid and on the buttons;
    // the grid's own month keys would otherwise step a second time.
    for (QWidget* w : {static_cast<QWidget*>(previousButton_), static_cast<QWidget*>(nextButton_),
                       static_cast<QWidget*>(closeButton_), static_cast<QWidget*>(grid_)})
        w->installEventFilter(this);
    if (auto* grid = grid_->findChild<QTableView*>()) grid->installEventFilter(this);
    for (QPushButton* b : {previousButton_, nextButton_, closeButton_})
        b->setAutoDefault(false);
    updateHeading();
}

QDate CalendarWindow::date() const {
    return grid_->selectedDate();
}

void CalendarWindow::setDate(const QDate& date) {
    grid_->setSelectedDate(date);
}

void CalendarWindow::showHeldMonth() {
    updateHeading();
}

void CalendarWindow::updateHeading() {
    heading_->setText(QString::fromStdString(vokc::MonthHeading(ToCalendarDate(date()))));
    heading_->resize(372, heading_->height());
}

void CalendarWindow::previousMonth() {
    setDate(ToQDate(vokc::PreviousMonth(ToCalendarDate(date()))));
}

void CalendarWindow::nextMonth() {
    setDate(ToQDate(vokc::NextMonth(ToCalendarDate(date()))));
}

void CalendarWindow::closeWindow() {
    close();
}

bool CalendarWindow::handleKey(int key) {
    switch (key) {
    case 33:
        previousMonth();
        return true;
    case 34:
        nextMonth();
        return true;
    case 27:
        closeWindow();
        return true;
    default:
        return false;
    }
}

bool CalendarWindow::event(QEvent* event) {
    if (event->type() == QEvent::Show) showHeldMonth();
    return QDialog::event(event);
}

bool CalendarWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handleKey(VirtualKey(static_cast<QKeyEvent*>(event))))
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace vokc
