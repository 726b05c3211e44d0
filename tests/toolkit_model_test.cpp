// The toolkit rules every backend shares, on a small design of their own.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "text/fatal_error.h"
#include "ui/codepage.h"
#include "ui/headless/headless_backend.h"
#include "ui/toolkit.h"

namespace {

int g_ticks = 0;
int g_clicks = 0;
void count_tick() { ++g_ticks; }
void count_click() { ++g_clicks; }

const std::array<ControlDesign, 4> CONTROLS = {{
    {"button", ControlKind::button, "", 10, 10, 100, 30, true, true, "b", FontKind::default_gui, 0, 0, Align::centre,
     false, Picture::none, count_click},
    {"timer", ControlKind::timer, "", 0, 0, 1, 1, false, false, "", FontKind::default_gui, 0, 0, Align::left, false,
     Picture::none, count_tick},
    {"edit", ControlKind::edit_box, "", 10, 50, 200, 20, true, true, "", FontKind::default_gui, 0, 0, Align::left,
     false, Picture::none, nullptr},
    {"box", ControlKind::picture_box, "", 0, 0, 300, 300, true, false, "", FontKind::default_gui, 0, 0, Align::left,
     false, Picture::none, nullptr},
}};
const WindowDesign WINDOW = {"w", "T", "T", 800, 666, 0xFFFFFF, nullptr, CONTROLS};

class ToolkitTest : public testing::Test {
 protected:
  void SetUp() override {
    g_ticks = 0;
    g_clicks = 0;
    install_backend(&backend);
    prepare_toolkit(WINDOW);
    load_window("w");
    model = installed_window_model();
  }
  void TearDown() override {
    reset_toolkit();
    install_backend(nullptr);
  }
  std::istringstream in;
  std::ostringstream out;
  HeadlessBackend backend{in, out};
  WindowModel* model = nullptr;
};

TEST_F(ToolkitTest, PeriodRule) {
  set_property("timer", PROP_TEXT, -1, 1000);
  backend.advance(0.999);
  EXPECT_EQ(g_ticks, 0) << "the first tick comes one period after the write";
  backend.advance(0.001);
  EXPECT_EQ(g_ticks, 1);
  backend.advance(0.5);
  set_property("timer", PROP_TEXT, -1, 1000);  // the same value keeps the rhythm
  backend.advance(0.5);
  EXPECT_EQ(g_ticks, 2);
  set_property("timer", PROP_TEXT, -1, 300);  // a new value restarts it
  backend.advance(0.299);
  EXPECT_EQ(g_ticks, 2);
  backend.advance(0.001);
  EXPECT_EQ(g_ticks, 3);
  set_property("timer", PROP_TEXT, -1, -5);  // negative counts as 0: stopped
  backend.advance(10);
  EXPECT_EQ(g_ticks, 3);
  EXPECT_EQ(model->control(model->find("timer")).period, 0);
}

TEST_F(ToolkitTest, PlacesAreClamped) {
  set_property("button", PROP_LEFT, -1, -100000);
  set_property("button", PROP_TOP, -1, 100000);
  set_property("w", PROP_WIDTH, -1, -3);
  set_property("w", PROP_HEIGHT, -1, 99999);
  const ControlState& b = model->control(model->find("button"));
  EXPECT_EQ(b.left, -32627);
  EXPECT_EQ(b.top, 32627);
  EXPECT_EQ(b.width, 100);
  EXPECT_EQ(model->window_width(), 0);
  EXPECT_EQ(model->window_height(), 32627);
}

TEST_F(ToolkitTest, CentringRoundsTowardZero) {
  struct {
    int w, h, left, top;
  } cases[] = {{1366, 768, 283, 51}, {800, 600, 0, -33}, {799, 599, 0, -33}, {1920, 1080, 560, 207}};
  for (const auto& c : cases) {
    WindowModel m(WINDOW, backend);
    m.load(c.w, c.h);
    EXPECT_EQ(m.window_left(), c.left) << c.w << "x" << c.h;
    EXPECT_EQ(m.window_top(), c.top) << c.w << "x" << c.h;
  }
}

TEST_F(ToolkitTest, EditBoxGrowsToItsFontOnly) {
  set_property("edit", PROP_FONT, 5, 18);  // 24 px + 2 * 2 edges = 28 > 20
  EXPECT_EQ(model->control(model->find("edit")).height, 28);
  set_property("edit", PROP_FONT, 5, 9);  // a smaller font never shrinks the box
  EXPECT_EQ(model->control(model->find("edit")).height, 28);
  backend.set_dpi(192);
  set_property("edit", PROP_FONT, 5, 18);  // 48 px at 192 dpi
  EXPECT_EQ(model->control(model->find("edit")).height, 52);
  set_property("edit", PROP_FONT, 4, 72);  // another index changes nothing
  EXPECT_EQ(model->control(model->find("edit")).height, 52);
}

TEST_F(ToolkitTest, MessageBoxBlocksInputButNotTheTimer) {
  set_property("timer", PROP_TEXT, -1, 1000);
  in.str("click button\nkey Tab\nwait 3\nok\n");
  EXPECT_EQ(show_message_box("hello"), 0);  // 0: OK
  EXPECT_EQ(g_ticks, 3);
  EXPECT_EQ(g_clicks, 0);
  EXPECT_NE(cp936_from_utf8(out.str()).find("msgbox 信息：|hello"), std::string::npos) << "default caption";
  EXPECT_NE(out.str().find("error a message box is open: click button"), std::string::npos);
}

TEST_F(ToolkitTest, HiddenControlsTakeNoClicks) {
  EXPECT_TRUE(model->click(model->find("button")));
  EXPECT_EQ(g_clicks, 1);
  set_property("button", PROP_VISIBLE, -1, 0);
  EXPECT_FALSE(model->click(model->find("button")));
  set_property("button", PROP_VISIBLE, -1, 1);
  set_property("button", PROP_LEFT, -1, -800);
  EXPECT_FALSE(model->click(model->find("button")));
  EXPECT_EQ(g_clicks, 1);
}

TEST_F(ToolkitTest, SpaceClicksOnlyAFocusedButton) {
  model->move_focus(model->find("edit"));
  model->key_space();
  EXPECT_EQ(g_clicks, 0);
  model->move_focus(model->find("button"));
  model->key_space();
  EXPECT_EQ(g_clicks, 1);
  model->close();
  model->key_space();
  EXPECT_EQ(g_clicks, 1) << "a closed window takes no keys";
}

using ToolkitDeathTest = ToolkitTest;

TEST_F(ToolkitDeathTest, MissingControlsAndUnloadedWindowsAreFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(set_focus("nothing"), testing::ExitedWithCode(255), "nothing");
  EXPECT_EXIT(set_property("nothing", PROP_LEFT, -1, 0), testing::ExitedWithCode(255), "");
  EXPECT_EXIT(
      {
        reset_toolkit();
        (void)get_property("edit", PROP_TEXT);
      },
      testing::ExitedWithCode(255), "");
  EXPECT_EXIT(load_window("not the window"), testing::ExitedWithCode(255), "\xD4\xD8\xC8\xEB\xC6\xF4");
}

}  // namespace
