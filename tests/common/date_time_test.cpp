// The one conversion between DateTime and the C library's broken-down form, and the two
// forms of the line markers.
#include <gtest/gtest.h>

#include <ctime>

#include "date_time.h"
#include "line_markers.h"
#include "text.h"

using namespace vokc;

TEST(DateTime, ConvertsToAndFromTheCLibrarysFormWithItsOffsets) {
    const DateTime dt{2026, 12, 6, 8, 45, 10, 250};
    const std::tm tm = ToTm(dt);
    EXPECT_EQ(tm.tm_year, 126);
    EXPECT_EQ(tm.tm_mon, 11);
    EXPECT_EQ(tm.tm_mday, 6);
    EXPECT_EQ(tm.tm_hour, 8);
    EXPECT_EQ(tm.tm_min, 45);
    EXPECT_EQ(tm.tm_sec, 10);
    EXPECT_EQ(tm.tm_isdst, -1); // the time-zone rules decide
    const DateTime back = FromTm(tm, 250);
    EXPECT_EQ(back.year, 2026);
    EXPECT_EQ(back.month, 12);
    EXPECT_EQ(back.day, 6);
    EXPECT_EQ(back.hour, 8);
    EXPECT_EQ(back.minute, 45);
    EXPECT_EQ(back.second, 10);
    EXPECT_EQ(back.millisecond, 250);
    EXPECT_EQ(FromTm(tm).millisecond, 0);
}

TEST(LineMarkers, BothFormsAreTheSameCharacters) {
    EXPECT_EQ(Cp1252ToUnicode(static_cast<unsigned char>(kBreakMarker)), kBreakMarkerUtf16);
    EXPECT_EQ(Cp1252ToUnicode(static_cast<unsigned char>(kStepMarker)), kStepMarkerUtf16);
    EXPECT_EQ(UnicodeToCp1252(kStepMarkerUtf16), kStepMarker);
}
