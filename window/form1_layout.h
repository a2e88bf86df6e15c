// Where the main window's controls go at a given DPI, and how big its client area is.
#pragma once

#include "window/form1_behaviour.h"
#include "window/form1_design.h"
#include "window/geometry.h"

#include <algorithm>
#include <array>
#include <cstddef>

struct Form1Layout
{
    Size clientArea;              // pixels
    std::array<Rect, 5> places;   // pixels, indexed by Control

    [[nodiscard]] constexpr const Rect& place(Control control) const
    {
        return places[static_cast<std::size_t>(control)];
    }
};

// The design's twips as pixels at dpi. A control whose caption grows to fit takes at least the room
// captionRoom(control) says its caption needs in the platform's font, keeping its top-left corner; the
// client area then grows so that every such control lies inside it with the design's left margin to
// spare on the right and below. captionRoom is asked only about those controls.
template <typename CaptionRoom> [[nodiscard]] constexpr Form1Layout layOutForm1(int dpi, CaptionRoom&& captionRoom)
{
    using namespace form1_design;
    const int margin = twipsToPixels(design(Control::Label1).place.left, dpi);
    Form1Layout layout{twipsToPixels(kClientArea, dpi), {}};
    for (const ControlDesign& control : kControls) {
        Rect place = twipsToPixels(control.place, dpi);
        if (form1_behaviour::growsToFitCaption(control.control)) {
            const Size needed = captionRoom(control.control);
            place.width = std::max(place.width, needed.width);
            place.height = std::max(place.height, needed.height);
            layout.clientArea.width = std::max(layout.clientArea.width, place.right() + margin);
            layout.clientArea.height = std::max(layout.clientArea.height, place.bottom() + margin);
        }
        layout.places[static_cast<std::size_t>(control.control)] = place;
    }
    return layout;
}
