#include "text/number_text.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "text/fatal_error.h"

static_assert(std::numeric_limits<double>::is_iec559, "IEEE 754 doubles are assumed");
static_assert(sizeof(std::int32_t) == 4 && sizeof(double) == 8);

namespace detail {
namespace {

__extension__ using u128 = unsigned __int128;

constexpr std::uint64_t POW10[20] = {1ULL,
                                     10ULL,
                                     100ULL,
                                     1000ULL,
                                     10000ULL,
                                     100000ULL,
                                     1000000ULL,
                                     10000000ULL,
                                     100000000ULL,
                                     1000000000ULL,
                                     10000000000ULL,
                                     100000000000ULL,
                                     1000000000000ULL,
                                     10000000000000ULL,
                                     100000000000000ULL,
                                     1000000000000000ULL,
                                     10000000000000000ULL,
                                     100000000000000000ULL,
                                     1000000000000000000ULL,
                                     10000000000000000000ULL};

int count_digits(std::uint64_t v) noexcept {  // v > 0
  int n = 1;
  while (n < 20 && v >= POW10[n]) ++n;
  return n;
}

// x = mantissa * 2^exponent with the mantissa an integer below 2^53.
struct Binary {
  std::uint64_t mantissa;
  int exponent;
};

Binary decompose(double x) noexcept {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((1ULL << 52) - 1);
  if (biased == 0) return {fraction, -1074};
  return {fraction | (1ULL << 52), biased - 1075};
}

// Whole numbers below 2^64: their digits directly.
LeadingDigits from_integer(std::uint64_t v) noexcept {
  const int n = count_digits(v);
  if (n <= 18) return {v * POW10[18 - n], n};
  return {v / POW10[n - 18], n};
}

// mantissa / 2^k for k <= 124: each fraction digit is one 128-bit multiply,
// and fraction * 10 stays below 2^128.
LeadingDigits from_fraction(std::uint64_t mantissa, int k) noexcept {
  const u128 mask = (static_cast<u128>(1) << k) - 1;
  const std::uint64_t whole = k < 64 ? mantissa >> k : 0;
  u128 fraction = static_cast<u128>(mantissa) & mask;
  std::uint64_t acc = whole;
  int have = whole ? count_digits(whole) : 0;
  int exponent = have;
  while (have < 18) {
    fraction *= 10;
    const auto digit = static_cast<std::uint64_t>(fraction >> k);
    fraction &= mask;
    if (have == 0 && digit == 0) {
      --exponent;  // a leading zero after the point
      continue;
    }
    acc = acc * 10 + digit;
    ++have;
  }
  return {acc, exponent};
}

// Base 1e9 big integer, least significant limb first.
using BigDecimal = std::vector<std::uint32_t>;

void multiply_small(BigDecimal& big, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (auto& limb : big) {
    const std::uint64_t v = static_cast<std::uint64_t>(limb) * factor + carry;
    limb = static_cast<std::uint32_t>(v % 1000000000U);
    carry = v / 1000000000U;
  }
  while (carry) {
    big.push_back(static_cast<std::uint32_t>(carry % 1000000000U));
    carry /= 1000000000U;
  }
}

std::string to_decimal_string(const BigDecimal& big) {
  std::string s = std::to_string(big.back());
  char limb[10];
  for (std::size_t i = big.size() - 1; i-- > 0;) {
    std::snprintf(limb, sizeof limb, "%09u", big[i]);
    s.append(limb);
  }
  return s;
}

}  // namespace

// Exact for every finite double: the value as a big integer times a power of ten.
LeadingDigits leading_digits_slow(double x) {
  const Binary b = decompose(std::fabs(x));
  BigDecimal big{static_cast<std::uint32_t>(b.mantissa % 1000000000U)};
  for (std::uint64_t rest = b.mantissa / 1000000000U; rest; rest /= 1000000000U) {
    big.push_back(static_cast<std::uint32_t>(rest % 1000000000U));
  }
  int decimal_shift = 0;
  // Powers in chunks that keep limb * factor within 64 bits.
  if (b.exponent >= 0) {
    for (int left = b.exponent; left > 0; left -= 29) multiply_small(big, 1U << (left < 29 ? left : 29));
  } else {
    // m / 2^k = m * 5^k / 10^k
    constexpr std::uint32_t POW5[14] = {1, 5, 25, 125, 625, 3125, 15625, 78125, 390625, 1953125,
                                        9765625, 48828125, 244140625, 1220703125};
    for (int left = -b.exponent; left > 0; left -= 13) multiply_small(big, POW5[left < 13 ? left : 13]);
    decimal_shift = b.exponent;
  }
  std::string s = to_decimal_string(big);
  const int exponent = static_cast<int>(s.size()) + decimal_shift;
  s.resize(18, '0');
  std::uint64_t digits = 0;
  for (char c : s) digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
  return {digits, exponent};
}

LeadingDigits leading_digits(double x) noexcept {
  const Binary b = decompose(std::fabs(x));
  if (b.exponent >= 0 && b.exponent <= 11) return from_integer(b.mantissa << b.exponent);
  if (b.exponent < 0 && b.exponent >= -124 && b.mantissa >= (1ULL << 52)) {
    return from_fraction(b.mantissa, -b.exponent);
  }
  return leading_digits_slow(x);
}

}  // namespace detail

