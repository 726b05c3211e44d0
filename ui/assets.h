#pragma once
// The pictures and the icon, built into the program file.
#include <iterator>
#include <span>

#include "ui/design.h"

// The scales, as dpi, at which each picture is drawn: 100 %, 150 % and 200 %.
inline constexpr int PICTURE_DPIS[] = {96, 144, 192};
// The sizes at which the square icon of the icon theme is drawn.
inline constexpr int THEME_ICON_SIZES[] = {16, 24, 32, 48, 64, 72, 96};

// Of the sizes a drawing exists at (ascending), the one to show at a wanted
// size: the smallest that is not smaller, so a drawing is only ever reduced;
// the largest when all are smaller.
inline int drawing_for(std::span<const int> sizes, int wanted) {
  for (int size : sizes) {
    if (size >= wanted) return size;
  }
  return sizes.back();
}
inline int picture_dpi_for(int dpi) { return drawing_for(PICTURE_DPIS, dpi); }

// A picture as drawn for source_dpi, one of PICTURE_DPIS; the design's own
// drawing for any other value.
std::span<const unsigned char> picture_png(Picture p, int source_dpi = 96);
std::span<const unsigned char> icon_png();
// The theme icon at one of THEME_ICON_SIZES pixels; empty for other sizes.
std::span<const unsigned char> theme_icon_png(int size);
