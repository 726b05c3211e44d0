#pragma once
// The pictures and the icon, built into the program file.
#include <span>

#include "ui/design.h"

// A picture as drawn for source_dpi, one of PICTURE_DPIS (ui/scale.h); the
// design's own drawing for any other value.
std::span<const unsigned char> picture_png(Picture p, int source_dpi = 96);
std::span<const unsigned char> icon_png();
// The square icon of the icon theme at one of THEME_ICON_SIZES pixels; empty for other sizes.
inline constexpr int THEME_ICON_SIZES[] = {16, 24, 32, 48, 64, 72, 96};
std::span<const unsigned char> theme_icon_png(int size);
