#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "app/command_line.h"

namespace {

TEST(CommandLineTable, OptionsDatesAndMistakes) {
  struct {
    std::vector<std::string_view> args;
    CommandAction action;
    const char* date;  // nullptr: none given
    const char* why;
  } cases[] = {
      {{}, CommandAction::run, nullptr, "no arguments: the usual start"},
      {{"19860121"}, CommandAction::run, "19860121", "a date"},
      {{""}, CommandAction::run, "", "an empty date is still a date, and is rejected by the check"},
      {{"1986"}, CommandAction::run, "1986", "a short date is passed on; the check rejects it"},
      {{"--help"}, CommandAction::help, nullptr, "help"},
      {{"-h"}, CommandAction::help, nullptr, "short help"},
      {{"--version"}, CommandAction::version, nullptr, "version"},
      {{"--version", "--help"}, CommandAction::version, nullptr, "the first of help and version wins"},
      {{"--help", "19860121"}, CommandAction::help, "19860121", "help wins over a date"},
      {{"--", "-1986"}, CommandAction::run, "-1986", "-- ends the options"},
      {{"-"}, CommandAction::run, "-", "a lone dash is a date, not an option"},
      {{"--bogus"}, CommandAction::error, nullptr, "unknown option"},
      {{"-x", "19860121"}, CommandAction::error, nullptr, "unknown short option"},
      {{"19860121", "19900615"}, CommandAction::error, nullptr, "two dates"},
      {{"--", "--help"}, CommandAction::run, "--help", "after -- even --help is a date"},
  };
  for (const auto& c : cases) {
    const CommandLine got = parse_command_line(c.args);
    EXPECT_EQ(got.action, c.action) << c.why;
    EXPECT_EQ(got.date.has_value(), c.date != nullptr) << c.why;
    if (c.date != nullptr && got.date) {
      EXPECT_EQ(*got.date, c.date) << c.why;
    }
    EXPECT_EQ(got.error.empty(), c.action != CommandAction::error) << c.why;
    EXPECT_EQ(got.error.find('\n'), std::string::npos) << "an error is one line: " << c.why;
  }
}

}  // namespace
