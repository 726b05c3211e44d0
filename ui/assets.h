#pragma once
// The pictures and the icon, built into the program file.
#include <span>

#include "ui/design.h"

std::span<const unsigned char> picture_png(Picture p);
std::span<const unsigned char> icon_png();
// The square icon of the icon theme at 16, 32 or 48 pixels; empty for other sizes.
std::span<const unsigned char> theme_icon_png(int size);
