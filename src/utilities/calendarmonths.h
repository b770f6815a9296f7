// The calendar window's month stepping and heading without the window.
#pragma once

#include <string>
#include <string_view>

namespace vokc {

struct CalendarDate {
    int year = 1;
    int month = 1; // 1-12
    int day = 1;
};

inline constexpr int kCalendarFirstYear = 1;
inline constexpr int kCalendarLastYear = 9999;

// Days in a month of the Gregorian calendar.
int DaysInMonth(int year, int month);

// The same day in the month before or after, or that month's last day when it has fewer
// days: from 31 January, next month gives 28 (or 29) February. Years are crossed as
// needed; the first month of year 1 and the last of year 9999 go no further.
CalendarDate PreviousMonth(CalendarDate date);
CalendarDate NextMonth(CalendarDate date);

// The month's full French name ("janvier" to "décembre"), UTF-8.
std::string_view FrenchMonthName(int month);
// The heading: month name, two spaces, four-digit year ("octobre  1998").
std::string MonthHeading(CalendarDate date);

} // namespace vokc
