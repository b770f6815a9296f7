#include "status_panels.h"

#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextCursor>
#include <QTime>
#include <QTimer>

#include "editor_window.h"

namespace vokc {

namespace {
QLabel* Panel(const char* name, QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}
} // namespace

StatusPanels::StatusPanels(QMainWindow* window)
    : QObject(window), statusLine_(Panel("statusLine", window)),
      clockPanel_(Panel("clockPanel", window)), positionPanel_(Panel("positionPanel", window)),
      runPanel_(Panel("runPanel", window)), clockTimer_(new QTimer(this)) {
    clockPanel_->setFixedWidth(76);
    clockPanel_->setAlignment(Qt::AlignCenter);
    positionPanel_->setMinimumWidth(150);
    positionPanel_->setAlignment(Qt::AlignCenter);
    runPanel_->setMinimumWidth(260);
    QStatusBar* bar = window->statusBar();
    bar->addWidget(statusLine_, 1);
    bar->addPermanentWidget(runPanel_);
    bar->addPermanentWidget(positionPanel_);
    bar->addPermanentWidget(clockPanel_);
    bar->setFixedHeight(28);
    bar->setSizeGripEnabled(false);

    clockTimer_->setInterval(1000);
    connect(clockTimer_, &QTimer::timeout, this, &StatusPanels::updateClock);
    clockTimer_->start();
    updateClock();
}

void StatusPanels::showPosition(const EditorWindow* editor) {
    if (!editor) {
        positionPanel_->clear();
        return;
    }
    const QTextCursor c = editor->memo()->textCursor();
    positionPanel_->setText(QStringLiteral("Ligne %1, colonne %2")
                                .arg(c.blockNumber() + 1)
                                .arg(c.positionInBlock() + 1));
}

void StatusPanels::updateClock() {
    clockPanel_->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

} // namespace vokc
