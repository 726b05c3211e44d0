#pragma once
// The one fatal path: the error box (through the hook the toolkit installs),
// then the end of the process with exit code -1.
#include <cstddef>
#include <string>
#include <string_view>

// Shows the box and returns when it is closed. Without a toolkit the text goes to stderr.
using FatalErrorHook = void (*)(std::string_view box_text, std::string_view caption);
FatalErrorHook set_fatal_error_hook(FatalErrorHook hook) noexcept;

[[noreturn]] void fatal_error(std::string_view message);

// The box text for a message: heading, message and the two zero codes.
std::string fatal_error_box_text(std::string_view message);
// "分配 %d 字节内存失败!" for the given byte count.
std::string allocation_failure_message(std::size_t bytes);

// The fixed messages of the program's fatal cases, in code page 936.
// 载入窗口模板数据段出错!
inline constexpr std::string_view DESIGN_LOAD_FAILED =
    "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!";
// 载入启动窗口失败
inline constexpr std::string_view WINDOW_LOAD_FAILED =
    "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC";
// 不能求余数于零
inline constexpr std::string_view REMAINDER_BY_ZERO =
    "\xB2\xBB\xC4\xDC\xC7\xF3\xD3\xE0\xCA\xFD\xD3\xDA\xC1\xE3";
// 错误
inline constexpr std::string_view FATAL_CAPTION = "\xB4\xED\xCE\xF3";
