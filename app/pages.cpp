#include "app/app.h"
#include "ui/toolkit.h"

std::int32_t 输入页偏移 = 0;
std::int32_t 结果页偏移 = 0;

namespace {

bool 日期编辑框为空() {
  Text 内容 = get_property("日期编辑框", PROP_TEXT);
  const bool 为空 = text_compare(内容, "") == 0;
  text_release(内容);
  return 为空;
}

}  // namespace

void 布置输入页() {
  const std::int32_t o = 输入页偏移;
  set_property("窗口1", PROP_WIDTH, -1, 800);
  set_property("窗口1", PROP_HEIGHT, -1, 666);
  set_property("图片框1", PROP_LEFT, -1, o + 357);
  set_property("日期编辑框", PROP_LEFT, -1, o + 41);
  set_property("标签1", PROP_LEFT, -1, o + 43);
  set_property("标签2", PROP_LEFT, -1, o + 40);
  set_property("计算按钮", PROP_LEFT, -1, o + 241);
  set_property("图片框1", PROP_TOP, -1, 16);
  set_property("日期编辑框", PROP_TOP, -1, 320);
  set_property("标签1", PROP_TOP, -1, 324);
  set_property("标签2", PROP_TOP, -1, 368);
  set_property("计算按钮", PROP_TOP, -1, 392);
  set_property("日期编辑框", PROP_VISIBLE, -1, 1);
  set_property("标签2", PROP_VISIBLE, -1, 1);
  set_property("图片框1", PROP_VISIBLE, -1, 1);
  set_property("计算按钮", PROP_VISIBLE, -1, 1);
  set_property("日期编辑框", PROP_INPUT_MODE, -1, INPUT_MODE_DIGITS);
  set_property("日期编辑框", PROP_MAX_LENGTH, -1, 8);
  set_property("日期编辑框", PROP_FONT, FONT_INDEX_SIZE, 18);
  if (日期编辑框为空()) set_property("标签1", PROP_VISIBLE, -1, 1);
}

void 布置结果页() {
  const std::int32_t r = 结果页偏移;
  set_property("图片框2", PROP_LEFT, -1, r + 184);
  set_property("图片框3", PROP_LEFT, -1, r);
  set_property("标签3", PROP_LEFT, -1, r + 320);
  set_property("标签4", PROP_LEFT, -1, r + 320);
  set_property("标签5", PROP_LEFT, -1, r + 56);
  set_property("标签6", PROP_LEFT, -1, r + 72);
  set_property("未来按钮", PROP_LEFT, -1, r + 277);
  set_property("未来", PROP_LEFT, -1, r + 64);
  set_property("图片框2", PROP_TOP, -1, 24);
  set_property("图片框3", PROP_TOP, -1, 0);
  set_property("标签3", PROP_TOP, -1, 40);
  set_property("标签4", PROP_TOP, -1, 64);
  set_property("标签5", PROP_TOP, -1, 200);
  set_property("标签6", PROP_TOP, -1, 232);
  set_property("未来按钮", PROP_TOP, -1, 568);
  set_property("未来", PROP_TOP, -1, 576);
  set_property("标签3", PROP_TEXT, -1, "你已经");
}

void 窗口1_创建完毕() {
  布置输入页();
  结果页偏移 = -800;
  布置结果页();
}

void 未来按钮_被单击() {
  输入页偏移 = 0;
  布置输入页();
  结果页偏移 = -800;
  布置结果页();
}

void 标签1_左键被按下() {
  set_property("标签1", PROP_VISIBLE, -1, 0);
  set_focus("日期编辑框");
}

void 日期编辑框_失去焦点() {
  if (日期编辑框为空()) set_property("标签1", PROP_VISIBLE, -1, 1);
}

int 启动子程序(const std::optional<std::string>& 命令行日期) {
  prepare_toolkit(窗口1_design());
  load_window("窗口1");
  if (命令行日期) 以命令行日期开始(*命令行日期);
  run_message_loop();
  return 0;
}
