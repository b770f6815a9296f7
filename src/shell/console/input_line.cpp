#include "input_line.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace vokc {

InputLine::InputLine(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    edit_ = new QLineEdit(this);
    edit_->setObjectName("answer");
    edit_->setFrame(false);
    edit_->setTextMargins(0, 0, 0, 0);
    edit_->installEventFilter(this);
    hide();
}

InputLine::~InputLine() {
    if (loop_) loop_->quit();
}

QString InputLine::answer() const {
    return edit_->text();
}

void InputLine::showEvent(QShowEvent* event) {
    edit_->clear();
    edit_->setFont(font());
    edit_->setFocus();
    QWidget::showEvent(event);
}

void InputLine::resizeEvent(QResizeEvent* event) {
    edit_->setGeometry(0, 0, width(), height());
    QWidget::resizeEvent(event);
}

bool InputLine::read() {
    done_ = false;
    accepted_ = false;
    open_ = true;
    show();
    raise();
    edit_->setFocus();
    emit opened();
    // Enter or cancel() may come before the loop starts (from a handler of a signal
    // sent while showing): the loop only runs while the read is open.
    QPointer<InputLine> self(this);
    if (!done_) {
        QEventLoop loop;
        loop_ = &loop;
        loop.exec();
        if (!self) return false;
        loop_ = nullptr;
    }
    open_ = false;
    hide();
    return accepted_;
}

void InputLine::cancel() {
    finish(false);
}

void InputLine::finish(bool accepted) {
    if (done_) return;
    done_ = true;
    accepted_ = accepted;
    if (loop_) loop_->quit();
    if (!loop_) hide();
    if (accepted) emit entered();
}

bool InputLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            finish(true);
            return true;
        }
        if (key->key() == Qt::Key_Escape ||
            (key->key() == Qt::Key_Pause && (key->modifiers() & Qt::ControlModifier))) {
            emit stopKeyPressed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vokc
