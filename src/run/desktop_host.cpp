#include "desktop_host.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QPrinter>
#include <QTime>

#include "cp1252_qstring.h"
#include "hints.h"
#include "interpreter.h"
#include "messages.h"
#include "text.h"

namespace vokc {

QFont ConsoleFont() {
    QFont font(QStringLiteral("System"));
    font.setPixelSize(17);
    return font;
}

DesktopHost::DesktopHost(ConsoleView& view) : view_(view) {
    makePrinter_ = [] { return std::make_unique<QPrinter>(QPrinter::HighResolution); };
}

DesktopHost::~DesktopHost() {
    EndPrint();
}

void DesktopHost::beginRun() {
    stopRequested_ = false;
    sincePaint_.start();
    inRun_ = true;
}

void DesktopHost::endRun() {
    showHeldMessage();
    inRun_ = false;
}

void DesktopHost::showHeldMessage() {
    if (!held_) return;
    const RunMessage message = std::move(*held_);
    held_.reset();
    view_.showRunMessage(message);
}

void DesktopHost::requestStop() {
    stopRequested_ = true;
    view_.cancelRead();
}

void DesktopHost::report(std::string_view text, int line, bool error) {
    RunMessage message;
    message.text = Cp1252ToQString(text);
    message.error = error;
    message.line = line;
    if (held_ && held_->text == message.text && held_->line == line && held_->error == error) {
        ++held_->count;
        return;
    }
    showHeldMessage();
    const Hint hint = hintSource_ ? hintSource_(text, line) : Hint{};
    message.hint = Cp1252ToQString(hint.text);
    message.helpPage = QString::fromStdString(hint.page);
    held_ = std::move(message);
    if (!inRun_) showHeldMessage();
}

void DesktopHost::Message(std::string_view text, int line) {
    report(text, line, false);
}
void DesktopHost::ErrorBox(std::string_view text, int line) {
    report(text, line, true);
}
void DesktopHost::ShowConsole(std::string_view caption) {
    if (held_) showHeldMessage();
    view_.showConsole(Cp1252ToQString(caption));
}

void DesktopHost::DrawText(int x, int y, std::string_view text) {
    if (held_) [[unlikely]]
        showHeldMessage();
    view_.drawText(x, y, Cp1252ToQString(text));
}

int DesktopHost::TextWidth(std::string_view text) {
    return view_.textWidth(Cp1252ToQString(text));
}

void DesktopHost::ClearScreen() {
    if (held_) showHeldMessage();
    view_.clear();
}

std::string DesktopHost::ReadAnswer(int x, int y) {
    if (held_) showHeldMessage();
    if (script_) return scriptedAnswer(false);
    return QStringToCp1252(view_.readAnswer(x, y));
}

void DesktopHost::setScriptedInput(std::optional<std::string> bytes) {
    script_.reset();
    if (bytes) script_ = Script{std::move(*bytes)};
}

// The next answer of the scripted input, read as vokc-run reads its standard input: a
// line (its CR dropped, at most the longest text), or one character for a key; UTF-8
// becomes Windows-1252.
std::string DesktopHost::scriptedAnswer(bool key) {
    Script& s = *script_;
    if (s.next >= s.bytes.size()) {
        if (s.ended) throw ErrorBoxFailure{Utf8ToCp1252(msg::kEntreeEpuisee)};
        s.ended = true;
        return {};
    }
    std::string answer;
    if (key) {
        const auto lead = static_cast<unsigned char>(s.bytes[s.next]);
        const std::size_t length = (lead & 0xE0) == 0xC0   ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 1;
        answer = s.bytes.substr(s.next, length);
        s.next = std::min(s.bytes.size(), s.next + length);
    } else {
        const std::size_t end = std::min(s.bytes.find('\n', s.next), s.bytes.size());
        const std::size_t length = std::min(end - s.next, 4 * kTextMax + 1);
        answer = s.bytes.substr(s.next, length);
        s.next += length;
        if (s.next == end && end < s.bytes.size()) ++s.next; // the line end
        if (!answer.empty() && answer.back() == '\r') answer.pop_back();
    }
    answer = IsValidUtf8(answer) ? Utf8ToCp1252(answer) : answer;
    return key ? answer.substr(0, 1) : answer;
}

std::string DesktopHost::ReadKey(int x, int y) {
    if (held_) showHeldMessage();
    if (script_) return scriptedAnswer(true);
    return QStringToCp1252(view_.readKey(x, y));
}

bool DesktopHost::BeginPrint() {
    EndPrint();
    printer_ = makePrinter_ ? makePrinter_() : nullptr;
    if (!printer_) return false;
    if (!pages_.begin(*printer_, ConsoleFont())) {
        printer_.reset();
        return false;
    }
    return true;
}

bool DesktopHost::PrintLine(std::string_view text) {
    if (!pages_.active()) return false;
    pages_.printLine(Cp1252ToQString(text), false);
    return true;
}

bool DesktopHost::EndPrint() {
    if (!pages_.active()) return true;
    const bool ok = pages_.end();
    printer_.reset();
    return ok;
}

DateTime DesktopHost::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

std::uint32_t DesktopHost::MillisecondsTodayUtc() {
    return static_cast<std::uint32_t>(
        QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

std::string DesktopHost::ShortDate(const DateTime& dt) {
    return QStringToCp1252(
        QLocale().toString(QDate(dt.year, dt.month, dt.day), QLocale::ShortFormat));
}

std::string DesktopHost::LongTime(const DateTime& dt) {
    // The locale's long format without its time-zone name.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QStringLiteral(" t")).remove(QStringLiteral("t"));
    return QStringToCp1252(QTime(dt.hour, dt.minute, dt.second).toString(format.trimmed()));
}

char DesktopHost::DecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? '.' : Utf16ToCp1252(point.at(0).unicode());
}

bool DesktopHost::StopRequested() {
    if (held_) showHeldMessage();
    if (sincePaint_.elapsed() >= 40) {
        QCoreApplication::processEvents();
        sincePaint_.restart();
    }
    return stopRequested_;
}

} // namespace vokc
