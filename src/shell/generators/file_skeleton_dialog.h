// "Lecture / Ecriture fichier": the dialog of the read-file and write-file generators.
// The main window sets the mode before showing it; the user may still change it.
#pragma once

#include "generator_dialog.h"
#include "skeletons.h"

namespace vokc {

class FileSkeletonDialog : public GeneratorDialog {
    Q_OBJECT
  public:
    explicit FileSkeletonDialog(QWidget* parent = nullptr);

    QLineEdit* variableEdit() const { return variableEdit_; } // "Variable fichier"
    QLineEdit* fileNameEdit() const { return fileNameEdit_; } // "Nom du fichier"
    RadioGroup* modeGroup() const {
        return modeGroup_;
    } // "Mode d'ouverture": "Lecture" (0), "Ecriture" (1)

    void setMode(int mode);
    vokc::FileFields fields() const;
    // The open and close statements; empty only when not confirmed. Nothing is checked.
    void result(QString& text, bool& confirmed) const;

  private:
    QLineEdit* variableEdit_;
    QLineEdit* fileNameEdit_;
    RadioGroup* modeGroup_;
};

} // namespace vokc
