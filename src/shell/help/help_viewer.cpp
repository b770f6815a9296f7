// The help window: pages from the resources, the three help commands, the search over
// the pages' sections, and F1 on the menus of the main window.
#include "help_viewer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

// The pages are compiled into a static library: their resource must be registered by a
// call, or the linker may leave it out. Q_INIT_RESOURCE names a global function.
static void InitHelpResources() {
    Q_INIT_RESOURCE(vokchelp);
}

namespace vokc {

namespace {

void EnsureResources() {
    static const bool done = (InitHelpResources(), true);
    (void)done;
}

const char kHelpRoot[] = ":/help/";
const char kContextProperty[] = "helpContext";

// Help context of each top-level menu of the main window, and its page.
struct ContextTopic {
    int context;
    const char* page;
};
constexpr ContextTopic kTopics[] = {
    {3, "menu-fichier.html"},     // "&Fichier"
    {4, "menu-edition.html"},     // "&Edition"
    {5, "menu-voir.html"},        // "&Voir"
    {6, "menu-executer.html"},    // "E&xécuter"
    {7, "menu-programmer.html"},  // "&Programmer"
    {8, "menu-utilitaires.html"}, // "&Utilitaires"
    {9, "menu-fenetre.html"},     // "Fe&nêtre"
    {10, "menu-aide.html"},       // "&Aide"
};

// Appends the folded form of one character.
void AppendFolded(QChar c, QString& out) {
    switch (c.unicode()) {
    case 0x0152: // Œ
    case 0x0153: // œ
        out += QLatin1String("oe");
        return;
    case 0x00C6: // Æ
    case 0x00E6: // æ
        out += QLatin1String("ae");
        return;
    case 0x00DF: // ß
        out += QLatin1String("ss");
        return;
    case 0x2018:
    case 0x2019: // typographic apostrophes
        out += QLatin1Char('\'');
        return;
    case 0x00A0:
    case 0x202F: // non-breaking spaces
        out += QLatin1Char(' ');
        return;
    default:
        break;
    }
    if (c.unicode() < 0x80) {
        out += c.toLower();
        return;
    }
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
    for (QChar k : decomposed)
        if (k.category() != QChar::Mark_NonSpacing) out += k.toLower();
}

int CountOf(const QString& text, const QString& word) {
    int n = 0;
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + word.size()))
        ++n;
    return n;
}

QStringList Words(const QString& text) {
    return HelpViewer::fold(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    EnsureResources();
    setWindowTitle(QStringLiteral("Aide de Vok C"));
    resize(900, 640);

    indexButton_ = new QPushButton(QStringLiteral("&Index"), this);
    indexButton_->setToolTip(QStringLiteral("Sommaire de l'aide"));
    searchButton_ = new QPushButton(QStringLiteral("&Rechercher"), this);
    searchButton_->setToolTip(QStringLiteral("Rechercher un mot dans l'aide"));
    howToButton_ = new QPushButton(QStringLiteral("&Utiliser l'aide"), this);
    howToButton_->setToolTip(QStringLiteral("Comment se servir de l'aide"));
    backButton_ = new QPushButton(QStringLiteral("&Précédent"), this);
    forwardButton_ = new QPushButton(QStringLiteral("&Suivant"), this);
    backButton_->setEnabled(false);
    forwardButton_->setEnabled(false);
    for (QPushButton* b : {indexButton_, searchButton_, howToButton_, backButton_, forwardButton_})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(indexButton_);
    buttons->addWidget(searchButton_);
    buttons->addWidget(howToButton_);
    buttons->addStretch(1);
    buttons->addWidget(backButton_);
    buttons->addWidget(forwardButton_);

    searchPanel_ = new QWidget(this);
    auto* label = new QLabel(QStringLiteral("&Mots à chercher :"), searchPanel_);
    searchField_ = new QLineEdit(searchPanel_);
    searchField_->setClearButtonEnabled(true);
    label->setBuddy(searchField_);
    resultCount_ = new QLabel(searchPanel_);
    resultCount_->setWordWrap(true);
    results_ = new QListWidget(searchPanel_);
    auto* panelLayout = new QVBoxLayout(searchPanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(label);
    panelLayout->addWidget(searchField_);
    panelLayout->addWidget(resultCount_);
    panelLayout->addWidget(results_, 1);
    searchPanel_->hide();

    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(searchPanel_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({330, 570});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(indexButton_, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(searchButton_, &QPushButton::clicked, this,
            [this] { showSearch(searchField_->text()); });
    connect(howToButton_, &QPushButton::clicked, this, &HelpViewer::showHowToUse);
    connect(backButton_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardButton_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::scalePage);
    const std::pair<const char*, int> zoomKeys[] = {
        {"Ctrl++", 1}, {"Ctrl+=", 1}, {"Ctrl+-", -1}, {"Ctrl+0", 0}};
    for (const auto& [key, change] : zoomKeys) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(key)), this);
        connect(shortcut, &QShortcut::activated, this,
                [this, change = change] { emit zoomRequested(change); });
    }
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Aide de Vok C")
                                       : QStringLiteral("Aide de Vok C - ") + title);
    });
    connect(searchField_, &QLineEdit::textChanged, this, &HelpViewer::updateResults);
    connect(searchField_, &QLineEdit::returnPressed, this, [this] {
        if (results_->count() > 0) openResult(results_->item(0));
    });
    connect(results_, &QListWidget::itemActivated, this, &HelpViewer::openResult);
    connect(results_, &QListWidget::itemClicked, this, &HelpViewer::openResult);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &HelpViewer::showHowToUse);

    updateResults();
}

