// "Boucle While" / "Boucle Do": the dialog shared by the while and do generators.
//
// The editor's whileg sets the caption "Boucle While", shows it modally (exec()), calls
// Result1 and hands the text to vokc::WhilegInsertion; Dog sets "Boucle Do", calls
// Result2 and uses vokc::DogInsertion (skeletons.h). Created once and reused.
#pragma once

#include "generator_dialog.h"
#include "skeletons.h"

namespace vokc {

class WhileLoopDialog : public GeneratorDialog {
    Q_OBJECT
  public:
    explicit WhileLoopDialog(QWidget* parent = nullptr);

    QLineEdit* Edit1;        // "Opérande 1"
    RadioGroup* RadioGroup1; // "Opérateur": " ==", " <", " >", " <=", " >=", " !="
    QLineEdit* Edit2;        // "Opérande 2"

    vokc::ConditionFields Fields() const;
    // The while skeleton; empty when not confirmed, with no operator or no operand 1.
    void Result1(QString& text, bool& confirmed) const;
    // The do skeleton, under the same conditions.
    void Result2(QString& text, bool& confirmed) const;
};

} // namespace vokc
