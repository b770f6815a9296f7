// Month stepping and the heading of the calendar.
#include "calendarmonths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const vokc::CalendarDate& d) {
    return std::to_string(d.day) + "/" + std::to_string(d.month) + "/" + std::to_string(d.year);
}

TEST(CalendarMonths, NextMonthKeepsOrClampsTheDay) {
    vokc::CalendarDate d{2023, 1, 31};
    d = vokc::NextMonth(d);
    EXPECT_EQ(Text(d), "28/2/2023");
    d = vokc::NextMonth(d);
    EXPECT_EQ(Text(d), "28/3/2023");
    EXPECT_EQ(Text(vokc::NextMonth({2024, 1, 31})), "29/2/2024");
    EXPECT_EQ(Text(vokc::NextMonth({2000, 1, 30})), "29/2/2000");
    EXPECT_EQ(Text(vokc::NextMonth({1900, 1, 30})), "28/2/1900");
    EXPECT_EQ(Text(vokc::NextMonth({2023, 8, 31})), "30/9/2023");
    EXPECT_EQ(Text(vokc::NextMonth({2023, 12, 31})), "31/1/2024");
}

TEST(CalendarMonths, PreviousMonthCrossesYears) {
    EXPECT_EQ(Text(vokc::PreviousMonth({2024, 1, 15})), "15/12/2023");
    EXPECT_EQ(Text(vokc::PreviousMonth({2024, 3, 31})), "29/2/2024");
    EXPECT_EQ(Text(vokc::PreviousMonth({2023, 3, 31})), "28/2/2023");
    EXPECT_EQ(Text(vokc::PreviousMonth({2023, 5, 31})), "30/4/2023");
    // A year of steps comes back to the same month, the day only ever clamped.
    vokc::CalendarDate d{2023, 6, 30};
    for (int i = 0; i < 12; ++i)
        d = vokc::PreviousMonth(d);
    EXPECT_EQ(Text(d), "28/6/2022");
}

TEST(CalendarMonths, EndsOfTheCalendar) {
    EXPECT_EQ(Text(vokc::PreviousMonth({1, 1, 5})), "5/1/1");
    EXPECT_EQ(Text(vokc::NextMonth({9999, 12, 5})), "5/12/9999");
    EXPECT_EQ(Text(vokc::NextMonth({9999, 11, 30})), "30/12/9999");
}

TEST(CalendarMonths, FrenchHeading) {
    EXPECT_EQ(vokc::MonthHeading({1998, 10, 20}), "octobre  1998");
    EXPECT_EQ(vokc::MonthHeading({2024, 2, 1}), "février  2024");
    EXPECT_EQ(vokc::MonthHeading({2024, 8, 1}), "août  2024");
    EXPECT_EQ(vokc::MonthHeading({2024, 12, 1}), "décembre  2024");
    EXPECT_EQ(vokc::MonthHeading({5, 1, 1}), "janvier  0005");
    EXPECT_EQ(vokc::FrenchMonthName(0), "");
    EXPECT_EQ(vokc::FrenchMonthName(13), "");
}

} // namespace
