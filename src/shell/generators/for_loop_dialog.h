// "Boucle For": the for-loop generator's dialog.
//
// The editor's Forg shows it modally (exec()), then calls Result and hands the text to
// vokc::ForgInsertion (skeletons.h). Created once at start-up and reused.
#pragma once

#include "generator_dialog.h"
#include "skeletons.h"

namespace vokc {

class ForLoopDialog : public GeneratorDialog {
    Q_OBJECT
  public:
    explicit ForLoopDialog(QWidget* parent = nullptr);

    QLineEdit* Edit1;        // "Compteur"
    QLineEdit* Edit2;        // "Valeur initiale"
    QLineEdit* Edit3;        // "Valeur finale"
    RadioGroup* RadioGroup1; // "Sens": "Croissant" (0), "Décroissant" (1)

    vokc::ForFields Fields() const;
    // The skeleton of the dialog's current contents (empty when not confirmed or when
    // "Compteur" is empty) and the confirmation flag.
    void Result(QString& text, bool& confirmed) const;
};

} // namespace vokc
