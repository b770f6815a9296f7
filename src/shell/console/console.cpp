#include "console.h"

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTime>
#include <QTimeZone>
#include <QVBoxLayout>

#include "symbolwindows.h"
#include "text.h"

namespace {
QString FromCp(std::string_view cp) {
    QString s;
    s.reserve(static_cast<qsizetype>(cp.size()));
    for (unsigned char c : cp) s += QChar(static_cast<char16_t>(vokc::Cp1252ToUnicode(c)));
    return s;
}
std::string ToCp(const QString& s) {
    std::string out;
    out.reserve(static_cast<std::size_t>(s.size()));
    for (QChar c : s) out += vokc::UnicodeToCp1252(c.unicode());
    return out;
}
// A runaway program may draw without end: the console keeps the latest texts only.
constexpr std::size_t kMaxPieces = 200000;
} // namespace

// ---- The input line ----

TForm12::TForm12(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setModal(true);
    setFixedSize(427, 34);
    setStyleSheet(QStringLiteral("TForm12 { background: white; }"));
    QFont f(QStringLiteral("System"));
    f.setPixelSize(17);
    setFont(f);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setFrame(false);
    Edit1->setGeometry(1, 0, 424, 29);
    Edit1->installEventFilter(this);
}

QString TForm12::Result() const { return Edit1->text(); }

void TForm12::showEvent(QShowEvent* event) {
    Edit1->clear();
    Edit1->setFixedWidth(std::max(40, width() - 3));
    Edit1->setFocus();
    QDialog::showEvent(event);
}

void TForm12::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) accept();
    else if (event->key() != Qt::Key_Escape) QDialog::keyPressEvent(event);
}

bool TForm12::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
        if (key->key() == Qt::Key_Escape) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm12::reject() {}

// ---- The paint surface ----

