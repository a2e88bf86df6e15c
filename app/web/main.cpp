// Starts the page's program: the window on the page, kept for as long as the page is open.
#include "window/web/form1.h"

#include <emscripten/emscripten.h>

namespace {

Form1* form1 = nullptr;

} // namespace

// What the page calls on its events.
extern "C" {

EMSCRIPTEN_KEEPALIVE void hexdec_click()
{
    form1->click();
}

EMSCRIPTEN_KEEPALIVE void hexdec_applyPromptColour()
{
    form1->applyPromptColour();
}
}

int main()
{
    static Form1 window;
    form1 = &window;
    return 0; // the runtime stays, for the page's events
}
