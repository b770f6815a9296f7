#include "statement_window.h"

#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vokc {

namespace {

// A statement is small: a larger file is no statement.
constexpr qint64 kStatementMax = 4 * 1024 * 1024;

bool ReadText(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kStatementMax) return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

} // namespace

StatementWindow::StatementWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("statementWindow"));
    setWindowTitle(QStringLiteral("\u00C9nonc\u00E9"));
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(560, 480);
}

bool StatementWindow::showStatement(const QString& folder) {
    const QDir dir(folder);
    QString text;
    browser_->setSearchPaths({dir.absolutePath()});
    if (ReadText(dir.filePath(QStringLiteral("enonce.html")), text)) {
        browser_->setHtml(text);
    } else if (ReadText(dir.filePath(QStringLiteral("enonce.txt")), text)) {
        browser_->setPlainText(text);
    } else {
        browser_->setPlainText(QStringLiteral("Cet exercice n'a pas d'\u00E9nonc\u00E9."));
        return false;
    }
    return true;
}

} // namespace vokc
