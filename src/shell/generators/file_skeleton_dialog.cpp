// The file generators' dialog.
#include "file_skeleton_dialog.h"

#include <QLineEdit>

namespace vokc {

FileSkeletonDialog::FileSkeletonDialog(QWidget* parent)
    : GeneratorDialog(QStringLiteral("Lecture / Ecriture fichier"), parent) {
    Edit1 = AddEdit(QStringLiteral("Variable fichier"));
    Edit2 = AddEdit(QStringLiteral("Nom du fichier"));
    RadioGroup1 = new RadioGroup(QStringLiteral("Mode d'ouverture"),
                                 {QStringLiteral("Lecture"), QStringLiteral("Ecriture")}, this);
    RadioGroup1->SetItemIndex(vokc::kFileRead);
    AddRow(RadioGroup1);
    AddButtons();
}

void FileSkeletonDialog::SetMode(int mode) {
    RadioGroup1->SetItemIndex(mode);
}

vokc::FileFields FileSkeletonDialog::Fields() const {
    vokc::FileFields f;
    f.variable = Edit1->text().toStdU16String();
    f.fileName = Edit2->text().toStdU16String();
    f.mode = RadioGroup1->ItemIndex();
    return f;
}

void FileSkeletonDialog::Result(QString& text, bool& confirmed) const {
    confirmed = Confirmed;
    text = QString::fromStdU16String(vokc::FileSkeleton(Fields(), Confirmed));
}

} // namespace vokc
