// "Boucle For": the for-loop generator's dialog. Created once at start-up and reused:
// its fields keep what was typed.
#pragma once

#include "generator_dialog.h"
#include "skeletons.h"

namespace vokc {

class ForLoopDialog : public GeneratorDialog {
    Q_OBJECT
  public:
    explicit ForLoopDialog(QWidget* parent = nullptr);

    QLineEdit* counterEdit() const { return counterEdit_; } // "Compteur"
    QLineEdit* initialEdit() const { return initialEdit_; } // "Valeur initiale"
    QLineEdit* finalEdit() const { return finalEdit_; }     // "Valeur finale"
    RadioGroup* directionGroup() const {
        return directionGroup_;
    } // "Sens": "Croissant" (0), "Décroissant" (1)

    vokc::ForFields fields() const;
    // The skeleton of the dialog's current contents (empty when not confirmed or when
    // "Compteur" is empty) and the confirmation flag.
    void result(QString& text, bool& confirmed) const;

  private:
    QLineEdit* counterEdit_;
    QLineEdit* initialEdit_;
    QLineEdit* finalEdit_;
    RadioGroup* directionGroup_;
};

} // namespace vokc
