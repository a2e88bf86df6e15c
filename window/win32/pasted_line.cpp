#include "window/win32/pasted_line.h"

#include "window/form1_behaviour.h"

#include <commctrl.h>

#include <string>
#include <string_view>

namespace {

// The clipboard's text, or nothing when it holds none or cannot be opened.
std::u16string clipboardText(HWND owner)
{
    std::u16string text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            // Up to its terminating NUL, and never past the memory that holds it.
            const std::u16string_view held(units, GlobalSize(data) / sizeof(char16_t));
            text = held.substr(0, held.find(u'\0'));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

LRESULT CALLBACK pastingEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    switch (message) {
    case WM_PASTE: {
        if ((GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0)
            return 0;
        const std::u16string line = form1_behaviour::lineOfPastedText(clipboardText(edit));
        const std::wstring wide(line.begin(), line.end());
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str())); // TRUE: it can be undone
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, pastingEdit, id);
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace

bool takePastesAsOneLine(HWND edit)
{
    return SetWindowSubclass(edit, pastingEdit, 1, 0) != FALSE;
}
