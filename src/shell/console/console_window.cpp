#include "console_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "hint_box.h"
#include "input_line.h"

namespace vokc {

namespace {
constexpr std::size_t kMaxPieces = 200000;
} // namespace

// ---- The paint surface ----

ConsoleCanvas::ConsoleCanvas(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

void ConsoleCanvas::draw(int x, int y, const QString& text) {
    if (pieces_.size() >= kMaxPieces)
        pieces_.erase(pieces_.begin(), pieces_.begin() + kMaxPieces / 10);
    pieces_.push_back({x, y, text});
    const int lineHeight = fontMetrics().height();
    const int width = x + fontMetrics().horizontalAdvance(text);
    // Output below (or right of) the visible area can be scrolled to.
    if (y + lineHeight > minimumHeight() || width > minimumWidth())
        setMinimumSize(std::max(minimumWidth(), std::min(width, 32000)),
                       std::max(minimumHeight(), std::min(y + lineHeight + 4, 32000)));
    update(QRect(x, y, fontMetrics().horizontalAdvance(text) + 2, lineHeight));
}

void ConsoleCanvas::clear() {
    pieces_.clear();
    update();
}

QString ConsoleCanvas::allText() const {
    QString all;
    int lastY = -1;
    for (const Piece& p : pieces_) {
        if (lastY >= 0 && p.y != lastY) all += '\n';
        lastY = p.y;
        all += p.text;
    }
    return all;
}

void ConsoleCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    const QRect area = event->rect();
    const int ascent = fontMetrics().ascent();
    const int height = fontMetrics().height();
    for (const Piece& p : pieces_) {
        if (p.y + height < area.top() || p.y > area.bottom()) continue;
        painter.drawText(p.x, p.y + ascent, p.text);
    }
}

// ---- The console window ----

ConsoleWindow::ConsoleWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Ecran"));
    resize(579, 418);
    setFont(ConsoleFont());
    setStyleSheet(QStringLiteral("vokc--ConsoleWindow { background: white; }"));
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    canvas_ = new ConsoleCanvas(scroll_);
    canvas_->setObjectName("canvas");
    canvas_->setFont(ConsoleFont());
    scroll_->setWidget(canvas_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    inputLine_ = new InputLine(this);

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
}

void ConsoleWindow::setMessageHooks(MessageHook message, MessageHook error) {
    showMessage_ = std::move(message);
    showError_ = std::move(error);
    showHinted_ = [this](const QString& text, const QString&, const QString&, bool isError) {
        if (isError)
            showError_(text);
        else
            showMessage_(text);
    };
}

QString ConsoleWindow::askWithInputLine(int x, int y) {
    // Placed over the console at the text position.
    const QPoint origin =
        mapToGlobal(QPoint(0, 0)) - (geometry().topLeft() - frameGeometry().topLeft());
    const QPoint scrolled(scroll_->horizontalScrollBar()->value(),
                          scroll_->verticalScrollBar()->value());
    inputLine_->move(origin + QPoint(x + 4, y + 28) - scrolled);
    inputLine_->setFixedWidth(std::max(40, frameGeometry().width() - x - 10));
    inputLine_->raise();
    inputLine_->exec();
    return inputLine_->answer();
}

void ConsoleWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The paint surface is the window's outer size less 30 and 33 pixels.
    const QSize outer = frameGeometry().size();
    canvas_->setMinimumSize(std::max(canvas_->minimumWidth(), outer.width() - 30),
                            std::max(canvas_->minimumHeight(), outer.height() - 33));
}

void ConsoleWindow::keyPressEvent(QKeyEvent* event) {
    // Escape (or Ctrl+Pause) in the console stops a running program.
    if (running_ &&
        (event->key() == Qt::Key_Escape ||
         (event->key() == Qt::Key_Pause && (event->modifiers() & Qt::ControlModifier)))) {
        emit stopRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ConsoleWindow::showConsole(const QString& caption) {
    setWindowTitle(caption);
    if (!placed_) {
        // The first time, at the right of the screen, so that the program's text (and
        // its step marker) stays in view beside it.
        placed_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.right() - frameGeometry().width() - 8, area.top() + 80);
        }
    }
    show();
    raise();
}

void ConsoleWindow::drawText(int x, int y, const QString& text) {
    canvas_->draw(x, y, text);
}

int ConsoleWindow::textWidth(const QString& text) {
    return canvas_->fontMetrics().horizontalAdvance(text);
}

void ConsoleWindow::clear() {
    canvas_->clear();
}

QString ConsoleWindow::readAnswer(int x, int y) {
    return askAnswer_(x, y);
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

} // namespace vokc
