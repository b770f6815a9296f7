// The file generators' dialog.
#include "tfileio.h"

#include <QLineEdit>

TFileIO::TFileIO(QWidget* parent)
    : TGeneratorDialog(QStringLiteral("Lecture / Ecriture fichier"), parent) {
    Edit1 = AddEdit(QStringLiteral("Variable fichier"));
    Edit2 = AddEdit(QStringLiteral("Nom du fichier"));
    RadioGroup1 = new TRadioGroup(QStringLiteral("Mode d'ouverture"),
                                  {QStringLiteral("Lecture"), QStringLiteral("Ecriture")}, this);
    RadioGroup1->SetItemIndex(vokc::kFileRead);
    AddRow(RadioGroup1);
    AddButtons();
}

void TFileIO::SetMode(int mode) {
    RadioGroup1->SetItemIndex(mode);
}

vokc::FileFields TFileIO::Fields() const {
    vokc::FileFields f;
    f.variable = Edit1->text().toStdU16String();
    f.fileName = Edit2->text().toStdU16String();
    f.mode = RadioGroup1->ItemIndex();
    return f;
}

void TFileIO::Result(QString& text, bool& confirmed) const {
    confirmed = Confirmed;
    text = QString::fromStdU16String(vokc::FileSkeleton(Fields(), Confirmed));
}
