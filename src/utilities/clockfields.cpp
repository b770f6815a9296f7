// The clock's fields: texts, adjustment and setting the computer's clock.
#include "clockfields.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "numbers.h"

namespace vokc {

namespace {

constexpr const char* kNotAnInteger = "'%s' n'est pas une valeur entière correcte";
constexpr const char* kNoSuchDate =
    "Cette date ou cette heure n'existe pas : l'horloge n'a pas été modifiée.";

constexpr int kMinYear = 1900;
constexpr int kMaxYear = 2099;

// Where a field sits in its text and how far it goes.
struct FieldPlace {
    bool inDate;
    std::size_t first; // 1-based
    std::size_t count;
    int low;
    int high;
};

constexpr FieldPlace kPlaces[] = {
    {false, 1, 2, 0, 24},            // hour
    {false, 4, 2, 0, 59},            // minute
    {true, 1, 2, 0, 31},             // day
    {true, 4, 2, 0, 12},             // month
    {true, 7, 4, kMinYear, kMaxYear} // year
};

// The characters first..first+count-1 of a text (fewer, or none, past its end).
std::string Piece(const std::string& text, std::size_t first, std::size_t count) {
    if (first > text.size()) return {};
    return text.substr(first - 1, count);
}

// Reads a piece as a decimal integer; on failure, the message naming it.
bool ReadPiece(const std::string& text, std::size_t first, std::size_t count, int& value,
               std::string& error) {
    const std::string piece = Piece(text, first, count);
    std::int32_t v = 0;
    if (!ParseInt(piece, v)) {
        error = kNotAnInteger;
        error.replace(error.find("%s"), 2, piece);
        return false;
    }
    value = v;
    return true;
}

std::string TwoDigits(int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", value);
    return buf;
}

} // namespace

std::string ClockTimeText(const DateTime& t) {
    return TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

std::string ClockDateText(const DateTime& t) {
    char year[16];
    std::snprintf(year, sizeof year, "%04d", t.year);
    return TwoDigits(t.day) + "/" + TwoDigits(t.month) + "/" + year;
}

std::string AdjustClockField(int field, int delta, std::string& timeText, std::string& dateText) {
    if (field < kClockHour || field > kClockYear) return {};
    const FieldPlace& place = kPlaces[field];
    std::string& text = place.inDate ? dateText : timeText;
    int value = 0;
    std::string error;
    if (!ReadPiece(text, place.first, place.count, value, error)) return error;
    if (field == kClockYear && value < 100) value += 1900;
    value = std::clamp(value + delta, place.low, place.high);
    const std::string written = field == kClockYear ? std::to_string(value) : TwoDigits(value);
    const std::size_t at = std::min(place.first - 1, text.size());
    text.erase(at, place.count);
    text.insert(at, written);
    return {};
}

bool LocalToUtc(const DateTime& local, DateTime& utc) {
    if (local.month < 1 || local.month > 12 || local.day < 1 || local.day > 31 || local.hour < 0 ||
        local.hour > 23 || local.minute < 0 || local.minute > 59 || local.second < 0 ||
        local.second > 59)
        return false;
    std::tm tm = ToTm(local); // the time-zone rules say whether summer time applies
    const std::time_t t = std::mktime(&tm);
    // mktime moves fields that do not exist (31 April, 02:30 when clocks go forward);
    // a moved field means there is no such local time.
    if (tm.tm_year != local.year - 1900 || tm.tm_mon != local.month - 1 ||
        tm.tm_mday != local.day || tm.tm_hour != local.hour || tm.tm_min != local.minute)
        return false;
    std::tm u{};
    if (!gmtime_r(&t, &u)) return false;
    utc = FromTm(u);
    return true;
}

std::string SetClockFromTexts(const std::string& timeText, const std::string& dateText,
                              SystemClock& clock) {
    DateTime local;
    std::string error;
    if (!ReadPiece(dateText, 7, 4, local.year, error) ||
        !ReadPiece(dateText, 4, 2, local.month, error) ||
        !ReadPiece(dateText, 1, 2, local.day, error) ||
        !ReadPiece(timeText, 1, 2, local.hour, error) ||
        !ReadPiece(timeText, 4, 2, local.minute, error) ||
        !ReadPiece(timeText, 7, 2, local.second, error))
        return error;
    DateTime utc;
    if (local.year < kMinYear || local.year > kMaxYear || !LocalToUtc(local, utc))
        return kNoSuchDate;
    return clock.SetSystemTime(utc);
}

} // namespace vokc
