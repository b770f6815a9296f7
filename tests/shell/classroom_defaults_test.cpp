// Classroom defaults: what an administrator writes in the machine's settings file is
// what every user starts with, and what a user then chooses wins over it. The machine
// and user folders are temporary; the files are named as the application names them.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "command_table.h"
#include "main_window.h"
#include "session_settings.h"

using namespace vokc;

class ClassroomDefaultsTest : public QObject {
    Q_OBJECT
    QTemporaryDir folders_;
    QString systemFile_;
    QString userFile_;

    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

  private slots:
    void initTestCase() {
        QVERIFY(folders_.isValid());
        QApplication::setOrganizationName(QStringLiteral("VokC"));
        QApplication::setApplicationName(QStringLiteral("Vok C"));
        const QString system = folders_.filePath(QStringLiteral("etc-xdg"));
        const QString user = folders_.filePath(QStringLiteral("home-config"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, system);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, user);
        systemFile_ = system + QStringLiteral("/VokC/Vok C.conf");
        userFile_ = user + QStringLiteral("/VokC/Vok C.conf");
        QVERIFY(QDir().mkpath(system + QStringLiteral("/VokC")));
    }

    void MachineDefaultsApplyAndTheUsersChoicesWin() {
        // Written by hand, as the manual page shows it.
        QFile conf(systemFile_);
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[affichage]\nzoom=3\nnumeros=false\n\n[fichiers]\nrouvrir=true\n");
        conf.close();
        const QByteArray written = Read(systemFile_);

        auto* form = new MainWindow;
        // Without a started session, the built-in defaults.
        QCOMPARE(form->settings()->zoomStep(), 0);
        QVERIFY(form->settings()->lineNumbersShown());
        form->settings()->startSession();
        QCOMPARE(form->settings()->zoomStep(), 3);
        QVERIFY(!form->settings()->lineNumbersShown());
        QVERIFY(!form->action(Command::LineNumbers)->isChecked());
        QVERIFY(form->action(Command::ReopenOption)->isChecked());

        // The user zooms out and shows the line numbers again: kept for this user only.
        form->settings()->zoomReset();
        form->settings()->zoomOut();
        form->action(Command::LineNumbers)->trigger();
        QVERIFY(form->settings()->lineNumbersShown());
        delete form;
        QCOMPARE(Read(systemFile_), written);
        QVERIFY(QFile::exists(userFile_));

        form = new MainWindow;
        form->settings()->startSession();
        QCOMPARE(form->settings()->zoomStep(), -1);
        QVERIFY(form->settings()->lineNumbersShown());
        // What the user never touched still comes from the machine.
        QVERIFY(form->action(Command::ReopenOption)->isChecked());
        delete form;

        // Without the machine's file, the built-in defaults again for a new user.
        QVERIFY(QFile::remove(userFile_));
        QVERIFY(QFile::remove(systemFile_));
        form = new MainWindow;
        form->settings()->startSession();
        QCOMPARE(form->settings()->zoomStep(), 0);
        QVERIFY(form->settings()->lineNumbersShown());
        QVERIFY(!form->action(Command::ReopenOption)->isChecked());
        delete form;
    }
};

QTEST_MAIN(ClassroomDefaultsTest)
#include "classroom_defaults_test.moc"
