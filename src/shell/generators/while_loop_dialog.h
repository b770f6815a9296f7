// "Boucle While" / "Boucle Do": the dialog shared by the while and do generators (the
// main window sets the caption before showing it). Created once and reused.
#pragma once

#include "generator_dialog.h"
#include "skeletons.h"

namespace vokc {

class WhileLoopDialog : public GeneratorDialog {
    Q_OBJECT
  public:
    explicit WhileLoopDialog(QWidget* parent = nullptr);

    QLineEdit* operand1Edit() const { return operand1Edit_; } // "Opérande 1"
    RadioGroup* operatorGroup() const {
        return operatorGroup_;
    } // "Opérateur": " ==", " <", " >", " <=", " >=", " !="
    QLineEdit* operand2Edit() const { return operand2Edit_; } // "Opérande 2"

    vokc::ConditionFields fields() const;
    // The while skeleton; empty when not confirmed, with no operator or no operand 1.
    void whileResult(QString& text, bool& confirmed) const;
    // The do skeleton, under the same conditions.
    void doResult(QString& text, bool& confirmed) const;

  private:
    QLineEdit* operand1Edit_;
    RadioGroup* operatorGroup_;
    QLineEdit* operand2Edit_;
};

} // namespace vokc
