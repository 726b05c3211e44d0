#include "ui/window_model.h"

#include <algorithm>
#include <memory>

#include "text/fatal_error.h"
#include "text/number_text.h"
#include "ui/toolkit.h"

namespace {

Backend* g_backend = nullptr;
std::unique_ptr<WindowModel> g_model;

// 信息：
constexpr std::string_view DEFAULT_CAPTION = "信息：";

bool is_digit_or_minus(std::uint32_t code) { return code == '-' || (code >= '0' && code <= '9'); }

int clamp_int(std::int32_t v, int lo, int hi) { return static_cast<int>(std::clamp<std::int32_t>(v, lo, hi)); }

// Byte length of the code page 936 character that starts at i.
std::size_t char_length(std::string_view s, std::size_t i) {
  return static_cast<unsigned char>(s[i]) >= 0x80 && i + 1 < s.size() ? 2 : 1;
}

Rect intersect(Rect a, Rect b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool contains(Rect r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

std::size_t cp936_prefix_within(std::string_view text, std::size_t limit) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t n = char_length(text, i);
    if (i + n > limit) break;
    i += n;
  }
  return i;
}

WindowModel::WindowModel(const WindowDesign& design, Backend& backend) : design_(design), backend_(backend) {
  for (const ControlDesign& c : design.controls) {
    ControlState s{&c, -1, c.left, c.top, c.width, c.height, false, Text::from_bytes(c.text)};
    controls_.push_back(std::move(s));
  }
  for (ControlState& s : controls_) s.parent = s.design->parent.empty() ? -1 : find(s.design->parent);
  window_width_ = design.width;
  window_height_ = design.height;
}

int WindowModel::find(std::string_view name) const {
  for (int i = 0; i < count(); ++i) {
    if (controls_[static_cast<std::size_t>(i)].design->name == name) return i;
  }
  return -1;
}

int WindowModel::require(std::string_view control) const {
  const int id = find(control);
  if (id < 0) fatal_error(control);
  return id;
}

void WindowModel::raise(Handler h) {
  // While the window is being built no event reaches a handler.
  if (h != nullptr && !building_ && !closed_) h();
}

void WindowModel::load(int screen_width, int screen_height) {
  building_ = true;
  // Centred by integer division rounding toward zero, also on small screens.
  window_left_ = (screen_width - window_width_) / 2;
  window_top_ = (screen_height - window_height_) / 2;
  if (!backend_.create_window(*this)) fatal_error(WINDOW_LOAD_FAILED);
  for (ControlState& s : controls_) s.visible = s.design->shown && s.design->kind != ControlKind::timer;
  for (int id = 0; id < count(); ++id) backend_.property_changed(id, PROP_VISIBLE);
  building_ = false;
  loaded_ = true;
  raise(design_.on_created);
  if (closed_) return;
  backend_.show_window();
  // Activation hands the focus to the first control of the Tab cycle.
  const std::vector<int> order = tab_order();
  if (!order.empty()) move_focus(order.front());
}

void WindowModel::close() {
  if (closed_) return;
  closed_ = true;
  for (int id = 0; id < count(); ++id) {
    if (controls_[static_cast<std::size_t>(id)].period > 0) backend_.stop_timer(id);
  }
  backend_.destroy_window();
}

Text WindowModel::get_text(std::string_view control) const {
  const ControlState& s = controls_[static_cast<std::size_t>(require(control))];
  if (s.design->kind == ControlKind::timer) return integer_to_text(s.period);
  return s.text.absent() ? Text::empty_buffer() : s.text;
}

void WindowModel::set_number(std::string_view control, std::int32_t property, std::int32_t index,
                             std::int32_t value) {
  if (control == design_.name) {
    if (property == PROP_WIDTH) window_width_ = clamp_int(value, 0, PAGE_CLAMP);
    if (property == PROP_HEIGHT) window_height_ = clamp_int(value, 0, PAGE_CLAMP);
    backend_.property_changed(-1, property);
    return;
  }
  const int id = require(control);
  ControlState& s = controls_[static_cast<std::size_t>(id)];
  switch (property) {
    case PROP_LEFT: s.left = clamp_int(value, -PAGE_CLAMP, PAGE_CLAMP); break;
    case PROP_TOP: s.top = clamp_int(value, -PAGE_CLAMP, PAGE_CLAMP); break;
    case PROP_WIDTH: s.width = clamp_int(value, 0, PAGE_CLAMP); break;
    case PROP_HEIGHT: s.height = clamp_int(value, 0, PAGE_CLAMP); break;
    case PROP_VISIBLE: s.visible = value != 0 && s.design->kind != ControlKind::timer; break;
    case PROP_TEXT:
      if (s.design->kind == ControlKind::timer) return set_period(id, value);
      return set_text(control, property, integer_to_text(value));
    case PROP_FONT:
      if (index == 5) set_font_size(id, value);
      return;
    case PROP_MAX_LENGTH: s.max_length = value < 0 ? 0 : value; break;
    case PROP_INPUT_MODE: s.input_mode = value; break;
    default: return;
  }
  backend_.property_changed(id, property);
}

void WindowModel::set_text(std::string_view control, std::int32_t property, std::string_view text) {
  const int id = require(control);
  if (property != PROP_TEXT) return;
  ControlState& s = controls_[static_cast<std::size_t>(id)];
  if (s.design->kind == ControlKind::timer) return;
  s.text = Text::from_bytes(text);  // text set by the program is never cut
  backend_.property_changed(id, PROP_TEXT);
}

void WindowModel::set_period(int id, std::int32_t period) {
  ControlState& s = controls_[static_cast<std::size_t>(id)];
  if (period < 0) period = 0;
  if (period == s.period) return;  // the same value keeps the rhythm
  if (s.period > 0) backend_.stop_timer(id);
  s.period = period;
  if (period > 0) backend_.start_timer(id, period);
}

void WindowModel::set_font_size(int id, std::int32_t points) {
  ControlState& s = controls_[static_cast<std::size_t>(id)];
  s.font_points = points;
  // Character height -MulDiv(points, dpi, 72), rounded to nearest.
  const std::int64_t scaled = static_cast<std::int64_t>(points) * backend_.screen_dpi();
  s.font_height_px = static_cast<int>((scaled >= 0 ? scaled + 36 : scaled - 36) / 72);
  if (s.font_height_px < 0) s.font_height_px = -s.font_height_px;
  backend_.property_changed(id, PROP_FONT);
  if (s.design->kind == ControlKind::edit_box) {
    // A single-line edit box lower than its text plus two 3-D edges grows to fit.
    const int needed = backend_.text_height(s.font_height_px) + 2 * backend_.edge_height();
    if (s.height < needed) {
      s.height = needed;
      backend_.property_changed(id, PROP_HEIGHT);
    }
  }
}

void WindowModel::set_focus(std::string_view control) { move_focus(require(control)); }

void WindowModel::move_focus(int id) {
  if (id == focus_) return;
  const int previous = focus_;
  focus_ = id;
  backend_.focus_changed(id);
  if (previous >= 0) {
    const ControlDesign& d = *controls_[static_cast<std::size_t>(previous)].design;
    if (d.kind == ControlKind::edit_box) raise(d.on_event);
  }
}

void WindowModel::focus_left_window() {
  if (focus_ >= 0 && controls_[static_cast<std::size_t>(focus_)].design->kind == ControlKind::edit_box) {
    raise(controls_[static_cast<std::size_t>(focus_)].design->on_event);
  }
}

std::int32_t WindowModel::message_box(std::string_view text, std::int32_t flags, std::string_view caption) {
  if (caption.empty()) caption = DEFAULT_CAPTION;
  if ((flags & 0x1000) == 0) flags |= 0x2000;  // task-modal unless system-modal
  focus_left_window();  // the box deactivates the window
  ++modal_depth_;
  const std::int32_t result = backend_.message_box(text, flags, caption);
  --modal_depth_;
  return result;
}

Rect WindowModel::client_rect(int id) const {
  const ControlState& s = controls_[static_cast<std::size_t>(id)];
  Rect r{s.left, s.top, s.left + s.width, s.top + s.height};
  if (s.parent >= 0) {
    const Rect p = client_rect(s.parent);
    r = {r.left + p.left, r.top + p.top, r.right + p.left, r.bottom + p.top};
  }
  return r;
}

Rect WindowModel::visible_rect(int id) const {
  Rect r = intersect(client_rect(id), {0, 0, client_width(), client_height()});
  const ControlState& s = controls_[static_cast<std::size_t>(id)];
  if (s.parent >= 0) r = intersect(r, visible_rect(s.parent));
  return r;
}

int WindowModel::hit_test(int x, int y) const {
  // Siblings in design order, the earliest on top; a picture box's children lie above it.
  auto hit_in = [&](auto&& self, int parent) -> int {
    for (int id = 0; id < count(); ++id) {
      const ControlState& s = controls_[static_cast<std::size_t>(id)];
      if (s.parent != parent || !s.visible || !contains(visible_rect(id), x, y)) continue;
      if (s.design->kind == ControlKind::picture_box) {
        const int child = self(self, id);
        if (child >= 0) return child;
      }
      return id;
    }
    return -1;
  };
  return hit_in(hit_in, -1);
}

void WindowModel::press(int id) {
  if (modal() || closed_) return;
  const ControlDesign& d = *controls_[static_cast<std::size_t>(id)].design;
  switch (d.kind) {
    case ControlKind::button:
      move_focus(id);  // the edit box's lost_focus comes before the click
      raise(d.on_event);
      break;
    case ControlKind::edit_box: move_focus(id); break;
    case ControlKind::label: raise(d.on_event); break;
    default: break;
  }
}

bool WindowModel::click(int id) {
  const Rect r = visible_rect(id);
  if (!controls_[static_cast<std::size_t>(id)].visible || r.empty()) return false;
  const int hit = hit_test((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  if (hit >= 0) press(hit);
  return true;
}

void WindowModel::type(std::string_view typed) {
  if (modal() || closed_ || focus_ < 0) return;
  if (controls_[static_cast<std::size_t>(focus_)].design->kind != ControlKind::edit_box) {
    if (typed == " ") key_space();  // a space presses a focused button
    return;
  }
  edit_changed(focus_, typed_result(focus_, typed));
  backend_.property_changed(focus_, PROP_TEXT);
}

void WindowModel::paste(std::string_view pasted) {
  if (modal() || closed_ || focus_ < 0) return;
  if (controls_[static_cast<std::size_t>(focus_)].design->kind != ControlKind::edit_box) return;
  edit_changed(focus_, pasted_result(focus_, pasted));
  backend_.property_changed(focus_, PROP_TEXT);
}

std::vector<int> WindowModel::tab_order() const {
  // Equal tab positions: reverse design order. Out-of-sight controls take part.
  std::vector<int> order;
  for (int id = count() - 1; id >= 0; --id) {
    const ControlState& s = controls_[static_cast<std::size_t>(id)];
    if (s.design->focusable && s.visible) order.push_back(id);
  }
  return order;
}

void WindowModel::key_tab(bool backwards) {
  if (modal() || closed_) return;
  const std::vector<int> order = tab_order();
  if (order.empty()) return;
  const auto n = static_cast<int>(order.size());
  const auto it = std::find(order.begin(), order.end(), focus_);
  int i = it == order.end() ? (backwards ? 0 : n - 1) : static_cast<int>(it - order.begin());
  i = backwards ? (i + n - 1) % n : (i + 1) % n;
  move_focus(order[static_cast<std::size_t>(i)]);
}

void WindowModel::key_space() {
  if (modal() || closed_ || focus_ < 0) return;
  const ControlDesign& d = *controls_[static_cast<std::size_t>(focus_)].design;
  if (d.kind == ControlKind::button) raise(d.on_event);
}

void WindowModel::timer_tick(int id) {
  const ControlState& s = controls_[static_cast<std::size_t>(id)];
  if (s.period > 0) raise(s.design->on_event);
}

bool WindowModel::typed_character_passes(std::uint32_t code, std::int32_t input_mode) {
  if (input_mode != INPUT_MODE_DIGITS || code < 32) return true;
  return is_digit_or_minus(code);
}

std::string WindowModel::typed_result(int id, std::string_view typed) const {
  const ControlState& s = controls_[static_cast<std::size_t>(id)];
  std::string content(s.text.view());
  for (std::size_t i = 0; i < typed.size();) {
    const std::size_t n = char_length(typed, i);
    const std::uint32_t code = n == 1 ? static_cast<unsigned char>(typed[i]) : 0x80;
    const bool fits = s.max_length == 0 || content.size() + n <= static_cast<std::size_t>(s.max_length);
    if (typed_character_passes(code, s.input_mode) && fits) content.append(typed.substr(i, n));
    i += n;
  }
  return content;
}

std::string WindowModel::pasted_result(int id, std::string_view pasted) const {
  const ControlState& s = controls_[static_cast<std::size_t>(id)];
  std::string content(s.text.view());
  if (s.max_length == 0) return content.append(pasted);
  const std::size_t room =
      content.size() >= static_cast<std::size_t>(s.max_length) ? 0 : static_cast<std::size_t>(s.max_length) - content.size();
  return content.append(pasted.substr(0, cp936_prefix_within(pasted, room)));
}

void WindowModel::edit_changed(int id, std::string_view content) {
  controls_[static_cast<std::size_t>(id)].text = Text::from_bytes(content);
}

// The free functions of the toolkit interface.

void install_backend(Backend* backend) { g_backend = backend; }
WindowModel* installed_window_model() { return g_model.get(); }
void reset_toolkit() { g_model.reset(); }

namespace {

WindowModel& loaded_model(std::string_view control) {
  if (!g_model || !g_model->loaded()) fatal_error(control);
  return *g_model;
}

}  // namespace

void prepare_toolkit(const WindowDesign& design) {
  if (g_backend == nullptr) fatal_error(DESIGN_LOAD_FAILED);
  // Every parent must be a picture box of the design.
  for (const ControlDesign& c : design.controls) {
    if (c.parent.empty()) continue;
    const auto parent = std::find_if(design.controls.begin(), design.controls.end(),
                                     [&](const ControlDesign& p) { return p.name == c.parent; });
    if (parent == design.controls.end() || parent->kind != ControlKind::picture_box) fatal_error(DESIGN_LOAD_FAILED);
  }
  g_backend->prepare(design);
  g_model = std::make_unique<WindowModel>(design, *g_backend);
}

void load_window(std::string_view window) {
  if (!g_model || window != g_model->design().name) fatal_error(WINDOW_LOAD_FAILED);
  int w = 0, h = 0;
  g_model->backend().screen_size(w, h);
  g_model->load(w, h);
}

void run_message_loop() {
  if (g_model && !g_model->closed()) g_model->backend().run_loop();
}

Text get_property(std::string_view control, std::int32_t property) {
  WindowModel& m = loaded_model(control);
  if (property != PROP_TEXT) return Text();
  return m.get_text(control);
}

void set_property(std::string_view control, std::int32_t property, std::int32_t index, std::int32_t value) {
  loaded_model(control).set_number(control, property, index, value);
}

void set_property(std::string_view control, std::int32_t property, std::int32_t /*index*/, std::string_view text) {
  loaded_model(control).set_text(control, property, text);
}

void set_focus(std::string_view control) { loaded_model(control).set_focus(control); }

std::int32_t show_message_box(std::string_view text, std::int32_t flags, std::string_view caption) {
  return loaded_model({}).message_box(text, flags, caption);
}

void open_url(std::string_view url) { loaded_model({}).backend().open_url(url); }
