#include "find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vokc {

FindDialog::FindDialog(QWidget* parent, bool withReplace) : QDialog(parent) {
    setWindowTitle(withReplace ? QStringLiteral("Remplacer") : QStringLiteral("Rechercher"));
    setModal(false);
    auto* grid = new QGridLayout;
    findEdit_ = new QLineEdit(this);
    findEdit_->setObjectName("FindText");
    // The labels lead to their fields, so their '&' is a mnemonic and not shown.
    auto* findLabel = new QLabel(QStringLiteral("&Rechercher :"), this);
    findLabel->setBuddy(findEdit_);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(findEdit_, 0, 1);
    if (withReplace) {
        replaceEdit_ = new QLineEdit(this);
        replaceEdit_->setObjectName("ReplaceText");
        auto* replaceLabel = new QLabel(QStringLiteral("Remplacer &par :"), this);
        replaceLabel->setBuddy(replaceEdit_);
        grid->addWidget(replaceLabel, 1, 0);
        grid->addWidget(replaceEdit_, 1, 1);
    }
    matchCase_ = new QCheckBox(QStringLiteral("Respecter la &casse"), this);
    wholeWord_ = new QCheckBox(QStringLiteral("&Mot entier"), this);
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    up_ = new QRadioButton(QStringLiteral("&Haut"), direction);
    down_ = new QRadioButton(QStringLiteral("&Bas"), direction);
    down_->setChecked(true);
    auto* dirLayout = new QHBoxLayout(direction);
    dirLayout->addWidget(up_);
    dirLayout->addWidget(down_);

    auto* buttons = new QVBoxLayout;
    auto* next = new QPushButton(QStringLiteral("&Suivant"), this);
    next->setDefault(true);
    buttons->addWidget(next);
    connect(next, &QPushButton::clicked, this, [this] {
        replaceAll_ = singleReplace_ = false;
        emit findRequested();
    });
    if (withReplace) {
        auto* one = new QPushButton(QStringLiteral("&Remplacer"), this);
        auto* all = new QPushButton(QStringLiteral("Remplacer &tout"), this);
        buttons->addWidget(one);
        buttons->addWidget(all);
        connect(one, &QPushButton::clicked, this, [this] {
            replaceAll_ = false;
            singleReplace_ = true;
            emit replaceRequested();
        });
        connect(all, &QPushButton::clicked, this, [this] {
            replaceAll_ = true;
            singleReplace_ = false;
            emit replaceRequested();
        });
    }
    auto* cancel = new QPushButton(QStringLiteral("Annuler"), this);
    buttons->addWidget(cancel);
    buttons->addStretch();
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);

    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addWidget(matchCase_);
    left->addWidget(wholeWord_);
    left->addWidget(direction);
    auto* main = new QHBoxLayout(this);
    main->addLayout(left);
    main->addLayout(buttons);
}

QString FindDialog::findText() const {
    return findEdit_->text();
}
void FindDialog::setFindText(const QString& text) {
    findEdit_->setText(text);
}
QString FindDialog::replaceText() const {
    return replaceEdit_ ? replaceEdit_->text() : QString();
}

editor::SearchOptions FindDialog::options() const {
    editor::SearchOptions o;
    o.down = !up_->isChecked();
    o.matchCase = matchCase_->isChecked();
    o.wholeWord = wholeWord_->isChecked();
    return o;
}

void FindDialog::setOptions(const editor::SearchOptions& o) {
    (o.down ? down_ : up_)->setChecked(true);
    matchCase_->setChecked(o.matchCase);
    wholeWord_->setChecked(o.wholeWord);
}

} // namespace vokc
