// The if generator's dialog.
#include "if_dialog.h"

#include <QCheckBox>

namespace vokc {

IfDialog::IfDialog(QWidget* parent)
    : ConditionDialog(QStringLiteral("Condition If"), QStringLiteral("!="), parent) {
    elseBox_ = new QCheckBox(QStringLiteral(" ELSE"), this);
    addRow(elseBox_);
    addButtons();
}

void IfDialog::result(QString& text, bool& confirmed) const {
    confirmed = this->confirmed();
    text = QString::fromStdU16String(IfSkeleton(fields(), elseBox_->isChecked(), confirmed));
}

} // namespace vokc
