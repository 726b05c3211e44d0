#include <gtest/gtest.h>

#include "datetime/datetime.h"
#include "tests/dates.h"

namespace {

struct Row {
  double a, b;
  double want[8];  // year, quarter, month, week, day, hour, minute, second
  const char* why;
};

void check(const Row& r) {
  for (int unit = 1; unit <= 8; ++unit) {
    EXPECT_EQ(time_interval(r.a, r.b, unit), r.want[unit - 1]) << r.why << ", unit " << unit;
  }
}

TEST(TimeInterval, WorkedSpans) {
  const double birth = at(1990, 6, 15, 0, 0, 1);
  const double now = at(2024, 3, 1, 10, 0, 0);
  const Row rows[] = {
      {now, birth, {34, 135, 405, 1759, 12313.416655092587, 295521, 17731319, 1063879199}, "the worked example"},
      {birth, now, {-34, -135, -405, -1759, -12313.416655092587, -295521, -17731319, -1063879198},
       "swapped: one second less in size"},
      {at(1990, 6, 15, 0, 0, 2), birth, {0, 0, 0, 0, 1.1574069503694773e-05, 0, 0, 1}, "one second"},
      {at(2024, 3, 3), at(2024, 3, 2, 0, 0, 1), {0, 0, 0, 1, 0.9999884259232203, 23, 1439, 86399},
       "Sunday after Saturday counts a week"},
      {at(2024, 3, 1), at(2023, 12, 31, 23, 59, 59), {1, 1, 3, 8, 60.00001157407678, 1440, 86400, 5184001},
       "across New Year"},
      {INVALID_DATETIME == 0 ? 0 : now, INVALID_DATETIME,
       {1924, 7696, 23090, 100398, 702786.4166666666, 16866874, 1012012440, 60720746400}, "from the failure value"},
      {now, now, {0, 0, 0, 0, 0, 0, 0, 0}, "equal instants"},
  };
  for (const Row& r : rows) check(r);
}

TEST(TimeInterval, WeekRuleWithWeekdayCorrection) {
  const double birth = at(1990, 6, 15, 0, 0, 1);  // a Friday
  struct {
    double a;
    double want;
    const char* why;
  } cases[] = {
      {at(2024, 3, 3, 10), 1760, "Sunday comes before Friday: one more"},
      {at(2024, 2, 29, 23, 59, 59), 1759, "Thursday night"},
      {at(2024, 3, 1), 1758, "Friday 00:00:00 drops back for one second"},
      {at(2024, 3, 1, 0, 0, 1), 1759, "and returns at 00:00:01"},
      {at(2024, 3, 3), 1760, "steps up at 00:00 on Sunday"},
      {at(2024, 6, 14, 23, 59, 59), 1774, "a Friday night"},
  };
  for (const auto& c : cases) EXPECT_EQ(time_interval(c.a, birth, UNIT_WEEK), c.want) << c.why;
  EXPECT_EQ(time_interval(at(2024, 3, 10, 11), at(2024, 3, 3, 12), UNIT_WEEK), 0);
  EXPECT_EQ(time_interval(at(2024, 3, 10, 12), at(2024, 3, 3, 12), UNIT_WEEK), 1);
  EXPECT_EQ(time_interval(at(2024, 1, 1), at(2023, 12, 31, 23, 59, 59), UNIT_WEEK), 0);
  EXPECT_EQ(time_interval(at(2024, 3, 3, 10), birth, UNIT_DAY), 12315.416655092587);
}

TEST(TimeInterval, NegativeSpansCountOneLessInSize) {
  const double nine = at(2024, 3, 1, 9), ten = at(2024, 3, 1, 10);
  EXPECT_EQ(time_interval(nine, ten, UNIT_HOUR), 0);
  EXPECT_EQ(time_interval(nine, ten, UNIT_MINUTE), -59);
  EXPECT_EQ(time_interval(at(2024, 3, 1, 9, 59, 59), ten, UNIT_SECOND), 0);
  EXPECT_EQ(time_interval(at(2024, 3, 1, 9, 59, 58), ten, UNIT_SECOND), -1);
  EXPECT_EQ(time_interval(at(2024, 3, 1, 10), at(2024, 6, 15, 0, 0, 1), UNIT_SECOND), -9122400);
  EXPECT_EQ(time_interval(at(2024, 3, 1, 10), at(2024, 6, 15, 0, 0, 1), UNIT_YEAR), 0);
}

TEST(TimeInterval, UnitCodesOutsideTheRange) {
  const double a = at(2024, 3, 1, 10), b = at(1990, 6, 15, 0, 0, 1);
  EXPECT_EQ(time_interval(a, b, 0), 34);
  EXPECT_EQ(time_interval(a, b, -5), 34);
  EXPECT_EQ(time_interval(a, b, 9), 1063879199);
  EXPECT_EQ(time_interval(a, b, 100), 1063879199);
}

TEST(TimeInterval, EqualityBeforeClampingAndClampedOperands) {
  // Two different values above the range clamp to the same instant: 0, but by
  // clamping, not by the shortcut; equal values short-cut before any clamp.
  EXPECT_EQ(time_interval(3e6, 3e6, UNIT_SECOND), 0);
  EXPECT_EQ(time_interval(3e6, 4e6, UNIT_SECOND), 0);
  EXPECT_EQ(time_interval(1e300, DATETIME_MAX, UNIT_DAY), 0);
  EXPECT_EQ(time_interval(at(2024, 3, 1), -1e300, UNIT_YEAR), 1924);
}

}  // namespace
