// The line of each text box on the page, and what the page's inputs call to view and edit it; text goes
// both ways as handed text (handed_text.h).
#include "window/web/line_fields.h"

#include "textbox/key_rules.h"
#include "textbox/stretch_view.h"
#include "window/field_sizes.h"
#include "window/form1_design.h"
#include "window/web/handed_text.h"
#include "window/web/page_api.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <utility>

namespace {

struct LineField
{
    LineModel model;
    StretchView view{model, field_sizes::kPage};
};

std::array<LineField, form1_design::kControls.size()> g_fields;

// What the input is to take and show now (line_field.js, show), as StretchView::Update says it.
struct View
{
    std::int32_t text, editStart, editEnd; // StretchView::Update::Text, and the part of the input an edit replaces
    const char16_t* taken;                 // the stretch's text, or the edit's
    std::int32_t takenLength, anchor, cursor, selectionChanged;
};
View g_view;

// A browser's clipboard is only read and written in its paste, copy and cut events: the text they bring,
// or take, is the handed text.
class HandedClipboard : public Clipboard
{
public:
    std::optional<std::u16string> text() override { return std::move(handedText()); }
    void setText(std::u16string text) override
    {
        handedText() = std::move(text);
        copied = true;
    }
    bool copied = false;
};

LineField& field(int control)
{
    return g_fields.at(static_cast<std::size_t>(control));
}

// Carries command out on control's line as platform's boxes do; true when it put text on the clipboard.
bool carryOut(int control, Command command, int platform)
{
    HandedClipboard clipboard;
    run(command, field(control).model, rulesOn(platform).conventions, clipboard);
    return clipboard.copied;
}

} // namespace

const KeyRules& rulesOn(int platform)
{
    return platform == 2   ? key_rules::kBrowserMac
           : platform == 1 ? key_rules::kBrowserWindows
                           : key_rules::kBrowserLinux;
}

LineModel& lineOf(int control)
{
    return field(control).model;
}

Stretch shownOf(int control)
{
    return field(control).view.shown();
}

bool setLineOf(int control, std::u16string line)
{
    if (!page_fieldConnected(control))
        return false;
    field(control).model.setLine(std::move(line));
    page_showField(control);
    return true;
}

extern "C" {

// The key the handed text names, pressed on platform (0 Linux, 1 Windows, 2 a Mac): whether the field
// carried it out. A copy, a cut or a paste it leaves to the browser, which brings them as its clipboard
// events.
EMSCRIPTEN_KEEPALIVE bool hexdec_field_key(int control, int platform)
{
    const std::optional<KeyPress> press = keyPressNamed(handedText());
    const std::optional<Command> command = press ? commandFor(rulesOn(platform), *press) : std::nullopt;
    if (!command || *command == Command::Copy || *command == Command::Cut || *command == Command::Paste)
        return false;
    (void)carryOut(control, *command, platform);
    return true;
}

// The command the handed text names (an editing intent of the input's own, a copy or a cut), on platform:
// the length of the text it hands back to put on the clipboard, or -1 when it has none.
EMSCRIPTEN_KEEPALIVE int hexdec_field_command(int control, int platform)
{
    const std::optional<Command> command = commandNamed(std::string(handedText().begin(), handedText().end()));
    return command && carryOut(control, *command, platform) ? static_cast<int>(handedText().size()) : -1;
}

// The handed text typed, or pasted (made one line first).
EMSCRIPTEN_KEEPALIVE void hexdec_field_insert(int control, bool pasted)
{
    if (pasted)
        return (void)carryOut(control, Command::Paste, 0);
    field(control).model.replaceSelection(std::move(handedText()), LineModel::Run::Typing);
}

// The input made an edit of its own and now holds the handed text.
EMSCRIPTEN_KEEPALIVE void hexdec_field_took(int control)
{
    field(control).view.boxEdited(handedText(), LineModel::Run::Typing);
}

// The input's selection is now [start, end), in its own offsets.
EMSCRIPTEN_KEEPALIVE void hexdec_field_selected(int control, int start, int end)
{
    field(control).view.boxSelected(start, end);
}

EMSCRIPTEN_KEEPALIVE void hexdec_field_composing(int control, bool composing)
{
    composing ? field(control).view.compositionStarts() : field(control).view.compositionEnds();
}

EMSCRIPTEN_KEEPALIVE void hexdec_field_pointerDown(int control, bool down)
{
    field(control).view.setPointerDown(down);
}

// What the input is to take and show now. Read by the page as View.
EMSCRIPTEN_KEEPALIVE const View* hexdec_field_update(int control)
{
    const StretchView::Update update = field(control).view.update();
    const std::u16string_view taken =
        update.text == StretchView::Update::Text::Edited ? update.editText : update.stretchText;
    g_view = {static_cast<std::int32_t>(update.text),  update.editStart, update.editEnd, taken.data(),
              static_cast<std::int32_t>(taken.size()), update.anchor,    update.cursor,  update.selectionChanged};
    return &g_view;
}
}
