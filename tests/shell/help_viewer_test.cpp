// The help window and its pages: help contexts, links, search, F1 on the menus, and
// the agreement of the pages with the example programs and the interpreter's messages.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "help_viewer.h"

using namespace vokc;

namespace {

const QString kSourceDir = QStringLiteral(VOKC_SOURCE_DIR);

QString ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QString Unescape(QString text) {
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

QString TrimEnd(QString text) {
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

// A page as the viewer renders it.
struct Page {
    QString title;
    QSet<QString> anchors;
    QStringList links; // hrefs as written
    QString plain;
};

Page Render(const QString& name) {
    QTextDocument doc;
    doc.setHtml(HelpViewer::pageHtml(name));
    Page page;
    page.title = doc.metaInformation(QTextDocument::DocumentTitle);
    page.plain = doc.toPlainText();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            for (const QString& a : f.anchorNames())
                page.anchors.insert(a);
            if (f.isAnchor() && !f.anchorHref().isEmpty()) page.links << f.anchorHref();
        }
    return page;
}

// The page name and fragment a link of a page leads to; empty name when it leaves the help.
QPair<QString, QString> Target(const QString& fromPage, const QString& href) {
    const QUrl url = HelpViewer::pageUrl(fromPage).resolved(QUrl(href));
    if (url.scheme() != QLatin1String("qrc") || !url.path().startsWith(QLatin1String("/help/")))
        return {};
    return {url.path().mid(6), url.fragment()};
}

QPushButton* Button(QWidget* w, const QString& text) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

} // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT
  private slots:
    void contextsShowTheirMenuPage();
    void commandsAndHistory();
    void everyPageIsEmbeddedAndTitled();
    void linksResolveAndReachEveryPage();
    void searchFindsWordsIgnoringAccents();
    void searchPanelOpensAndSelectsTheWord();
    void f1ShowsTheMenuBeingBrowsed();
    void menuHelpContextReading();
    void examplesMatchTheirFilesAndResults();
    void languageWordsHaveAnExplainedSection();
    void everyInterpreterMessageIsExplained();
};

void HelpViewerTest::contextsShowTheirMenuPage() {
    // The menu each context belongs to, as its page's main heading names it.
    const QList<QPair<int, QString>> menus = {
        {3, "Fichier"},    {4, "Edition"},     {5, "Voir"},    {6, "Exécuter"},
        {7, "Programmer"}, {8, "Utilitaires"}, {9, "Fenêtre"}, {10, "Aide"}};
    HelpViewer viewer;
    QSet<QString> pages;
    for (const auto& [context, menu] : menus) {
        QVERIFY(viewer.showContext(context));
        const QString page = HelpViewer::contextPage(context);
        QCOMPARE(viewer.currentUrl(), HelpViewer::pageUrl(page));
        QVERIFY2(viewer.browser()->toPlainText().startsWith(QStringLiteral("Sommaire")),
                 qPrintable(page));
        QCOMPARE(viewer.browser()->documentTitle(), QStringLiteral("Le menu ") + menu);
        pages.insert(page);
    }
    QCOMPARE(pages.size(), 8);
    QVERIFY(viewer.isVisible());
    for (int context : {-1, 0, 2, 11, 100}) {
        viewer.showContext(5);
        QVERIFY(!viewer.showContext(context));
        QCOMPARE(viewer.currentUrl(), HelpViewer::contentsUrl());
        QVERIFY(HelpViewer::contextPage(context).isEmpty());
    }
}

