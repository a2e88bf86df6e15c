// Which key, with which modifiers, gives which editing command on each platform, as data: the letters of
// the commands every platform has with its command modifier, a table of rows per platform, and the
// conventions its boxes follow in carrying commands out. Each front-end only
// turns its key events into KeyPress and looks them up here; a key no row binds is the native box's own.
#pragma once

#include "textbox/commands.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// A key: a letter by its capital (Key{'A'}), or one of the named keys.
enum class Key : char16_t
{
    Left = 0x100,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Backspace,
    Delete,
    Insert,
};

// Modifier bits. Alt is a Mac's Option key, and Cmd a Mac's Command key (the Meta key elsewhere).
enum Modifier : std::uint8_t
{
    kShift = 1,
    kCtrl = 2,
    kAlt = 4,
    kCmd = 8,
};

struct KeyPress
{
    Key key;
    std::uint8_t modifiers = 0;
    friend bool operator==(const KeyPress&, const KeyPress&) = default;
};

// A key's name as the editing scenarios and the page write it: modifiers first, then the key, joined by
// '+' ("Ctrl+Shift+Left", "Cmd+A"; Option for Alt and Meta for Cmd are read too). Nothing when unknown.
[[nodiscard]] std::optional<KeyPress> keyPressNamed(std::u16string_view name);
[[nodiscard]] std::u16string nameOf(KeyPress press);

struct KeyBinding
{
    KeyPress press;
    Command command;
};

// A key that moves the cursor, and with Shift added selects as it moves.
struct MoveBinding
{
    KeyPress press;
    Command move;
    Command select;
};

struct KeyRules
{
    std::string_view name; // as the editing scenarios name the platform
    bool mac;              // a Mac's keys: Cmd for the commands, Option by word
    // With it, A selects all, C copies, V pastes, X cuts, Z undoes and Shift+Z redoes: Ctrl, or a Mac's
    // Cmd; none where the bindings say it all.
    std::uint8_t commandModifier;
    std::span<const KeyBinding> bindings;
    std::span<const MoveBinding> moves;
    Conventions conventions;
};

// The command press gives, or nothing when no row binds it.
[[nodiscard]] std::optional<Command> commandFor(const KeyRules& rules, KeyPress press);
// The first key that gives command, or nothing.
[[nodiscard]] std::optional<KeyPress> pressFor(const KeyRules& rules, Command command);

namespace key_rules {

// The edit control of Windows: Up and Down move as Left and Right do, Ctrl+Delete deletes to the line's
// end; undo is also Alt+Backspace, and redo, which the edit control lacks, Ctrl+Y or Ctrl+Shift+Z.
extern const KeyRules kWindows;
// A browser's text field on Linux, where a word move forward stops at the word's end, and on Windows,
// where it stops at the next word's start.
extern const KeyRules kBrowserLinux;
extern const KeyRules kBrowserWindows;
// A browser's text field on a Mac: Cmd for the commands, Cmd+Shift+Z to redo, Cmd with an arrow to the
// line's ends, Option with an arrow by word, Cmd+Backspace and Option+Backspace, and Ctrl+A, Ctrl+E and
// Ctrl+K as a Mac's text fields take them.
extern const KeyRules kBrowserMac;

// Every table above, for tests that run them all.
[[nodiscard]] std::span<const KeyRules* const> all();

} // namespace key_rules
