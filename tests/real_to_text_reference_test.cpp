// real_to_text against a reference built another way: glibc prints the exact
// decimal value of a double at any precision; the rounding is then done by
// hand on digit strings.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <random>
#include <string>

#include "text/number_text.h"

namespace {

// Half of the draws are raw bit patterns (mostly huge and tiny exponents), half
// have exponents where report values and the fast digit path live.
double draw(std::mt19937_64& rng, int i) {
  const std::uint64_t bits = rng();
  if (i % 2 == 0) return std::bit_cast<double>(bits);
  const std::uint64_t biased = 1023 - 140 + (bits >> 52) % 220;
  return std::bit_cast<double>((bits & 0x800FFFFFFFFFFFFFULL) | (biased << 52));
}

// Exact digits of |x| and the power of ten of the first one.
void exact_digits(double x, std::string& digits, int& first_power) {
  char buf[1200];
  std::snprintf(buf, sizeof buf, "%.1100e", x < 0 ? -x : x);
  std::string s(buf);
  const std::size_t e = s.find('e');
  first_power = std::stoi(s.substr(e + 1));
  digits.clear();
  for (std::size_t i = 0; i < e; ++i) {
    if (s[i] >= '0' && s[i] <= '9') digits.push_back(s[i]);
  }
}

// Adds one unit at the last digit; returns true when the carry runs out of the front.
bool increment(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
  digits.pop_back();
  return true;
}

std::string reference_text(double x) {
  if (x == 0) return "0";
  std::string digits;
  int power;
  exact_digits(x, digits, power);
  std::string d17 = digits.substr(0, 17);
  if (digits[17] >= '5' && increment(d17)) ++power;
  std::string d13 = d17.substr(0, 13);
  if (d17[13] >= '5' && increment(d13)) ++power;
  std::string out = x < 0 ? "-" : "";
  auto trimmed = [](std::string s) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    return s.empty() ? s : "." + s;
  };
  if (power < -4 || power >= 13) {
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%03d", power < 0 ? '-' : '+', power < 0 ? -power : power);
    return out + d13.substr(0, 1) + trimmed(d13.substr(1)) + exponent;
  }
  if (power >= 0) return out + d13.substr(0, power + 1) + trimmed(d13.substr(power + 1));
  return out + "0" + trimmed(std::string(-power - 1, '0') + d13);
}

TEST(RealToTextReference, MillionRandomDoublesOverAllExponents) {
  std::mt19937_64 rng(20261210);
  int mismatches = 0;
  for (int i = 0; i < 1000000; ++i) {
    const double x = draw(rng, i);
    if (!std::isfinite(x)) continue;
    const std::string got(real_to_text(x).view());
    const std::string want = reference_text(x);
    if (got != want && ++mismatches <= 10) ADD_FAILURE() << std::hexfloat << x << ": " << got << " vs " << want;
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(RealToTextReference, ReportSizedValues) {
  // Ages and counts: uniformly spread values where the report lives.
  std::mt19937_64 rng(86400);
  std::uniform_real_distribution<double> age(-200.0, 200.0);
  std::uniform_int_distribution<long long> count(-100000000000LL, 100000000000LL);
  for (int i = 0; i < 200000; ++i) {
    const double a = age(rng);
    ASSERT_EQ(real_to_text(a).view(), reference_text(a)) << std::hexfloat << a;
    const double c = static_cast<double>(count(rng));
    ASSERT_EQ(real_to_text(c).view(), reference_text(c)) << c;
  }
}

TEST(RealToTextReference, FourteenthDigitFive) {
  // Values whose 17-digit form has a 5 as its 14th digit: the half-up boundary,
  // built from decimal strings so that every exponent range is reached.
  std::mt19937_64 rng(5);
  std::uniform_int_distribution<long long> head(1000000000000LL, 9999999999999LL);
  std::uniform_int_distribution<int> tail(0, 999), power(-320, 300);
  int checked = 0;
  for (int i = 0; i < 200000; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "%lld5%03de%d", head(rng), tail(rng), power(rng));
    const double x = std::strtod(text, nullptr);
    if (x == 0 || !std::isfinite(x)) continue;
    ASSERT_EQ(real_to_text(x).view(), reference_text(x)) << text;
    ++checked;
  }
  EXPECT_GT(checked, 150000);
}

TEST(RealToTextReference, FastAndSlowDigitsAgree) {
  std::mt19937_64 rng(17);
  for (int i = 0; i < 100000; ++i) {
    const double x = draw(rng, i);
    if (!std::isfinite(x) || x == 0) continue;
    const auto fast = detail::leading_digits(x);
    const auto slow = detail::leading_digits_slow(x);
    ASSERT_EQ(fast.digits, slow.digits) << std::hexfloat << x;
    ASSERT_EQ(fast.exponent, slow.exponent) << std::hexfloat << x;
  }
}

}  // namespace
