#pragma once
// The toolkit on raw Win32 with the Unicode (W) functions: native controls
// mirror the window model; user input goes to the model. Texts are converted
// from and to code page 936 explicitly, whatever the system's code page.
#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/caption_layout.h"
#include "ui/picture.h"
#include "ui/scale.h"
#include "ui/window_model.h"

class Win32Backend final : public Backend {
 public:
  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;

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
  // The model counts in design pixels at every scale; the backend maps them.
  int screen_dpi() override { return DESIGN_DPI; }
  int edge_height() override;

  static void show_fatal(std::string_view box_text, std::string_view caption);

  // Window procedures reach the backend through these.
  LRESULT window_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT picture_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT edit_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT label_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 private:
  HWND make_control(int id, HWND parent);
  // Everything that depends on the scale: fonts, pictures, icons, places and
  // sizes. Made at start-up and again when the window moves to a monitor of
  // another DPI (suggested: the window rectangle the system proposes, or nullptr).
  void make_fonts();
  void free_fonts();
  void free_label_buffers();
  void make_picture(int id);
  void set_icons();
  void apply_scale(UINT dpi, const RECT* suggested);
  SIZE window_size() const;
  void place(int id);
  int id_of(HWND hwnd) const;
  LRESULT colour_static(HDC dc, HWND control);
  LRESULT command(WPARAM wp, LPARAM lp);
  bool typing_allowed(int id, wchar_t c) const;
  void paste_within_limit(int id, HWND edit);
  std::string unselected_text(HWND edit) const;
  bool pre_translate(const MSG& msg);
  void paint_picture(HWND hwnd);
  void paint_label(HWND hwnd);
  void set_text(int id, HWND h, const std::wstring& text);
  HFONT font_of(const ControlDesign& d) const { return d.font == FontKind::pixel24 ? big_font_ : gui_font_; }
  static std::vector<CaptionLine> wrap(HDC dc, std::wstring_view text, int width);
  static int line_pitch(HDC dc);
  const std::vector<CaptionLine>& lines_of(int id, HDC dc, std::wstring_view text, int width);
  static void draw_wrapped(HDC dc, std::wstring_view text, const std::vector<CaptionLine>& lines);

  struct LabelBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old_bitmap = nullptr;
  };
  std::map<int, LabelBuffer> label_buffers_;  // each label's off-screen bitmap
  std::map<int, std::vector<CaptionLine>> label_lines_;  // each wrapped label's layout of its text

  HINSTANCE instance_;
  WindowModel* model_ = nullptr;
  Scale scale_;
  std::wstring face_;  // the Chinese face where the system's own fonts have none
  HWND window_ = nullptr;
  std::map<int, HWND> controls_;
  std::map<int, Image> blended_;  // pictures blended with their box's background, BGRA
  std::map<int, HBRUSH> brushes_;
  std::map<int, HFONT> edit_fonts_;
  HFONT big_font_ = nullptr;
  HFONT gui_font_ = nullptr;
  HICON big_icon_ = nullptr, small_icon_ = nullptr;
  WNDPROC edit_proc_ = nullptr;
  WNDPROC label_proc_ = nullptr;
};
