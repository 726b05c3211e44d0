#include "ui/win32/dpi.h"

namespace {

template <class F>
F find(const wchar_t* module, const char* name) {
  HMODULE m = GetModuleHandleW(module);
  if (m == nullptr) m = LoadLibraryW(module);
  return m == nullptr ? nullptr : reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

// shcore's values: PROCESS_PER_MONITOR_DPI_AWARE, MDT_EFFECTIVE_DPI.
constexpr int PER_MONITOR_AWARE = 2;
constexpr int EFFECTIVE_DPI = 0;

UINT monitor_dpi(HMONITOR monitor);

UINT monitor_dpi(HMONITOR monitor) {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto get = find<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (get != nullptr && monitor != nullptr && SUCCEEDED(get(monitor, EFFECTIVE_DPI, &x, &y)) && x > 0) return x;
  return system_dpi();
}

}  // namespace

UINT system_dpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void become_dpi_aware() {
  using ContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  using AwarenessFn = HRESULT(WINAPI*)(int);
  using AwareFn = BOOL(WINAPI*)();
  if (const auto context = find<ContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
    // Refused when the manifest has set it already, as it should have.
    if (context(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) || GetLastError() == ERROR_ACCESS_DENIED) return;
  }
  if (const auto awareness = find<AwarenessFn>(L"shcore.dll", "SetProcessDpiAwareness")) {
    awareness(PER_MONITOR_AWARE);
    return;
  }
  if (const auto aware = find<AwareFn>(L"user32.dll", "SetProcessDPIAware")) aware();
}

UINT primary_dpi() {
  const POINT origin{0, 0};
  return monitor_dpi(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY));
}

UINT window_dpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get = find<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (get != nullptr) {
    if (const UINT dpi = get(window)) return dpi;
  }
  return monitor_dpi(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
}

int system_metric(int index, UINT dpi) {
  using MetricFn = int(WINAPI*)(int, UINT);
  static const auto get = find<MetricFn>(L"user32.dll", "GetSystemMetricsForDpi");
  if (get != nullptr) return get(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(system_dpi()));
}

SIZE outer_size(int client_width, int client_height, DWORD style, DWORD ex_style, UINT dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = find<AdjustFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  RECT r{0, 0, client_width, client_height};
  if (adjust == nullptr || !adjust(&r, style, FALSE, ex_style, dpi)) AdjustWindowRectEx(&r, style, FALSE, ex_style);
  return {r.right - r.left, r.bottom - r.top};
}
