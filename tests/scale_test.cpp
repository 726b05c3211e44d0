#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "ui/scale.h"

namespace {

TEST(Scale, DesignDpiChangesNothing) {
  const Scale one;
  for (int v = -40000; v <= 40000; ++v) ASSERT_EQ(one.px(v), v) << v;
  EXPECT_EQ(one.design_ceil(637), 637);
  EXPECT_EQ(one.design_floor(-33), -33);
}

TEST(Scale, ClientAreaAtCommonScales) {
  const struct {
    int dpi, width, height;
  } cases[] = {
      {120, 993, 796},   // 992.5 and 796.25: halves go up
      {144, 1191, 956},  // 955.5
      {192, 1588, 1274},
      {288, 2382, 1911},
  };
  for (const auto& c : cases) {
    const Rect client = Scale{c.dpi}.rect({0, 0, 794, 637});
    EXPECT_EQ(client.right - client.left, c.width) << c.dpi;
    EXPECT_EQ(client.bottom - client.top, c.height) << c.dpi;
  }
}

// A page moved out of sight and back must land on the same device pixels,
// and a rectangle keeps its scaled width wherever it is moved.
TEST(Scale, PageOffsetsMoveByWholeDevicePixels) {
  for (int dpi : {120, 144, 168, 192, 240, 288}) {
    const Scale s{dpi};
    const int shift = s.px(800);
    ASSERT_EQ(shift * DESIGN_DPI, 800 * dpi) << dpi;  // 800 design pixels are whole device pixels at these scales
    for (int v = -2000; v <= 2000; ++v) {
      ASSERT_EQ(s.px(v - 800), s.px(v) - shift) << dpi << " " << v;
      ASSERT_EQ(s.px(v - 800 + 51) - s.px(v - 800), s.px(v + 51) - s.px(v)) << dpi << " " << v;
    }
  }
}

// A device measurement in design pixels must hold it: the least design length
// whose exact scaled size is not smaller.
TEST(Scale, MeasuredHeightsFitTheirDesignLength) {
  for (int dpi : {96, 120, 144, 192, 384}) {
    const Scale s{dpi};
    for (int device = 0; device <= 2000; ++device) {
      const long long c = s.design_ceil(device);
      ASSERT_GE(c * dpi, 1LL * device * DESIGN_DPI) << dpi << " " << device;
      ASSERT_LT((c - 1) * dpi, 1LL * device * DESIGN_DPI) << dpi << " " << device;
      const long long f = s.design_floor(device);
      ASSERT_LE(f * dpi, 1LL * device * DESIGN_DPI) << dpi << " " << device;
      ASSERT_GT((f + 1) * dpi, 1LL * device * DESIGN_DPI) << dpi << " " << device;
    }
  }
}

TEST(Scale, ScaleFactorTexts) {
  const struct {
    std::string_view text;
    std::optional<int> dpi;
    const char* why;
  } cases[] = {
      {"1", 96, "no scaling"},
      {"1.5", 144, ""},
      {"2", 192, ""},
      {"2.0", 192, ""},
      {"1.25", 120, ""},
      {"4", 384, "the largest"},
      {"0.5", std::nullopt, "smaller than designed"},
      {"4.5", std::nullopt, "too large"},
      {"", std::nullopt, "empty"},
      {"1,5", std::nullopt, "a comma is no decimal point here"},
      {"-2", std::nullopt, "a sign"},
      {"2e0", std::nullopt, "an exponent"},
      {" 2", std::nullopt, "space"},
      {"1.5.1", std::nullopt, "two points"},
      {".", std::nullopt, "no digits"},
      {"150%", std::nullopt, "a percentage"},
      {"99999999999999999999", std::nullopt, "too long"},
  };
  for (const auto& c : cases) EXPECT_EQ(dpi_from_scale_text(c.text), c.dpi) << "'" << c.text << "' " << c.why;
}

TEST(Scale, XftDpiResourceTexts) {
  const struct {
    std::string_view text;
    std::optional<int> dpi;
    const char* why;
  } cases[] = {
      {"96", 96, ""},
      {"144", 144, ""},
      {"192", 192, ""},
      {"144.0", 144, "desktops may write a fraction"},
      {"120.4", 120, "rounded"},
      {"72", 96, "never smaller than designed"},
      {"0", 96, ""},
      {"1000", 384, "at most 400 %"},
      {"abc", std::nullopt, "not a number"},
      {"", std::nullopt, "empty"},
      {"-144", std::nullopt, "a sign"},
  };
  for (const auto& c : cases) EXPECT_EQ(dpi_from_resource_text(c.text), c.dpi) << "'" << c.text << "' " << c.why;
}

}  // namespace
