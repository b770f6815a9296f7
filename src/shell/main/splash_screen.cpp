#include "splash_screen.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "about_box.h"
#include "glyphs.h"

namespace vokc {

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setFixedSize(318, 221);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(3);
    panel->setStyleSheet(QStringLiteral("QFrame { background: #c0c0c0; }"));
    auto* picture = new QLabel(panel);
    picture->setPixmap(shell::ProductPicture(89, 121));
    picture->setFixedSize(89, 121);
    auto* name = new QLabel(QStringLiteral("Vok C"), panel);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(30);
    name->setFont(f);
    auto* version = new QLabel(QStringLiteral("Version " VOKC_VERSION), panel);
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

} // namespace vokc
