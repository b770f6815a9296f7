#include "hint_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

namespace vokc {

QMessageBox* MakeHintBox(QWidget* parent, const QString& text, const QString& hint, bool error) {
    auto* box = new QMessageBox(error ? QMessageBox::Critical : QMessageBox::Information,
                                QStringLiteral("Vok C"), text, QMessageBox::Ok, parent);
    box->setInformativeText(hint);
    QPushButton* help = box->addButton(QStringLiteral("Aide"), QMessageBox::HelpRole);
    help->setObjectName("helpButton");
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), box);
    QObject::connect(f1, &QShortcut::activated, help, &QPushButton::click);
    box->setDefaultButton(QMessageBox::Ok);
    return box;
}

bool ShowHintBox(QWidget* parent, const QString& text, const QString& hint, bool error) {
    QMessageBox* box = MakeHintBox(parent, text, hint, error);
    box->exec();
    const bool help = box->clickedButton() == box->findChild<QPushButton*>("helpButton");
    delete box;
    return help;
}

} // namespace vokc
