// Text between the page and the window.
#include "window/web/handed_text.h"

#include <emscripten/emscripten.h>

std::u16string& handedText()
{
    static std::u16string text;
    return text;
}

extern "C" {

// Room for length code units that the page hands over next.
EMSCRIPTEN_KEEPALIVE char16_t* hexdec_handOver(int length)
{
    handedText().assign(static_cast<std::size_t>(length), u'\0');
    return handedText().data();
}

EMSCRIPTEN_KEEPALIVE const char16_t* hexdec_handed()
{
    return handedText().data();
}
}
