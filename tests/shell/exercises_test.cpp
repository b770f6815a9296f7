// Exercises in the application: the student's check against vokc-run --grade, a case run
// in the console, and the teacher's grading window (cancel, responsiveness, reports), on
// the offscreen platform and the example exercises.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "check_panel.h"
#include "console_window.h"
#include "debug_dock.h"
#include "editor_window.h"
#include "exercise_commands.h"
#include "grading_job.h"
#include "grading_window.h"
#include "main_window.h"
#include "run_session.h"
#include "statement_window.h"

using namespace vokc;

namespace {

const QString kExercises = QStringLiteral(VOKC_SOURCE_DIR "/examples/exercices");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// vokc-run's output for a command line, run in `folder`.
QByteArray VokcRun(const QStringList& arguments, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(VOKC_RUN), arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

} // namespace

class ExercisesTest : public QObject {
    Q_OBJECT
    MainWindow* form = nullptr;
    ConsoleWindow* console = nullptr;
    RunSession* session = nullptr;
    QStringList errors;
    QTemporaryDir temp; // TMPDIR of the gradings: what they leave is seen here
    QString startFolder;

    ExerciseCommands* exercises() const { return form->exercises(); }

    EditorWindow* OpenCopy(const QString& program) {
        // The student's folder: a copy of the program alone.
        const QString copy =
            temp.filePath(QStringLiteral("eleve/") + QFileInfo(program).fileName());
        QDir().mkpath(QFileInfo(copy).path());
        QFile::remove(copy);
        QFile::copy(program, copy);
        if (!form->openProgram(copy)) return nullptr;
        return form->activeEditor();
    }

    bool Check(EditorWindow* e, const QString& exercise) {
        exercises()->setExercise(e, exercise);
        QSignalSpy done(exercises(), &ExerciseCommands::checkFinished);
        form->action(Command::Check)->trigger();
        // Generous for the sanitized build on a busy machine: an endless loop runs its ten
        // million lines there.
        if (!done.wait(180000)) qWarning("no end of the check");
        return !done.isEmpty() && done.first().first().toBool();
    }

