#include "console_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTextEdit>
#include <algorithm>
#include <climits>

#include "hint_box.h"
#include "input_line.h"

namespace vokc {

namespace {
// The width kept in view for an answer, in characters of the console's font (at most
// the console's width).
constexpr int kAnswerChars = 24;
// The setting that keeps where the user last put the console.
const char* const kPositionKey = "ecran/position";

int ClampToInt(long long v) {
    return ConsoleCanvas::clampExtent(v);
}
} // namespace

// ---- The console window ----

ConsoleWindow::ConsoleWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("Ecran"));
    resize(579, 418);
    setFont(ConsoleFont());
    canvas_ = new ConsoleCanvas(this);
    canvas_->setObjectName("canvas");
    vbar_ = new QScrollBar(Qt::Vertical, this);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(canvas_, 0, 0);
    layout->addWidget(vbar_, 0, 1);
    layout->addWidget(hbar_, 1, 0);
    // The keyboard scrolls the console (arrows, page keys): the bars never take it.
    vbar_->setFocusPolicy(Qt::NoFocus);
    hbar_->setFocusPolicy(Qt::NoFocus);
    inputLine_ = new InputLine(canvas_);
    inputLine_->setFont(canvas_->font());
    inputLine_->edit()->installEventFilter(this);
    setFocusProxy(canvas_);

    const auto scrolled = [this] {
        canvas_->setOffset(hbar_->value(), vbar_->value());
        if (inputLine_->isVisible()) placeInputLine(inputX_, inputY_);
    };
    connect(vbar_, &QScrollBar::valueChanged, this, scrolled);
    connect(hbar_, &QScrollBar::valueChanged, this, scrolled);
    connect(inputLine_, &InputLine::stopKeyPressed, this, [this] {
        if (running_) emit stopRequested();
    });
    connect(inputLine_, &InputLine::opened, this, &ConsoleWindow::readStarted);

    showMessage_ = [this](const QString& text) {
        QMessageBox::information(this, QStringLiteral("Vok C"), text);
    };
    showError_ = [this](const QString& text) {
        QMessageBox::critical(this, QStringLiteral("Vok C"), text);
    };
    askAnswer_ = [this](int x, int y) { return askWithInputLine(x, y); };
    showHinted_ = [this](const QString& text, const QString& hint, const QString& page,
                         bool error) {
        if (ShowHintBox(this, text, hint, error)) emit helpRequested(page);
    };
    askSaveName_ = [](QWidget* w) {
        return QFileDialog::getSaveFileName(
            w, QStringLiteral("Enregistrer l'\u00E9cran sous"), QString(),
            QStringLiteral("Fichiers texte (*.txt);;Tous les fichiers (*)"));
    };
    flush();
}

void ConsoleWindow::setMessageHooks(MessageHook message, MessageHook error) {
    boxesReplaced_ = true;
    showMessage_ = std::move(message);
    showError_ = std::move(error);
    showHinted_ = [this](const QString& text, const QString&, const QString&, bool isError) {
        if (isError)
            showError_(text);
        else
            showMessage_(text);
    };
}

void ConsoleWindow::scheduleFlush() {
    if (flushPosted_) return;
    flushPosted_ = true;
    QMetaObject::invokeMethod(this, &ConsoleWindow::flush, Qt::QueuedConnection);
}

void ConsoleWindow::flush() {
    flushPosted_ = false;
    const int viewHeight = canvas_->height();
    const bool following = vbar_->value() >= vbar_->maximum();
    const int height = ClampToInt(canvas_->contentHeight());
    vbar_->setRange(0, std::max(0, height - viewHeight));
    vbar_->setPageStep(std::max(1, viewHeight));
    vbar_->setSingleStep(std::max(1, static_cast<int>(canvas_->rowHeight() * canvas_->scale())));
    if (following) vbar_->setValue(vbar_->maximum());
    const int width = ClampToInt(canvas_->contentWidth());
    hbar_->setRange(0, std::max(0, width - canvas_->width()));
    hbar_->setPageStep(std::max(1, canvas_->width()));
    hbar_->setSingleStep(std::max(1, canvas_->rowHeight()));
    canvas_->update();
    if (inputLine_->isVisible()) placeInputLine(inputX_, inputY_);
}

