#include "text/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

struct RealCase {
  double x;
  const char* want;
  const char* why;
};

const RealCase REAL_CASES[] = {
    {34.0, "34", "whole values have no point"},
    {-75.0, "-75", "negative whole value"},
    {0.0, "0", "zero"},
    {-0.0, "0", "negative zero has no sign"},
    {1174780033.0, "1174780033", "ten-digit count"},
    {2147483647.0, "2147483647", "largest 32-bit value"},
    {60748907400.0, "60748907400", "counts above 32 bits are shown in full"},
    {33.75136612021858, "33.75136612022", "13 significant digits"},
    {34.252732208814, "34.25273220881", "rounds down on a 14th digit of 4"},
    {-0.5, "-0.5", "negative fraction"},
    {0.1, "0.1", "17-digit form 0.10000000000000001 trims"},
    {0.30000000000000004, "0.3", "noise past 13 digits disappears"},
    {123.45678901234567, "123.4567890123", "plain form with 3 integer digits"},
    {0.00011412354134956875, "0.0001141235413496", "m = -4 stays plain"},
    {0.00009999999999999999, "0.0001", "rounding lifts the value into the plain form"},
    {0.000025, "2.5e-005", "m = -5 switches to the exponent form"},
    {0.000009481227803145611, "9.481227803146e-006", "exponent form with 13 digits"},
    {9999999999999.0, "9999999999999", "largest 13-digit whole value"},
    {9999999999999.5, "1e+013", "rounding makes 14 digits, so the exponent form"},
    {10000000000000.0, "1e+013", "m = 13 switches to the exponent form"},
    {123456789012345.0, "1.234567890123e+014", "exponent form cuts to 13 digits"},
    {1234567890122.5, "1234567890123", "an exact half rounds up, not to even"},
    {1e100, "1e+100", "three exponent digits"},
    {1e-300, "1e-300", "tiny values"},
    {-1.5e308, "-1.5e+308", "huge negative values"},
    {5e-324, "4.940656458412e-324", "smallest subnormal"},
    {33.71152094718, "33.71152094718", "an age line"},
    {9.998097412481e-005, "9.998097412481e-005", "just below the plain form"},
    {2251799813685247.75, "2.251799813685e+015", "exact tie at the 18th digit"},
};

TEST(RealToText, WorkedExamples) {
  for (const auto& c : REAL_CASES) EXPECT_EQ(real_to_text(c.x).view(), c.want) << c.why;
}

TEST(RealToText, HalfUpJudgedOnTheSeventeenDigitForm) {
  // 0.1234567890123449999 has the 17-digit form 0.12345678901234500 (d14 = 5),
  // so it rounds up although the exact value lies below the half.
  EXPECT_EQ(real_to_text(0.1234567890123449999).view(), "0.1234567890123");
  EXPECT_EQ(real_to_text(0.12345678901234500).view(), "0.1234567890123");
  EXPECT_EQ(real_to_text(1.2345678901234999).view(), "1.234567890124");
}

// Builds a de_DE locale inside the build folder when the system has none.
bool use_comma_locale() {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8")) return true;
  const std::string dir = testing::TempDir() + "quillora-locale";
  const std::string cmd = "localedef -i de_DE -f UTF-8 " + dir + "/de_DE.UTF-8 >/dev/null 2>&1";
  if (std::system(("mkdir -p " + dir).c_str()) != 0 || std::system(cmd.c_str()) != 0) return false;
  setenv("LOCPATH", dir.c_str(), 1);
  return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

TEST(RealToText, DecimalPointIgnoresLocale) {
  ASSERT_TRUE(use_comma_locale()) << "no locale with a comma decimal point could be made";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 0.5);
  ASSERT_STREQ(probe, "0,5") << "the locale must really use a comma";
  for (const auto& c : REAL_CASES) EXPECT_EQ(real_to_text(c.x).view(), c.want) << c.why;
  std::setlocale(LC_ALL, "C");
}

TEST(IntegerToText, SignsAndExtremes) {
  struct {
    std::int32_t i;
    const char* want;
  } cases[] = {{12511, "12511"}, {-2098, "-2098"}, {0, "0"}, {-2147483647 - 1, "-2147483648"},
               {2147483647, "2147483647"}};
  for (const auto& c : cases) EXPECT_EQ(integer_to_text(c.i).view(), c.want);
}

TEST(RealToInteger, TruncationAndLow32Bits) {
  struct {
    double x;
    std::int32_t want;
    const char* why;
  } cases[] = {
      {12511.4999, 12511, "truncates"},
      {-2098.5, -2098, "toward zero"},
      {-0.99, 0, "small negatives give zero"},
      {31536000.0, 31536000, "a year of seconds"},
      {60752289600.0, 622747456, "low 32 bits"},
      {2147483648.0, -2147483647 - 1, "2^31 wraps"},
      {-2147483649.0, 2147483647, "-2^31 - 1 wraps"},
      {9223372036854775808.0, 0, "2^63 gives 0"},
      {-9223372036854775808.0, 0, "-2^63 gives 0"},
      {9223372036854774784.0, -1024, "largest double below 2^63 keeps its low bits"},
      {std::numeric_limits<double>::quiet_NaN(), 0, "NaN gives 0"},
      {std::numeric_limits<double>::infinity(), 0, "infinity gives 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(real_to_integer(c.x), c.want) << c.why;
}

TEST(RealRemainder, SignOfTheDividend) {
  struct {
    double x, y, want;
  } cases[] = {{2024, 4, 0}, {2025, 4, 1}, {2100, 4, 0}, {-7, 4, -3}, {7, -4, 3}, {7.5, 2, 1.5},
               {1152921504606846976.0, 3, 1}, {4503599627370497.0, 4, 1}};
  for (const auto& c : cases) EXPECT_EQ(real_remainder(c.x, c.y), c.want) << c.x << " % " << c.y;
  const double negative_zero = real_remainder(-8, 4);
  EXPECT_EQ(negative_zero, 0.0);
  EXPECT_TRUE(std::signbit(negative_zero));
}

TEST(RealRemainderDeathTest, ZeroOrNaNDivisorIsFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(real_remainder(1, 0.0), testing::ExitedWithCode(255), "\xB2\xBB\xC4\xDC");
  EXPECT_EXIT(real_remainder(1, -0.0), testing::ExitedWithCode(255), "\xB2\xBB\xC4\xDC");
  EXPECT_EXIT(real_remainder(1, std::nan("")), testing::ExitedWithCode(255), "\xB2\xBB\xC4\xDC");
}

}  // namespace
