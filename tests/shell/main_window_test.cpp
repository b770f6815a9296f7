// The main window and the editor window on the offscreen platform.
#include <QAbstractButton>
#include <QAbstractFileIconProvider>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "editor_window.h"
#include "file_skeleton_dialog.h"
#include "find_dialog.h"
#include "for_loop_dialog.h"
#include "french.h"
#include "if_dialog.h"
#include "main_window.h"
#include "procedure_list.h"
#include "skeletons.h"
#include "while_loop_dialog.h"
#include "window_menu.h"

using namespace vokc;
using namespace vokc::editor;

class MainWindowTest : public QObject {
    Q_OBJECT
    MainWindow* form = nullptr;
    ProcedureList* liste = nullptr;
    QStringList messages;

    EditorWindow* NewEditor() {
        form->newFile();
        return form->activeEditor();
    }
    void CloseAll() {
        for (EditorWindow* e : form->editors())
            e->memo()->document()->setModified(false);
        form->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    static QByteArray ReadAll(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }

  private slots:
    void init() {
        form = new MainWindow;
        liste = new ProcedureList(form);
        SharedWindows shared;
        shared.procedureList = liste;
        form->setSharedWindows(shared);
        form->setNewEditorHook([this](EditorWindow* e) {
            e->setMessageHook([this](QWidget*, const QString& m) { messages << m; });
        });
        form->show();
        messages.clear();
    }
    void cleanup() {
        CloseAll();
        delete form;
        form = nullptr;
    }

    void EnablingFollowsTheEditorCount() {
        const std::vector<std::pair<Command, QString>> always = {
            {Command::New, "&Nouveau"},
            {Command::Open, "&Ouvrir"},
            {Command::PrinterSetup, "&Configuration impression..."},
            {Command::Quit, "&Quitter"},
            {Command::Calendar, "&Calendrier"},
            {Command::Calculator, "C&alculatrice"},
            {Command::Clock, "&Horloge"},
            {Command::HelpContents, "&Index"},
            {Command::HelpSearch, "&Rechercher"},
            {Command::HelpOnHelp, "&Utiliser l'aide"},
            {Command::About, "&A propos"},
        };
        const std::vector<std::pair<Command, QString>> editorOnly = {
            {Command::Close, "&Fermer"},
            {Command::Save, "&Enregistrer"},
            {Command::SaveAs, "Enregistrer &sous..."},
            {Command::Import, "I&mporter"},
            {Command::Print, "&Imprimer..."},
            {Command::Cut, "&Couper"},
            {Command::Copy, "Co&pier"},
            {Command::Paste, "C&oller"},
            {Command::SelectAll, "&Tout sélectionner"},
            {Command::Find, "Rec&hercher..."},
            {Command::FindNext, "Co&ntinuer"},
            {Command::Replace, "Re&mplacer..."},
            {Command::Procedures, "&Voids..."},
            {Command::SymbolTable, "&Table des symboles"},
            {Command::Examine, "&Examiner variable..."},
            {Command::Run, "&Exécuter"},
            {Command::Breakpoint, "&Point d'arrêt"},
            {Command::Resume, "&Continuer"},
            {Command::StepMode, "&Mode pas à pas"},
            {Command::Keyword, "&Mots clé..."},
            {Command::ForLoop, "Boucle &For..."},
            {Command::WhileLoop, "Boucle Whille..."},
            {Command::DoLoop, "Boucle &Do..."},
            {Command::If, "Condition &If..."},
            {Command::FileRead, "&Lecture fichier..."},
            {Command::FileWrite, "&Ecriture fichier..."},
            {Command::Cascade, "&Cascade"},
            {Command::Tile, "&Mosaïque"},
            {Command::ArrangeIcons, "&Réorganiser les icônes"},
            {Command::MinimizeAll, "&Tout réduire"},
        };
        auto check = [&](bool withEditor) {
            for (const auto& [role, c] : always) {
                QAction* a = form->action(role);
                QVERIFY2(a && a->text() == c, qPrintable(c));
                QVERIFY2(a->isEnabled(), qPrintable(c));
            }
            for (const auto& [role, c] : editorOnly) {
                QAction* a = form->action(role);
                QVERIFY2(a && a->text() == c, qPrintable(c));
                QCOMPARE(a->isEnabled(), withEditor);
            }
        };
        check(false);
        QCOMPARE(form->action(Command::Run)->shortcut(), QKeySequence("F9"));
        QCOMPARE(form->action(Command::Quit)->shortcut(), QKeySequence("Alt+X"));
        // The tool-bar buttons follow: only "Nouveau" and "Ouvrir" stay enabled.
        int enabledButtons = 0;
        for (QAction* a : form->toolBar()->actions())
            if (!a->isSeparator() && a->isEnabled()) ++enabledButtons;
        QCOMPARE(enabledButtons, 2);
        NewEditor();
        check(true);
        CloseAll();
        QTRY_VERIFY(!form->action(Command::Close)->isEnabled());
    }

    void NewWindowsAreNumberedByTheOpenCount() {
        EditorWindow* first = NewEditor();
        QCOMPARE(first->windowTitle(), QString("VokC - C1.C"));
        QCOMPARE(first->caretOffset(), 79L);
        QCOMPARE(first->textLines().size(), size_t(9));
        NewEditor();
        first->parentWidget()->close();
        QCoreApplication::processEvents();
        // C2.C is still open: the count's name is taken, the next free one is used.
        EditorWindow* third = NewEditor();
        QCOMPARE(third->windowTitle(), QString("VokC - C3.C"));
        first = NewEditor();
        QCOMPARE(first->windowTitle(), QString("VokC - C4.C"));
    }

    void OpenSaveAndReopenKeepTheEncoding() {
        QTemporaryDir dir;
        const QString latin = dir.filePath("essai.c");
        Write(latin, "\xBBmain()\r\n{\r\nputs(\"\xE9t\xE9\")\r\n}\r\n");
        QVERIFY(form->openProgram(latin));
        EditorWindow* e = form->activeEditor();
        QCOMPARE(e->windowTitle(), QString("VokC - essai.c"));
        QCOMPARE(e->caretOffset(), 0L);
        QVERIFY(!e->memo()->document()->isModified());
        e->memo()->textCursor().insertText("// ");
        QVERIFY(e->save());
        QCOMPARE(ReadAll(latin), QByteArray("// \xBBmain()\r\n{\r\nputs(\"\xE9t\xE9\")\r\n}\r\n"));

        const QString utf = dir.filePath("utf.c");
        Write(utf, "main()\n{\nputs(\"\xC3\xA9t\xC3\xA9\")\n}\n");
        QVERIFY(form->openProgram(utf));
        e = form->activeEditor();
        QVERIFY(e->save());
        QCOMPARE(ReadAll(utf), QByteArray("main()\n{\nputs(\"\xC3\xA9t\xC3\xA9\")\n}\n"));

        // A file that cannot be read leaves no window and says why.
        const int before = static_cast<int>(form->editors().size());
        QVERIFY(!form->openProgram(dir.filePath("absent.c")));
        QCoreApplication::processEvents();
        QCOMPARE(static_cast<int>(form->editors().size()), before);
    }

    void SaveAsNamesAndUnsavedChanges() {
        QTemporaryDir dir;
        EditorWindow* e = NewEditor();
        e->setSaveNameHook([&](QWidget*) { return dir.filePath("devoir.txt"); });
        QVERIFY(e->saveAs());
        QCOMPARE(e->fileName(), dir.filePath("devoir.c"));
        QCOMPARE(e->windowTitle(), QString("VokC - devoir.c"));
        QVERIFY(QFile::exists(dir.filePath("devoir.c")));

        // Cancel keeps the window; "Yes" with a failing save keeps it too.
        e->memo()->textCursor().insertText("x");
        QString asked;
        e->setSaveChangesHook([&](QWidget*, const QString& q) {
            asked = q;
            return int(QMessageBox::Cancel);
        });
        QVERIFY(!e->parentWidget()->close());
        QCOMPARE(asked, QString("Enregistrer changements dans 'devoir.c'?"));
        e->setFileName(dir.filePath("nulle/part/devoir.c"));
        e->setSaveChangesHook([](QWidget*, const QString&) { return int(QMessageBox::Yes); });
        QVERIFY(!e->parentWidget()->close());
        QVERIFY(!messages.isEmpty());
        QVERIFY(messages.last().contains("nulle/part/devoir.c"));
        e->setSaveChangesHook([](QWidget*, const QString&) { return int(QMessageBox::No); });
        QVERIFY(e->parentWidget()->close());
    }

    void SaveAsAsksBeforeReplacingAnyFile() {
        QTemporaryDir dir;
        const QString old = dir.filePath("essai.c");
        Write(old, "ancien\r\n");
        // Typed without extension, or with another one: the ".c" rule leads to essai.c.
        for (const QString& typed : {dir.filePath("essai"), dir.filePath("essai.txt")}) {
            EditorWindow* e = NewEditor();
            e->setSaveNameHook([typed](QWidget*) { return typed; });
            QStringList asked;
            e->setOverwriteHook([&](QWidget*, const QString& q) {
                asked << q;
                return false;
            });
            QVERIFY(!e->saveAs());
            QCOMPARE(asked, QStringList{"Le fichier «\u00A0essai.c\u00A0» existe déjà.\n"
                                        "Voulez-vous le remplacer ?"});
            QCOMPARE(ReadAll(old), QByteArray("ancien\r\n"));
            QVERIFY(e->fileName().isEmpty());
            QCOMPARE(e->windowTitle(), QString("VokC - C%1.C").arg(form->editors().size()));
        }
        EditorWindow* e = form->activeEditor();
        e->setOverwriteHook([](QWidget*, const QString&) { return true; });
        QVERIFY(e->saveAs());
        QCOMPARE(e->fileName(), old);
        QVERIFY(ReadAll(old).contains("main()"));
        // A new name asks nothing.
        e->setOverwriteHook([](QWidget*, const QString&) -> bool { throw 1; });
        e->setSaveNameHook([&](QWidget*) { return dir.filePath("neuf.txt"); });
        QVERIFY(e->saveAs());
    }

    void FileErrorsAreToldInFrench() {
        QTemporaryDir dir;
        QVERIFY(!form->openProgram(dir.filePath("absent.c")));
        QCOMPARE(messages.last(),
                 QString("Impossible de lire le fichier «\u00A0%1\u00A0» : le fichier "
                         "n'existe pas")
                     .arg(dir.filePath("absent.c")));
        EditorWindow* e = NewEditor();
        e->setFileName(dir.filePath("nulle/devoir.c"));
        QVERIFY(!e->save());
        QCOMPARE(messages.last(), QString("Impossible d'enregistrer le fichier «\u00A0%1\u00A0» : "
                                          "le dossier «\u00A0%2\u00A0» "
                                          "n'existe pas")
                                      .arg(dir.filePath("nulle/devoir.c"), dir.filePath("nulle")));
    }

    void CancelAtQuitKeepsEveryWindow() {
        std::vector<EditorWindow*> windows;
        for (int i = 0; i < 4; ++i)
            windows.push_back(NewEditor());
        windows[1]->memo()->textCursor().insertText("x");
        windows[3]->memo()->textCursor().insertText("y");
        QList<int> answers = {QMessageBox::No, QMessageBox::Cancel};
        int asked = 0;
        for (EditorWindow* e : windows)
            e->setSaveChangesHook([&](QWidget*, const QString&) {
                ++asked;
                return answers.isEmpty() ? int(QMessageBox::No) : answers.takeFirst();
            });
        QVERIFY(!form->close());
        QCoreApplication::processEvents();
        QCOMPARE(asked, 2);
        QCOMPARE(form->editors().size(), size_t(4));
        QVERIFY(windows[1]->memo()->document()->isModified());
        // The window that had agreed asks again when it closes later.
        QVERIFY(windows[1]->parentWidget()->close());
        QCOMPARE(asked, 3);
        // Without a cancel, quitting closes everything.
        QVERIFY(form->close());
        QTRY_VERIFY(form->editors().empty());
    }

    void GeneratorsLeaveTheCaretOnTheBody() {
        // Each generator, then typing: the letter lands on the empty body line.
        const ConditionFields condition{u"i", 1, u"3"};
        const struct {
            const char* name;
            Insertion insertion;
            std::size_t bodyLine; // line of the body, counted from the insertion's line
        } cases[] = {
            {"for", ForInsertion(ForSkeleton({u"i", u"1", u"3"}, true), true, 0), 2},
            {"while", WhileInsertion(WhileSkeleton(condition, true), true, 0), 2},
            {"do", DoInsertion(DoSkeleton(condition, true), true, 0), 2},
            {"if", IfInsertion(IfSkeleton(condition, false, true), true, 0), 2},
            {"if else", IfInsertion(IfSkeleton(condition, true, true), true, 0), 2},
            {"file", FileInsertion(FileSkeleton({u"f", u"a.txt", kFileRead}, true), true, 0), 1},
        };
        for (const auto& c : cases) {
            EditorWindow* e = NewEditor();
            e->setTextLines({u"main()", u"{", u"", u"}"});
            const long at = 6 + 2 + 1 + 2;
            e->setCaretOffset(at);
            e->insertSnippet(QString::fromStdU16String(c.insertion.text), c.insertion.edit,
                             c.insertion.caret ? std::optional<long>(*c.insertion.caret + at)
                                               : std::nullopt);
            QTest::keyClicks(e->memo(), "Z");
            const Lines lines = e->textLines();
            QVERIFY2(lines.size() > 2 + c.bodyLine, c.name);
            QVERIFY2(lines[2 + c.bodyLine] == u"Z", c.name);
            QVERIFY2(lines[3 + c.bodyLine] != u"Z}", c.name);
        }
    }

    void AltWithALetterTypesNothing() {
        EditorWindow* e = NewEditor();
        const Lines before = e->textLines();
        QTest::keyClick(e->memo(), Qt::Key_M, Qt::AltModifier);
        QTest::keyClick(e->memo(), Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(e->textLines(), before);
        QTest::keyClick(e->memo(), Qt::Key_M);
        QVERIFY(e->textLines() != before);
        // The dialogs' labels lead to their fields: the '&' is a mnemonic.
        for (QDialog* d :
             {static_cast<QDialog*>(e->findDialog()), static_cast<QDialog*>(e->replaceDialog())})
            for (QLabel* label : d->findChildren<QLabel*>())
                QVERIFY2(qobject_cast<QLineEdit*>(label->buddy()), qPrintable(label->text()));
    }

    void NotFoundGivesTheFocusBackToTheFindDialog() {
        EditorWindow* e = NewEditor();
        e->showFindDialog();
        QVERIFY(QTest::qWaitForWindowExposed(e->findDialog()));
        e->findDialog()->setFindText("absent");
        e->memo()->activateWindow();
        e->memo()->setFocus();
        e->findNext();
        QTRY_VERIFY(e->findDialog()->isActiveWindow());
        e->findDialog()->hide();
    }

    void WindowListRestoresAMinimisedWindow() {
        NewEditor();
        EditorWindow* second = NewEditor();
        QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(second->parentWidget());
        sub->showMinimized();
        QVERIFY(sub->isMinimized());
        QMenu* menu = nullptr;
        for (QAction* a : form->menuBar()->actions())
            if (a->text() == "Fe&nêtre") menu = a->menu();
        QVERIFY(menu);
        emit menu->aboutToShow();
        QAction* item = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == "&2 VokC - C2.C") item = a;
        QVERIFY(item);
        item->trigger();
        QVERIFY(!sub->isMinimized());
        QCOMPARE(form->mdiArea()->activeSubWindow(), sub);
    }

    void NewWindowsCascadeInsideTheFrame() {
        form->showNormal();
        form->resize(800, 600);
        QCoreApplication::processEvents();
        const QRect area = form->mdiArea()->viewport()->rect();
        for (int i = 0; i < 12; ++i)
            NewEditor();
        QPoint last(-1, -1);
        for (QMdiSubWindow* sub : form->mdiArea()->subWindowList()) {
            QVERIFY2(area.contains(sub->geometry()),
                     qPrintable(QString("%1,%2").arg(sub->x()).arg(sub->y())));
            QVERIFY(sub->pos() != last);
            last = sub->pos();
        }
    }

    void QtDialogsSpeakFrench() {
        QVERIFY2(InstallFrenchTranslations(*qApp), "qt6-translations-l10n is not installed");
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QString("&Oui"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QString("&Non"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString("Annuler"));
        // The "Type" column of the file dialogs.
        QTemporaryDir dir;
        QCOMPARE(QAbstractFileIconProvider().type(QFileInfo(dir.path())), QString("Dossier"));
    }

    void ImportInsertsTheFileAtTheCaret() {
        QTemporaryDir dir;
        Write(dir.filePath("bout.txt"), "a = 1\r\nb = 2\r\n");
        EditorWindow* e = NewEditor();
        e->setTextLines({u"main()", u"{", u"}"});
        e->setCaretOffset(6 + 2 + 1 + 2); // start of "}"
        e->setImportNameHook([&](QWidget*) { return dir.filePath("bout.txt"); });
        e->importFile();
        QCOMPARE(e->textLines(), (Lines{u"main()", u"{", u"a = 1", u"b = 2", u"}"}));
        QCOMPARE(e->caretOffset(), long(6 + 2 + 1 + 2 + 5 + 2 + 5 + 2));
        QVERIFY(e->memo()->document()->isModified());
        e->setImportNameHook([](QWidget*) { return QString(); }); // cancelled: nothing happens
        e->importFile();
        QCOMPARE(e->textLines().size(), size_t(5));
    }

    void FindReplaceAndTheirMessages() {
        EditorWindow* e = NewEditor();
        e->setTextLines({u"int x;", u"print(x);", u"int_x = intx;"});
        e->setCaretOffset(0);
        e->findDialog()->setFindText("int");
        e->findDialog()->setOptions(SearchOptions{true, false, true});
        e->findNext();
        QCOMPARE(e->selectionStart(), 8L + 11); // "int_x": the underscore ends a word
        e->findNext();
        QCOMPARE(messages.last(), QString("Chaîne rechechée \"int\" non trouvée"));

        // Searching again before any search in a new window: nothing between the quotes.
        EditorWindow* other = NewEditor();
        other->findNext();
        QCOMPARE(messages.last(), QString("Chaîne rechechée \"\" non trouvée"));
    }

    void ReplaceAllChangesEveryOccurrence() {
        EditorWindow* e = NewEditor();
        e->setTextLines({u"a = a + 1", u"b = a"});
        e->setCaretOffset(0);
        auto* findEdit = e->replaceDialog()->findChild<QLineEdit*>("FindText");
        auto* replaceEdit = e->replaceDialog()->findChild<QLineEdit*>("ReplaceText");
        findEdit->setText("a");
        replaceEdit->setText("total");
        for (QObject* o : e->replaceDialog()->children())
            if (auto* b = qobject_cast<QAbstractButton*>(o); b && b->text() == "Remplacer &tout")
                b->click();
        QCOMPARE(e->textLines(), (Lines{u"total = total + 1", u"b = total"}));
        QVERIFY(messages.isEmpty()); // replacing all ends silently
        for (QObject* o : e->replaceDialog()->children())
            if (auto* b = qobject_cast<QAbstractButton*>(o); b && b->text() == "&Remplacer")
                b->click();
        QCOMPARE(messages.last(), QString("Chaîne recherchée \"a\"non trouvée"));
    }

    void EnterKeepsTheIndentation() {
        EditorWindow* e = NewEditor();
        e->setTextLines({u"main()", u"{", u"   x = 1"});
        e->setCaretOffset(6 + 2 + 1 + 2 + 8);
        QTest::keyClick(e->memo(), Qt::Key_Return);
        QCOMPARE(e->textLines(), (Lines{u"main()", u"{", u"   x = 1", u"   "}));
        QCOMPARE(e->caretOffset(), 6L + 2 + 1 + 2 + 8 + 2 + 3);
        e->setCaretOffset(2);
        QTest::keyClick(e->memo(), Qt::Key_Return); // first line: a plain break
        QCOMPARE(e->textLines()[0], std::u16string(u"ma"));
    }

    void ProcedureListMovesTheCaret() {
        EditorWindow* e = NewEditor();
        e->setTextLines({u"int affiche;", u"void f()", u"{", u"}", u"  VOID affiche()", u"main()"});
        QTimer::singleShot(0, [&] {
            QCOMPARE(liste->list()->count(), 2);
            QCOMPARE(liste->list()->item(1)->text(), QString("VOID affiche()"));
            liste->list()->setCurrentRow(1);
            QTest::keyClick(liste->list(), Qt::Key_Return);
        });
        e->showProcedureList();
        QCOMPARE(e->caretOffset(), long(12 + 2 + 8 + 2 + 1 + 2 + 1 + 2));
        // Escape chooses nothing.
        e->setCaretOffset(0);
        QTimer::singleShot(0, [&] {
            liste->list()->setCurrentRow(0);
            QTest::keyClick(liste->list(), Qt::Key_Escape);
        });
        e->showProcedureList();
        QCOMPARE(e->caretOffset(), 0L);
    }

    void EachRoleHasItsOwnActionAndKeys() {
        QStringList names;
        for (const CommandRow& row : CommandTable()) {
            QAction* a = form->action(row.role);
            QVERIFY2(a && a->objectName() == QString::fromLatin1(row.name), row.name);
            QVERIFY2(!names.contains(a->objectName()), row.name);
            names << a->objectName();
        }
        // The commands with a second key.
        QCOMPARE(form->action(Command::ZoomIn)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")}));
        QCOMPARE(form->action(Command::Stop)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Pause"), QKeySequence(Qt::Key_Escape)}));
        for (Command role : {Command::ReopenOption, Command::LineNumbers, Command::StepMode})
            QVERIFY(form->action(role)->isCheckable());
        QVERIFY(!form->action(Command::Run)->isCheckable());
    }

    void GeneratorCommandsInsertWhatTheirDialogBuilds() {
        SharedWindows shared;
        shared.procedureList = liste;
        shared.generators.forLoop = new ForLoopDialog(form);
        shared.generators.whileLoop = new WhileLoopDialog(form);
        shared.generators.ifCondition = new IfDialog(form);
        shared.generators.fileSkeleton = new FileSkeletonDialog(form);
        form->setSharedWindows(shared);
        shared.generators.forLoop->counterEdit()->setText("i");
        shared.generators.forLoop->initialEdit()->setText("1");
        shared.generators.forLoop->finalEdit()->setText("3");
        for (ConditionDialog* d : std::initializer_list<ConditionDialog*>{
                 shared.generators.whileLoop, shared.generators.ifCondition}) {
            d->operand1Edit()->setText("n");
            d->operatorGroup()->item(1)->click();
            d->operand2Edit()->setText("3");
        }
        shared.generators.fileSkeleton->variableEdit()->setText("f");
        shared.generators.fileSkeleton->fileNameEdit()->setText("a.txt");
        const struct {
            Command role;
            bool confirm;
            QString caption;
            std::u16string firstLine;
        } cases[] = {
            {Command::ForLoop, true, "Boucle For", u"For (i=1; i<=3; i++)"},
            {Command::WhileLoop, true, "Boucle While", u"While (n<3)"},
            {Command::DoLoop, true, "Boucle Do", u"Do"},
            {Command::If, true, "Condition If", u"If (n<3)"},
            // A cancel leaves the text, the selected line too.
            {Command::If, false, "Condition If", u"garde"},
            {Command::ForLoop, false, "Boucle For", u"garde"},
            {Command::DoLoop, false, "Boucle Do", u"garde"},
            {Command::FileWrite, true, "Lecture / Ecriture fichier",
             u"f=Fopen(\"a.txt\",\"w+t\");"},
            {Command::FileRead, true, "Lecture / Ecriture fichier", u"f=Fopen(\"a.txt\",\"r+t\");"},
        };
        for (const auto& c : cases) {
            EditorWindow* e = NewEditor();
            e->setTextLines({u"garde"});
            e->setSelection(0, c.confirm ? 0 : 5);
            QString caption;
            QObject scope; // a timer that never fired goes with it
            QTimer::singleShot(0, &scope, [&] {
                auto* d = qobject_cast<GeneratorDialog*>(QApplication::activeModalWidget());
                if (!d) return;
                caption = d->windowTitle();
                c.confirm ? d->confirm() : d->cancel();
            });
            form->action(c.role)->trigger();
            QCOMPARE(caption, c.caption);
            QVERIFY2(e->textLines().front() == c.firstLine, qPrintable(caption));
        }
    }

    void StatusLineShowsHints() {
        QStatusTipEvent tip("Ouvrir un fichier existant");
        QCoreApplication::sendEvent(form, &tip);
        QCOMPARE(form->statusLine()->text(), QString("Ouvrir un fichier existant"));
        QVERIFY(!form->clockPanel()->text().isEmpty());
    }

    void AltXQuitsDespiteTheRunMenuMnemonic() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!form->isVisible());
    }

    void PrintingWritesEveryLine() {
        QTemporaryDir dir;
        EditorWindow* e = NewEditor();
        e->setTextLines({u"\u2022main()", u"{", u"}"});
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("listing.pdf"));
        QVERIFY(e->printTo(printer));
        QVERIFY(QFileInfo(dir.filePath("listing.pdf")).size() > 0);
        QCOMPARE(e->textLines()[0], std::u16string(u"main()")); // the step marker went first
    }

    void Screenshot() {
        const QByteArray out = qgetenv("VOKC_SCREENSHOT");
        if (out.isEmpty()) QSKIP("VOKC_SCREENSHOT not set");
        form->resize(1000, 700);
        NewEditor();
        EditorWindow* second = NewEditor();
        second->setTextLines(
            {u"int i", u"main()", u"{", u"for (i=1; i<=3; i++)", u"  printf(\"%d\\n\", i)", u"}"});
        form->windowMenu()->tile();
        QCoreApplication::processEvents();
        QVERIFY(form->grab().save(QString::fromLocal8Bit(out)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
