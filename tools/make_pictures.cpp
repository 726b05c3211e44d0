// Draws the program's pictures and icon and writes them as PNG files:
//   clock.png  231 x 231, 8-bit palette with per-entry transparency
//   title.png  112 x 561, 4-bit palette of 14 colours, opaque
//   band.png   621 x 472, 8-bit RGBA
//   NAME@1.5x.png, NAME@2x.png  the same three drawn anew at 1.5 and 2 times
//              the size, for screens scaled by 150 % and 200 %
//   icon.png   256 x 188, RGBA; icon.ico holds the same PNG
//   icons/quillora-N.png  the icon for icon themes, N x N for N = 16 ... 256
// Usage: make_pictures OUT_DIR FONT_FILE [FACE_INDEX]   (a CJK face for 生逢何时;
//        scripts/make-pictures.sh finds Noto Sans CJK SC)
#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Rgba {
  double r, g, b, a;
};

double smoothstep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

bool write_png(const std::string& path, int w, int h, int color_type, int bit_depth, const std::vector<png_byte>& rows,
               const std::vector<png_color>& palette = {}, const std::vector<png_byte>& trans = {}) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), bit_depth, color_type,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!trans.empty()) png_set_tRNS(png, info, trans.data(), static_cast<int>(trans.size()), nullptr);
  png_write_info(png, info);
  const std::size_t stride = rows.size() / static_cast<std::size_t>(h);
  for (int y = 0; y < h; ++y) png_write_row(png, rows.data() + stride * static_cast<std::size_t>(y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

// Picture A: a tree slice with growth rings and bark as a wall clock.
// x, y in the 231-pixel design space.
Rgba clock_pixel(double x, double y) {
  const double cx = 115.5, cy = 115.5;
  const double dx = x - cx, dy = y - cy;
  const double r = std::hypot(dx, dy);
  const double angle = std::atan2(dy, dx);
  const double outer = 113.0, bark = 101.0;
  const double alpha = 1.0 - smoothstep(outer - 1.5, outer + 0.5, r);
  if (alpha <= 0) return {0, 0, 0, 0};
  Rgba c;
  if (r > bark) {
    const double grain = 0.5 + 0.5 * std::sin(angle * 37 + r * 0.9);
    c = {92 + 22 * grain, 58 + 14 * grain, 32 + 8 * grain, alpha};
  } else {
    // Rings, slightly wavy, darker towards the bark.
    const double wobble = 1.6 * std::sin(angle * 5 + r * 0.05) + 0.8 * std::sin(angle * 11);
    const double ring = 0.5 + 0.5 * std::cos((r + wobble) * 0.62);
    const double depth = r / bark;
    c = {226 - 38 * ring - 30 * depth, 188 - 36 * ring - 34 * depth, 138 - 34 * ring - 32 * depth, alpha};
  }
  // Two light hands at about ten past ten, with a pin in the middle.
  auto hand = [&](double deg, double length, double width) {
    const double a = deg * M_PI / 180.0;
    const double ux = std::sin(a), uy = -std::cos(a);
    const double along = dx * ux + dy * uy;
    const double across = std::fabs(-dx * uy + dy * ux);
    if (along < -8 || along > length) return 0.0;
    const double taper = width * (1.0 - 0.6 * std::max(0.0, along) / length);
    return 1.0 - smoothstep(taper - 0.8, taper + 0.8, across);
  };
  const double h = std::max(hand(300, 58, 4.5), hand(60, 82, 3.2));
  const double pin = 1.0 - smoothstep(5.0, 6.5, r);
  const double light = std::max(h, pin);
  c.r = c.r * (1 - light) + 250 * light;
  c.g = c.g * (1 - light) + 243 * light;
  c.b = c.b * (1 - light) + 226 * light;
  return c;
}

// Each picture is drawn at k times its size from its description, never
// enlarged from another bitmap. k = 1 gives the pictures of the design.
int scaled(int size, double k) { return static_cast<int>(std::lround(size * k)); }

bool make_clock(const std::string& path, double k) {
  const int N = scaled(231, k);
  const double d = 231.0 / N;  // design pixels per pixel
  // Palette: opaque colours first (up to 240), then 15 transparency levels of the bark colour, then clear.
  std::vector<Rgba> pixels;
  for (int y = 0; y < N; ++y) {
    for (int x = 0; x < N; ++x) {
      Rgba sum{0, 0, 0, 0};
      for (int s = 0; s < 4; ++s) {  // 2 x 2 samples for smooth edges
        const Rgba p = clock_pixel((x + 0.25 + 0.5 * (s % 2)) * d, (y + 0.25 + 0.5 * (s / 2)) * d);
        sum = {sum.r + p.r * p.a, sum.g + p.g * p.a, sum.b + p.b * p.a, sum.a + p.a};
      }
      pixels.push_back(sum.a > 0 ? Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / 4} : Rgba{0, 0, 0, 0});
    }
  }
  // Opaque colours on a 6 x 8 x 5 grid spanning the wood tones.
  auto grid_index = [](const Rgba& p) {
    const int ri = std::clamp(static_cast<int>(std::lround((p.r - 80) / 34.0)), 0, 5);
    const int gi = std::clamp(static_cast<int>(std::lround((p.g - 50) / 28.0)), 0, 7);
    const int bi = std::clamp(static_cast<int>(std::lround((p.b - 25) / 57.0)), 0, 4);
    return (ri * 8 + gi) * 5 + bi;
  };
  std::vector<png_color> palette;
  std::vector<png_byte> trans;
  for (int i = 0; i < 240; ++i) {
    const int ri = i / 40, gi = i / 5 % 8, bi = i % 5;
    palette.push_back({static_cast<png_byte>(std::min(255, 80 + 34 * ri)), static_cast<png_byte>(std::min(255, 50 + 28 * gi)),
                       static_cast<png_byte>(std::min(255, 25 + 57 * bi))});
  }
  // Transparent entries come first in a tRNS palette: reorder so indexes 0..15 carry alpha.
  std::vector<png_color> full;
  for (int k = 0; k < 16; ++k) {
    full.push_back({96, 60, 34});
    trans.push_back(static_cast<png_byte>(k * 17 * 15 / 16));  // 0 .. 238
  }
  full.insert(full.end(), palette.begin(), palette.end());
  std::vector<png_byte> rows;
  for (const Rgba& p : pixels) {
    if (p.a >= 0.97) {
      rows.push_back(static_cast<png_byte>(16 + grid_index(p)));
    } else {
      rows.push_back(static_cast<png_byte>(std::clamp(static_cast<int>(std::lround(p.a * 16)), 0, 15)));
    }
  }
  return write_png(path, N, N, PNG_COLOR_TYPE_PALETTE, 8, rows, full, trans);
}

// Picture B: 生逢何时 top to bottom, grey on white, 14 shades.
bool make_title(const std::string& path, double k, const std::string& font_file, long face_index) {
  const int W = scaled(112, k), H = scaled(561, k);
  FT_Library lib;
  FT_Face face;
  if (FT_Init_FreeType(&lib) || FT_New_Face(lib, font_file.c_str(), face_index, &face)) return false;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(scaled(96, k)));
  std::vector<double> cover(W * H, 0.0);
  const char32_t chars[4] = {U'生', U'逢', U'何', U'时'};
  for (int i = 0; i < 4; ++i) {
    if (FT_Load_Char(face, chars[i], FT_LOAD_RENDER)) return false;
    const FT_Bitmap& bm = face->glyph->bitmap;
    const int ox = (W - static_cast<int>(bm.width)) / 2;
    const int cell_top = scaled(40 + i * 122, k);
    const int oy = cell_top + (scaled(100, k) - static_cast<int>(bm.rows)) / 2;
    for (unsigned y = 0; y < bm.rows; ++y) {
      for (unsigned x = 0; x < bm.width; ++x) {
        const int px = ox + static_cast<int>(x), py = oy + static_cast<int>(y);
        if (px >= 0 && px < W && py >= 0 && py < H) cover[py * W + px] = bm.buffer[y * bm.pitch + x] / 255.0;
      }
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
  std::vector<png_color> palette;
  for (int k = 0; k < 14; ++k) {
    const auto v = static_cast<png_byte>(std::lround(255 - (255 - 112) * k / 13.0));
    palette.push_back({v, v, v});
  }
  std::vector<png_byte> rows;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; x += 2) {
      const int a = static_cast<int>(std::lround(cover[y * W + x] * 13));
      const int b = static_cast<int>(std::lround(cover[y * W + x + 1] * 13));
      rows.push_back(static_cast<png_byte>(a << 4 | b));
    }
  }
  return write_png(path, W, H, PNG_COLOR_TYPE_PALETTE, 4, rows, palette);
}

