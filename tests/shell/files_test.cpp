// Files and windows through the main window on the offscreen platform: one file never in
// two windows, work changed on disk never overwritten without a word, recovery with the
// reopened files, questions that say which window, saves and their errors.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <memory>
#include <unistd.h>

#include "desk_logic.h"
#include "editor_window.h"
#include "find_dialog.h"
#include "main_window.h"
#include "recovery_store.h"

using namespace vokc;
using namespace vokc::editor;

class FilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir home;
    QByteArray oldHome;
    MainWindow* form = nullptr;
    QStringList messages;
    QStringList diskQuestions;
    bool diskAnswer = false;

    static QByteArray ReadAll(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static void Type(EditorWindow* e, const QString& text) {
        e->memo()->setFocus();
        e->memo()->moveCursor(QTextCursor::End);
        QTest::keyClicks(e->memo(), text);
    }
    MainWindow* NewForm() {
        auto* f = new MainWindow;
        f->setNewEditorHook([this](EditorWindow* e) {
            e->setMessageHook([this](QWidget*, const QString& m) { messages << m; });
            e->setDiskChangeHook([this](QWidget*, const QString& q) {
                diskQuestions << q;
                return diskAnswer;
            });
        });
        f->show();
        return f;
    }

  private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
    }
    void cleanupTestCase() { qputenv("HOME", oldHome); }
    void init() {
        form = NewForm();
        messages.clear();
        diskQuestions.clear();
        diskAnswer = false;
    }
    void cleanup() {
        for (EditorWindow* e : form->editors())
            e->memo()->document()->setModified(false);
        delete form;
        form = nullptr;
    }

    void OneFileOneWindowWhateverItsName() {
        QTemporaryDir dir;
        const QString path = dir.filePath("prog.c");
        Write(path, "main()\r\n{\r\n}\r\n");
        QVERIFY(QFile::link(path, dir.filePath("lien.c")));
        QVERIFY(QDir().mkdir(dir.filePath("sous")));
        QVERIFY(form->openProgram(path));
        EditorWindow* first = form->activeEditor();
        form->newFile();
        QVERIFY(form->activeEditor() != first);
        // By a link, or by a path through another folder: the same window comes forward.
        QVERIFY(form->openProgram(dir.filePath("lien.c")));
        QCOMPARE(form->activeEditor(), first);
        form->newFile();
        QVERIFY(form->openProgram(dir.filePath("sous/../prog.c")));
        QCOMPARE(form->activeEditor(), first);
        QCOMPARE(form->editors().size(), std::size_t(3));
    }

    // Save As onto a file that another window shows, by whatever name, would leave two
    // windows on one file: it is refused with a message that names that window, before
    // any question, and nothing is written. The window's own file and other files save.
    void SaveAsNeverPutsAFileInASecondWindow() {
        QTemporaryDir dir;
        const QString path = dir.filePath("prog.c");
        const QByteArray original("main()\r\n{\r\n}\r\n");
        Write(path, original);
        QVERIFY(QFile::link(path, dir.filePath("lien.c")));
        QVERIFY(form->openProgram(path));
        EditorWindow* first = form->activeEditor();
        form->newFile();
        EditorWindow* fresh = form->activeEditor();
        const QString freshTitle = fresh->windowTitle();
        Type(fresh, "// autre");
        QStringList overwrites;
        QString chosen = dir.filePath("lien"); // saved as lien.c, the link to prog.c
        for (EditorWindow* e : {first, fresh}) {
            e->setOverwriteHook([&](QWidget*, const QString& q) {
                overwrites << q;
                return true;
            });
            e->setSaveNameHook([&](QWidget*) { return chosen; });
        }
        QVERIFY(!fresh->saveAs());
        QCOMPARE(messages, QStringList{QString::fromUtf8(
                               "Le fichier \u00AB\u00A0lien.c\u00A0\u00BB est d\u00E9j\u00E0 "
                               "ouvert dans la fen\u00EAtre \u00AB\u00A0VokC - "
                               "prog.c\u00A0\u00BB.\nFermez cette fen\u00EAtre ou "
                               "choisissez un autre nom.")});
        QVERIFY(overwrites.isEmpty());
        QCOMPARE(ReadAll(path), original);
        QVERIFY(fresh->fileName().isEmpty());
        QCOMPARE(fresh->windowTitle(), freshTitle);
        QVERIFY(fresh->memo()->document()->isModified());
        QCOMPARE(form->editors().size(), std::size_t(2));
        // Under a name of its own it is saved; the first window may not take that file,
        // but may save onto its own.
        chosen = dir.filePath("neuf.c");
        QVERIFY(fresh->saveAs());
        QVERIFY(ReadAll(dir.filePath("neuf.c")).contains("// autre"));
        messages.clear();
        QVERIFY(!first->saveAs());
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QString::fromUtf8("\u00AB\u00A0VokC - neuf.c\u00A0\u00BB")));
        QCOMPARE(first->fileName(), path);
        chosen = dir.filePath("lien.c");
        QVERIFY(first->saveAs());
        QCOMPARE(overwrites.size(), 1);
        QCOMPARE(form->editorOf(path), first);
        QCOMPARE(form->editorOf(dir.filePath("neuf.c")), fresh);
    }

    // A Save As that cannot write leaves the window on its own file, under its own name,
    // and the next save goes there.
    void AFailedSaveAsKeepsTheWindowOnItsFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("prog.c");
        Write(path, "main()\r\n{\r\n}\r\n");
        QVERIFY(form->openProgram(path));
        EditorWindow* e = form->activeEditor();
        Type(e, "// a");
        e->setSaveNameHook([&](QWidget*) { return dir.filePath("absent/autre.c"); });
        QVERIFY(!e->saveAs());
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QString::fromUtf8("n'existe pas")), qPrintable(messages[0]));
        QCOMPARE(e->fileName(), path);
        QCOMPARE(e->windowTitle(), QString("VokC - prog.c"));
        QVERIFY(e->memo()->document()->isModified());
        QVERIFY(e->save());
        QCOMPARE(ReadAll(path), QByteArray("main()\r\n{\r\n}// a\r\n"));
        QVERIFY(!QFileInfo::exists(dir.filePath("absent")));
    }

    void ASaveNeverOverwritesAChangeOnDiskUnasked() {
        QTemporaryDir dir;
        const QString path = dir.filePath("prog.c");
        Write(path, "main()\r\n{\r\n}\r\n");
        QVERIFY(form->openProgram(path));
        EditorWindow* e = form->activeEditor();
        // Saving what this window itself wrote asks nothing.
        Type(e, "// a");
        QVERIFY(e->save());
        QVERIFY(diskQuestions.isEmpty());
        // Someone else writes the file; this window's save asks first.
        Write(path, "// autre fenetre\r\n");
        Type(e, "b");
        QVERIFY(!e->save());
        QCOMPARE(diskQuestions.size(), 1);
        QVERIFY(diskQuestions[0].contains(QString::fromUtf8("modifié sur le disque")));
        QVERIFY(diskQuestions[0].contains("prog.c"));
        QCOMPARE(ReadAll(path), QByteArray("// autre fenetre\r\n"));
        QVERIFY(e->memo()->document()->isModified());
        // Replacing it is the user's choice; after that the file is this window's again.
        diskAnswer = true;
        QVERIFY(e->save());
        QVERIFY(ReadAll(path).contains("// ab\r\n"));
        Type(e, "c");
        QVERIFY(e->save());
        QCOMPARE(diskQuestions.size(), 2);
    }

    void AnUnchangedWindowOffersToReloadItsFile() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.c");
        const QString b = dir.filePath("b.c");
        Write(a, "// un\r\n");
        Write(b, "// deux\r\n");
        QVERIFY(form->openProgram(a));
        EditorWindow* ea = form->activeEditor();
        QVERIFY(form->openProgram(b));
        EditorWindow* eb = form->activeEditor();
        QCoreApplication::processEvents();
        QVERIFY(diskQuestions.isEmpty());
        // Changed on disk while the window holds no change: offered at its activation.
        Write(a, "// un, relu\r\n");
        diskAnswer = true;
        form->bringForward(ea);
        QTRY_COMPARE(diskQuestions.size(), 1);
        QVERIFY(diskQuestions[0].contains("a.c"));
        QCOMPARE(ea->textLines().front(), Text(u"// un, relu"));
        QVERIFY(!ea->memo()->document()->isModified());
        // A window with changes of its own is not offered a reload; a refused reload is
        // not offered again for the same change.
        Write(b, "// deux, ailleurs\r\n");
        Type(eb, "x");
        form->bringForward(eb);
        QCoreApplication::processEvents();
        QCOMPARE(diskQuestions.size(), 1);
        eb->memo()->document()->setModified(false);
        diskAnswer = false;
        form->bringForward(ea);
        form->bringForward(eb);
        QTRY_COMPARE(diskQuestions.size(), 2);
        form->bringForward(ea);
        form->bringForward(eb);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(diskQuestions.size(), 2);
        QCOMPARE(eb->textLines().front(), Text(u"// deuxx"));
    }

    void RecoveredTextTakesThePlaceOfTheReopenedFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("prog.c");
        Write(path, "// sur le disque\r\n");
        // The last session had the file open, with the reopen option, and ended abnormally.
        form->settings()->startSession();
        form->action(Command::ReopenOption)->setChecked(true);
        form->settings()->toggleReopenOption();
        QVERIFY(form->openProgram(path));
        form->settings()->saveOpenFiles(form->editors());
        cleanup();
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        RecoveredText left;
        left.path = path.toStdString();
        left.caption = "VokC - prog.c";
        left.text = "// sauve";
        Write(QDir(folder).filePath(QString::fromStdString(RecoveryFileName(999999999, 1))),
              QByteArray::fromStdString(FormatRecovery(left)));

        form = NewForm();
        form->settings()->startSession();
        form->settings()->setRestoreHook([](QWidget*, const QString&) { return true; });
        form->settings()->offerRecovery();
        form->settings()->reopenLastFiles();
        QCOMPARE(form->editors().size(), std::size_t(1));
        EditorWindow* e = form->activeEditor();
        QCOMPARE(e->textLines().front(), Text(u"// sauve"));
        QVERIFY(e->memo()->document()->isModified());
        // It replaces the file without a question about the disk.
        QVERIFY(e->save());
        QVERIFY(diskQuestions.isEmpty());
        QCOMPARE(ReadAll(path), QByteArray("// sauve\r\n"));
    }

    void QuestionsAtQuitNameTheirWindowAndBringItForward() {
        // A recovered C2.C is open: the new windows take other names.
        form->createEditorWindow("VokC - C2.C");
        form->newFile();
        form->newFile();
        QStringList names;
        for (EditorWindow* e : form->editors())
            names << e->windowTitle();
        QCOMPARE(names, (QStringList{"VokC - C2.C", "VokC - C3.C", "VokC - C4.C"}));
        QStringList asked;
        for (EditorWindow* e : form->editors()) {
            e->memo()->textCursor().insertText("x");
            e->setSaveChangesHook([&, e](QWidget*, const QString& q) {
                asked << q;
                // The window asking is the one in front.
                if (form->activeEditor() != e) asked << "pas devant";
                return int(QMessageBox::No);
            });
        }
        form->mdiArea()->setActiveSubWindow(form->mdiArea()->subWindowList().last());
        QVERIFY(form->close());
        QCOMPARE(asked, (QStringList{"Enregistrer changements dans 'C2.C'?",
                                     "Enregistrer changements dans 'C3.C'?",
                                     "Enregistrer changements dans 'C4.C'?"}));
    }

    void ASaveSaysWhyItFailed() {
        if (geteuid() == 0) QSKIP("folder permissions do not bind the superuser");
        QTemporaryDir dir;
        const QString folder = dir.filePath("prof");
        QVERIFY(QDir().mkdir(folder));
        const QString path = folder + "/devoir.c";
        Write(path, "// sujet\r\n");
        QVERIFY(form->openProgram(path));
        EditorWindow* e = form->activeEditor();
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        // A writable file in a folder that takes no new file: written in place.
        Type(e, " corrige");
        const bool saved = e->save();
        const QByteArray bytes = ReadAll(path);
        // A new file there: the message says the folder refuses it.
        form->newFile();
        EditorWindow* fresh = form->activeEditor();
        fresh->setSaveNameHook([&](QWidget*) { return folder + "/autre.c"; });
        const bool freshSaved = fresh->saveAs();
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY2(saved, qPrintable(messages.join('\n')));
        QCOMPARE(bytes, QByteArray("// sujet corrige\r\n"));
        QVERIFY(!freshSaved);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QString::fromUtf8("permission refusée sur le dossier")),
                 qPrintable(messages[0]));

        // A file under a folder that its parent keeps out of reach: the folder is there,
        // but closed, and the message says so rather than that it does not exist.
        QVERIFY(QDir().mkdir(folder + "/cours"));
        Write(folder + "/cours/tp.c", "main()\r\n{\r\n}\r\n");
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner));
        const bool opened = form->openProgram(folder + "/cours/tp.c");
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(!opened);
        QCOMPARE(messages.size(), 2);
        QVERIFY2(messages[1].contains(QString::fromUtf8("permission refusée sur le dossier")),
                 qPrintable(messages[1]));
    }

    void ReplaceAllIsOneStepOfTheHistory() {
        form->newFile();
        EditorWindow* e = form->activeEditor();
        e->setTextLines({u"a = a + a;", u"b = a;"});
        e->memo()->document()->setModified(false);
        Type(e, "z");
        e->setCaretOffset(0); // "Remplacer tout" goes from the caret to the end
        ReplaceDialog* d = e->replaceDialog();
        d->setFindText("a");
        d->findChild<QLineEdit*>("ReplaceText")->setText("x");
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->text() == "Remplacer &tout") b->click();
        QCOMPARE(e->textLines(), (Lines{u"x = x + x;", u"b = x;z"}));
        QTest::keyClick(e->memo(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e->textLines(), (Lines{u"a = a + a;", u"b = a;z"}));
        QTest::keyClick(e->memo(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e->textLines(), (Lines{u"a = a + a;", u"b = a;"}));
        QTest::keyClick(e->memo(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e->textLines(), (Lines{u"a = a + a;", u"b = a;z"}));
        QTest::keyClick(e->memo(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e->textLines(), (Lines{u"x = x + x;", u"b = x;z"}));
        // Upwards from the caret, with a replacement that holds the text searched.
        e->setCaretOffset(8); // after "x = x + "
        d->setOptions({false, false, false});
        d->setFindText("x");
        d->findChild<QLineEdit*>("ReplaceText")->setText("xy");
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->text() == "Remplacer &tout") b->click();
        QCOMPARE(e->textLines(), (Lines{u"xy = xy + x;", u"b = x;z"}));
        QVERIFY(d->findChild<QRadioButton*>()->isVisibleTo(d));
        // The context menu's undo and redo are the window's, with the menu's keys.
        std::unique_ptr<QMenu> menu(e->createContextMenu());
        QAction* undo = menu->findChild<QAction*>("edit-undo");
        QAction* redo = menu->findChild<QAction*>("edit-redo");
        QVERIFY(undo && redo);
        QCOMPARE(undo->text(), QString("&Annuler\tCtrl+Z"));
        QCOMPARE(redo->text(), QString::fromUtf8("&Rétablir\tCtrl+Y"));
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        undo->trigger();
        QCOMPARE(e->textLines(), (Lines{u"x = x + x;", u"b = x;z"}));
    }

    void WindowsMinimiseAndCloseAsUsed() {
        form->newFile();
        EditorWindow* first = form->activeEditor();
        form->newFile();
        EditorWindow* second = form->activeEditor();
        form->newFile();
        // Used in the order first, third, second: closing the second brings the third back.
        form->bringForward(first);
        form->newFile();
        EditorWindow* fourth = form->activeEditor();
        form->bringForward(second);
        second->parentWidget()->close();
        QCoreApplication::processEvents();
        QCOMPARE(form->activeEditor(), fourth);
        // "Tout réduire" while the windows are maximised.
        form->mdiArea()->activeSubWindow()->showMaximized();
        form->action(Command::MinimizeAll)->trigger();
        QCoreApplication::processEvents();
        for (QMdiSubWindow* sub : form->mdiArea()->subWindowList())
            QVERIFY2(sub->isMinimized(), qPrintable(sub->windowTitle()));
    }

    void FileDialogsStartWhereTheWorkIs() {
        QTemporaryDir a;
        QTemporaryDir b;
        Write(a.filePath("prog.c"), "main()\r\n");
        QVERIFY(form->openProgram(a.filePath("prog.c")));
        EditorWindow* opened = form->activeEditor();
        QCOMPARE(form->dialogFolder(), QFileInfo(a.path()).absoluteFilePath());
        QCOMPARE(opened->dialogFolder(), QFileInfo(a.path()).absoluteFilePath());
        // A new window starts in the last folder used; saved elsewhere, it joins the
        // recent files and its folder is the next start.
        form->settings()->startSession();
        form->newFile();
        EditorWindow* fresh = form->activeEditor();
        QCOMPARE(fresh->dialogFolder(), QFileInfo(a.path()).absoluteFilePath());
        fresh->setSaveNameHook([&](QWidget*) { return b.filePath("neuf.c"); });
        Type(fresh, "x");
        QVERIFY(fresh->save());
        QCOMPARE(form->settings()->recentFiles().front(), b.filePath("neuf.c"));
        form->newFile();
        QCOMPARE(form->dialogFolder(), b.path());
        QCOMPARE(form->activeEditor()->dialogFolder(), b.path());
    }

    void PrintingHonoursRangeMarginsAndTheUnzoomedFont() {
        QTemporaryDir dir;
        form->newFile();
        EditorWindow* e = form->activeEditor();
        Lines lines;
        for (int i = 1; i <= 200; ++i)
            lines.push_back(u"printf(\"ligne " + QString::number(i).toStdU16String() + u"\");");
        e->setTextLines(lines);
        // The number of pages of a PDF, from its page objects.
        auto pages = [&](const QString& name, int from, int to) {
            QPrinter printer;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(name));
            printer.setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);
            if (from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(from, to);
            }
            if (!e->printTo(printer)) return -1;
            const QMarginsF m = printer.pageLayout().margins(QPageLayout::Millimeter);
            if (std::min({m.left(), m.top(), m.right(), m.bottom()}) < 15) return -2;
            const QByteArray pdf = ReadAll(dir.filePath(name));
            return int(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
        };
        const int all = pages("tout.pdf", 0, 0);
        QVERIFY2(all >= 4, qPrintable(QString::number(all)));
        QCOMPARE(pages("deux.pdf", 2, 3), 2);
        QCOMPARE(pages("fin.pdf", all, all + 5), 1);
        form->settings()->setZoom(6);
        QCOMPARE(pages("zoom.pdf", 0, 0), all);
    }

    void OpenedFilesKeepTheirLastLineEndAndWarnWhenNotText() {
        QTemporaryDir dir;
        const QString plain = dir.filePath("sans_fin.c");
        Write(plain, "main()\r\n{\r\n}");
        QVERIFY(form->openProgram(plain));
        EditorWindow* e = form->activeEditor();
        e->setCaretOffset(0);
        QTest::keyClicks(e->memo(), "// ");
        QVERIFY(e->save());
        QCOMPARE(ReadAll(plain), QByteArray("// main()\r\n{\r\n}"));
        QVERIFY(messages.isEmpty());
        // Accented Windows-1252 text is text; NUL bytes or control bytes on most lines are
        // not, and the window opens after a warning.
        Write(dir.filePath("accents.c"), "// \xE9t\xE9\r\nputs(\"\xE0\")\r\n");
        QVERIFY(form->openProgram(dir.filePath("accents.c")));
        QVERIFY(messages.isEmpty());
        Write(dir.filePath("image.c"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        QVERIFY(form->openProgram(dir.filePath("image.c")));
        Write(dir.filePath("binaire.c"), "\x01\x02a\n\x03"
                                         "b\nc\n\x04\x05\n");
        QVERIFY(form->openProgram(dir.filePath("binaire.c")));
        QCOMPARE(messages.size(), 2);
        QVERIFY(messages[0].contains(QString::fromUtf8("«\u00A0image.c\u00A0» ne semble pas")));
        QVERIFY(messages[1].contains("binaire.c"));
        QCOMPARE(form->editors().size(), std::size_t(4));
        // Imported into a window, the same warning; a text file comes in without one.
        EditorWindow* last = form->activeEditor();
        last->setImportNameHook([&](QWidget*) { return dir.filePath("image.c"); });
        last->importFile();
        QCOMPARE(messages.size(), 3);
        QVERIFY(messages[2].contains(QString::fromUtf8("«\u00A0image.c\u00A0» ne semble pas")));
        last->setImportNameHook([&](QWidget*) { return plain; });
        last->importFile();
        QCOMPARE(messages.size(), 3);
    }

    void KeyboardScrollingColoursEveryVisibleLine() {
        form->newFile();
        EditorWindow* e = form->activeEditor();
        Lines lines;
        for (int i = 0; i < 300; ++i)
            lines.push_back(i == 250 ? u"x = 1; // cible" : u"for (i=1; i<=3; i++)");
        e->setTextLines(lines);
        e->setCaretOffset(0);
        auto* memo = e->memo();
        memo->setFocus();
        QCoreApplication::processEvents();
        // Every line whose top is in view carries its colours.
        auto plainLines = [&] {
            QStringList plain;
            const int height = memo->viewport()->height();
            for (QTextBlock b = memo->document()->findBlockByNumber(memo->firstVisibleLine());
                 b.isValid(); b = b.next()) {
                const int top = memo->cursorRect(QTextCursor(b)).top();
                if (top >= height) break;
                if (top >= 0 && b.layout()->formats().isEmpty())
                    plain << QString::number(b.blockNumber());
            }
            return plain.join(' ');
        };
        QCOMPARE(plainLines(), QString());
        const struct {
            int key;
            Qt::KeyboardModifiers modifiers;
            int times;
            const char* name;
        } keys[] = {
            {Qt::Key_PageDown, Qt::NoModifier, 3, "PageDown"},
            {Qt::Key_PageUp, Qt::NoModifier, 1, "PageUp"},
            {Qt::Key_Down, Qt::NoModifier, 40, "Down"},
            {Qt::Key_End, Qt::ControlModifier, 1, "Ctrl+End"},
            {Qt::Key_Up, Qt::NoModifier, 40, "Up"},
            {Qt::Key_Home, Qt::ControlModifier, 1, "Ctrl+Home"},
        };
        for (const auto& k : keys) {
            const int before = memo->firstVisibleLine();
            for (int i = 0; i < k.times; ++i)
                QTest::keyClick(memo, Qt::Key(k.key), k.modifiers);
            QVERIFY2(memo->firstVisibleLine() != before, k.name);
            QVERIFY2(plainLines().isEmpty(), qPrintable(k.name + (": " + plainLines())));
        }
        // A search match and the stop line of a run.
        e->findDialog()->setFindText("cible");
        e->findNext();
        QVERIFY(memo->firstVisibleLine() > 200);
        QVERIFY2(plainLines().isEmpty(), qPrintable(plainLines()));
        e->showStopLine(120);
        QVERIFY(memo->firstVisibleLine() < 125);
        QVERIFY2(plainLines().isEmpty(), qPrintable(plainLines()));
    }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"
