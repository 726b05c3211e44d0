#pragma once
// The DPI functions of newer Windows, looked up at run time: the program still
// starts where they are missing, and falls back to the system's one DPI there.
#include <windows.h>

// Makes the process per-monitor DPI aware (v2) where the manifest did not
// already: per-monitor v1 on Windows 8.1, system aware before that.
void become_dpi_aware();
// The one DPI of the system, which stock fonts and system metrics are made for.
UINT system_dpi();
// The DPI of the primary monitor, where the window is first centred.
UINT primary_dpi();
// The DPI of the monitor that shows the window.
UINT window_dpi(HWND window);
// A system metric at this DPI.
int system_metric(int index, UINT dpi);
// The outer size of a window of this style around a client area, at this DPI.
SIZE outer_size(int client_width, int client_height, DWORD style, DWORD ex_style, UINT dpi);
