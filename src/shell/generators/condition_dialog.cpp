#include "condition_dialog.h"

#include <QLineEdit>

namespace vokc {

ConditionDialog::ConditionDialog(const QString& caption, const QString& unequalCaption,
                                 QWidget* parent)
    : GeneratorDialog(caption, parent) {
    operand1Edit_ = addEdit(QStringLiteral("Opérande 1"));
    operatorGroup_ =
        new RadioGroup(QStringLiteral("Opérateur"),
                       {QStringLiteral(" =="), QStringLiteral(" <"), QStringLiteral(" >"),
                        QStringLiteral(" <="), QStringLiteral(" >="), unequalCaption},
                       this);
    addRow(operatorGroup_);
    operand2Edit_ = addEdit(QStringLiteral("Opérande 2"));
}

ConditionFields ConditionDialog::fields() const {
    ConditionFields f;
    f.operand1 = operand1Edit_->text().toStdU16String();
    f.operatorIndex = operatorGroup_->itemIndex();
    f.operand2 = operand2Edit_->text().toStdU16String();
    return f;
}

} // namespace vokc
