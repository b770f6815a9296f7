// The main window and the editor window on the offscreen platform.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "editor_window.h"
#include "find_dialog.h"
#include "procedure_list.h"
#include "main_window.h"

using namespace vokc::editor;

class MainWindowTest : public QObject {
    Q_OBJECT
    MainWindow* form = nullptr;
    ProcedureList* liste = nullptr;
    QStringList messages;

    EditorWindow* NewEditor() {
        form->FileNewItemClick();
        return form->ActiveEditor();
    }
    void CloseAll() {
        for (EditorWindow* e : form->Editors()) e->Memo1->document()->setModified(false);
        form->MdiArea()->closeAllSubWindows();
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
        shared.listeSel = liste;
        form->SetSharedWindows(shared);
        form->PrepareEditor = [this](EditorWindow* e) {
            e->ShowMessage = [this](QWidget*, const QString& m) { messages << m; };
        };
        form->show();
        messages.clear();
    }
    void cleanup() {
        CloseAll();
        delete form;
        form = nullptr;
    }

    void EnablingFollowsTheEditorCount() {
        const QStringList always = {"&Nouveau", "&Ouvrir", "&Configuration impression...", "&Quitter",
                                    "&Calendrier", "C&alculatrice", "&Horloge", "&Index",
                                    "&Rechercher", "&Utiliser l'aide", "&A propos"};
        const QStringList editorOnly = {"&Fermer", "&Enregistrer", "Enregistrer &sous...", "I&mporter",
                                        "&Imprimer...", "&Couper", "Co&pier", "C&oller",
                                        "&Tout sélectionner", "Rec&hercher...", "Co&ntinuer",
                                        "Re&mplacer...", "&Voids...", "&Table des symboles",
                                        "&Examiner variable...", "&Exécuter", "&Point d'arrêt",
                                        "&Continuer", "&Mode pas à pas", "&Mots clé...",
                                        "Boucle &For...", "Boucle Whille...", "Boucle &Do...",
                                        "Condition &If...", "&Lecture fichier...", "&Ecriture fichier...",
                                        "&Cascade", "&Mosaïque", "&Réorganiser les icônes", "&Tout réduire"};
        auto check = [&](bool withEditor) {
            for (const QString& c : always) {
                QAction* a = form->Action(c);
                QVERIFY2(a, qPrintable(c));
                QVERIFY2(a->isEnabled(), qPrintable(c));
            }
            for (const QString& c : editorOnly) {
                QAction* a = form->Action(c);
                QVERIFY2(a, qPrintable(c));
                QCOMPARE(a->isEnabled(), withEditor);
            }
        };
        check(false);
        QCOMPARE(form->Action("&Exécuter")->shortcut(), QKeySequence("F9"));
        QCOMPARE(form->Action("&Quitter")->shortcut(), QKeySequence("Alt+X"));
        // The tool-bar buttons follow: only "Nouveau" and "Ouvrir" stay enabled.
        int enabledButtons = 0;
        for (QAction* a : form->SpeedPanel->actions())
            if (!a->isSeparator() && a->isEnabled()) ++enabledButtons;
        QCOMPARE(enabledButtons, 2);
        NewEditor();
        check(true);
        CloseAll();
        QTRY_VERIFY(!form->Action("&Fermer")->isEnabled());
    }

    void NewWindowsAreNumberedByTheOpenCount() {
        EditorWindow* first = NewEditor();
        QCOMPARE(first->windowTitle(), QString("VokC - C1.C"));
        QCOMPARE(first->CaretOffset(), 79L);
        QCOMPARE(first->TextLines().size(), size_t(9));
        NewEditor();
        first->parentWidget()->close();
        QCoreApplication::processEvents();
        EditorWindow* third = NewEditor();
        QCOMPARE(third->windowTitle(), QString("VokC - C2.C"));
    }

