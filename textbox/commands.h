// The editing commands of a text box, each a plain function on its line model. Which key gives which
// command on each platform is data (key_rules.h); what the platforms' boxes do differently when they
// carry a command out is the Conventions below.
#pragma once

#include "textbox/line_model.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class Command : std::uint8_t
{
    CharacterBack,
    CharacterOn,
    WordBack,
    WordOn,
    LineStart,
    LineEnd,
    SelectCharacterBack,
    SelectCharacterOn,
    SelectWordBack,
    SelectWordOn,
    SelectLineStart,
    SelectLineEnd,
    SelectAll,
    DeleteCharacterBack, // Backspace
    DeleteCharacterOn,   // Delete
    DeleteWordBack,
    DeleteWordOn,
    DeleteToLineStart,
    DeleteToLineEnd,
    DeleteSelection,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    CutToLineEnd, // the selection set from the cursor to the line's end, then cut
    CutLine,      // the whole line selected, then cut
};

// The command of a name, as the editing scenarios and the page call it ("SelectAll").
[[nodiscard]] std::optional<Command> commandNamed(std::string_view name);

// Where a box's cursor stops in line from position, forward or back: a toolkit's own rule.
using StopRule = int (*)(std::u16string_view line, int position, bool forward);

// How one platform's text boxes carry the commands out, where platforms differ.
struct Conventions
{
    LineModel::WordStop wordStop;
    bool arrowCollapsesSelection;     // Left or Right with a selection go to its start or end, not on from the cursor
    bool wordDeleteExtendsSelection;  // deleting by word with a selection deletes the selection and a word more
    StopRule characterStop = nullptr; // where a toolkit decides where characters and words end; else the model
    StopRule wordStopRule = nullptr;
};

// The platform's clipboard, as the commands use it.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    // Its text, or nothing when it holds none.
    [[nodiscard]] virtual std::optional<std::u16string> text() = 0;
    virtual void setText(std::u16string text) = 0;
};

// Carries command out on model. Copy and Cut put a selection on clipboard, and leave it alone when nothing
// is selected; Paste replaces the selection with the clipboard's text made one line (pasted_text.h).
void run(Command command, LineModel& model, const Conventions& conventions, Clipboard& clipboard);

// The run of keystrokes an edit by command belongs to, for a box that makes the edit itself.
[[nodiscard]] LineModel::Run runOf(Command command, bool selected);
