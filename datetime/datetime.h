#pragma once
// Date-times as OLE Automation dates: days since 1899-12-30 00:00:00 in the
// whole part, the time of day in the fraction, proleptic Gregorian calendar.
// A negative value's whole part (toward zero) is the day and the magnitude of
// its fraction the time of day: -1.25 is 1899-12-29 06:00:00.
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "text/text.h"

static_assert(std::numeric_limits<double>::is_iec559, "IEEE 754 doubles are assumed");

using DateTime = double;

inline constexpr DateTime DATETIME_MIN = -657434.0;  // 0100-01-01 00:00:00
inline constexpr DateTime DATETIME_MAX = 2958465.0;  // 9999-12-31 00:00:00
// What a failed conversion yields: indistinguishable from 0100-01-01 00:00:00.
inline constexpr DateTime INVALID_DATETIME = DATETIME_MIN;
// The doubles nearest 1/172800 and 1/86400 days (one IEEE division each).
inline constexpr double HALF_SECOND = 0.5 / 86400.0;
inline constexpr double ONE_SECOND = 1.0 / 86400.0;

struct CalendarFields {
  std::int32_t year;         // 100..9999
  std::int32_t month;        // 1..12
  std::int32_t day;          // 1..31
  std::int32_t hour;         // 0..23
  std::int32_t minute;       // 0..59
  std::int32_t second;       // 0..59
  std::int32_t day_of_week;  // 1 Sunday .. 7 Saturday
  std::int32_t day_of_year;  // 1..366
};

enum DateField : std::int32_t {
  FIELD_YEAR = 1,
  FIELD_QUARTER = 2,
  FIELD_MONTH = 3,
  FIELD_WEEK_OF_YEAR = 4,
  FIELD_DAY = 5,
  FIELD_HOUR = 6,
  FIELD_MINUTE = 7,
  FIELD_SECOND = 8,
  FIELD_DAY_OF_WEEK = 9,
  FIELD_DAY_OF_YEAR = 10,
};

enum TimeUnit : std::int32_t {
  UNIT_YEAR = 1,
  UNIT_QUARTER = 2,
  UNIT_MONTH = 3,
  UNIT_WEEK = 4,
  UNIT_DAY = 5,
  UNIT_HOUR = 6,
  UNIT_MINUTE = 7,
  UNIT_SECOND = 8,
};

bool is_leap_year(std::int32_t year) noexcept;
std::int32_t days_in_month(std::int32_t year, std::int32_t month) noexcept;  // month 1..12

// Fails on a field out of range or an impossible day; never rejects year 0..99
// (the text conversion does that).
std::optional<DateTime> datetime_from_fields(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                                             std::uint16_t hour, std::uint16_t minute,
                                             std::uint16_t second) noexcept;
// Fails outside DATETIME_MIN..DATETIME_MAX; rounds to the nearest second.
std::optional<CalendarFields> datetime_to_fields(DateTime value) noexcept;
DateTime clamp_datetime(double x) noexcept;
// Grows steadily with the instant, so differences and order are those of time.
double linear_days(DateTime v) noexcept;
std::int32_t datetime_field(DateTime value, std::int32_t code) noexcept;
std::int32_t datetime_year(DateTime value) noexcept;

// The present local wall-clock time, in whole seconds.
DateTime current_datetime();

// Local wall-clock fields as the platform gives them.
struct WallClock {
  std::int32_t year, month, day, hour, minute, second;
};
// The clock behind current_datetime. Tests and the headless driver install
// their own; nullptr puts the system clock back.
using ClockReader = WallClock (*)();
ClockReader set_clock_reader(ClockReader reader) noexcept;
WallClock system_wall_clock();
// Local fields of a count of seconds since 1970-01-01 00:00:00 UTC, with the
// platform's zone rules; 64-bit, so valid before 1970 and after 2038.
std::optional<WallClock> wall_clock_from_epoch(std::int64_t seconds);

// Text to date-time; INVALID_DATETIME on every failure.
DateTime text_to_datetime(std::string_view text);
// The same conversion reporting failure, for callers that must tell a valid
// 0100-01-01 from a failure.
std::optional<DateTime> parse_datetime(std::string_view text);
// Full-width digits and marks to ASCII; a lone lead byte at the end is dropped.
Text fold_fullwidth(std::string_view text);
// Clamps the six fields (year, month, day, hour, minute, second) in place.
void normalise_fields(std::int32_t fields[6]) noexcept;

// A minus B in the unit (codes below 1 read as years, above 8 as seconds).
double time_interval(DateTime a, DateTime b, std::int32_t unit) noexcept;