    void OpenSaveAndReopenKeepTheEncoding() {
        QTemporaryDir dir;
        const QString latin = dir.filePath("essai.c");
        Write(latin, "\xBBmain()\r\n{\r\nputs(\"\xE9t\xE9\")\r\n}\r\n");
        QVERIFY(form->OpenProgram(latin));
        EditorWindow* e = form->ActiveEditor();
        QCOMPARE(e->windowTitle(), QString("VokC - essai.c"));
        QCOMPARE(e->CaretOffset(), 0L);
        QVERIFY(!e->Memo1->document()->isModified());
        e->Memo1->textCursor().insertText("// ");
        QVERIFY(e->Enregistrer());
        QCOMPARE(ReadAll(latin), QByteArray("// \xBBmain()\r\n{\r\nputs(\"\xE9t\xE9\")\r\n}\r\n"));

        const QString utf = dir.filePath("utf.c");
        Write(utf, "main()\n{\nputs(\"\xC3\xA9t\xC3\xA9\")\n}\n");
        QVERIFY(form->OpenProgram(utf));
        e = form->ActiveEditor();
        QVERIFY(e->Enregistrer());
        QCOMPARE(ReadAll(utf), QByteArray("main()\n{\nputs(\"\xC3\xA9t\xC3\xA9\")\n}\n"));

        // A file that cannot be read leaves no window and says why.
        const int before = static_cast<int>(form->Editors().size());
        QVERIFY(!form->OpenProgram(dir.filePath("absent.c")));
        QCoreApplication::processEvents();
        QCOMPARE(static_cast<int>(form->Editors().size()), before);
    }

    void SaveAsNamesAndUnsavedChanges() {
        QTemporaryDir dir;
        EditorWindow* e = NewEditor();
        e->AskSaveName = [&](QWidget*) { return dir.filePath("devoir.txt"); };
        QVERIFY(e->SaveAs());
        QCOMPARE(e->FileName, dir.filePath("devoir.c"));
        QCOMPARE(e->windowTitle(), QString("VokC - devoir.c"));
        QVERIFY(QFile::exists(dir.filePath("devoir.c")));

        // Cancel keeps the window; "Yes" with a failing save keeps it too.
        e->Memo1->textCursor().insertText("x");
        QString asked;
        e->AskSaveChanges = [&](QWidget*, const QString& q) { asked = q; return int(QMessageBox::Cancel); };
        QVERIFY(!e->parentWidget()->close());
        QCOMPARE(asked, QString("Enregistrer changements dans 'devoir.c'?"));
        e->FileName = dir.filePath("nulle/part/devoir.c");
        e->AskSaveChanges = [](QWidget*, const QString&) { return int(QMessageBox::Yes); };
        QVERIFY(!e->parentWidget()->close());
        QVERIFY(!messages.isEmpty());
        QVERIFY(messages.last().contains("nulle/part/devoir.c"));
        e->AskSaveChanges = [](QWidget*, const QString&) { return int(QMessageBox::No); };
        QVERIFY(e->parentWidget()->close());
    }

    void ImportInsertsTheFileAtTheCaret() {
        QTemporaryDir dir;
        Write(dir.filePath("bout.txt"), "a = 1\r\nb = 2\r\n");
        EditorWindow* e = NewEditor();
        e->SetTextLines({u"main()", u"{", u"}"});
        e->SetCaretOffset(6 + 2 + 1 + 2); // start of "}"
        e->AskImportName = [&](QWidget*) { return dir.filePath("bout.txt"); };
        e->Importer();
        QCOMPARE(e->TextLines(), (Lines{u"main()", u"{", u"a = 1", u"b = 2", u"}"}));
        QCOMPARE(e->CaretOffset(), long(6 + 2 + 1 + 2 + 5 + 2 + 5 + 2));
        QVERIFY(e->Memo1->document()->isModified());
        e->AskImportName = [](QWidget*) { return QString(); }; // cancelled: nothing happens
        e->Importer();
        QCOMPARE(e->TextLines().size(), size_t(5));
    }

    void FindReplaceAndTheirMessages() {
        EditorWindow* e = NewEditor();
        e->SetTextLines({u"int x;", u"print(x);", u"int_x = intx;"});
        e->SetCaretOffset(0);
        e->FindDialog1->SetFindText("int");
        e->FindDialog1->SetOptions(SearchOptions{true, false, true});
        e->Find();
        QCOMPARE(e->SelStart(), 8L + 11); // "int_x": the underscore ends a word
        e->Find();
        QCOMPARE(messages.last(), QString("Chaîne rechechée \"int\" non trouvée"));

        // Searching again before any search in a new window: nothing between the quotes.
        EditorWindow* other = NewEditor();
        other->Continuer();
        QCOMPARE(messages.last(), QString("Chaîne rechechée \"\" non trouvée"));
    }

