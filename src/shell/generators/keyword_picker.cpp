// The keyword picker.
#include "keyword_picker.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

#include "skeletons.h"

namespace vokc {

namespace {

// Enter and Escape as the characters the picker's key handler takes, else 0.
int KeyCharacter(const QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        return 0;
    }
}

} // namespace

KeywordPicker::KeywordPicker(QWidget* parent) : QDialog(parent), ListBox1(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Mots clé"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);
    // The words come in their own order; the list must not sort them again.
    for (std::string_view word : vokc::Keywords())
        ListBox1->addItem(QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->installEventFilter(this);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(); });
    setFixedSize(180, 300);
}

QString KeywordPicker::SelectedKeyword() const {
    const QListWidgetItem* item = ListBox1->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void KeywordPicker::ListBox1KeyPress(int character) {
    if (character == 13) {
        accept();
    } else if (character == 27) {
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
        reject();
    }
}

void KeywordPicker::ListBox1DblClick() {
    ListBox1KeyPress(13);
}

void KeywordPicker::keyPressEvent(QKeyEvent* event) {
    if (const int c = KeyCharacter(event))
        ListBox1KeyPress(c);
    else
        QDialog::keyPressEvent(event);
}

bool KeywordPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        if (const int c = KeyCharacter(static_cast<QKeyEvent*>(event))) {
            ListBox1KeyPress(c);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vokc