namespace {

// Appends the digits of v, most significant first.
void append_unsigned(std::string& out, std::uint64_t v) {
  char buf[20];
  int n = 0;
  do {
    buf[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v);
  while (n) out.push_back(buf[--n]);
}

// Drops zeros at the end of the fraction, and the "." when nothing is left after it.
void trim_fraction(std::string& out, std::size_t point) {
  while (out.size() > point + 1 && out.back() == '0') out.pop_back();
  if (out.size() == point + 1) out.pop_back();
}

}  // namespace

Text real_to_text(double x) {
  if (x == 0.0) return Text::from_bytes("0");
  detail::LeadingDigits d = detail::leading_digits(x);
  // Step 1: half up to 17 digits on the 18th digit.
  std::uint64_t d17 = d.digits / 10 + (d.digits % 10 >= 5 ? 1 : 0);
  if (d17 == 100000000000000000ULL) {
    d17 /= 10;
    ++d.exponent;
  }
  // Step 2: half up to 13 digits, judged by the 14th digit of the 17-digit form alone.
  std::uint64_t d13 = d17 / 10000 + ((d17 / 1000) % 10 >= 5 ? 1 : 0);
  if (d13 == 10000000000000ULL) {
    d13 /= 10;
    ++d.exponent;
  }
  const int m = d.exponent - 1;  // power of ten of the first digit
  std::string digits;
  append_unsigned(digits, d13);  // always 13 digits

  std::string out;
  if (x < 0) out.push_back('-');
  if (m < -4 || m >= 13) {
    out.push_back(digits[0]);
    const std::size_t point = out.size();
    out.push_back('.');
    out.append(digits, 1, std::string::npos);
    trim_fraction(out, point);
    out.push_back('e');
    out.push_back(m < 0 ? '-' : '+');
    const int magnitude = m < 0 ? -m : m;
    if (magnitude < 100) out.push_back('0');
    if (magnitude < 10) out.push_back('0');
    append_unsigned(out, static_cast<std::uint64_t>(magnitude));
  } else if (m >= 0) {
    out.append(digits, 0, static_cast<std::size_t>(m) + 1);
    const std::size_t point = out.size();
    out.push_back('.');
    out.append(digits, static_cast<std::size_t>(m) + 1, std::string::npos);
    trim_fraction(out, point);
  } else {
    out.push_back('0');
    const std::size_t point = out.size();
    out.push_back('.');
    out.append(static_cast<std::size_t>(-m - 1), '0');
    out.append(digits);
    trim_fraction(out, point);
  }
  return Text::from_bytes(out);
}

Text integer_to_text(std::int32_t i) {
  std::string out;
  if (i < 0) out.push_back('-');
  const std::uint64_t magnitude =
      i < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(i)) : static_cast<std::uint64_t>(i);
  append_unsigned(out, magnitude);
  return Text::from_bytes(out);
}

std::int32_t real_to_integer(double x) noexcept {
  constexpr double TWO_63 = 9223372036854775808.0;
  if (std::isnan(x) || std::fabs(x) >= TWO_63) return 0;
  const auto whole = static_cast<std::int64_t>(x);  // truncates toward zero
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole)));
}

double real_remainder(double x, double y) {
  if (y == 0.0 || std::isnan(y)) fatal_error(REMAINDER_BY_ZERO);
  return std::fmod(x, y);  // exact, with the sign of x
}
