#include "window_menu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <algorithm>

namespace vokc {

WindowMenu::WindowMenu(QMdiArea* area, QObject* parent) : QObject(parent), area_(area) {}

void WindowMenu::setMenu(QMenu* menu) {
    menu_ = menu;
    connect(menu_, &QMenu::aboutToShow, this, &WindowMenu::fillWindowList);
}

QPoint WindowMenu::newWindowPosition(const QSize& size) const {
    // Each new window opens a step below and to the right of the last one, and starts
    // again at the top left once it would reach past the frame's visible area.
    constexpr int kStep = 24;
    const QSize area = area_->viewport()->size();
    const int count = static_cast<int>(area_->subWindowList().size()) - 1;
    const int fitX = std::max(1, (area.width() - size.width()) / kStep + 1);
    const int fitY = std::max(1, (area.height() - size.height()) / kStep + 1);
    const int step = std::max(0, count) % std::min(fitX, fitY);
    return {step * kStep, step * kStep};
}

void WindowMenu::cascade() {
    area_->cascadeSubWindows();
}

void WindowMenu::tile() {
    area_->tileSubWindows();
}

void WindowMenu::arrangeIcons() {
    // The minimised windows line up along the bottom of the frame.
    int x = 0;
    const int bottom = area_->viewport()->height();
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        if (!sub->isMinimized()) continue;
        sub->move(x, bottom - sub->height());
        x += sub->width();
    }
}

void WindowMenu::minimizeAll() {
    const auto list = area_->subWindowList();
    // A maximised window would take the others' place again as each is minimised: all
    // come back to their size first.
    for (QMdiSubWindow* sub : list)
        if (sub->isMaximized()) sub->showNormal();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        (*it)->showMinimized();
}

void WindowMenu::fillWindowList() {
    for (QAction* a : windowList_) {
        menu_->removeAction(a);
        a->deleteLater();
    }
    windowList_.clear();
    const auto list = area_->subWindowList();
    if (list.isEmpty()) return;
    windowList_.push_back(menu_->addSeparator());
    int number = 1;
    for (QMdiSubWindow* sub : list) {
        auto* a = menu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == area_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] {
            // A minimised window comes back to its size as it is chosen.
            if (sub->isMinimized()) sub->showNormal();
            area_->setActiveSubWindow(sub);
        });
        windowList_.push_back(a);
    }
}

} // namespace vokc
