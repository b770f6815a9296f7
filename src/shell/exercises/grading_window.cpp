#include "grading_window.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "check_panel.h"
#include "grade_cases.h"
#include "grade_compare.h"
#include "grade_html.h"
#include "grading_job.h"
#include "program_file.h"

namespace vokc {

namespace {

std::string Local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(grading::AsUtf8(text));
}

// A cell that sorts by a number and shows a text.
class NumberItem : public QTableWidgetItem {
  public:
    NumberItem(const QString& text, double key) : QTableWidgetItem(text), key_(key) {}
    bool operator<(const QTableWidgetItem& other) const override {
        if (const auto* n = dynamic_cast<const NumberItem*>(&other)) return key_ < n->key_;
        return QTableWidgetItem::operator<(other);
    }

  private:
    double key_;
};

// Roles of a run's cell: its program and its case.
constexpr int kProgramRole = Qt::UserRole;
constexpr int kCaseRole = Qt::UserRole + 1;

} // namespace

GradingWindow::GradingWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), exerciseLabel_(new QLabel(this)),
      programsLabel_(new QLabel(this)),
      chooseExercise_(new QPushButton(QStringLiteral("&Exercice..."), this)),
      choosePrograms_(new QPushButton(QStringLiteral("&Programmes..."), this)),
      chooseFolder_(new QPushButton(QStringLiteral("&Dossier de programmes..."), this)),
      start_(new QPushButton(QStringLiteral("&Corriger"), this)),
      cancel_(new QPushButton(QStringLiteral("Annuler"), this)),
      save_(new QPushButton(QStringLiteral("Enregistrer le &rapport..."), this)),
      progress_(new QProgressBar(this)), status_(new QLabel(this)), table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("gradingWindow"));
    setWindowTitle(QStringLiteral("Corriger des programmes"));
    exerciseLabel_->setText(QStringLiteral("Exercice : aucun"));
    programsLabel_->setText(QStringLiteral("Programmes : aucun"));
    table_->setObjectName(QStringLiteral("gradingTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    // Columns fit the first rows: a class of hundreds is not measured row by row.
    table_->horizontalHeader()->setResizeContentsPrecision(50);
    progress_->setValue(0);

    auto* choices = new QHBoxLayout;
    choices->addWidget(chooseExercise_);
    choices->addWidget(choosePrograms_);
    choices->addWidget(chooseFolder_);
    choices->addStretch(1);
    auto* actions = new QHBoxLayout;
    actions->addWidget(start_);
    actions->addWidget(progress_, 1);
    actions->addWidget(cancel_);
    actions->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(exerciseLabel_);
    layout->addWidget(programsLabel_);
    layout->addLayout(actions);
    layout->addWidget(status_);
    layout->addWidget(table_, 1);
    resize(760, 520);

    connect(chooseExercise_, &QPushButton::clicked, this, &GradingWindow::chooseExercise);
    connect(choosePrograms_, &QPushButton::clicked, this, &GradingWindow::choosePrograms);
    connect(chooseFolder_, &QPushButton::clicked, this, &GradingWindow::chooseProgramFolder);
    connect(start_, &QPushButton::clicked, this, &GradingWindow::startGrading);
    connect(cancel_, &QPushButton::clicked, this, &GradingWindow::cancel);
    connect(save_, &QPushButton::clicked, this, &GradingWindow::saveReportAs);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        const QTableWidgetItem* item = table_->item(row, column);
        if (!item || !item->data(kCaseRole).isValid()) return;
        showRun(item->data(kProgramRole).toInt(), item->data(kCaseRole).toInt());
    });
    updateButtons();
}

GradingWindow::~GradingWindow() = default;

void GradingWindow::setExercise(const QString& folder) {
    exercise_ = folder;
    exerciseLabel_->setText(QStringLiteral("Exercice : %1").arg(QDir::toNativeSeparators(folder)));
    updateButtons();
}

void GradingWindow::setPrograms(const QStringList& files) {
    programs_ = files;
    programsLabel_->setText(QStringLiteral("Programmes : %1").arg(files.size()));
    updateButtons();
}

QStringList GradingWindow::ProgramsOfFolder(const QString& folder) {
    std::vector<std::string> names;
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.c"), QStringLiteral("*.C")}, QDir::Files))
        names.push_back(name.toStdString());
    std::sort(names.begin(), names.end(), grading::NaturalLess);
    QStringList files;
    for (const std::string& name : names)
        files << dir.filePath(QString::fromStdString(name));
    return files;
}

