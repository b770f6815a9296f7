// "Lecture / Ecriture fichier": the dialog of the read-file and write-file generators.
//
// The editor's Liref calls SetMode(vokc::kFileRead), Ecriref SetMode(vokc::kFileWrite);
// either then shows it modally (exec()), calls Result and hands the text to
// vokc::FileInsertion (skeletons.h). The user may still change the mode in the dialog.
#pragma once

#include "generatordialog.h"
#include "skeletons.h"

class TFileIO : public TGeneratorDialog {
    Q_OBJECT
  public:
    explicit TFileIO(QWidget* parent = nullptr);

    QLineEdit* Edit1;         // "Variable fichier"
    QLineEdit* Edit2;         // "Nom du fichier"
    TRadioGroup* RadioGroup1; // "Mode d'ouverture": "Lecture" (0), "Ecriture" (1)

    void SetMode(int mode);
    vokc::FileFields Fields() const;
    // The open and close statements; empty only when not confirmed. Nothing is checked.
    void Result(QString& text, bool& confirmed) const;
};
