#include "text/fatal_error.h"

#include <cstdio>
#include <cstdlib>

namespace {

// 运行时出错!
constexpr std::string_view RUNTIME_ERROR_HEADING = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n";
// 错误信息：
constexpr std::string_view MESSAGE_HEADING = "\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";
// 分配 ... 字节内存失败!
constexpr std::string_view ALLOCATION_PREFIX = "\xB7\xD6\xC5\xE4 ";
constexpr std::string_view ALLOCATION_SUFFIX = " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";

void print_to_stderr(std::string_view box_text, std::string_view caption) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(box_text.size()), box_text.data());
}

FatalErrorHook g_hook = print_to_stderr;

}  // namespace

FatalErrorHook set_fatal_error_hook(FatalErrorHook hook) noexcept {
  FatalErrorHook previous = g_hook;
  g_hook = hook ? hook : print_to_stderr;
  return previous;
}

std::string fatal_error_box_text(std::string_view message) {
  std::string box(RUNTIME_ERROR_HEADING);
  if (!message.empty()) {
    box.append(MESSAGE_HEADING).append(message).append("\r\n");
  }
  box.append("\r\n0, 0\r\n");
  return box;
}

std::string allocation_failure_message(std::size_t bytes) {
  std::string message(ALLOCATION_PREFIX);
  message.append(std::to_string(bytes)).append(ALLOCATION_SUFFIX);
  return message;
}

void fatal_error(std::string_view message) {
  // Built with std::string, not Text: an allocation failure of a text lands here.
  const std::string box = fatal_error_box_text(message);
  g_hook(box, FATAL_CAPTION);
  std::exit(-1);
}
