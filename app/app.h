#pragma once
// The program's own logic: the design of 窗口1, start-up, pages and handlers.
#include <cstdint>
#include <optional>
#include <string>

#include "ui/design.h"

const WindowDesign& 窗口1_design();

// Runs the program: prepares the toolkit, builds 窗口1, loops until it closes.
// A birth date from the command line (code page 936) is checked once the window
// is built, as a click on 计算按钮 checks it, but without the message box.
int 启动子程序(const std::optional<std::string>& 命令行日期 = std::nullopt);

// Horizontal offsets of the two pages: 0 in view, -800 out of sight.
extern std::int32_t 输入页偏移;
extern std::int32_t 结果页偏移;

void 布置输入页();
void 布置结果页();

void 窗口1_创建完毕();
void 未来按钮_被单击();
void 标签1_左键被按下();
void 日期编辑框_失去焦点();
void 计算按钮_被单击();
void 以命令行日期开始(std::string_view 日期);
void 时钟1_周期事件();
void 未来_被单击();
