// "Liste des Fonctions": the procedures of the program; choosing one moves the caret to it.
#pragma once

#include <QDialog>

#include "editorlogic.h"

class QListWidget;

namespace vokc {

class ProcedureList : public QDialog {
    Q_OBJECT
  public:
    explicit ProcedureList(QWidget* parent = nullptr);
    // Fills the list with the procedure lines of a program; nothing is selected.
    void setProgram(const editor::Lines& lines);
    // The chosen item after the dialog closed, or an empty text.
    QString selected() const;
    QListWidget* list() const { return list_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool handleListKey(int key);
    QListWidget* list_;
};

} // namespace vokc
