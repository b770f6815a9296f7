// Sets the time-zone rules (TZ) for a test and puts the previous ones back.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class TzGuard {
  public:
    explicit TzGuard(const char* rules) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        setenv("TZ", rules, 1);
        tzset();
    }
    ~TzGuard() {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    TzGuard(const TzGuard&) = delete;
    TzGuard& operator=(const TzGuard&) = delete;

  private:
    std::optional<std::string> old_;
};

// Central European rules (summer time from the last Sunday of March at 2:00 to the
// last Sunday of October at 3:00), written out so that no time-zone database is needed.
inline constexpr const char* kParisRules = "CET-1CEST,M3.5.0,M10.5.0/3";
// North American Eastern rules.
inline constexpr const char* kNewYorkRules = "EST5EDT,M3.2.0,M11.1.0";
