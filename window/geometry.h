// Sizes and rectangles, in whichever unit the name of the variable says: the design's twips, or pixels.
#pragma once

struct Size
{
    int width;
    int height;

    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect
{
    int left;
    int top;
    int width;
    int height;

    [[nodiscard]] constexpr int right() const { return left + width; }
    [[nodiscard]] constexpr int bottom() const { return top + height; }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// The one rule from the design's twips to pixels: 1440 twips to the inch, so at 96 dots per inch, the
// DPI the design was drawn at, 15 twips make a pixel. To the nearest pixel, halves up: 980 twips are
// 65 pixels at 96 DPI and 98 at 144.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96;

[[nodiscard]] constexpr int twipsToPixels(int twips, int dpi)
{
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

[[nodiscard]] constexpr Size twipsToPixels(const Size& twips, int dpi)
{
    return {twipsToPixels(twips.width, dpi), twipsToPixels(twips.height, dpi)};
}

[[nodiscard]] constexpr Rect twipsToPixels(const Rect& twips, int dpi)
{
    return {twipsToPixels(twips.left, dpi), twipsToPixels(twips.top, dpi), twipsToPixels(twips.width, dpi),
            twipsToPixels(twips.height, dpi)};
}
