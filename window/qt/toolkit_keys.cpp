// The toolkit line edit's key rules, read from the toolkit.
#include "window/qt/toolkit_keys.h"

#include "window/qt/text_boundaries.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <array>
#include <utility>
#include <vector>

namespace {

using Standard = QKeySequence::StandardKey;

constexpr std::array<std::pair<Qt::Key, Key>, 11> kNamedKeys{{
    {Qt::Key_Left, Key::Left},
    {Qt::Key_Right, Key::Right},
    {Qt::Key_Up, Key::Up},
    {Qt::Key_Down, Key::Down},
    {Qt::Key_Home, Key::Home},
    {Qt::Key_End, Key::End},
    {Qt::Key_PageUp, Key::PageUp},
    {Qt::Key_PageDown, Key::PageDown},
    {Qt::Key_Backspace, Key::Backspace},
    {Qt::Key_Delete, Key::Delete},
    {Qt::Key_Insert, Key::Insert},
}};

constexpr std::array<std::pair<Qt::KeyboardModifier, Modifier>, 4> kModifiers{{
    {Qt::ShiftModifier, kShift},
    {Qt::ControlModifier, kCtrl},
    {Qt::AltModifier, kAlt},
    {Qt::MetaModifier, kCmd},
}};

// The line edit's commands by the toolkit's names for them, in the order it tries them.
constexpr std::pair<Standard, Command> kStandardKeys[] = {
    {Standard::Undo, Command::Undo},
    {Standard::Redo, Command::Redo},
    {Standard::SelectAll, Command::SelectAll},
    {Standard::Copy, Command::Copy},
    {Standard::Paste, Command::Paste},
    {Standard::Cut, Command::Cut},
    {Standard::DeleteEndOfLine, Command::CutToLineEnd},
    {Standard::MoveToStartOfLine, Command::LineStart},
    {Standard::MoveToStartOfBlock, Command::LineStart},
    {Standard::MoveToEndOfLine, Command::LineEnd},
    {Standard::MoveToEndOfBlock, Command::LineEnd},
    {Standard::SelectStartOfLine, Command::SelectLineStart},
    {Standard::SelectStartOfBlock, Command::SelectLineStart},
    {Standard::SelectEndOfLine, Command::SelectLineEnd},
    {Standard::SelectEndOfBlock, Command::SelectLineEnd},
    {Standard::MoveToNextChar, Command::CharacterOn},
    {Standard::SelectNextChar, Command::SelectCharacterOn},
    {Standard::MoveToPreviousChar, Command::CharacterBack},
    {Standard::SelectPreviousChar, Command::SelectCharacterBack},
    {Standard::MoveToNextWord, Command::WordOn},
    {Standard::MoveToPreviousWord, Command::WordBack},
    {Standard::SelectNextWord, Command::SelectWordOn},
    {Standard::SelectPreviousWord, Command::SelectWordBack},
    {Standard::Delete, Command::DeleteCharacterOn},
    {Standard::DeleteEndOfWord, Command::DeleteWordOn},
    {Standard::DeleteStartOfWord, Command::DeleteWordBack},
    {Standard::DeleteCompleteLine, Command::CutLine},
};

// What the line edit does with Backspace, which no binding names: without Ctrl a character, with it a word.
constexpr KeyBinding kBackspace[] = {
    {{Key::Backspace}, Command::DeleteCharacterBack},
    {{Key::Backspace, kShift}, Command::DeleteCharacterBack},
    {{Key::Backspace, kAlt}, Command::DeleteCharacterBack},
    {{Key::Backspace, kCtrl}, Command::DeleteWordBack},
    {{Key::Backspace, kCtrl | kShift}, Command::DeleteWordBack},
};

std::optional<KeyPress> keyPressOf(QKeyCombination combination)
{
    KeyPress press{Key::Left, 0};
    for (const auto& [modifier, bit] : kModifiers)
        press.modifiers |= combination.keyboardModifiers().testFlag(modifier) ? bit : 0;
    const Qt::Key key = combination.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        press.key = static_cast<Key>(u'A' + (key - Qt::Key_A));
        return press;
    }
    for (const auto& [named, ours] : kNamedKeys) {
        if (named == key) {
            press.key = ours;
            return press;
        }
    }
    return std::nullopt;
}

int stop(std::u16string_view line, int position, bool forward, QTextLayout::CursorMode mode)
{
    return moveInLine(QStringView(line.data(), static_cast<qsizetype>(line.size())), position, forward, mode);
}

KeyRules readRules()
{
    static std::vector<KeyBinding> bindings;
    for (const auto& [standard, command] : kStandardKeys)
        for (const QKeySequence& sequence : QKeySequence::keyBindings(standard))
            if (sequence.count() == 1)
                if (const std::optional<KeyPress> press = keyPressOf(sequence[0]))
                    bindings.push_back({*press, command});
    bindings.insert(bindings.end(), std::begin(kBackspace), std::end(kBackspace));
    // With a selection, Left and Right go to its ends, but on the Windows key scheme (the one that binds
    // Ctrl+Y to redo), where they move on from the cursor.
    const bool windowsScheme = QKeySequence::keyBindings(Standard::Redo).contains(QKeySequence(Qt::CTRL | Qt::Key_Y));
    Conventions conventions{LineModel::WordStop::NextWordStart, !windowsScheme, true};
    conventions.characterStop = [](std::u16string_view line, int position, bool forward) {
        return stop(line, position, forward, QTextLayout::SkipCharacters);
    };
    conventions.wordStopRule = [](std::u16string_view line, int position, bool forward) {
        return stop(line, position, forward, QTextLayout::SkipWords);
    };
    return {"qt", false, 0, bindings, {}, conventions};
}

} // namespace

const KeyRules& toolkitKeyRules()
{
    static const KeyRules rules = readRules();
    return rules;
}

std::optional<KeyPress> keyPressOf(const QKeyEvent& event)
{
    return keyPressOf(event.keyCombination());
}

QKeyCombination toolkitKey(KeyPress press)
{
    Qt::KeyboardModifiers modifiers;
    for (const auto& [modifier, bit] : kModifiers)
        modifiers.setFlag(modifier, (press.modifiers & bit) != 0);
    Qt::Key key = static_cast<Qt::Key>(Qt::Key_A + (static_cast<int>(press.key) - u'A'));
    for (const auto& [named, ours] : kNamedKeys)
        key = ours == press.key ? named : key;
    return QKeyCombination(modifiers, key);
}
