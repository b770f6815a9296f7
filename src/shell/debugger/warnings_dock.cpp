#include "warnings_dock.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "cp1252_qstring.h"

namespace vokc {

WarningsDock::WarningsDock(QWidget* parent)
    : QDockWidget(QStringLiteral("Avertissements"), parent) {
    setObjectName("warningsDock");
    auto* body = new QWidget(this);
    list_ = new QListWidget(body);
    list_->setObjectName("warningsList");
    summary_ = new QLabel(body);
    check_ = new QPushButton(QStringLiteral("&Relire"), body);
    check_->setObjectName("warningsCheck");
    auto* bar = new QHBoxLayout;
    bar->addWidget(summary_, 1);
    bar->addWidget(check_);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(list_);
    setWidget(body);
    connect(check_, &QPushButton::clicked, this, &WarningsDock::checkRequested);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        emit lineActivated(item->data(Qt::UserRole).toInt());
    });
}

void WarningsDock::showWarnings(const std::vector<ProgramWarning>& warnings) {
    list_->clear();
    for (const ProgramWarning& w : warnings)
        addRow(w.line, Cp1252ToQString(w.text));
    showCount();
}

void WarningsDock::addWarning(int line, const QString& text) {
    addRow(line, text);
    showCount();
}

void WarningsDock::addRow(int line, const QString& text) {
    auto* item =
        new QListWidgetItem(QStringLiteral("Ligne %1 : %2").arg(line + 1).arg(text), list_);
    item->setData(Qt::UserRole, line);
    item->setToolTip(item->text());
}

void WarningsDock::showCount() {
    const int n = list_->count();
    summary_->setText(n == 0   ? QStringLiteral("Aucun avertissement.")
                      : n == 1 ? QStringLiteral("1 avertissement")
                               : QStringLiteral("%1 avertissements").arg(n));
}

} // namespace vokc
