#include "ui/win32/chinese_fonts.h"

#include <cwchar>

namespace {

int CALLBACK note_face(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM found) {
  auto* face = reinterpret_cast<std::wstring*>(found);
  if (lf->lfFaceName[0] != L'@') {  // "@" faces are the vertical variants
    *face = lf->lfFaceName;
    return 0;
  }
  return 1;
}

// The first GB2312 face the mapper enumerates under this name ("" for any).
std::wstring enumerate(const wchar_t* name) {
  LOGFONTW lf{};
  lf.lfCharSet = GB2312_CHARSET;
  wcsncpy(lf.lfFaceName, name, LF_FACESIZE - 1);
  std::wstring found;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, note_face, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

UINT charset_of(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  const int charset = GetTextCharset(dc);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return static_cast<UINT>(charset);
}

}  // namespace

bool chinese_face_installed(const wchar_t* face) { return _wcsicmp(enumerate(face).c_str(), face) == 0; }

std::wstring choose_chinese_face() {
  for (const wchar_t* face : CHINESE_FACES) {
    if (chinese_face_installed(face)) return face;
  }
  return enumerate(L"");
}

HFONT ensure_chinese(HFONT font, const std::wstring& face) {
  if (charset_of(font) == GB2312_CHARSET || face.empty()) return font;
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  lf.lfCharSet = GB2312_CHARSET;
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  lf.lfFaceName[LF_FACESIZE - 1] = L'\0';
  if (GetObjectType(font) == OBJ_FONT && font != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(font);
  return CreateFontIndirectW(&lf);
}
