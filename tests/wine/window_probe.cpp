// Reads the window of class "Quillora" back, beside the program under Wine.
//   window_probe            "left top width height" of its outer rectangle
//   window_probe captions   every child control's caption (WM_GETTEXT), one a
//                           line in UTF-8, CR LF inside a caption written as \n
//   window_probe dpi N      tells the window it is now on a monitor of N dpi,
//                           as Windows does when it is moved to one (WM_DPICHANGED)
// Prints "none" and exits 1 when there is no such window.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string utf8(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
  return s;
}

BOOL CALLBACK print_caption(HWND child, LPARAM) {
  const LRESULT length = SendMessageW(child, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(SendMessageW(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  std::string line;
  for (char c : utf8(text)) {
    if (c == '\r') continue;
    if (c == '\n') line += "\\n"; else line += c;
  }
  if (!line.empty()) std::printf("%s\n", line.c_str());
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  HWND w = FindWindowW(L"Quillora", nullptr);
  RECT r;
  if (w == nullptr || !GetWindowRect(w, &r)) {
    std::puts("none");
    return 1;
  }
  if (argc > 1 && std::strcmp(argv[1], "captions") == 0) {
    EnumChildWindows(w, print_caption, 0);
    return 0;
  }
  if (argc > 2 && std::strcmp(argv[1], "dpi") == 0) {
    const auto dpi = static_cast<WORD>(std::atoi(argv[2]));
    SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0);  // no suggested rectangle: the window keeps its place
    return 0;
  }
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}
