// HelpViewer: the help window of Vok C. It shows the French help pages of docs/help,
// embedded in the program as Qt resources (":/help/..."), so the help works wherever the
// application is installed. Three commands, as buttons at the top of the window:
// "&Index" (the contents page), "&Rechercher" (a keyword search over every section of
// every page, ignoring accents and letter case) and "&Utiliser l'aide" (how to use the
// help); "&Précédent" and "&Suivant" go back and forth in the pages already seen.
//
// Each top-level menu carries its help context (3 "&Fichier" to 10 "&Aide"), as the
// menu's property "helpContext" or the int data of its own action; F1 while a menu is
// browsed shows that menu's page, F1 anywhere else the contents.
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
struct HelpHit {
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
    void showContents();
    void showSearch(const QString& key = QString());
    void showHowToUse();
    bool showContext(int helpContext);
    // Shows a page of the help by its file name ("langage-ecran.html#printf").
    void showPage(const QString& page);

    // F1: installed once the menus are built (menus added later are not watched).
    static void setMenuHelpContext(QMenu* menu, int helpContext);
    static int menuHelpContext(const QMenu* menu); // 0 when the menu has none
    void installF1(QWidget* window, QMenuBar* menuBar);
    // The help context of the menu being browsed in menuBar (an open menu, or a
    // highlighted title), 0 when none.
    static int f1Context(const QMenuBar* menuBar);

    // The pages: file names inside the resources, and their addresses.
    static QString contextPage(int helpContext); // empty outside 3..10
    static QUrl pageUrl(const QString& page);    // "qrc:/help/" + page
    static QUrl contentsUrl();
    static QUrl howToUseUrl();
    static QStringList pageNames();               // every .html page, sorted
    static QString pageHtml(const QString& page); // the page's text, empty when absent

    // Search over the sections of every page: every word of text must occur in the
    // section (accents, letter case and ligatures ignored). Best first.
    QList<HelpHit> search(const QString& text) const;
    // The form in which texts are compared: lower case, accents removed, œ as oe.
    static QString fold(const QString& text);

    // Zoom for a projector: each step above 0 scales the pages' text by about a tenth.
    // Ctrl++, Ctrl+- and Ctrl+0 in the viewer ask for a change (zoomRequested).
    void setZoom(int step);
    int zoom() const { return zoom_; }

    QUrl currentUrl() const;
    QTextBrowser* browser() const { return browser_; }
    QLineEdit* searchField() const { return searchField_; }
    QListWidget* resultList() const { return results_; }
    QWidget* searchPanel() const { return searchPanel_; }

  signals:
    // +1 larger, -1 smaller, 0 back to the normal size.
    void zoomRequested(int change);

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
    void buildIndex() const;
    void updateResults();
    void openResult(QListWidgetItem* item);
    void selectWord(const QString& foldedWord, int from);
    void present();
    void scalePage();

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
    int zoom_ = 0;
    bool pageScaled_ = false;
};

} // namespace vokc
