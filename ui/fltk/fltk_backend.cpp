#include "ui/fltk/fltk_backend.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <spawn.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "text/fatal_error.h"
#include "ui/assets.h"
#include "ui/caption_layout.h"
#include "ui/codepage.h"
#include "ui/fltk/caption_font.h"
#include "ui/scale.h"
#include "ui/toolkit.h"

extern char** environ;

namespace {

FltkBackend* g_backend = nullptr;
// The window's scale: every place, size and font goes through it.
Scale g_scale;
int px(int design) { return g_scale.px(design); }

constexpr Fl_Font CJK_FONT = FL_FREE_FONT;

// 确定 取消 是 否
const std::string OK_LABEL = utf8_from_cp936("\xC8\xB7\xB6\xA8");
const std::string CANCEL_LABEL = utf8_from_cp936("\xC8\xA1\xCF\xFB");
const std::string YES_LABEL = utf8_from_cp936("\xCA\xC7");
const std::string NO_LABEL = utf8_from_cp936("\xB7\xF1");

Fl_Color fl_colour(Colour c) {
  if (c == SYSTEM_BUTTON_FACE) return FL_BACKGROUND_COLOR;
  return fl_rgb_color(static_cast<uchar>(c >> 16), static_cast<uchar>(c >> 8), static_cast<uchar>(c));
}

Colour colour_value(Colour c) {
  if (c != SYSTEM_BUTTON_FACE) return c;
  uchar r, g, b;
  Fl::get_color(FL_BACKGROUND_COLOR, r, g, b);
  return static_cast<Colour>(r << 16 | g << 8 | b);
}

int font_px(const ControlDesign& d) { return px(caption_font_px(d.font)); }

// Captions as FLTK draws them: UTF-8, CR dropped; one-line captions lose LF too.
std::string caption_utf8(std::string_view cp936, bool word_wrap) {
  std::string out;
  for (char c : utf8_from_cp936(cp936)) {
    if (c == '\r' || (c == '\n' && !word_wrap)) continue;
    out.push_back(c);
  }
  return out;
}

WindowModel& model() { return *g_backend->model(); }

// A debug hook for the tests: with QUILLORA_PAINT_LOG=FILE every paint of a
// control (and every full paint of the window) appends its name to FILE.
FILE* paint_log() {
  static FILE* log = [] {
    const char* path = std::getenv("QUILLORA_PAINT_LOG");
    return path != nullptr && *path != '\0' ? std::fopen(path, "a") : nullptr;
  }();
  return log;
}

void note_paint(std::string_view cp936_name) {
  if (FILE* log = paint_log()) {
    std::fprintf(log, "%s\n", utf8_from_cp936(cp936_name).c_str());
    std::fflush(log);
  }
}

class Label final : public Fl_Widget {
 public:
  Label(int id, const ControlDesign& d, int x, int y, int w, int h) : Fl_Widget(x, y, w, h), id_(id), design_(d) {}
  ~Label() override {
    if (offscreen_) fl_delete_offscreen(offscreen_);
  }
  // Takes a new caption and repaints only what changed: for a wrapped caption
  // the band of lines that differ (a tick changes the seconds line, now and
  // then the minutes), for a left-aligned line what follows its unchanged
  // start (the last digits of the age). Nothing when nothing changed.
  void set_caption(std::string_view cp936) {
    std::string caption = caption_utf8(cp936, design_.word_wrap);
    if (caption == caption_) return;
    if (!design_.word_wrap) {
      int left = 0;
      if (design_.align == Align::left && !caption_.empty()) {
        std::size_t same = 0;
        while (same < caption.size() && same < caption_.size() && caption[same] == caption_[same]) ++same;
        while (same > 0 && same < caption.size() && !detail::starts_character(caption[same])) --same;
        fl_font(CJK_FONT, font_px(design_));
        // A quarter of a character to spare: a glyph's ink may lean past its advance.
        left = std::max(0, static_cast<int>(fl_width(caption.data(), static_cast<int>(same))) - font_px(design_) / 4);
      }
      caption_ = std::move(caption);
      mark(left, 0, w(), h());
      return;
    }
    std::vector<CaptionLine> lines = layout(caption);
    const auto [top, bottom] = changed_rows(changed_lines<char>(caption_, lines_, caption, lines), font_px(design_), h());
    caption_ = std::move(caption);
    lines_ = std::move(lines);
    mark(0, top, w(), bottom);
  }

