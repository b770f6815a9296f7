// The two windows that look into the interpreter's state: the symbol table listing
// "Table des Symboles" and the variable inspector "Examiner variable".
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

class TTableSymboles : public QDialog {
    Q_OBJECT
public:
    explicit TTableSymboles(QWidget* parent = nullptr);
    void Clear();
    void Init(const QString& line);
    QListWidget* ListBox1;
    QPushButton* Button1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class TVariable : public QDialog {
    Q_OBJECT
public:
    explicit TVariable(QWidget* parent = nullptr);
    // Turns a typed reference into the text shown (set by the console form).
    std::function<QString(const QString&)> Evaluate;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
