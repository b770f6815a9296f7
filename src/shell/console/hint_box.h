// The message box of a run's message: the message exactly as it is, with the error icon
// and its line in the caption; below it how many times the line raised it, and for a
// common mistake its hint and an "Aide" button (also F1) that asks for the help page.
#pragma once

#include <QString>

#include "console_view.h"

class QMessageBox;
class QWidget;

namespace vokc {

// Shows the box modally; true when the user asked for help.
bool ShowRunMessageBox(QWidget* parent, const RunMessage& message);
// The box without showing it (tests look at it).
QMessageBox* MakeRunMessageBox(QWidget* parent, const RunMessage& message);

// A message with a hint and no line.
bool ShowHintBox(QWidget* parent, const QString& text, const QString& hint, bool error);
QMessageBox* MakeHintBox(QWidget* parent, const QString& text, const QString& hint, bool error);

} // namespace vokc
