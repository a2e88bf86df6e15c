// The window's design is measured in twips; Qt places widgets in device-independent pixels.
#pragma once

#include <QRect>
#include <QSize>

// The design was drawn at 96 dots per inch; Qt scales these pixels up on high-DPI screens.
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

[[nodiscard]] inline QSize toPixels(const TwipsSize& size)
{
    return {twipsToPixels(size.width), twipsToPixels(size.height)};
}

[[nodiscard]] inline QRect toPixels(const TwipsRect& rect)
{
    return {twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width), twipsToPixels(rect.height)};
}
