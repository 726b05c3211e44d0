#pragma once
// The real program on the headless toolkit with a fixed present. Message
// boxes take their answers from `answers`; what the toolkit prints lands in `out`.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/app.h"
#include "ui/headless/headless_backend.h"
#include "ui/toolkit.h"

class AppTest : public testing::Test {
 public:
  void TearDown() override;

  // Starts the program at the given local time; it stops at the message loop.
  void start(const WallClock& now = {2024, 3, 1, 10, 0, 0}, const std::string& answers = "");
  int id(std::string_view name) const;
  const ControlState& control(std::string_view name) const;
  std::string text(std::string_view name) const;
  bool click(std::string_view name);
  void type(std::string_view text) { model->type(text); }
  void set_box(std::string_view text) { set_property("日期编辑框", PROP_TEXT, -1, text); }
  // What the next message boxes read: "ok" lines, with "wait N" between.
  void answers(const std::string& lines) {
    in.clear();
    in.str(lines);
  }
  bool in_view(std::string_view name) const;
  std::string take_output();

  std::istringstream in;
  std::ostringstream out;
  HeadlessBackend backend{in, out};
  WindowModel* model = nullptr;
};
