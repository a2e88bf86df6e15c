// Windows' key messages as the text box's keys.
#include "window/win32/keys.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<UINT, Key>, 11> kNamedKeys{{
    {VK_LEFT, Key::Left},
    {VK_RIGHT, Key::Right},
    {VK_UP, Key::Up},
    {VK_DOWN, Key::Down},
    {VK_HOME, Key::Home},
    {VK_END, Key::End},
    {VK_PRIOR, Key::PageUp},
    {VK_NEXT, Key::PageDown},
    {VK_BACK, Key::Backspace},
    {VK_DELETE, Key::Delete},
    {VK_INSERT, Key::Insert},
}};

bool down(int key)
{
    return GetKeyState(key) < 0;
}

} // namespace

std::optional<KeyPress> keyPressOf(WPARAM virtualKey)
{
    const auto modifiers =
        static_cast<std::uint8_t>((down(VK_SHIFT) ? kShift : 0) | (down(VK_CONTROL) ? kCtrl : 0) |
                                  (down(VK_MENU) ? kAlt : 0) | (down(VK_LWIN) || down(VK_RWIN) ? kCmd : 0));
    if (virtualKey >= 'A' && virtualKey <= 'Z') // letters' virtual keys are their capitals
        return KeyPress{static_cast<Key>(virtualKey), modifiers};
    for (const auto& [named, key] : kNamedKeys)
        if (named == virtualKey)
            return KeyPress{key, modifiers};
    return std::nullopt;
}

UINT virtualKeyOf(Key key)
{
    for (const auto& [named, ours] : kNamedKeys)
        if (ours == key)
            return named;
    return static_cast<UINT>(key);
}
