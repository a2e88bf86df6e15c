// Text between the page and the window: the page hands text over into this buffer (hexdec_handOver)
// before a call that takes it, and reads what a call hands back from it (hexdec_handed). UTF-16 code
// units, each as it was, a lone surrogate included.
#pragma once

#include <string>

[[nodiscard]] std::u16string& handedText();
