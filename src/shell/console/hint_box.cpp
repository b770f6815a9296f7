#include "hint_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

namespace vokc {

namespace {
RunMessage HintedMessage(const QString& text, const QString& hint, bool error) {
    RunMessage message;
    message.text = text;
    message.hint = hint;
    message.error = error;
    return message;
}
} // namespace

QMessageBox* MakeRunMessageBox(QWidget* parent, const RunMessage& message) {
    // Every message of a run is an error that stopped it.
    const QString caption = message.line >= 0
                                ? QStringLiteral("Vok C - Ligne %1").arg(message.line + 1)
                                : QStringLiteral("Vok C");
    auto* box =
        new QMessageBox(QMessageBox::Critical, caption, message.text, QMessageBox::Ok, parent);
    QStringList below;
    if (message.count > 1)
        below << QStringLiteral("(%1 fois de suite sur cette ligne)").arg(message.count);
    if (!message.hint.isEmpty()) below << message.hint;
    box->setInformativeText(below.join(QLatin1Char('\n')));
    if (!message.hint.isEmpty()) {
        QPushButton* help = box->addButton(QStringLiteral("Aide"), QMessageBox::HelpRole);
        help->setObjectName("helpButton");
        auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), box);
        QObject::connect(f1, &QShortcut::activated, help, &QPushButton::click);
    }
    box->setDefaultButton(QMessageBox::Ok);
    return box;
}

bool ShowRunMessageBox(QWidget* parent, const RunMessage& message) {
    QMessageBox* box = MakeRunMessageBox(parent, message);
    box->exec();
    QPushButton* help = box->findChild<QPushButton*>("helpButton");
    const bool asked = help && box->clickedButton() == help;
    delete box;
    return asked;
}

QMessageBox* MakeHintBox(QWidget* parent, const QString& text, const QString& hint, bool error) {
    return MakeRunMessageBox(parent, HintedMessage(text, hint, error));
}

bool ShowHintBox(QWidget* parent, const QString& text, const QString& hint, bool error) {
    return ShowRunMessageBox(parent, HintedMessage(text, hint, error));
}

} // namespace vokc
