#pragma once
// The toolkit on FLTK 1.3 for Linux/X11: native widgets mirror the window
// model; user input goes to the model. UTF-8 on FLTK's side, code page 936 in Text.
#include <map>
#include <memory>
#include <string>

#include "ui/picture.h"
#include "ui/scale.h"
#include "ui/window_model.h"

class Fl_Window;
class Fl_Widget;

class FltkBackend final : public Backend {
 public:
  FltkBackend();
  ~FltkBackend() override;

  void prepare(const WindowDesign& design) override;
  void screen_size(int& width, int& height) override;
  bool create_window(WindowModel& model) override;
  void show_window() override;
  void run_loop() override;
  void destroy_window() override;
  void property_changed(int id, std::int32_t property) override;
  void focus_changed(int id) override;
  void start_timer(int id, int period_ms) override;
  void stop_timer(int id) override;
  std::int32_t message_box(std::string_view text, std::int32_t flags, std::string_view caption) override;
  void open_url(std::string_view url) override;
  int text_height(int char_height_px) override;
  int screen_dpi() override { return DESIGN_DPI; }  // the model counts in design pixels

  WindowModel* model() { return model_; }
  // The fatal-error box; usable before the window exists.
  static void show_fatal(std::string_view box_text, std::string_view caption);

 private:
  void place(int id);
  Fl_Widget* make_control(int id);

  WindowModel* model_ = nullptr;
  std::unique_ptr<Fl_Window> window_;
  std::map<int, Fl_Widget*> widgets_;
  std::map<int, int> periods_;
};