void GradingWindow::chooseExercise() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Choisir l'exercice"), exercise_);
    if (!folder.isEmpty()) setExercise(folder);
}

void GradingWindow::choosePrograms() {
    const QStringList files = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Choisir les programmes"), QString(),
        QStringLiteral("Programmes C (*.c *.C);;Tous les fichiers (*)"));
    if (!files.isEmpty()) setPrograms(files);
}

void GradingWindow::chooseProgramFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Choisir le dossier des programmes"));
    if (!folder.isEmpty()) setPrograms(ProgramsOfFolder(folder));
}

bool GradingWindow::grading() const {
    return job_ && job_->running();
}

void GradingWindow::updateButtons() {
    const bool busy = grading();
    start_->setEnabled(!busy && !exercise_.isEmpty() && !programs_.isEmpty());
    cancel_->setEnabled(busy);
    save_->setEnabled(!busy && hasResult());
    chooseExercise_->setEnabled(!busy);
    choosePrograms_->setEnabled(!busy);
    chooseFolder_->setEnabled(!busy);
}

bool GradingWindow::startGrading() {
    if (grading()) return false;
    grading::Exercise exercise;
    std::string error;
    if (!grading::LoadExercise(Local(exercise_), exercise, error)) {
        status_->setText(Utf8(error));
        return false;
    }
    std::vector<grading::Program> programs;
    for (const QString& file : programs_) {
        grading::Program program;
        program.file = Local(file);
        std::string bytes;
        if (const int why = grading::ReadProgramFile(program.file, bytes); why == 0)
            program.lines = DecodeProgram(bytes);
        else
            program.unreadable = why == EFBIG ? "fichier trop volumineux" : "fichier illisible";
        programs.push_back(std::move(program));
    }
    job_ = std::make_unique<GradingJob>();
    connect(job_.get(), &GradingJob::progress, this, [this](int done, int total) {
        progress_->setMaximum(total);
        progress_->setValue(done);
    });
    connect(job_.get(), &GradingJob::finished, this, &GradingWindow::finished);
    progress_->setValue(0);
    status_->setText(QStringLiteral("Correction en cours..."));
    job_->start(std::move(exercise), std::move(programs));
    updateButtons();
    return true;
}

void GradingWindow::cancel() {
    if (job_) job_->cancel();
}

void GradingWindow::finished(bool ok, const QString& error) {
    if (ok) {
        result_ = job_->result();
        fillTable();
        int passed = 0, runs = 0;
        for (const grading::ProgramResults& p : result_.programs) {
            passed += grading::PassedRuns(p);
            runs += static_cast<int>(p.runs.size());
        }
        status_->setText(QStringLiteral("%1 programmes, %2 ex\u00E9cutions, %3 r\u00E9ussies")
                             .arg(result_.programs.size())
                             .arg(runs)
                             .arg(passed));
    } else {
        status_->setText(job_->cancelled() ? QStringLiteral("Correction annul\u00E9e")
                                           : Utf8(error.toStdString()));
    }
    updateButtons();
    emit gradingFinished(ok);
}

void GradingWindow::fillTable() {
    table_->setSortingEnabled(false);
    table_->clear();
    const int cases = static_cast<int>(result_.caseNames.size());
    const int programs = static_cast<int>(result_.programs.size());
    table_->setColumnCount(cases + 2);
    table_->setRowCount(programs);
    QStringList headers{QStringLiteral("Programme")};
    for (int c = 0; c < cases; ++c) {
        int passed = 0;
        for (const grading::ProgramResults& p : result_.programs)
            passed += p.runs[static_cast<std::size_t>(c)].result == grading::Result::Passed;
        // The total of a case under its name.
        headers << QStringLiteral("%1\n%2/%3")
                       .arg(Utf8(result_.caseNames[static_cast<std::size_t>(c)]))
                       .arg(passed)
                       .arg(programs);
    }
    headers << QStringLiteral("R\u00E9ussis");
    table_->setHorizontalHeaderLabels(headers);
    for (int p = 0; p < programs; ++p) {
        const grading::ProgramResults& program = result_.programs[static_cast<std::size_t>(p)];
        auto* name = new QTableWidgetItem(Utf8(program.file));
        name->setData(kProgramRole, p);
        table_->setItem(p, 0, name);
        for (int c = 0; c < cases; ++c) {
            const grading::RunResult& run = program.runs[static_cast<std::size_t>(c)];
            const std::string_view verdict = grading::ResultName(run.result);
            auto* cell = new NumberItem(
                QString::fromUtf8(verdict.data(), static_cast<qsizetype>(verdict.size())),
                static_cast<double>(run.result));
            cell->setBackground(CheckPanel::ResultColour(run.result));
            cell->setToolTip(QString::fromUtf8(grading::VisibleText(run.detail)));
            cell->setData(kProgramRole, p);
            cell->setData(kCaseRole, c);
            table_->setItem(p, c + 1, cell);
        }
        const int passed = grading::PassedRuns(program);
        table_->setItem(p, cases + 1,
                        new NumberItem(QStringLiteral("%1/%2").arg(passed).arg(cases), passed));
    }
    table_->resizeColumnsToContents();
    table_->setSortingEnabled(true);
}

