#pragma once
// The command line of the three programs: --help, --version, and an optional
// birth date that is checked as a click on the calculate button checks it.
#include <optional>
#include <span>
#include <string>
#include <string_view>

enum class CommandAction { run, help, version, error };

struct CommandLine {
  CommandAction action = CommandAction::run;
  std::optional<std::string> date;  // as given; the program converts it to code page 936
  std::string error;                // one line, for CommandAction::error
};

// args excludes the program name. "--" ends the options, so a date may start with "-".
CommandLine parse_command_line(std::span<const std::string_view> args);

// Usage lines for --help (UTF-8); extra names options that only one program has.
std::string usage_text(std::string_view program, std::string_view extra = {});
// "Quillora VERSION".
std::string version_text();

inline constexpr int EXIT_USAGE = 2;