// Picture C: opaque light grey above the line (0, 221)-(621, 472), clear below.
bool make_band(const std::string& path, double k) {
  const int W = scaled(621, k), H = scaled(472, k);
  std::vector<png_byte> rows;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      int inside = 0;
      for (int s = 0; s < 16; ++s) {
        const double sx = x + (s % 4 + 0.5) / 4, sy = y + (s / 4 + 0.5) / 4;
        if (sy < (221.0 + (472.0 - 221.0) * sx / W) * H / 472.0) ++inside;
      }
      rows.insert(rows.end(), {245, 245, 245, static_cast<png_byte>(std::lround(inside * 255 / 16.0))});
    }
  }
  return write_png(path, W, H, PNG_COLOR_TYPE_RGBA, 8, rows);
}

// The icon: a blue outline emblem, a ring with an hourglass inside, in a
// 256 x 188 design space. grow widens every stroke on each side (design
// pixels), so that small sizes keep strokes of at least a pixel or so.
double icon_cover(double x, double y, double grow = 0) {
  const double cx = 128, cy = 94;
  const double r = std::hypot(x - cx, y - cy);
  const double ring = 1.0 - smoothstep(4.0 + grow, 5.5 + grow, std::fabs(r - 80));
  // Hourglass: two triangles' outlines between y = 44 and y = 144.
  const double t = std::fabs(y - cy) / 50.0;
  double glass = 0;
  if (t <= 1.0) {
    const double half = 38 * t;
    glass = 1.0 - smoothstep(3.0 + grow * 0.8, 4.5 + grow * 0.8, std::fabs(std::fabs(x - cx) - half) * 0.8);
  }
  const double bars =
      (std::fabs(x - cx) <= 44 + grow && std::fabs(std::fabs(y - cy) - 50) <= 4.5 + grow) ? 1.0 : 0.0;
  return std::max({ring, glass, bars});
}

