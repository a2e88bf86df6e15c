// The core's UTF-16 strings and Windows' wide strings: the same 16-bit units, different types.
#pragma once

#include <string>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t holds UTF-16 units");

[[nodiscard]] inline std::wstring toWide(const std::u16string& text)
{
    return {text.begin(), text.end()};
}
