// How the main window behaves, for every front-end. Each window reads this and the design beside it
// (form1_design.h), and states none of it in its own code.
#pragma once

#include "window/form1_design.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace form1_behaviour {

// Room for captions: the design was drawn for a small 8-point font, and the platform's font may be
// larger. Label1 and Command1 grow to show their captions whole, and the window grows with them
// (form1_layout.h), so no caption is ever clipped at any font size or DPI. Text boxes keep their size.
[[nodiscard]] constexpr bool growsToFitCaption(Control control)
{
    return form1_design::design(control).kind != ControlKind::TextBox;
}

// Tab walks these controls in this order, and on from the last to the first; the focus starts in the
// first. Label1 takes no focus. Text3, below the visible area, takes no tab stop, so that Tab never
// loses the focus where the user cannot see it; a click can still put the focus there.
inline constexpr std::array kTabOrder{Control::Text1, Control::Text2, Control::Command1};

[[nodiscard]] constexpr bool takesTabStop(Control control)
{
    for (const Control stop : kTabOrder)
        if (stop == control)
            return true;
    return false;
}

// Whether the controls with a tab stop come in kControls in the Tab order: front-ends that walk their
// controls in the order they were made (Win32 keyboard navigation, a page's document order) rely on it.
[[nodiscard]] constexpr bool designOrderIsTabOrder()
{
    std::size_t next = 0;
    for (const ControlDesign& control : form1_design::kControls)
        if (takesTabStop(control.control) && (next == kTabOrder.size() || kTabOrder[next++] != control.control))
            return false;
    return next == kTabOrder.size();
}

// Keys. No button is the window's default button or its cancel button, so Enter in a text box, and Esc
// anywhere, convert nothing. Space on the focused button clicks it everywhere. Enter on the focused
// button follows the platform: on Windows, and in browsers, a focused push button is pressed by Enter
// as well; the Linux toolkit's buttons outside dialogs take only Space.
inline constexpr bool kHasDefaultButton = false;
inline constexpr bool kHasCancelButton = false;

enum class Platform { Linux, Windows, Web };

[[nodiscard]] constexpr bool enterClicksFocusedButton(Platform platform)
{
    return platform != Platform::Linux;
}

// Text boxes take a line of any length: none keeps a toolkit's default limit, which would cut a pasted
// line without a word.
inline constexpr std::optional<int> kTextBoxLengthLimit = std::nullopt;

// What screen readers call each control and say about it. Text1 is named by the prompt, because Label1
// labels it; each window ties the two together as its platform does, so that a reader can also follow
// the label to the field. Command1 is named by its caption. Text3 cannot be hidden from a reader that
// walks the whole window, so its name and description say what it is and where the output really is.
struct ScreenReaderText
{
    std::u16string_view name;
    std::u16string_view description;
};

inline constexpr std::u16string_view kWindowDescription = u"Converts hexadecimal byte values to decimal.";

[[nodiscard]] constexpr ScreenReaderText screenReaderText(Control control)
{
    switch (control) {
    case Control::Label1:
        return {form1_design::kPrompt, {}};
    case Control::Text1:
        return {form1_design::kPrompt, u"Hexadecimal values separated by spaces. Every value but the last one is "
                                       u"converted; end the line with a space to include it."};
    case Control::Text2:
        return {u"Decimal values", u"The output of the conversion: the values in decimal, separated by spaces."};
    case Control::Command1:
        return {form1_design::kConvert, u"Converts the hexadecimal values to decimal and shows them in Decimal values."};
    case Control::Text3:
        return {u"Conversion result", u"Working field of the conversion, below the visible part of the window and "
                                      u"empty between conversions. The output is in Decimal values."};
    }
    return {};
}

// An error that the conversion does not trap itself (a field that refuses its text, memory running
// out) is shown in a modal box, critical-stop icon and one OK button, with the error's description
// and the window's caption as its title; after OK the program ends with this status. The same on
// every front-end: command1_click.h.
inline constexpr int kUntrappedErrorStatus = 1;

} // namespace form1_behaviour
