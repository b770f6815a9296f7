// The pocket calculator window: the keys, the display and the keyboard.
#include "calculator_window.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace vokc {

namespace {

const QColor kTeal(0, 128, 128);
const QColor kNavy(0, 0, 128);
const QColor kSilver(192, 192, 192);

struct KeyPlace {
    int index;
    const char* caption;
    int column; // 0-2 the digits, 3 the operators, 4 the functions
    int row;    // 0-3 from the top
};

constexpr KeyPlace kKeys[] = {
    {7, "7", 0, 0},  {8, "8", 1, 0}, {9, "9", 2, 0},  {12, "+", 3, 0}, {16, "1/x", 4, 0},
    {4, "4", 0, 1},  {5, "5", 1, 1}, {6, "6", 2, 1},  {13, "-", 3, 1}, {17, "sqr", 4, 1},
    {1, "1", 0, 2},  {2, "2", 1, 2}, {3, "3", 2, 2},  {14, "*", 3, 2}, {18, "C", 4, 2},
    {10, ",", 0, 3}, {0, "0", 1, 3}, {11, "=", 2, 3}, {15, "/", 3, 3},
};

// The key of each button index.
vokc::CalcKey KeyOfButton(int index) {
    static constexpr vokc::CalcKey kOthers[] = {
        vokc::CalcKey::Comma,      vokc::CalcKey::Equals,     vokc::CalcKey::Plus,
        vokc::CalcKey::Minus,      vokc::CalcKey::Times,      vokc::CalcKey::Divide,
        vokc::CalcKey::Reciprocal, vokc::CalcKey::SquareRoot, vokc::CalcKey::Clear};
    if (index <= 9) return static_cast<vokc::CalcKey>(index);
    return kOthers[index - 10];
}

// The button index of a key.
int ButtonOfKey(vokc::CalcKey key) {
    for (int i = 0; i <= 18; ++i)
        if (KeyOfButton(i) == key) return i;
    return -1;
}

} // namespace

CalculatorWindow::CalculatorWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Calculatrice"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(342, 219);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kTeal);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* panel1 = new QLabel(this);
    panel1->setGeometry(0, 0, 342, 49);
    panel1->setAutoFillBackground(true);
    QPalette white = panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel1->setPalette(white);

    display_ = new QLabel(panel1);
    display_->setGeometry(10, 8, 185, 33);
    display_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    display_->setLineWidth(2);
    display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display_->setAutoFillBackground(true);
    QPalette display = display_->palette();
    display.setColor(QPalette::Window, kNavy);
    display.setColor(QPalette::WindowText, kSilver);
    display_->setPalette(display);
    QFont font = display_->font();
    font.setPixelSize(18);
    font.setBold(true);
    display_->setFont(font);

    auto* label2 = new QLabel(panel1);
    label2->setGeometry(190, 20, 147, 9);
    label2->setAutoFillBackground(true);
    QPalette red = label2->palette();
    red.setColor(QPalette::Window, Qt::red);
    label2->setPalette(red);

    buildKeys();
    reportError_ = [this](const QString& message) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), message);
    };
}

void CalculatorWindow::buildKeys() {
    for (const KeyPlace& k : kKeys) {
        auto* b = new QPushButton(QString::fromLatin1(k.caption), this);
        b->setGeometry(12 + 40 * k.column + (k.column >= 3 ? 10 * (k.column - 2) : 0),
                       58 + 39 * k.row, 34, 33);
        const vokc::CalcKey key = KeyOfButton(k.index);
        connect(b, &QPushButton::clicked, this, [this, key] { press(key); });
        keys_[k.index] = b;
    }
    keys_[19] = new QPushButton(QStringLiteral("Fermer"), this);
    keys_[19]->setGeometry(258, 175, 74, 33);
    connect(keys_[19], &QPushButton::clicked, this, &CalculatorWindow::closeWindow);
    // Keys typed while "1/x" or "sqr" has the focus are not the window's.
    keys_[16]->installEventFilter(this);
    keys_[17]->installEventFilter(this);
}

void CalculatorWindow::setErrorReporter(std::function<void(const QString&)> reporter) {
    reportError_ = std::move(reporter);
}

void CalculatorWindow::press(vokc::CalcKey key) {
    const std::string error = calc_.Press(key);
    showOnDisplay(QString::fromStdString(calc_.Display()));
    if (!error.empty() && reportError_) reportError_(QString::fromStdString(error));
}

void CalculatorWindow::showOnDisplay(const QString& number) {
    // A long number shrinks the digits until it fits; past the smallest size it keeps its
    // most significant digits and ends with an ellipsis, never losing its start unseen.
    constexpr int kLargest = 18;
    constexpr int kSmallest = 9;
    const int room = display_->contentsRect().width() - 4;
    QFont font = display_->font();
    int size = kLargest;
    for (; size > kSmallest; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(number) <= room) break;
    }
    font.setPixelSize(size);
    display_->setFont(font);
    display_->setText(QFontMetrics(font).elidedText(number, Qt::ElideRight, room));
    display_->setToolTip(number);
}

void CalculatorWindow::resetDisplay() {
    calc_.Clear();
    showOnDisplay(QString());
    keys_[11]->setFocus();
}

void CalculatorWindow::handleCharacter(QChar character) {
    if (character.unicode() == 27) {
        closeWindow();
        return;
    }
    if (const auto key = vokc::CalcKeyForChar(character.unicode()))
        keys_[ButtonOfKey(*key)]->click();
}

void CalculatorWindow::closeWindow() {
    close();
}

bool CalculatorWindow::event(QEvent* event) {
    // Every opening starts afresh. An error box closing over the window is no opening:
    // the pending operation survives it.
    if (event->type() == QEvent::Show) resetDisplay();
    return QDialog::event(event);
}

void CalculatorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        handleCharacter(QChar(27));
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && vokc::CalcKeyForChar(text[0].unicode())) {
        handleCharacter(text[0]);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape && key->text().size() == 1 &&
            vokc::CalcKeyForChar(key->text()[0].unicode()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vokc
