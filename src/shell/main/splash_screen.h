// The splash window shown while the application creates its windows.
#pragma once

#include <QWidget>

namespace vokc {

class SplashScreen : public QWidget {
    Q_OBJECT
  public:
    explicit SplashScreen(QWidget* parent = nullptr);
};

} // namespace vokc
