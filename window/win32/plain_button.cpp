// A push button that never becomes the default button.
#include "window/win32/plain_button.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK plainButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_GETDLGCODE:
        // Tells keyboard navigation that this is an ordinary push button, never the default one.
        return (DefSubclassProc(button, message, wParam, lParam) & ~DLGC_DEFPUSHBUTTON) | DLGC_UNDEFPUSHBUTTON;
    case BM_SETSTYLE:
        if ((wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_PUSHBUTTON;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, plainButtonProc, kSubclassId);
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

} // namespace

bool keepFromDefault(HWND button)
{
    return SetWindowSubclass(button, plainButtonProc, kSubclassId, 0) != FALSE;
}
