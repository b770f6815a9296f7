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

KeywordPicker::KeywordPicker(QWidget* parent) : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Mots clé"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    // The words come in their own order; the list must not sort them again.
    for (std::string_view word : vokc::Keywords())
        list_->addItem(QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { chooseSelected(); });
    setFixedSize(180, 300);
}

QString KeywordPicker::selectedKeyword() const {
    const QListWidgetItem* item = list_->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void KeywordPicker::handleCharacter(int character) {
    if (character == 13) {
        accept();
    } else if (character == 27) {
        list_->clearSelection();
        list_->setCurrentRow(-1);
        reject();
    }
}

void KeywordPicker::chooseSelected() {
    handleCharacter(13);
}

void KeywordPicker::keyPressEvent(QKeyEvent* event) {
    if (const int c = KeyCharacter(event))
        handleCharacter(c);
    else
        QDialog::keyPressEvent(event);
}

bool KeywordPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        if (const int c = KeyCharacter(static_cast<QKeyEvent*>(event))) {
            handleCharacter(c);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vokc
