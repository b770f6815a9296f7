// A program run in the desktop application: the program is opened in an editor window
// and run with the run command, through the run session and the real console window,
// as F9 does. Prints the best time of several runs in milliseconds. With "dock", the
// variables dock is shown and watches the run.
// Usage: vokc_console_bench PROGRAM [RUNS [dock]]
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console_window.h"
#include "editor_window.h"
#include "main_window.h"
#include "procedure_list.h"
#include "run_controller.h"
#include "run_session.h"

int main(int argc, char** argv) {
    using namespace vokc;
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vokc_console_bench PROGRAM [RUNS [dock]]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    MainWindow form;
    SharedWindows shared;
    shared.procedureList = new ProcedureList(&form);
    shared.console = new ConsoleWindow(&form);
    shared.session = new RunSession(*shared.console, &form);
    bool failed = false;
    shared.console->setMessageHooks([&](const QString&) { failed = true; },
                                    [&](const QString&) { failed = true; });
    form.setSharedWindows(shared);
    form.show();
    if (!form.openProgram(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath())) return 1;
    EditorWindow* editor = form.activeEditor();
    if (argc > 3 && std::strcmp(argv[3], "dock") == 0) form.run()->showVariables();
    QApplication::processEvents();
    qint64 best = -1;
    for (int k = 0; k < runs; ++k) {
        QElapsedTimer clock;
        clock.start();
        editor->runProgram();
        // The output is on the screen once the console has painted it.
        QApplication::processEvents();
        const qint64 ms = clock.elapsed();
        if (best < 0 || ms < best) best = ms;
    }
    editor->memo()->document()->setModified(false);
    if (failed) {
        std::fprintf(stderr, "the program stopped with a message\n");
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(best));
    return 0;
}
