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

    Label1 = FieldBox(panel1, 10);
    auto* label4 = new QLabel(panel1);
    label4->setGeometry(13, 57, 153, 2);
    label4->setAutoFillBackground(true);
    Paint(label4, QPalette::Window, Qt::white);
    Label2 = FieldBox(panel1, 64);
    auto* label3 = new QLabel(QStringLiteral("VOK"), panel1);
    label3->setGeometry(12, 114, 100, 34);
    label3->setFont(ArialBold(27, true));
    Paint(label3, QPalette::WindowText, Qt::white);

    RadioGroup1 = new QGroupBox(panel1);
    RadioGroup1->setGeometry(180, 4, 90, 104);
    RadioButtons = new QButtonGroup(this);
    auto* column = new QVBoxLayout(RadioGroup1);
    column->setContentsMargins(6, 2, 2, 2);
    column->setSpacing(0);
    const char* captions[] = {"Hr", "Mn", "Jo", "Mo", "An"};
    for (int i = 0; i < 5; ++i) {
        auto* item = new QRadioButton(QString::fromLatin1(captions[i]), RadioGroup1);
        item->setFont(ArialBold(12));
        Paint(item, QPalette::WindowText, Qt::white);
        RadioButtons->addButton(item, i);
        column->addWidget(item);
    }

    SpinUp = new QToolButton(panel1);
    SpinUp->setArrowType(Qt::UpArrow);
    SpinUp->setGeometry(180, 112, 22, 19);
    SpinDown = new QToolButton(panel1);
    SpinDown->setArrowType(Qt::DownArrow);
    SpinDown->setGeometry(180, 131, 22, 19);
    Button2 = new QPushButton(QStringLiteral("Set"), panel1);
    Button2->setGeometry(208, 110, 62, 20);
    Button1 = new QPushButton(QStringLiteral("Fermer"), panel1);
    Button1->setGeometry(208, 132, 62, 20);
    for (QPushButton* b : {Button1, Button2})
        b->setAutoDefault(false);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &ClockWindow::Timer1Timer);
    connect(SpinUp, &QToolButton::clicked, this, &ClockWindow::SpinButton1UpClick);
    connect(SpinDown, &QToolButton::clicked, this, &ClockWindow::SpinButton1DownClick);
    connect(Button2, &QPushButton::clicked, this, &ClockWindow::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &ClockWindow::Button1Click);

    report_ = [this](const QString& message) {
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(), message);
    };
}

ClockWindow::~ClockWindow() = default;

void ClockWindow::SetMessageReporter(std::function<void(const QString&)> reporter) {
    report_ = std::move(reporter);
}

void ClockWindow::FormActivate() {
    Timer1->start();
    Timer1Timer();
    settingMode_ = false;
}

void ClockWindow::FormDeactivate() {
    Timer1->stop();
}

void ClockWindow::Timer1Timer() {
    const vokc::DateTimeFields now = clock_->Now();
    Label1->setText(QString::fromStdString(vokc::ClockTimeText(now)));
    Label2->setText(QString::fromStdString(vokc::ClockDateText(now)));
}

void ClockWindow::Adjust(int delta) {
    std::string time = Label1->text().toStdString();
    std::string date = Label2->text().toStdString();
    const std::string error = vokc::AdjustClockField(RadioButtons->checkedId(), delta, time, date);
    if (!error.empty()) {
        Report(error);
        return;
    }
    Label1->setText(QString::fromStdString(time));
    Label2->setText(QString::fromStdString(date));
}

void ClockWindow::SpinButton1UpClick() {
    Adjust(+1);
}

void ClockWindow::SpinButton1DownClick() {
    Adjust(-1);
}

void ClockWindow::Button2Click() {
    const bool wasSetting = settingMode_;
    settingMode_ = !settingMode_;
    if (wasSetting) Modifie();
    if (settingMode_)
        Timer1->stop();
    else
        Timer1->start();
}

void ClockWindow::Button1Click() {
    close();
}

void ClockWindow::Modifie() {
    Report(vokc::SetClockFromTexts(Label1->text().toStdString(), Label2->text().toStdString(),
                                   *clock_));
}

void ClockWindow::Report(const std::string& message) {
    if (!message.empty() && report_) report_(QString::fromStdString(message));
}

bool ClockWindow::event(QEvent* event) {
    // Opening the window runs the clock; leaving it stops the display. A message box
    // over the window is neither: the frozen display survives it.
    if (event->type() == QEvent::Show)
        FormActivate();
    else if (event->type() == QEvent::Hide)
        FormDeactivate();
    return QDialog::event(event);
}

void ClockWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Button1Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vokc