 protected:
  // Background and text go to the label's own pixmap, which is then copied to
  // the screen in one step: no erased label ever shows.
  void draw() override {
    note_paint(design_.name);
    if (!offscreen_) offscreen_ = fl_create_offscreen(w(), h());  // labels never change size
    int left = 0, top = 0, right = w(), bottom = h();
    if (damage() == FL_DAMAGE_USER1 && band_.left < band_.right && band_.top < band_.bottom) {
      left = band_.left;
      top = band_.top;
      right = band_.right;
      bottom = band_.bottom;
    }
    band_ = NO_BAND;
    fl_begin_offscreen(offscreen_);
    fl_push_clip(left, top, right - left, bottom - top);
    fl_color(fl_colour(design_.background));
    fl_rectf(left, top, right - left, bottom - top);
    fl_color(fl_colour(design_.text_colour));
    fl_font(CJK_FONT, font_px(design_));
    if (design_.word_wrap) {
      draw_lines(top, bottom);
    } else {
      const Fl_Align align = FL_ALIGN_INSIDE | FL_ALIGN_CLIP | (design_.align == Align::centre ? FL_ALIGN_CENTER : FL_ALIGN_LEFT);
      fl_draw(caption_.c_str(), 0, 0, w(), h(), align, nullptr, 0);
    }
    fl_pop_clip();
    fl_end_offscreen();
    fl_copy_offscreen(x() + left, y() + top, right - left, bottom - top, offscreen_, left, top);
  }
  int handle(int event) override {
    if (event == FL_PUSH && design_.on_event != nullptr && Fl::event_button() == FL_LEFT_MOUSE) {
      model().press(id_);
      return 1;
    }
    return 0;
  }

 private:
  // Adds a rectangle of the label (its own coordinates) to what the next paint redraws.
  void mark(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    band_ = {std::min(band_.left, left), std::min(band_.top, top), std::max(band_.right, right),
             std::max(band_.bottom, bottom)};
    damage(FL_DAMAGE_USER1, x() + left, y() + top, right - left, bottom - top);
  }
  std::vector<CaptionLine> layout(std::string_view caption) const {
    fl_font(CJK_FONT, font_px(design_));
    const int width = w();
    return break_caption(caption, [width](std::string_view piece) {
      return fl_width(piece.data(), static_cast<int>(piece.size())) <= width;
    });
  }
  // The lines that reach into rows [top, bottom), one character height apart.
  void draw_lines(int top, int bottom) const {
    const int pitch = font_px(design_);
    const int baseline = fl_height() - fl_descent() - (fl_height() - pitch) / 2;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const int line_top = static_cast<int>(i) * pitch;
      if (line_top >= h()) break;
      if (line_top + pitch + pitch / 2 <= top || line_top - pitch / 2 >= bottom || lines_[i].length == 0) continue;
      fl_draw(caption_.data() + lines_[i].begin, static_cast<int>(lines_[i].length), 0, line_top + baseline);
    }
  }

  int id_;
  const ControlDesign& design_;
  std::string caption_;
  std::vector<CaptionLine> lines_;  // of a wrapped caption
  static constexpr Rect NO_BAND = {INT_MAX, INT_MAX, 0, 0};
  Rect band_ = NO_BAND;  // what the next paint redraws, when only a part changed
  Fl_Offscreen offscreen_ = 0;
};

