#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "datetime/datetime.h"
#include "tests/dates.h"

namespace {

// Month lengths written independently of the code under test.
int month_length(int y, int mo) {
  if (mo == 2) return (y % 400 == 0 || (y % 4 == 0 && y % 100 != 0)) ? 29 : 28;
  return 30 + (mo + mo / 8) % 2;
}

// Full-width forms, written out as code page 936 bytes.
const std::string FW_1986 = "１９８６";
const std::string FW_01 = "０１";
const std::string FW_21 = "２１";
const std::string FW_1 = "１";
const std::string FW_HYPHEN = "－";

TEST(TextToDatetime, AcceptedTexts) {
  const double jan21 = at(1986, 1, 21);
  const double jan21_100503 = at(1986, 1, 21, 10, 5, 3);
  const double jan21_1005 = at(1986, 1, 21, 10, 5, 0);
  struct {
    std::string text;
    double want;
    const char* why;
  } cases[] = {
      {"198601210时0分1秒", 31433.000011574073, "the report's birth text"},
      {"19860121", 31433.0, "eight digits"},
      {"1986-01-21", jan21, "hyphens"},
      {"1986/1/21", jan21, "slashes, one-digit month"},
      {"1986.1.21", jan21, "full stops"},
      {"1986:1:21", jan21, "colons"},
      {"1986年1月21日", jan21, "unit characters"},
      {"1986-01-21日", jan21, "day unit alone"},
      {"198601210", jan21, "a zero hour after the day"},
      {"19860121 ", jan21, "one space after the day"},
      {FW_1986 + FW_HYPHEN + FW_01 + FW_HYPHEN + FW_21, jan21, "full-width digits and hyphens"},
      {FW_1986 + "年" + FW_1 + "月" + FW_21 + "日", jan21, "full-width digits with units"},
      {"1986年01月21日0时0分1秒", at(1986, 1, 21, 0, 0, 1), "units throughout"},
      {"1986年1月21日10时5分3秒", jan21_100503, "units with a time"},
      {"1986-01-21 10:05:03", jan21_100503, "space between date and time"},
      {"1986/01/21/10/05/03", jan21_100503, "slashes throughout"},
      {"1986.01.21.10.05.03", jan21_100503, "full stops throughout"},
      {"1986-01-2110:05:03", jan21_100503, "no separator after the day"},
      {"1986-1-21 9:5:3", at(1986, 1, 21, 9, 5, 3), "one-digit time fields"},
      {"1986-01-21 10:05", jan21_1005, "no seconds"},
      {"1986-01-21 10时05分", jan21_1005, "units without seconds"},
      {"1986-01-21　10:05", jan21_1005, "ideographic space folds to a space"},
      {"1986-01-21 10:05:03秒abc", jan21_100503, "nothing after 秒 is read"},
      {"19860121235959", at(1986, 1, 21, 23, 59, 59), "digits run from field to field"},
      {"1986012", at(1986, 1, 2), "seven digits: one-digit day"},
      {"1986121", at(1986, 12, 1), "seven digits: two-digit month first"},
      {"1986-1-20时0分1秒", at(1986, 1, 20, 0, 0, 1), "the appended 0 completes the day"},
      {"19860120时0分1秒", at(1986, 1, 20, 0, 0, 1), "the appended 0 completes the day"},
      {"198601310时0分1秒", at(1986, 1, 31, 0, 0, 1), "31 January"},
      {"198604300时0分1秒", at(1986, 4, 30, 0, 0, 1), "30 April"},
      {"986-1-1", -333829.0, "three-digit year"},
      {"986年1月1日", -333829.0, "three-digit year with units"},
      {"12345-01-01", at(1234, 5, 1, 1, 0, 0), "fifth digit is the month"},
      {"200002290时0分1秒", at(2000, 2, 29, 0, 0, 1), "leap century"},
      {"20240229", at(2024, 2, 29), "leap year"},
      {"01000101", -657434.0, "valid 0100-01-01, equal to the failure value"},
      {"999912310时0分1秒", 2958465.000011574, "above the readable range, not rejected"},
  };
  for (const auto& c : cases) {
    const auto got = parse_datetime(c.text);
    ASSERT_TRUE(got.has_value()) << c.why;
    EXPECT_EQ(*got, c.want) << c.why;
    EXPECT_EQ(text_to_datetime(c.text), c.want) << c.why;
  }
}

TEST(TextToDatetime, RejectedTexts) {
  struct {
    std::string text;
    const char* why;
  } cases[] = {
      {"198613210时0分1秒", "month 13"},
      {"198600210时0分1秒", "month 0"},
      {"198601000时0分1秒", "day 0"},
      {"198604310时0分1秒", "31 April"},
      {"198602290时0分1秒", "29 February 1986"},
      {"190002290时0分1秒", "29 February 1900"},
      {"20250229", "29 February 2025"},
      {"009912310时0分1秒", "year below 100"},
      {"86-01-21", "two-digit year"},
      {"1986-01-21 24:00:00", "hour 24"},
      {"1986-01-21 23:60", "minute 60"},
      {"", "empty text"},
      {"abc", "no digits"},
      {" 19860121", "leading space"},
      {"+1986-01-21", "sign"},
      {"198611", "day missing"},
      {"2024", "month and day missing"},
      {"1986年", "month and day missing after the unit"},
      {"1986010时0分1秒", "day 0 after the month"},
      {"1986ab210时0分1秒", "letters where a field stands"},
      {"19860121x", "a letter after the fields"},
      {"1986-01-21T10:05:03", "T between date and time"},
      {"1986-01-21 10:05:03 ", "a space after the seconds"},
      {"1986-01-21 10:05:03.5", "a fraction of a second"},
      {"1986 01 21", "spaces in the date"},
      {"1986-01-21  10:05", "two spaces"},
      {"1986年1月21日 10时5分3秒", "a space after 日 is not consumed"},
      {"--------", "minus signs only"},
      {"出生日期", "Chinese characters"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(parse_datetime(c.text).has_value()) << c.why;
    EXPECT_EQ(text_to_datetime(c.text), INVALID_DATETIME) << c.why;
  }
}

TEST(FoldFullwidth, ReplacementsAndLoneLeadByte) {
  struct {
    std::string text, want;
    const char* why;
  } cases[] = {
      {"１２：３４", "12:34", "full-width digits and colon"},
      {"　", " ", "ideographic space"},
      {"～", "~", "full-width tilde"},
      {"☆★", "**", "white and black star"},
      {"年月", "年月", "unit characters are kept"},
      {"12\xB0", "12", "a lone lead byte at the end is dropped"},
      {"\xA3", "", "only a lead byte"},
      {"a b", "a b", "spaces and ASCII pass"},
  };
  for (const auto& c : cases) EXPECT_EQ(fold_fullwidth(c.text).view(), c.want) << c.why;
}

TEST(NormaliseFields, ClampsEveryField) {
  std::int32_t f[6] = {99, 13, 31, 24, 60, -1};
  normalise_fields(f);
  const std::int32_t want[6] = {100, 12, 31, 23, 59, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(f[i], want[i]) << i;
  std::int32_t feb[6] = {2023, 2, 31, 0, 0, 0};
  normalise_fields(feb);
  EXPECT_EQ(feb[2], 28);
}

// Every valid YYYYMMDD converts to its date; every impossible month or day fails.
TEST(TextToDatetimeExhaustive, EveryEightDigitDate) {
  char text[32];
  int failures = 0;
  for (int y = 100; y <= 9999; ++y) {
    for (int mo = 1; mo <= 12; ++mo) {
      const int len = month_length(y, mo);
      for (int d = 0; d <= len + 1; ++d) {
        std::snprintf(text, sizeof text, "%04d%02d%02d", y, mo, d);
        const auto got = parse_datetime(text);
        const bool valid = d >= 1 && d <= len;
        const bool ok = valid ? got && *got == at(y, mo, d) : !got;
        if (!ok && ++failures <= 10) ADD_FAILURE() << text;
      }
    }
    for (int mo : {0, 13, 20, 99}) {
      std::snprintf(text, sizeof text, "%04d%02d01", y, mo);
      if (parse_datetime(text) && ++failures <= 10) ADD_FAILURE() << text;
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(TextToDatetimeExhaustive, EveryMonthDayPairInSampleYears) {
  char text[32];
  for (int y : {100, 1900, 1986, 2000, 2024, 2025, 2100, 9999}) {
    for (int mo = 0; mo <= 99; ++mo) {
      for (int d = 0; d <= 99; ++d) {
        std::snprintf(text, sizeof text, "%04d%02d%02d", y, mo, d);
        const bool valid = mo >= 1 && mo <= 12 && d >= 1 && d <= month_length(y, mo);
        ASSERT_EQ(parse_datetime(text).has_value(), valid) << text;
      }
    }
  }
}

}  // namespace
