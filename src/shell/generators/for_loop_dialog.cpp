// The for-loop generator's dialog.
#include "for_loop_dialog.h"

#include <QLineEdit>

namespace vokc {

ForLoopDialog::ForLoopDialog(QWidget* parent)
    : GeneratorDialog(QStringLiteral("Boucle For"), parent) {
    Edit1 = AddEdit(QStringLiteral("Compteur"));
    Edit2 = AddEdit(QStringLiteral("Valeur initiale"));
    Edit3 = AddEdit(QStringLiteral("Valeur finale"));
    RadioGroup1 = new RadioGroup(
        QStringLiteral("Sens"), {QStringLiteral("Croissant"), QStringLiteral("Décroissant")}, this);
    RadioGroup1->SetItemIndex(0);
    AddRow(RadioGroup1);
    AddButtons();
}

vokc::ForFields ForLoopDialog::Fields() const {
    vokc::ForFields f;
    f.counter = Edit1->text().toStdU16String();
    f.initial = Edit2->text().toStdU16String();
    f.final = Edit3->text().toStdU16String();
    f.descending = RadioGroup1->ItemIndex() == 1;
    return f;
}

void ForLoopDialog::Result(QString& text, bool& confirmed) const {
    confirmed = Confirmed;
    text = QString::fromStdU16String(vokc::ForSkeleton(Fields(), Confirmed));
}

} // namespace vokc
