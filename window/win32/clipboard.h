// The Windows clipboard as the text box's commands use it (textbox/commands.h).
#pragma once

#include "textbox/commands.h"

#include <windows.h>

class WindowsClipboard : public Clipboard
{
public:
    // Opens the clipboard for owner.
    explicit WindowsClipboard(HWND owner) : m_owner(owner) {}

    [[nodiscard]] std::optional<std::u16string> text() override;
    void setText(std::u16string text) override;
    [[nodiscard]] static bool hasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

private:
    HWND m_owner;
};
