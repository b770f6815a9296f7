// A clock for tests: a fixed local time, and a record of every setting asked for.
#pragma once

#include <string>
#include <vector>

#include "systemclock.h"

class FakeClock : public vokc::SystemClock {
  public:
    vokc::DateTime now{1998, 10, 20, 18, 23, 0, 0};
    std::string refusal; // returned by SetSystemTime when not empty
    std::vector<vokc::DateTime> set;

    vokc::DateTime Now() override { return now; }
    std::string SetSystemTime(const vokc::DateTime& utc) override {
        set.push_back(utc);
        return refusal;
    }
};
