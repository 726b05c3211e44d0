#include "ui/picture.h"

#include <png.h>

#include <cmath>

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

Image blend_with_background(const Image& picture, Colour background) {
  const double bg[3] = {static_cast<double>((background >> 16) & 0xFF), static_cast<double>((background >> 8) & 0xFF),
                        static_cast<double>(background & 0xFF)};
  Image out = picture;
  for (std::size_t i = 0; i + 3 < out.rgba.size(); i += 4) {
    const double a = out.rgba[i + 3] / 255.0;
    for (int c = 0; c < 3; ++c) {
      out.rgba[i + static_cast<std::size_t>(c)] =
          static_cast<std::uint8_t>(std::lround(a * out.rgba[i + static_cast<std::size_t>(c)] + (1 - a) * bg[c]));
    }
    out.rgba[i + 3] = 255;
  }
  return out;
}
