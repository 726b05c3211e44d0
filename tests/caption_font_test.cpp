// Captions measured in the real face, with FLTK's own text measurement,
// against the labels and buttons that hold them. Needs an X display.
#include <gtest/gtest.h>  // before X11, whose None macro breaks it

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/app.h"
#include "text/number_text.h"
#include "ui/codepage.h"
#include "ui/fltk/caption_font.h"

namespace {

constexpr Fl_Font FACE = FL_FREE_FONT;

const ControlDesign& design_of(std::string_view name) {
  for (const ControlDesign& c : 窗口1_design().controls) {
    if (c.name == name) return c;
  }
  ADD_FAILURE() << "no control " << name;
  return 窗口1_design().controls[0];
}

int width_of(std::string_view cp936, FontKind font) {
  fl_font(FACE, caption_font_px(font));
  const std::string utf8 = utf8_from_cp936(cp936);
  return static_cast<int>(fl_width(utf8.c_str()) + 0.999);
}

class CaptionFit : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    family = choose_caption_family();
    name = " " + family;
    Fl::set_font(FACE, name.c_str());
    fl_open_display();
  }
  static inline std::string family, name;
};

TEST_F(CaptionFit, TheChosenFaceCoversChinese) {
  ASSERT_FALSE(family.empty());
  EXPECT_TRUE(family_covers_chinese(family)) << family;
}

// 13 significant digits and "岁了": 14 half-width and 2 full-width characters
// fill the 216 pixels of the age line exactly.
TEST_F(CaptionFit, AgeLineForEveryAgeFromOneTo150) {
  const int label_width = design_of("标签4").width;
  const double fractions[] = {0.7115210736721, 0.1234567890123, 0.9876543210987, 0.5000000000001, 0.0000123456789};
  for (int years = 1; years <= 150; ++years) {
    for (double f : fractions) {
      Text number = real_to_text(years + f);
      const std::string line = std::string(number.view()) + "岁了";
      text_release(number);
      EXPECT_LE(width_of(line, FontKind::pixel24), label_width) << utf8_from_cp936(line);
    }
  }
}

// The widest report lines belong to the oldest: 150 years in each unit.
TEST_F(CaptionFit, ReportLinesOfA150YearLife) {
  const ControlDesign& report = design_of("标签6");
  const struct {
    double count;
    const char* unit;
  } lines[] = {{150, " 年"}, {1800, " 月"}, {7826, " 周"}, {54787, " 天"}, {1314888, " 小时"}, {78893280, " 分钟"},
               {4733596800.0, " 秒"}};
  for (const auto& l : lines) {
    Text number = real_to_text(l.count);
    const std::string line = std::string(number.view()) + l.unit;
    text_release(number);
    EXPECT_LE(width_of(line, report.font), report.width) << utf8_from_cp936(line);
  }
}

TEST_F(CaptionFit, DesignCaptionsAndTheErrorLine) {
  for (const char* control : {"标签1", "标签3", "标签5", "未来", "未来按钮", "计算按钮"}) {
    const ControlDesign& c = design_of(control);
    EXPECT_LE(width_of(c.text, c.font), c.width) << utf8_from_cp936(control);
  }
  const ControlDesign& error_line = design_of("标签2");
  EXPECT_LE(width_of("请按正确的格式填写，如19890121, 1-9月/日请用01-09表示.", error_line.font), error_line.width);
}

TEST_F(CaptionFit, LatinIsHalfTheCharacterHeight) {
  // What the label widths assume; a proportional face fails it on "1" or "M".
  for (const char* s : {"0", "1", "8", ".", "M"}) EXPECT_EQ(width_of(s, FontKind::pixel24), BIG_FONT_PX / 2) << s;
  EXPECT_EQ(width_of("岁", FontKind::pixel24), BIG_FONT_PX);
}

// Without the preferred faces fontconfig still finds one that draws Chinese.
TEST(CaptionFontChoice, FallsBackToAnyFaceThatCoversChinese) {
  const std::string path = testing::TempDir() + "no-preferred-faces.conf";
  std::ofstream conf(path);
  conf << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
          "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n  <selectfont><rejectfont>\n";
  for (const char* family : PREFERRED_CAPTION_FAMILIES) {
    conf << "    <pattern><patelt name=\"family\"><string>" << family << "</string></patelt></pattern>\n";
  }
  conf << "  </rejectfont></selectfont>\n</fontconfig>\n";
  conf.close();
  FcConfig* config = FcConfigCreate();
  ASSERT_TRUE(FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(path.c_str()), FcTrue));
  ASSERT_TRUE(FcConfigBuildFonts(config));
  const std::string family = choose_caption_family(config);
  for (const char* preferred : PREFERRED_CAPTION_FAMILIES) EXPECT_NE(family, preferred);
  EXPECT_TRUE(family_covers_chinese(family, config)) << "fell back to '" << family << "'";
  FcConfigDestroy(config);
}

}  // namespace
