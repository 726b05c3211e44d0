// quillora.exe: the program on Win32.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "app/command_line.h"
#include "text/fatal_error.h"
#include "ui/win32/win32_backend.h"

namespace {

std::string from_wide(const wchar_t* w, UINT code_page) {
  const int n = WideCharToMultiByte(code_page, 0, w, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, w, -1, s.data(), n, nullptr, nullptr);
  s.pop_back();
  return s;
}

// A GUI program has no console of its own: write to the one it was started
// from, or to the handle it inherited, or show the text in a box.
void report(const std::string& utf8, bool error) {
  const DWORD which = error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
  HANDLE out = GetStdHandle(which);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    if (AttachConsole(ATTACH_PARENT_PROCESS)) out = GetStdHandle(which);
  }
  DWORD written = 0;
  if (out != nullptr && out != INVALID_HANDLE_VALUE &&
      WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr)) {
    return;
  }
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, w.data(), n);
  MessageBoxW(nullptr, w.c_str(), L"Quillora", MB_OK | (error ? MB_ICONERROR : 0u));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> utf8;
  for (int i = 1; argv != nullptr && i < argc; ++i) utf8.push_back(from_wide(argv[i], CP_UTF8));
  const std::vector<std::string_view> args(utf8.begin(), utf8.end());
  const CommandLine command = parse_command_line(args);
  std::optional<std::string> date;
  if (command.date) {
    // The same argument in code page 936, the encoding of every Text.
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      if (utf8[i] == *command.date) date = from_wide(argv[i + 1], 936);
    }
  }
  if (argv != nullptr) LocalFree(argv);
  switch (command.action) {
    case CommandAction::help: report(usage_text("quillora.exe"), false); return 0;
    case CommandAction::version: report(version_text(), false); return 0;
    case CommandAction::error: report("quillora.exe: " + command.error + "\n", true); return EXIT_USAGE;
    case CommandAction::run: break;
  }
  Win32Backend backend(instance);
  install_backend(&backend);
  set_fatal_error_hook(Win32Backend::show_fatal);
  return 启动子程序(date);
}