class Button final : public Fl_Button {
 public:
  Button(int id, int x, int y, int w, int h) : Fl_Button(x, y, w, h), id_(id) {
    callback([](Fl_Widget*, void* data) { model().press(static_cast<int>(reinterpret_cast<intptr_t>(data))); },
             reinterpret_cast<void*>(static_cast<intptr_t>(id)));
  }

 protected:
  int handle(int event) override {
    if (event == FL_FOCUS) model().move_focus(id_);  // the edit box's lost_focus comes before the click
    if (event == FL_KEYBOARD && Fl::event_key() == FL_Enter) return 0;  // Enter clicks nothing
    return Fl_Button::handle(event);
  }
  void draw() override {
    note_paint(model().control(id_).design->name);
    Fl_Button::draw();
  }

 private:
  int id_;
};

class EditBox final : public Fl_Input {
 public:
  EditBox(int id, int x, int y, int w, int h) : Fl_Input(x, y, w, h), id_(id) {
    when(FL_WHEN_CHANGED);
    callback([](Fl_Widget* widget, void* data) {
      model().edit_changed(static_cast<int>(reinterpret_cast<intptr_t>(data)),
                           cp936_from_utf8(static_cast<Fl_Input*>(widget)->value()));
    }, reinterpret_cast<void*>(static_cast<intptr_t>(id)));
  }

 protected:
  int handle(int event) override {
    if (event == FL_FOCUS) model().move_focus(id_);
    if (event == FL_KEYBOARD && Fl::event_length() > 0 && static_cast<unsigned char>(Fl::event_text()[0]) >= 32 &&
        !(Fl::event_state() & (FL_CTRL | FL_ALT | FL_META))) {
      if (!typing_allowed(Fl::event_text())) return 1;  // dropped, as a typed character that does not pass
    }
    if (event == FL_PASTE) return paste_within_limit(Fl::event_text());
    return Fl_Input::handle(event);
  }
  void draw() override {
    note_paint(model().control(id_).design->name);
    Fl_Input::draw();
  }

 private:
  // The box's content with the selection taken out, in code page 936.
  std::string unselected() const {
    const std::string v = value();
    const int a = std::min(position(), mark()), b = std::max(position(), mark());
    return cp936_from_utf8(v.substr(0, static_cast<std::size_t>(a)) + v.substr(static_cast<std::size_t>(b)));
  }
  int room() const {
    const std::int32_t limit = model().control(id_).max_length;
    if (limit == 0) return 1 << 30;
    return std::max(0, limit - static_cast<int>(unselected().size()));
  }
  bool typing_allowed(const char* utf8) const {
    const unsigned code = fl_utf8decode(utf8, utf8 + std::strlen(utf8), nullptr);
    if (!WindowModel::typed_character_passes(code, model().control(id_).input_mode)) return false;
    return static_cast<int>(cp936_from_utf8(utf8).size()) <= room();
  }
  int paste_within_limit(const char* utf8) {
    // Pasting is not filtered; what does not fit the limit is cut at a character.
    const std::string bytes = cp936_from_utf8(utf8);
    const std::string fits = utf8_from_cp936(bytes.substr(0, cp936_prefix_within(bytes, static_cast<std::size_t>(room()))));
    replace(position(), mark(), fits.c_str(), static_cast<int>(fits.size()));
    do_callback();
    return 1;
  }
  int id_;
};

// The picture is decoded when the box is first painted, not at start-up (the
// window maps sooner, and a page never shown never decodes its pictures). It
// is then kept once, at the box's size, as a pixmap in the X server.
class PictureBox final : public Fl_Group {
 public:
  PictureBox(const ControlDesign& d, int x, int y, int w, int h) : Fl_Group(x, y, w, h), design_(d) { end(); }
  ~PictureBox() override {
    if (picture_) fl_delete_offscreen(picture_);
  }