void HelpViewerTest::commandsAndHistory() {
    HelpViewer viewer;
    viewer.showHowToUse();
    QCOMPARE(viewer.currentUrl(), HelpViewer::howToUseUrl());
    QCOMPARE(viewer.browser()->documentTitle(), QStringLiteral("Utiliser l'aide"));
    viewer.showContents();
    QCOMPARE(viewer.currentUrl(), HelpViewer::contentsUrl());
    QVERIFY(viewer.windowTitle().contains(QStringLiteral("Sommaire de l'aide")));
    QVERIFY(!viewer.searchPanel()->isVisible());

    QPushButton* index = Button(&viewer, QStringLiteral("&Index"));
    QPushButton* search = Button(&viewer, QStringLiteral("&Rechercher"));
    QPushButton* howTo = Button(&viewer, QStringLiteral("&Utiliser l'aide"));
    QPushButton* back = Button(&viewer, QStringLiteral("&Précédent"));
    QPushButton* forward = Button(&viewer, QStringLiteral("&Suivant"));
    QVERIFY(index && search && howTo && back && forward);

    howTo->click();
    QCOMPARE(viewer.currentUrl(), HelpViewer::howToUseUrl());
    QVERIFY(back->isEnabled());
    back->click();
    QCOMPARE(viewer.currentUrl(), HelpViewer::contentsUrl());
    QVERIFY(forward->isEnabled());
    forward->click();
    QCOMPARE(viewer.currentUrl(), HelpViewer::howToUseUrl());
    index->click();
    QCOMPARE(viewer.currentUrl(), HelpViewer::contentsUrl());

    // The menu's search command opens an empty search; the button keeps the words typed.
    viewer.showSearch(QStringLiteral("printf"));
    QVERIFY(viewer.searchPanel()->isVisible());
    QCOMPARE(viewer.searchField()->text(), QStringLiteral("printf"));
    QVERIFY(viewer.resultList()->count() > 0);
    search->click();
    QCOMPARE(viewer.searchField()->text(), QStringLiteral("printf"));
    viewer.showSearch();
    QVERIFY(viewer.searchField()->text().isEmpty());
    QCOMPARE(viewer.resultList()->count(), 0);
}

void HelpViewerTest::everyPageIsEmbeddedAndTitled() {
    const QStringList onDisk = QDir(kSourceDir + QStringLiteral("/docs/help"))
                                   .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    QVERIFY(onDisk.size() >= 20);
    QCOMPARE(HelpViewer::pageNames(), onDisk);
    QVERIFY(QFile::exists(QStringLiteral(":/help/aide.css")));
    QSet<QString> titles;
    for (const QString& name : onDisk) {
        QCOMPARE(HelpViewer::pageHtml(name),
                 ReadFile(kSourceDir + QStringLiteral("/docs/help/") + name));
        const Page page = Render(name);
        QVERIFY2(!page.title.isEmpty(), qPrintable(name));
        QVERIFY2(!titles.contains(page.title), qPrintable(page.title));
        titles.insert(page.title);
        QCOMPARE(HelpViewer::pageHtml(name).count(QStringLiteral("<h1")), 1);
    }
    QVERIFY(HelpViewer::pageHtml(QStringLiteral("absent.html")).isEmpty());
    QVERIFY(HelpViewer::pageHtml(QStringLiteral("../help/index.html")).isEmpty());
}

void HelpViewerTest::linksResolveAndReachEveryPage() {
    const QStringList names = HelpViewer::pageNames();
    QHash<QString, Page> pages;
    for (const QString& name : names)
        pages.insert(name, Render(name));
    int checked = 0;
    for (const QString& name : names) {
        QStringList hrefs = pages[name].links;
        // Links the rendering does not show (the style sheet) are checked on the text.
        static const QRegularExpression attr(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
        for (auto m = attr.globalMatch(HelpViewer::pageHtml(name)); m.hasNext();) {
            const QString href = m.next().captured(1);
            if (!hrefs.contains(href)) hrefs << href;
        }
        for (const QString& href : hrefs) {
            const auto [target, fragment] = Target(name, href);
            const QString where = name + QStringLiteral(" -> ") + href;
            QVERIFY2(!target.isEmpty(), qPrintable(where));
            if (target == QLatin1String("aide.css")) continue;
            QVERIFY2(pages.contains(target), qPrintable(where));
            if (!fragment.isEmpty())
                QVERIFY2(pages[target].anchors.contains(fragment), qPrintable(where));
            ++checked;
        }
    }
    QVERIFY(checked > 200);

    // Every page can be reached from the contents.
    QSet<QString> seen{QStringLiteral("index.html")};
    QStringList queue{QStringLiteral("index.html")};
    while (!queue.isEmpty()) {
        const QString name = queue.takeFirst();
        for (const QString& href : pages[name].links) {
            const QString target = Target(name, href).first;
            if (pages.contains(target) && !seen.contains(target)) {
                seen.insert(target);
                queue << target;
            }
        }
    }
    for (const QString& name : names)
        QVERIFY2(seen.contains(name), qPrintable(name));

    // The viewer follows a link with its anchor.
    HelpViewer viewer;
    viewer.showPage(QStringLiteral("langage-fichiers.html#feof"));
    QCOMPARE(viewer.currentUrl().fragment(), QStringLiteral("feof"));
    QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("while (!feof(f))")));
}

