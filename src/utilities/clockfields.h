// The clock window's fields without the window: the time text hh:mm:ss and the date
// text dd/mm/yyyy, adjusting one field at its fixed characters, and setting the
// computer's clock from the two texts. Messages are UTF-8.
#pragma once

#include <string>

#include "systemclock.h"

namespace vokc {

// The fields of the radio group, by index; any other index is no field.
enum ClockField {
    kClockHour = 0,
    kClockMinute = 1,
    kClockDay = 2,
    kClockMonth = 3,
    kClockYear = 4
};

std::string ClockTimeText(const DateTime& local); // "18:23:00"
std::string ClockDateText(const DateTime& local); // "20/10/1998"

// Adds `delta` (+1 or -1) to a field, read from its characters (hour 1-2, minute 4-5
// of the time; day 1-2, month 4-5, year 7-10 of the date), clamped to its bounds
// (hour 0-24, minute 0-59, day 0-31, month 0-12, year 1900-2099), and writes it back
// with two digits, four for the year. A year below 100 counts from 1900, so 20/10/98
// goes up to 20/10/1999. No wrap-around, no carry into the next field; day and month
// are not checked together. With no field, nothing happens. When the field's
// characters are not an integer, the texts are left alone and the message is returned.
std::string AdjustClockField(int field, int delta, std::string& timeText, std::string& dateText);

// The universal date and time of a local one, by the platform's time-zone rules
// (daylight saving included). False when the local time does not exist: a field out of
// its range, a day beyond the month's end, an hour skipped when clocks go forward.
bool LocalToUtc(const DateTime& local, DateTime& utc);

// Sets the computer's clock from the displayed texts: date from the date text (year
// 7-10, month 4-5, day 1-2), time of day from the time text (hour 1-2, minute 4-5,
// second 7-8), read as local time, turned into universal time, zero milliseconds.
// Returns an empty text on success, otherwise the French message to show: a field
// that is not an integer, a date or time that does not exist (a year outside
// 1900-2099 included), or the computer's refusal.
std::string SetClockFromTexts(const std::string& timeText, const std::string& dateText,
                              SystemClock& clock);

} // namespace vokc
