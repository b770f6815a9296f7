// The clock window.
#include "clock_window.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "clockfields.h"

namespace vokc {

namespace {

QFont ArialBold(int pixels, bool italic = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(true);
    font.setItalic(italic);
    return font;
}

void Paint(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette pal = w->palette();
    pal.setColor(role, colour);
    w->setPalette(pal);
}

// A framed box holding one centred text of the clock.
QLabel* FieldBox(QWidget* parent, int y) {
    auto* box = new QLabel(parent);
    box->setGeometry(10, y, 160, 42);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(2);
    box->setAlignment(Qt::AlignCenter);
    box->setFont(ArialBold(23));
    box->setAutoFillBackground(true);
    Paint(box, QPalette::Window, QColor(192, 192, 192));
    Paint(box, QPalette::WindowText, Qt::black);
    return box;
}

} // namespace

ClockWindow::ClockWindow(QWidget* parent, std::unique_ptr<vokc::SystemClock> clock)
    : QDialog(parent), clock_(clock ? std::move(clock) : vokc::MakePlatformClock()) {
    setWindowTitle(QStringLiteral("Horloge"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(277, 156);

    auto* panel1 = new QFrame(this);
    panel1->setGeometry(0, 0, 277, 156);
    panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel1->setLineWidth(3);
    panel1->setAutoFillBackground(true);
    Paint(panel1, QPalette::Window, Qt::black);

    timeLabel_ = FieldBox(panel1, 10);
    auto* label4 = new QLabel(panel1);
    label4->setGeometry(13, 57, 153, 2);
    label4->setAutoFillBackground(true);
    Paint(label4, QPalette::Window, Qt::white);
    dateLabel_ = FieldBox(panel1, 64);
    auto* label3 = new QLabel(QStringLiteral("VOK"), panel1);
    label3->setGeometry(12, 114, 100, 34);
    label3->setFont(ArialBold(27, true));
    Paint(label3, QPalette::WindowText, Qt::white);

    fieldGroup_ = new QGroupBox(panel1);
    fieldGroup_->setGeometry(180, 4, 90, 104);
    fieldButtons_ = new QButtonGroup(this);
    auto* column = new QVBoxLayout(fieldGroup_);
    column->setContentsMargins(6, 2, 2, 2);
    column->setSpacing(0);
    const char* captions[] = {"Hr", "Mn", "Jo", "Mo", "An"};
    for (int i = 0; i < 5; ++i) {
        auto* item = new QRadioButton(QString::fromLatin1(captions[i]), fieldGroup_);
        item->setFont(ArialBold(12));
        Paint(item, QPalette::WindowText, Qt::white);
        fieldButtons_->addButton(item, i);
        column->addWidget(item);
    }

    upButton_ = new QToolButton(panel1);
    upButton_->setArrowType(Qt::UpArrow);
    upButton_->setGeometry(180, 112, 22, 19);
    downButton_ = new QToolButton(panel1);
    downButton_->setArrowType(Qt::DownArrow);
    downButton_->setGeometry(180, 131, 22, 19);
    setButton_ = new QPushButton(QStringLiteral("Set"), panel1);
    setButton_->setGeometry(208, 110, 62, 20);
    closeButton_ = new QPushButton(QStringLiteral("Fermer"), panel1);
    closeButton_->setGeometry(208, 132, 62, 20);
    for (QPushButton* b : {closeButton_, setButton_})
        b->setAutoDefault(false);

    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &ClockWindow::tick);
    connect(upButton_, &QToolButton::clicked, this, &ClockWindow::stepUp);
    connect(downButton_, &QToolButton::clicked, this, &ClockWindow::stepDown);
    connect(setButton_, &QPushButton::clicked, this, &ClockWindow::toggleSetting);
    connect(closeButton_, &QPushButton::clicked, this, &ClockWindow::closeWindow);

    report_ = [this](const QString& message) {
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(), message);
    };
}

ClockWindow::~ClockWindow() = default;

void ClockWindow::setMessageReporter(std::function<void(const QString&)> reporter) {
    report_ = std::move(reporter);
}

void ClockWindow::resetDisplay() {
    timer_->start();
    tick();
    settingMode_ = false;
}

void ClockWindow::leaveSetting() {
    timer_->stop();
}

void ClockWindow::tick() {
    const vokc::DateTime now = clock_->Now();
    timeLabel_->setText(QString::fromStdString(vokc::ClockTimeText(now)));
    dateLabel_->setText(QString::fromStdString(vokc::ClockDateText(now)));
}

void ClockWindow::adjust(int delta) {
    std::string time = timeLabel_->text().toStdString();
    std::string date = dateLabel_->text().toStdString();
    const std::string error = vokc::AdjustClockField(fieldButtons_->checkedId(), delta, time, date);
    if (!error.empty()) {
        report(error);
        return;
    }
    timeLabel_->setText(QString::fromStdString(time));
    dateLabel_->setText(QString::fromStdString(date));
}

void ClockWindow::stepUp() {
    adjust(+1);
}

void ClockWindow::stepDown() {
    adjust(-1);
}

void ClockWindow::toggleSetting() {
    const bool wasSetting = settingMode_;
    settingMode_ = !settingMode_;
    if (wasSetting) setSystemClock();
    if (settingMode_)
        timer_->stop();
    else
        timer_->start();
}

void ClockWindow::closeWindow() {
    close();
}

void ClockWindow::setSystemClock() {
    report(vokc::SetClockFromTexts(timeLabel_->text().toStdString(),
                                   dateLabel_->text().toStdString(), *clock_));
}

void ClockWindow::report(const std::string& message) {
    if (!message.empty() && report_) report_(QString::fromStdString(message));
}

bool ClockWindow::event(QEvent* event) {
    // Opening the window runs the clock; leaving it stops the display. A message box
    // over the window is neither: the frozen display survives it.
    if (event->type() == QEvent::Show)
        resetDisplay();
    else if (event->type() == QEvent::Hide)
        leaveSetting();
    return QDialog::event(event);
}

void ClockWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        closeWindow();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vokc
