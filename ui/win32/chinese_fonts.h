#pragma once
// Fonts chosen by what the captions need, not by the system's locale: a face
// that covers GB2312. On a Chinese Windows the designed fonts already do, and
// are kept as they are; elsewhere a Chinese face is chosen by name.
#include <windows.h>

#include <string>

// Faces in order of preference: SimSun is the face the design was made with
// (12-pixel Latin, 24-pixel lines at 24 pixels); the next two have half-width
// Latin as well; the last ones at least draw Chinese.
inline constexpr const wchar_t* CHINESE_FACES[] = {L"SimSun", L"NSimSun", L"Noto Sans Mono CJK SC", L"AR PL UMing CN",
                                                   L"Microsoft YaHei", L"Noto Sans CJK SC"};

// The first installed face of the list, else any face the font mapper knows
// for GB2312; empty when there is none.
std::wstring choose_chinese_face();

// The font, if it draws GB2312 text itself; otherwise a font of the same
// height and weight in face (the font passed in is then deleted, unless it is
// a stock object).
HFONT ensure_chinese(HFONT font, const std::wstring& face);

// Whether a face of this name is installed with the GB2312 character set.
bool chinese_face_installed(const wchar_t* face);
