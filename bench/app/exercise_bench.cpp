// Exercises in the application: the time of a student's check in the window, and of a
// teacher's grading in the grading window, from the command to the results shown.
//   vokc_exercise_bench check EXERCISE PROGRAM   one program against the exercise's cases
//   vokc_exercise_bench grade EXERCISE PROGRAM... a class, one run per processor
// Prints the best wall time of three, in milliseconds. With VOKC_RUN set, the runs are
// forked by its grading process, as the application does; without, by a thread of this
// process.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStringList>
#include <algorithm>
#include <cstdio>

#include "console_window.h"
#include "editor_window.h"
#include "exercise_commands.h"
#include "grading_job.h"
#include "grading_window.h"
#include "main_window.h"
#include "run_session.h"

int main(int argc, char** argv) {
    using namespace vokc;
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 4 || (args[1] != "check" && args[1] != "grade")) {
        std::fprintf(stderr, "usage: vokc_exercise_bench check|grade EXERCISE PROGRAM...\n");
        return 2;
    }
    GradingJob::setGrader(qEnvironmentVariable("VOKC_RUN"));
    MainWindow form;
    auto* console = new ConsoleWindow(&form);
    SharedWindows shared;
    shared.console = console;
    shared.session = new RunSession(*console, &form);
    form.setSharedWindows(shared);
    form.show();
    QApplication::processEvents();

    double best = 1e18;
    for (int round = 0; round < 3; ++round) {
        QEventLoop loop;
        QElapsedTimer clock;
        if (args[1] == "check") {
            if (!form.openProgram(args[3])) return 1;
            EditorWindow* editor = form.activeEditor();
            form.exercises()->setExercise(editor, args[2]);
            QObject::connect(form.exercises(), &ExerciseCommands::checkFinished, &loop,
                             [&loop](bool ok) { loop.exit(ok ? 0 : 1); });
            clock.start();
            form.action(Command::Check)->trigger();
        } else {
            form.action(Command::GradePrograms)->trigger();
            GradingWindow* window = form.exercises()->gradingWindow();
            window->setExercise(args[2]);
            window->setPrograms(args.mid(3));
            QObject::connect(window, &GradingWindow::gradingFinished, &loop,
                             [&loop](bool ok) { loop.exit(ok ? 0 : 1); });
            clock.start();
            if (!window->startGrading()) return 1;
        }
        if (loop.exec() != 0) return 1;
        best = std::min(best, static_cast<double>(clock.nsecsElapsed()) / 1e6);
        QObject::disconnect(form.exercises(), nullptr, &loop, nullptr);
        if (GradingWindow* window = form.exercises()->gradingWindow())
            QObject::disconnect(window, nullptr, &loop, nullptr);
    }
    std::printf("%.0f\n", best);
    return 0;
}
