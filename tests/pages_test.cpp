#include <gtest/gtest.h>

#include "tests/app_fixture.h"

namespace {

struct Place {
  const char* name;
  int left, top;
};

// Places with the page in view; the offset is added to every left.
const Place ENTRY_PAGE[] = {{"图片框1", 357, 16}, {"日期编辑框", 41, 320}, {"标签1", 43, 324},
                            {"标签2", 40, 368},   {"计算按钮", 241, 392}};
const Place RESULT_PAGE[] = {{"图片框2", 184, 24}, {"图片框3", 0, 0},      {"标签3", 320, 40},
                             {"标签4", 320, 64},   {"标签5", 56, 200},     {"标签6", 72, 232},
                             {"未来按钮", 277, 568}, {"未来", 64, 576}};

using PagesTest = AppTest;

void expect_page(AppTest& t, const Place (&page)[5], int offset) {
  for (const Place& p : page) {
    EXPECT_EQ(t.control(p.name).left, p.left + offset) << p.name;
    EXPECT_EQ(t.control(p.name).top, p.top) << p.name;
  }
}

void expect_result_page(AppTest& t, int offset) {
  for (const Place& p : RESULT_PAGE) {
    EXPECT_EQ(t.control(p.name).left, p.left + offset) << p.name;
    EXPECT_EQ(t.control(p.name).top, p.top) << p.name;
    EXPECT_EQ(t.in_view(p.name), offset == 0) << p.name;
  }
}

TEST_F(PagesTest, FirstLayoutShowsTheEntryPage) {
  start();
  EXPECT_EQ(输入页偏移, 0);
  EXPECT_EQ(结果页偏移, -800);
  expect_page(*this, ENTRY_PAGE, 0);
  expect_result_page(*this, -800);
  EXPECT_EQ(model->control(model->focus()).design->name, "日期编辑框");
  EXPECT_TRUE(control("标签1").visible);
  EXPECT_EQ(control("日期编辑框").max_length, 8);
  EXPECT_EQ(control("日期编辑框").input_mode, 3);
  EXPECT_EQ(control("日期编辑框").height, 40);  // 18 points at 96 dpi fit the 40-pixel box
  EXPECT_EQ(control("时钟1").period, 0);
  EXPECT_EQ(model->window_left(), 283);
  EXPECT_EQ(model->window_top(), 51);
}

TEST_F(PagesTest, OutOfSightLabelsInsideThePictureBoxAreShiftedTwice) {
  start();
  // 标签3 sits at -480 inside 图片框3, which itself is at -800.
  EXPECT_EQ(model->client_rect(id("标签3")).left, -800 - 480);
  EXPECT_FALSE(in_view("标签6"));
  EXPECT_FALSE(click("未来"));
  EXPECT_FALSE(click("标签4"));
}

TEST_F(PagesTest, TabCyclesIntoControlsOutOfSight) {
  start();
  const char* forward[] = {"计算按钮", "未来按钮", "未来", "日期编辑框", "计算按钮"};
  for (const char* name : forward) {
    model->key_tab(false);
    EXPECT_EQ(model->control(model->focus()).design->name, name);
  }
  const char* backward[] = {"日期编辑框", "未来", "未来按钮", "计算按钮"};
  for (const char* name : backward) {
    model->key_tab(true);
    EXPECT_EQ(model->control(model->focus()).design->name, name);
  }
}

TEST_F(PagesTest, SpaceOnTheBackButtonOutOfSight) {
  start();
  model->key_tab(false);
  model->key_tab(false);  // 未来按钮, out of sight
  model->key_space();
  EXPECT_EQ(输入页偏移, 0);
  EXPECT_EQ(结果页偏移, -800);
  expect_page(*this, ENTRY_PAGE, 0);
  expect_result_page(*this, -800);
  EXPECT_EQ(model->control(model->focus()).design->name, "未来按钮");
}

TEST_F(PagesTest, HintOverTheBox) {
  start();
  // Typing while the hint covers the box: the digits go in, the hint stays.
  type("1990");
  EXPECT_EQ(text("日期编辑框"), "1990");
  EXPECT_TRUE(control("标签1").visible);
  // A click on the box lands on the hint above it: hidden, focus in the box.
  EXPECT_TRUE(click("日期编辑框"));
  EXPECT_FALSE(control("标签1").visible);
  // Leaving a box that holds text keeps the hint hidden.
  model->key_tab(false);
  EXPECT_FALSE(control("标签1").visible);
  // Emptying the box and leaving it shows the hint again.
  model->key_tab(true);
  set_box("");
  model->key_tab(false);
  EXPECT_TRUE(control("标签1").visible);
}

TEST_F(PagesTest, ButtonClickTakesTheFocusFromAnEmptyBoxFirst) {
  start();
  click("标签1");
  ASSERT_FALSE(control("标签1").visible);
  click("计算按钮");
  EXPECT_TRUE(control("标签1").visible);  // lost_focus ran before the click
  EXPECT_EQ(text("标签2"), "请按正确的格式填写，如19890121, 1-9月/日请用01-09表示.");
}

TEST_F(PagesTest, BackButtonKeepsContentsAndRelayoutChangesNothing) {
  start({2024, 3, 1, 10, 0, 0}, "ok\n");
  click("标签1");
  type("19900615");
  click("计算按钮");
  EXPECT_EQ(输入页偏移, -800);
  EXPECT_EQ(结果页偏移, 0);
  expect_page(*this, ENTRY_PAGE, -800);
  expect_result_page(*this, 0);
  const std::string report = text("标签6");
  click("未来按钮");
  EXPECT_EQ(输入页偏移, 0);
  EXPECT_EQ(结果页偏移, -800);
  expect_page(*this, ENTRY_PAGE, 0);
  EXPECT_EQ(text("日期编辑框"), "19900615");
  EXPECT_EQ(text("标签2"), "");
  EXPECT_FALSE(control("标签1").visible);
  EXPECT_EQ(text("标签6"), report);
  EXPECT_EQ(control("日期编辑框").height, 40);
  EXPECT_EQ(control("时钟1").period, 1000);
}

TEST_F(PagesTest, EscCloses) {
  start();
  model->key_escape();
  EXPECT_TRUE(model->closed());
}

TEST_F(PagesTest, TypingFilterAndLengthLimitInBytes) {
  start();
  struct {
    const char* typed;
    const char* want;
    const char* why;
  } cases[] = {
      {"1990a-06x15", "1990-061", "letters dropped, cut at 8"},
      {"出生1986", "1986", "Chinese characters are dropped when typed"},
      {"12 34", "1234", "spaces are dropped"},
  };
  for (const auto& c : cases) {
    set_box("");
    type(c.typed);
    EXPECT_EQ(text("日期编辑框"), c.want) << c.why;
  }
  set_box("1234567");
  model->paste("出生");  // pasting is not filtered, but a character that does not fit is not split
  EXPECT_EQ(text("日期编辑框"), "1234567");
  set_box("");
  model->paste("出生日期abc");
  EXPECT_EQ(text("日期编辑框"), "出生日期");
  set_box("19860121235959");  // text set by the program is not cut
  EXPECT_EQ(text("日期编辑框"), "19860121235959");
}

}  // namespace
