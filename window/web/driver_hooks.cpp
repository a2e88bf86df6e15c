// What the page's tests and benchmarks ask of the window's text boxes, beyond what a person can do: a
// line set and selected at once, the line read back with the stretch its input holds, and the key the
// page's own rules give a command.
#include "textbox/key_rules.h"
#include "window/web/handed_text.h"
#include "window/web/line_fields.h"
#include "window/web/page_api.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <utility>

extern "C" {

// The handed text becomes the line, as a program sets a text box's text.
EMSCRIPTEN_KEEPALIVE void hexdec_field_setLine(int control)
{
    setLineOf(control, std::move(handedText()));
}

// Selects [anchor, cursor) of the whole line.
EMSCRIPTEN_KEEPALIVE void hexdec_field_select(int control, int anchor, int cursor)
{
    lineOf(control).select(anchor, cursor);
    page_showField(control);
}

// The line (handed back), its selection, and the stretch the input holds.
EMSCRIPTEN_KEEPALIVE const std::int32_t* hexdec_field_state(int control)
{
    static std::array<std::int32_t, 5> state;
    const LineModel& model = lineOf(control);
    handedText() = model.line();
    state = {model.anchor(), model.cursor(), model.size(), shownOf(control).start, shownOf(control).end};
    return state.data();
}

// The key the handed text names, or the key that platform's rules give the
// command it names, handed back by its name; its length, or 0 for none.
EMSCRIPTEN_KEEPALIVE int hexdec_keyFor(int platform)
{
    const std::optional<Command> command = commandNamed(std::string(handedText().begin(), handedText().end()));
    std::optional<KeyPress> press = keyPressNamed(handedText());
    if (!press && command)
        press = pressFor(rulesOn(platform), *command);
    handedText() = press ? nameOf(*press) : u"";
    return static_cast<int>(handedText().size());
}
}
