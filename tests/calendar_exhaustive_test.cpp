// Every day of the range against the standard library's calendar.
#include <gtest/gtest.h>

#include <chrono>

#include "datetime/datetime.h"

namespace {

using namespace std::chrono;

constexpr int OLE_DAY_OF_1970 = 25569;

TEST(CalendarExhaustive, EveryDayEncodesAndDecodesToItself) {
  const sys_days first = year{100} / January / 1;
  const sys_days last = year{9999} / December / 31;
  int failures = 0;
  for (sys_days d = first; d <= last; d += days{1}) {
    const year_month_day ymd{d};
    const int y = static_cast<int>(ymd.year());
    const auto mo = static_cast<unsigned>(ymd.month());
    const auto dd = static_cast<unsigned>(ymd.day());
    const int serial = static_cast<int>(d.time_since_epoch().count()) + OLE_DAY_OF_1970;
    const auto v = datetime_from_fields(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(mo),
                                        static_cast<std::uint16_t>(dd), 0, 0, 0);
    const auto f = datetime_to_fields(static_cast<double>(serial));
    const int day_of_week = static_cast<int>(weekday{d}.c_encoding()) + 1;
    const int doy = static_cast<int>((d - sys_days{ymd.year() / January / 1}).count()) + 1;
    const bool ok = v && *v == serial && f && f->year == y && f->month == static_cast<int>(mo) &&
                    f->day == static_cast<int>(dd) && f->day_of_week == day_of_week && f->day_of_year == doy &&
                    f->hour == 0 && f->minute == 0 && f->second == 0;
    if (!ok && ++failures <= 10) ADD_FAILURE() << y << "-" << mo << "-" << dd;
  }
  EXPECT_EQ(failures, 0);
}

TEST(CalendarExhaustive, EverySecondOfADayRoundTrips) {
  // Both signs of the serial: a day after 1899-12-30 and one before it.
  for (int day : {45352, -25000}) {
    const CalendarFields base = *datetime_to_fields(day);
    for (int s = 0; s < 86400; ++s) {
      const auto v = datetime_from_fields(static_cast<std::uint16_t>(base.year), static_cast<std::uint16_t>(base.month),
                                          static_cast<std::uint16_t>(base.day), static_cast<std::uint16_t>(s / 3600),
                                          static_cast<std::uint16_t>(s / 60 % 60), static_cast<std::uint16_t>(s % 60));
      ASSERT_TRUE(v);
      const CalendarFields f = *datetime_to_fields(*v);
      ASSERT_EQ(f.hour * 3600 + f.minute * 60 + f.second, s) << day;
      ASSERT_EQ(f.day, base.day) << day << " " << s;
    }
  }
}

}  // namespace
