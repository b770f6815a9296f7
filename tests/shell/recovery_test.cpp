// Recovery files: the unsaved text of a session killed in a child process is offered back
// at the next start; saving, discarding or a running session's files are left alone.
// The child is this program started again with "--session": it runs the application's
// main window as vokc does, types text, writes its recovery file and waits to be killed.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "editor_window.h"
#include "main_window.h"
#include "recovery_store.h"

using namespace vokc;
using vokc::editor::Lines;

namespace {

// The child: a session with one unsaved window.
int RunChildSession(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    MainWindow form;
    form.settings()->startSession();
    form.show();
    form.newFile();
    EditorWindow* e = form.activeEditor();
    e->memo()->textCursor().insertText(QStringLiteral("// texte perdu \u00e9\u00e9"));
    if (!form.settings()->recoveryStore()->write(e)) return 2;
    std::printf("pret\n");
    std::fflush(stdout);
    return QApplication::exec();
}

QStringList RecoveryFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("recup-*.txt")}, QDir::Files);
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
    QTemporaryDir home;
    QByteArray oldHome;
    MainWindow* form = nullptr;

    // Starts a session in a child process and waits until its text is on disk.
    bool StartChild(QProcess& child) {
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({QStringLiteral("--session")});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.start();
        if (!child.waitForStarted(10000)) return false;
        while (!child.canReadLine())
            if (!child.waitForReadyRead(20000)) return false;
        return child.readLine().trimmed() == "pret";
    }
    static void Kill(QProcess& child) {
        child.kill(); // no clean-up runs: as a crash or a power cut
        child.waitForFinished(10000);
    }

  private slots:
    void initTestCase() {
        // The test folders of this process and of its children are below a home of
        // their own.
        QVERIFY(home.isValid());
        oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
    }
    void cleanupTestCase() { qputenv("HOME", oldHome); }
    void init() {
        form = new MainWindow;
        form->settings()->startSession();
        form->show();
    }
    void cleanup() {
        for (EditorWindow* e : form->editors())
            e->memo()->document()->setModified(false);
        delete form;
        form = nullptr;
        for (const QString& f :
             RecoveryFiles(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)))
            QFile::remove(QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                              .filePath(f));
    }

    void KilledSessionIsOfferedBack() {
        const QString folder = form->settings()->recoveryStore()->folder();
        QCOMPARE(folder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QVERIFY(folder.startsWith(home.path()));
        QProcess child;
        QVERIFY(StartChild(child));
        // While it runs, its text is its own: nothing is offered.
        QStringList asked;
        form->settings()->setRestoreHook([&](QWidget*, const QString& q) {
            asked << q;
            return true;
        });
        form->settings()->offerRecovery();
        QVERIFY(asked.isEmpty());
        QCOMPARE(RecoveryFiles(folder).size(), 1);
        Kill(child);

        // The next start offers the text back, in French.
        delete form;
        form = new MainWindow;
        form->settings()->startSession();
        form->show();
        form->settings()->setRestoreHook([&](QWidget*, const QString& q) {
            asked << q;
            return true;
        });
        form->settings()->offerRecovery();
        QCOMPARE(asked, QStringList{"Vok C s'est arrêté sans que «\u00A0VokC - C1.C\u00A0» soit "
                                    "enregistré.\nRécupérer le texte non enregistré ?"});
        QCOMPARE(form->editors().size(), size_t(1));
        EditorWindow* e = form->editors().front();
        QCOMPARE(e->windowTitle(), QString("VokC - C1.C"));
        const Lines lines = e->textLines();
        QVERIFY(std::find(lines.begin(), lines.end(), u"// texte perdu \u00e9\u00e9") !=
                lines.end());
        QCOMPARE(lines.size(), editor::DefaultProgram().size());
        QVERIFY(e->memo()->document()->isModified());
        QVERIFY(e->fileName().isEmpty());
        // The old file went; the restored window keeps the text in a file of its own.
        const QStringList files = RecoveryFiles(folder);
        QCOMPARE(files,
                 QStringList{QFileInfo(form->settings()->recoveryStore()->fileOf(e)).fileName()});
        // Offered once only.
        asked.clear();
        form->settings()->offerRecovery();
        QVERIFY(asked.isEmpty());
        // Closing without saving discards the text and its file.
        e->setSaveChangesHook([](QWidget*, const QString&) { return int(QMessageBox::No); });
        QVERIFY(e->parentWidget()->close());
        QCoreApplication::processEvents();
        QVERIFY(RecoveryFiles(folder).isEmpty());
    }

    void RefusedTextsAreDiscarded() {
        const QString folder = form->settings()->recoveryStore()->folder();
        QProcess child;
        QVERIFY(StartChild(child));
        Kill(child);
        int asked = 0;
        form->settings()->setRestoreHook([&](QWidget*, const QString&) {
            ++asked;
            return false;
        });
        form->settings()->offerRecovery();
        QCOMPARE(asked, 1);
        QVERIFY(form->editors().empty());
        QVERIFY(RecoveryFiles(folder).isEmpty());
        // The dead session's lock went with it.
        QCOMPARE(QDir(folder).entryList({"session-*.lock"}, QDir::Files).size(), 1);
    }

    void SavedOrUnchangedTextsHaveNoFile() {
        QTemporaryDir dir;
        RecoveryStore* store = form->settings()->recoveryStore();
        form->newFile();
        EditorWindow* e = form->activeEditor();
        const QString file = store->fileOf(e);
        QVERIFY(!file.isEmpty());
        QVERIFY(store->write(e)); // unchanged: nothing to keep
        QVERIFY(!QFile::exists(file));
        e->memo()->textCursor().insertText("x");
        QVERIFY(store->write(e));
        QVERIFY(QFile::exists(file));
        e->setSaveNameHook([&](QWidget*) { return dir.filePath("garde.c"); });
        QVERIFY(e->saveAs());
        QVERIFY(!QFile::exists(file));
        // A change after the save is kept again, and the delay writes it by itself.
        store->setDelay(10);
        e->memo()->textCursor().insertText("y");
        QTRY_VERIFY(QFile::exists(file));
        QVERIFY(e->save());
        QVERIFY(!QFile::exists(file));
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--session") == 0) return RunChildSession(1, argv);
    QApplication app(argc, argv);
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"
