// Prints the outer rectangle of the top-level window of class "Quillora" as
// "left top width height", or "none". Runs under Wine beside the program.
#include <windows.h>

#include <cstdio>

int main() {
  HWND w = FindWindowW(L"Quillora", nullptr);
  RECT r;
  if (w == nullptr || !GetWindowRect(w, &r)) {
    std::puts("none");
    return 1;
  }
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}
