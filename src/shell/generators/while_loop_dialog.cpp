// The dialog of the while and do generators.
#include "while_loop_dialog.h"

#include <QLineEdit>

namespace vokc {

WhileLoopDialog::WhileLoopDialog(QWidget* parent)
    : GeneratorDialog(QStringLiteral("Boucle While"), parent) {
    Edit1 = AddEdit(QStringLiteral("Opérande 1"));
    RadioGroup1 =
        new RadioGroup(QStringLiteral("Opérateur"),
                       {QStringLiteral(" =="), QStringLiteral(" <"), QStringLiteral(" >"),
                        QStringLiteral(" <="), QStringLiteral(" >="), QStringLiteral(" !=")},
                       this);
    AddRow(RadioGroup1);
    Edit2 = AddEdit(QStringLiteral("Opérande 2"));
    AddButtons();
}

vokc::ConditionFields WhileLoopDialog::Fields() const {
    vokc::ConditionFields f;
    f.operand1 = Edit1->text().toStdU16String();
    f.operatorIndex = RadioGroup1->ItemIndex();
    f.operand2 = Edit2->text().toStdU16String();
    return f;
}

void WhileLoopDialog::Result1(QString& text, bool& confirmed) const {
    confirmed = Confirmed;
    text = QString::fromStdU16String(vokc::WhileSkeleton(Fields(), Confirmed));
}

void WhileLoopDialog::Result2(QString& text, bool& confirmed) const {
    confirmed = Confirmed;
    text = QString::fromStdU16String(vokc::DoSkeleton(Fields(), Confirmed));
}

} // namespace vokc
