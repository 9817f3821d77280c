#include "platform/linux/SystemClock.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

TEST(SystemClock, GivesTheLocalCalendarTime) {
    ::setenv("TZ", "CST-8", 1); // UTC+8, without needing the time zone database
    ::tzset();
    const std::time_t before = std::time(nullptr);
    const tarvik::LocalDateTime now = tarvik::SystemClock().now();
    ::setenv("TZ", "UTC", 1);
    ::tzset();

    std::tm utc{};
    ::gmtime_r(&before, &utc);
    // Eight hours ahead of UTC, allowing for a minute boundary between the two readings.
    const int expected = ((utc.tm_hour + 8) % 24) * 60 + utc.tm_min;
    EXPECT_LE((now.hour * 60 + now.minute - expected + 24 * 60) % (24 * 60), 1);
    EXPECT_LE(now.second, 60);
    if (utc.tm_hour < 15) { // still the same day in both zones
        EXPECT_EQ(now.day, utc.tm_mday);
        EXPECT_EQ(now.month, utc.tm_mon + 1);
        EXPECT_EQ(now.year, utc.tm_year + 1900);
    }
}