void ConsoleWindow::scrollToRow(int y) {
    flush();
    const long long top = canvas_->shownY(y);
    const int rowHeight = static_cast<int>(canvas_->rowHeight() * canvas_->scale()) + 4;
    const long long view = canvas_->height();
    if (top < vbar_->value())
        vbar_->setValue(ClampToInt(top));
    else if (top + rowHeight > vbar_->value() + view)
        vbar_->setValue(ClampToInt(top + rowHeight - view));
}

void ConsoleWindow::scrollToColumns(int x, int width) {
    flush();
    const int left = canvas_->shownX(x);
    const int right = canvas_->shownX(x + width);
    const int view = canvas_->width();
    if (left < hbar_->value() || right - left > view)
        hbar_->setValue(std::max(0, left - 4));
    else if (right > hbar_->value() + view)
        hbar_->setValue(right - view);
}

int ConsoleWindow::answerRoom() const {
    const int chars = QFontMetrics(canvas_->font()).averageCharWidth() * kAnswerChars;
    const int view = static_cast<int>(canvas_->width() / canvas_->scale());
    return std::max(40, std::min(chars, view - 8));
}

void ConsoleWindow::placeInputLine(int x, int y) {
    inputX_ = x;
    inputY_ = y;
    const int left = canvas_->shownX(x) - hbar_->value();
    const long long top = canvas_->shownY(y) - vbar_->value();
    const int height = QFontMetrics(inputLine_->font()).height() + 2;
    const int room = canvas_->shownX(answerRoom());
    inputLine_->setGeometry(
        left, static_cast<int>(std::clamp<long long>(top, -height, canvas_->height())),
        std::max(room, canvas_->width() - left), height);
}

QString ConsoleWindow::askWithInputLine(int x, int y) {
    // The row and the room for the answer belong to the content, so that the scroll
    // bars reach them; both are brought into view.
    canvas_->reachRow(y);
    canvas_->reachRight(x + answerRoom());
    if (!isVisible()) show();
    raise();
    activateWindow();
    scrollToRow(y);
    scrollToColumns(x, answerRoom());
    placeInputLine(x, y);
    // Whatever is clicked in the console during the read, the keys go to the line.
    canvas_->setFocusProxy(inputLine_->edit());
    QPointer<ConsoleWindow> self(this);
    const bool answered = inputLine_->read();
    if (!self) return {};
    canvas_->setFocusProxy(nullptr);
    emit readEnded();
    if (!answered) return {};
    return inputLine_->answer();
}

QString ConsoleWindow::readKey(int, int y) {
    canvas_->reachRow(y);
    if (!isVisible()) show();
    raise();
    activateWindow();
    scrollToRow(y);
    canvas_->setFocus();
    key_.clear();
    keyDone_ = false;
    waitingKey_ = true;
    emit readStarted();
    if (!keyDone_) {
        QPointer<ConsoleWindow> self(this);
        QEventLoop loop;
        keyLoop_ = &loop;
        loop.exec();
        if (!self) return {};
        keyLoop_ = nullptr;
    }
    waitingKey_ = false;
    emit readEnded();
    return key_;
}

void ConsoleWindow::cancelRead() {
    inputLine_->cancel();
    if (waitingKey_) {
        keyDone_ = true;
        key_.clear();
        if (keyLoop_) keyLoop_->quit();
    }
}

bool ConsoleWindow::isStopKey(const QKeyEvent* event) const {
    return event->key() == Qt::Key_Escape ||
           (event->key() == Qt::Key_Pause && (event->modifiers() & Qt::ControlModifier));
}

bool ConsoleWindow::scrollsByKey(const QKeyEvent* event, bool apply) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    QScrollBar* bar = vbar_;
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    if (mods == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_PageUp:
            action = QAbstractSlider::SliderPageStepSub;
            break;
        case Qt::Key_PageDown:
            action = QAbstractSlider::SliderPageStepAdd;
            break;
        case Qt::Key_Up:
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Down:
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_Left:
            bar = hbar_;
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Right:
            bar = hbar_;
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        default:
            break;
        }
    } else if (mods == Qt::ControlModifier) {
        if (event->key() == Qt::Key_Home) action = QAbstractSlider::SliderToMinimum;
        if (event->key() == Qt::Key_End) action = QAbstractSlider::SliderToMaximum;
    }
    if (action == QAbstractSlider::SliderNoAction) return false;
    if (apply) {
        if (action == QAbstractSlider::SliderToMinimum) hbar_->setValue(0);
        bar->triggerAction(action);
    }
    return true;
}

