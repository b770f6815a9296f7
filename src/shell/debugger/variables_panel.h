// The variables tab: every declared variable of the current or last run in declaration
// order, with its kind and its value; an array expands to one row per element (the first
// 1,000). Values that changed since the previous pause are marked. It reads the run
// through the interpreter's inspection only, so it never changes the program's state.
#pragma once

#include <QString>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "interpreter.h"

class QLabel;

namespace vokc {

class VariablesPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kShownElements = 1000;

    explicit VariablesPanel(QWidget* parent = nullptr);

    // Reads the run again. At a pause (`atPause`) the values become the ones the next
    // pause compares with; between pauses of a free run the marks stay as they were.
    // Nothing is read while the panel is hidden.
    void refresh(const Interpreter& interpreter, bool atPause);
    // Shows the values of a past pause, marked against the pause before it, under a
    // banner; `present` returns to the run's own values.
    void showPast(const Interpreter& interpreter, const std::vector<std::string>& values,
                  const std::vector<std::string>& before, const QString& banner);
    void showPresent(const Interpreter& interpreter);

    QTreeWidget* tree() const { return tree_; }
    QLabel* banner() const { return banner_; }
    // The value column of a row (rows as the interpreter's ValueTexts gives them).
    QString valueOfRow(int row) const;
    bool rowMarked(int row) const;
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Rows read since the panel was made (tests check that a hidden panel reads nothing).
    int reads() const { return reads_; }

    // The kind as the panel shows it: entier, réel, caractère, chaîne, fichier, or
    // "tableau de N ..." for an array.
    static QString kindText(const VariableInfo& variable);

    // Wide enough for the name and kind columns and a value beside them: beside another
    // dock on the same side of the window, the values stay in view.
    QSize minimumSizeHint() const override;

  private:
    void rebuild(const std::vector<VariableInfo>& variables);
    void show(const std::vector<std::string>& values, const std::vector<std::string>& before);

    QLabel* banner_;
    QTreeWidget* tree_;
    std::vector<VariableInfo> layout_;
    std::vector<QTreeWidgetItem*> rows_;   // one per value row
    std::vector<QTreeWidgetItem*> arrays_; // the parent row of each array, or nullptr
    std::vector<int> parentOf_;            // index in arrays_ of each row's array, or -1
    std::vector<std::string> values_, previous_;
    std::vector<bool> marked_;
    int reads_ = 0;
};

} // namespace vokc
