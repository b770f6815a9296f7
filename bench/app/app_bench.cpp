// Desktop application benchmark: start-up to the first shown main window (all windows
// created as the application does), and opening a 2 MB program in an editor window.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "about_box.h"
#include "editor_window.h"
#include "main_window.h"
#include "procedure_list.h"
#include "splash_screen.h"

int main(int argc, char** argv) {
    using namespace vokc;
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    auto* splash = new SplashScreen;
    splash->show();
    QApplication::processEvents();
    auto* form = new MainWindow;
    SharedWindows shared;
    shared.aboutBox = new AboutBox(form);
    shared.procedureList = new ProcedureList(form);
    form->setSharedWindows(shared);
    delete splash;
    form->show();
    QApplication::processEvents();
    const double startup = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    // A program of about 2 MB, in Windows-1252 with CR LF.
    QTemporaryDir dir;
    const QString path = dir.filePath("gros.c");
    QByteArray text;
    text += "int i, s\r\nmain()\r\n{\r\n";
    int lines = 3;
    while (text.size() < 2 * 1024 * 1024) {
        text += "  s = s + i /* accumul\xE9 */\r\n  printf(\"%d\\n\", s)\r\n";
        lines += 2;
    }
    text += "}\r\n";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    f.close();
    form->setNewEditorHook(
        [](EditorWindow* e) { e->setMessageHook([](QWidget*, const QString&) {}); });
    clock.restart();
    form->openProgram(path);
    QApplication::processEvents();
    const double open = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    std::printf("d\xC3\xA9marrage jusqu'\xC3\xA0 la fen\xC3\xAAtre principale : %.1f ms\n",
                startup);
    std::printf("ouverture d'un programme de %.1f Mo (%d lignes) : %.1f ms\n",
                text.size() / (1024.0 * 1024.0), lines + 1, open);
    for (EditorWindow* e : form->editors())
        e->memo()->document()->setModified(false);
    delete form;
    return 0;
}