bool ConsoleWindow::event(QEvent* event) {
    // The console's own keys win over the commands of the main window (whose Copier
    // copies from the program's text): copy, select all and the scrolling keys.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll) ||
            scrollsByKey(key, false)) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

bool ConsoleWindow::eventFilter(QObject* watched, QEvent* event) {
    // In the input line, Ctrl+C with nothing selected in the line copies the lines
    // selected in the console.
    if (watched == inputLine_->edit() &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) && !inputLine_->edit()->hasSelectedText() &&
            canvas_->hasSelection()) {
            event->accept();
            if (event->type() == QEvent::KeyPress) canvas_->copySelection();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ConsoleWindow::keyPressEvent(QKeyEvent* event) {
    // Escape (or Ctrl+Pause) in the console stops a running program.
    if (running_ && isStopKey(event)) {
        emit stopRequested();
        return;
    }
    // During a read every key typed in the console is the answer's, whatever has the
    // focus; the keys the line does not use (page keys) come back here and scroll.
    QLineEdit* edit = inputLine_->edit();
    if (inputLine_->reading() && !forwardingKey_ && QApplication::focusWidget() != edit) {
        edit->setFocus();
        forwardingKey_ = true;
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                       event->isAutoRepeat(), static_cast<quint16>(event->count()));
        QApplication::sendEvent(edit, &copy);
        forwardingKey_ = false;
        return;
    }
    // getch() takes the first key that gives a character.
    if (waitingKey_ && !keyDone_ && !event->text().isEmpty()) {
        key_ = event->text().left(1);
        keyDone_ = true;
        if (keyLoop_) keyLoop_->quit();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        canvas_->copySelection();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        canvas_->selectAll();
        return;
    }
    if (scrollsByKey(event, true)) return;
    QWidget::keyPressEvent(event);
}

void ConsoleWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // A move by the user (through the window manager) is kept for the next sessions.
    if (event->spontaneous() && isVisible() && placed_ && pos() != placedAt_ &&
        !QCoreApplication::organizationName().isEmpty()) {
        placedAt_ = pos();
        QSettings().setValue(QLatin1String(kPositionKey), pos());
    }
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
    // Closing the console during a run stops the program (a read that waits ends).
    if (running_) emit stopRequested();
    QWidget::closeEvent(event);
}

void ConsoleWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scheduleFlush();
}

void ConsoleWindow::wheelEvent(QWheelEvent* event) {
    QApplication::sendEvent(event->modifiers() & Qt::ShiftModifier ? hbar_ : vbar_, event);
}

void ConsoleWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy =
        menu.addAction(QStringLiteral("Co&pier"), this, [this] { canvas_->copySelection(); });
    copy->setEnabled(canvas_->hasSelection());
    menu.addAction(QStringLiteral("&Tout s\u00E9lectionner"), this,
                   [this] { canvas_->selectAll(); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("Enregistrer l'\u00E9cran sous..."), this,
                   &ConsoleWindow::saveTextAs);
    menu.exec(event->globalPos());
}

