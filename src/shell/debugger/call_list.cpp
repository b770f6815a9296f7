#include "call_list.h"

#include "cp1252_qstring.h"

namespace vokc {

namespace {
constexpr int kLineRole = Qt::UserRole + 1;
}

CallList::CallList(QWidget* parent) : QListWidget(parent) {
    setObjectName("calls");
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int line = item->data(kLineRole).toInt();
        if (line >= 0) emit lineActivated(line);
    });
}

void CallList::refresh(const Interpreter& interpreter) {
    if (!isVisible()) return;
    clear();
    auto* root = new QListWidgetItem(QStringLiteral("main()"), this);
    root->setData(kLineRole, -1);
    for (const CallFrame& call : interpreter.CallChain()) {
        const QString name = Cp1252ToQString(call.procedure);
        auto* item = new QListWidgetItem(
            call.callLine >= 0
                ? QStringLiteral("%1 \u2014 appel ligne %2").arg(name).arg(call.callLine + 1)
                : name,
            this);
        item->setData(kLineRole, call.callLine);
    }
}

} // namespace vokc
