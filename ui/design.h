#pragma once
// A window design as data: the window and its controls in design order, which
// is also the stacking order among controls of the same parent (earlier lies above).
#include <cstdint>
#include <span>
#include <string_view>

enum class ControlKind { button, label, edit_box, picture_box, timer };
enum class FontKind { default_gui, pixel24 };
enum class Align { left, centre };
enum class Picture { none, clock, title, band };

// 0xRRGGBB, or the system's button-face colour.
using Colour = std::uint32_t;
inline constexpr Colour SYSTEM_BUTTON_FACE = 0xFF000000;

// Handlers take nothing they use and return nothing.
using Handler = void (*)();

struct ControlDesign {
  std::string_view name;    // code page 936
  ControlKind kind;
  std::string_view parent;  // empty: the window itself
  int left, top, width, height;
  bool shown;
  bool focusable;
  std::string_view text;    // caption or content, code page 936
  FontKind font;
  Colour text_colour;
  Colour background;
  Align align;
  bool word_wrap;
  Picture picture;
  // clicked (button), left_button_down (label), lost_focus (edit box), tick (timer)
  Handler on_event;
};

struct WindowDesign {
  std::string_view name;        // code page 936
  std::string_view class_name;  // ASCII
  std::string_view title;       // code page 936
  int width, height;            // outer size
  Colour background;
  Handler on_created;
  std::span<const ControlDesign> controls;
};
