#pragma once
// The pictures and the icon, built into the program file.
#include <span>

#include "ui/design.h"

std::span<const unsigned char> picture_png(Picture p);
std::span<const unsigned char> icon_png();
