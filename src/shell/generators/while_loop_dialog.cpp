// The dialog of the while and do generators.
#include "while_loop_dialog.h"

#include <QLineEdit>

namespace vokc {

WhileLoopDialog::WhileLoopDialog(QWidget* parent)
    : GeneratorDialog(QStringLiteral("Boucle While"), parent) {
    operand1Edit_ = addEdit(QStringLiteral("Opérande 1"));
    operatorGroup_ =
        new RadioGroup(QStringLiteral("Opérateur"),
                       {QStringLiteral(" =="), QStringLiteral(" <"), QStringLiteral(" >"),
                        QStringLiteral(" <="), QStringLiteral(" >="), QStringLiteral(" !=")},
                       this);
    addRow(operatorGroup_);
    operand2Edit_ = addEdit(QStringLiteral("Opérande 2"));
    addButtons();
}

vokc::ConditionFields WhileLoopDialog::fields() const {
    vokc::ConditionFields f;
    f.operand1 = operand1Edit_->text().toStdU16String();
    f.operatorIndex = operatorGroup_->itemIndex();
    f.operand2 = operand2Edit_->text().toStdU16String();
    return f;
}

void WhileLoopDialog::whileResult(QString& text, bool& confirmed) const {
    confirmed = this->confirmed();
    text = QString::fromStdU16String(vokc::WhileSkeleton(fields(), this->confirmed()));
}

void WhileLoopDialog::doResult(QString& text, bool& confirmed) const {
    confirmed = this->confirmed();
    text = QString::fromStdU16String(vokc::DoSkeleton(fields(), this->confirmed()));
}

} // namespace vokc
