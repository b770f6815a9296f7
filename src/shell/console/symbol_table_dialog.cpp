#include "symbol_table_dialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vokc {

SymbolTableDialog::SymbolTableDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Table des Symboles"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    list_ = new QListWidget(this);
    list_->setObjectName("symbols");
    QFont mono(QStringLiteral("Liberation Mono"));
    mono.setStyleHint(QFont::Monospace);
    list_->setFont(mono);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(okButton_, 0, Qt::AlignHCenter);
    list_->installEventFilter(this);
    okButton_->installEventFilter(this);
    resize(560, 420);
}

void SymbolTableDialog::setLines(const QStringList& lines) {
    list_->clear();
    list_->addItems(lines);
}

bool SymbolTableDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vokc