void GradingWindow::showRun(int program, int kase) {
    if (program < 0 || program >= static_cast<int>(result_.programs.size())) return;
    const grading::ProgramResults& results = result_.programs[static_cast<std::size_t>(program)];
    if (kase < 0 || kase >= static_cast<int>(results.runs.size())) return;
    const grading::RunResult& run = results.runs[static_cast<std::size_t>(kase)];
    if (run.result == grading::Result::Error && run.line > 0 &&
        QFileInfo(QFile::decodeName(results.file.c_str())).isFile()) {
        emit openProgramAt(QFile::decodeName(results.file.c_str()), run.line);
        return;
    }
    if (!runView_) {
        auto* dialog = new QDialog(this);
        dialog->setWindowTitle(QStringLiteral("Sortie et sortie attendue"));
        runView_ = new CheckPanel(dialog);
        runView_->runCaseButton()->hide();
        auto* layout = new QVBoxLayout(dialog);
        layout->addWidget(runView_);
        dialog->resize(640, 480);
    }
    grading::Grading one;
    one.caseNames = result_.caseNames;
    one.expected = result_.expected;
    one.programs.push_back(results);
    runView_->showResults(one);
    runView_->selectCase(kase);
    runView_->parentWidget()->setWindowTitle(
        QStringLiteral("%1 : cas %2")
            .arg(Utf8(results.file), Utf8(result_.caseNames[static_cast<std::size_t>(kase)])));
    runView_->parentWidget()->show();
    runView_->parentWidget()->raise();
}

std::string GradingWindow::report(ReportFormat format) const {
    switch (format) {
    case ReportFormat::Csv:
        return grading::CsvReport(result_);
    case ReportFormat::Json:
        return grading::JsonReport(result_);
    case ReportFormat::Html:
        break;
    }
    // vokc-run titles the page with the exercise folder as it was given.
    return grading::HtmlReport(result_, Local(exercise_));
}

bool GradingWindow::saveReport(const QString& path, ReportFormat format) {
    const std::string bytes = report(format);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Impossible d'enregistrer %1 : %2")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    return true;
}

void GradingWindow::saveReportAs() {
    QString filter;
    const QString html = QStringLiteral("Rapport HTML (*.html)");
    const QString csv = QStringLiteral("Tableau CSV (*.csv)");
    const QString json = QStringLiteral("Donn\u00E9es JSON (*.json)");
    // Beside the graded programs: the current folder is where the last run left the
    // application, perhaps a temporary folder.
    const QString start = programs_.isEmpty() ? QStringLiteral("rapport.html")
                                              : QDir(QFileInfo(programs_.first()).absolutePath())
                                                    .filePath(QStringLiteral("rapport.html"));
    const QString path =
        askReportName_
            ? askReportName_(this, start)
            : QFileDialog::getSaveFileName(
                  this, QStringLiteral("Enregistrer le rapport"), start,
                  html + QStringLiteral(";;") + csv + QStringLiteral(";;") + json, &filter);
    if (path.isEmpty()) return;
    const ReportFormat format =
        path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) || filter == csv
            ? ReportFormat::Csv
        : path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive) || filter == json
            ? ReportFormat::Json
            : ReportFormat::Html;
    saveReport(path, format);
}

} // namespace vokc