void HelpViewerTest::searchFindsWordsIgnoringAccents() {
    QCOMPARE(HelpViewer::fold(QStringLiteral(" Étiquette  ŒUVRE Ça l’été ")),
             QStringLiteral("etiquette oeuvre ca l'ete"));
    HelpViewer viewer;
    const auto firstHit = [&](const QString& words) {
        const QList<HelpHit> hits = viewer.search(words);
        return hits.isEmpty() ? QUrl() : hits.first().url;
    };
    QCOMPARE(firstHit(QStringLiteral("fgets")),
             HelpViewer::pageUrl(QStringLiteral("langage-fichiers.html#fgets")));
    QCOMPARE(firstHit(QStringLiteral("FEOF")),
             HelpViewer::pageUrl(QStringLiteral("langage-fichiers.html#feof")));
    QCOMPARE(firstHit(QStringLiteral("strcpy")),
             HelpViewer::pageUrl(QStringLiteral("langage-chaines.html#strcat")));

    // Accents and capitals do not count, in the words typed or in the pages.
    for (const QString& word :
         {QStringLiteral("etiquette"), QStringLiteral("ÉTIQUETTE"), QStringLiteral("Étiquette")}) {
        const QList<HelpHit> hits = viewer.search(word);
        QVERIFY2(hits.size() >= 3, qPrintable(word));
        bool labels = false;
        for (const HelpHit& h : hits) {
            QVERIFY(HelpViewer::fold(HelpViewer::pageHtml(h.url.fileName()))
                        .contains(QStringLiteral("etiquette")));
            labels = labels || h.url == HelpViewer::pageUrl(
                                            QStringLiteral("langage-procedures.html#etiquettes"));
        }
        QVERIFY2(labels, qPrintable(word));
    }
    QCOMPARE(firstHit(QStringLiteral("etiquettes")).fragment(), QStringLiteral("etiquettes"));

    // Every word must be in the section; the order of the words does not matter.
    const QList<HelpHit> both = viewer.search(QStringLiteral("boucle fgets"));
    QVERIFY(!both.isEmpty());
    QCOMPARE(viewer.search(QStringLiteral("fgets boucle")).size(), both.size());
    QVERIFY(viewer.search(QStringLiteral("fgets")).size() > both.size());
    QVERIFY(viewer.search(QStringLiteral("boucle")).size() > both.size());
    for (const HelpHit& h : both)
        QVERIFY(!h.section.isEmpty() && !h.pageTitle.isEmpty());
    QVERIFY(viewer.search(QStringLiteral("zzqxw")).isEmpty());
    QVERIFY(viewer.search(QStringLiteral("fgets zzqxw")).isEmpty());
    QVERIFY(viewer.search(QStringLiteral("   ")).isEmpty());
}

void HelpViewerTest::searchPanelOpensAndSelectsTheWord() {
    HelpViewer viewer;
    viewer.showSearch(QStringLiteral("feof"));
    QVERIFY(viewer.resultList()->count() > 0);
    QCOMPARE(viewer.resultList()->currentRow(), 0);
    QTest::keyClick(viewer.searchField(), Qt::Key_Return);
    QCOMPARE(viewer.currentUrl(),
             HelpViewer::pageUrl(QStringLiteral("langage-fichiers.html#feof")));
    QCOMPARE(viewer.browser()->textCursor().selectedText(), QStringLiteral("feof"));

    // A word typed without its accent selects the accented word of the page.
    viewer.searchField()->setText(QStringLiteral("repertoire courant"));
    QVERIFY(viewer.resultList()->count() > 0);
    QListWidgetItem* item = viewer.resultList()->item(0);
    const QUrl opened = item->data(Qt::UserRole).toUrl();
    emit viewer.resultList()->itemActivated(item);
    QCOMPARE(viewer.currentUrl(), opened);
    QCOMPARE(HelpViewer::fold(viewer.browser()->textCursor().selectedText()),
             QStringLiteral("repertoire"));
    QVERIFY(viewer.browser()->textCursor().selectedText().contains(QStringLiteral("é")));

    viewer.searchField()->setText(QStringLiteral("zzqxw"));
    QCOMPARE(viewer.resultList()->count(), 0);
    QTest::keyClick(viewer.searchField(), Qt::Key_Return); // nothing to open
    QCOMPARE(viewer.currentUrl(), opened);
}

