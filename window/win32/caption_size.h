// Room for captions: how much a control needs to show its caption whole in a given font.
#pragma once

#include "window/geometry.h"

#include <windows.h>

// The caption as a static control draws it: one line, no margins.
[[nodiscard]] Size labelCaptionSize(HWND label, HFONT font, const wchar_t* caption);
// The caption with the push button's frame and margins around it.
[[nodiscard]] Size buttonCaptionSize(HWND button, HFONT font, const wchar_t* caption);
