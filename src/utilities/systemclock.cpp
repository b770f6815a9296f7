// The real clock of the computer: read through the C library, set with clock_settime.
#include "systemclock.h"

#include <cerrno>
#include <chrono>
#include <ctime>

namespace vokc {

namespace {

class PlatformClock final : public SystemClock {
  public:
    DateTime Now() override { return LocalNow(); }

    std::string SetSystemTime(const DateTime& utc) override {
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
