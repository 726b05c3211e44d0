#pragma once
// The one face that every caption of the desktop program is drawn in. FLTK 1.3
// has no glyph fallback, so it must cover Chinese itself; and the design's
// label widths assume Latin characters half the character height wide.
#include <fontconfig/fontconfig.h>

#include <string>

#include "ui/design.h"

// Faces in order of preference: monospaced CJK faces whose Latin characters
// are half the character height wide, as the label widths assume.
inline constexpr const char* PREFERRED_CAPTION_FAMILIES[] = {"Noto Sans Mono CJK SC", "AR PL UMing CN"};

// The family to draw captions in: the first preferred family that is
// installed, else whatever fontconfig matches for Simplified Chinese; empty
// when no installed face covers Chinese at all. config nullptr: the current one.
std::string choose_caption_family(FcConfig* config = nullptr);

// Whether the family names a face that draws the program's Chinese characters.
bool family_covers_chinese(const std::string& family, FcConfig* config = nullptr);

inline constexpr int GUI_FONT_PX = 12;  // the small font of buttons and grey labels, about 9 points
inline constexpr int BIG_FONT_PX = 24;  // the 24-pixel font
inline int caption_font_px(FontKind kind) { return kind == FontKind::pixel24 ? BIG_FONT_PX : GUI_FONT_PX; }
