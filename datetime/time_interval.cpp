#include <cmath>

#include "datetime/datetime.h"

namespace {

// Hours, minutes and seconds: HALF_SECOND lifts a product that falls a rounding
// error short of a whole number; it is added whatever the sign.
double truncated_count(double span_days, double per_day) noexcept {
  return static_cast<double>(static_cast<std::int64_t>(span_days * per_day + HALF_SECOND));
}

double weeks(double la, double lb, const CalendarFields& a, const CalendarFields& b) noexcept {
  const auto whole_days = static_cast<std::int32_t>(la - lb);
  const std::int32_t w = whole_days / 7;
  if (la > lb && a.day_of_week < b.day_of_week) return w + 1;
  if (la < lb && b.day_of_week < a.day_of_week) return w - 1;
  return w;
}

}  // namespace

double time_interval(DateTime a, DateTime b, std::int32_t unit) noexcept {
  if (unit < UNIT_YEAR) unit = UNIT_YEAR;
  if (unit > UNIT_SECOND) unit = UNIT_SECOND;
  if (a == b) return 0.0;  // before clamping: equal as passed in
  a = clamp_datetime(a);
  b = clamp_datetime(b);
  const CalendarFields fa = *datetime_to_fields(a);
  const CalendarFields fb = *datetime_to_fields(b);
  const double la = linear_days(a);
  const double lb = linear_days(b);
  const double span = la - lb;
  switch (unit) {
    case UNIT_YEAR: return fa.year - fb.year;
    case UNIT_QUARTER: return 4 * (fa.year - fb.year) + (fa.month - 1) / 3 - (fb.month - 1) / 3;
    case UNIT_MONTH: return 12 * (fa.year - fb.year) + fa.month - fb.month;
    case UNIT_WEEK: return weeks(la, lb, fa, fb);
    case UNIT_DAY: return span;
    case UNIT_HOUR: return truncated_count(span, 24.0);
    case UNIT_MINUTE: return truncated_count(span, 1440.0);
    default: return truncated_count(span, 86400.0);
  }
}
