#include "symbolwindows.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TTableSymboles::TTableSymboles(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Table des Symboles"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    QFont mono(QStringLiteral("Liberation Mono"));
    mono.setStyleHint(QFont::Monospace);
    ListBox1->setFont(mono);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    for (QWidget* w : {static_cast<QWidget*>(ListBox1), static_cast<QWidget*>(Button1)}) w->installEventFilter(this);
    resize(560, 420);
}

void TTableSymboles::Clear() { ListBox1->clear(); }
void TTableSymboles::Init(const QString& line) { ListBox1->addItem(line); }

bool TTableSymboles::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

TVariable::TVariable(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Examiner variable"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setReadOnly(true);
    Edit2->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    Button1 = new QPushButton(QStringLiteral("Fermer"), this);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Variable"), this));
    layout->addWidget(Edit1);
    layout->addWidget(new QLabel(QStringLiteral("R\u00E9sultat"), this));
    layout->addWidget(Edit2);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    Edit1->installEventFilter(this);
    resize(320, 170);
}

void TVariable::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
}

bool TVariable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            accept();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (Evaluate) Edit2->setText(Evaluate(Edit1->text()));
            Edit1->selectAll(); // the next name is typed over this one
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
