// Dots per inch, and the sizes that follow from them, on every Windows version the program runs on.
#pragma once

#include "window/geometry.h"

#include <windows.h>

// The DPI of the monitor the window is on, or the system's where monitors cannot differ.
[[nodiscard]] UINT windowDpi(HWND window);
// The DPI of the primary monitor.
[[nodiscard]] UINT systemDpi();

// The platform's default GUI font, the one message boxes use, at dpi.
[[nodiscard]] LOGFONTW messageFont(UINT dpi);

// A system metric (SM_CXICON, ...) at dpi.
[[nodiscard]] int systemMetric(int index, UINT dpi);

// Grows rect, a client area, by the frame of a window of this style at dpi. Windows 10 (1607) draws
// frames for each monitor's DPI; older versions at the system's, which stands in there.
void addFrame(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);
