// The message box of a common mistake: the message exactly as it is, its hint below it,
// and an "Aide" button (also F1) that asks for the help page of that message.
#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace vokc {

// Shows the box modally; true when the user asked for help.
bool ShowHintBox(QWidget* parent, const QString& text, const QString& hint, bool error);
// The box without showing it (tests look at it).
QMessageBox* MakeHintBox(QWidget* parent, const QString& text, const QString& hint, bool error);

} // namespace vokc
