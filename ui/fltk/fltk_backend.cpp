#include "ui/fltk/fltk_backend.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <spawn.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "text/fatal_error.h"
#include "ui/assets.h"
#include "ui/codepage.h"
#include "ui/fltk/caption_font.h"
#include "ui/toolkit.h"

extern char** environ;

namespace {

FltkBackend* g_backend = nullptr;

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

int font_px(const ControlDesign& d) { return caption_font_px(d.font); }

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
  // Lines one character height apart from the top, broken at each LF and
  // between words that do not fit.
  void draw_wrapped() const {
    const int line_height = font_px(design_);
    int line_y = y() + fl_height() - fl_descent() - (fl_height() - line_height) / 2;
    std::size_t start = 0;
    while (start <= caption_.size() && line_y - line_height < y() + h()) {
      std::size_t end = caption_.find('\n', start);
      if (end == std::string::npos) end = caption_.size();
      std::string line = caption_.substr(start, end - start);
      while (!line.empty()) {
        std::size_t fit = line.size();
        while (fit > 0 && fl_width(line.c_str(), static_cast<int>(fit)) > w()) {
          const std::size_t space = line.rfind(' ', fit - 1);
          fit = space == std::string::npos || space == 0 ? fit - 1 : space;
        }
        if (fit == 0) fit = 1;
        fl_draw(line.c_str(), static_cast<int>(fit), x(), line_y);
        line_y += line_height;
        line.erase(0, fit);
        if (!line.empty() && line[0] == ' ') line.erase(0, 1);
      }
      if (end == start) line_y += line_height;  // an empty line
      start = end + 1;
    }
  }

 public:
  Label(int id, const ControlDesign& d, int x, int y, int w, int h) : Fl_Widget(x, y, w, h), id_(id), design_(d) {}
  // False when the caption is what the label shows already.
  bool set_caption(std::string_view cp936) {
    std::string caption = caption_utf8(cp936, design_.word_wrap);
    if (caption == caption_) return false;
    caption_ = std::move(caption);
    return true;
  }

 protected:
  // One pass over the label's own rectangle: its background, then the text.
  void draw() override {
    note_paint(design_.name);
    fl_push_clip(x(), y(), w(), h());
    fl_color(fl_colour(design_.background));
    fl_rectf(x(), y(), w(), h());
    fl_color(fl_colour(design_.text_colour));
    fl_font(CJK_FONT, font_px(design_));
    if (design_.word_wrap) {
      draw_wrapped();
    } else {
      const Fl_Align align = FL_ALIGN_INSIDE | FL_ALIGN_CLIP | (design_.align == Align::centre ? FL_ALIGN_CENTER : FL_ALIGN_LEFT);
      fl_draw(caption_.c_str(), x(), y(), w(), h(), align, nullptr, 0);
    }
    fl_pop_clip();
  }
  int handle(int event) override {
    if (event == FL_PUSH && design_.on_event != nullptr && Fl::event_button() == FL_LEFT_MOUSE) {
      model().press(id_);
      return 1;
    }
    return 0;
  }

 private:
  int id_;
  const ControlDesign& design_;
  std::string caption_;
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

class PictureBox final : public Fl_Group {
 public:
  PictureBox(const ControlDesign& d, Fl_RGB_Image* picture, int x, int y, int w, int h)
      : Fl_Group(x, y, w, h), design_(d), scaled_(picture) {
    end();
  }

 protected:
  // When only a label inside changed, only that label paints: it covers its
  // rectangle with its own background, so the picture under it stays as it is.
  void draw() override {
    fl_push_clip(x(), y(), w(), h());
    if (damage() & ~FL_DAMAGE_CHILD) {
      note_paint(design_.name);
      fl_color(fl_colour(design_.background));
      fl_rectf(x(), y(), w(), h());
      if (scaled_) scaled_->draw(x(), y());
    }
    draw_children();  // the labels inside are cut at the box's edges
    fl_pop_clip();
  }

