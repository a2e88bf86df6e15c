// The line of each text box on the page, and what the page's inputs call to view and edit it.
#include "window/web/line_fields.h"

#include "window/field_sizes.h"
#include "window/form1_behaviour.h"
#include "window/form1_design.h"
#include "window/web/page_api.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace {

// A text box's line, and the stretch of it that its input holds.
struct LineField
{
    LineModel model;
    LineModel::Stretch shown;
    bool stale = false; // the line changed since the input last took it
};

std::array<LineField, form1_design::kControls.size()> g_fields = [] {
    std::array<LineField, form1_design::kControls.size()> fields;
    for (LineField& field : fields)
        field.model.onChange([&field](int, std::u16string_view, std::u16string_view) { field.stale = true; });
    return fields;
}();

std::u16string g_handed; // text the page hands over: an input's value, a paste, a typed character

// What the page reads back after a call (line_field.js, readView).
struct View
{
    std::int32_t shownStart;
    std::int32_t shownEnd;
    std::int32_t anchor;
    std::int32_t cursor;
    std::int32_t size;
    std::int32_t textChanged; // the input must take the stretch's text anew
    const char16_t* line;
};
View g_view;

LineField& field(int control)
{
    return g_fields.at(static_cast<std::size_t>(control));
}

// Commands of the page's keys and menus, as line_field.js numbers them.
enum class Command
{
    LineStart,
    LineEnd,
    SelectAll,
    Undo,
    Redo,
    WordBack,
    WordOn,
    CharacterBack,
    CharacterOn,
    DeleteSelection
};

} // namespace

LineModel& lineOf(int control)
{
    return field(control).model;
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

// Room for length code units that the page hands over next.
EMSCRIPTEN_KEEPALIVE char16_t* hexdec_field_handOver(int length)
{
    g_handed.assign(static_cast<std::size_t>(length), u'\0');
    return g_handed.data();
}

// The input now holds the handed text, after an edit of the kind run (a LineModel::Run).
EMSCRIPTEN_KEEPALIVE void hexdec_field_took(int control, int run)
{
    LineField& shown = field(control);
    shown.model.takeEdit(shown.shown, g_handed, static_cast<LineModel::Run>(run));
    shown.stale = false; // the input holds the edit already
}

// The input's selection is now [start, end), in its own offsets.
EMSCRIPTEN_KEEPALIVE void hexdec_field_selected(int control, int start, int end)
{
    LineField& shown = field(control);
    shown.model.takeSelection(shown.shown, start, end);
}

// The handed text becomes the line, as a program sets a text box's text; for the page's drivers.
EMSCRIPTEN_KEEPALIVE void hexdec_field_setLine(int control)
{
    setLineOf(control, g_handed);
}

// Selects [anchor, cursor) of the whole line; for the page's drivers.
EMSCRIPTEN_KEEPALIVE void hexdec_field_select(int control, int anchor, int cursor)
{
    field(control).model.select(anchor, cursor);
    page_showField(control);
}

// The handed text replaces the selection, as typed (run) or pasted (made one line first).
EMSCRIPTEN_KEEPALIVE void hexdec_field_insert(int control, int run, bool pasted)
{
    LineModel& model = field(control).model;
    model.replaceSelection(pasted ? form1_behaviour::lineOfPastedText(std::move(g_handed)) : std::move(g_handed),
                           static_cast<LineModel::Run>(run));
}

EMSCRIPTEN_KEEPALIVE void hexdec_field_command(int control, int command, bool extend)
{
    LineModel& model = field(control).model;
    const int cursor = model.cursor();
    switch (static_cast<Command>(command)) {
    case Command::LineStart:
        return model.moveTo(0, extend);
    case Command::LineEnd:
        return model.moveTo(model.size(), extend);
    case Command::SelectAll:
        return model.selectAll();
    case Command::Undo:
        return model.undo();
    case Command::Redo:
        return model.redo();
    case Command::WordBack:
        return model.moveTo(model.previousWord(cursor), extend);
    case Command::WordOn: // browsers on Linux stop at the word's end
        return model.moveTo(model.nextWord(cursor, LineModel::WordStop::WordEnd), extend);
    case Command::CharacterBack: // a selection collapses to its start, as in browsers
        return model.moveTo(model.hasSelection() && !extend ? model.selectionStart() : model.previousCharacter(cursor),
                            extend);
    case Command::CharacterOn:
        return model.moveTo(model.hasSelection() && !extend ? model.selectionEnd() : model.nextCharacter(cursor),
                            extend);
    case Command::DeleteSelection:
        return model.replaceSelection({});
    }
}

// What the input is to show; with show, the stretch it is to hold now (else the one it holds). Read by the
// page as View.
EMSCRIPTEN_KEEPALIVE const View* hexdec_field_view(int control, bool show)
{
    LineField& shown = field(control);
    LineModel& model = shown.model;
    const bool moves = show && (shown.stale || !model.stretchServes(shown.shown, field_sizes::kPage));
    if (moves)
        shown.shown = model.stretchFor(field_sizes::kPage);
    g_view = {shown.shown.start, shown.shown.end, model.anchor(),     model.cursor(),
              model.size(),      moves,           model.line().data()};
    shown.stale = shown.stale && !moves;
    return &g_view;
}
}
