// The "Vérification" tab of the debugger dock: the result of the last check of a program
// against its exercise's cases, one row per case with its verdict and its detail, a
// summary, and for the selected case the expected and the obtained outputs side by side,
// aligned on their common lines with the differing rows marked, as the HTML report shows
// them. "Exécuter ce cas" asks for a run of the program on the selected case.
#pragma once

#include <QString>
#include <QWidget>

#include "grade_report.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace vokc {

class CheckPanel : public QWidget {
    Q_OBJECT
  public:
    explicit CheckPanel(QWidget* parent = nullptr);

    // A check has started (the rows of the last one are cleared).
    void showChecking(const QString& exercise);
    // The results of one program (the first of the grading).
    void showResults(const grading::Grading& grading);
    // A check that could not be done, or was cancelled.
    void showProblem(const QString& text);

    QString summary() const;
    // The 0-based case selected, -1 when none.
    int currentCase() const;
    void selectCase(int index);

    QTableWidget* cases() const { return cases_; }
    QTableWidget* outputs() const { return outputs_; }
    QPushButton* runCaseButton() const { return runCase_; }

    // The background of a verdict, as the report colours it.
    static QColor ResultColour(grading::Result result);
    // "3 cas sur 4 réussis"
    static QString SummaryText(int passed, int total);

  signals:
    void runCaseRequested(int index);

  private:
    void showOutputs(int index);

    QLabel* summary_;
    QTableWidget* cases_;
    QTableWidget* outputs_;
    QPushButton* runCase_;
    grading::Grading grading_;
};

} // namespace vokc
