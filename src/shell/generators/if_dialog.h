// "Condition If": the if generator's dialog. Created once and reused.
#pragma once

#include "condition_dialog.h"

class QCheckBox;

namespace vokc {

class IfDialog : public ConditionDialog {
    Q_OBJECT
  public:
    explicit IfDialog(QWidget* parent = nullptr);

    QCheckBox* elseBox() const { return elseBox_; } // " ELSE"

    // The if skeleton, with its else block when " ELSE" is ticked; empty when not
    // confirmed, with no operator or no operand 1.
    void result(QString& text, bool& confirmed) const;

  private:
    QCheckBox* elseBox_;
};

} // namespace vokc
