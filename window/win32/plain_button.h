// A push button that never becomes the default button, so Enter never presses it.
#pragma once

#include <windows.h>

// Keyboard navigation (IsDialogMessage) makes a focused push button the default one and then
// presses it on Enter. After this call the button refuses that role; Space and the mouse still
// press it.
bool keepFromDefault(HWND button);
