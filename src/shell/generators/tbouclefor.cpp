// The for-loop generator's dialog.
#include "tbouclefor.h"

#include <QLineEdit>

TBoucleFor::TBoucleFor(QWidget* parent) : TGeneratorDialog(QStringLiteral("Boucle For"), parent) {
    Edit1 = AddEdit(QStringLiteral("Compteur"));
    Edit2 = AddEdit(QStringLiteral("Valeur initiale"));
    Edit3 = AddEdit(QStringLiteral("Valeur finale"));
    RadioGroup1 = new TRadioGroup(
        QStringLiteral("Sens"), {QStringLiteral("Croissant"), QStringLiteral("Décroissant")}, this);
    RadioGroup1->SetItemIndex(0);
    AddRow(RadioGroup1);
    AddButtons();
}

vokc::ForFields TBoucleFor::Fields() const {
    vokc::ForFields f;
    f.counter = Edit1->text().toStdU16String();
    f.initial = Edit2->text().toStdU16String();
    f.final = Edit3->text().toStdU16String();
    f.descending = RadioGroup1->ItemIndex() == 1;
    return f;
}

void TBoucleFor::Result(QString& text, bool& confirmed) const {
    confirmed = Confirmed;
    text = QString::fromStdU16String(vokc::ForSkeleton(Fields(), Confirmed));
}
