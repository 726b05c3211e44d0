#pragma once
// Numbers as the report shows them: "." as the decimal point whatever the
// locale, no thousands separator.
#include <cstdint>

#include "text/text.h"

// "%.13g" with half-up rounding judged on the 17-digit form, exponents of at
// least three digits ("1e+013"), no "." for whole values.
Text real_to_text(double x);
Text integer_to_text(std::int32_t i);
// Truncates toward zero and keeps the low 32 bits; NaN and |x| >= 2^63 give 0.
std::int32_t real_to_integer(double x) noexcept;
// x - trunc(x / y) * y exactly, with the sign of x; a zero or NaN y is fatal.
double real_remainder(double x, double y);

namespace detail {
// The first 18 significant decimal digits of |x| (x finite, not zero), cut
// without rounding, as an integer in [1e17, 1e18), and E with |x| = 0.d1d2... * 10^E.
struct LeadingDigits {
  std::uint64_t digits;
  int exponent;
};
LeadingDigits leading_digits(double x) noexcept;
LeadingDigits leading_digits_slow(double x);
}  // namespace detail
