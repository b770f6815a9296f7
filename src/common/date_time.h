// A date and time of day as the clocks give it, and its one conversion to and from the
// C library's broken-down form.
#pragma once

#include <ctime>

namespace vokc {

// Month 1-12, day 1-31, hour 0-23.
struct DateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The C library's form, without the milliseconds; whether summer time applies is left
// to the time-zone rules (tm_isdst -1).
std::tm ToTm(const DateTime& dt);
DateTime FromTm(const std::tm& tm, int millisecond = 0);

// The computer's local date and time now, milliseconds included.
DateTime LocalNow();

} // namespace vokc
