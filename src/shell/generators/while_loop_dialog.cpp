// The dialog of the while and do generators.
#include "while_loop_dialog.h"

namespace vokc {

WhileLoopDialog::WhileLoopDialog(QWidget* parent)
    : ConditionDialog(QStringLiteral("Boucle While"), QStringLiteral(" !="), parent) {
    addButtons();
}

void WhileLoopDialog::whileResult(QString& text, bool& confirmed) const {
    confirmed = this->confirmed();
    text = QString::fromStdU16String(WhileSkeleton(fields(), confirmed));
}

void WhileLoopDialog::doResult(QString& text, bool& confirmed) const {
    confirmed = this->confirmed();
    text = QString::fromStdU16String(DoSkeleton(fields(), confirmed));
}

} // namespace vokc
