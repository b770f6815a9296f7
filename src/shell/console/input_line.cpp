#include "input_line.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "console_view.h"

namespace vokc {

InputLine::InputLine(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setModal(true);
    setFixedSize(427, 34);
    setStyleSheet(QStringLiteral("vokc--InputLine { background: white; }"));
    setFont(ConsoleFont());
    edit_ = new QLineEdit(this);
    edit_->setObjectName("answer");
    edit_->setFrame(false);
    edit_->setGeometry(1, 0, 424, 29);
    edit_->installEventFilter(this);
}

QString InputLine::answer() const {
    return edit_->text();
}

void InputLine::showEvent(QShowEvent* event) {
    edit_->clear();
    edit_->setFixedWidth(std::max(40, width() - 3));
    edit_->setFocus();
    QDialog::showEvent(event);
}

void InputLine::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        accept();
    else if (event->key() != Qt::Key_Escape)
        QDialog::keyPressEvent(event);
}

bool InputLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
        if (key->key() == Qt::Key_Escape) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void InputLine::reject() {}

} // namespace vokc