  private slots:
    void initTestCase() {
        QVERIFY(temp.isValid());
        QDir().mkpath(temp.filePath(QStringLiteral("tmp")));
        qputenv("TMPDIR", temp.filePath(QStringLiteral("tmp")).toLocal8Bit());
        startFolder = QDir::currentPath();
    }
    void init() {
        GradingJob::setGrader(QStringLiteral(VOKC_RUN));
        form = new MainWindow;
        console = new ConsoleWindow(form);
        session = new RunSession(*console, form);
        errors.clear();
        console->setMessageHooks([](const QString&) {}, [this](const QString& m) { errors << m; });
        SharedWindows shared;
        shared.console = console;
        shared.session = session;
        form->setSharedWindows(shared);
        form->show();
    }
    void cleanup() {
        form->mdiArea()->closeAllSubWindows();
        delete form;
        QDir::setCurrent(startFolder);
        // No grading leaves a working folder behind.
        QCOMPARE(QDir(temp.filePath(QStringLiteral("tmp")))
                     .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    // Without its grading process a grading ends at once and says why, instead of forking
    // the runs from this process (whose other threads may hold a lock the child needs).
    void AGradingWithoutItsProcessSaysSo() {
        for (const QString& grader :
             {temp.filePath(QStringLiteral("absent/vokc-run")), QString()}) {
            GradingJob::setGrader(grader);
            GradingJob job;
            QSignalSpy finished(&job, &GradingJob::finished);
            job.start(grading::Exercise{}, {});
            QVERIFY(finished.wait(5000) || !finished.isEmpty());
            QCOMPARE(finished.first().at(0).toBool(), false);
            QVERIFY(finished.first().at(1).toString().contains(QStringLiteral("introuvable")));
            QVERIFY(!job.running());
        }
    }

    // One core, two front ends: the check in the window gives vokc-run's verdicts, lines
    // and details, case by case, for passed, failed, error and limit runs alike.
    void CheckGivesTheVerdictsOfVokcRun() {
        const QString wrong = temp.filePath(QStringLiteral("faux.c"));
        // An endless loop on the first case's answer, an error on the third one's.
        Write(wrong, "int n, r;\nmain()\n{\n  printf(\"Nombre ? \");\n  scanf(\"%d\", &n);\n"
                     "  if (n == 0)\n    r = 1 / n;\n  while (n == 7)\n  {\n    r = r + 1;\n  }\n"
                     "  printf(\"%d\", n);\n  printf(\" est pair\\n\");\n}\n");
        const struct {
            QString exercise, program;
            QString summary;
        } checks[] = {
            {"pair-impair", kExercises + "/programmes/pair_faux.c", "3 cas sur 4 r\u00E9ussis"},
            {"prenoms", kExercises + "/programmes/prenoms_faux.c", "1 cas sur 4 r\u00E9ussi"},
            {"pair-impair", wrong, "1 cas sur 4 r\u00E9ussi"},
        };
        for (const auto& check : checks) {
            EditorWindow* e = OpenCopy(check.program);
            QVERIFY(e);
            QVERIFY(Check(e, kExercises + "/" + check.exercise));
            CheckPanel* panel = exercises()->checkPanel();
            QCOMPARE(panel->summary(), check.summary);
            const QJsonObject graded =
                QJsonDocument::fromJson(VokcRun({"--grade", check.exercise, check.program,
                                                 "--format", "json", "--jobs", "2"},
                                                kExercises))
                    .object();
            const QJsonArray cases = graded["programmes"].toArray()[0].toObject()["cas"].toArray();
            QCOMPARE(panel->cases()->rowCount(), int(cases.size()));
            QSet<QString> verdicts;
            for (int i = 0; i < cases.size(); ++i) {
                const QJsonObject c = cases[i].toObject();
                QCOMPARE(panel->cases()->item(i, 0)->text(), c["nom"].toString());
                QCOMPARE(panel->cases()->item(i, 1)->text(), c["resultat"].toString());
                QCOMPARE(panel->cases()->item(i, 2)->text(), c["detail"].toString());
                verdicts << c["resultat"].toString();
            }
            if (check.program == wrong)
                QCOMPARE(verdicts,
                         (QSet<QString>{"r\u00E9ussi", "\u00E9chou\u00E9", "erreur", "limite"}));
            form->mdiArea()->closeAllSubWindows();
        }
    }

    // The statement's window has the keyboard once the exercise is chosen: Ctrl+F9 there
    // checks the program the exercise was chosen for, not the window opened last.
    void CheckFromTheStatementWindow() {
        EditorWindow* e = OpenCopy(kExercises + "/programmes/pair.c");
        QVERIFY(e);
        form->newFile();
        form->bringForward(e);
        QCOMPARE(form->activeEditor(), e);
        exercises()->setFolderHook(
            [](QWidget*, const QString&) { return kExercises + "/pair-impair"; });
        form->action(Command::ChooseExercise)->trigger();
        QWidget* statement = exercises()->statementWindow();
        QVERIFY(statement && statement->isVisible());
        statement->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(statement));
        QSignalSpy done(exercises(), &ExerciseCommands::checkFinished);
        QTest::keyClick(statement, Qt::Key_F9, Qt::ControlModifier);
        QVERIFY(exercises()->checkJob());
        QVERIFY(done.wait(180000));
        QCOMPARE(exercises()->checkPanel()->summary(), QString("4 cas sur 4 r\u00E9ussis"));
        QCOMPARE(form->activeEditor(), e);
    }

    // A failed case shows both outputs aligned, with the differing row marked alone.
    void FailedCaseShowsBothOutputsSideBySide() {
        EditorWindow* e = OpenCopy(kExercises + "/programmes/pair_faux.c");
        QVERIFY(Check(e, kExercises + "/pair-impair"));
        CheckPanel* panel = exercises()->checkPanel();
        QCOMPARE(panel->currentCase(), 3); // the first case that failed
        QTableWidget* outputs = panel->outputs();
        QCOMPARE(outputs->rowCount(), 2);
        QCOMPARE(outputs->item(0, 1)->text(), QString("Nombre ? -3"));
        QCOMPARE(outputs->item(0, 3)->text(), QString("Nombre ? -3"));
        QCOMPARE(outputs->item(1, 1)->text(), QString("-3 est impair"));
        QCOMPARE(outputs->item(1, 3)->text(), QString("-3 est pair"));
        QCOMPARE(outputs->item(0, 3)->background(), QBrush());
        QVERIFY(outputs->item(1, 3)->background() != QBrush());
    }

    // "Exécuter ce cas" gives the case's answers to the reads as typed, in a folder of its
    // own holding the data file, and goes on across a breakpoint; a read past the answers
    // stops the run with vokc-run's message.
    void RunCaseReadsItsInputAndFindsItsDataFile() {
        EditorWindow* e = OpenCopy(kExercises + "/programmes/prenoms.c");
        QVERIFY(Check(e, kExercises + "/prenoms"));
        QCOMPARE(exercises()->checkPanel()->summary(), QString("4 cas sur 4 r\u00E9ussis"));
        // A breakpoint on fclose(f).
        const QString text = e->memo()->toPlainText();
        const int fcloseLine = int(text.left(text.indexOf("fclose")).count('\n'));
        e->memo()->setTextCursor(QTextCursor(e->memo()->document()->findBlockByNumber(fcloseLine)));
        form->action(Command::Breakpoint)->trigger();
        exercises()->checkPanel()->selectCase(0);
        const QString before = QDir::currentPath();
        form->action(Command::RunCase)->trigger();
        QCOMPARE(session->state(), RunSession::State::Paused);
        const QString folder = exercises()->caseFolder();
        QVERIFY(!folder.isEmpty());
        QCOMPARE(QDir::currentPath(), QDir(folder).canonicalPath());
        QVERIFY(QFile::exists(folder + "/prenoms.txt"));
        QVERIFY(!QFile::exists(temp.filePath("eleve/prenoms.txt")));
        form->action(Command::Resume)->trigger();
        QCOMPARE(session->state(), RunSession::State::Finished);
        // Over, the run leaves the case's folder, which goes with the next case: a screen
        // or a report saved from the current folder must not go with it.
        QCOMPARE(QDir::currentPath(), before);
        QVERIFY2(console->canvas()->allText().contains("Pr\u00E9nom ? Chlo\u00E9"),
                 qPrintable(console->canvas()->allText()));
        QVERIFY(console->canvas()->allText().contains("Chlo\u00E9 est \u00E0 la ligne 3"));
        QVERIFY(errors.isEmpty());

        // Three reads on a case of one answer: an empty answer, then the stop.
        e->setTextLines({u"char a[20], b[20], c[20];", u"main()", u"{", u"  gets(a);",
                         u"  gets(b);", u"  puts(\"deux\");", u"  gets(c);", u"  puts(\"trois\");",
                         u"}"});
        QVERIFY(Check(e, kExercises + "/prenoms"));
        exercises()->checkPanel()->selectCase(1);
        exercises()->checkPanel()->runCaseButton()->click();
        QCOMPARE(errors, QStringList{"entr\u00E9e standard \u00E9puis\u00E9e"});
        // A stop on an error may be resumed: the run stays in its case's folder.
        QCOMPARE(QDir::currentPath(), QDir(exercises()->caseFolder()).canonicalPath());
        QVERIFY(console->canvas()->allText().contains("deux"));
        QVERIFY(!console->canvas()->allText().contains("trois"));
        QCOMPARE(e->stopLine(), 6);
        // A run of its own reads the keyboard again.
        QVERIFY(session->state() != RunSession::State::Running);
    }

    // Cancelling a grading of 50 endless programs ends it, and no working folder is left
    // (cleanup checks TMPDIR). How fast is the benchmark's business: a loaded machine
    // would make a time limit here fail for nothing.
    void CancellingAGradingStopsWithinASecond() {
        QTemporaryDir programs;
        QStringList files;
        for (int i = 0; i < 50; ++i) {
            const QString file = programs.filePath(QString("boucle%1.c").arg(i));
            Write(file, "int n;\nmain()\n{\n  while (n == 0)\n  {\n    n = 0;\n  };\n}\n");
            files << file;
        }
        GradingJob::setGrader(QStringLiteral(VOKC_RUN));
        form->action(Command::GradePrograms)->trigger();
        GradingWindow* window = exercises()->gradingWindow();
        QVERIFY(window && window->isVisible());
        window->setExercise(kExercises + "/pair-impair");
        window->setPrograms(files);
        QVERIFY(window->startGrading());
        QTest::qWait(300);
        QVERIFY(window->grading());
        QSignalSpy finished(window, &GradingWindow::gradingFinished);
        window->cancelButton()->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), false);
        QVERIFY(!window->hasResult());
    }