// The icon for icon themes: square, drawn at its own size (not scaled from
// another bitmap). The emblem's height fills the square.
bool make_theme_icon(const std::string& path, int size) {
  const double k = size / 188.0;                       // device pixels per design pixel
  const double grow = std::max(0.0, 0.75 / k - 4.75);  // strokes at least 1.5 device pixels wide
  const double left = 128 - 94;                        // the emblem's square in design space
  std::vector<png_byte> rows;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double a = 0;
      for (int s = 0; s < 16; ++s) {
        a += icon_cover(left + (x + (s % 4 + 0.5) / 4) / k, (y + (s / 4 + 0.5) / 4) / k, grow);
      }
      rows.insert(rows.end(), {30, 110, 220, static_cast<png_byte>(std::lround(a * 255 / 16))});
    }
  }
  return write_png(path, size, size, PNG_COLOR_TYPE_RGBA, 8, rows);
}

bool make_theme_icons(const std::string& dir) {
  // 72 and 96: the window icons' 48 pixels on screens scaled by 150 % and 200 %.
  for (int size : {16, 24, 32, 48, 64, 72, 96, 128, 256}) {
    if (!make_theme_icon(dir + "/icons/quillora-" + std::to_string(size) + ".png", size)) return false;
  }
  return true;
}

bool make_icon(const std::string& dir) {
  constexpr int W = 256, H = 188;
  std::vector<png_byte> rows;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      double a = 0;
      for (int s = 0; s < 16; ++s) a += icon_cover(x + (s % 4 + 0.5) / 4, y + (s / 4 + 0.5) / 4);
      rows.insert(rows.end(), {30, 110, 220, static_cast<png_byte>(std::lround(a * 255 / 16))});
    }
  }
  if (!write_png(dir + "/icon.png", W, H, PNG_COLOR_TYPE_RGBA, 8, rows)) return false;
  // An icon file whose one image is the PNG itself.
  FILE* in = std::fopen((dir + "/icon.png").c_str(), "rb");
  if (!in) return false;
  std::vector<unsigned char> png_bytes;
  for (int c; (c = std::fgetc(in)) != EOF;) png_bytes.push_back(static_cast<unsigned char>(c));
  std::fclose(in);
  const auto size = static_cast<std::uint32_t>(png_bytes.size());
  const unsigned char header[22] = {0, 0, 1, 0, 1, 0,
                                    0 /* 256 */, H, 0, 0, 1, 0, 32, 0,
                                    static_cast<unsigned char>(size), static_cast<unsigned char>(size >> 8),
                                    static_cast<unsigned char>(size >> 16), static_cast<unsigned char>(size >> 24),
                                    22, 0, 0, 0};
  FILE* out = std::fopen((dir + "/icon.ico").c_str(), "wb");
  if (!out) return false;
  std::fwrite(header, 1, sizeof header, out);
  std::fwrite(png_bytes.data(), 1, png_bytes.size(), out);
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: make_pictures OUT_DIR FONT_FILE [FACE_INDEX]\n");
    return 2;
  }
  const std::string dir = argv[1];
  const long face_index = argc == 4 ? std::atol(argv[3]) : 0;
  bool ok = make_icon(dir) && make_theme_icons(dir);
  for (const auto& [k, suffix] : {std::pair{1.0, ""}, {1.5, "@1.5x"}, {2.0, "@2x"}}) {
    ok = ok && make_clock(dir + "/clock" + suffix + ".png", k) &&
         make_title(dir + "/title" + suffix + ".png", k, argv[2], face_index) &&
         make_band(dir + "/band" + suffix + ".png", k);
  }
  if (!ok) std::fprintf(stderr, "make_pictures: could not write the pictures\n");
  return ok ? 0 : 1;
}
