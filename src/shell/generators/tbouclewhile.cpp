// The dialog of the while and do generators.
#include "tbouclewhile.h"

#include <QLineEdit>

TBoucleWhile::TBoucleWhile(QWidget* parent)
    : TGeneratorDialog(QStringLiteral("Boucle While"), parent) {
    Edit1 = AddEdit(QStringLiteral("Opérande 1"));
    RadioGroup1 =
        new TRadioGroup(QStringLiteral("Opérateur"),
                        {QStringLiteral(" =="), QStringLiteral(" <"), QStringLiteral(" >"),
                         QStringLiteral(" <="), QStringLiteral(" >="), QStringLiteral(" !=")},
                        this);
    AddRow(RadioGroup1);
    Edit2 = AddEdit(QStringLiteral("Opérande 2"));
    AddButtons();
}

vokc::ConditionFields TBoucleWhile::Fields() const {
    vokc::ConditionFields f;
    f.operand1 = Edit1->text().toStdU16String();
    f.operatorIndex = RadioGroup1->ItemIndex();
    f.operand2 = Edit2->text().toStdU16String();
    return f;
}

void TBoucleWhile::Result1(QString& text, bool& confirmed) const {
    confirmed = Confirmed;
    text = QString::fromStdU16String(vokc::WhileSkeleton(Fields(), Confirmed));
}

void TBoucleWhile::Result2(QString& text, bool& confirmed) const {
    confirmed = Confirmed;
    text = QString::fromStdU16String(vokc::DoSkeleton(Fields(), Confirmed));
}