    // While a class is graded the event loop goes on: a timer sees the progress bar
    // between its ends. The table holds programs by cases with their totals, sorts, and
    // the saved reports are the bytes vokc-run writes for the same class.
    void GradingKeepsTheWindowResponsiveAndWritesVokcRunReports() {
        QStringList files;
        for (int i = 0; i < 10; ++i)
            for (const char* name : {"pair.c", "pair_faux.c"})
                files << kExercises + "/programmes/" + name;
        GradingJob::setGrader(QStringLiteral(VOKC_RUN));
        form->action(Command::GradePrograms)->trigger();
        GradingWindow* window = exercises()->gradingWindow();
        window->setExercise("pair-impair");
        window->setPrograms(files);
        QDir::setCurrent(kExercises);
        QProgressBar* progress = window->progressBar();
        bool seenBetween = false;
        QTimer tick;
        tick.setInterval(5);
        connect(&tick, &QTimer::timeout, [&] {
            seenBetween = seenBetween || (progress->value() > progress->minimum() &&
                                          progress->value() < progress->maximum());
        });
        QSignalSpy finished(window, &GradingWindow::gradingFinished);
        tick.start();
        QVERIFY(window->startGrading());
        QVERIFY(finished.wait(60000));
        tick.stop();
        QVERIFY(finished.first().first().toBool());
        QVERIFY(seenBetween);

        QTableWidget* table = window->table();
        QCOMPARE(table->rowCount(), 20);
        QCOMPARE(table->columnCount(), 6);
        QCOMPARE(table->horizontalHeaderItem(4)->text(), QString("4\n10/20"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("1\n20/20"));
        table->sortItems(5, Qt::AscendingOrder);
        QCOMPARE(table->item(0, 5)->text(), QString("3/4"));
        QCOMPARE(table->item(19, 5)->text(), QString("4/4"));
        QCOMPARE(table->item(0, 4)->background().color(),
                 CheckPanel::ResultColour(grading::Result::Failed));

        QStringList arguments{"--grade", "pair-impair", "--jobs", "2"};
        arguments << files;
        QTemporaryDir out;
        const QString html = out.filePath("rapport.html");
        VokcRun(QStringList(arguments) << "--report" << html, kExercises);
        const struct {
            GradingWindow::ReportFormat format;
            QByteArray expected;
        } reports[] = {
            {GradingWindow::ReportFormat::Html, ReadAll(html)},
            {GradingWindow::ReportFormat::Csv, VokcRun(QStringList(arguments) << "--format"
                                                                              << "csv",
                                                       kExercises)},
            {GradingWindow::ReportFormat::Json, VokcRun(QStringList(arguments) << "--format"
                                                                               << "json",
                                                        kExercises)},
        };
        for (const auto& report : reports) {
            QVERIFY(!report.expected.isEmpty());
            const QString saved = out.filePath("saved");
            QVERIFY(window->saveReport(saved, report.format));
            QCOMPARE(ReadAll(saved), report.expected);
        }

        // The report is offered beside the programs, wherever the last run left the
        // application's current folder.
        QDir::setCurrent(out.path());
        QString offered;
        window->setReportNameHook([&](QWidget*, const QString& start) {
            offered = start;
            return QString();
        });
        window->saveButton()->click();
        QCOMPARE(offered, QDir(kExercises + "/programmes").filePath("rapport.html"));
    }
};

QTEST_MAIN(ExercisesTest)
#include "exercises_test.moc"
