// The warnings of the look before the run, in a small dock of their own: one row per
// warning, "Ligne N : text"; a double-click (or Entrée) on a row asks for the caret on its
// line, and the "Relire" button asks for a new look at the active program.
#pragma once

#include <QDockWidget>

#include <vector>

#include "program_check.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vokc {

class WarningsDock : public QDockWidget {
    Q_OBJECT
  public:
    explicit WarningsDock(QWidget* parent = nullptr);

    // Shows these warnings (Windows-1252 texts), replacing the last ones.
    void showWarnings(const std::vector<ProgramWarning>& warnings);
    // Adds one warning of the run to the rows shown (UTF-16 text).
    void addWarning(int line, const QString& text);
    QListWidget* list() const { return list_; }
    QPushButton* checkButton() const { return check_; }

  signals:
    // The 0-based line of a warning to show in the editor.
    void lineActivated(int line);
    void checkRequested();

  private:
    void addRow(int line, const QString& text);
    void showCount();

    QListWidget* list_;
    QLabel* summary_;
    QPushButton* check_;
};

} // namespace vokc
