// The if generator's dialog.
#include "if_dialog.h"

#include <QCheckBox>
#include <QLineEdit>

namespace vokc {

IfDialog::IfDialog(QWidget* parent) : GeneratorDialog(QStringLiteral("Condition If"), parent) {
    Edit1 = AddEdit(QStringLiteral("Opérande 1"));
    RadioGroup1 =
        new RadioGroup(QStringLiteral("Opérateur"),
                       {QStringLiteral(" =="), QStringLiteral(" <"), QStringLiteral(" >"),
                        QStringLiteral(" <="), QStringLiteral(" >="), QStringLiteral("!=")},
                       this);
    AddRow(RadioGroup1);
    Edit2 = AddEdit(QStringLiteral("Opérande 2"));
    CheckBox1 = new QCheckBox(QStringLiteral(" ELSE"), this);
    AddRow(CheckBox1);
    AddButtons();
}

vokc::ConditionFields IfDialog::Fields() const {
    vokc::ConditionFields f;
    f.operand1 = Edit1->text().toStdU16String();
    f.operatorIndex = RadioGroup1->ItemIndex();
    f.operand2 = Edit2->text().toStdU16String();
    return f;
}

void IfDialog::Result(QString& text, bool& confirmed) const {
    confirmed = Confirmed;
    text = QString::fromStdU16String(vokc::IfSkeleton(Fields(), CheckBox1->isChecked(), Confirmed));
}

} // namespace vokc