HelpViewer::~HelpViewer() = default;

// ---- Pages ----

QString HelpViewer::contextPage(int helpContext) {
    for (const ContextTopic& t : kTopics)
        if (t.context == helpContext) return QString::fromLatin1(t.page);
    return {};
}

QUrl HelpViewer::pageUrl(const QString& page) {
    return QUrl(QStringLiteral("qrc:/help/") + page);
}
QUrl HelpViewer::contentsUrl() {
    return pageUrl(QStringLiteral("index.html"));
}
QUrl HelpViewer::howToUseUrl() {
    return pageUrl(QStringLiteral("utiliser-aide.html"));
}

QStringList HelpViewer::pageNames() {
    EnsureResources();
    return QDir(QString::fromLatin1(kHelpRoot))
        .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QString HelpViewer::pageHtml(const QString& page) {
    EnsureResources();
    const QString name = page.section(QLatin1Char('#'), 0, 0);
    if (name.isEmpty() || name.contains(QLatin1Char('/'))) return {};
    QFile file(QString::fromLatin1(kHelpRoot) + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QUrl HelpViewer::currentUrl() const {
    return browser_->source();
}

void HelpViewer::present() {
    show();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void HelpViewer::showPage(const QString& page) {
    browser_->setSource(pageUrl(page));
    present();
}

void HelpViewer::showContents() {
    showPage(QStringLiteral("index.html"));
}

void HelpViewer::showHowToUse() {
    showPage(QStringLiteral("utiliser-aide.html"));
}

bool HelpViewer::showContext(int helpContext) {
    const QString page = contextPage(helpContext);
    if (page.isEmpty()) {
        showContents();
        return false;
    }
    showPage(page);
    return true;
}

void HelpViewer::showSearch(const QString& key) {
    if (browser_->source().isEmpty()) browser_->setSource(contentsUrl());
    searchPanel_->show();
    searchField_->setText(key);
    updateResults();
    present();
    searchField_->setFocus();
    searchField_->selectAll();
}

// ---- Search ----

QString HelpViewer::fold(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        AppendFolded(c, out);
    return out.simplified();
}

void HelpViewer::buildIndex() const {
    if (!sections_.isEmpty()) return;
    for (const QString& page : pageNames()) {
        QTextDocument doc;
        doc.setMetaInformation(QTextDocument::DocumentUrl, pageUrl(page).toString());
        doc.setHtml(pageHtml(page));
        const QString pageTitle = doc.metaInformation(QTextDocument::DocumentTitle);
        // A page without headings is one section named after the page; otherwise the
        // text before the first heading (the navigation line) is left out.
        Section current{pageUrl(page), pageTitle, pageTitle, {}, {}};
        bool isHeading = false;
        QString body;
        auto flush = [&] {
            current.foldedTitle = fold(current.title);
            current.foldedText = fold(current.title + QLatin1Char(' ') + body);
            sections_.append(current);
        };
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            if (b.blockFormat().headingLevel() > 0) {
                if (isHeading) flush();
                body.clear();
                QString anchor;
                for (auto it = b.begin(); !it.atEnd() && anchor.isEmpty(); ++it) {
                    const QStringList names = it.fragment().charFormat().anchorNames();
                    if (!names.isEmpty()) anchor = names.first();
                }
                QUrl url = pageUrl(page);
                if (!anchor.isEmpty()) url.setFragment(anchor);
                current = Section{url, pageTitle, b.text().simplified(), {}, {}};
                isHeading = true;
            } else {
                body += b.text();
                body += QLatin1Char(' ');
            }
        }
        if (isHeading || !body.trimmed().isEmpty()) flush();
    }
}

QList<HelpHit> HelpViewer::search(const QString& text) const {
    QList<HelpHit> hits;
    const QStringList words = Words(text);
    if (words.isEmpty()) return hits;
    buildIndex();
    for (const Section& s : sections_) {
        int score = 0;
        bool all = true;
        for (const QString& w : words) {
            const int n = CountOf(s.foldedText, w);
            if (n == 0) {
                all = false;
                break;
            }
            score += n;
            if (s.foldedTitle.contains(w)) score += 20;
        }
        if (!all) continue;
        if (s.foldedTitle == words.join(QLatin1Char(' '))) score += 100;
        hits.append(HelpHit{s.url, s.pageTitle, s.title, score});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const HelpHit& a, const HelpHit& b) { return a.score > b.score; });
    return hits;
}

void HelpViewer::updateResults() {
    results_->clear();
    const QString text = searchField_->text();
    if (Words(text).isEmpty()) {
        resultCount_->setText(QStringLiteral("Tapez un ou plusieurs mots : les sujets qui les "
                                             "contiennent tous s'affichent ci-dessous."));
        return;
    }
    const QList<HelpHit> hits = search(text);
    for (const HelpHit& h : hits) {
        const QString caption = h.section == h.pageTitle ? h.pageTitle
                                                         : h.section + QStringLiteral(" (") +
                                                               h.pageTitle + QLatin1Char(')');
        auto* item = new QListWidgetItem(caption, results_);
        item->setData(Qt::UserRole, h.url);
        item->setToolTip(h.pageTitle);
    }
    if (hits.isEmpty())
        resultCount_->setText(QStringLiteral("Aucun sujet trouvé."));
    else if (hits.size() == 1)
        resultCount_->setText(QStringLiteral("1 sujet trouvé :"));
    else
        resultCount_->setText(QString::number(hits.size()) + QStringLiteral(" sujets trouvés :"));
    results_->setCurrentRow(hits.isEmpty() ? -1 : 0);
}

void HelpViewer::openResult(QListWidgetItem* item) {
    if (!item) return;
    const QUrl url = item->data(Qt::UserRole).toUrl();
    browser_->setSource(url);
    results_->setCurrentItem(item);
    const QStringList words = Words(searchField_->text());
    if (words.isEmpty()) return;
    // Start at the section's anchor, so the word is shown in the section found.
    int from = 0;
    const QString anchor = url.fragment();
    if (!anchor.isEmpty()) {
        for (QTextBlock b = browser_->document()->begin(); b.isValid() && from == 0; b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().anchorNames().contains(anchor)) {
                    from = it.fragment().position();
                    break;
                }
    }
    selectWord(words.first(), from);
    // Show the section from its heading when the word is in sight there.
    if (!anchor.isEmpty()) {
        browser_->scrollToAnchor(anchor);
        browser_->ensureCursorVisible();
    }
}

// Selects the first occurrence of a folded word at or after the document position from
// (or else from the start), comparing folded texts.
void HelpViewer::selectWord(const QString& foldedWord, int from) {
    QTextDocument* doc = browser_->document();
    const QString raw = doc->toRawText();
    QString folded;
    std::vector<int> position; // document position of each folded character
    folded.reserve(raw.size());
    position.reserve(static_cast<std::size_t>(raw.size()));
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const qsizetype before = folded.size();
        AppendFolded(raw.at(i), folded);
        for (qsizetype k = before; k < folded.size(); ++k)
            position.push_back(static_cast<int>(i));
    }
    const auto start = std::lower_bound(position.begin(), position.end(), from);
    qsizetype at = folded.indexOf(foldedWord, start - position.begin());
    if (at < 0) at = folded.indexOf(foldedWord);
    if (at < 0 || foldedWord.isEmpty()) return;
    QTextCursor cursor(doc);
    cursor.setPosition(position[static_cast<std::size_t>(at)]);
    cursor.setPosition(position[static_cast<std::size_t>(at + foldedWord.size() - 1)] + 1,
                       QTextCursor::KeepAnchor);
    browser_->setTextCursor(cursor);
    browser_->ensureCursorVisible();
}

// ---- F1 ----

void HelpViewer::setMenuHelpContext(QMenu* menu, int helpContext) {
    if (menu) menu->setProperty(kContextProperty, helpContext);
}

int HelpViewer::menuHelpContext(const QMenu* menu) {
    if (!menu) return 0;
    bool ok = false;
    int context = 0;
    const QVariant property = menu->property(kContextProperty);
    if (property.isValid())
        context = property.toInt(&ok);
    else if (const QAction* own = menu->menuAction(); own && own->data().isValid())
        context = own->data().toInt(&ok);
    return ok && context >= kFirstContext && context <= kLastContext ? context : 0;
}

int HelpViewer::f1Context(const QMenuBar* menuBar) {
    for (QWidget* w = QApplication::activePopupWidget(); w; w = w->parentWidget())
        if (const auto* menu = qobject_cast<const QMenu*>(w))
            if (const int context = menuHelpContext(menu)) return context;
    if (menuBar && menuBar->activeAction()) return menuHelpContext(menuBar->activeAction()->menu());
    return 0;
}

void HelpViewer::installF1(QWidget* window, QMenuBar* menuBar) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), window);
    f1->setContext(Qt::WindowShortcut);
    QPointer<QMenuBar> bar(menuBar);
    connect(f1, &QShortcut::activated, this, [this, bar] {
        showContext(f1Context(bar)); // the contents when no menu is being browsed
    });
    if (!menuBar) return;
    // The menus of the bar and their submenus, which receive the keys while they are open.
    QList<QMenu*> menus;
    for (QAction* action : menuBar->actions())
        if (QMenu* menu = action->menu()) menus << menu;
    for (qsizetype i = 0; i < menus.size() && i < 1000; ++i) {
        menus[i]->installEventFilter(this);
        for (QAction* action : menus[i]->actions())
            if (QMenu* sub = action->menu(); sub && !menus.contains(sub)) menus << sub;
    }
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride) &&
        qobject_cast<QMenu*>(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            event->accept();
            if (type == QEvent::ShortcutOverride) return true; // the key press follows
            int context = 0;
            for (QWidget* w = static_cast<QWidget*>(watched); w && !context; w = w->parentWidget())
                if (const auto* menu = qobject_cast<const QMenu*>(w))
                    context = menuHelpContext(menu);
            // Close the open menus first, so the help window comes to the front.
            for (int guard = 0; guard < 16 && QApplication::activePopupWidget(); ++guard)
                QApplication::activePopupWidget()->close();
            showContext(context);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpViewer::setZoom(int step) {
    if (step == zoom_) return;
    zoom_ = step;
    // The page is read again at its own sizes, then scaled (once, whether the reload
    // tells its new source or not).
    if (browser_->source().isEmpty()) return;
    pageScaled_ = false;
    browser_->reload();
    if (!pageScaled_) scalePage();
}

void HelpViewer::scalePage() {
    pageScaled_ = true;
    if (zoom_ == 0) return;
    const double factor = std::pow(1.1, zoom_);
    QTextDocument* doc = browser_->document();
    // The fragments first: changing formats splits and joins them.
    struct Piece {
        int position;
        int length;
        QTextCharFormat format;
    };
    std::vector<Piece> pieces;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QFont font = format.font();
            QTextCharFormat scaled;
            if (format.fontPointSize() > 0)
                scaled.setFontPointSize(format.fontPointSize() * factor);
            else if (font.pointSizeF() > 0)
                scaled.setFontPointSize(font.pointSizeF() * factor);
            else if (font.pixelSize() > 0)
                scaled.setProperty(QTextFormat::FontPixelSize,
                                   static_cast<int>(std::lround(font.pixelSize() * factor)));
            else
                continue;
            pieces.push_back({fragment.position(), fragment.length(), scaled});
        }
    }
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (const Piece& piece : pieces) {
        QTextCursor c(doc);
        c.setPosition(piece.position);
        c.setPosition(piece.position + piece.length, QTextCursor::KeepAnchor);
        c.mergeCharFormat(piece.format);
    }
    edit.endEditBlock();
}

} // namespace vokc
