// HelpViewer: the help window of Vok C. It shows the French help pages of docs/help,
// embedded in the program as Qt resources (":/help/..."), so the help works wherever the
// application is installed. Three commands, as buttons at the top of the window:
// "&Index" (the contents page), "&Rechercher" (a keyword search over every section of
// every page, ignoring accents and letter case) and "&Utiliser l'aide" (how to use the
// help); "&Précédent" and "&Suivant" go back and forth in the pages already seen.
//
// How the main window uses it
// ---------------------------
// 0. CMake: target_link_libraries(<its target> PRIVATE vokc_help), within
//    if(TARGET vokc_help); #include "help_viewer.h".
// 1. Create one viewer at start-up, with the main window as parent; it is a window of
//    its own (Qt::Window) and stays hidden until a help command shows it:
//        help_ = new HelpViewer(this);
// 2. The items of the menu "&Aide":
//        HContents() -> help_->ShowContents();   // "&Index"
//        HSearch()   -> help_->ShowSearch();     // "&Rechercher": search with an empty field
//        HowToUse()  -> help_->ShowHowToUse();   // "&Utiliser l'aide"
// 3. Each top-level menu carries its help context (3 to 10). The viewer reads it from the
//    menu's property "helpContext" (SetMenuHelpContext) or, when that is not set, from
//    the int data of the menu's own action (menu->menuAction()->setData(context)).
//    Help context -> page (ContextPage):
//        3 "&Fichier"     menu-fichier.html       7 "&Programmer"  menu-programmer.html
//        4 "&Edition"     menu-edition.html       8 "&Utilitaires" menu-utilitaires.html
//        5 "&Voir"        menu-voir.html          9 "Fe&nêtre"     menu-fenetre.html
//        6 "E&xécuter"    menu-executer.html     10 "&Aide"        menu-aide.html
// 4. F1, once the menus are built (menus added to the bar later are not watched):
//        help_->InstallF1(this, menuBar());
//    F1 pressed while a menu of that bar is open (or one of its submenus, made by
//    QMenu::addMenu), or while a title of the bar is highlighted from the keyboard,
//    closes the menus and shows the topic of that menu; F1 anywhere else in the window
//    shows the contents. A window that handles F1 itself calls
//        help_->ShowContext(HelpViewer::F1Context(menuBar()));
//    which shows the contents when no menu is being browsed. Inside the help window,
//    F1 shows "Utiliser l'aide".
// 5. ShowContext(n) shows the topic of help context n and returns true; any other n
//    shows the contents and returns false.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPushButton;
class QTextBrowser;

namespace vokc {

// One section of a help page found by a search.
struct THelpHit {
    QUrl url;          // the page, with the section's anchor as fragment when it has one
    QString pageTitle; // the page's <title>
    QString section;   // the heading of the section
    int score = 0;     // higher first
};

class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kFirstContext = 3; // "&Fichier"
    static constexpr int kLastContext = 10; // "&Aide"

    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    // The commands of the menu "&Aide". Each shows and raises the viewer.
    void ShowContents();
    void ShowSearch(const QString& key = QString());
    void ShowHowToUse();
    bool ShowContext(int helpContext);
    // Shows a page of the help by its file name ("langage-ecran.html#printf").
    void ShowPage(const QString& page);

    // F1 (see the notes at the top of this file).
    static void SetMenuHelpContext(QMenu* menu, int helpContext);
    static int MenuHelpContext(const QMenu* menu); // 0 when the menu has none
    void InstallF1(QWidget* window, QMenuBar* menuBar);
    // The help context of the menu being browsed in menuBar (an open menu, or a
    // highlighted title), 0 when none.
    static int F1Context(const QMenuBar* menuBar);

    // The pages: file names inside the resources, and their addresses.
    static QString ContextPage(int helpContext); // empty outside 3..10
    static QUrl PageUrl(const QString& page);    // "qrc:/help/" + page
    static QUrl ContentsUrl();
    static QUrl HowToUseUrl();
    static QStringList PageNames();               // every .html page, sorted
    static QString PageHtml(const QString& page); // the page's text, empty when absent

    // Search over the sections of every page: every word of text must occur in the
    // section (accents, letter case and ligatures ignored). Best first.
    QList<THelpHit> Search(const QString& text) const;
    // The form in which texts are compared: lower case, accents removed, œ as oe.
    static QString Fold(const QString& text);

    QUrl CurrentUrl() const;
    QTextBrowser* Browser() const { return browser_; }
    QLineEdit* SearchField() const { return searchField_; }
    QListWidget* ResultList() const { return results_; }
    QWidget* SearchPanel() const { return searchPanel_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Section {
        QUrl url;
        QString pageTitle;
        QString title;
        QString foldedTitle;
        QString foldedText;
    };
    void BuildIndex() const;
    void UpdateResults();
    void OpenResult(QListWidgetItem* item);
    void SelectWord(const QString& foldedWord, int from);
    void Present();

    QPushButton* indexButton_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* howToButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* forwardButton_ = nullptr;
    QWidget* searchPanel_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QLabel* resultCount_ = nullptr;
    QListWidget* results_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    mutable QList<Section> sections_; // built on the first search
};

} // namespace vokc
