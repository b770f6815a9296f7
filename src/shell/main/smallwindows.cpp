#include "smallwindows.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "glyphs.h"

namespace {
void CentreOnScreen(QWidget* w) {
    if (const QScreen* screen = w->screen()) {
        QRect area = screen->availableGeometry();
        w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
    }
}
} // namespace

TSplash::TSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setFixedSize(318, 221);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(3);
    panel->setStyleSheet(QStringLiteral("QFrame { background: #c0c0c0; }"));
    auto* picture = new QLabel(panel);
    picture->setPixmap(vokc::shell::ProductPicture(89, 121));
    picture->setFixedSize(89, 121);
    auto* name = new QLabel(QStringLiteral("Vok C"), panel);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(30);
    name->setFont(f);
    auto* version = new QLabel(QStringLiteral("Version 2.0"), panel);
    auto* text = new QVBoxLayout;
    text->addStretch();
    text->addWidget(name);
    text->addWidget(version);
    text->addStretch();
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(16, 16, 16, 16);
    row->addWidget(picture);
    row->addSpacing(16);
    row->addLayout(text);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    CentreOnScreen(this);
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("A propos de VokC"));
    auto* ProgramIcon = new QLabel(this);
    ProgramIcon->setPixmap(vokc::shell::ProductPicture(64, 64));
    auto* ProductName = new QLabel(QStringLiteral("Vok C"), this);
    auto* Version = new QLabel(QStringLiteral("Version 2.0"), this);
    QFont bold = font();
    bold.setBold(true);
    ProductName->setFont(bold);
    Version->setFont(bold);
    auto* Comments = new QLabel(
        QStringLiteral("Un environnement pour apprendre \u00E0 programmer en langage C."), this);
    Comments->setWordWrap(true);
    auto* Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    auto* texts = new QVBoxLayout;
    texts->addWidget(ProductName);
    texts->addWidget(Version);
    texts->addWidget(Comments);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* row = new QHBoxLayout(panel);
    row->addWidget(ProgramIcon, 0, Qt::AlignTop);
    row->addLayout(texts);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    resize(340, 190);
    CentreOnScreen(this);
}

// Escape also closes the box, as QDialog does by itself.
void TAboutBox::OKButtonClick() { accept(); }

TParametres::TParametres(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Pam\u00E8tres d'ex\u00E9cution"));
    Edit1 = new QLineEdit(this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Param\u00E8tres"), this));
    layout->addWidget(Edit1);
    layout->addWidget(buttons);
}
