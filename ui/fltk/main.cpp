// quillora: the desktop program on FLTK.
#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "text/fatal_error.h"
#include "ui/fltk/fltk_backend.h"

int main() {
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "quillora: no graphical display (DISPLAY is not set)\n");
    return 1;
  }
  FltkBackend backend;
  install_backend(&backend);
  set_fatal_error_hook(FltkBackend::show_fatal);
  return 启动子程序();
}
