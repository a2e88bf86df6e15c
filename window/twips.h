// The window's design is measured in twips; windows are placed in pixels.
#pragma once

// The design was drawn at 96 dots per inch, 15 twips to the pixel; both toolkits scale these
// pixels up on high-DPI screens.
inline constexpr int kTwipsPerPixel = 15;

// To the nearest whole pixel, so 980 twips (65.3 pixels) lands on 65.
[[nodiscard]] constexpr int twipsToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct TwipsSize
{
    int width;
    int height;
};

struct TwipsRect
{
    int left;
    int top;
    int width;
    int height;
};
