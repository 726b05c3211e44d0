#pragma once
// The date-time of calendar fields that the test knows to be valid.
#include <cstdint>

#include "datetime/datetime.h"

inline double at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return *datetime_from_fields(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(mo),
                               static_cast<std::uint16_t>(d), static_cast<std::uint16_t>(h),
                               static_cast<std::uint16_t>(mi), static_cast<std::uint16_t>(s));
}

inline std::optional<DateTime> fields_to_datetime(int y, int mo, int d, int h, int mi, int s) {
  return datetime_from_fields(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(mo),
                              static_cast<std::uint16_t>(d), static_cast<std::uint16_t>(h),
                              static_cast<std::uint16_t>(mi), static_cast<std::uint16_t>(s));
}
