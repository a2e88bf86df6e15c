// Room for captions.
#include "window/win32/caption_size.h"

#include <commctrl.h>

Size labelCaptionSize(HWND label, HFONT font, const wchar_t* caption)
{
    RECT bounds{};
    HDC dc = GetDC(label);
    if (dc == nullptr)
        return {0, 0};
    const HGDIOBJ previous = SelectObject(dc, font);
    DrawTextW(dc, caption, -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

Size buttonCaptionSize(HWND button, HFONT font, const wchar_t* caption)
{
    // The button measures itself, in the font it has been given, with common controls 6.
    SIZE ideal{};
    if (SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) != FALSE)
        return {ideal.cx, ideal.cy};
    // Older common controls: half a line of room on each side of the text.
    const Size text = labelCaptionSize(button, font, caption);
    return {text.width + text.height, text.height + text.height};
}
