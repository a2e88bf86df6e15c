// The fixed design of the main window: its controls, their texts, their places measured from the
// top-left corner of the client area, in twips, and the text box of each of the core's fields. What the
// controls do is in form1_behaviour.h.
#pragma once

#include "runtime/errors.h"
#include "runtime/form.h"
#include "window/geometry.h"

#include <array>
#include <cstddef>
#include <string_view>

enum class Control { Label1, Text1, Text2, Command1, Text3 };
enum class ControlKind { Label, TextBox, Button };

struct ControlDesign
{
    Control control;
    std::string_view name; // the control's name, which tests and tools find it by
    ControlKind kind;
    Rect place;                // twips
    std::u16string_view text;  // the caption of a label or button; the content at start of a text box
};

namespace form1_design {

inline constexpr std::u16string_view kCaption = u"Vantrel Hex to Decimal Converter";
inline constexpr std::u16string_view kPrompt = u"Enter you Filter Code (ex.FE FE 00 90 01 05 FD)";
inline constexpr std::u16string_view kConvert = u"Convert";

inline constexpr Size kClientArea{4680, 1965};

// In the order screen readers meet them; the Tab order is form1_behaviour::kTabOrder. Text3 lies
// below the client area's bottom edge (1965), where the user never sees it.
inline constexpr std::array kControls{
    ControlDesign{Control::Label1, "Label1", ControlKind::Label, {120, 240, 3495, 255}, kPrompt},
    ControlDesign{Control::Text1, "Text1", ControlKind::TextBox, {120, 600, 4095, 315}, u""},
    ControlDesign{Control::Text2, "Text2", ControlKind::TextBox, {120, 1440, 4095, 315}, u""},
    ControlDesign{Control::Command1, "Command1", ControlKind::Button, {1440, 980, 1095, 375}, kConvert},
    ControlDesign{Control::Text3, "Text3", ControlKind::TextBox, {120, 2640, 3495, 375}, u""},
};

[[nodiscard]] constexpr const ControlDesign& design(Control control)
{
    return kControls[static_cast<std::size_t>(control)];
}

// The text box that holds field.
[[nodiscard]] constexpr Control controlFor(Field field)
{
    switch (field) {
    case Field::Text1:
        return Control::Text1;
    case Field::Text2:
        return Control::Text2;
    case Field::Text3:
        return Control::Text3;
    }
    throw RuntimeError(ErrorKind::FieldRefused, "no such field");
}

static_assert([] {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (static_cast<std::size_t>(kControls[i].control) != i)
            return false;
    return true;
}(), "kControls is indexed by Control");

} // namespace form1_design