 protected:
  // When only a label inside changed, only that label paints: it covers its
  // rectangle with its own background, so the picture under it stays as it is.
  void draw() override {
    fl_push_clip(x(), y(), w(), h());
    if (damage() & ~FL_DAMAGE_CHILD) {
      note_paint(design_.name);
      if (!picture_) make_picture();
      fl_copy_offscreen(x(), y(), w(), h(), picture_, 0, 0);
    }
    draw_children();  // the labels inside are cut at the box's edges
    fl_pop_clip();
  }

 private:
  void make_picture() {
    picture_ = fl_create_offscreen(w(), h());
    fl_begin_offscreen(picture_);
    fl_color(fl_colour(design_.background));
    fl_rectf(0, 0, w(), h());
    // The drawing made for this scale or the next larger one: only ever reduced.
    if (std::optional<Image> image = decode_png(picture_png(design_.picture, picture_dpi_for(g_scale.dpi)))) {
      blend_to_rgb_in_place(*image, colour_value(design_.background));
      Fl_RGB_Image full(image->rgba.data(), image->width, image->height, 3);
      std::unique_ptr<Fl_Image> scaled(full.copy(w(), h()));
      scaled->draw(0, 0);
    }
    fl_end_offscreen();
  }

  const ControlDesign& design_;
  Fl_Offscreen picture_ = 0;
};

// Single-buffered: a whole-window back buffer would be swapped in full on
// every tick. The labels, the only controls that change often, buffer themselves.
class MainWindow final : public Fl_Window {
 public:
  MainWindow(int w, int h, const char* title) : Fl_Window(w, h, title) {
    callback([](Fl_Widget*, void*) { model().close(); });  // close button, Alt+F4
  }

 protected:
  int handle(int event) override {
    if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
      switch (Fl::event_key()) {
        case FL_Tab: model().key_tab((Fl::event_state() & FL_SHIFT) != 0); return 1;
        case FL_Escape: model().key_escape(); return 1;
        case FL_Enter:
        case FL_KP_Enter: return 1;  // no default button, no effect
        default: break;
      }
    }
    return Fl_Window::handle(event);
  }
  void draw() override {
    if (damage() & ~FL_DAMAGE_CHILD) note_paint("窗口1");
    Fl_Window::draw();
  }
};

void tick(void* data) {
  const int id = static_cast<int>(reinterpret_cast<intptr_t>(data));
  const int period = model().control(id).period;
  if (period > 0) Fl::repeat_timeout(period / 1000.0, tick, data);  // keep the rhythm before the handler runs
  model().timer_tick(id);
}

