#include "listesel.h"

#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

TListeSel::TListeSel(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Liste des Fonctions"));
    resize(435, 396);
    QFont f = font();
    f.setPixelSize(17);
    setFont(f);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setStyleSheet(QStringLiteral("QListWidget::item { height: 20px; }"));
    ListBox1->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1Click(); });
}

void TListeSel::Init(const vokc::editor::Lines& lines) {
    ListBox1->clear();
    for (const auto& item : vokc::editor::ProcedureItems(lines))
        ListBox1->addItem(QString::fromStdU16String(item));
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
}

QString TListeSel::Selected() const {
    const QListWidgetItem* item = ListBox1->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TListeSel::ListBox1Click() { accept(); }

bool TListeSel::ListBox1KeyPress(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        accept();
        return true;
    }
    if (key == Qt::Key_Escape) {
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
        reject();
        return true;
    }
    return false;
}

void TListeSel::keyPressEvent(QKeyEvent* event) {
    if (!ListBox1KeyPress(event->key())) QDialog::keyPressEvent(event);
}

bool TListeSel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::KeyPress)
        return ListBox1KeyPress(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}
