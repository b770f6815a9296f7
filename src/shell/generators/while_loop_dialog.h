// "Boucle While" / "Boucle Do": the dialog shared by the while and do generators (the
// main window sets the caption before showing it). Created once and reused.
#pragma once

#include "condition_dialog.h"

namespace vokc {

class WhileLoopDialog : public ConditionDialog {
    Q_OBJECT
  public:
    explicit WhileLoopDialog(QWidget* parent = nullptr);

    // The while skeleton; empty when not confirmed, with no operator or no operand 1.
    void whileResult(QString& text, bool& confirmed) const;
    // The do skeleton, under the same conditions.
    void doResult(QString& text, bool& confirmed) const;
};

} // namespace vokc
