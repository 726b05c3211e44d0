#include "ui/picture.h"

#include <png.h>

#include "ui/assets.h"

#include <algorithm>
#include <cmath>
#include <iterator>

std::optional<Image> decode_png(std::span<const unsigned char> png) {
  if (png.empty()) return std::nullopt;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  Image out;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return out;
}

namespace {

// Blends the RGBA pixel at `from` and writes its RGB at `to` (to <= from).
void blend_pixel(std::uint8_t* to, const std::uint8_t* from, const double bg[3]) {
  const double a = from[3] / 255.0;
  for (int c = 0; c < 3; ++c) to[c] = static_cast<std::uint8_t>(std::lround(a * from[c] + (1 - a) * bg[c]));
}

void channels(Colour background, double bg[3]) {
  bg[0] = (background >> 16) & 0xFF;
  bg[1] = (background >> 8) & 0xFF;
  bg[2] = background & 0xFF;
}

}  // namespace

Image blend_with_background(const Image& picture, Colour background) {
  double bg[3];
  channels(background, bg);
  Image out = picture;
  for (std::size_t i = 0; i + 3 < out.rgba.size(); i += 4) {
    blend_pixel(&out.rgba[i], &out.rgba[i], bg);
    out.rgba[i + 3] = 255;
  }
  return out;
}

void blend_to_rgb_in_place(Image& picture, Colour background) {
  double bg[3];
  channels(background, bg);
  std::size_t to = 0;
  for (std::size_t from = 0; from + 3 < picture.rgba.size(); from += 4, to += 3) {
    blend_pixel(&picture.rgba[to], &picture.rgba[from], bg);
  }
  picture.rgba.resize(to);
}

bool design_pictures_readable(const WindowDesign& design) {
  for (const ControlDesign& c : design.controls) {
    for (int dpi : PICTURE_DPIS) {
      if (c.picture != Picture::none && !is_png(picture_png(c.picture, dpi))) return false;
    }
  }
  return true;
}

bool is_png(std::span<const unsigned char> data) {
  // 8 signature bytes, then the IHDR chunk: a length of 13 and its name.
  static constexpr unsigned char IHDR[] = {0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  return data.size() >= 8 + 8 + 13 && png_sig_cmp(data.data(), 0, 8) == 0 &&
         std::equal(std::begin(IHDR), std::end(IHDR), data.begin() + 8);
}
