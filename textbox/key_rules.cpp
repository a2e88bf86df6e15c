// The key tables of each platform, and the names of keys.
#include "textbox/key_rules.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using C = Command;

constexpr std::array<std::pair<Key, std::u16string_view>, 11> kKeyNames{{
    {Key::Left, u"Left"},
    {Key::Right, u"Right"},
    {Key::Up, u"Up"},
    {Key::Down, u"Down"},
    {Key::Home, u"Home"},
    {Key::End, u"End"},
    {Key::PageUp, u"PageUp"},
    {Key::PageDown, u"PageDown"},
    {Key::Backspace, u"Backspace"},
    {Key::Delete, u"Delete"},
    {Key::Insert, u"Insert"},
}};

constexpr std::array<std::pair<Modifier, std::u16string_view>, 6> kModifierNames{{
    {kCtrl, u"Ctrl"},
    {kAlt, u"Alt"},
    {kCmd, u"Cmd"},
    {kShift, u"Shift"},
    {kAlt, u"Option"},
    {kCmd, u"Meta"},
}};

constexpr Key letter(char16_t capital)
{
    return static_cast<Key>(capital);
}

constexpr MoveBinding kWindowsMoves[] = {
    {{Key::Left}, C::CharacterBack, C::SelectCharacterBack},
    {{Key::Up}, C::CharacterBack, C::SelectCharacterBack},
    {{Key::Right}, C::CharacterOn, C::SelectCharacterOn},
    {{Key::Down}, C::CharacterOn, C::SelectCharacterOn},
    {{Key::Left, kCtrl}, C::WordBack, C::SelectWordBack},
    {{Key::Up, kCtrl}, C::WordBack, C::SelectWordBack},
    {{Key::Right, kCtrl}, C::WordOn, C::SelectWordOn},
    {{Key::Down, kCtrl}, C::WordOn, C::SelectWordOn},
    {{Key::Home}, C::LineStart, C::SelectLineStart},
    {{Key::Home, kCtrl}, C::LineStart, C::SelectLineStart},
    {{Key::End}, C::LineEnd, C::SelectLineEnd},
    {{Key::End, kCtrl}, C::LineEnd, C::SelectLineEnd},
};

// The commands every platform gives the letter keys, with its command modifier. A command's first key is
// the one a menu shows for it: these come first.
constexpr KeyBinding kCommandLetters[] = {
    {{letter('A')}, C::SelectAll}, {{letter('C')}, C::Copy}, {{letter('V')}, C::Paste},
    {{letter('X')}, C::Cut},       {{letter('Z')}, C::Undo}, {{letter('Z'), kShift}, C::Redo},
};

constexpr KeyBinding kWindowsBindings[] = {
    {{letter('Y'), kCtrl}, C::Redo},
    {{Key::Backspace, kAlt}, C::Undo},
    {{Key::Backspace}, C::DeleteCharacterBack},
    {{Key::Backspace, kShift}, C::DeleteCharacterBack},
    {{Key::Delete}, C::DeleteCharacterOn},
    {{Key::Delete, kCtrl}, C::DeleteToLineEnd},
    {{Key::Delete, kShift}, C::Cut},
    {{Key::Insert, kCtrl}, C::Copy},
    {{Key::Insert, kShift}, C::Paste},
};

// In a browser's single-line field, Up, Down, PageUp and PageDown go to the line's ends.
constexpr MoveBinding kBrowserMoves[] = {
    {{Key::Left}, C::CharacterBack, C::SelectCharacterBack},
    {{Key::Right}, C::CharacterOn, C::SelectCharacterOn},
    {{Key::Left, kCtrl}, C::WordBack, C::SelectWordBack},
    {{Key::Right, kCtrl}, C::WordOn, C::SelectWordOn},
    {{Key::Home}, C::LineStart, C::SelectLineStart},
    {{Key::Home, kCtrl}, C::LineStart, C::SelectLineStart},
    {{Key::Up}, C::LineStart, C::SelectLineStart},
    {{Key::PageUp}, C::LineStart, C::SelectLineStart},
    {{Key::End}, C::LineEnd, C::SelectLineEnd},
    {{Key::End, kCtrl}, C::LineEnd, C::SelectLineEnd},
    {{Key::Down}, C::LineEnd, C::SelectLineEnd},
    {{Key::PageDown}, C::LineEnd, C::SelectLineEnd},
};

// The browser's own clipboard keys beyond these (Shift+Delete, Ctrl+Insert, Shift+Insert), where it has
// them, bring its clipboard events all the same.
constexpr KeyBinding kBrowserBindings[] = {
    {{letter('Y'), kCtrl}, C::Redo},
    {{Key::Backspace}, C::DeleteCharacterBack},
    {{Key::Backspace, kShift}, C::DeleteCharacterBack},
    {{Key::Backspace, kCtrl}, C::DeleteWordBack},
    {{Key::Delete}, C::DeleteCharacterOn},
    {{Key::Delete, kCtrl}, C::DeleteWordOn},
};

