// quillora-headless: the program on the in-memory toolkit, driven by commands
// on standard input (see README).
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "app/command_line.h"
#include "text/fatal_error.h"
#include "ui/codepage.h"
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

constexpr const char* NOW_OPTION = "  --now \"YYYY-MM-DD HH:MM:SS\"  fix the present; it advances with the wait command\n";

}  // namespace

int main(int argc, char** argv) {
  HeadlessBackend backend(std::cin, std::cout);
  // --now takes its value here; everything else is the programs' common command line.
  std::vector<std::string_view> rest;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) != "--now") {
      rest.emplace_back(argv[i]);
      continue;
    }
    WallClock now{};
    if (i + 1 >= argc || !parse_now(argv[i + 1], now)) {
      std::cerr << "quillora-headless: --now needs \"YYYY-MM-DD HH:MM:SS\"\n";
      return EXIT_USAGE;
    }
    backend.fix_present(now);
    ++i;
  }
  const CommandLine command = parse_command_line(rest);
  switch (command.action) {
    case CommandAction::help:
      std::cout << usage_text("quillora-headless", NOW_OPTION) << "Commands are read from standard input.\n";
      return 0;
    case CommandAction::version: std::cout << version_text(); return 0;
    case CommandAction::error: std::cerr << "quillora-headless: " << command.error << "\n"; return EXIT_USAGE;
    case CommandAction::run: break;
  }
  install_backend(&backend);
  set_fatal_error_hook(print_fatal);
  std::optional<std::string> date;
  if (command.date) date = cp936_from_utf8(*command.date);
  const int code = 启动子程序(date);
  std::cout << "exit " << code << std::endl;
  return code;
}
