#include "tests/app_fixture.h"

#include "text/fatal_error.h"
#include "ui/codepage.h"

void AppTest::start(const WallClock& now, const std::string& lines) {
  输入页偏移 = 0;
  结果页偏移 = 0;
  answers(lines);
  backend.fix_present(now);
  install_backend(&backend);
  prepare_toolkit(窗口1_design());
  load_window("窗口1");
  model = installed_window_model();
}

void AppTest::TearDown() {
  reset_toolkit();
  install_backend(nullptr);
}

int AppTest::id(std::string_view name) const {
  const int i = model->find(name);
  EXPECT_GE(i, 0) << "no control " << utf8_from_cp936(name);
  return i;
}

const ControlState& AppTest::control(std::string_view name) const { return model->control(id(name)); }

std::string AppTest::text(std::string_view name) const { return std::string(control(name).text.view()); }

bool AppTest::click(std::string_view name) { return model->click(id(name)); }

bool AppTest::in_view(std::string_view name) const { return !model->visible_rect(id(name)).empty(); }

std::string AppTest::take_output() {
  std::string s = cp936_from_utf8(out.str());  // the driver prints UTF-8
  out.str("");
  return s;
}