// Home and End scroll a Mac's page rather than move the caret, so no row binds them.
constexpr MoveBinding kMacBrowserMoves[] = {
    {{Key::Left}, C::CharacterBack, C::SelectCharacterBack},
    {{Key::Right}, C::CharacterOn, C::SelectCharacterOn},
    {{Key::Left, kAlt}, C::WordBack, C::SelectWordBack},
    {{Key::Right, kAlt}, C::WordOn, C::SelectWordOn},
    {{Key::Left, kCmd}, C::LineStart, C::SelectLineStart},
    {{Key::Up}, C::LineStart, C::SelectLineStart},
    {{Key::Up, kCmd}, C::LineStart, C::SelectLineStart},
    {{Key::Up, kAlt}, C::LineStart, C::SelectLineStart},
    {{letter('A'), kCtrl}, C::LineStart, C::SelectLineStart},
    {{Key::Right, kCmd}, C::LineEnd, C::SelectLineEnd},
    {{Key::Down}, C::LineEnd, C::SelectLineEnd},
    {{Key::Down, kCmd}, C::LineEnd, C::SelectLineEnd},
    {{Key::Down, kAlt}, C::LineEnd, C::SelectLineEnd},
    {{letter('E'), kCtrl}, C::LineEnd, C::SelectLineEnd},
};

constexpr KeyBinding kMacBrowserBindings[] = {
    {{Key::Backspace}, C::DeleteCharacterBack},  {{Key::Backspace, kShift}, C::DeleteCharacterBack},
    {{Key::Backspace, kAlt}, C::DeleteWordBack}, {{Key::Backspace, kCmd}, C::DeleteToLineStart},
    {{Key::Delete}, C::DeleteCharacterOn},       {{Key::Delete, kAlt}, C::DeleteWordOn},
    {{letter('K'), kCtrl}, C::DeleteToLineEnd},
};

constexpr Conventions kBrowserWordEnd{LineModel::WordStop::WordEnd, true, false};

} // namespace

namespace key_rules {

const KeyRules kWindows{"windows",        false,         kCtrl,
                        kWindowsBindings, kWindowsMoves, {LineModel::WordStop::NextWordStart, false, false}};
const KeyRules kBrowserLinux{"browser-linux", false, kCtrl, kBrowserBindings, kBrowserMoves, kBrowserWordEnd};
const KeyRules kBrowserWindows{"browser-windows", false,         kCtrl,
                               kBrowserBindings,  kBrowserMoves, {LineModel::WordStop::NextWordStart, true, false}};
const KeyRules kBrowserMac{"browser-mac", true, kCmd, kMacBrowserBindings, kMacBrowserMoves, kBrowserWordEnd};

std::span<const KeyRules* const> all()
{
    static constexpr std::array<const KeyRules*, 4> kAll{&kWindows, &kBrowserLinux, &kBrowserWindows, &kBrowserMac};
    return kAll;
}

} // namespace key_rules

std::optional<KeyPress> keyPressNamed(std::u16string_view name)
{
    KeyPress press{Key::Left, 0};
    for (std::size_t plus; (plus = name.find(u'+')) != std::u16string_view::npos && plus + 1 < name.size();) {
        const std::u16string_view modifier = name.substr(0, plus);
        const auto* found = std::find_if(kModifierNames.begin(), kModifierNames.end(),
                                         [modifier](const auto& entry) { return entry.second == modifier; });
        if (found == kModifierNames.end())
            return std::nullopt;
        press.modifiers |= found->first;
        name.remove_prefix(plus + 1);
    }
    if (name.size() == 1 && name[0] >= u'A' && name[0] <= u'Z') {
        press.key = letter(name[0]);
        return press;
    }
    for (const auto& [key, keyName] : kKeyNames) {
        if (keyName == name) {
            press.key = key;
            return press;
        }
    }
    return std::nullopt;
}

std::u16string nameOf(KeyPress press)
{
    std::u16string name;
    for (std::size_t at = 0; at < 4; ++at) // the first four: each modifier once, by its own name
        if ((press.modifiers & kModifierNames[at].first) != 0)
            name.append(kModifierNames[at].second).push_back(u'+');
    for (const auto& [key, keyName] : kKeyNames)
        if (key == press.key)
            return name.append(keyName);
    name.push_back(static_cast<char16_t>(press.key));
    return name;
}

std::optional<Command> commandFor(const KeyRules& rules, KeyPress press)
{
    for (const KeyBinding& binding : rules.bindings)
        if (binding.press == press)
            return binding.command;
    for (const MoveBinding& move : rules.moves) {
        if (move.press == press)
            return move.move;
        if (move.press.key == press.key && (move.press.modifiers & kShift) == 0 &&
            (move.press.modifiers | kShift) == press.modifiers)
            return move.select;
    }
    for (const KeyBinding& letter : kCommandLetters)
        if (rules.commandModifier != 0 && letter.press.key == press.key &&
            (letter.press.modifiers | rules.commandModifier) == press.modifiers)
            return letter.command;
    return std::nullopt;
}

std::optional<KeyPress> pressFor(const KeyRules& rules, Command command)
{
    for (const KeyBinding& letter : kCommandLetters)
        if (rules.commandModifier != 0 && letter.command == command)
            return KeyPress{letter.press.key,
                            static_cast<std::uint8_t>(letter.press.modifiers | rules.commandModifier)};
    for (const KeyBinding& binding : rules.bindings)
        if (binding.command == command)
            return binding.press;
    for (const MoveBinding& move : rules.moves) {
        if (move.move == command)
            return move.press;
        if (move.select == command)
            return KeyPress{move.press.key, static_cast<std::uint8_t>(move.press.modifiers | kShift)};
    }
    return std::nullopt;
}
