// Watching a run: a 10-million-line loop in the application with the variables dock
// hidden and shown (the dock reads the run at most five times a second), and the memory
// of the history after 10,000 pauses of a program with 200 variables.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <malloc.h>

#include "console_window.h"
#include "debug_dock.h"
#include "editor_window.h"
#include "main_window.h"
#include "procedure_list.h"
#include "run_history.h"
#include "run_session.h"

namespace {
using namespace vokc;

double RunOnce(MainWindow& form) {
    QElapsedTimer clock;
    clock.start();
    form.run()->runProgram();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto* form = new MainWindow;
    auto* console = new ConsoleWindow(form);
    auto* session = new RunSession(*console, form);
    console->setMessageHooks([](const QString&) {}, [](const QString&) {});
    SharedWindows shared;
    shared.console = console;
    shared.session = session;
    shared.procedureList = new ProcedureList(form);
    form->setSharedWindows(shared);
    form->show();
    QApplication::processEvents();

    // 5,000,000 passes of two lines (the body and the injected NEXT).
    form->newFile();
    EditorWindow* e = form->activeEditor();
    e->setTextLines({u"int i, s, t[10]", u"char c[20]", u"main()", u"{",
                     u"for (i=1; i<=5000000; i++)", u"  s = s + 1", u"}"});
    double hidden = 1e12, shown = 1e12;
    for (int k = 0; k < 3; ++k) {
        form->debugDock()->hide();
        hidden = std::min(hidden, RunOnce(*form));
        form->debugDock()->showVariables();
        QApplication::processEvents();
        shown = std::min(shown, RunOnce(*form));
    }
    std::printf("boucle de 10 millions de lignes, panneau cach\xC3\xA9 : %.0f ms\n", hidden);
    std::printf("boucle de 10 millions de lignes, panneau affich\xC3\xA9 : %.0f ms (%+.1f %%)\n",
                shown, (shown / hidden - 1) * 100);

    // 200 variables: 150 int, 40 strings, 10 arrays of 100; two values change per pause.
    std::vector<std::u16string> program;
    for (int v = 1; v <= 150; ++v)
        program.push_back(u"int v" + QString::number(v).toStdU16String());
    for (int v = 1; v <= 40; ++v)
        program.push_back(u"char s" + QString::number(v).toStdU16String() + u"[80]");
    for (int v = 1; v <= 10; ++v)
        program.push_back(u"int a" + QString::number(v).toStdU16String() + u"[100]");
    for (const char16_t* line :
         {u"main()", u"{", u"s1 = \"une cha\u00EEne assez longue pour le tas\"",
          u"for (v1=1; v1<=100000; v1++)", u"{", u"s2 = s1", u"v2 = v1 % 100", u"v2++",
          u"a1[v2] = v1", u"}", u"}"})
        program.push_back(line);
    e->setTextLines(program);
    form->debugDock()->hide();
    form->action(Command::StepMode)->trigger();
    const std::size_t before = HeapInUse();
    form->run()->runProgram();
    for (int k = 1; k < 10000; ++k)
        form->run()->resumeRun();
    const std::size_t after = HeapInUse();
    std::printf("historique de %zu pauses, 200 variables : %.1f Mo (estimation interne %.1f Mo)\n",
                session->history().size(), (after - before) / (1024.0 * 1024.0),
                session->history().memoryBytes() / (1024.0 * 1024.0));
    e->memo()->document()->setModified(false);
    delete form;
    return 0;
}
