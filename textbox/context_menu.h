// A text box's context menu: its items in order, as each platform's own text box shows them, and when
// each is enabled, from the line model.
#pragma once

#include "textbox/commands.h"

#include <optional>
#include <string_view>

struct MenuItem
{
    std::u16string_view caption; // empty: a separator
    Command command = Command::SelectAll;
    std::string_view icon = {};     // the desktop's icon name, where a toolkit shows one
    std::optional<Command> keyOf{}; // the command whose key the item shows, where not its own

    [[nodiscard]] constexpr bool separator() const { return caption.empty(); }
};

namespace context_menu {

// The edit control's menu on Windows.
inline constexpr MenuItem kWindows[] = {
    {u"&Undo", Command::Undo},
    {},
    {u"Cu&t", Command::Cut},
    {u"&Copy", Command::Copy},
    {u"&Paste", Command::Paste},
    {u"&Delete", Command::DeleteSelection},
    {},
    {u"Select &All", Command::SelectAll},
};

// The Linux toolkit's line edit's menu.
inline constexpr MenuItem kQt[] = {
    {u"&Undo", Command::Undo, "edit-undo"},
    {u"&Redo", Command::Redo, "edit-redo"},
    {},
    {u"Cu&t", Command::Cut, "edit-cut"},
    {u"&Copy", Command::Copy, "edit-copy"},
    {u"&Paste", Command::Paste, "edit-paste"},
    {u"Delete", Command::DeleteSelection, "edit-delete", Command::DeleteCharacterOn},
    {},
    {u"Select All", Command::SelectAll, "edit-select-all"},
};

// Whether the item for command is enabled: each only when it would do something.
[[nodiscard]] inline bool enabled(Command command, const LineModel& model, bool clipboardHasText)
{
    switch (command) {
    case Command::Undo:
        return model.canUndo();
    case Command::Redo:
        return model.canRedo();
    case Command::Paste:
        return clipboardHasText;
    case Command::SelectAll:
        return model.selectionEnd() - model.selectionStart() < model.size();
    default:
        return model.hasSelection(); // Cut, Copy, Delete
    }
}

} // namespace context_menu
