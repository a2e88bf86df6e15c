// Room for captions, one rule for every toolkit: the design was drawn for a small 8-point font, and
// the platform's default font may be wider, so a caption may need more room than its control has.
#pragma once

#include <algorithm>

struct PixelSize
{
    int width;
    int height;
};

struct PixelRect
{
    int left;
    int top;
    int width;
    int height;
};

// The design rectangle, widened and heightened to at least needed, but never past the client
// area's right or bottom edge. The top-left corner stays where the design puts it.
[[nodiscard]] constexpr PixelRect grownToFit(const PixelRect& design, const PixelSize& needed,
                                             const PixelSize& clientArea)
{
    const int width = std::max(design.width, std::min(needed.width, clientArea.width - design.left));
    const int height = std::max(design.height, std::min(needed.height, clientArea.height - design.top));
    return {design.left, design.top, width, height};
}