// A small modal dialog: the text, optionally an error icon, and the buttons of the flags.
class MessageDialog final : public Fl_Window {
 public:
  MessageDialog(const std::string& text, const std::string& caption, std::int32_t flags)
      : Fl_Window(100, 100, caption.c_str()) {
    caption_ = caption;
    label(caption_.c_str());
    text_ = text;
    const bool icon = (flags & 0xF0) == 0x10;
    fl_font(CJK_FONT, px(GUI_FONT_PX));
    int tw = px(360), th = 0;
    fl_measure(text_.c_str(), tw, th, 0);
    tw = std::max(tw, px(160));
    const int left = px(icon ? 70 : 20);
    const int body_height = std::max(th, icon ? px(40) : 0);
    const int width = left + tw + px(30), height = body_height + px(80);
    size(width, height);
    auto* body = new Fl_Box(left, px(20), tw, body_height, text_.c_str());
    body->labelfont(CJK_FONT);
    body->labelsize(px(GUI_FONT_PX));
    body->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_WRAP);
    if (icon) {
      auto* mark = new Fl_Box(px(20), px(20), px(36), px(36), "X");
      mark->box(FL_OVAL_BOX);
      mark->color(FL_RED);
      mark->labelcolor(FL_WHITE);
      mark->labelfont(FL_HELVETICA_BOLD);
      mark->labelsize(px(20));
    }
    add_buttons(flags & 0xF, width, height);
    end();
    set_modal();
  }
  std::int32_t run() {
    if (Fl_Window* main = Fl::first_window()) position(main->x() + (main->w() - w()) / 2, main->y() + (main->h() - h()) / 2);
    show();
    while (shown()) Fl::wait();  // timers go on in this loop
    return result_;
  }

 private:
  void add_buttons(int type, int width, int height) {
    std::vector<std::pair<const std::string*, std::int32_t>> buttons;
    if (type == 1) buttons = {{&OK_LABEL, 0}, {&CANCEL_LABEL, 1}};
    else if (type == 4) buttons = {{&YES_LABEL, 5}, {&NO_LABEL, 6}};
    else buttons = {{&OK_LABEL, 0}};
    result_ = buttons.back().second;  // closing the box counts as its last button
    const int bw = px(80), gap = px(10), top = height - px(45), bh = px(28);
    int x = (width - static_cast<int>(buttons.size()) * (bw + gap) + gap) / 2;
    for (std::size_t n = 0; n < buttons.size(); ++n, x += bw + gap) {
      Fl_Button* b = n == 0 ? new Fl_Return_Button(x, top, bw, bh) : new Fl_Button(x, top, bw, bh);
      b->copy_label(buttons[n].first->c_str());
      b->labelfont(CJK_FONT);
      b->labelsize(px(GUI_FONT_PX));
      b->callback([](Fl_Widget* w, void* data) {
        auto* dlg = static_cast<MessageDialog*>(w->window());
        dlg->result_ = static_cast<std::int32_t>(reinterpret_cast<intptr_t>(data));
        dlg->hide();
      }, reinterpret_cast<void*>(static_cast<intptr_t>(buttons[n].second)));
    }
  }
  std::string caption_, text_;
  std::int32_t result_ = 0;
};

// The desktop's scale: QUILLORA_SCALE when set (a factor, "1.5"), else the
// Xft.dpi resource that desktops set for scaled screens, else none.
Scale desktop_scale() {
  if (const char* factor = std::getenv("QUILLORA_SCALE"); factor != nullptr && *factor != '\0') {
    if (const std::optional<int> dpi = dpi_from_scale_text(factor)) return {*dpi};
    std::fprintf(stderr, "quillora: QUILLORA_SCALE=%s is not a factor from 1 to 4; ignored\n", factor);
  }
  if (const char* resource = XGetDefault(fl_display, "Xft", "dpi")) {
    if (const std::optional<int> dpi = dpi_from_resource_text(resource)) return {*dpi};
  }
  return {};
}

void setup_fonts() {
  // FLTK 1.3 has no glyph fallback: every font we draw with is a CJK face.
  static std::string name;
  const std::string family = choose_caption_family();
  name = " " + (family.empty() ? std::string("sans") : family);  // a leading space: the regular style
  Fl::set_font(CJK_FONT, name.c_str());
}

}  // namespace

FltkBackend::FltkBackend() {
  g_backend = this;
  std::signal(SIGCHLD, SIG_IGN);  // xdg-open children are reaped without waiting
  setup_fonts();
}

FltkBackend::~FltkBackend() {
  for (auto& [id, period] : periods_) Fl::remove_timeout(tick, reinterpret_cast<void*>(static_cast<intptr_t>(id)));
  widgets_.clear();
  window_.reset();
  if (g_backend == this) g_backend = nullptr;
}

void FltkBackend::prepare(const WindowDesign& design) {
  // The folder of the program file becomes the current directory.
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n > 0) {
    std::string dir(path, static_cast<std::size_t>(n));
    dir.resize(dir.rfind('/') + 1);
    if (chdir(dir.c_str()) != 0) {
      // Staying in the start folder is harmless: the program reads no files.
    }
  }
  Fl_RGB_Image::RGB_scaling(FL_RGB_SCALING_BILINEAR);
  // The pictures are decoded when first shown; what cannot be a picture is
  // refused now, as design data that cannot be read.
  if (!design_pictures_readable(design)) fatal_error(DESIGN_LOAD_FAILED);
  fl_open_display();
  g_scale = desktop_scale();
  FL_NORMAL_SIZE = px(GUI_FONT_PX);
}

