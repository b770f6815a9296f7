// The real clock of the computer: read through the C library, set with clock_settime.
#include "systemclock.h"

#include <cerrno>
#include <chrono>
#include <ctime>

namespace vokc {

namespace {

class PlatformClock final : public SystemClock {
  public:
    DateTimeFields Now() override {
        const auto now = std::chrono::system_clock::now();
        const std::time_t t = std::chrono::system_clock::to_time_t(now);
        std::tm local{};
        localtime_r(&t, &local);
        DateTimeFields f;
        f.year = local.tm_year + 1900;
        f.month = local.tm_mon + 1;
        f.day = local.tm_mday;
        f.hour = local.tm_hour;
        f.minute = local.tm_min;
        f.second = local.tm_sec;
        return f;
    }

    std::string SetSystemTime(const DateTimeFields& utc) override {
        using namespace std::chrono;
        const year_month_day date{year{utc.year}, month{static_cast<unsigned>(utc.month)},
                                  day{static_cast<unsigned>(utc.day)}};
        if (!date.ok()) return ClockRefusalMessage(EINVAL);
        const auto since = sys_days{date}.time_since_epoch() + hours{utc.hour} +
                           minutes{utc.minute} + seconds{utc.second};
        timespec ts{};
        ts.tv_sec = static_cast<std::time_t>(duration_cast<seconds>(since).count());
        ts.tv_nsec = static_cast<long>(utc.millisecond) * 1000000L;
        if (clock_settime(CLOCK_REALTIME, &ts) != 0) return ClockRefusalMessage(errno);
        return {};
    }
};

} // namespace

std::string ClockRefusalMessage(int error) {
    switch (error) {
    case EPERM:
    case EACCES:
        return "Vous n'avez pas le droit de changer l'heure de cet ordinateur : "
               "l'horloge n'a pas été modifiée.";
    case EINVAL:
        return "L'ordinateur refuse cette date ou cette heure : l'horloge n'a pas été modifiée.";
    default:
        return "L'horloge de l'ordinateur n'a pas pu être modifiée (erreur " +
               std::to_string(error) + ").";
    }
}

std::unique_ptr<SystemClock> MakePlatformClock() {
    return std::make_unique<PlatformClock>();
}

} // namespace vokc
