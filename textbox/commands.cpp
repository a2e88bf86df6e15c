// The editing commands, each a plain function on the line model.
#include "textbox/commands.h"

#include "textbox/pasted_text.h"

#include <array>
#include <utility>

namespace {

using Run = LineModel::Run;

constexpr std::array<std::string_view, static_cast<std::size_t>(Command::CutLine) + 1> kNames{
    "CharacterBack",
    "CharacterOn",
    "WordBack",
    "WordOn",
    "LineStart",
    "LineEnd",
    "SelectCharacterBack",
    "SelectCharacterOn",
    "SelectWordBack",
    "SelectWordOn",
    "SelectLineStart",
    "SelectLineEnd",
    "SelectAll",
    "DeleteCharacterBack",
    "DeleteCharacterOn",
    "DeleteWordBack",
    "DeleteWordOn",
    "DeleteToLineStart",
    "DeleteToLineEnd",
    "DeleteSelection",
    "Undo",
    "Redo",
    "Cut",
    "Copy",
    "Paste",
    "CutToLineEnd",
    "CutLine",
};

int characterStop(const LineModel& model, const Conventions& conventions, bool forward)
{
    const int from = model.cursor();
    if (conventions.characterStop != nullptr)
        return conventions.characterStop(model.line(), from, forward);
    return forward ? model.nextCharacter(from) : model.previousCharacter(from);
}

int wordStop(const LineModel& model, const Conventions& conventions, bool forward)
{
    const int from = model.cursor();
    if (conventions.wordStopRule != nullptr)
        return conventions.wordStopRule(model.line(), from, forward);
    return forward ? model.nextWord(from, conventions.wordStop) : model.previousWord(from);
}

// A character move: from the cursor, or with collapses to the selection's end on that side.
int characterMove(const LineModel& model, const Conventions& conventions, bool forward)
{
    if (model.hasSelection() && conventions.arrowCollapsesSelection)
        return forward ? model.selectionEnd() : model.selectionStart();
    return characterStop(model, conventions, forward);
}

// Deletes the selection, or from the cursor to to when nothing is selected (or always, with extends).
void deleteTo(LineModel& model, int to, bool extends)
{
    if (!model.hasSelection() || extends)
        model.moveTo(to, true);
    model.replaceSelection({});
}

void copy(const LineModel& model, Clipboard& clipboard)
{
    if (model.hasSelection())
        clipboard.setText(model.selectedText());
}

void cut(LineModel& model, Clipboard& clipboard)
{
    copy(model, clipboard);
    model.replaceSelection({});
}

} // namespace

std::optional<Command> commandNamed(std::string_view name)
{
    for (std::size_t at = 0; at < kNames.size(); ++at)
        if (kNames[at] == name)
            return static_cast<Command>(at);
    return std::nullopt;
}

void run(Command command, LineModel& model, const Conventions& conventions, Clipboard& clipboard)
{
    const int cursor = model.cursor();
    const bool selected = model.hasSelection();
    switch (command) {
    case Command::CharacterBack:
    case Command::CharacterOn:
        return model.moveTo(characterMove(model, conventions, command == Command::CharacterOn), false);
    case Command::SelectCharacterBack:
    case Command::SelectCharacterOn:
        return model.moveTo(characterStop(model, conventions, command == Command::SelectCharacterOn), true);
    case Command::WordBack:
    case Command::WordOn:
    case Command::SelectWordBack:
    case Command::SelectWordOn:
        return model.moveTo(
            wordStop(model, conventions, command == Command::WordOn || command == Command::SelectWordOn),
            command == Command::SelectWordBack || command == Command::SelectWordOn);
    case Command::LineStart:
    case Command::SelectLineStart:
        return model.moveTo(0, command == Command::SelectLineStart);
    case Command::LineEnd:
    case Command::SelectLineEnd:
        return model.moveTo(model.size(), command == Command::SelectLineEnd);
    case Command::SelectAll:
        return model.selectAll();
    case Command::DeleteCharacterBack:
        if (selected)
            return model.replaceSelection({});
        return model.replace(model.previousCharacter(cursor), cursor, {}, Run::Backspace);
    case Command::DeleteCharacterOn:
        if (selected)
            return model.replaceSelection({});
        return model.replace(cursor, characterStop(model, conventions, true), {}, Run::Delete);
    case Command::DeleteWordBack:
    case Command::DeleteWordOn:
        return deleteTo(model, wordStop(model, conventions, command == Command::DeleteWordOn),
                        conventions.wordDeleteExtendsSelection);
    case Command::DeleteToLineStart:
        return deleteTo(model, 0, false);
    case Command::DeleteToLineEnd:
        return deleteTo(model, model.size(), false);
    case Command::DeleteSelection:
        return model.replaceSelection({});
    case Command::Undo:
        return model.undo();
    case Command::Redo:
        return model.redo();
    case Command::Cut:
        return cut(model, clipboard);
    case Command::Copy:
        return copy(model, clipboard);
    case Command::Paste:
        if (std::optional<std::u16string> text = clipboard.text())
            model.replaceSelection(pasted_text::lineOf(std::move(*text)));
        return;
    case Command::CutToLineEnd:
        model.select(cursor, model.size());
        return cut(model, clipboard);
    case Command::CutLine:
        model.selectAll();
        return cut(model, clipboard);
    }
}

LineModel::Run runOf(Command command, bool selected)
{
    if (selected)
        return Run::None;
    return command == Command::DeleteCharacterBack ? Run::Backspace
           : command == Command::DeleteCharacterOn ? Run::Delete
                                                   : Run::None;
}
