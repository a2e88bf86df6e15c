// The program's one window as a web page.
#include "window/web/form1.h"

#include "runtime/errors.h"
#include "window/command1_click.h"
#include "window/form1_behaviour.h"
#include "window/form1_design.h"
#include "window/form1_layout.h"
#include "window/prompt_colour.h"
#include "window/web/line_fields.h"
#include "window/web/page_api.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

namespace {

namespace design = form1_design;
namespace behaviour = form1_behaviour;

// The document order is the design order, and browsers walk it for Tab.
static_assert(behaviour::designOrderIsTabOrder(), "the design order gives the tab order");
// No form element and no key handlers of the page's own: nothing is default or cancel button, and a
// focused button takes Enter as every browser's buttons do.
static_assert(!behaviour::kHasDefaultButton && !behaviour::kHasCancelButton);
static_assert(behaviour::enterClicksFocusedButton(behaviour::Platform::Web));
// The page's inputs have no maxLength: every text box takes a line of any length.
static_assert(!behaviour::kTextBoxLengthLimit);

int index(Control control)
{
    return static_cast<int>(control);
}

template <typename Text> int length(const Text& text)
{
    return static_cast<int>(text.size());
}

void addControl(const ControlDesign& control)
{
    const int at = index(control.control);
    const auto& name = control.name;
    const bool tabStop = behaviour::takesTabStop(control.control);
    switch (control.kind) {
    case ControlKind::Label:
        page_addLabel(at, name.data(), length(name), control.text.data(), length(control.text));
        break;
    case ControlKind::TextBox:
        page_addTextBox(at, name.data(), length(name), tabStop);
        break;
    case ControlKind::Button:
        page_addButton(at, name.data(), length(name), control.text.data(), length(control.text), tabStop);
        break;
    }
}

void describeForScreenReaders()
{
    page_describeWindow(behaviour::kWindowDescription.data(), length(behaviour::kWindowDescription));
    for (const ControlDesign& control : design::kControls) {
        if (control.kind == ControlKind::Label)
            continue; // named by its own text
        const behaviour::ScreenReaderText said = behaviour::screenReaderText(control.control);
        page_describeControl(index(control.control), said.name.data(), length(said.name), said.description.data(),
                             length(said.description));
    }
    // The prompt labels the input field, so that a reader can follow the label to it.
    page_labelField(index(Control::Label1), index(Control::Text1));
}

void layOut()
{
    // CSS pixels are those of the design's DPI; the browser scales them with its zoom.
    const Form1Layout layout = layOutForm1(kDesignDpi, [](Control control) {
        Size room{};
        page_captionRoom(index(control), &room.width, &room.height);
        return room;
    });
    for (const ControlDesign& control : design::kControls) {
        const Rect& place = layout.place(control.control);
        page_place(index(control.control), place.left, place.top, place.width, place.height);
    }
    page_setClientArea(layout.clientArea.width, layout.clientArea.height);
}

int field(Field which)
{
    return index(design::controlFor(which));
}

RuntimeError refused(const char* what)
{
    return {ErrorKind::FieldRefused, what};
}

// The page's one window, which its events reach through the exports below.
Form1* g_form1 = nullptr;

} // namespace

// What the page calls on its events (page_controls.js).
extern "C" {

EMSCRIPTEN_KEEPALIVE void hexdec_click()
{
    g_form1->click();
}

EMSCRIPTEN_KEEPALIVE void hexdec_applyPromptColour()
{
    g_form1->applyPromptColour();
}
}

Form1::Form1()
{
    g_form1 = this;
    page_setCaption(design::kCaption.data(), length(design::kCaption));
    for (const ControlDesign& control : design::kControls)
        addControl(control);
    describeForScreenReaders();
    applyPromptColour();
    layOut();
    page_wrapTabOrder(index(behaviour::kTabOrder.front()), index(behaviour::kTabOrder.back()));
}

void Form1::click()
{
    if (const int status = clickCommand1(*this))
        page_end(status);
}

void Form1::applyPromptColour()
{
    const int background = page_background();
    const Rgb colour =
        promptColour({static_cast<std::uint8_t>(background >> 16), static_cast<std::uint8_t>(background >> 8),
                      static_cast<std::uint8_t>(background)});
    page_setTextColour(index(Control::Label1), colour.red << 16 | colour.green << 8 | colour.blue);
}

std::u16string Form1::text(Field which) const
{
    if (!page_fieldConnected(field(which)))
        throw refused("the field would not give its text");
    return lineOf(field(which)).line();
}

void Form1::setText(Field which, const std::u16string& text)
{
    if (!setLineOf(field(which), text))
        throw refused("the field would not take its text");
}

void Form1::showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title)
{
    page_showMessage(prompt.data(), length(prompt), title.data(), length(title), style == MessageStyle::Critical);
}
