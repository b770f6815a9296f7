// The generator dialogs and the keyword picker as windows: captions, controls, keys,
// the confirmation flag and what their result operations build.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "file_skeleton_dialog.h"
#include "for_loop_dialog.h"
#include "if_dialog.h"
#include "keyword_picker.h"
#include "while_loop_dialog.h"

using namespace vokc;

namespace {

QStringList Items(const RadioGroup* group) {
    QStringList items;
    for (int i = 0; i < group->count(); ++i)
        items << group->item(i)->text();
    return items;
}

QStringList Labels(const QWidget* dialog) {
    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        labels << label->text();
    return labels;
}

// Shows a dialog the way the editor does (it opens modally there) and waits for it.
void Open(QDialog& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

} // namespace

class GeneratorWindows : public QObject {
    Q_OBJECT
  private slots:
    void controlsAndInitialState();
    void forDialogKeysAndFlag();
    void closeBoxKeepsThePreviousFlag();
    void keysInTheRadioGroupAreIgnored();
    void whileDoAndIfResults();
    void fileDialogModes();
    void keywordPicker();
    void firstFieldHasTheFocusAtEachOpening();
};

void GeneratorWindows::controlsAndInitialState() {
    ForLoopDialog f;
    QCOMPARE(f.windowTitle(), QStringLiteral("Boucle For"));
    QCOMPARE(Labels(&f), (QStringList{"Compteur", "Valeur initiale", "Valeur finale"}));
    QCOMPARE(f.directionGroup()->title(), QStringLiteral("Sens"));
    QCOMPARE(Items(f.directionGroup()), (QStringList{"Croissant", "Décroissant"}));
    QCOMPARE(f.directionGroup()->itemIndex(), 0);
    QCOMPARE(f.okButton()->text(), QStringLiteral("OK"));
    QCOMPARE(f.cancelButton()->text(), QStringLiteral("Annuler"));
    QVERIFY(!f.confirmed());

    WhileLoopDialog w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Boucle While"));
    QCOMPARE(Labels(&w), (QStringList{"Opérande 1", "Opérande 2"}));
    QCOMPARE(w.operatorGroup()->title(), QStringLiteral("Opérateur"));
    QCOMPARE(Items(w.operatorGroup()), (QStringList{" ==", " <", " >", " <=", " >=", " !="}));
    QCOMPARE(w.operatorGroup()->itemIndex(), -1);

    IfDialog c;
    QCOMPARE(c.windowTitle(), QStringLiteral("Condition If"));
    QCOMPARE(Items(c.operatorGroup()), (QStringList{" ==", " <", " >", " <=", " >=", "!="}));
    QCOMPARE(c.operatorGroup()->itemIndex(), -1);
    QCOMPARE(c.elseBox()->text(), QStringLiteral(" ELSE"));
    QVERIFY(!c.elseBox()->isChecked());

    FileSkeletonDialog io;
    QCOMPARE(io.windowTitle(), QStringLiteral("Lecture / Ecriture fichier"));
    QCOMPARE(Labels(&io), (QStringList{"Variable fichier", "Nom du fichier"}));
    QCOMPARE(io.modeGroup()->title(), QStringLiteral("Mode d'ouverture"));
    QCOMPARE(Items(io.modeGroup()), (QStringList{"Lecture", "Ecriture"}));
    QCOMPARE(io.modeGroup()->itemIndex(), 0);

    KeywordPicker m;
    QCOMPARE(m.windowTitle(), QStringLiteral("Mots clé"));
    QCOMPARE(m.list()->count(), 55);
    QCOMPARE(m.list()->item(0)->text(), QStringLiteral("--"));
    QCOMPARE(m.list()->item(1)->text(), QStringLiteral("#"));
    QCOMPARE(m.list()->item(54)->text(), QStringLiteral("void"));
    QVERIFY(m.selectedKeyword().isEmpty());
}

void GeneratorWindows::forDialogKeysAndFlag() {
    ForLoopDialog f;
    QString text;
    bool ok = true;
    Open(f);
    f.counterEdit()->setText("i");
    f.initialEdit()->setText("1");
    f.finalEdit()->setText("10");
    QTest::keyClick(f.finalEdit(), Qt::Key_Return);
    QVERIFY(!f.isVisible());
    QVERIFY(f.confirmed());
    f.result(text, ok);
    QVERIFY(ok);
    QCOMPARE(text, QStringLiteral("For (i=1; i<=10; i++)\r\n{\r\n\r\n}"));

    // Fields persist; Escape typed in a field cancels and the text stays empty.
    Open(f);
    QCOMPARE(f.counterEdit()->text(), QStringLiteral("i"));
    f.directionGroup()->item(1)->click();
    QTest::keyClick(f.counterEdit(), Qt::Key_Escape);
    QVERIFY(!f.isVisible());
    f.result(text, ok);
    QVERIFY(!ok);
    QVERIFY(text.isEmpty());

    // Enter typed on "Annuler" acts as OK; a click on "Annuler" cancels.
    Open(f);
    f.cancelButton()->setFocus();
    QTest::keyClick(f.cancelButton(), Qt::Key_Enter);
    QVERIFY(f.confirmed());
    f.result(text, ok);
    QCOMPARE(text, QStringLiteral("For (i=1; i>=10; i--)\r\n{\r\n\r\n}"));
    Open(f);
    QTest::mouseClick(f.cancelButton(), Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QVERIFY(!f.confirmed());
    Open(f);
    QTest::mouseClick(f.okButton(), Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QVERIFY(f.confirmed());
}

void GeneratorWindows::closeBoxKeepsThePreviousFlag() {
    WhileLoopDialog w;
    QString text;
    bool ok = false;
    // The close box before any use: not confirmed.
    Open(w);
    w.close();
    QVERIFY(!w.isVisible());
    w.whileResult(text, ok);
    QVERIFY(!ok);

    Open(w);
    w.operand1Edit()->setText("a");
    w.operatorGroup()->item(2)->click();
    w.operand2Edit()->setText("b");
    w.confirm();
    // Next use: new operand, closed with the close box: built as if confirmed again.
    Open(w);
    w.operand1Edit()->setText("z");
    w.close();
    w.whileResult(text, ok);
    QVERIFY(ok);
    QCOMPARE(text, QStringLiteral("While (z>b)\r\n{\r\n\r\n}"));
    // After a cancel, the close box keeps "not confirmed".
    Open(w);
    w.cancel();
    Open(w);
    w.close();
    w.doResult(text, ok);
    QVERIFY(!ok);
    QVERIFY(text.isEmpty());
}

void GeneratorWindows::keysInTheRadioGroupAreIgnored() {
    IfDialog c;
    Open(c);
    c.operatorGroup()->item(0)->setFocus();
    QTest::keyClick(c.operatorGroup()->item(0), Qt::Key_Return);
    QTest::keyClick(c.operatorGroup()->item(0), Qt::Key_Escape);
    QVERIFY(c.isVisible());
    QVERIFY(!c.confirmed());
    // The check box passes Enter to the dialog.
    QTest::keyClick(c.elseBox(), Qt::Key_Return);
    QVERIFY(!c.isVisible());
    QVERIFY(c.confirmed());
}

void GeneratorWindows::whileDoAndIfResults() {
    QString text;
    bool ok = false;
    WhileLoopDialog w;
    // OK without an operator: confirmed but nothing to insert.
    Open(w);
    w.operand1Edit()->setText("n");
    w.confirm();
    w.whileResult(text, ok);
    QVERIFY(ok);
    QVERIFY(text.isEmpty());
    w.operatorGroup()->item(5)->click();
    w.operand2Edit()->setText("0");
    w.doResult(text, ok);
    QCOMPARE(text, QStringLiteral("Do\r\n{\r\n\r\n}\r\nWhile (n!=0);"));

    IfDialog c;
    Open(c);
    c.operand1Edit()->setText("x");
    c.operatorGroup()->item(3)->click();
    c.operand2Edit()->setText("5");
    c.elseBox()->setChecked(true);
    c.confirm();
    c.result(text, ok);
    QCOMPARE(text, QStringLiteral("If (x<=5)\r\n{\r\n\r\n}\r\nElse\r\n{\r\n\r\n}"));
}

void GeneratorWindows::fileDialogModes() {
    FileSkeletonDialog io;
    QString text;
    bool ok = false;
    io.setMode(vokc::kFileWrite);
    QVERIFY(io.modeGroup()->item(1)->isChecked());
    Open(io);
    io.variableEdit()->setText("f");
    io.fileNameEdit()->setText("essai.txt");
    io.confirm();
    io.result(text, ok);
    QCOMPARE(text, QStringLiteral("f=Fopen(\"essai.txt\",\"w+t\");\r\n\r\nFclose(f);"));
    // The user may change the mode after the command set it.
    io.setMode(vokc::kFileWrite);
    Open(io);
    io.modeGroup()->item(0)->click();
    io.confirm();
    io.result(text, ok);
    QVERIFY(text.contains(QStringLiteral("\"r+t\"")));
}

void GeneratorWindows::keywordPicker() {
    KeywordPicker m;
    Open(m);
    m.list()->setFocus();
    m.list()->setCurrentRow(5);
    QTest::keyClick(m.list(), Qt::Key_Return);
    QVERIFY(!m.isVisible());
    QCOMPARE(m.selectedKeyword(), QStringLiteral("abs"));
    // The selection stays for the next opening; the close box keeps it.
    Open(m);
    QCOMPARE(m.selectedKeyword(), QStringLiteral("abs"));
    m.close();
    QCOMPARE(m.selectedKeyword(), QStringLiteral("abs"));
    // Escape clears it, even when a word was selected.
    Open(m);
    QTest::keyClick(m.list(), Qt::Key_Escape);
    QVERIFY(!m.isVisible());
    QVERIFY(m.selectedKeyword().isEmpty());
    // A double click chooses the clicked word and closes.
    Open(m);
    const QPoint at = m.list()->visualItemRect(m.list()->item(0)).center();
    QTest::mouseClick(m.list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(m.list()->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(!m.isVisible());
    QCOMPARE(m.selectedKeyword(), QStringLiteral("--"));
}

void GeneratorWindows::firstFieldHasTheFocusAtEachOpening() {
    ForLoopDialog f;
    WhileLoopDialog w;
    IfDialog c;
    FileSkeletonDialog io;
    const std::pair<QDialog*, QLineEdit*> dialogs[] = {{&f, f.counterEdit()},
                                                       {&w, w.operand1Edit()},
                                                       {&c, c.operand1Edit()},
                                                       {&io, io.variableEdit()}};
    for (auto [dialog, first] : dialogs) {
        first->setText("i");
        for (int opening = 0; opening < 2; ++opening) {
            Open(*dialog);
            QCOMPARE(dialog->focusWidget(), first);
            // What was typed last time is selected: typing replaces it.
            QCOMPARE(first->selectedText(), QStringLiteral("i"));
            static_cast<GeneratorDialog*>(dialog)->okButton()->setFocus();
            dialog->hide();
        }
    }
    // The whole caption fits beside the title bar's buttons.
    QVERIFY(io.width() >= io.fontMetrics().horizontalAdvance(io.windowTitle()) + 100);
}

QTEST_MAIN(GeneratorWindows)
#include "generator_dialogs_test.moc"
