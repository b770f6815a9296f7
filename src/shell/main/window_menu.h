// The "Fenêtre" menu of the main window: the commands that arrange the editor windows,
// the list of open windows at the bottom of the menu, and where a new window opens.
#pragma once

#include <QObject>
#include <QPoint>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;
class QSize;

namespace vokc {

class WindowMenu : public QObject {
    Q_OBJECT
  public:
    WindowMenu(QMdiArea* area, QObject* parent);
    // The menu whose bottom lists the windows, refreshed each time it opens.
    void setMenu(QMenu* menu);
    // Where a new window of this size opens: a step below and to the right of the last.
    QPoint newWindowPosition(const QSize& size) const;

  public slots:
    void cascade();
    void tile();
    void arrangeIcons();
    void minimizeAll();

  private:
    void fillWindowList();

    QMdiArea* area_;
    QMenu* menu_ = nullptr;
    std::vector<QAction*> windowList_;
};

} // namespace vokc
