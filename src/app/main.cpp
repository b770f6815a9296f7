// vokc: start-up of the desktop application. The splash stays visible while every
// window is created once, in a fixed order; then the files named on the command line
// are opened and the message loop runs.
#include <QApplication>
#include <QFileInfo>

#include "console.h"
#include "listesel.h"
#include "symbolwindows.h"
#include "tbouclefor.h"
#include "tbouclewhile.h"
#include "tcalendrier.h"
#include "tconditionif.h"
#include "tfileio.h"
#include "thorloge.h"
#include "tmotscle.h"
#include "tpocket.h"
#include "mainform.h"
#include "smallwindows.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto* splash = new TSplash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    QApplication::setApplicationName(QStringLiteral("Vok C"));

    // Created once and kept until the end, in this order.
    TMainForm mainForm;
    SharedWindows shared;
    shared.aboutBox = new TAboutBox(&mainForm);
    shared.listeSel = new TListeSel(&mainForm);
    auto* table = new TTableSymboles(&mainForm);
    auto* variable = new TVariable(&mainForm);
    shared.generators.motsCle = new TMotsCle(&mainForm);
    shared.generators.boucleFor = new TBoucleFor(&mainForm);
    shared.generators.boucleWhile = new TBoucleWhile(&mainForm);
    shared.generators.conditionIf = new TConditionIf(&mainForm);
    shared.generators.fileIO = new TFileIO(&mainForm);
    auto* console = new TForm3(&mainForm);
    auto* form12 = new TForm12(console);
    console->SetInputLine(form12);
    console->SetInspectionWindows(table, variable);
    shared.console = console;
    auto* parametres = new TParametres(&mainForm);
    parametres->hide();
    shared.calendrier = new TCalendrier(&mainForm);
    shared.horloge = new THorloge(&mainForm);
    shared.pocket = new TPocket(&mainForm);
    mainForm.SetSharedWindows(shared);

    delete splash;
    mainForm.show();
    for (int i = 1; i < argc; ++i) mainForm.OpenProgram(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath());
    return app.exec();
}
