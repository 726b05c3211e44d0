#pragma once
// What the application needs of the windowing layer. Controls are named by
// their design names (code page 936); properties by number.
#include <cstdint>
#include <string_view>

#include "text/text.h"
#include "ui/design.h"

enum Property : std::int32_t {
  PROP_LEFT = 0,
  PROP_TOP = 1,
  PROP_WIDTH = 2,
  PROP_HEIGHT = 3,
  PROP_VISIBLE = 5,
  PROP_TEXT = 8,  // text of an edit box, caption of a label, period of a timer
  PROP_FONT = 12,
  PROP_MAX_LENGTH = 14,
  PROP_INPUT_MODE = 18,
};

inline constexpr std::int32_t FONT_INDEX_SIZE = 5;  // the font index that sets the size in points
inline constexpr std::int32_t INPUT_MODE_DIGITS = 3;

// Reads the design and makes ready; a design that cannot be read is fatal.
void prepare_toolkit(const WindowDesign& design);
// Builds the window, raises created, then shows it.
void load_window(std::string_view window);
// Dispatches events until the window is closed.
void run_message_loop();

// PROP_TEXT of an edit box or label, as a new text.
Text get_property(std::string_view control, std::int32_t property);
void set_property(std::string_view control, std::int32_t property, std::int32_t index, std::int32_t value);
void set_property(std::string_view control, std::int32_t property, std::int32_t index, std::string_view text);
void set_focus(std::string_view control);
// Modal: returns the button pressed (1 OK ...); the timer goes on meanwhile.
std::int32_t show_message_box(std::string_view text, std::int32_t flags = 0, std::string_view caption = {});
void open_url(std::string_view url);
