// The clock's field adjustment and the setting of the clock, with a fake clock.
#include "clockfields.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <string>

#include "fakeclock.h"
#include "tzguard.h"

namespace {

struct Texts {
    std::string time;
    std::string date;
};

// Presses an arrow on a field; returns the texts after it (and the message, if any).
Texts Press(int field, int delta, Texts t, std::string* error = nullptr) {
    const std::string e = vokc::AdjustClockField(field, delta, t.time, t.date);
    if (error)
        *error = e;
    else
        EXPECT_EQ(e, "");
    return t;
}

std::string Fields(const vokc::DateTime& f) {
    return vokc::ClockDateText(f) + " " + vokc::ClockTimeText(f);
}

TEST(ClockFields, BoundsWithoutWrapOrCarry) {
    const Texts t{"23:59:30", "31/12/2099"};
    EXPECT_EQ(Press(vokc::kClockMinute, +1, t).time, "23:59:30");
    EXPECT_EQ(Press(vokc::kClockHour, +1, t).time, "24:59:30");
    EXPECT_EQ(Press(vokc::kClockHour, +1, {"24:00:00", ""}).time, "24:00:00");
    EXPECT_EQ(Press(vokc::kClockDay, +1, t).date, "31/12/2099");
    EXPECT_EQ(Press(vokc::kClockMonth, +1, t).date, "31/12/2099");
    EXPECT_EQ(Press(vokc::kClockYear, +1, t).date, "31/12/2099");
    const Texts low{"00:00:05", "00/00/1900"};
    for (int field : {vokc::kClockHour, vokc::kClockMinute, vokc::kClockDay, vokc::kClockMonth,
                      vokc::kClockYear}) {
        const Texts after = Press(field, -1, low);
        EXPECT_EQ(after.time, low.time) << field;
        EXPECT_EQ(after.date, low.date) << field;
    }
    // Ordinary steps write two digits (four for the year); the day is not checked
    // against the month.
    EXPECT_EQ(Press(vokc::kClockMinute, -1, {"09:10:00", ""}).time, "09:09:00");
    EXPECT_EQ(Press(vokc::kClockDay, +1, {"", "30/02/2024"}).date, "31/02/2024");
    EXPECT_EQ(Press(vokc::kClockMonth, -1, {"", "15/10/2024"}).date, "15/09/2024");
    EXPECT_EQ(Press(vokc::kClockYear, -1, {"", "15/10/2024"}).date, "15/10/2023");
}

TEST(ClockFields, TwoDigitYearCountsFrom1900) {
    EXPECT_EQ(Press(vokc::kClockYear, +1, {"", "20/10/98"}).date, "20/10/1999");
    EXPECT_EQ(Press(vokc::kClockYear, -1, {"", "20/10/05"}).date, "20/10/1904");
    EXPECT_EQ(Press(vokc::kClockYear, +1, {"", "20/10/2150"}).date, "20/10/2099");
}

TEST(ClockFields, NoFieldAndUnreadableFields) {
    const Texts t{"12:00:00", "01/01/2000"};
    for (int none : {-1, 5, 99}) {
        const Texts after = Press(none, +1, t);
        EXPECT_EQ(after.time, t.time);
        EXPECT_EQ(after.date, t.date);
    }
    std::string error;
    Texts after = Press(vokc::kClockHour, +1, {"ab:00:00", "01/01/2000"}, &error);
    EXPECT_EQ(error, "'ab' n'est pas une valeur entière correcte");
    EXPECT_EQ(after.time, "ab:00:00");
    // A date text of another layout, or too short: the missing characters count as none.
    after = Press(vokc::kClockDay, +1, {"", "1/2/2000"}, &error);
    EXPECT_EQ(error, "'1/' n'est pas une valeur entière correcte");
    after = Press(vokc::kClockYear, +1, {"", "01/01"}, &error);
    EXPECT_EQ(error, "'' n'est pas une valeur entière correcte");
    EXPECT_EQ(after.date, "01/01");
}

TEST(ClockFields, LocalToUniversalByTheTimeZoneRules) {
    TzGuard tz(kParisRules);
    vokc::DateTime utc;
    ASSERT_TRUE(vokc::LocalToUtc({2024, 1, 15, 12, 0, 0, 0}, utc));
    EXPECT_EQ(Fields(utc), "15/01/2024 11:00:00");
    ASSERT_TRUE(vokc::LocalToUtc({2024, 7, 15, 12, 0, 0, 0}, utc));
    EXPECT_EQ(Fields(utc), "15/07/2024 10:00:00");
    ASSERT_TRUE(vokc::LocalToUtc({2024, 1, 1, 0, 30, 15, 0}, utc));
    EXPECT_EQ(Fields(utc), "31/12/2023 23:30:15");
    ASSERT_TRUE(vokc::LocalToUtc({2024, 2, 29, 0, 0, 0, 0}, utc));
    // Times that do not exist: skipped when clocks go forward, impossible days or hours.
    EXPECT_FALSE(vokc::LocalToUtc({2024, 3, 31, 2, 30, 0, 0}, utc));
    EXPECT_FALSE(vokc::LocalToUtc({2023, 2, 29, 12, 0, 0, 0}, utc));
    EXPECT_FALSE(vokc::LocalToUtc({2024, 4, 31, 12, 0, 0, 0}, utc));
    EXPECT_FALSE(vokc::LocalToUtc({2024, 4, 0, 12, 0, 0, 0}, utc));
    EXPECT_FALSE(vokc::LocalToUtc({2024, 0, 10, 12, 0, 0, 0}, utc));
    EXPECT_FALSE(vokc::LocalToUtc({2024, 4, 10, 24, 0, 0, 0}, utc));

    TzGuard other(kNewYorkRules);
    ASSERT_TRUE(vokc::LocalToUtc({2024, 1, 15, 21, 0, 0, 0}, utc));
    EXPECT_EQ(Fields(utc), "16/01/2024 02:00:00");
}

TEST(ClockFields, SettingTheClockFromTheTexts) {
    TzGuard tz(kParisRules);
    FakeClock clock;
    EXPECT_EQ(vokc::SetClockFromTexts("18:23:07", "20/10/1998", clock), "");
    ASSERT_EQ(clock.set.size(), 1u);
    EXPECT_EQ(Fields(clock.set[0]), "20/10/1998 16:23:07");
    EXPECT_EQ(clock.set[0].millisecond, 0);
    EXPECT_EQ(vokc::SetClockFromTexts("00:10:00", "01/01/2000", clock), "");
    EXPECT_EQ(Fields(clock.set.back()), "31/12/1999 23:10:00");

    // What the computer refuses comes back as it said it.
    clock.refusal = vokc::ClockRefusalMessage(EPERM);
    EXPECT_EQ(vokc::SetClockFromTexts("18:23:07", "20/10/1998", clock), clock.refusal);
    EXPECT_EQ(clock.set.size(), 3u);

    // Fields that are no date or time never reach the clock.
    const std::string noSuchDate =
        "Cette date ou cette heure n'existe pas : l'horloge n'a pas été modifiée.";
    EXPECT_EQ(vokc::SetClockFromTexts("24:00:00", "20/10/1998", clock), noSuchDate);
    EXPECT_EQ(vokc::SetClockFromTexts("12:00:00", "20/10/98", clock), noSuchDate);
    EXPECT_EQ(vokc::SetClockFromTexts("12:00:00", "00/10/1998", clock), noSuchDate);
    EXPECT_EQ(vokc::SetClockFromTexts("12:00:00", "31/09/1998", clock), noSuchDate);
    EXPECT_EQ(vokc::SetClockFromTexts("12:00:00", "20/10/2100", clock), noSuchDate);
    EXPECT_EQ(vokc::SetClockFromTexts("12:00:xx", "20/10/1998", clock),
              "'xx' n'est pas une valeur entière correcte");
    EXPECT_EQ(vokc::SetClockFromTexts("", "", clock), "'' n'est pas une valeur entière correcte");
    EXPECT_EQ(clock.set.size(), 3u);
}

TEST(ClockFields, PlatformClockReadsTheLocalTime) {
    // Only reading: no test ever sets the computer's clock.
    TzGuard tz("UTC0");
    const auto clock = vokc::MakePlatformClock();
    const std::time_t before = std::time(nullptr);
    const vokc::DateTime now = clock->Now();
    const std::time_t after = std::time(nullptr);
    std::tm fields{};
    fields.tm_year = now.year - 1900;
    fields.tm_mon = now.month - 1;
    fields.tm_mday = now.day;
    fields.tm_hour = now.hour;
    fields.tm_min = now.minute;
    fields.tm_sec = now.second;
    const std::time_t read = timegm(&fields);
    EXPECT_LE(before, read);
    EXPECT_LE(read, after);
}

} // namespace
