#include <ctime>

#include "datetime/datetime.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

ClockReader g_reader = system_wall_clock;

}  // namespace

ClockReader set_clock_reader(ClockReader reader) noexcept {
  ClockReader previous = g_reader;
  g_reader = reader ? reader : system_wall_clock;
  return previous;
}

#ifdef _WIN32

WallClock system_wall_clock() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::optional<WallClock> wall_clock_from_epoch(std::int64_t seconds) {
  // FILETIME counts 100 ns from 1601-01-01 UTC.
  const std::int64_t ticks = (seconds + 11644473600LL) * 10000000LL;
  if (ticks < 0) return std::nullopt;
  FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME u, local;
  if (!FileTimeToSystemTime(&utc, &u) || !SystemTimeToTzSpecificLocalTime(nullptr, &u, &local)) {
    return std::nullopt;
  }
  return WallClock{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

#else

static_assert(sizeof(std::time_t) == 8, "a 64-bit time_t keeps the clock right after 2038");

std::optional<WallClock> wall_clock_from_epoch(std::int64_t seconds) {
  const std::time_t t = seconds;
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return std::nullopt;
  return WallClock{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                   local.tm_hour,        local.tm_min,     local.tm_sec};
}

WallClock system_wall_clock() {
  const std::optional<WallClock> now = wall_clock_from_epoch(std::time(nullptr));
  return now ? *now : WallClock{1970, 1, 1, 0, 0, 0};
}

#endif

DateTime current_datetime() {
  const WallClock c = g_reader();
  // A leap second (:60) is read as :59 so the present always encodes.
  const int second = c.second > 59 ? 59 : c.second;
  const auto value = datetime_from_fields(static_cast<std::uint16_t>(c.year), static_cast<std::uint16_t>(c.month),
                                          static_cast<std::uint16_t>(c.day), static_cast<std::uint16_t>(c.hour),
                                          static_cast<std::uint16_t>(c.minute), static_cast<std::uint16_t>(second));
  return value ? *value : INVALID_DATETIME;
}
