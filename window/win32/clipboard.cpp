// The Windows clipboard as the text box's commands use it.
#include "window/win32/clipboard.h"

#include <algorithm>
#include <string_view>

std::optional<std::u16string> WindowsClipboard::text()
{
    if (!hasText() || !OpenClipboard(m_owner))
        return std::nullopt;
    std::optional<std::u16string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* held = static_cast<const char16_t*>(GlobalLock(data))) {
            // Up to its terminating NUL, and never past the memory that holds it.
            const std::u16string_view whole(held, GlobalSize(data) / sizeof(char16_t));
            text = std::u16string(whole.substr(0, whole.find(u'\0')));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void WindowsClipboard::setText(std::u16string text)
{
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    if (data == nullptr)
        return;
    if (auto* into = static_cast<char16_t*>(GlobalLock(data))) {
        std::copy_n(text.c_str(), text.size() + 1, into);
        GlobalUnlock(data);
        if (OpenClipboard(m_owner)) {
            EmptyClipboard();
            if (SetClipboardData(CF_UNICODETEXT, data) != nullptr)
                data = nullptr; // the clipboard's now
            CloseClipboard();
        }
    }
    if (data != nullptr)
        GlobalFree(data);
}
