// The for-loop generator's dialog.
#include "for_loop_dialog.h"

#include <QLineEdit>

namespace vokc {

ForLoopDialog::ForLoopDialog(QWidget* parent)
    : GeneratorDialog(QStringLiteral("Boucle For"), parent) {
    counterEdit_ = addEdit(QStringLiteral("Compteur"));
    initialEdit_ = addEdit(QStringLiteral("Valeur initiale"));
    finalEdit_ = addEdit(QStringLiteral("Valeur finale"));
    directionGroup_ = new RadioGroup(
        QStringLiteral("Sens"), {QStringLiteral("Croissant"), QStringLiteral("Décroissant")}, this);
    directionGroup_->setItemIndex(0);
    addRow(directionGroup_);
    addButtons();
}

vokc::ForFields ForLoopDialog::fields() const {
    vokc::ForFields f;
    f.counter = counterEdit_->text().toStdU16String();
    f.initial = initialEdit_->text().toStdU16String();
    f.final = finalEdit_->text().toStdU16String();
    f.descending = directionGroup_->itemIndex() == 1;
    return f;
}

void ForLoopDialog::result(QString& text, bool& confirmed) const {
    confirmed = this->confirmed();
    text = QString::fromStdU16String(vokc::ForSkeleton(fields(), this->confirmed()));
}

} // namespace vokc
