#include "ui/win32/win32_backend.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "text/fatal_error.h"
#include "ui/assets.h"
#include "ui/toolkit.h"
#include "ui/caption_layout.h"
#include "ui/win32/chinese_fonts.h"
#include "ui/win32/dpi.h"

namespace {

Win32Backend* g_backend = nullptr;

constexpr wchar_t WINDOW_CLASS_PICTURE[] = L"QuilloraPicture";
constexpr UINT_PTR TIMER_BASE = 100;
constexpr UINT WM_APP_CHECK_FOCUS = WM_APP + 1;
constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

std::wstring wide(std::string_view cp936) {
  if (cp936.empty()) return {};
  const int n = MultiByteToWideChar(936, 0, cp936.data(), static_cast<int>(cp936.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, cp936.data(), static_cast<int>(cp936.size()), w.data(), n);
  return w;
}

std::string narrow(std::wstring_view w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(936, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, "?", nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(936, 0, w.data(), static_cast<int>(w.size()), s.data(), n, "?", nullptr);
  return s;
}

std::wstring window_text(HWND hwnd) {
  std::wstring w(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  w.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, w.data(), static_cast<int>(w.size()))));
  return w;
}

COLORREF colorref(Colour c) {
  if (c == SYSTEM_BUTTON_FACE) return GetSysColor(COLOR_BTNFACE);
  return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

Colour colour_of(COLORREF c) { return static_cast<Colour>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); }

// A debug hook for the tests: with QUILLORA_PAINT_LOG=FILE every paint of a
// label or picture box appends the control's name (UTF-8) to FILE.
FILE* paint_log() {
  static FILE* log = [] {
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"QUILLORA_PAINT_LOG", path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? _wfopen(path, L"a") : nullptr;
  }();
  return log;
}

void note_paint(std::string_view cp936_name) {
  FILE* log = paint_log();
  if (log == nullptr) return;
  const std::wstring w = wide(cp936_name);
  char utf8[256];
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), utf8, sizeof utf8, nullptr, nullptr);
  std::fprintf(log, "%.*s\n", n, utf8);
  std::fflush(log);
}

LRESULT CALLBACK main_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return g_backend ? g_backend->window_message(h, m, w, l) : DefWindowProcW(h, m, w, l);
}
LRESULT CALLBACK picture_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return g_backend ? g_backend->picture_message(h, m, w, l) : DefWindowProcW(h, m, w, l);
}
LRESULT CALLBACK edit_subclass(HWND h, UINT m, WPARAM w, LPARAM l) { return g_backend->edit_message(h, m, w, l); }
LRESULT CALLBACK label_subclass(HWND h, UINT m, WPARAM w, LPARAM l) { return g_backend->label_message(h, m, w, l); }

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) { g_backend = this; }

Win32Backend::~Win32Backend() {
  free_label_buffers();
  for (auto& [id, brush] : brushes_) DeleteObject(brush);
  free_fonts();
  if (big_icon_) DestroyIcon(big_icon_);
  if (small_icon_) DestroyIcon(small_icon_);
  if (g_backend == this) g_backend = nullptr;
}

void Win32Backend::prepare(const WindowDesign& design) {
  become_dpi_aware();
  // The folder of the program file becomes the current directory.
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n > 0 && n < MAX_PATH) {
    std::wstring dir(path, n);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    SetCurrentDirectoryW(dir.c_str());
  }
  // The pictures are decoded when their box is made, at the scale it shows;
  // what cannot be a picture is refused now, as design data that cannot be read.
  if (!design_pictures_readable(design)) fatal_error(DESIGN_LOAD_FAILED);
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&icc);
  face_ = choose_chinese_face();
  scale_ = Scale{static_cast<int>(primary_dpi())};
  make_fonts();
}

// Height -24 (scaled): 24-pixel characters; an empty face name lets the system
// choose, which on a Chinese Windows is SimSun. Where the system's choice
// cannot draw Chinese, a Chinese face takes its place (the same for the GUI font).
void Win32Backend::make_fonts() {
  big_font_ = ensure_chinese(CreateFontW(-scale_.px(24), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, L""),
                             face_);
  // The stock GUI font is made for the system's DPI: the window's own scale
  // gets the same font at its design size, scaled.
  HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW lf{};
  GetObjectW(gui, sizeof lf, &lf);
  const int design_px = MulDiv(std::abs(lf.lfHeight), DESIGN_DPI, static_cast<int>(system_dpi()));
  const int height = (lf.lfHeight < 0 ? -1 : 1) * scale_.px(design_px);
  if (height != lf.lfHeight) {
    lf.lfHeight = height;
    lf.lfWidth = 0;
    gui = CreateFontIndirectW(&lf);
  }
  gui_font_ = ensure_chinese(gui, face_);
}