// In design pixels, as the model centres the window in them.
void FltkBackend::screen_size(int& width, int& height) {
  int x, y;
  Fl::screen_xywh(x, y, width, height, 0);
  width = g_scale.design_floor(width);
  height = g_scale.design_floor(height);
}

Fl_Widget* FltkBackend::make_control(int id) {
  const ControlState& s = model_->control(id);
  const ControlDesign& d = *s.design;
  const Rect r = g_scale.rect(model_->client_rect(id));
  const int w = r.right - r.left, h = r.bottom - r.top;
  switch (d.kind) {
    case ControlKind::label: {
      auto* label = new Label(id, d, r.left, r.top, w, h);
      label->set_caption(s.text.view());
      return label;
    }
    case ControlKind::button: {
      auto* button = new Button(id, r.left, r.top, w, h);
      button->copy_label(caption_utf8(s.text.view(), false).c_str());
      button->labelfont(CJK_FONT);
      button->labelsize(px(GUI_FONT_PX));
      button->align(FL_ALIGN_INSIDE | FL_ALIGN_CENTER | FL_ALIGN_WRAP);
      return button;
    }
    case ControlKind::edit_box: {
      auto* edit = new EditBox(id, r.left, r.top, w, h);
      edit->box(FL_DOWN_BOX);
      edit->textfont(CJK_FONT);
      edit->textsize(px(GUI_FONT_PX));
      edit->color(fl_colour(d.background));
      edit->textcolor(fl_colour(d.text_colour));
      edit->value(utf8_from_cp936(s.text.view()).c_str());
      return edit;
    }
    case ControlKind::picture_box: return new PictureBox(d, r.left, r.top, w, h);
    case ControlKind::timer: return nullptr;
  }
  return nullptr;
}

bool FltkBackend::create_window(WindowModel& model) {
  model_ = &model;
  const std::string title = utf8_from_cp936(model.design().title);
  const int width = px(model.client_width()), height = px(model.client_height());
  window_ = std::make_unique<MainWindow>(width, height, nullptr);
  window_->copy_label(title.c_str());
  window_->xclass(std::string(model.design().class_name).c_str());
  window_->color(fl_colour(model.design().background));
  window_->position(px(model.window_left() + WindowModel::FRAME_X), px(model.window_top() + WindowModel::FRAME_TOP));
  window_->size_range(width, height, width, height);
  // The square icons drawn for small sizes, not the 256-pixel one: the window
  // manager shows 16 to 48 pixels (scaled), and FLTK keeps its own copies.
  std::vector<Image> pixels;
  std::vector<std::unique_ptr<Fl_RGB_Image>> icons;
  for (int size : {16, 32, 48}) {
    if (auto icon = decode_png(theme_icon_png(drawing_for(THEME_ICON_SIZES, px(size))))) pixels.push_back(std::move(*icon));
  }
  std::vector<const Fl_RGB_Image*> list;
  for (Image& icon : pixels) {
    icons.push_back(std::make_unique<Fl_RGB_Image>(icon.rgba.data(), icon.width, icon.height, 4));
    list.push_back(icons.back().get());
  }
  window_->icons(list.data(), static_cast<int>(list.size()));
  // Reverse design order: FLTK stacks later children on top.
  for (int id = model.count() - 1; id >= 0; --id) {
    Fl_Widget* w = make_control(id);
    if (w == nullptr) continue;
    w->hide();
    widgets_[id] = w;
  }
  window_->end();
  // Controls with a parent move into its picture box.
  for (int id = model.count() - 1; id >= 0; --id) {
    const int parent = model.control(id).parent;
    if (parent < 0 || !widgets_.count(id)) continue;
    static_cast<Fl_Group*>(widgets_[parent])->add(widgets_[id]);
    place(id);
  }
  return true;
}

