// "Condition If": the if generator's dialog. Created once and reused.
#pragma once

#include "generator_dialog.h"
#include "skeletons.h"

class QCheckBox;

namespace vokc {

class IfDialog : public GeneratorDialog {
    Q_OBJECT
  public:
    explicit IfDialog(QWidget* parent = nullptr);

    QLineEdit* operand1Edit() const { return operand1Edit_; } // "Opérande 1"
    RadioGroup* operatorGroup() const {
        return operatorGroup_;
    } // "Opérateur": " ==", " <", " >", " <=", " >=", "!="
    QLineEdit* operand2Edit() const { return operand2Edit_; } // "Opérande 2"
    QCheckBox* elseBox() const { return elseBox_; }           // " ELSE"

    vokc::ConditionFields fields() const;
    // The if skeleton, with its else block when " ELSE" is ticked; empty when not
    // confirmed, with no operator or no operand 1.
    void result(QString& text, bool& confirmed) const;

  private:
    QLineEdit* operand1Edit_;
    RadioGroup* operatorGroup_;
    QLineEdit* operand2Edit_;
    QCheckBox* elseBox_;
};

} // namespace vokc