TConsoleSurface::TConsoleSurface(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

void TConsoleSurface::Draw(int x, int y, const QString& text) {
    if (pieces_.size() >= kMaxPieces) pieces_.erase(pieces_.begin(), pieces_.begin() + kMaxPieces / 10);
    pieces_.push_back({x, y, text});
    const int lineHeight = fontMetrics().height();
    const int width = x + fontMetrics().horizontalAdvance(text);
    // Output below (or right of) the visible area can be scrolled to.
    if (y + lineHeight > minimumHeight() || width > minimumWidth())
        setMinimumSize(std::max(minimumWidth(), std::min(width, 32000)),
                       std::max(minimumHeight(), std::min(y + lineHeight + 4, 32000)));
    update(QRect(x, y, fontMetrics().horizontalAdvance(text) + 2, lineHeight));
}

void TConsoleSurface::Clear() {
    pieces_.clear();
    update();
}

QString TConsoleSurface::AllText() const {
    QString all;
    int lastY = -1;
    for (const Piece& p : pieces_) {
        if (lastY >= 0 && p.y != lastY) all += '\n';
        lastY = p.y;
        all += p.text;
    }
    return all;
}

void TConsoleSurface::paintEvent(QPaintEvent* event) {
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

// ---- The console form ----

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Ecran"));
    resize(579, 418);
    consoleFont_ = QFont(QStringLiteral("System"));
    consoleFont_.setPixelSize(17);
    setFont(consoleFont_);
    setStyleSheet(QStringLiteral("TForm3 { background: white; }"));
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    PaintBox1 = new TConsoleSurface(scroll_);
    PaintBox1->setObjectName("PaintBox1");
    PaintBox1->setFont(consoleFont_);
    scroll_->setWidget(PaintBox1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    interp_ = std::make_unique<vokc::Interpreter>(*this);

    ShowMessage = [this](const QString& text) { QMessageBox::information(this, QStringLiteral("Vok C"), text); };
    ShowError = [this](const QString& text) { QMessageBox::critical(this, QStringLiteral("Vok C"), text); };
    AskAnswer = [this](int x, int y) -> QString {
        if (!form12_) return QString();
        // Placed over the console at the text position.
        const QPoint origin = mapToGlobal(QPoint(0, 0)) - (geometry().topLeft() - frameGeometry().topLeft());
        const QPoint scrolled(scroll_->horizontalScrollBar()->value(), scroll_->verticalScrollBar()->value());
        form12_->move(origin + QPoint(x + 4, y + 28) - scrolled);
        form12_->setFixedWidth(std::max(40, frameGeometry().width() - x - 10));
        form12_->raise();
        form12_->exec();
        return form12_->Result();
    };
    MakePrinter = [] { return std::make_unique<QPrinter>(QPrinter::HighResolution); };
}

TForm3::~TForm3() { EndPrint(); }

void TForm3::SetInspectionWindows(TTableSymboles* table, TVariable* variable) {
    table_ = table;
    variable_ = variable;
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm3::FormShow() {
    // The paint surface is the window's outer size less 30 and 33 pixels.
    const QSize outer = frameGeometry().size();
    PaintBox1->setMinimumSize(std::max(PaintBox1->minimumWidth(), outer.width() - 30),
                              std::max(PaintBox1->minimumHeight(), outer.height() - 33));
}

void TForm3::keyPressEvent(QKeyEvent* event) {
    // Escape (or Ctrl+Pause) in the console stops a running program.
    if (running_ && (event->key() == Qt::Key_Escape ||
                     (event->key() == Qt::Key_Pause && (event->modifiers() & Qt::ControlModifier)))) {
        RequestStop();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm3::InitPrg(std::string_view name) { interp_->InitPrg(name); }

void TForm3::Exec(const vokc::ProgramText& memo, int& startLine, int& stopState, int stepMode) {
    if (running_) return;
    running_ = true;
    stopRequested_ = false;
    sincePaint_.start();
    if (RunningChanged) RunningChanged(true);
    interp_->Exec(memo, startLine, stopState, stepMode);
    running_ = false;
    if (RunningChanged) RunningChanged(false);
}

int TForm3::CloseAll() { return running_ ? 0 : interp_->CloseAll(); }

void TForm3::Stats() {
    if (!table_) return;
    table_->Clear();
    for (const std::string& line : interp_->SymbolListing()) table_->Init(FromCp(line));
    table_->exec();
}

void TForm3::Examiner() {
    if (!variable_) return;
    variable_->Evaluate = [this](const QString& reference) {
        return FromCp(interp_->ExamineText(ToCp(reference)));
    };
    variable_->exec();
}

// ---- Host services ----

void TForm3::Message(std::string_view text, int) { ShowMessage(FromCp(text)); }
void TForm3::ErrorBox(std::string_view text, int) { ShowError(FromCp(text)); }

void TForm3::ShowConsole(std::string_view caption) {
    setWindowTitle(FromCp(caption));
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

void TForm3::DrawText(int x, int y, std::string_view text) { PaintBox1->Draw(x, y, FromCp(text)); }

int TForm3::TextWidth(std::string_view text) {
    return PaintBox1->fontMetrics().horizontalAdvance(FromCp(text));
}

void TForm3::ClearScreen() {
    // A white page: the next output goes on at the same height.
    PaintBox1->Clear();
}

std::string TForm3::ReadAnswer(int x, int y) { return ToCp(AskAnswer(x, y)); }

std::string TForm3::ReadKey() {
    // One key: the input line, keeping only its first character.
    std::string answer = ReadAnswer(interp_->TextX(), interp_->TextY());
    return answer.substr(0, 1);
}

bool TForm3::BeginPrint() {
    EndPrint();
    printer_ = MakePrinter();
    if (!printer_) return false;
    printPainter_ = std::make_unique<QPainter>();
    if (!printPainter_->begin(printer_.get())) {
        printPainter_.reset();
        printer_.reset();
        return false;
    }
    printPainter_->setFont(QFont(consoleFont_, printer_.get()));
    printY_ = 0;
    return true;
}

bool TForm3::PrintLine(std::string_view text) {
    if (!printPainter_) return false;
    const QFontMetrics metrics = printPainter_->fontMetrics();
    if (printY_ + metrics.height() > printPainter_->viewport().height() && printY_ > 0) {
        printer_->newPage();
        printY_ = 0;
    }
    printPainter_->drawText(0, printY_ + metrics.ascent(), FromCp(text));
    printY_ += metrics.lineSpacing();
    return true;
}

bool TForm3::EndPrint() {
    if (!printPainter_) return true;
    const bool ok = printPainter_->end();
    printPainter_.reset();
    printer_.reset();
    return ok;
}

vokc::DateTime TForm3::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

std::uint32_t TForm3::MillisecondsTodayUtc() {
    return static_cast<std::uint32_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

std::string TForm3::ShortDate(const vokc::DateTime& dt) {
    return ToCp(QLocale().toString(QDate(dt.year, dt.month, dt.day), QLocale::ShortFormat));
}

std::string TForm3::LongTime(const vokc::DateTime& dt) {
    // The locale's long format without its time-zone name.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QStringLiteral(" t")).remove(QStringLiteral("t"));
    return ToCp(QTime(dt.hour, dt.minute, dt.second).toString(format.trimmed()));
}

char TForm3::DecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? '.' : vokc::UnicodeToCp1252(point.at(0).unicode());
}

bool TForm3::StopRequested() {
    // Every few thousand lines: the windows are painted and the stop command can be given.
    if (sincePaint_.elapsed() >= 40) {
        QApplication::processEvents();
        sincePaint_.restart();
    }
    return stopRequested_;
}
