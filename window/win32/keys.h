// Windows' key messages as the text box's keys (textbox/key_rules.h), and back.
#pragma once

#include "textbox/key_rules.h"

#include <windows.h>

#include <optional>

// A key message's virtual key with the modifiers down now, or nothing for a key no rule names.
[[nodiscard]] std::optional<KeyPress> keyPressOf(WPARAM virtualKey);
// The virtual key of key.
[[nodiscard]] UINT virtualKeyOf(Key key);