void Win32Backend::free_label_buffers() {
  for (auto& [id, buffer] : label_buffers_) {
    SelectObject(buffer.dc, buffer.old_bitmap);
    DeleteObject(buffer.bitmap);
    DeleteDC(buffer.dc);
  }
  label_buffers_.clear();
}

void Win32Backend::free_fonts() {
  for (auto& [id, font] : edit_fonts_) DeleteObject(font);
  edit_fonts_.clear();
  if (big_font_) DeleteObject(big_font_);
  if (gui_font_ && gui_font_ != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(gui_font_);
  big_font_ = gui_font_ = nullptr;
}

// In design pixels, as the model centres the window in them.
void Win32Backend::screen_size(int& width, int& height) {
  width = scale_.design_floor(GetSystemMetrics(SM_CXSCREEN));
  height = scale_.design_floor(GetSystemMetrics(SM_CYSCREEN));
}

// At the design's scale the window has the design's outer size, as always;
// scaled, its client area is the design's client area scaled, in the frame the
// system draws at that DPI.
SIZE Win32Backend::window_size() const {
  if (scale_.identity()) return {model_->window_width(), model_->window_height()};
  return outer_size(scale_.px(model_->client_width()), scale_.px(model_->client_height()), WINDOW_STYLE & ~WS_CLIPCHILDREN,
                    0, static_cast<UINT>(scale_.dpi));
}

void Win32Backend::place(int id) {
  const Rect r = device_rect_in_parent(*model_, id, scale_);
  // No copied bits: a control coming in from out of sight must paint itself anew.
  SetWindowPos(controls_.at(id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

// The picture drawn for this scale or the next larger one, blended and turned
// into the DIB's BGRA order once, not on every paint.
void Win32Backend::make_picture(int id) {
  const ControlDesign& d = *model_->control(id).design;
  std::optional<Image> image = decode_png(picture_png(d.picture, picture_dpi_for(scale_.dpi)));
  if (!image) {
    blended_.erase(id);
    return;
  }
  Image bgra = blend_with_background(*image, colour_of(colorref(d.background)));
  for (std::size_t i = 0; i + 3 < bgra.rgba.size(); i += 4) std::swap(bgra.rgba[i], bgra.rgba[i + 2]);
  blended_[id] = std::move(bgra);
}

// The program icon at the sizes of this DPI, reduced from its large image.
void Win32Backend::set_icons() {
  const UINT dpi = static_cast<UINT>(scale_.dpi);
  auto load = [this, dpi](int cx, int cy) {
    return static_cast<HICON>(LoadImageW(instance_, L"DEFAULT_ICON", IMAGE_ICON, system_metric(cx, dpi),
                                         system_metric(cy, dpi), 0));
  };
  HICON big = load(SM_CXICON, SM_CYICON), small = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (big_icon_) DestroyIcon(big_icon_);
  if (small_icon_) DestroyIcon(small_icon_);
  big_icon_ = big;
  small_icon_ = small;
}

// The window moved to a monitor of another DPI: fonts, pictures, icons, the
// window and every control are made again at the new scale. The old fonts go
// only after the controls have the new ones.
void Win32Backend::apply_scale(UINT dpi, const RECT* suggested) {
  scale_ = Scale{static_cast<int>(dpi)};
  HFONT old_big = big_font_, old_gui = gui_font_;
  std::map<int, HFONT> old_edit_fonts = std::move(edit_fonts_);
  edit_fonts_.clear();
  make_fonts();
  free_label_buffers();
  label_lines_.clear();
  for (const auto& [id, h] : controls_) {
    const ControlState& s = model_->control(id);
    if (s.font_points != 0) {
      property_changed(id, PROP_FONT);
    } else {
      SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_of(*s.design)), FALSE);
    }
    if (s.design->kind == ControlKind::picture_box) make_picture(id);
  }
  for (auto& [id, font] : old_edit_fonts) DeleteObject(font);
  DeleteObject(old_big);
  if (old_gui != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(old_gui);
  RECT r;
  GetWindowRect(window_, &r);
  const SIZE size = window_size();
  if (suggested != nullptr) r = *suggested;
  SetWindowPos(window_, nullptr, r.left, r.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  for (const auto& [id, h] : controls_) place(id);
  set_icons();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND Win32Backend::make_control(int id, HWND parent) {
  const ControlState& s = model_->control(id);
  const ControlDesign& d = *s.design;
  const std::wstring text = wide(s.text.view());
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  const Rect r = device_rect_in_parent(*model_, id, scale_);
  const int left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
  HWND hwnd = nullptr;
  switch (d.kind) {
    case ControlKind::label: {
      DWORD style = child | SS_NOTIFY | SS_NOPREFIX | (d.align == Align::centre ? SS_CENTER : SS_LEFT);
      if (!d.word_wrap) style |= SS_CENTERIMAGE | (d.align == Align::left ? SS_LEFTNOWORDWRAP : 0);
      hwnd = CreateWindowExW(0, L"STATIC", text.c_str(), style, left, top, width, height, parent, nullptr,
                             instance_, nullptr);
      brushes_[id] = CreateSolidBrush(colorref(d.background));
      label_proc_ = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(label_subclass)));
      break;
    }
    case ControlKind::button:
      hwnd = CreateWindowExW(0, L"BUTTON", text.c_str(),
                             child | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY | BS_MULTILINE | BS_CENTER | BS_VCENTER,
                             left, top, width, height, parent, nullptr, instance_, nullptr);
      break;
    case ControlKind::edit_box:
      hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(), child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                             left, top, width, height, parent, nullptr, instance_, nullptr);
      brushes_[id] = CreateSolidBrush(colorref(d.background));
      edit_proc_ = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(edit_subclass)));
      break;
    case ControlKind::picture_box: {
      hwnd = CreateWindowExW(0, WINDOW_CLASS_PICTURE, L"", child | WS_CLIPCHILDREN, left, top, width, height,
                             parent, nullptr, instance_, nullptr);
      brushes_[id] = CreateSolidBrush(colorref(d.background));
      make_picture(id);
      break;
    }
    case ControlKind::timer: return nullptr;
  }
  if (hwnd) {
    SetWindowLongPtrW(hwnd, GWLP_ID, 1000 + id);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_of(d)), FALSE);
  }
  return hwnd;
}

