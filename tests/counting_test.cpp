#include <gtest/gtest.h>

#include <malloc.h>

#include <string>

#include "tests/app_fixture.h"

namespace {

using CountingTest = AppTest;

std::string report(const char* y, const char* mo, const char* w, const char* d, const char* h, const char* mi,
                   const char* s) {
  return std::string(y) + " 年\r\n\r\n" + mo + " 月\r\n\r\n" + w + " 周\r\n\r\n" + d + " 天\r\n\r\n" + h +
         " 小时\r\n\r\n" + mi + " 分钟\r\n\r\n" + s + " 秒";
}

TEST_F(CountingTest, WorkedReports) {
  struct {
    const char* box;
    WallClock now;
    std::string want;
    const char* why;
  } cases[] = {
      {"19900615", {2024, 3, 1, 10, 0, 0}, report("34", "405", "1759", "12313", "295521", "17731319", "1063879199"),
       "calendar years although the birthday is ahead"},
      {"19860121", {2025, 1, 21, 8, 30, 0}, report("39", "468", "2035", "14245", "341888", "20513309", "1230798599"),
       "days truncated"},
      {"20250301", {2025, 3, 1, 0, 5, 0}, report("0", "0", "0", "0", "0", "4", "299"), "born today"},
      {"20300615", {2025, 1, 21, 8, 30, 0},
       report("-5", "-65", "-281", "-1970", "-47295", "-2837730", "-170263800"), "a birth in the future"},
      {"19861321", {2025, 1, 21, 8, 30, 0},
       report("1925", "23100", "100445", "703112", "16874696", "1012481790", "60748907400"),
       "an impossible box text counts from 0100-01-01"},
      {"19550101", {2024, 3, 1, 10, 0, 0}, report("69", "830", "3609", "25262", "606297", "36377879", "2182672799"),
       "seconds above 2^31 shown in full"},
  };
  for (const auto& c : cases) {
    start(c.now);
    set_box(c.box);
    时钟1_周期事件();
    EXPECT_EQ(text("标签6"), c.want) << c.why;
    TearDown();
  }
}

TEST_F(CountingTest, WorkedAgeLines) {
  struct {
    const char* box;
    WallClock now;
    const char* want;
    const char* why;
  } cases[] = {
      {"19900615", {2024, 3, 1, 10, 0, 0}, "33.71152094718岁了", "before the birthday"},
      {"19900615", {2024, 9, 15, 12, 0, 0}, "34.25273220881岁了", "after the birthday"},
      {"19900615", {2024, 6, 14, 23, 59, 59}, "33.99999996838岁了", "two seconds before gives -1"},
      {"19900615", {2024, 6, 15, 0, 0, 0}, "34岁了", "at midnight of the birthday"},
      {"19900615", {2024, 6, 15, 0, 0, 1}, "34岁了", "at the birth instant"},
      {"19900615", {2024, 6, 15, 0, 0, 2}, "34.00000003162岁了", "one second after"},
      {"19860121", {2025, 1, 21, 8, 30, 0}, "39.00097028792岁了", "a common year"},
      {"20000229", {2024, 3, 1, 12, 0, 0}, "24.00409832903岁了", "29 February in a leap year"},
      {"20241231", {2025, 1, 1, 0, 0, 0}, "0.002739726027397岁了", "one day old across New Year"},
      {"20250301", {2025, 3, 1, 0, 5, 0}, "9.481227803146e-006岁了", "born today: exponent form"},
      {"20300615", {2025, 1, 21, 8, 30, 0}, "-5.396289954338岁了", "a birth in the future"},
      {"1990-6-1", {2025, 1, 21, 8, 30, 0}, "34.6174086758岁了", "the appended 0 completes the day"},
      {"19861321", {2025, 1, 21, 8, 30, 0}, "1944.63994343岁了", "impossible text: both instants are 0100-01-01"},
      // Mended: a common year's birthday for 29 February is 1 March.
      {"20000229", {2025, 3, 1, 12, 0, 0}, "25.0013698313岁了", "29 February in a common year"},
      // Mended: 2100 is a common year of 365 days.
      {"20000101", {2100, 7, 1, 0, 0, 0}, "100.4958903792岁了", "2100 has 365 days"},
      {"20000101", {2000, 7, 1, 0, 0, 0}, "0.4972677279397岁了", "2000 has 366 days"},
  };
  for (const auto& c : cases) {
    start(c.now);
    set_box(c.box);
    时钟1_周期事件();
    EXPECT_EQ(text("标签4"), c.want) << c.box << ": " << c.why;
    TearDown();
  }
}

TEST_F(CountingTest, AcceptedDateStartsTheReport) {
  start({2024, 3, 1, 10, 0, 0}, "ok\n");
  click("标签1");
  type("19900615");
  click("计算按钮");
  EXPECT_EQ(take_output(), "msgbox Quillora提示|已开始计算，结果每秒更新一次。\n");
  EXPECT_TRUE(in_view("标签6"));
  EXPECT_FALSE(in_view("日期编辑框"));
  EXPECT_EQ(text("标签6"), report("34", "405", "1759", "12313", "295521", "17731319", "1063879199"));
  EXPECT_EQ(text("标签4"), "33.71152094718岁了");
  EXPECT_EQ(control("时钟1").period, 1000);
  backend.advance(1);
  EXPECT_EQ(text("标签6"), report("34", "405", "1759", "12313", "295522", "17731320", "1063879200"));
}

TEST_F(CountingTest, RejectedTextsChangeOnlyTheErrorLine) {
  const char* cases[] = {
      "",         "1986012",  // empty and short
      "19861321", "19860230", "--------", "出生日期",  // no date
      "1986-1-2", "1990-6-1", "1986-1-1",  // the appended 0 would complete the day
  };
  for (const char* box : cases) {
    start();
    set_box(box);
    click("计算按钮");
    EXPECT_EQ(text("标签2"), "请按正确的格式填写，如19890121, 1-9月/日请用01-09表示.") << box;
    EXPECT_EQ(take_output(), "") << "no message box for " << box;
    EXPECT_EQ(输入页偏移, 0) << box;
    EXPECT_EQ(control("时钟1").period, 0) << box;
    EXPECT_EQ(text("日期编辑框"), box);
    TearDown();
  }
}

TEST_F(CountingTest, AcceptedTextsIncludingTheFutureAndYear100) {
  for (const char* box : {"19860121", "20300615", "01000101", "99991231", "1986-1-21"}) {
    start({2024, 3, 1, 10, 0, 0}, "ok\n");
    set_box(box);
    click("计算按钮");
    EXPECT_EQ(结果页偏移, 0) << box;
    EXPECT_EQ(text("标签2"), "") << box;
    TearDown();
  }
}

TEST_F(CountingTest, ErrorLineIsClearedByALaterAcceptedClick) {
  start({2024, 3, 1, 10, 0, 0}, "ok\n");
  set_box("1986");
  click("计算按钮");
  ASSERT_NE(text("标签2"), "");
  set_box("19860121");
  click("计算按钮");
  EXPECT_EQ(text("标签2"), "");
}

TEST_F(CountingTest, SecondAcceptedClickKeepsTheRhythm) {
  start({2024, 3, 1, 10, 0, 0}, "ok\nok\n");
  set_box("19900615");
  click("计算按钮");
  backend.advance(0.5);
  // 计算按钮 keeps the focus out of sight; Space runs the check again.
  model->key_space();
  EXPECT_EQ(take_output(), "msgbox Quillora提示|已开始计算，结果每秒更新一次。\n"
                           "msgbox Quillora提示|已开始计算，结果每秒更新一次。\n");
  backend.advance(0.5);  // the tick still comes at 1.0 s, not 1.5 s
  EXPECT_EQ(text("标签6"), report("34", "405", "1759", "12313", "295522", "17731320", "1063879200"));
}

TEST_F(CountingTest, HiddenPageFollowsTheBox) {
  start({2024, 3, 1, 10, 0, 0}, "ok\n");
  set_box("19860121");
  click("计算按钮");
  click("未来按钮");
  set_box("19900615");
  backend.advance(1);
  EXPECT_EQ(text("标签6"), report("34", "405", "1759", "12313", "295522", "17731320", "1063879200"));
  set_box("199006");  // while the user edits: counts from 0100-01-01
  backend.advance(1);
  EXPECT_EQ(text("标签6").substr(0, 4), "1924");
}

TEST_F(CountingTest, TicksGoOnBehindTheFutureMessageBox) {
  start({2024, 3, 1, 10, 0, 0}, "ok\nwait 3\nok\n");
  set_box("19900615");
  click("计算按钮");
  take_output();
  click("未来");
  EXPECT_EQ(take_output(),
            "msgbox Quillora提示|应作者能力有限所以只能网页打开\n"
            "open_url https://www.quillora.com/quillora/future.php?date_time=19900615\n");
  EXPECT_EQ(text("标签6"), report("34", "405", "1759", "12313", "295522", "17731320", "1063879202"));
}

TEST_F(CountingTest, FutureAddressIsPercentEncoded) {
  struct {
    const char* box;
    const char* want;
  } cases[] = {
      {"19860121", "https://www.quillora.com/quillora/future.php?date_time=19860121"},
      {"", "https://www.quillora.com/quillora/future.php?date_time="},
      {"1986-1-2", "https://www.quillora.com/quillora/future.php?date_time=1986-1-2"},
      {"a b&x=1#", "https://www.quillora.com/quillora/future.php?date_time=a%20b%26x%3D1%23"},
      {"出生", "https://www.quillora.com/quillora/future.php?date_time=%B3%F6%C9%FA"},
  };
  for (const auto& c : cases) {
    start({2024, 3, 1, 10, 0, 0}, "ok\n");
    set_box(c.box);
    未来_被单击();
    EXPECT_EQ(take_output(), std::string("msgbox Quillora提示|应作者能力有限所以只能网页打开\nopen_url ") + c.want + "\n")
        << c.box;
    TearDown();
  }
}

TEST_F(CountingTest, ADayOfTicksLeavesTheHeapFlat) {
  start({2024, 3, 1, 10, 0, 0}, "ok\n");
  set_box("19900615");
  click("计算按钮");
  backend.advance(1000);
  const std::size_t after_warm_up = mallinfo2().uordblks;
  backend.advance(86400 - 1000);
  const std::size_t after_a_day = mallinfo2().uordblks;
  EXPECT_LE(after_a_day, after_warm_up + 4096) << "heap grew over 85400 ticks";
  EXPECT_EQ(text("标签6").substr(0, 2), "34");
}

}  // namespace