void HelpViewerTest::f1ShowsTheMenuBeingBrowsed() {
    QMainWindow window;
    QMenu* fichier = window.menuBar()->addMenu(QStringLiteral("&Fichier"));
    fichier->menuAction()->setData(3); // the context as the main window stores it
    fichier->addAction(QStringLiteral("&Nouveau"));
    QMenu* outils = window.menuBar()->addMenu(QStringLiteral("&Utilitaires"));
    HelpViewer::setMenuHelpContext(outils, 8);
    QMenu* sub = outils->addMenu(QStringLiteral("Sous-menu"));
    sub->addAction(QStringLiteral("Élément"));
    window.resize(400, 300);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    HelpViewer viewer(&window);
    viewer.installF1(&window, window.menuBar());
    QVERIFY(!viewer.isVisible());

    QCOMPARE(HelpViewer::f1Context(window.menuBar()), 0);
    fichier->popup(window.mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(fichier));
    QCOMPARE(HelpViewer::f1Context(window.menuBar()), 3);
    QTest::keyClick(fichier, Qt::Key_F1);
    QVERIFY(viewer.isVisible());
    QCOMPARE(viewer.currentUrl(), HelpViewer::pageUrl(HelpViewer::contextPage(3)));
    QVERIFY(!fichier->isVisible());
    QVERIFY(!QApplication::activePopupWidget());

    // A submenu answers with the context of its top-level menu.
    outils->popup(window.mapToGlobal(QPoint(10, 10)));
    sub->popup(window.mapToGlobal(QPoint(60, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(sub));
    QCOMPARE(HelpViewer::f1Context(window.menuBar()), 8);
    QTest::keyClick(sub, Qt::Key_F1);
    QCOMPARE(viewer.currentUrl(), HelpViewer::pageUrl(HelpViewer::contextPage(8)));
    QVERIFY(!QApplication::activePopupWidget());

    // Outside the menus, F1 shows the contents.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    QCOMPARE(viewer.currentUrl(), HelpViewer::contentsUrl());

    // A title of the bar highlighted from the keyboard (Alt, then an arrow key).
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyPress(&window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&window, Qt::Key_Alt, Qt::NoModifier);
    QCOMPARE(window.menuBar()->activeAction(), fichier->menuAction());
    QTest::keyClick(window.menuBar(), Qt::Key_Right);
    QCOMPARE(window.menuBar()->activeAction(), outils->menuAction());
    QVERIFY(!QApplication::activePopupWidget());
    QTest::keyClick(window.menuBar(), Qt::Key_F1);
    QCOMPARE(viewer.currentUrl(), HelpViewer::pageUrl(HelpViewer::contextPage(8)));
    QTest::keyClick(window.menuBar(), Qt::Key_Escape);
    viewer.showContents();

    // Other keys reach the menu as usual.
    fichier->popup(window.mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(fichier));
    QTest::keyClick(fichier, Qt::Key_Escape);
    QVERIFY(!fichier->isVisible());
    QCOMPARE(viewer.currentUrl(), HelpViewer::contentsUrl());
}

void HelpViewerTest::menuHelpContextReading() {
    QMenu plain, property, data, text, outside, both;
    QCOMPARE(HelpViewer::menuHelpContext(nullptr), 0);
    QCOMPARE(HelpViewer::menuHelpContext(&plain), 0);
    HelpViewer::setMenuHelpContext(&property, 9);
    QCOMPARE(HelpViewer::menuHelpContext(&property), 9);
    data.menuAction()->setData(4);
    QCOMPARE(HelpViewer::menuHelpContext(&data), 4);
    text.menuAction()->setData(QStringLiteral("fichier"));
    QCOMPARE(HelpViewer::menuHelpContext(&text), 0);
    outside.menuAction()->setData(42);
    QCOMPARE(HelpViewer::menuHelpContext(&outside), 0);
    both.menuAction()->setData(4);
    HelpViewer::setMenuHelpContext(&both, 10); // the property wins
    QCOMPARE(HelpViewer::menuHelpContext(&both), 10);
}

void HelpViewerTest::examplesMatchTheirFilesAndResults() {
    const QString examples = kSourceDir + QStringLiteral("/docs/help/examples/");
    const QString expected = kSourceDir + QStringLiteral("/tests/help/");
    static const QRegularExpression block(
        QStringLiteral(
            "<pre class=\"(exemple|ecran|message)\" data-fichier=\"([^\"]+)\">(.*?)</pre>"),
        QRegularExpression::DotMatchesEverythingOption);
    QSet<QString> shown;
    int programs = 0, screens = 0, messages = 0;
    for (const QString& name : HelpViewer::pageNames()) {
        for (auto m = block.globalMatch(HelpViewer::pageHtml(name)); m.hasNext();) {
            const QRegularExpressionMatch match = m.next();
            const QString kind = match.captured(1), file = match.captured(2);
            const QString text = Unescape(match.captured(3));
            const QString base = file.chopped(2); // without ".c"
            const QString where = name + QStringLiteral(": ") + file;
            if (kind == QLatin1String("exemple")) {
                QVERIFY2(QFile::exists(examples + file), qPrintable(where));
                QCOMPARE(text, TrimEnd(ReadFile(examples + file)));
                shown.insert(file);
                ++programs;
            } else if (kind == QLatin1String("ecran")) {
                QVERIFY2(QFile::exists(expected + base + QStringLiteral(".out")),
                         qPrintable(where));
                QCOMPARE(text, TrimEnd(ReadFile(expected + base + QStringLiteral(".out"))));
                ++screens;
            } else {
                const QString err = ReadFile(expected + base + QStringLiteral(".err"));
                QVERIFY2(!err.isEmpty(), qPrintable(where));
                const QString first = err.section(QLatin1Char('\n'), 0, 0);
                QCOMPARE(first, file + QStringLiteral(":") + first.section(QLatin1Char(':'), 1, 1) +
                                    QStringLiteral(": ") + text);
                ++messages;
            }
        }
    }
    QVERIFY(programs >= 50);
    QVERIFY(screens >= 45);
    QVERIFY(messages >= 5);
    // Every example program is shown in a page.
    const QStringList files = QDir(examples).entryList({QStringLiteral("*.c")}, QDir::Files);
    QCOMPARE(QSet<QString>(files.begin(), files.end()), shown);
}

void HelpViewerTest::languageWordsHaveAnExplainedSection() {
    const QStringList words = {
        "#include", "abs",    "atoi",        "break",       "ceil",       "char",      "chdir",
        "clrscr",   "cos",    "currentdate", "currenttime", "datestring", "do",        "else",
        "exit",     "exp",    "fabs",        "fclose",      "feof",       "fgets",     "file",
        "float",    "fopen",  "for",         "fputs",       "getch",      "gets",      "goto",
        "gotoxy",   "if",     "int",         "itoa",        "log",        "main",      "mkdir",
        "nop",      "printf", "PRN:",        "puts",        "rand",       "randomize", "return",
        "rmdir",    "scanf",  "sin",         "sqrt",        "strcat",     "strchr",    "strcmp",
        "strcpy",   "strlen", "strncat",     "strncpy",     "timestring", "tolower",   "toupper",
        "void",     "while"};
    const QString indexPage = QStringLiteral("langage-index.html");
    QTextDocument doc;
    doc.setHtml(HelpViewer::pageHtml(indexPage));
    QHash<QString, QString> linkOf; // word -> href
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isAnchor())
                linkOf.insert(it.fragment().text(), it.fragment().charFormat().anchorHref());
    HelpViewer viewer;
    for (const QString& word : words) {
        QVERIFY2(linkOf.contains(word), qPrintable(word));
        const auto [page, fragment] = Target(indexPage, linkOf[word]);
        const QUrl url = HelpViewer::pageUrl(page + QLatin1Char('#') + fragment);
        QVERIFY2(!fragment.isEmpty(), qPrintable(word));
        // The section the word leads to names the word and shows an example.
        bool found = false;
        for (const HelpHit& h : viewer.search(word + QStringLiteral(" exemple")))
            found = found || h.url == url;
        QVERIFY2(found, qPrintable(word + QStringLiteral(" -> ") + url.toString()));
    }
}

void HelpViewerTest::everyInterpreterMessageIsExplained() {
    const QString header = ReadFile(kSourceDir + QStringLiteral("/src/interpreter/messages.h"));
    QVERIFY(!header.isEmpty());
    QTextDocument doc;
    doc.setHtml(HelpViewer::pageHtml(QStringLiteral("messages.html")));
    const QString page = doc.toPlainText().replace(QChar(0x00A0), QLatin1Char(' '));
    static const QRegularExpression literal(
        QStringLiteral("constexpr std::string_view \\w+ = \"([^\"]*)\""));
    int count = 0;
    for (auto m = literal.globalMatch(header); m.hasNext();) {
        QString text = m.next().captured(1);
        // Pieces such as "Identificateur " and " inconnu" surround a name; "' n'est pas…"
        // follows a quoted text.
        while (text.startsWith(QLatin1Char('\'')) || text.startsWith(QLatin1Char(' ')))
            text.remove(0, 1);
        text = text.trimmed();
        QVERIFY2(page.contains(text), qPrintable(text));
        ++count;
    }
    QVERIFY(count >= 60);
    QVERIFY(page.contains(QStringLiteral("Mémoire insuffisante")));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    HelpViewerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "help_viewer_test.moc"
