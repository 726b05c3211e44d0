#include "ui/headless/headless_backend.h"

#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>

#include "ui/codepage.h"
#include "ui/toolkit.h"

namespace {

HeadlessBackend* g_clock_owner = nullptr;

WallClock headless_clock() { return g_clock_owner->present(); }

// Days from 0000-03-01 of a proleptic Gregorian date, and back (years >= 1).
std::int64_t days_from_civil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

WallClock civil_from_seconds(std::int64_t seconds) {
  std::int64_t z = seconds / 86400;
  const auto s = static_cast<std::int32_t>(seconds % 86400);
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const auto d = static_cast<std::int32_t>(doy - (153 * mp + 2) / 5 + 1);
  const auto m = static_cast<std::int32_t>(mp < 10 ? mp + 3 : mp - 9);
  const auto y = static_cast<std::int32_t>(yoe + era * 400 + (m <= 2));
  return {y, m, d, s / 3600, s / 60 % 60, s % 60};
}

std::pair<std::string, std::string> split_word(const std::string& line) {
  const std::size_t space = line.find(' ');
  if (space == std::string::npos) return {line, ""};
  return {line.substr(0, space), line.substr(space + 1)};
}

}  // namespace

std::string printable(std::string_view cp936) {
  std::string out;
  for (char c : utf8_from_cp936(cp936)) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

HeadlessBackend::HeadlessBackend(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

HeadlessBackend::~HeadlessBackend() {
  if (g_clock_owner == this) {
    set_clock_reader(nullptr);
    g_clock_owner = nullptr;
  }
}

void HeadlessBackend::fix_present(const WallClock& start) {
  start_seconds_ = days_from_civil(start.year, start.month, start.day) * 86400 + start.hour * 3600 +
                   start.minute * 60 + start.second;
  g_clock_owner = this;
  set_clock_reader(headless_clock);
}

WallClock HeadlessBackend::present() const {
  return civil_from_seconds(start_seconds_ + now_ms_ / 1000);
}

void HeadlessBackend::screen_size(int& width, int& height) {
  width = 1366;
  height = 768;
}

bool HeadlessBackend::create_window(WindowModel& model) {
  model_ = &model;
  return true;
}

void HeadlessBackend::start_timer(int id, int period_ms) { timers_[id] = {period_ms, now_ms_ + period_ms}; }

void HeadlessBackend::stop_timer(int id) { timers_.erase(id); }

void HeadlessBackend::run_loop() {
  std::string line;
  while (!model_->closed()) {
    if (!std::getline(in_, line)) {
      model_->close();  // the end of input closes the window like Esc
      break;
    }
    execute(line);
  }
}

std::int32_t HeadlessBackend::message_box(std::string_view text, std::int32_t, std::string_view caption) {
  out_ << "msgbox " << printable(caption) << "|" << printable(text) << std::endl;
  std::string line;
  while (std::getline(in_, line)) {
    if (execute_in_box(line) == Outcome::closed_box) return 0;  // 0: OK
  }
  return 0;  // input ended: the box closes, and then the window
}

void HeadlessBackend::open_url(std::string_view url) { out_ << "open_url " << printable(url) << std::endl; }

void HeadlessBackend::error(const std::string& what) { out_ << "error " << what << std::endl; }

int HeadlessBackend::control_named(const std::string& utf8_name) {
  const int id = model_->find(cp936_from_utf8(utf8_name));
  if (id < 0) error("no control " + utf8_name);
  return id;
}

HeadlessBackend::Outcome HeadlessBackend::execute_in_box(const std::string& line) {
  const auto [word, args] = split_word(line);
  if (word == "ok") return Outcome::closed_box;
  if (word == "key" && (args == "Esc" || args == "Enter" || args == "Space")) return Outcome::closed_box;
  if (word == "wait" || word == "get" || word == "focus" || word.empty()) return execute(line);
  error("a message box is open: " + line);
  return Outcome::go_on;
}

HeadlessBackend::Outcome HeadlessBackend::execute(const std::string& line) {
  const auto [word, args] = split_word(line);
  if (word.empty()) return Outcome::go_on;
  if (word == "wait") {
    char* end = nullptr;
    const double seconds = std::strtod(args.c_str(), &end);
    if (args.empty() || *end != '\0' || !(seconds >= 0) || seconds > 1e7) {
      error("wait takes a number of seconds from 0 to 10000000");
    } else {
      advance(seconds);
    }
  } else if (word == "get") {
    get(args);
  } else if (word == "focus") {
    const int f = model_->focus();
    out_ << (f < 0 ? std::string("none") : printable(model_->control(f).design->name)) << std::endl;
  } else if (word == "ok") {
    error("no message box is open");
  } else if (word == "click") {
    click(args);
  } else if (word == "key") {
    key(args);
  } else if (word == "type") {
    model_->type(cp936_from_utf8(args));
  } else if (word == "paste") {
    model_->paste(cp936_from_utf8(args));
  } else if (word == "set") {
    const auto [name, text] = split_word(args);
    if (control_named(name) >= 0) set_property(cp936_from_utf8(name), PROP_TEXT, -1, cp936_from_utf8(text));
  } else {
    error("unknown command " + word);
  }
  return Outcome::go_on;
}

void HeadlessBackend::advance(double seconds) {
  const std::int64_t end = now_ms_ + static_cast<std::int64_t>(std::llround(seconds * 1000));
  for (;;) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due <= end && (next == timers_.end() || it->second.due < next->second.due)) next = it;
    }
    if (next == timers_.end() || model_->closed()) break;
    now_ms_ = next->second.due;
    next->second.due += next->second.period;
    model_->timer_tick(next->first);
  }
  now_ms_ = end;
}

void HeadlessBackend::get(const std::string& args) {
  const auto [name, property] = split_word(args);
  const std::string cp_name = cp936_from_utf8(name);
  if (cp_name == model_->design().name) {
    if (property == "left") return void(out_ << model_->window_left() << std::endl);
    if (property == "top") return void(out_ << model_->window_top() << std::endl);
    if (property == "width") return void(out_ << model_->window_width() << std::endl);
    if (property == "height") return void(out_ << model_->window_height() << std::endl);
    return error("unknown property " + property);
  }
  const int id = control_named(name);
  if (id < 0) return;
  const ControlState& s = model_->control(id);
  if (property == "text") {
    const std::string text = s.design->kind == ControlKind::timer ? std::to_string(s.period)
                                                                   : printable(s.text.view());
    out_ << text << std::endl;
  } else if (property == "left") {
    out_ << s.left << std::endl;
  } else if (property == "top") {
    out_ << s.top << std::endl;
  } else if (property == "width") {
    out_ << s.width << std::endl;
  } else if (property == "height") {
    out_ << s.height << std::endl;
  } else if (property == "visible") {
    out_ << (s.visible ? 1 : 0) << std::endl;
  } else {
    error("unknown property " + property);
  }
}

void HeadlessBackend::click(const std::string& name) {
  const int id = control_named(name);
  if (id < 0) return;
  if (!model_->click(id)) out_ << "not clickable " << name << std::endl;
}

void HeadlessBackend::key(const std::string& name) {
  if (name == "Tab") {
    model_->key_tab(false);
  } else if (name == "Shift+Tab") {
    model_->key_tab(true);
  } else if (name == "Space") {
    model_->key_space();
  } else if (name == "Enter") {
    // Enter has no effect anywhere in the window.
  } else if (name == "Esc") {
    model_->key_escape();
  } else {
    error("unknown key " + name);
  }
}
