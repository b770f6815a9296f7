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
    check_ = new QPushButton(QStringLiteral("&V\u00E9rifier"), body);
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
    for (const ProgramWarning& w : warnings) {
        auto* item = new QListWidgetItem(
            QStringLiteral("Ligne %1 : %2").arg(w.line + 1).arg(Cp1252ToQString(w.text)), list_);
        item->setData(Qt::UserRole, w.line);
        item->setToolTip(item->text());
    }
    summary_->setText(warnings.empty() ? QStringLiteral("Aucun avertissement.")
                      : warnings.size() == 1
                          ? QStringLiteral("1 avertissement")
                          : QStringLiteral("%1 avertissements").arg(warnings.size()));
}

} // namespace vokc
