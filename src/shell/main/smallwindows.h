// The splash window shown during start-up, the about box, and the execution-parameters
// dialog (created with the others, shown by no command).
#pragma once

#include <QDialog>
#include <QWidget>

class QLineEdit;

class TSplash : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr);
};

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
public slots:
    void OKButtonClick();
};

class TParametres : public QDialog {
    Q_OBJECT
public:
    explicit TParametres(QWidget* parent = nullptr);
    QLineEdit* Edit1;
};
