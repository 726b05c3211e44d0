#pragma once
// Pictures as 32-bit pixels: decoded from PNG with libpng, and blended with a
// box's background colour before they are drawn.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ui/design.h"

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // 4 bytes a pixel, not premultiplied
};

std::optional<Image> decode_png(std::span<const unsigned char> png);
// Whether the data starts as a PNG file does (signature and header chunk).
bool is_png(std::span<const unsigned char> data);
// Whether every drawing of every picture of the design starts as PNG data: a
// toolkit checks this before it builds the window and decodes a drawing only
// when it shows it.
bool design_pictures_readable(const WindowDesign& design);
// Each channel becomes a/255 * picture + (1 - a/255) * background; the result is opaque.
Image blend_with_background(const Image& picture, Colour background);
// The same blend, turning the picture into 3-byte RGB pixels in its own buffer.
void blend_to_rgb_in_place(Image& picture, Colour background);
