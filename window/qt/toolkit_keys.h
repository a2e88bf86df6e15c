// The toolkit line edit's key rules (textbox/key_rules.h), read from the toolkit's own bindings at run
// time, so that the desktop's key scheme holds in every text box, and the line edit that shows a short
// line and the field that shows a long one take each key alike.
#pragma once

#include "textbox/key_rules.h"

#include <QKeyCombination>

#include <optional>

class QKeyEvent;

[[nodiscard]] const KeyRules& toolkitKeyRules();

// A key event's key, or nothing for a key no rule names.
[[nodiscard]] std::optional<KeyPress> keyPressOf(const QKeyEvent& event);
// A key as the toolkit names it.
[[nodiscard]] QKeyCombination toolkitKey(KeyPress press);
