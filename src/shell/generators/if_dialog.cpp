// The if generator's dialog.
#include "if_dialog.h"

#include <QCheckBox>
#include <QLineEdit>

namespace vokc {

IfDialog::IfDialog(QWidget* parent) : GeneratorDialog(QStringLiteral("Condition If"), parent) {
    operand1Edit_ = addEdit(QStringLiteral("Opérande 1"));
    operatorGroup_ =
        new RadioGroup(QStringLiteral("Opérateur"),
                       {QStringLiteral(" =="), QStringLiteral(" <"), QStringLiteral(" >"),
                        QStringLiteral(" <="), QStringLiteral(" >="), QStringLiteral("!=")},
                       this);
    addRow(operatorGroup_);
    operand2Edit_ = addEdit(QStringLiteral("Opérande 2"));
    elseBox_ = new QCheckBox(QStringLiteral(" ELSE"), this);
    addRow(elseBox_);
    addButtons();
}

vokc::ConditionFields IfDialog::fields() const {
    vokc::ConditionFields f;
    f.operand1 = operand1Edit_->text().toStdU16String();
    f.operatorIndex = operatorGroup_->itemIndex();
    f.operand2 = operand2Edit_->text().toStdU16String();
    return f;
}

void IfDialog::result(QString& text, bool& confirmed) const {
    confirmed = this->confirmed();
    text = QString::fromStdU16String(
        vokc::IfSkeleton(fields(), elseBox_->isChecked(), this->confirmed()));
}

} // namespace vokc
