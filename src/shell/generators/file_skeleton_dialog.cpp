// The file generators' dialog.
#include "file_skeleton_dialog.h"

#include <QLineEdit>

namespace vokc {

FileSkeletonDialog::FileSkeletonDialog(QWidget* parent)
    : GeneratorDialog(QStringLiteral("Lecture / Ecriture fichier"), parent) {
    variableEdit_ = addEdit(QStringLiteral("Variable fichier"));
    fileNameEdit_ = addEdit(QStringLiteral("Nom du fichier"));
    modeGroup_ = new RadioGroup(QStringLiteral("Mode d'ouverture"),
                                {QStringLiteral("Lecture"), QStringLiteral("Ecriture")}, this);
    modeGroup_->setItemIndex(vokc::kFileRead);
    addRow(modeGroup_);
    addButtons();
}

void FileSkeletonDialog::setMode(int mode) {
    modeGroup_->setItemIndex(mode);
}

vokc::FileFields FileSkeletonDialog::fields() const {
    vokc::FileFields f;
    f.variable = variableEdit_->text().toStdU16String();
    f.fileName = fileNameEdit_->text().toStdU16String();
    f.mode = modeGroup_->itemIndex();
    return f;
}

void FileSkeletonDialog::result(QString& text, bool& confirmed) const {
    confirmed = this->confirmed();
    text = QString::fromStdU16String(vokc::FileSkeleton(fields(), this->confirmed()));
}

} // namespace vokc
