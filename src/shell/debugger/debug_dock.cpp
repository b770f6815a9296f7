#include "debug_dock.h"

#include <QTabWidget>
#include <QTimer>

#include "call_list.h"
#include "run_history.h"
#include "run_session.h"
#include "variables_panel.h"

namespace vokc {

DebugDock::DebugDock(RunSession& session, QWidget* parent)
    : QDockWidget(QStringLiteral("Variables"), parent), session_(session) {
    setObjectName("debugDock");
    tabs_ = new QTabWidget(this);
    variables_ = new VariablesPanel(tabs_);
    calls_ = new CallList(tabs_);
    tabs_->addTab(variables_, QStringLiteral("Variables"));
    tabs_->addTab(calls_, QStringLiteral("Appels"));
    setWidget(tabs_);
    timer_ = new QTimer(this);
    timer_->setInterval(kFreeRunInterval);
    connect(timer_, &QTimer::timeout, this, [this] { refresh(false); });
    connect(&session_, &RunSession::runningChanged, this, &DebugDock::runningChanged);
    connect(&session_, &RunSession::stopped, this, [this] { refresh(true); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        if (!session_.isRunning()) refresh(false);
    });
}

void DebugDock::showVariables() {
    show();
    raise();
    tabs_->setCurrentWidget(variables_);
}

void DebugDock::showCalls() {
    show();
    raise();
    tabs_->setCurrentWidget(calls_);
}

void DebugDock::addPage(QWidget* page, const QString& caption) {
    tabs_->addTab(page, caption);
}

void DebugDock::showPage(QWidget* page) {
    show();
    raise();
    tabs_->setCurrentWidget(page);
}

void DebugDock::runningChanged(bool running) {
    // The timer runs only while a shown dock watches a free run.
    if (running && isVisible())
        timer_->start();
    else
        timer_->stop();
}

void DebugDock::refresh(bool atPause) {
    if (!isVisible()) return;
    variables_->refresh(session_.interpreter(), atPause);
    calls_->refresh(session_.interpreter());
}

void DebugDock::showViewedPause() {
    RunHistory& history = session_.history();
    if (!history.inPast()) {
        variables_->showPresent(session_.interpreter());
        return;
    }
    const std::size_t at = history.viewed();
    const std::vector<std::string> before =
        at > 0 ? history.values(at - 1) : std::vector<std::string>();
    const QString banner = QStringLiteral("Vue du pass\u00E9 : pas %1 sur %2 (ligne %3) \u2014 "
                                          "toute commande d'ex\u00E9cution revient au pr\u00E9sent")
                               .arg(at + 1)
                               .arg(history.size())
                               .arg(history.line(at) + 1);
    variables_->showPast(session_.interpreter(), history.values(at), before, banner);
}

void DebugDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    if (!session_.isRunning()) refresh(false);
}

} // namespace vokc
