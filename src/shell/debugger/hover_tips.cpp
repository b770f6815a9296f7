#include "hover_tips.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolTip>

#include "cp1252_qstring.h"
#include "interpreter.h"
#include "reference_at.h"
#include "run_history.h"
#include "run_session.h"

namespace vokc {

HoverTips::HoverTips(RunSession& session, QObject* parent) : QObject(parent), session_(session) {}

void HoverTips::setEditor(QPlainTextEdit* editor) {
    editor_ = editor;
}

void HoverTips::watch(QPlainTextEdit* editor) {
    editor->viewport()->installEventFilter(this);
}

QString HoverTips::textAt(const QString& line, int column) const {
    if (session_.isRunning() || session_.state() == RunSession::State::Idle) return {};
    const QString reference = QString::fromStdU16String(ReferenceAt(line.toStdU16String(), column));
    if (reference.isEmpty()) return {};
    QString value;
    RunHistory& history = session_.history();
    if (history.inPast()) {
        // Looking back at a pause: the values of that pause, as the panel shows them.
        std::string text;
        if (!session_.interpreter().InspectReferenceAt(QStringToCp1252(reference),
                                                       history.values(history.viewed()),
                                                       RunHistory::kElementsKept, text))
            return {};
        value = Cp1252ToQString(text);
    } else {
        value = session_.inspect(reference);
        if (value.isNull()) return {};
    }
    return QStringLiteral("%1 = %2").arg(reference, value);
}

bool HoverTips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !editor_ || watched != editor_->viewport())
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QTextCursor cursor = editor_->cursorForPosition(help->pos());
    // The character under the mouse is the one after the cursor's position when the
    // mouse is on its left half, before it otherwise: take the one whose box holds it.
    const QRect box = editor_->cursorRect(cursor);
    int column = cursor.positionInBlock();
    if (help->pos().x() < box.x() && column > 0) --column;
    const QString text = textAt(cursor.block().text(), column);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, editor_->viewport());
    return true;
}

} // namespace vokc