 private:
  const ControlDesign& design_;
  Fl_RGB_Image* scaled_;  // owned by the backend
};

class MainWindow final : public Fl_Double_Window {
 public:
  MainWindow(int w, int h, const char* title) : Fl_Double_Window(w, h, title) {
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
    return Fl_Double_Window::handle(event);
  }
  void draw() override {
    if (damage() & ~FL_DAMAGE_CHILD) note_paint("窗口1");
    Fl_Double_Window::draw();
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
    fl_font(CJK_FONT, GUI_FONT_PX);
    int tw = 360, th = 0;
    fl_measure(text_.c_str(), tw, th, 0);
    tw = std::max(tw, 160);
    const int left = icon ? 70 : 20;
    const int width = left + tw + 30, height = std::max(th, icon ? 40 : 0) + 80;
    size(width, height);
    auto* body = new Fl_Box(left, 20, tw, std::max(th, icon ? 40 : 0), text_.c_str());
    body->labelfont(CJK_FONT);
    body->labelsize(GUI_FONT_PX);
    body->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_WRAP);
    if (icon) {
      auto* mark = new Fl_Box(20, 20, 36, 36, "X");
      mark->box(FL_OVAL_BOX);
      mark->color(FL_RED);
      mark->labelcolor(FL_WHITE);
      mark->labelfont(FL_HELVETICA_BOLD);
      mark->labelsize(20);
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
    const int bw = 80, gap = 10;
    int x = (width - static_cast<int>(buttons.size()) * (bw + gap) + gap) / 2;
    for (std::size_t n = 0; n < buttons.size(); ++n, x += bw + gap) {
      Fl_Button* b = n == 0 ? new Fl_Return_Button(x, height - 45, bw, 28) : new Fl_Button(x, height - 45, bw, 28);
      b->copy_label(buttons[n].first->c_str());
      b->labelfont(CJK_FONT);
      b->labelsize(GUI_FONT_PX);
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

void setup_fonts() {
  // FLTK 1.3 has no glyph fallback: every font we draw with is a CJK face.
  static std::string name;
  const std::string family = choose_caption_family();
  name = " " + (family.empty() ? std::string("sans") : family);  // a leading space: the regular style
  Fl::set_font(CJK_FONT, name.c_str());
  FL_NORMAL_SIZE = GUI_FONT_PX;
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
  // Each picture is decoded, blended with its box's background and kept only
  // at the box's size; one full-size picture is in memory at a time.
  for (int id = 0; id < static_cast<int>(design.controls.size()); ++id) {
    const ControlDesign& c = design.controls[static_cast<std::size_t>(id)];
    if (c.picture == Picture::none) continue;
    std::optional<Image> image = decode_png(picture_png(c.picture));
    if (!image) fatal_error(DESIGN_LOAD_FAILED);
    blend_to_rgb_in_place(*image, colour_value(c.background));
    Fl_RGB_Image full(image->rgba.data(), image->width, image->height, 3);
    pictures_[id].reset(static_cast<Fl_RGB_Image*>(full.copy(c.width, c.height)));
  }
  fl_open_display();
}

void FltkBackend::screen_size(int& width, int& height) {
  int x, y;
  Fl::screen_xywh(x, y, width, height, 0);
}

Fl_Widget* FltkBackend::make_control(int id) {
  const ControlState& s = model_->control(id);
  const ControlDesign& d = *s.design;
  const Rect r = model_->client_rect(id);
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
      button->labelsize(GUI_FONT_PX);
      button->align(FL_ALIGN_INSIDE | FL_ALIGN_CENTER | FL_ALIGN_WRAP);
      return button;
    }
    case ControlKind::edit_box: {
      auto* edit = new EditBox(id, r.left, r.top, w, h);
      edit->box(FL_DOWN_BOX);
      edit->textfont(CJK_FONT);
      edit->textsize(GUI_FONT_PX);
      edit->color(fl_colour(d.background));
      edit->textcolor(fl_colour(d.text_colour));
      edit->value(utf8_from_cp936(s.text.view()).c_str());
      return edit;
    }
    case ControlKind::picture_box: {
      const auto picture = pictures_.find(id);
      return new PictureBox(d, picture == pictures_.end() ? nullptr : picture->second.get(), r.left, r.top, w, h);
    }
    case ControlKind::timer: return nullptr;
  }
  return nullptr;
}

bool FltkBackend::create_window(WindowModel& model) {
  model_ = &model;
  const std::string title = utf8_from_cp936(model.design().title);
  window_ = std::make_unique<MainWindow>(model.client_width(), model.client_height(), nullptr);
  window_->copy_label(title.c_str());
  window_->xclass(std::string(model.design().class_name).c_str());
  window_->color(fl_colour(model.design().background));
  window_->position(model.window_left() + WindowModel::FRAME_X, model.window_top() + WindowModel::FRAME_TOP);
  window_->size_range(model.client_width(), model.client_height(), model.client_width(), model.client_height());
  if (auto icon = decode_png(icon_png())) {
    static Image icon_pixels;
    icon_pixels = std::move(*icon);
    icon_ = std::make_unique<Fl_RGB_Image>(icon_pixels.rgba.data(), icon_pixels.width, icon_pixels.height, 4);
    window_->icon(icon_.get());
  }
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
  const Rect r = model_->client_rect(id);
  it->second->resize(r.left, r.top, r.right - r.left, r.bottom - r.top);
  for (int child = 0; child < model_->count(); ++child) {
    if (model_->control(child).parent == id) place(child);
  }
}

void FltkBackend::property_changed(int id, std::int32_t property) {
  if (id < 0) {
    if (window_ && (window_->w() != model_->client_width() || window_->h() != model_->client_height())) {
      window_->size(model_->client_width(), model_->client_height());
    }
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
      if (s.design->kind == ControlKind::label && static_cast<Label*>(w)->set_caption(s.text.view())) w->redraw();
      if (s.design->kind == ControlKind::edit_box) static_cast<EditBox*>(w)->value(utf8_from_cp936(s.text.view()).c_str());
      break;
    case PROP_FONT:
      if (s.design->kind == ControlKind::edit_box) {
        static_cast<EditBox*>(w)->textsize(s.font_height_px);
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

int FltkBackend::text_height(int char_height_px) {
  fl_font(CJK_FONT, char_height_px);
  return fl_height();
}

void FltkBackend::show_fatal(std::string_view box_text, std::string_view caption) {
  if (fl_display == nullptr) {
    std::fprintf(stderr, "%s\n", utf8_from_cp936(std::string(caption) + ": " + std::string(box_text)).c_str());
    return;
  }
  MessageDialog dialog(caption_utf8(box_text, true), utf8_from_cp936(caption), 0x10);
  dialog.run();
}
