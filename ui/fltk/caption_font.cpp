#include "ui/fltk/caption_font.h"

#include <strings.h>

#include <memory>

namespace {

struct PatternFree {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

// Characters of the captions that a face must have: 年 月 周 天 时 分 秒 岁 了 出 生 开 始.
constexpr FcChar32 NEEDED[] = {0x5E74, 0x6708, 0x5468, 0x5929, 0x65F6, 0x5206, 0x79D2,
                               0x5C81, 0x4E86, 0x51FA, 0x751F, 0x5F00, 0x59CB};

// The face fontconfig picks for a pattern ("Family" or ":lang=zh-cn").
Pattern best_match(const char* pattern_text, FcConfig* config) {
  Pattern pattern(FcNameParse(reinterpret_cast<const FcChar8*>(pattern_text)));
  if (!pattern) return nullptr;
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  return Pattern(FcFontMatch(config, pattern.get(), &result));
}

std::string family_of(const FcPattern* face) {
  FcChar8* family = nullptr;
  if (FcPatternGetString(face, FC_FAMILY, 0, &family) != FcResultMatch || family == nullptr) return {};
  return reinterpret_cast<const char*>(family);
}

bool covers_chinese(const FcPattern* face) {
  FcCharSet* chars = nullptr;
  if (FcPatternGetCharSet(face, FC_CHARSET, 0, &chars) != FcResultMatch || chars == nullptr) return false;
  for (FcChar32 c : NEEDED) {
    if (!FcCharSetHasChar(chars, c)) return false;
  }
  return true;
}

// fontconfig answers every request with some face; only an exact family counts.
bool installed(const char* family, FcConfig* config) {
  const Pattern face = best_match(family, config);
  return face && strcasecmp(family_of(face.get()).c_str(), family) == 0 && covers_chinese(face.get());
}

}  // namespace

bool family_covers_chinese(const std::string& family, FcConfig* config) {
  return !family.empty() && installed(family.c_str(), config);
}

std::string choose_caption_family(FcConfig* config) {
  if (!FcInit()) return {};
  for (const char* family : PREFERRED_CAPTION_FAMILIES) {
    if (installed(family, config)) return family;
  }
  const Pattern face = best_match(":lang=zh-cn", config);
  if (face && covers_chinese(face.get())) return family_of(face.get());
  return {};
}
