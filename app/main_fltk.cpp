// quillora: the desktop program on FLTK.
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "app/command_line.h"
#include "text/fatal_error.h"
#include "ui/codepage.h"
#include "ui/fltk/fltk_backend.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const CommandLine command = parse_command_line(args);
  switch (command.action) {
    case CommandAction::help: std::fputs(usage_text("quillora").c_str(), stdout); return 0;
    case CommandAction::version: std::fputs(version_text().c_str(), stdout); return 0;
    case CommandAction::error: std::fprintf(stderr, "quillora: %s\n", command.error.c_str()); return EXIT_USAGE;
    case CommandAction::run: break;
  }
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "quillora: no graphical display (DISPLAY is not set)\n");
    return 1;
  }
  FltkBackend backend;
  install_backend(&backend);
  set_fatal_error_hook(FltkBackend::show_fatal);
  std::optional<std::string> date;
  if (command.date) date = cp936_from_utf8(*command.date);
  return 启动子程序(date);
}