void FltkBackend::show_window() { window_->show(); }

void FltkBackend::run_loop() {
  while (window_ && window_->shown() && !model_->closed()) Fl::wait();
}

void FltkBackend::destroy_window() {
  if (window_) window_->hide();
}

void FltkBackend::place(int id) {
  const auto it = widgets_.find(id);
  if (it == widgets_.end()) return;
  const Rect r = g_scale.rect(model_->client_rect(id));
  it->second->resize(r.left, r.top, r.right - r.left, r.bottom - r.top);
  for (int child = 0; child < model_->count(); ++child) {
    if (model_->control(child).parent == id) place(child);
  }
}

void FltkBackend::property_changed(int id, std::int32_t property) {
  if (id < 0) {
    const int width = px(model_->client_width()), height = px(model_->client_height());
    if (window_ && (window_->w() != width || window_->h() != height)) window_->size(width, height);
    return;
  }
  const auto it = widgets_.find(id);
  if (it == widgets_.end()) return;
  Fl_Widget* w = it->second;
  const ControlState& s = model_->control(id);
  switch (property) {
    case PROP_LEFT:
    case PROP_TOP:
    case PROP_WIDTH:
    case PROP_HEIGHT:
      // A move uncovers what lay under the old place: the page switches repaint the window.
      place(id);
      if (window_) window_->redraw();
      break;
    case PROP_VISIBLE: s.visible ? w->show() : w->hide(); break;  // both repaint what they cover
    case PROP_TEXT:
      // Only the control itself repaints, and only when what it shows changed.
      if (s.design->kind == ControlKind::label) static_cast<Label*>(w)->set_caption(s.text.view());
      if (s.design->kind == ControlKind::edit_box) static_cast<EditBox*>(w)->value(utf8_from_cp936(s.text.view()).c_str());
      break;
    case PROP_FONT:
      if (s.design->kind == ControlKind::edit_box) {
        static_cast<EditBox*>(w)->textsize(px(s.font_height_px));
        w->redraw();
      }
      break;
    default: break;
  }
}

void FltkBackend::focus_changed(int id) {
  const auto it = widgets_.find(id);
  if (it != widgets_.end() && Fl::focus() != it->second) it->second->take_focus();
}

void FltkBackend::start_timer(int id, int period_ms) {
  periods_[id] = period_ms;
  Fl::add_timeout(period_ms / 1000.0, tick, reinterpret_cast<void*>(static_cast<intptr_t>(id)));
}

void FltkBackend::stop_timer(int id) {
  periods_.erase(id);
  Fl::remove_timeout(tick, reinterpret_cast<void*>(static_cast<intptr_t>(id)));
}

std::int32_t FltkBackend::message_box(std::string_view text, std::int32_t flags, std::string_view caption) {
  MessageDialog dialog(caption_utf8(text, true), utf8_from_cp936(caption), flags);
  return dialog.run();
}

void FltkBackend::open_url(std::string_view url) {
  // No shell: xdg-open gets the address as one argument; its outcome is not examined.
  const std::string address(url);
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(address.c_str()), nullptr};
  pid_t pid;
  posix_spawnp(&pid, program, nullptr, nullptr, argv, environ);
}

// Measured at the device size, answered in design pixels.
int FltkBackend::text_height(int char_height_px) {
  fl_font(CJK_FONT, px(char_height_px));
  return g_scale.design_ceil(fl_height());
}

void FltkBackend::show_fatal(std::string_view box_text, std::string_view caption) {
  if (fl_display == nullptr) {
    std::fprintf(stderr, "%s\n", utf8_from_cp936(std::string(caption) + ": " + std::string(box_text)).c_str());
    return;
  }
  MessageDialog dialog(caption_utf8(box_text, true), utf8_from_cp936(caption), 0x10);
  dialog.run();
}
