// "Liste des Fonctions": the procedures of the program; choosing one moves the caret to it.
#pragma once

#include <QDialog>

#include "editorlogic.h"

class QListWidget;

class TListeSel : public QDialog {
    Q_OBJECT
public:
    explicit TListeSel(QWidget* parent = nullptr);
    // Fills the list with the procedure lines of a program; nothing is selected.
    void Init(const vokc::editor::Lines& lines);
    // The chosen item after the dialog closed, or an empty text.
    QString Selected() const;
    QListWidget* ListBox1;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListBox1Click();
    bool ListBox1KeyPress(int key);
};
