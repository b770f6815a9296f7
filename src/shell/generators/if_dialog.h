// "Condition If": the if generator's dialog.
//
// The editor's Ifg shows it modally (exec()), calls Result and hands the text to
// vokc::IfgInsertion (skeletons.h). Created once and reused.
#pragma once

#include "generator_dialog.h"
#include "skeletons.h"

class QCheckBox;

namespace vokc {

class IfDialog : public GeneratorDialog {
    Q_OBJECT
  public:
    explicit IfDialog(QWidget* parent = nullptr);

    QLineEdit* Edit1;        // "Opérande 1"
    RadioGroup* RadioGroup1; // "Opérateur": " ==", " <", " >", " <=", " >=", "!="
    QLineEdit* Edit2;        // "Opérande 2"
    QCheckBox* CheckBox1;    // " ELSE"

    vokc::ConditionFields Fields() const;
    // The if skeleton, with its else block when " ELSE" is ticked; empty when not
    // confirmed, with no operator or no operand 1.
    void Result(QString& text, bool& confirmed) const;
};

} // namespace vokc
