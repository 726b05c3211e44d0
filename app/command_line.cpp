#include "app/command_line.h"

#ifndef QUILLORA_VERSION
#define QUILLORA_VERSION "0"
#endif

CommandLine parse_command_line(std::span<const std::string_view> args) {
  CommandLine result;
  bool options_done = false;
  for (const std::string_view arg : args) {
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && (arg == "--help" || arg == "-h")) {
      if (result.action == CommandAction::run) result.action = CommandAction::help;
    } else if (!options_done && arg == "--version") {
      if (result.action == CommandAction::run) result.action = CommandAction::version;
    } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
      return {CommandAction::error, std::nullopt, "unknown option '" + std::string(arg) + "' (try --help)"};
    } else if (result.date) {
      return {CommandAction::error, std::nullopt, "only one birth date may be given (try --help)"};
    } else {
      result.date = std::string(arg);
    }
  }
  return result;
}

std::string usage_text(std::string_view program, std::string_view extra) {
  std::string text = "Usage: " + std::string(program) + " [OPTION]... [YYYYMMDD]\n";
  text +=
      "Quillora (生逢何时): how long you have been alive, renewed every second.\n"
      "\n"
      "  YYYYMMDD    a birth date such as 19860121: the program starts on the\n"
      "              result page, or shows the error line when the date is wrong\n"
      "  --help      print this help and exit\n"
      "  --version   print the version and exit\n";
  text += extra;
  return text;
}

std::string version_text() { return "Quillora " QUILLORA_VERSION "\n"; }
