// vokc: start-up of the desktop application. The splash stays visible while every
// window is created once, in a fixed order; then the texts left by an abnormal end are
// offered back, the files named on the command line are opened and the message loop runs.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "about_box.h"
#include "calculator_window.h"
#include "calendar_window.h"
#include "clock_window.h"
#include "console_window.h"
#include "examine_dialog.h"
#include "file_skeleton_dialog.h"
#include "for_loop_dialog.h"
#include "french.h"
#include "grading_job.h"
#include "if_dialog.h"
#include "keyword_picker.h"
#include "main_window.h"
#include "procedure_list.h"
#include "run_session.h"
#include "splash_screen.h"
#include "symbol_table_dialog.h"
#include "while_loop_dialog.h"

int main(int argc, char** argv) {
    using namespace vokc;
    QApplication app(argc, argv);
    // Checks and gradings fork their runs from vokc-run's small grading process: the one
    // installed beside this program, else the one on the path.
    QString grader = QDir(QCoreApplication::applicationDirPath()).filePath("vokc-run");
    if (!QFileInfo(grader).isExecutable())
        grader = QStandardPaths::findExecutable(QStringLiteral("vokc-run"));
    vokc::GradingJob::setGrader(grader);
    InstallFrenchTranslations(app);
    auto* splash = new SplashScreen;
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    QApplication::setOrganizationName(QStringLiteral("VokC"));
    QApplication::setApplicationName(QStringLiteral("Vok C"));

    // Created once and kept until the end, in this order.
    MainWindow mainWindow;
    SharedWindows shared;
    shared.aboutBox = new AboutBox(&mainWindow);
    shared.procedureList = new ProcedureList(&mainWindow);
    shared.symbolTable = new SymbolTableDialog(&mainWindow);
    shared.examine = new ExamineDialog(&mainWindow);
    shared.generators.keywords = new KeywordPicker(&mainWindow);
    shared.generators.forLoop = new ForLoopDialog(&mainWindow);
    shared.generators.whileLoop = new WhileLoopDialog(&mainWindow);
    shared.generators.ifCondition = new IfDialog(&mainWindow);
    shared.generators.fileSkeleton = new FileSkeletonDialog(&mainWindow);
    shared.console = new ConsoleWindow(&mainWindow);
    shared.session = new RunSession(*shared.console, &mainWindow);
    shared.calendar = new CalendarWindow(&mainWindow);
    shared.clock = new ClockWindow(&mainWindow);
    shared.calculator = new CalculatorWindow(&mainWindow);
    mainWindow.setSharedWindows(shared);
    // Settings, recent files and recovery files of the user's standard folders.
    mainWindow.settings()->startSession();

    delete splash;
    mainWindow.show();
    // Texts that an abnormal end left unsaved come first, then the files asked for.
    mainWindow.settings()->offerRecovery();
    mainWindow.settings()->reopenLastFiles();
    for (int i = 1; i < argc; ++i)
        mainWindow.openProgram(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath());
    return app.exec();
}
