#include "examine_dialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vokc {

ExamineDialog::ExamineDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Examiner variable"));
    referenceEdit_ = new QLineEdit(this);
    referenceEdit_->setObjectName("reference");
    resultEdit_ = new QLineEdit(this);
    resultEdit_->setObjectName("result");
    resultEdit_->setReadOnly(true);
    resultEdit_->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    closeButton_ = new QPushButton(QStringLiteral("Fermer"), this);
    closeButton_->setAutoDefault(false);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Variable"), this));
    layout->addWidget(referenceEdit_);
    layout->addWidget(new QLabel(QStringLiteral("R\u00E9sultat"), this));
    layout->addWidget(resultEdit_);
    layout->addWidget(closeButton_, 0, Qt::AlignRight);
    referenceEdit_->installEventFilter(this);
    resize(320, 170);
}

void ExamineDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    referenceEdit_->setFocus();
}

bool ExamineDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == referenceEdit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            accept();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (evaluate_) resultEdit_->setText(evaluate_(referenceEdit_->text()));
            referenceEdit_->selectAll(); // the next name is typed over this one
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vokc
