#pragma once
// The platform-free half of every toolkit: the window's controls and their
// properties, clamping, the timer rule, focus and the Tab cycle, hit testing,
// the typing filter and the length limit. A backend makes native widgets,
// mirrors what the model tells it, and forwards user input to the model.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"
#include "ui/design.h"

class WindowModel;

// What a backend does for the model.
class Backend {
 public:
  virtual ~Backend() = default;
  // Makes the toolkit ready: current directory, pictures. Fatal when the design
  // cannot be read.
  virtual void prepare(const WindowDesign& design) = 0;
  virtual void screen_size(int& width, int& height) = 0;
  // Native window and controls, not yet shown; false when that fails.
  virtual bool create_window(WindowModel& model) = 0;
  virtual void show_window() = 0;
  // Returns when the window has been closed.
  virtual void run_loop() = 0;
  virtual void destroy_window() = 0;
  // A property of a control (or of the window, id -1) changed in the model.
  virtual void property_changed(int id, std::int32_t property) = 0;
  virtual void focus_changed(int id) = 0;
  virtual void start_timer(int id, int period_ms) = 0;
  virtual void stop_timer(int id) = 0;
  virtual std::int32_t message_box(std::string_view text, std::int32_t flags, std::string_view caption) = 0;
  virtual void open_url(std::string_view url) = 0;
  // Height in pixels of the text "吴" in a font of this character height (pixels).
  virtual int text_height(int char_height_px) = 0;
  virtual int screen_dpi() = 0;
  virtual int edge_height() { return 2; }  // the system's 3-D edge
};

struct ControlState {
  const ControlDesign* design;
  int parent;  // -1: the window
  int left, top, width, height;
  bool visible;
  Text text;
  int font_points = 0;  // 0: the design font
  int font_height_px = 0;
  std::int32_t max_length = 0;  // 0: no limit
  std::int32_t input_mode = 0;
  std::int32_t period = 0;
};

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive
  bool empty() const { return right <= left || bottom <= top; }
};

class WindowModel {
 public:
  // Frame sizes of a fixed single-border window with a caption.
  static constexpr int FRAME_X = 3;
  static constexpr int FRAME_TOP = 26;
  static constexpr int FRAME_BOTTOM = 3;
  static constexpr int PAGE_CLAMP = 32627;

  WindowModel(const WindowDesign& design, Backend& backend);

  const WindowDesign& design() const { return design_; }
  Backend& backend() { return backend_; }
  bool loaded() const { return loaded_; }
  bool closed() const { return closed_; }
  bool modal() const { return modal_depth_ > 0; }

  // Building, then the created event, then showing and the first focus.
  void load(int screen_width, int screen_height);
  void close();

  int find(std::string_view name) const;  // -1 when there is no such control
  const ControlState& control(int id) const { return controls_[static_cast<std::size_t>(id)]; }
  int count() const { return static_cast<int>(controls_.size()); }
  int window_left() const { return window_left_; }
  int window_top() const { return window_top_; }
  int window_width() const { return window_width_; }
  int window_height() const { return window_height_; }
  int client_width() const { return window_width_ - 2 * FRAME_X; }
  int client_height() const { return window_height_ - FRAME_TOP - FRAME_BOTTOM; }
  int focus() const { return focus_; }

  // The application's side.
  Text get_text(std::string_view control) const;
  void set_number(std::string_view control, std::int32_t property, std::int32_t index, std::int32_t value);
  void set_text(std::string_view control, std::int32_t property, std::string_view text);
  void set_focus(std::string_view control);
  std::int32_t message_box(std::string_view text, std::int32_t flags, std::string_view caption);

  // The user's side, forwarded by a backend.
  // The control's rectangle in client coordinates, cut by its parent and the client area.
  Rect visible_rect(int id) const;
  Rect client_rect(int id) const;  // uncut
  int hit_test(int x, int y) const;  // topmost shown control at a client point, or -1
  // A left press on a control: focus moves (buttons, edit box), then the event.
  void press(int id);
  // A click at the middle of the control's visible part, landing on whatever
  // lies on top there; false when the control is hidden or out of sight.
  bool click(int id);
  // Typing and pasting into the focused control (code page 936 bytes).
  void type(std::string_view typed);
  void paste(std::string_view pasted);
  void key_tab(bool backwards);
  void key_space();
  void key_escape() { close(); }
  void timer_tick(int id);
  // Whether a typed character passes the input mode (code is the character's
  // code point; control keys always pass).
  static bool typed_character_passes(std::uint32_t code, std::int32_t input_mode);
  // The content after typing text at the end of the edit box: filtered
  // character by character, cut at the length limit in code page 936 bytes.
  std::string typed_result(int id, std::string_view typed) const;
  std::string pasted_result(int id, std::string_view pasted) const;
  // The user changed an edit box's content (typing, pasting, deleting).
  void edit_changed(int id, std::string_view content);
  // The focus moved natively (a backend whose widgets take focus themselves).
  void move_focus(int id);
  // The window was deactivated or minimised: an edit box with the focus loses it.
  void focus_left_window();

 private:
  int require(std::string_view control) const;  // fatal when missing
  void raise(Handler h);
  void set_period(int id, std::int32_t period);
  void set_font_size(int id, std::int32_t points);
  std::vector<int> tab_order() const;

  const WindowDesign& design_;
  Backend& backend_;
  std::vector<ControlState> controls_;
  int window_left_ = 0, window_top_ = 0, window_width_ = 0, window_height_ = 0;
  int focus_ = -1;
  int modal_depth_ = 0;
  bool loaded_ = false;
  bool building_ = false;
  bool closed_ = false;
};

// The backend the free toolkit functions use; set by the program's main.
void install_backend(Backend* backend);
// The model of the prepared window, or nullptr before prepare_toolkit.
WindowModel* installed_window_model();
// Forgets the model (tests that start the program again).
void reset_toolkit();

// Code page 936 length of the longest prefix of text that fits in limit bytes
// without cutting a double-byte character.
std::size_t cp936_prefix_within(std::string_view text, std::size_t limit);
