// "A propos de VokC": the about box of the help menu.
#pragma once

#include <QDialog>

namespace vokc {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);
};

// Puts a window in the middle of its screen.
void CentreOnScreen(QWidget* window);

} // namespace vokc
