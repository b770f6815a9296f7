// "Lecture / Ecriture fichier": the dialog of the read-file and write-file generators.
//
// The editor's Liref calls SetMode(vokc::kFileRead), Ecriref SetMode(vokc::kFileWrite);
// either then shows it modally (exec()), calls Result and hands the text to
// vokc::FileInsertion (skeletons.h). The user may still change the mode in the dialog.
#pragma once

#include "generator_dialog.h"
#include "skeletons.h"

namespace vokc {

class FileSkeletonDialog : public GeneratorDialog {
    Q_OBJECT
  public:
    explicit FileSkeletonDialog(QWidget* parent = nullptr);

    QLineEdit* Edit1;        // "Variable fichier"
    QLineEdit* Edit2;        // "Nom du fichier"
    RadioGroup* RadioGroup1; // "Mode d'ouverture": "Lecture" (0), "Ecriture" (1)

    void SetMode(int mode);
    vokc::FileFields Fields() const;
    // The open and close statements; empty only when not confirmed. Nothing is checked.
    void Result(QString& text, bool& confirmed) const;
};

} // namespace vokc
