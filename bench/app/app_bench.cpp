// Desktop application benchmark: start-up to the first shown main window (all windows
// created as the application does), and opening a 2 MB program in an editor window.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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

    // Typing in one line of 300 KB: each key, from the key press to the end of the
    // colouring pass and the paint of the window.
    form->newFile();
    EditorWindow* wide = form->activeEditor();
    std::u16string line = u"char t[] = \"";
    while (line.size() < 300 * 1024)
        line += u"abc def ghi jkl ";
    line += u"\";";
    wide->setTextLines({u"main()", u"{", line, u"}"});
    wide->setCaretOffset(static_cast<long>(6 + 2 + 1 + 2 + 150 * 1024));
    wide->memo()->setFocus();
    QApplication::processEvents();
    std::vector<double> keys;
    for (int i = 0; i < 21; ++i) {
        clock.restart();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(wide->memo(), &press);
        QApplication::sendEvent(wide->memo(), &release);
        wide->memo()->viewport()->repaint();
        QApplication::processEvents();
        keys.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(keys.begin(), keys.end());
    std::printf("frappe dans une ligne de 300 Ko : m\xC3\xA9"
                "diane %.1f ms, pire %.1f ms "
                "(21 touches)\n",
                keys[keys.size() / 2], keys.back());

    for (EditorWindow* e : form->editors())
        e->memo()->document()->setModified(false);
    delete form;
    return 0;
}
