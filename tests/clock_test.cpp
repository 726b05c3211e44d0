#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "datetime/datetime.h"

namespace {

class WithTimeZone {
 public:
  explicit WithTimeZone(const char* tz) {
    const char* old = std::getenv("TZ");
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv("TZ", tz, 1);
    tzset();
  }
  ~WithTimeZone() {
    if (had_) {
      setenv("TZ", old_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  bool had_ = false;
  std::string old_;
};

std::string format(const WallClock& c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute,
                c.second);
  return buf;
}

TEST(WallClockFromEpoch, ZonesDaylightSavingAndWideRange) {
  struct {
    const char* tz;
    std::int64_t epoch;
    const char* want;
    const char* why;
  } cases[] = {
      {"UTC", 0, "1970-01-01 00:00:00", "the epoch"},
      {"UTC", 2147483647, "2038-01-19 03:14:07", "last 32-bit second"},
      {"UTC", 2147483648, "2038-01-19 03:14:08", "first second past 32 bits"},
      {"UTC", 4102444800, "2100-01-01 00:00:00", "far future"},
      {"UTC", -1000000000, "1938-04-24 22:13:20", "before 1970"},
      {"UTC", -2208988800, "1900-01-01 00:00:00", "1900"},
      {"Asia/Shanghai", 1709258400, "2024-03-01 10:00:00", "UTC+8"},
      {"Asia/Shanghai", 2208988800, "2040-01-01 08:00:00", "UTC+8 after 2038"},
      {"America/New_York", 1710053999, "2024-03-10 01:59:59", "last second of standard time"},
      {"America/New_York", 1710054000, "2024-03-10 03:00:00", "daylight saving starts"},
      {"America/New_York", 1730613599, "2024-11-03 01:59:59", "last second of daylight time"},
      {"America/New_York", 1730613600, "2024-11-03 01:00:00", "the hour repeats"},
      {"America/New_York", 2172722399, "2038-11-07 01:59:59", "daylight time after 2038"},
      {"America/New_York", 2172722400, "2038-11-07 01:00:00", "and its end after 2038"},
      {"Europe/Berlin", -1, "1970-01-01 00:59:59", "one second before the epoch"},
  };
  for (const auto& c : cases) {
    WithTimeZone zone(c.tz);
    const auto wall = wall_clock_from_epoch(c.epoch);
    ASSERT_TRUE(wall.has_value()) << c.why;
    EXPECT_EQ(format(*wall), c.want) << c.tz << ": " << c.why;
  }
}

WallClock fixed_clock() { return {2024, 3, 1, 10, 0, 0}; }
WallClock leap_second_clock() { return {2016, 12, 31, 23, 59, 60}; }

TEST(CurrentDatetime, ReadsTheInstalledClock) {
  set_clock_reader(fixed_clock);
  EXPECT_EQ(current_datetime(), 45352.416666666664);
  set_clock_reader(leap_second_clock);
  EXPECT_EQ(datetime_field(current_datetime(), FIELD_SECOND), 59);
  set_clock_reader(nullptr);
  const DateTime now = current_datetime();
  EXPECT_GT(now, 46000.0);  // the system clock is back: a date after 2025
}

}  // namespace
