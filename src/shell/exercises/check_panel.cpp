#include "check_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "grade_compare.h"
#include "grade_html.h"

namespace vokc {

namespace {

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(grading::AsUtf8(text));
}

} // namespace

CheckPanel::CheckPanel(QWidget* parent)
    : QWidget(parent), summary_(new QLabel(this)), cases_(new QTableWidget(0, 3, this)),
      outputs_(new QTableWidget(0, 4, this)),
      runCase_(new QPushButton(QStringLiteral("Ex\u00E9cuter ce cas"), this)) {
    setObjectName(QStringLiteral("checkPanel"));
    summary_->setObjectName(QStringLiteral("checkSummary"));
    summary_->setText(QStringLiteral("Aucune v\u00E9rification"));
    cases_->setObjectName(QStringLiteral("checkCases"));
    cases_->setHorizontalHeaderLabels(
        {QStringLiteral("Cas"), QStringLiteral("R\u00E9sultat"), QStringLiteral("D\u00E9tail")});
    cases_->verticalHeader()->hide();
    cases_->horizontalHeader()->setStretchLastSection(true);
    cases_->setSelectionBehavior(QAbstractItemView::SelectRows);
    cases_->setSelectionMode(QAbstractItemView::SingleSelection);
    cases_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    outputs_->setObjectName(QStringLiteral("checkOutputs"));
    outputs_->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Attendu"), QString(), QStringLiteral("Obtenu")});
    outputs_->verticalHeader()->hide();
    outputs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    outputs_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    outputs_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    outputs_->setWordWrap(false);
    runCase_->setObjectName(QStringLiteral("runCase"));
    runCase_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(summary_);
    layout->addWidget(cases_, 1);
    layout->addWidget(runCase_);
    layout->addWidget(outputs_, 1);

    connect(cases_, &QTableWidget::currentCellChanged, this, [this](int row) { showOutputs(row); });
    connect(runCase_, &QPushButton::clicked, this, [this] {
        if (currentCase() >= 0) emit runCaseRequested(currentCase());
    });
}

QColor CheckPanel::ResultColour(grading::Result result) {
    switch (result) {
    case grading::Result::Passed:
        return QColor(0xc8, 0xef, 0xc8);
    case grading::Result::Failed:
        return QColor(0xff, 0xd8, 0xa8);
    case grading::Result::Error:
        return QColor(0xf7, 0xb5, 0xb5);
    case grading::Result::Limit:
        break;
    }
    return QColor(0xd9, 0xc8, 0xf0);
}

QString CheckPanel::SummaryText(int passed, int total) {
    return QStringLiteral("%1 cas sur %2 %3")
        .arg(passed)
        .arg(total)
        .arg(passed > 1 ? QStringLiteral("r\u00E9ussis") : QStringLiteral("r\u00E9ussi"));
}

void CheckPanel::showChecking(const QString& exercise) {
    grading_ = {};
    cases_->setRowCount(0);
    outputs_->setRowCount(0);
    runCase_->setEnabled(false);
    summary_->setText(QStringLiteral("V\u00E9rification en cours (%1)...").arg(exercise));
}

void CheckPanel::showProblem(const QString& text) {
    summary_->setText(text);
}

void CheckPanel::showResults(const grading::Grading& grading) {
    grading_ = grading;
    cases_->setRowCount(0);
    outputs_->setRowCount(0);
    if (grading_.programs.empty()) return;
    const grading::ProgramResults& program = grading_.programs.front();
    cases_->setRowCount(static_cast<int>(program.runs.size()));
    for (std::size_t i = 0; i < program.runs.size(); ++i) {
        const grading::RunResult& run = program.runs[i];
        const int row = static_cast<int>(i);
        auto* verdict =
            Cell(QString::fromUtf8(grading::ResultName(run.result).data(),
                                   static_cast<qsizetype>(grading::ResultName(run.result).size())));
        verdict->setBackground(ResultColour(run.result));
        cases_->setItem(row, 0, Cell(Utf8(grading_.caseNames[i])));
        cases_->setItem(row, 1, verdict);
        cases_->setItem(row, 2, Cell(QString::fromUtf8(grading::VisibleText(run.detail))));
    }
    cases_->resizeColumnToContents(0);
    cases_->resizeColumnToContents(1);
    summary_->setText(
        SummaryText(grading::PassedRuns(program), static_cast<int>(program.runs.size())));
    // The first case that did not pass comes forward.
    int first = 0;
    for (std::size_t i = 0; i < program.runs.size(); ++i)
        if (program.runs[i].result != grading::Result::Passed) {
            first = static_cast<int>(i);
            break;
        }
    selectCase(program.runs.empty() ? -1 : first);
}

QString CheckPanel::summary() const {
    return summary_->text();
}

int CheckPanel::currentCase() const {
    return grading_.programs.empty() ? -1 : cases_->currentRow();
}

void CheckPanel::selectCase(int index) {
    cases_->setCurrentCell(index, 0);
    showOutputs(index);
}

void CheckPanel::showOutputs(int index) {
    outputs_->setRowCount(0);
    runCase_->setEnabled(index >= 0 && !grading_.programs.empty());
    if (index < 0 || grading_.programs.empty()) return;
    const auto& runs = grading_.programs.front().runs;
    if (static_cast<std::size_t>(index) >= runs.size()) return;
    const grading::RunResult& run = runs[static_cast<std::size_t>(index)];
    const auto expected =
        grading::ComparableLines(grading_.expected[static_cast<std::size_t>(index)]);
    // A run that passed printed what was expected; its output is not kept.
    const auto obtained =
        run.result == grading::Result::Passed ? expected : grading::ComparableLines(run.output);
    const auto rows = grading::AlignedDiff(expected, obtained);
    const std::size_t shown = std::min(rows.size(), grading::kReportLines);
    outputs_->setRowCount(static_cast<int>(shown));
    const QColor marked(0xff, 0xe3, 0xe3);
    for (std::size_t r = 0; r < shown; ++r) {
        const grading::DiffRow& row = rows[r];
        const int at = static_cast<int>(r);
        const auto side = [&](int column, int line, const std::vector<std::string>& lines) {
            QTableWidgetItem* number = Cell(line > 0 ? QString::number(line) : QString());
            QTableWidgetItem* text = Cell(line > 0 ? QString::fromUtf8(grading::VisibleText(
                                                         lines[static_cast<std::size_t>(line - 1)]))
                                                   : QString());
            if (row.differs) {
                number->setBackground(marked);
                text->setBackground(marked);
            }
            outputs_->setItem(at, column, number);
            outputs_->setItem(at, column + 1, text);
        };
        side(0, row.expected, expected);
        side(2, row.obtained, obtained);
    }
    outputs_->resizeColumnToContents(0);
    outputs_->resizeColumnToContents(2);
}

} // namespace vokc
