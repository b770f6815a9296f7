// The computer's clock as the clock window sees it: the local time of day, and setting
// the clock in universal time. Tests replace it with a fake; only the platform clock
// ever changes the real one.
#pragma once

#include <memory>
#include <string>

#include "date_time.h"

namespace vokc {

class SystemClock {
  public:
    virtual ~SystemClock() = default;
    // The current local date and time.
    virtual DateTime Now() = 0;
    // Sets the computer's clock to a universal date and time. Returns an empty text on
    // success, otherwise a French message saying why the computer refused.
    virtual std::string SetSystemTime(const DateTime& utc) = 0;
};

// The French message for a refusal of the platform (an errno value).
std::string ClockRefusalMessage(int error);

// The real clock of this computer. Setting it needs the right to change the time
// (on Linux, the CAP_SYS_TIME capability).
std::unique_ptr<SystemClock> MakePlatformClock();

} // namespace vokc