bool Win32Backend::create_window(WindowModel& model) {
  model_ = &model;
  HICON icon = LoadIconW(instance_, L"DEFAULT_ICON");
  HICON small_icon = static_cast<HICON>(LoadImageW(instance_, L"DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0));
  const std::wstring class_name = wide(model.design().class_name);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = main_proc;
  wc.hInstance = instance_;
  wc.hIcon = icon;
  wc.hIconSm = small_icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(colorref(model.design().background));
  wc.lpszClassName = class_name.c_str();
  if (!RegisterClassExW(&wc)) return false;
  WNDCLASSEXW pc{};
  pc.cbSize = sizeof pc;
  pc.lpfnWndProc = picture_proc;
  pc.hInstance = instance_;
  pc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  pc.lpszClassName = WINDOW_CLASS_PICTURE;
  if (!RegisterClassExW(&pc)) return false;

  const SIZE size = window_size();
  window_ = CreateWindowExW(0, class_name.c_str(), wide(model.design().title).c_str(), WINDOW_STYLE,
                            scale_.px(model.window_left()), scale_.px(model.window_top()), size.cx, size.cy, nullptr,
                            nullptr, instance_, nullptr);
  if (!window_) return false;
  // Reverse design order, all children of the window; then the four move into their picture box.
  for (int id = model.count() - 1; id >= 0; --id) {
    if (HWND h = make_control(id, window_)) controls_[id] = h;
  }
  for (int id = model.count() - 1; id >= 0; --id) {
    const int parent = model.control(id).parent;
    if (parent < 0 || !controls_.count(id)) continue;
    SetParent(controls_[id], controls_[parent]);
    place(id);
  }
  // Design order is stacking order: each one goes below those before it.
  for (int id = 0; id < model.count(); ++id) {
    if (controls_.count(id)) SetWindowPos(controls_[id], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (!scale_.identity()) set_icons();
  // The window may have opened on a monitor of another DPI than the primary one.
  if (const UINT dpi = window_dpi(window_); static_cast<int>(dpi) != scale_.dpi) apply_scale(dpi, nullptr);
  return true;
}

void Win32Backend::show_window() {
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  UpdateWindow(window_);
}

bool Win32Backend::pre_translate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !window_ || (msg.hwnd != window_ && !IsChild(window_, msg.hwnd))) return false;
  switch (msg.wParam) {
    case VK_TAB: model_->key_tab(GetKeyState(VK_SHIFT) < 0); return true;
    case VK_ESCAPE: model_->key_escape(); return true;
    case VK_RETURN: return true;  // no default button: Enter does nothing
    default: return false;
  }
}

void Win32Backend::run_loop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (pre_translate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Win32Backend::destroy_window() {
  if (window_) DestroyWindow(window_);
}

int Win32Backend::id_of(HWND hwnd) const {
  for (const auto& [id, h] : controls_) {
    if (h == hwnd) return id;
  }
  return -1;
}

LRESULT Win32Backend::colour_static(HDC dc, HWND control) {
  const int id = id_of(control);
  if (id < 0) return 0;
  const ControlDesign& d = *model_->control(id).design;
  SetTextColor(dc, colorref(d.text_colour));
  SetBkColor(dc, colorref(d.background));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(brushes_[id]);
}

LRESULT Win32Backend::command(WPARAM wp, LPARAM lp) {
  const int id = id_of(reinterpret_cast<HWND>(lp));
  if (id < 0) return 0;
  switch (HIWORD(wp)) {
    case BN_CLICKED: model_->press(id); break;
    case BN_SETFOCUS:
    case EN_SETFOCUS: model_->move_focus(id); break;
    case EN_KILLFOCUS: PostMessageW(window_, WM_APP_CHECK_FOCUS, 0, 0); break;
    case EN_CHANGE: model_->edit_changed(id, narrow(window_text(reinterpret_cast<HWND>(lp)))); break;
    default: break;
  }
  return 0;
}

LRESULT Win32Backend::window_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: return command(wp, lp);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return colour_static(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_TIMER:
      if (wp >= TIMER_BASE) model_->timer_tick(static_cast<int>(wp - TIMER_BASE));
      return 0;
    case WM_APP_CHECK_FOCUS:
      // The edit box lost the focus to no control of ours: the window was
      // deactivated or minimised.
      if (id_of(GetFocus()) < 0 && !model_->modal()) model_->focus_left_window();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && model_->focus() >= 0 && controls_.count(model_->focus())) {
        SetFocus(controls_[model_->focus()]);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      // The new DPI in the low word; a value no monitor has is ignored.
      if (LOWORD(wp) >= MIN_DPI / 2 && LOWORD(wp) <= 4 * MAX_DPI) {
        apply_scale(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
      }
      return 0;
    case WM_CLOSE: model_->close(); return 0;
    case WM_DESTROY:
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void Win32Backend::paint_picture(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  const int id = id_of(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (id >= 0) {
    note_paint(model_->control(id).design->name);
    FillRect(dc, &rc, brushes_[id]);
  }
  const auto it = blended_.find(id);
  if (it != blended_.end()) {
    const Image& img = it->second;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = img.width;
    bi.bmiHeader.biHeight = -img.height;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, GetDeviceCaps(dc, BITSPIXEL) > 16 ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, 0, 0, rc.right, rc.bottom, 0, 0, img.width, img.height, img.rgba.data(), &bi, DIB_RGB_COLORS,
                  SRCCOPY);
  }
  EndPaint(hwnd, &ps);
}

LRESULT Win32Backend::picture_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: paint_picture(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_CTLCOLORSTATIC: return colour_static(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_COMMAND: return command(wp, lp);
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

// A label paints itself: its background and text go to a memory bitmap that
// is copied to the screen in one step, so a caption renewed every second never
// shows an erased label. Wrapped captions are laid out one character height
// per line, whatever the face's own line height.
void Win32Backend::paint_label(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  const int id = id_of(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  LabelBuffer& buffer = label_buffers_[id];
  if (buffer.dc == nullptr) {  // one buffer per label and scale: labels never change size
    buffer.dc = CreateCompatibleDC(dc);
    buffer.bitmap = CreateCompatibleBitmap(dc, rc.right, rc.bottom);
    buffer.old_bitmap = SelectObject(buffer.dc, buffer.bitmap);
    SetBkMode(buffer.dc, TRANSPARENT);
  }
  HDC mem = buffer.dc;
  if (id >= 0) {
    const ControlDesign& d = *model_->control(id).design;
    note_paint(d.name);
    // Only what needs painting is drawn: a tick's band, not the whole label.
    HRGN clip = CreateRectRgnIndirect(&ps.rcPaint);
    SelectClipRgn(mem, clip);
    DeleteObject(clip);
    FillRect(mem, &ps.rcPaint, brushes_[id]);
    SetTextColor(mem, colorref(d.text_colour));
    HGDIOBJ old_font = SelectObject(mem, font_of(d));
    const std::wstring text = window_text(hwnd);
    if (d.word_wrap) {
      draw_wrapped(mem, text, lines_of(id, mem, text, rc.right));
    } else {
      const UINT align = d.align == Align::centre ? DT_CENTER : DT_LEFT;
      DrawTextW(mem, text.c_str(), static_cast<int>(text.size()), &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
    }
    SelectObject(mem, old_font);
    SelectClipRgn(mem, nullptr);
  }
  BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left, ps.rcPaint.bottom - ps.rcPaint.top,
         mem, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  EndPaint(hwnd, &ps);
}

std::vector<CaptionLine> Win32Backend::wrap(HDC dc, std::wstring_view text, int width) {
  return break_caption(text, [dc, width](std::wstring_view piece) {
    SIZE size{};
    GetTextExtentPoint32W(dc, piece.data(), static_cast<int>(piece.size()), &size);
    return size.cx <= width;
  });
}

// One character height: the cell without the internal leading above the characters.
int Win32Backend::line_pitch(HDC dc) {
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  return tm.tmHeight - tm.tmInternalLeading;
}

// The layout of a wrapped label's text, made once per text (dc has the label's font).
const std::vector<CaptionLine>& Win32Backend::lines_of(int id, HDC dc, std::wstring_view text, int width) {
  auto it = label_lines_.find(id);
  if (it == label_lines_.end()) it = label_lines_.emplace(id, wrap(dc, text, width)).first;
  return it->second;
}

// Line i has its characters' top at i character heights: the internal leading
// above them goes above the line.
void Win32Backend::draw_wrapped(HDC dc, std::wstring_view text, const std::vector<CaptionLine>& lines) {
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  const int pitch = line_pitch(dc);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].length == 0) continue;
    TextOutW(dc, 0, static_cast<int>(i) * pitch - tm.tmInternalLeading, text.data() + lines[i].begin,
             static_cast<int>(lines[i].length));
  }
}

LRESULT Win32Backend::label_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: paint_label(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    // The text is kept by the window; the repaint is ours (property_changed),
    // not the static control's immediate one.
    case WM_SETTEXT: return DefWindowProcW(hwnd, msg, wp, lp);
    default: break;
  }
  if (msg == WM_LBUTTONDOWN) {
    const int id = id_of(hwnd);
    if (id >= 0 && model_->control(id).design->on_event != nullptr) {
      model_->press(id);
      return 0;
    }
  }
  if (msg == WM_NCHITTEST) {
    // Only a label with a handler takes the mouse; the others let it through.
    const int id = id_of(hwnd);
    if (id >= 0 && model_->control(id).design->on_event == nullptr) return HTTRANSPARENT;
  }
  return CallWindowProcW(label_proc_, hwnd, msg, wp, lp);
}

std::string Win32Backend::unselected_text(HWND edit) const {
  std::wstring w = window_text(edit);
  DWORD a = 0, b = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  a = std::min<DWORD>(a, static_cast<DWORD>(w.size()));
  b = std::min<DWORD>(b, static_cast<DWORD>(w.size()));
  w.erase(a, b - a);
  return narrow(w);
}

bool Win32Backend::typing_allowed(int id, wchar_t c) const {
  const ControlState& s = model_->control(id);
  if (!WindowModel::typed_character_passes(static_cast<std::uint32_t>(c), s.input_mode)) return false;
  if (c < 32 || s.max_length == 0) return true;
  const std::size_t bytes = narrow(std::wstring(1, c)).size();
  return unselected_text(controls_.at(id)).size() + bytes <= static_cast<std::size_t>(s.max_length);
}

void Win32Backend::paste_within_limit(int id, HWND edit) {
  // Pasting is not filtered; what does not fit the limit is cut at a character.
  if (!OpenClipboard(edit)) return;
  std::wstring pasted;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      pasted = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  std::string bytes = narrow(pasted);
  const ControlState& s = model_->control(id);
  if (s.max_length > 0) {
    const std::size_t used = unselected_text(edit).size();
    const std::size_t room = used >= static_cast<std::size_t>(s.max_length) ? 0 : s.max_length - used;
    bytes.resize(cp936_prefix_within(bytes, room));
  }
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide(bytes).c_str()));
}

LRESULT Win32Backend::edit_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const int id = id_of(hwnd);
  if (id >= 0) {
    if (msg == WM_CHAR && !typing_allowed(id, static_cast<wchar_t>(wp))) return 0;
    if (msg == WM_PASTE) {
      paste_within_limit(id, hwnd);
      return 0;
    }
  }
  return CallWindowProcW(edit_proc_, hwnd, msg, wp, lp);
}

void Win32Backend::property_changed(int id, std::int32_t property) {
  if (id < 0) {
    if (window_) {
      const SIZE size = window_size();
      SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  const auto it = controls_.find(id);
  if (it == controls_.end()) return;
  HWND h = it->second;
  const ControlState& s = model_->control(id);
  switch (property) {
    case PROP_LEFT:
    case PROP_TOP:
    case PROP_WIDTH:
    case PROP_HEIGHT: place(id); break;
    case PROP_VISIBLE: ShowWindow(h, s.visible ? SW_SHOWNA : SW_HIDE); break;
    case PROP_TEXT: set_text(id, h, wide(s.text.view())); break;
    case PROP_MAX_LENGTH: SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(s.max_length), 0); break;
    case PROP_FONT: {
      LOGFONTW lf{};
      GetObjectW(gui_font_, sizeof lf, &lf);
      lf.lfHeight = -scale_.px(s.font_height_px);
      lf.lfWidth = 0;
      HFONT font = CreateFontIndirectW(&lf);
      SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      if (edit_fonts_.count(id)) DeleteObject(edit_fonts_[id]);
      edit_fonts_[id] = font;
      break;
    }
    default: break;
  }
}

// Only the control repaints, only when its text changed, and for a wrapped
// label only the band of lines that differ.
void Win32Backend::set_text(int id, HWND h, const std::wstring& text) {
  const std::wstring old = window_text(h);
  if (old == text) return;
  const ControlDesign& d = *model_->control(id).design;
  if (d.kind != ControlKind::label) {
    SetWindowTextW(h, text.c_str());
    return;
  }
  RECT band;
  GetClientRect(h, &band);
  if (d.word_wrap) {
    HDC dc = GetDC(h);
    HGDIOBJ old_font = SelectObject(dc, font_of(d));
    std::vector<CaptionLine> lines = wrap(dc, text, band.right);
    const auto [top, bottom] =
        changed_rows(changed_lines<wchar_t>(old, lines_of(id, dc, old, band.right), text, lines), line_pitch(dc),
                     static_cast<int>(band.bottom));
    label_lines_[id] = std::move(lines);
    SelectObject(dc, old_font);
    ReleaseDC(h, dc);
    band.top = top;
    band.bottom = bottom;
  }
  SetWindowTextW(h, text.c_str());
  if (band.bottom > band.top) InvalidateRect(h, &band, FALSE);
}

void Win32Backend::focus_changed(int id) {
  const auto it = controls_.find(id);
  if (it != controls_.end() && GetFocus() != it->second) SetFocus(it->second);
}

void Win32Backend::start_timer(int id, int period_ms) {
  SetTimer(window_, TIMER_BASE + static_cast<UINT_PTR>(id), static_cast<UINT>(period_ms), nullptr);
}

void Win32Backend::stop_timer(int id) {
  if (window_) KillTimer(window_, TIMER_BASE + static_cast<UINT_PTR>(id));
}

std::int32_t Win32Backend::message_box(std::string_view text, std::int32_t flags, std::string_view caption) {
  const int result =
      MessageBoxW(nullptr, wide(text).c_str(), wide(caption).c_str(), static_cast<UINT>(flags));
  return result > 0 ? result - 1 : 0;  // IDOK 1 .. IDNO 7 as 0 .. 6
}

void Win32Backend::open_url(std::string_view url) {
  HWND owner = FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
  ShellExecuteW(owner, L"open", wide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// Measured at the device size, answered in design pixels.
int Win32Backend::text_height(int char_height_px) {
  LOGFONTW lf{};
  GetObjectW(gui_font_, sizeof lf, &lf);
  lf.lfHeight = -scale_.px(char_height_px);
  lf.lfWidth = 0;
  HFONT font = CreateFontIndirectW(&lf);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, L"\u5434", 1, &size);  // 吴
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return scale_.design_ceil(size.cy);
}

int Win32Backend::edge_height() { return system_metric(SM_CYEDGE, DESIGN_DPI); }

void Win32Backend::show_fatal(std::string_view box_text, std::string_view caption) {
  MessageBoxW(nullptr, wide(box_text).c_str(), wide(caption).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
