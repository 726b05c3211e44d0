// quillora-headless: the program on the in-memory toolkit, driven by commands
// on standard input (see README).
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "app/app.h"
#include "text/fatal_error.h"
#include "ui/headless/headless_backend.h"

namespace {

void print_fatal(std::string_view box_text, std::string_view) {
  std::cout << "fatal " << printable(box_text) << "\nexit -1" << std::endl;
}

bool parse_now(const char* text, WallClock& c) {
  char tail = 0;
  const int n = std::sscanf(text, "%d-%d-%d %d:%d:%d%c", &c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second,
                            &tail);
  return n == 6 && c.year >= 100 && c.year <= 9999 && c.month >= 1 && c.month <= 12 && c.day >= 1 &&
         c.day <= days_in_month(c.year, c.month) && c.hour >= 0 && c.hour <= 23 && c.minute >= 0 &&
         c.minute <= 59 && c.second >= 0 && c.second <= 59;
}

}  // namespace

int main(int argc, char** argv) {
  HeadlessBackend backend(std::cin, std::cout);
  for (int i = 1; i < argc; ++i) {
    WallClock now{};
    if (std::string_view(argv[i]) == "--now" && i + 1 < argc && parse_now(argv[i + 1], now)) {
      backend.fix_present(now);
      ++i;
    } else {
      std::cerr << "usage: quillora-headless [--now \"YYYY-MM-DD HH:MM:SS\"] < commands\n";
      return 2;
    }
  }
  install_backend(&backend);
  set_fatal_error_hook(print_fatal);
  const int code = 启动子程序();
  std::cout << "exit " << code << std::endl;
  return code;
}
