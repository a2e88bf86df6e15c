// The Windows clipboard as the Win32 tests read and fill it, on its own, as another program would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

// The clipboard's text, or nothing.
inline std::u16string clipboard()
{
    std::u16string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const char16_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

// Puts text on the clipboard, as another program's copy does.
inline void putOnClipboard(const std::u16string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    ASSERT_NE(data, nullptr);
    std::copy_n(text.c_str(), text.size() + 1, static_cast<char16_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, data), nullptr);
    CloseClipboard();
}
