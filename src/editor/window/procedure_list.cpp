#include "procedure_list.h"

#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

namespace vokc {

ProcedureList::ProcedureList(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Liste des Fonctions"));
    resize(435, 396);
    QFont f = font();
    f.setPixelSize(17);
    setFont(f);
    list_ = new QListWidget(this);
    list_->setObjectName("procedures");
    list_->setStyleSheet(QStringLiteral("QListWidget::item { height: 20px; }"));
    list_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
}

void ProcedureList::setProgram(const editor::Lines& lines) {
    list_->clear();
    for (const auto& item : editor::ProcedureItems(lines))
        list_->addItem(QString::fromStdU16String(item));
    list_->setCurrentRow(-1);
    list_->clearSelection();
}

QString ProcedureList::selected() const {
    const QListWidgetItem* item = list_->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

bool ProcedureList::handleListKey(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        accept();
        return true;
    }
    if (key == Qt::Key_Escape) {
        list_->clearSelection();
        list_->setCurrentRow(-1);
        reject();
        return true;
    }
    return false;
}

void ProcedureList::keyPressEvent(QKeyEvent* event) {
    if (!handleListKey(event->key())) QDialog::keyPressEvent(event);
}

bool ProcedureList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress)
        return handleListKey(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}

} // namespace vokc
