// What the if, while and do generators' dialogs share: the fields of a condition,
// "Opérande 1", the "Opérateur" group and "Opérande 2", one under the other.
#pragma once

#include "generator_dialog.h"
#include "skeletons.h"

namespace vokc {

class ConditionDialog : public GeneratorDialog {
    Q_OBJECT
  public:
    QLineEdit* operand1Edit() const { return operand1Edit_; } // "Opérande 1"
    // "Opérateur": " ==", " <", " >", " <=", " >=", then the caption of "!=" (its
    // spacing differs between the dialogs).
    RadioGroup* operatorGroup() const { return operatorGroup_; }
    QLineEdit* operand2Edit() const { return operand2Edit_; } // "Opérande 2"

    ConditionFields fields() const;

  protected:
    // Adds the three fields; the dialog adds its own below them, then the buttons.
    ConditionDialog(const QString& caption, const QString& unequalCaption, QWidget* parent);

  private:
    QLineEdit* operand1Edit_;
    RadioGroup* operatorGroup_;
    QLineEdit* operand2Edit_;
};

} // namespace vokc
