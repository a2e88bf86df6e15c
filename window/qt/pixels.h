// The design's twips as Qt's device-independent pixels.
#pragma once

#include "window/twips.h"

#include <QRect>
#include <QSize>

[[nodiscard]] inline QSize toPixels(const TwipsSize& size)
{
    return {twipsToPixels(size.width), twipsToPixels(size.height)};
}

[[nodiscard]] inline QRect toPixels(const TwipsRect& rect)
{
    return {twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width), twipsToPixels(rect.height)};
}
