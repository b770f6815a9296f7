// The window "Énoncé": the statement of an exercise, enonce.html shown as the help pages
// are (its pictures found beside it), or enonce.txt as plain text.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace vokc {

class StatementWindow : public QWidget {
    Q_OBJECT
  public:
    explicit StatementWindow(QWidget* parent = nullptr);

    // Reads the statement of the exercise folder; false when it has none (the window then
    // says so).
    bool showStatement(const QString& folder);
    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

} // namespace vokc
