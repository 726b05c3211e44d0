#pragma once
// An in-memory toolkit with virtual time, driven by text commands, one a line:
// the program's own start-up and handlers run on it unchanged.
#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>

#include "datetime/datetime.h"
#include "ui/window_model.h"

class HeadlessBackend : public Backend {
 public:
  // Commands come from in, answers go to out; both UTF-8.
  HeadlessBackend(std::istream& in, std::ostream& out);
  ~HeadlessBackend() override;

  // The present starts at this local time and advances with virtual time;
  // without it current_datetime reads the system clock.
  void fix_present(const WallClock& start);

  void prepare(const WindowDesign&) override {}
  void screen_size(int& width, int& height) override;
  bool create_window(WindowModel& model) override;
  void show_window() override {}
  void run_loop() override;
  void destroy_window() override {}
  void property_changed(int, std::int32_t) override {}
  void focus_changed(int) override {}
  void start_timer(int id, int period_ms) override;
  void stop_timer(int id) override;
  std::int32_t message_box(std::string_view text, std::int32_t flags, std::string_view caption) override;
  void open_url(std::string_view url) override;
  int text_height(int char_height_px) override { return char_height_px; }
  int screen_dpi() override { return dpi_; }

  std::int64_t now_ms() const { return now_ms_; }
  // Lets virtual time pass; due timers tick in order.
  void advance(double seconds);
  void set_dpi(int dpi) { dpi_ = dpi; }
  WallClock present() const;

 private:
  enum class Outcome { go_on, closed_box, end_of_input };
  Outcome execute(const std::string& line);
  Outcome execute_in_box(const std::string& line);
  void get(const std::string& args);
  void click(const std::string& name);
  void key(const std::string& name);
  int control_named(const std::string& utf8_name);
  void error(const std::string& what);

  struct Timer {
    std::int64_t period;
    std::int64_t due;
  };

  std::istream& in_;
  std::ostream& out_;
  WindowModel* model_ = nullptr;
  std::int64_t now_ms_ = 0;
  std::map<int, Timer> timers_;
  int dpi_ = 96;
  std::int64_t start_seconds_ = 0;  // seconds since 0000-03-01 of the fixed present
};

// Text as the driver prints it: UTF-8 with CR and LF written as \r and \n.
std::string printable(std::string_view cp936);
