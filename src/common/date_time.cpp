#include "date_time.h"

#include <chrono>

namespace vokc {

std::tm ToTm(const DateTime& dt) {
    std::tm tm{};
    tm.tm_year = dt.year - 1900;
    tm.tm_mon = dt.month - 1;
    tm.tm_mday = dt.day;
    tm.tm_hour = dt.hour;
    tm.tm_min = dt.minute;
    tm.tm_sec = dt.second;
    tm.tm_isdst = -1;
    return tm;
}

DateTime FromTm(const std::tm& tm, int millisecond) {
    return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                    tm.tm_min,         tm.tm_sec,     millisecond};
}

DateTime LocalNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = duration_cast<milliseconds>(now.time_since_epoch()).count();
    return FromTm(local, static_cast<int>(sinceEpoch % 1000));
}

} // namespace vokc
