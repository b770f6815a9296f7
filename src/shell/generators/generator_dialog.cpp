// The shared frame of the generator dialogs: buttons, confirmation flag, keys.
#include "generator_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vokc {

namespace {

bool IsEnterOrEscape(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
           key->key() == Qt::Key_Escape;
}

} // namespace

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->installEventFilter(this);
        group_->addButton(button, i);
        layout->addWidget(button);
    }
}

int RadioGroup::itemIndex() const {
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = group_->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button: lift the rule for a moment.
    group_->setExclusive(false);
    for (QAbstractButton* button : group_->buttons())
        button->setChecked(false);
    group_->setExclusive(true);
}

int RadioGroup::count() const {
    return static_cast<int>(group_->buttons().size());
}

QRadioButton* RadioGroup::item(int index) const {
    return qobject_cast<QRadioButton*>(group_->button(index));
}

bool RadioGroup::eventFilter(QObject* watched, QEvent* event) {
    // Keys typed in a radio group are not the dialog's: Enter and Escape stop here.
    if (event->type() == QEvent::KeyPress && IsEnterOrEscape(static_cast<QKeyEvent*>(event)))
        return true;
    return QGroupBox::eventFilter(watched, event);
}

GeneratorDialog::GeneratorDialog(const QString& caption, QWidget* parent)
    : QDialog(parent), form_(new QGridLayout) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form_);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    cancelButton_ = new QPushButton(QStringLiteral("Annuler"), this);
    // Enter is the dialog's, whichever button has the focus.
    for (QPushButton* b : {okButton_, cancelButton_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(okButton_, &QPushButton::clicked, this, &GeneratorDialog::confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &GeneratorDialog::cancel);
}

void GeneratorDialog::confirm() {
    confirmed_ = true;
    accept();
}

void GeneratorDialog::cancel() {
    confirmed_ = false;
    reject();
}

void GeneratorDialog::handleCharacter(int character) {
    if (character == 13)
        confirm();
    else if (character == 27)
        cancel();
}

void GeneratorDialog::keyPressEvent(QKeyEvent* event) {
    // Reached by keys typed on the dialog, its edit fields, buttons and check box,
    // which all leave Enter and Escape to it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        handleCharacter(13);
    } else if (event->key() == Qt::Key_Escape) {
        handleCharacter(27);
    } else {
        QDialog::keyPressEvent(event);
    }
}

void GeneratorDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (firstField_) {
        firstField_->setFocus(Qt::OtherFocusReason);
        firstField_->selectAll();
    }
}

QLineEdit* GeneratorDialog::addEdit(const QString& label) {
    auto* edit = new QLineEdit(this);
    if (!firstField_) firstField_ = edit;
    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit);
    form_->addWidget(caption, rows_, 0);
    form_->addWidget(edit, rows_, 1);
    ++rows_;
    return edit;
}

void GeneratorDialog::addRow(QWidget* widget) {
    form_->addWidget(widget, rows_, 0, 1, 2);
    ++rows_;
}

void GeneratorDialog::addButtons() {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
    // Wide enough for the whole caption beside the title bar's buttons.
    QSize size = sizeHint();
    size.setWidth(std::max(size.width(), fontMetrics().horizontalAdvance(windowTitle()) + 120));
    setFixedSize(size);
}

} // namespace vokc
