// Dots per inch, and the sizes that follow from them, on every Windows version the program runs on.
#pragma once

#include "window/grown_to_fit.h"
#include "window/twips.h"

#include <windows.h>

// The design's twips as pixels at dpi: its pixels at 96 DPI, scaled as the system scales them.
[[nodiscard]] PixelSize toPixels(const TwipsSize& size, UINT dpi);
[[nodiscard]] PixelRect toPixels(const TwipsRect& rect, UINT dpi);

// The DPI of the monitor the window is on, or the system's where monitors cannot differ.
[[nodiscard]] UINT windowDpi(HWND window);
// The DPI of the primary monitor.
[[nodiscard]] UINT systemDpi();

// The platform's default GUI font, the one message boxes use, at dpi.
[[nodiscard]] LOGFONTW messageFont(UINT dpi);

// The outer size of a window with this client area, frame styles and DPI.
[[nodiscard]] SIZE windowSizeFor(const PixelSize& clientArea, DWORD style, DWORD exStyle, UINT dpi);
