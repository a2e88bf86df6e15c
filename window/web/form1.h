// The program's one window as a web page: the design's controls on the page, the click that converts,
// and the message box, over the core compiled to WebAssembly.
#pragma once

#include "runtime/form.h"

class Form1 : public Form
{
public:
    // Puts the controls on the page, laid out and named as the design says, with the focus in the first.
    Form1();

    // What a click of Command1 does; the page never starts a second one while one is under way.
    void click();
    // Pure blue, or the readable blue for the page's background; again whenever the background changes.
    void applyPromptColour();

    [[nodiscard]] std::u16string text(Field field) const override;
    void setText(Field field, const std::u16string& text) override;
    void showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title) override;
};