QPoint ConsoleWindow::firstPlacement() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return pos();
    const QRect area = screen->availableGeometry();
    // Before its first showing the window manager's frame is not known yet: room for a
    // title bar is kept.
    QSize frame = frameGeometry().size();
    if (frame.height() <= height()) frame += QSize(8, 40);
    const int left = area.right() - frame.width() - 8;
    const QPoint top(left, area.top() + 80);
    // The row of the caret in the text field that has the keyboard (the program's
    // text, where its step marker and highlighted line are), across that field.
    QRect row;
    QWidget* focus = QApplication::focusWidget();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        const QRect caret = plain->cursorRect();
        row = QRect(plain->viewport()->mapToGlobal(QPoint(0, caret.top())),
                    QSize(plain->viewport()->width(), caret.height()));
    } else if (auto* rich = qobject_cast<QTextEdit*>(focus)) {
        const QRect caret = rich->cursorRect();
        row = QRect(rich->viewport()->mapToGlobal(QPoint(0, caret.top())),
                    QSize(rich->viewport()->width(), caret.height()));
    }
    if (row.isEmpty()) return top;
    const QPoint candidates[] = {
        top,
        QPoint(left, area.bottom() - frame.height() - 8),
        QPoint(left, row.bottom() + 8),
        QPoint(left, row.top() - 8 - frame.height()),
    };
    for (const QPoint& at : candidates) {
        const QRect placed(at, frame);
        if (area.contains(placed) && !placed.intersects(row)) return at;
    }
    return top;
}

void ConsoleWindow::showConsole(const QString& caption) {
    setWindowTitle(caption);
    if (!placed_) {
        // The first time: where the user last put it, or at the right of the screen
        // clear of the program's current line, so that the line stays in view.
        placed_ = true;
        QPoint at = firstPlacement();
        if (!QCoreApplication::organizationName().isEmpty()) {
            const QPoint kept = QSettings().value(QLatin1String(kPositionKey)).toPoint();
            const QScreen* screen = QGuiApplication::screenAt(kept + QPoint(40, 10));
            if (!kept.isNull() && screen) at = kept;
        }
        move(at);
        placedAt_ = pos();
    }
    if (!isVisible()) {
        // Shown beside the editor, which keeps the keyboard.
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        show();
        setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
    raise();
}

void ConsoleWindow::bringForward() {
    flush();
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void ConsoleWindow::drawText(int x, int y, const QString& text) {
    canvas_->draw(x, y, text);
    scheduleFlush();
}

int ConsoleWindow::textWidth(const QString& text) {
    return canvas_->textWidth(text);
}

void ConsoleWindow::clear() {
    canvas_->clear();
    flush();
    vbar_->setValue(0);
}

QString ConsoleWindow::readAnswer(int x, int y) {
    return askAnswer_ ? askAnswer_(x, y) : askWithInputLine(x, y);
}

void ConsoleWindow::showMessage(const QString& text) {
    showMessage_(text);
}

void ConsoleWindow::showHintedMessage(const QString& text, const QString& hint,
                                      const QString& helpPage, bool error) {
    showHinted_(text, hint, helpPage, error);
}

void ConsoleWindow::showError(const QString& text) {
    showError_(text);
}

void ConsoleWindow::showRunMessage(const RunMessage& message) {
    if (boxesReplaced_) {
        ConsoleView::showRunMessage(message);
        return;
    }
    if (ShowRunMessageBox(this, message)) emit helpRequested(message.helpPage);
}

void ConsoleWindow::setZoom(int steps) {
    steps = std::clamp(steps, -5, 20);
    const int pixels = ConsoleFont().pixelSize() + 2 * steps;
    canvas_->setScale(static_cast<double>(pixels) / ConsoleFont().pixelSize());
    QFont font = inputLine_->font();
    font.setPixelSize(pixels);
    inputLine_->setFont(font);
    inputLine_->edit()->setFont(font);
    flush();
    if (inputLine_->isVisible()) placeInputLine(inputX_, inputY_);
}

void ConsoleWindow::saveTextAs() {
    QString path = askSaveName_(this);
    if (path.isEmpty()) return;
    // A name without an extension is a text file's.
    if (QFileInfo(path).suffix().isEmpty())
        path += path.endsWith(QLatin1Char('.')) ? QStringLiteral("txt") : QStringLiteral(".txt");
    saveText(path);
}

bool ConsoleWindow::saveText(const QString& path) {
    QString text = canvas_->screenText();
    if (!text.isEmpty()) text += '\n';
    text.replace(QChar('\n'), QStringLiteral("\r\n"));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.toUtf8());
        if (file.commit()) return true;
    }
    showMessage_(
        QStringLiteral("Impossible d'\u00E9crire le fichier \u00AB\u00A0%1\u00A0\u00BB : %2")
            .arg(path, file.errorString()));
    return false;
}

} // namespace vokc
