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
    for (int i = 0; i < group->Count(); ++i)
        items << group->Item(i)->text();
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
};

void GeneratorWindows::controlsAndInitialState() {
    ForLoopDialog f;
    QCOMPARE(f.windowTitle(), QStringLiteral("Boucle For"));
    QCOMPARE(Labels(&f), (QStringList{"Compteur", "Valeur initiale", "Valeur finale"}));
    QCOMPARE(f.RadioGroup1->title(), QStringLiteral("Sens"));
    QCOMPARE(Items(f.RadioGroup1), (QStringList{"Croissant", "Décroissant"}));
    QCOMPARE(f.RadioGroup1->ItemIndex(), 0);
    QCOMPARE(f.Button1->text(), QStringLiteral("OK"));
    QCOMPARE(f.Button2->text(), QStringLiteral("Annuler"));
    QVERIFY(!f.Confirmed);

    WhileLoopDialog w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Boucle While"));
    QCOMPARE(Labels(&w), (QStringList{"Opérande 1", "Opérande 2"}));
    QCOMPARE(w.RadioGroup1->title(), QStringLiteral("Opérateur"));
    QCOMPARE(Items(w.RadioGroup1), (QStringList{" ==", " <", " >", " <=", " >=", " !="}));
    QCOMPARE(w.RadioGroup1->ItemIndex(), -1);

    IfDialog c;
    QCOMPARE(c.windowTitle(), QStringLiteral("Condition If"));
    QCOMPARE(Items(c.RadioGroup1), (QStringList{" ==", " <", " >", " <=", " >=", "!="}));
    QCOMPARE(c.RadioGroup1->ItemIndex(), -1);
    QCOMPARE(c.CheckBox1->text(), QStringLiteral(" ELSE"));
    QVERIFY(!c.CheckBox1->isChecked());

    FileSkeletonDialog io;
    QCOMPARE(io.windowTitle(), QStringLiteral("Lecture / Ecriture fichier"));
    QCOMPARE(Labels(&io), (QStringList{"Variable fichier", "Nom du fichier"}));
    QCOMPARE(io.RadioGroup1->title(), QStringLiteral("Mode d'ouverture"));
    QCOMPARE(Items(io.RadioGroup1), (QStringList{"Lecture", "Ecriture"}));
    QCOMPARE(io.RadioGroup1->ItemIndex(), 0);

    KeywordPicker m;
    QCOMPARE(m.windowTitle(), QStringLiteral("Mots clé"));
    QCOMPARE(m.ListBox1->count(), 55);
    QCOMPARE(m.ListBox1->item(0)->text(), QStringLiteral("--"));
    QCOMPARE(m.ListBox1->item(1)->text(), QStringLiteral("#"));
    QCOMPARE(m.ListBox1->item(54)->text(), QStringLiteral("void"));
    QVERIFY(m.SelectedKeyword().isEmpty());
}

