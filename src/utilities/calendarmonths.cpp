// Month stepping and the month heading of the calendar.
#include "calendarmonths.h"

#include <algorithm>
#include <cstdio>

namespace vokc {

namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Day `day` of a month, or the month's last day when it has fewer days.
CalendarDate DayIn(int year, int month, int day) {
    return {year, month, std::clamp(day, 1, DaysInMonth(year, month))};
}

} // namespace

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

CalendarDate PreviousMonth(CalendarDate date) {
    if (date.month <= 1) {
        if (date.year <= kCalendarFirstYear) return date;
        return DayIn(date.year - 1, 12, date.day);
    }
    return DayIn(date.year, std::min(date.month, 13) - 1, date.day);
}

CalendarDate NextMonth(CalendarDate date) {
    if (date.month >= 12) {
        if (date.year >= kCalendarLastYear) return date;
        return DayIn(date.year + 1, 1, date.day);
    }
    return DayIn(date.year, std::max(date.month, 0) + 1, date.day);
}

std::string_view FrenchMonthName(int month) {
    static constexpr std::string_view kNames[] = {"janvier",   "février", "mars",     "avril",
                                                  "mai",       "juin",    "juillet",  "août",
                                                  "septembre", "octobre", "novembre", "décembre"};
    if (month < 1 || month > 12) return {};
    return kNames[month - 1];
}

std::string MonthHeading(CalendarDate date) {
    char year[16];
    std::snprintf(year, sizeof year, "%04d", date.year);
    std::string heading(FrenchMonthName(date.month));
    heading += "  ";
    heading += year;
    return heading;
}

} // namespace vokc