    void ReplaceAllChangesEveryOccurrence() {
        EditorWindow* e = NewEditor();
        e->SetTextLines({u"a = a + 1", u"b = a"});
        e->SetCaretOffset(0);
        auto* findEdit = e->ReplaceDialog1->findChild<QLineEdit*>("FindText");
        auto* replaceEdit = e->ReplaceDialog1->findChild<QLineEdit*>("ReplaceText");
        findEdit->setText("a");
        replaceEdit->setText("total");
        for (QObject* o : e->ReplaceDialog1->children())
            if (auto* b = qobject_cast<QAbstractButton*>(o); b && b->text() == "Remplacer &tout") b->click();
        QCOMPARE(e->TextLines(), (Lines{u"total = total + 1", u"b = total"}));
        QVERIFY(messages.isEmpty()); // replacing all ends silently
        for (QObject* o : e->ReplaceDialog1->children())
            if (auto* b = qobject_cast<QAbstractButton*>(o); b && b->text() == "&Remplacer") b->click();
        QCOMPARE(messages.last(), QString("Chaîne recherchée \"a\"non trouvée"));
    }

    void EnterKeepsTheIndentation() {
        EditorWindow* e = NewEditor();
        e->SetTextLines({u"main()", u"{", u"   x = 1"});
        e->SetCaretOffset(6 + 2 + 1 + 2 + 8);
        QTest::keyClick(e->Memo1, Qt::Key_Return);
        QCOMPARE(e->TextLines(), (Lines{u"main()", u"{", u"   x = 1", u"   "}));
        QCOMPARE(e->CaretOffset(), 6L + 2 + 1 + 2 + 8 + 2 + 3);
        e->SetCaretOffset(2);
        QTest::keyClick(e->Memo1, Qt::Key_Return); // first line: a plain break
        QCOMPARE(e->TextLines()[0], std::u16string(u"ma"));
    }

    void ProcedureListMovesTheCaret() {
        EditorWindow* e = NewEditor();
        e->SetTextLines({u"int affiche;", u"void f()", u"{", u"}", u"  VOID affiche()", u"main()"});
        QTimer::singleShot(0, [&] {
            QCOMPARE(liste->ListBox1->count(), 2);
            QCOMPARE(liste->ListBox1->item(1)->text(), QString("VOID affiche()"));
            liste->ListBox1->setCurrentRow(1);
            QTest::keyClick(liste->ListBox1, Qt::Key_Return);
        });
        e->ListeSubs();
        QCOMPARE(e->CaretOffset(), long(12 + 2 + 8 + 2 + 1 + 2 + 1 + 2));
        // Escape chooses nothing.
        e->SetCaretOffset(0);
        QTimer::singleShot(0, [&] {
            liste->ListBox1->setCurrentRow(0);
            QTest::keyClick(liste->ListBox1, Qt::Key_Escape);
        });
        e->ListeSubs();
        QCOMPARE(e->CaretOffset(), 0L);
    }

    void StatusLineShowsHints() {
        QStatusTipEvent tip("Ouvrir un fichier existant");
        QCoreApplication::sendEvent(form, &tip);
        QCOMPARE(form->StatusLine->text(), QString("Ouvrir un fichier existant"));
        QVERIFY(!form->Panel2->text().isEmpty());
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
        e->SetTextLines({u"\u2022main()", u"{", u"}"});
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("listing.pdf"));
        QVERIFY(e->PrintTo(printer));
        QVERIFY(QFileInfo(dir.filePath("listing.pdf")).size() > 0);
        QCOMPARE(e->TextLines()[0], std::u16string(u"main()")); // the step marker went first
    }

    void Screenshot() {
        const QByteArray out = qgetenv("VOKC_SCREENSHOT");
        if (out.isEmpty()) QSKIP("VOKC_SCREENSHOT not set");
        form->resize(1000, 700);
        NewEditor();
        EditorWindow* second = NewEditor();
        second->SetTextLines({u"int i", u"main()", u"{", u"for (i=1; i<=3; i++)", u"  printf(\"%d\\n\", i)", u"}"});
        form->WindowTileItemClick();
        QCoreApplication::processEvents();
        QVERIFY(form->grab().save(QString::fromLocal8Bit(out)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
