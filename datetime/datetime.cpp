#include "datetime/datetime.h"

#include <cmath>

namespace {

constexpr std::int32_t DAYS_BEFORE_MONTH[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
constexpr std::int32_t MONTH_LENGTH[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::int32_t DAY_OF_1899_12_30 = 693959;  // the day number formula's count at day 0

struct Civil {
  std::int32_t year, month, day;
};

// Proleptic Gregorian date of a count of days from 1899-12-30 (after Hinnant's civil_from_days).
Civil civil_from_days(std::int64_t n) noexcept {
  const std::int64_t z = n - 25569 + 719468;  // days since 0000-03-01
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<std::int32_t>(z - era * 146097);          // [0, 146096]
  const std::int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const std::int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);      // [0, 365]
  const std::int32_t mp = (5 * doy + 2) / 153;                           // [0, 11]
  const std::int32_t day = doy - (153 * mp + 2) / 5 + 1;                 // [1, 31]
  const std::int32_t month = mp < 10 ? mp + 3 : mp - 9;                  // [1, 12]
  const auto year = static_cast<std::int32_t>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

}  // namespace

bool is_leap_year(std::int32_t year) noexcept {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int32_t days_in_month(std::int32_t year, std::int32_t month) noexcept {
  return month == 2 && is_leap_year(year) ? 29 : MONTH_LENGTH[month - 1];
}

std::optional<DateTime> datetime_from_fields(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                                             std::uint16_t hour, std::uint16_t minute,
                                             std::uint16_t second) noexcept {
  if (year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
  if (day > days_in_month(year, month)) return std::nullopt;
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  std::int32_t n = year * 365 + year / 4 - year / 100 + year / 400 + DAYS_BEFORE_MONTH[month - 1] + day;
  if (month <= 2 && is_leap_year(year)) n -= 1;
  n -= DAY_OF_1899_12_30;
  // One multiplication by the one-second constant, not a division by 86400:
  // the stored values depend on it to the last bit.
  const double t = static_cast<double>(hour * 3600 + minute * 60 + second) * ONE_SECOND;
  return n >= 0 ? n + t : n - t;
}

std::optional<CalendarFields> datetime_to_fields(DateTime value) noexcept {
  if (!(value >= DATETIME_MIN && value <= DATETIME_MAX)) return std::nullopt;
  const double r = value > 0 ? value + HALF_SECOND : value - HALF_SECOND;
  const auto n = static_cast<std::int32_t>(std::trunc(r));
  const double magnitude = std::fabs(r);
  auto s = static_cast<std::int32_t>((magnitude - std::floor(magnitude)) * 86400.0);
  if (s > 86399) s = 86399;
  const Civil c = civil_from_days(n);
  CalendarFields f{};
  f.year = c.year;
  f.month = c.month;
  f.day = c.day;
  f.hour = s / 3600;
  f.minute = (s / 60) % 60;
  f.second = s % 60;
  f.day_of_week = (n + 693958) % 7 + 1;  // n >= -657434, so the sum is never negative
  f.day_of_year = DAYS_BEFORE_MONTH[c.month - 1] + c.day + (c.month > 2 && is_leap_year(c.year) ? 1 : 0);
  return f;
}

DateTime clamp_datetime(double x) noexcept {
  if (x > DATETIME_MAX) return DATETIME_MAX;
  if (!(x >= DATETIME_MIN)) return DATETIME_MIN;  // NaN too: it names no instant
  return x;
}

double linear_days(DateTime v) noexcept {
  if (v >= 0) return v;
  const double c = std::ceil(v);
  return c - (v - c);
}

std::int32_t datetime_field(DateTime value, std::int32_t code) noexcept {
  if (code < FIELD_YEAR) code = FIELD_YEAR;
  if (code > FIELD_DAY_OF_YEAR) code = FIELD_DAY_OF_YEAR;
  const CalendarFields f = *datetime_to_fields(clamp_datetime(value));
  switch (code) {
    case FIELD_YEAR: return f.year;
    case FIELD_QUARTER: return (f.month - 1) / 3 + 1;
    case FIELD_MONTH: return f.month;
    case FIELD_WEEK_OF_YEAR: return (f.day_of_year - 1) / 7 + 1;
    case FIELD_DAY: return f.day;
    case FIELD_HOUR: return f.hour;
    case FIELD_MINUTE: return f.minute;
    case FIELD_SECOND: return f.second;
    case FIELD_DAY_OF_WEEK: return f.day_of_week;
    default: return f.day_of_year;
  }
}

std::int32_t datetime_year(DateTime value) noexcept { return datetime_field(value, FIELD_YEAR); }
