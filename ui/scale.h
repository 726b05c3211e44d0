#pragma once
// Display scaling, the same on every desktop. The design and the window model
// count in design pixels, 96 to the inch; a backend draws in device pixels,
// dpi to the inch, and maps every place, size and font through one Scale.
#include <optional>
#include <string_view>

#include "ui/window_model.h"

inline constexpr int DESIGN_DPI = 96;

struct Scale {
  int dpi = DESIGN_DPI;

  bool identity() const { return dpi == DESIGN_DPI; }
  // A design coordinate in device pixels: v * dpi / 96, a half rounded up.
  // Lengths are the differences of their scaled edges, so neighbours stay
  // neighbours, and a page moved by 800 design pixels moves by a whole number
  // of device pixels wherever 800 * dpi / 96 is one.
  int px(int design) const {
    const long long twice = 2LL * design * dpi + DESIGN_DPI;  // 2 * (v * dpi / 96 + 1/2) * 96
    const long long d = 2LL * DESIGN_DPI;
    return static_cast<int>(twice >= 0 ? twice / d : -((-twice + d - 1) / d));
  }
  Rect rect(const Rect& design) const { return {px(design.left), px(design.top), px(design.right), px(design.bottom)}; }
  // A length measured on the device, in design pixels: rounded up, so that
  // what was measured fits in the design length.
  int design_ceil(int device) const {
    const long long n = static_cast<long long>(device) * DESIGN_DPI;
    return static_cast<int>(n >= 0 ? (n + dpi - 1) / dpi : n / dpi);
  }
  // A length on the device, in the design pixels it holds whole (rounded down).
  int design_floor(int device) const {
    const long long n = static_cast<long long>(device) * DESIGN_DPI;
    return static_cast<int>(n >= 0 ? n / dpi : -((-n + dpi - 1) / dpi));
  }
};

// A control's device rectangle in its native parent's client area: the
// window's, or its container's for the controls inside a picture box.
inline Rect device_rect_in_parent(const WindowModel& model, int id, Scale scale) {
  Rect r = scale.rect(model.client_rect(id));
  const int parent = model.control(id).parent;
  if (parent >= 0) {
    const Rect p = scale.rect(model.client_rect(parent));
    r = {r.left - p.left, r.top - p.top, r.right - p.left, r.bottom - p.top};
  }
  return r;
}

// The scales the program draws at: 100 % to 400 %.
inline constexpr int MIN_DPI = DESIGN_DPI;
inline constexpr int MAX_DPI = 4 * DESIGN_DPI;

// The dpi a scale factor given by the user asks for ("1.5", "2"); nullopt
// unless the text is a plain decimal number from 1 to 4.
std::optional<int> dpi_from_scale_text(std::string_view text);
// The dpi of a desktop's Xft.dpi resource ("144", "144.5"): nullopt unless a
// plain decimal number; below 96 counts as 96 (nothing is drawn smaller than
// designed), above 384 as 384.
std::optional<int> dpi_from_resource_text(std::string_view text);
