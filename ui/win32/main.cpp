// quillora.exe: the program on Win32.
#include <windows.h>

#include "app/app.h"
#include "text/fatal_error.h"
#include "ui/win32/win32_backend.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  Win32Backend backend(instance);
  install_backend(&backend);
  set_fatal_error_hook(Win32Backend::show_fatal);
  return 启动子程序();
}
