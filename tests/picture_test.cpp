#include "ui/picture.h"

#include <gtest/gtest.h>

#include <utility>

#include "ui/assets.h"

namespace {

struct Pixel {
  int r, g, b, a;
};

Pixel at(const Image& img, int x, int y) {
  const auto i = static_cast<std::size_t>((y * img.width + x) * 4);
  return {img.rgba[i], img.rgba[i + 1], img.rgba[i + 2], img.rgba[i + 3]};
}

TEST(Pictures, BuiltInPicturesDecodeAtTheirSizes) {
  struct {
    Picture picture;
    int source_dpi, width, height;
  } cases[] = {
      {Picture::clock, 96, 231, 231}, {Picture::title, 96, 112, 561}, {Picture::band, 96, 621, 472},
      {Picture::clock, 144, 347, 347}, {Picture::title, 144, 168, 842}, {Picture::band, 144, 932, 708},
      {Picture::clock, 192, 462, 462}, {Picture::title, 192, 224, 1122}, {Picture::band, 192, 1242, 944},
      {Picture::clock, 120, 231, 231},  // no drawing for 120 dpi: the design's own
  };
  for (const auto& c : cases) {
    const auto img = decode_png(picture_png(c.picture, c.source_dpi));
    ASSERT_TRUE(img.has_value());
    EXPECT_EQ(img->width, c.width) << c.source_dpi;
    EXPECT_EQ(img->height, c.height) << c.source_dpi;
  }
  for (int size : THEME_ICON_SIZES) {
    const auto img = decode_png(theme_icon_png(size));
    ASSERT_TRUE(img.has_value()) << size;
    EXPECT_EQ(img->width, size);
    EXPECT_EQ(img->height, size);
  }
  const auto icon = decode_png(icon_png());
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(icon->width, 256);
  EXPECT_EQ(icon->height, 188);
}

TEST(Pictures, OnlyEverReduced) {
  const struct {
    int dpi, source;
  } cases[] = {
      {96, 96}, {97, 144}, {120, 144}, {144, 144}, {145, 192}, {192, 192},
      {288, 192},  // beyond the largest drawing: the largest
  };
  for (const auto& c : cases) EXPECT_EQ(picture_dpi_for(c.dpi), c.source) << c.dpi;
  EXPECT_EQ(drawing_for(THEME_ICON_SIZES, 24), 24);  // the window icon's 16 pixels at 150 %
  EXPECT_EQ(drawing_for(THEME_ICON_SIZES, 100), 96);
}

TEST(Pictures, BandIsOpaqueAboveItsLineAndClearBelow) {
  const Image band = *decode_png(picture_png(Picture::band));
  const Pixel top = at(band, 0, 0);
  EXPECT_EQ(top.r, 245);
  EXPECT_EQ(top.a, 255);
  EXPECT_EQ(at(band, 0, 471).a, 0);
  EXPECT_EQ(at(band, 300, 300).a, 255);  // above the line, which is at y 342 there
  EXPECT_EQ(at(band, 300, 360).a, 0);
}

// The drawings for scaled screens are the same pictures: the band's edge on
// the same line, the clock round in the same place, scaled.
TEST(Pictures, LargerDrawingsShowTheSamePictures) {
  for (const auto& [dpi, k] : {std::pair{144, 1.5}, {192, 2.0}}) {
    const Image band = *decode_png(picture_png(Picture::band, dpi));
    for (int x : {0, 300, 600}) {  // rows edge - 2 and edge + 2 lie inside the picture
      const int edge = static_cast<int>((221 + 251.0 * x / 621) * k);  // the line, in this drawing's rows
      const int sx = static_cast<int>(x * k);
      EXPECT_EQ(at(band, sx, edge - 2).a, 255) << dpi << " " << x;
      EXPECT_EQ(at(band, sx, edge + 2).a, 0) << dpi << " " << x;
    }
    const Image clock = *decode_png(picture_png(Picture::clock, dpi));
    EXPECT_EQ(at(clock, 0, 0).a, 0) << dpi;
    EXPECT_EQ(at(clock, clock.width / 2, static_cast<int>(20 * k)).a, 255) << dpi;  // bark at the top
    const Image title = *decode_png(picture_png(Picture::title, dpi));
    for (std::size_t i = 3; i < title.rgba.size(); i += 4) ASSERT_EQ(title.rgba[i], 255);
  }
}

TEST(Pictures, ClockCornersAreTransparentAndTitleOpaque) {
  const Image clock = *decode_png(picture_png(Picture::clock));
  EXPECT_EQ(at(clock, 0, 0).a, 0);
  EXPECT_EQ(at(clock, 115, 115).a, 255);
  const Image title = *decode_png(picture_png(Picture::title));
  for (std::size_t i = 3; i < title.rgba.size(); i += 4) ASSERT_EQ(title.rgba[i], 255);
}

TEST(Pictures, BlendWithTheBackground) {
  Image img{3, 1, {10, 20, 30, 255, 10, 20, 30, 0, 200, 100, 0, 128}};
  const Image out = blend_with_background(img, 0xF5F5F5);
  const Pixel opaque = at(out, 0, 0), clear = at(out, 1, 0), half = at(out, 2, 0);
  EXPECT_EQ(opaque.r, 10);
  EXPECT_EQ(clear.r, 245);
  EXPECT_EQ(clear.b, 245);
  // 128/255 * 200 + 127/255 * 245 = 222.4
  EXPECT_EQ(half.r, 222);
  EXPECT_EQ(half.a, 255);
}

TEST(Pictures, BlendToRgbInPlaceGivesTheSameColours) {
  Image img{3, 1, {10, 20, 30, 255, 10, 20, 30, 0, 200, 100, 0, 128}};
  const Image rgba = blend_with_background(img, 0xF5F5F5);
  blend_to_rgb_in_place(img, 0xF5F5F5);
  ASSERT_EQ(img.rgba.size(), 9u);
  for (int p = 0; p < 3; ++p) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(img.rgba[p * 3 + c], rgba.rgba[p * 4 + c]) << p << " " << c;
  }
}

TEST(Pictures, BrokenDataDoesNotDecode) {
  const unsigned char garbage[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
  EXPECT_FALSE(decode_png(garbage).has_value());
  EXPECT_FALSE(decode_png({}).has_value());
  auto png = picture_png(Picture::band);
  std::vector<unsigned char> cut(png.begin(), png.begin() + png.size() / 2);
  EXPECT_FALSE(decode_png(cut).has_value());
}

}  // namespace