void GeneratorWindows::forDialogKeysAndFlag() {
    ForLoopDialog f;
    QString text;
    bool ok = true;
    Open(f);
    f.Edit1->setText("i");
    f.Edit2->setText("1");
    f.Edit3->setText("10");
    QTest::keyClick(f.Edit3, Qt::Key_Return);
    QVERIFY(!f.isVisible());
    QVERIFY(f.Confirmed);
    f.Result(text, ok);
    QVERIFY(ok);
    QCOMPARE(text, QStringLiteral("For (i=1; i<=10; i++)\r\n{\r\n\r\n}"));

    // Fields persist; Escape typed in a field cancels and the text stays empty.
    Open(f);
    QCOMPARE(f.Edit1->text(), QStringLiteral("i"));
    f.RadioGroup1->Item(1)->click();
    QTest::keyClick(f.Edit1, Qt::Key_Escape);
    QVERIFY(!f.isVisible());
    f.Result(text, ok);
    QVERIFY(!ok);
    QVERIFY(text.isEmpty());

    // Enter typed on "Annuler" acts as OK; a click on "Annuler" cancels.
    Open(f);
    f.Button2->setFocus();
    QTest::keyClick(f.Button2, Qt::Key_Enter);
    QVERIFY(f.Confirmed);
    f.Result(text, ok);
    QCOMPARE(text, QStringLiteral("For (i=1; i>=10; i--)\r\n{\r\n\r\n}"));
    Open(f);
    QTest::mouseClick(f.Button2, Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QVERIFY(!f.Confirmed);
    Open(f);
    QTest::mouseClick(f.Button1, Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QVERIFY(f.Confirmed);
}

void GeneratorWindows::closeBoxKeepsThePreviousFlag() {
    WhileLoopDialog w;
    QString text;
    bool ok = false;
    // The close box before any use: not confirmed.
    Open(w);
    w.close();
    QVERIFY(!w.isVisible());
    w.Result1(text, ok);
    QVERIFY(!ok);

    Open(w);
    w.Edit1->setText("a");
    w.RadioGroup1->Item(2)->click();
    w.Edit2->setText("b");
    w.Button1Click();
    // Next use: new operand, closed with the close box: built as if confirmed again.
    Open(w);
    w.Edit1->setText("z");
    w.close();
    w.Result1(text, ok);
    QVERIFY(ok);
    QCOMPARE(text, QStringLiteral("While (z>b)\r\n{\r\n\r\n}"));
    // After a cancel, the close box keeps "not confirmed".
    Open(w);
    w.Button2Click();
    Open(w);
    w.close();
    w.Result2(text, ok);
    QVERIFY(!ok);
    QVERIFY(text.isEmpty());
}

void GeneratorWindows::keysInTheRadioGroupAreIgnored() {
    IfDialog c;
    Open(c);
    c.RadioGroup1->Item(0)->setFocus();
    QTest::keyClick(c.RadioGroup1->Item(0), Qt::Key_Return);
    QTest::keyClick(c.RadioGroup1->Item(0), Qt::Key_Escape);
    QVERIFY(c.isVisible());
    QVERIFY(!c.Confirmed);
    // The check box passes Enter to the dialog.
    QTest::keyClick(c.CheckBox1, Qt::Key_Return);
    QVERIFY(!c.isVisible());
    QVERIFY(c.Confirmed);
}

void GeneratorWindows::whileDoAndIfResults() {
    QString text;
    bool ok = false;
    WhileLoopDialog w;
    // OK without an operator: confirmed but nothing to insert.
    Open(w);
    w.Edit1->setText("n");
    w.Button1Click();
    w.Result1(text, ok);
    QVERIFY(ok);
    QVERIFY(text.isEmpty());
    w.RadioGroup1->Item(5)->click();
    w.Edit2->setText("0");
    w.Result2(text, ok);
    QCOMPARE(text, QStringLiteral("Do\r\n{\r\n\r\n}\r\nWhile (n!=0);"));

    IfDialog c;
    Open(c);
    c.Edit1->setText("x");
    c.RadioGroup1->Item(3)->click();
    c.Edit2->setText("5");
    c.CheckBox1->setChecked(true);
    c.Button1Click();
    c.Result(text, ok);
    QCOMPARE(text, QStringLiteral("If (x<=5)\r\n{\r\n\r\n}\r\nElse\r\n{\r\n\r\n}"));
}

void GeneratorWindows::fileDialogModes() {
    FileSkeletonDialog io;
    QString text;
    bool ok = false;
    io.SetMode(vokc::kFileWrite);
    QVERIFY(io.RadioGroup1->Item(1)->isChecked());
    Open(io);
    io.Edit1->setText("f");
    io.Edit2->setText("essai.txt");
    io.Button1Click();
    io.Result(text, ok);
    QCOMPARE(text, QStringLiteral("f=Fopen(\"essai.txt\",\"w+t\");\r\n\r\nFclose(f);"));
    // The user may change the mode after the command set it.
    io.SetMode(vokc::kFileWrite);
    Open(io);
    io.RadioGroup1->Item(0)->click();
    io.Button1Click();
    io.Result(text, ok);
    QVERIFY(text.contains(QStringLiteral("\"r+t\"")));
}

void GeneratorWindows::keywordPicker() {
    KeywordPicker m;
    Open(m);
    m.ListBox1->setFocus();
    m.ListBox1->setCurrentRow(5);
    QTest::keyClick(m.ListBox1, Qt::Key_Return);
    QVERIFY(!m.isVisible());
    QCOMPARE(m.SelectedKeyword(), QStringLiteral("abs"));
    // The selection stays for the next opening; the close box keeps it.
    Open(m);
    QCOMPARE(m.SelectedKeyword(), QStringLiteral("abs"));
    m.close();
    QCOMPARE(m.SelectedKeyword(), QStringLiteral("abs"));
    // Escape clears it, even when a word was selected.
    Open(m);
    QTest::keyClick(m.ListBox1, Qt::Key_Escape);
    QVERIFY(!m.isVisible());
    QVERIFY(m.SelectedKeyword().isEmpty());
    // A double click chooses the clicked word and closes.
    Open(m);
    const QPoint at = m.ListBox1->visualItemRect(m.ListBox1->item(0)).center();
    QTest::mouseClick(m.ListBox1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(m.ListBox1->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(!m.isVisible());
    QCOMPARE(m.SelectedKeyword(), QStringLiteral("--"));
}

QTEST_MAIN(GeneratorWindows)
#include "generator_dialogs_test.moc"
