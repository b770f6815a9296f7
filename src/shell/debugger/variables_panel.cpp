#include "variables_panel.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "cp1252_qstring.h"

namespace vokc {

namespace {
const QColor kChangedColour(255, 220, 160);

QString Plural(VariableKind kind) {
    switch (kind) {
    case VariableKind::Int:
        return QStringLiteral("entiers");
    case VariableKind::Real:
        return QStringLiteral("r\u00E9els");
    case VariableKind::Char:
        return QStringLiteral("caract\u00E8res");
    case VariableKind::String:
        return QStringLiteral("cha\u00EEnes");
    case VariableKind::File:
        return QStringLiteral("fichiers");
    }
    return {};
}

bool SameLayout(const std::vector<VariableInfo>& a, const std::vector<VariableInfo>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k].name != b[k].name || a[k].kind != b[k].kind || a[k].array != b[k].array ||
            a[k].count != b[k].count)
            return false;
    return true;
}
} // namespace

VariablesPanel::VariablesPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    banner_ = new QLabel(this);
    banner_->setObjectName("pastBanner");
    banner_->setStyleSheet(QStringLiteral("background: #fff0a0; padding: 3px;"));
    // A long banner wraps rather than widening the dock.
    banner_->setWordWrap(true);
    banner_->hide();
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("variables");
    tree_->setColumnCount(3);
    tree_->setHeaderLabels(
        {QStringLiteral("Nom"), QStringLiteral("Type"), QStringLiteral("Valeur")});
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->header()->setStretchLastSection(true);
    // Wide enough for the longest kinds ("tableau de 1000 caractères") without measuring
    // every row at each refresh.
    const QFontMetrics metrics(tree_->font());
    tree_->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("nom_de_variable")) + 40);
    tree_->setColumnWidth(
        1, metrics.horizontalAdvance(QStringLiteral("tableau de 2000 caract\u00E8res")) + 24);
    layout->addWidget(banner_);
    layout->addWidget(tree_);
}

QSize VariablesPanel::minimumSizeHint() const {
    const QSize hint = QWidget::minimumSizeHint();
    const int value =
        QFontMetrics(tree_->font()).horizontalAdvance(QStringLiteral("-1234567890,12"));
    const int width = tree_->columnWidth(0) + tree_->columnWidth(1) + value +
                      2 * tree_->frameWidth() + tree_->verticalScrollBar()->sizeHint().width();
    return {std::max(hint.width(), width), hint.height()};
}

QString VariablesPanel::kindText(const VariableInfo& v) {
    if (v.array) return QStringLiteral("tableau de %1 %2").arg(v.count).arg(Plural(v.kind));
    switch (v.kind) {
    case VariableKind::Int:
        return QStringLiteral("entier");
    case VariableKind::Real:
        return QStringLiteral("r\u00E9el");
    case VariableKind::Char:
        return QStringLiteral("caract\u00E8re");
    case VariableKind::String:
        return QStringLiteral("cha\u00EEne");
    case VariableKind::File:
        return QStringLiteral("fichier");
    }
    return {};
}

void VariablesPanel::rebuild(const std::vector<VariableInfo>& variables) {
    tree_->clear();
    rows_.clear();
    arrays_.clear();
    parentOf_.clear();
    layout_ = variables;
    previous_.clear();
    values_.clear();
    for (const VariableInfo& v : variables) {
        const QString name = Cp1252ToQString(v.name);
        auto* item = new QTreeWidgetItem(tree_, {name, kindText(v), QString()});
        if (!v.array) {
            rows_.push_back(item);
            parentOf_.push_back(-1);
            continue;
        }
        const int array = static_cast<int>(arrays_.size());
        arrays_.push_back(item);
        const int shown = std::min(v.count, kShownElements);
        for (int k = 0; k < shown; ++k) {
            rows_.push_back(new QTreeWidgetItem(
                item, {QStringLiteral("%1[%2]").arg(name).arg(k + 1), QString(), QString()}));
            parentOf_.push_back(array);
        }
        if (v.count > shown)
            new QTreeWidgetItem(item, {QStringLiteral("..."), QString(), QString()});
    }
}

void VariablesPanel::show(const std::vector<std::string>& values,
                          const std::vector<std::string>& before) {
    marked_.assign(rows_.size(), false);
    std::vector<bool> arrayMarked(arrays_.size(), false);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const std::string& now = row < values.size() ? values[row] : std::string();
        QTreeWidgetItem* item = rows_[row];
        // A char never given a value holds code 0, which a font draws as a box: it shows
        // empty, as the variable inspector shows it.
        const QString text = Cp1252ToQString(now).remove(QChar(0));
        if (item->text(2) != text) item->setText(2, text);
        const bool changed = row < before.size() && before[row] != now;
        marked_[row] = changed;
        if (changed && parentOf_[row] >= 0)
            arrayMarked[static_cast<std::size_t>(parentOf_[row])] = true;
        item->setBackground(2, changed ? QBrush(kChangedColour) : QBrush());
    }
    for (std::size_t a = 0; a < arrays_.size(); ++a)
        arrays_[a]->setBackground(0, arrayMarked[a] ? QBrush(kChangedColour) : QBrush());
}

void VariablesPanel::refresh(const Interpreter& interpreter, bool atPause) {
    if (!isVisible()) return;
    const std::vector<VariableInfo> variables = interpreter.Variables();
    if (!SameLayout(variables, layout_)) rebuild(variables);
    if (atPause) previous_.swap(values_);
    interpreter.ValueTexts(values_, kShownElements);
    reads_ += static_cast<int>(values_.size());
    banner_->hide();
    show(values_, previous_);
}

void VariablesPanel::showPast(const Interpreter& interpreter,
                              const std::vector<std::string>& values,
                              const std::vector<std::string>& before, const QString& banner) {
    const std::vector<VariableInfo> variables = interpreter.Variables();
    if (!SameLayout(variables, layout_)) rebuild(variables);
    banner_->setText(banner);
    banner_->show();
    show(values, before);
}

void VariablesPanel::showPresent(const Interpreter& interpreter) {
    banner_->hide();
    const std::vector<VariableInfo> variables = interpreter.Variables();
    if (!SameLayout(variables, layout_)) {
        refresh(interpreter, false);
        return;
    }
    show(values_, previous_);
}

QString VariablesPanel::valueOfRow(int row) const {
    if (row < 0 || row >= rowCount()) return {};
    return rows_[static_cast<std::size_t>(row)]->text(2);
}

bool VariablesPanel::rowMarked(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < marked_.size() &&
           marked_[static_cast<std::size_t>(row)];
}

} // namespace vokc
