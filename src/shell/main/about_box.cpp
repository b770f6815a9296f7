#include "about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "glyphs.h"

namespace vokc {

void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = window->screen()) {
        QRect area = screen->availableGeometry();
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("A propos de VokC"));
    auto* icon = new QLabel(this);
    icon->setPixmap(shell::ProductPicture(64, 64));
    auto* productName = new QLabel(QStringLiteral("Vok C"), this);
    auto* version = new QLabel(QStringLiteral("Version " VOKC_VERSION), this);
    QFont bold = font();
    bold.setBold(true);
    productName->setFont(bold);
    version->setFont(bold);
    auto* comments = new QLabel(
        QStringLiteral("Un environnement pour apprendre \u00E0 programmer en langage C."), this);
    comments->setWordWrap(true);
    // Escape also closes the box, as QDialog does by itself.
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* texts = new QVBoxLayout;
    texts->addWidget(productName);
    texts->addWidget(version);
    texts->addWidget(comments);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* row = new QHBoxLayout(panel);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    resize(340, 190);
    CentreOnScreen(this);
}

} // namespace vokc
