// Desktop application benchmark: start-up to the first shown main window (all windows
// created as the application does), opening a 2 MB program in an editor window, and
// typing in a line of 300 KB.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <time.h>
#include <vector>

#include "about_box.h"
#include "editor_window.h"
#include "main_window.h"
#include "procedure_list.h"
#include "splash_screen.h"

namespace {
// Processor time of this thread: unlike the wall time, it does not grow when other
// programs share the processors.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}
} // namespace

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
    // colouring pass and the paint of the window. In the middle of the line, its start is
    // scrolled out and the line stays plain; near its start, its top is in view and the
    // whole line is coloured after each key.
    form->newFile();
    EditorWindow* wide = form->activeEditor();
    std::u16string line = u"char t[] = \"";
    while (line.size() < 300 * 1024)
        line += u"abc def ghi jkl ";
    line += u"\";";
    wide->setTextLines({u"main()", u"{", line, u"}"});
    const long lineStart = 6 + 2 + 1 + 2;
    const auto typeKeys = [&](long caret, const char* where) {
        wide->setCaretOffset(caret);
        wide->memo()->setFocus();
        QApplication::processEvents();
        std::vector<double> keys, processor;
        for (int i = 0; i < 21; ++i) {
            const double cpu0 = ThreadCpuMs();
            clock.restart();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QApplication::sendEvent(wide->memo(), &press);
            QApplication::sendEvent(wide->memo(), &release);
            wide->memo()->viewport()->repaint();
            QApplication::processEvents();
            keys.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            processor.push_back(ThreadCpuMs() - cpu0);
        }
        std::sort(keys.begin(), keys.end());
        std::sort(processor.begin(), processor.end());
        std::printf("frappe dans une ligne de 300 Ko, %s : m\xC3\xA9"
                    "diane %.1f ms, pire %.1f ms (21 touches) ; temps processeur : "
                    "m\xC3\xA9"
                    "diane %.1f ms, pire %.1f ms\n",
                    where, keys[keys.size() / 2], keys.back(), processor[processor.size() / 2],
                    processor.back());
    };
    typeKeys(lineStart + 150 * 1024, "au milieu");
    typeKeys(lineStart + 40, "au d\xC3\xA9"
                             "but (ligne color\xC3\xA9"
                             "e)");

    for (EditorWindow* e : form->editors())
        e->memo()->document()->setModified(false);
    delete form;
    return 0;
}
