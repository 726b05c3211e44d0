#include <gtest/gtest.h>

#include <bit>

#include "datetime/datetime.h"
#include "tests/dates.h"

namespace {

CalendarFields fields_of(DateTime v) {
  const auto f = datetime_to_fields(clamp_datetime(v));
  EXPECT_TRUE(f.has_value());
  return f.value_or(CalendarFields{});
}

TEST(DateTimeConstants, BitPatterns) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(INVALID_DATETIME), 0xC124103400000000ULL);
  EXPECT_EQ(HALF_SECOND, 5.787037037037037e-6);
  EXPECT_EQ(ONE_SECOND, 1.1574074074074073e-05);
}

TEST(DatetimeFromFields, EncodesWithOneMultiplication) {
  struct {
    int y, mo, d, h, mi, s;
    double want;
  } cases[] = {
      {1899, 12, 30, 0, 0, 0, 0.0},
      {2024, 3, 1, 10, 0, 0, 45352.416666666664},
      {1986, 1, 21, 0, 0, 1, 31433.000011574073},
      {1899, 12, 29, 6, 0, 0, -1.25},
      {2000, 2, 29, 0, 0, 0, 36585.0},
      {100, 1, 1, 0, 0, 0, -657434.0},
      {9999, 12, 31, 0, 0, 0, 2958465.0},
  };
  for (const auto& c : cases) {
    const auto v = fields_to_datetime(c.y, c.mo, c.d, c.h, c.mi, c.s);
    ASSERT_TRUE(v.has_value()) << c.y << "-" << c.mo << "-" << c.d;
    EXPECT_EQ(*v, c.want) << c.y << "-" << c.mo << "-" << c.d;
  }
}

TEST(DatetimeFromFields, RejectsImpossibleFields) {
  struct {
    int y, mo, d, h, mi, s;
    const char* why;
  } cases[] = {
      {1900, 2, 29, 0, 0, 0, "1900 is no leap year"}, {2025, 2, 29, 0, 0, 0, "2025 is no leap year"},
      {2024, 4, 31, 0, 0, 0, "April has 30 days"},    {10000, 1, 1, 0, 0, 0, "year above 9999"},
      {2024, 0, 1, 0, 0, 0, "month 0"},                {2024, 13, 1, 0, 0, 0, "month 13"},
      {2024, 1, 0, 0, 0, 0, "day 0"},                  {2024, 1, 1, 24, 0, 0, "hour 24"},
      {2024, 1, 1, 0, 60, 0, "minute 60"},             {2024, 1, 1, 0, 0, 60, "second 60"},
  };
  for (const auto& c : cases) EXPECT_FALSE(fields_to_datetime(c.y, c.mo, c.d, c.h, c.mi, c.s)) << c.why;
}

TEST(DatetimeToFields, NegativeSerialAndRounding) {
  struct {
    double v;
    CalendarFields want;
    const char* why;
  } cases[] = {
      {0.0, {1899, 12, 30, 0, 0, 0, 7, 364}, "day 0 is a Saturday"},
      {0.5, {1899, 12, 30, 12, 0, 0, 7, 364}, "noon"},
      {-0.5, {1899, 12, 30, 12, 0, 0, 7, 364}, "negative zero day reads forward"},
      {-1.25, {1899, 12, 29, 6, 0, 0, 6, 363}, "fraction counts forward from the day"},
      {DATETIME_MIN, {100, 1, 1, 0, 0, 0, 6, 1}, "lower bound, a Friday"},
      {DATETIME_MAX, {9999, 12, 31, 0, 0, 0, 6, 365}, "upper bound, a Friday"},
      {2958465.5, {9999, 12, 31, 0, 0, 0, 6, 365}, "clamped from above"},
      {-657434.5, {100, 1, 1, 0, 0, 0, 6, 1}, "clamped from below"},
      {-657434.0000115741, {100, 1, 1, 0, 0, 0, 6, 1}, "0100-01-01 00:00:01 is below the range"},
      {45352.416666666664, {2024, 3, 1, 10, 0, 0, 6, 61}, "a Friday in a leap year"},
      {45352.0 + 86399.5 / 86400.0, {2024, 3, 2, 0, 0, 0, 7, 62}, "23:59:59.5 rounds into the next day"},
  };
  for (const auto& c : cases) {
    const CalendarFields f = fields_of(c.v);
    EXPECT_EQ(f.year, c.want.year) << c.why;
    EXPECT_EQ(f.month, c.want.month) << c.why;
    EXPECT_EQ(f.day, c.want.day) << c.why;
    EXPECT_EQ(f.hour, c.want.hour) << c.why;
    EXPECT_EQ(f.minute, c.want.minute) << c.why;
    EXPECT_EQ(f.second, c.want.second) << c.why;
    EXPECT_EQ(f.day_of_week, c.want.day_of_week) << c.why;
    EXPECT_EQ(f.day_of_year, c.want.day_of_year) << c.why;
  }
  EXPECT_FALSE(datetime_to_fields(2958465.5));
  EXPECT_FALSE(datetime_to_fields(-657434.5));
}

TEST(DatetimeField, CodesAndClampedCodes) {
  struct {
    double v;
    int code, want;
  } cases[] = {
      {0.0, FIELD_WEEK_OF_YEAR, 52}, {0.0, FIELD_QUARTER, 4},
      {45352.416666666664, FIELD_QUARTER, 1}, {45352.416666666664, FIELD_WEEK_OF_YEAR, 9},
      {45352.416666666664, FIELD_DAY_OF_WEEK, 6}, {45352.416666666664, FIELD_DAY_OF_YEAR, 61},
      {45352.416666666664, 0, 2024}, {45352.416666666664, -7, 2024},
      {45352.416666666664, 11, 61}, {DATETIME_MAX, FIELD_WEEK_OF_YEAR, 53},
      {45352.416666666664, FIELD_HOUR, 10},
  };
  for (const auto& c : cases) EXPECT_EQ(datetime_field(c.v, c.code), c.want) << c.v << " code " << c.code;
  EXPECT_EQ(datetime_year(INVALID_DATETIME), 100);
  EXPECT_EQ(datetime_year(std::numeric_limits<double>::quiet_NaN()), 100);
  EXPECT_EQ(datetime_year(1e300), 9999);
}

TEST(LinearDays, NegativeSerial) {
  EXPECT_EQ(linear_days(-1.25), -0.75);
  EXPECT_EQ(linear_days(-1.5), -0.5);
  EXPECT_EQ(linear_days(-1.75), -0.25);
  EXPECT_EQ(linear_days(-657434.0), -657434.0);
  EXPECT_EQ(linear_days(3.25), 3.25);
}

}  // namespace
