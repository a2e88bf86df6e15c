// The prompt's colour on a given window background: the design's pure blue wherever it reads well, and
// elsewhere (a dark desktop theme) the blue nearest to it that does. Toolkit-free, for every front-end.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

struct Rgb
{
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kDesignBlue{0, 0, 255};

// The contrast that text of ordinary size needs to be read comfortably (WCAG 2, level AA).
inline constexpr double kReadableContrast = 4.5;

// Relative luminance as WCAG 2 defines it for sRGB colours: 0 for black, 1 for white.
[[nodiscard]] inline double relativeLuminance(Rgb colour)
{
    const auto linear = [](std::uint8_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

// From 1 (the same luminance) to 21 (black on white).
[[nodiscard]] inline double contrastRatio(Rgb first, Rgb second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// Pure blue when it reaches kReadableContrast against background. Otherwise the first blue that does,
// moving away from pure blue a step at a time along its hue, towards white (lighter, for dark
// backgrounds) and towards black (darker, for mid-grey ones) at once. Every background reaches the
// contrast at one end or the other; the search still ends on the better end if rounding ever says no.
[[nodiscard]] inline Rgb promptColour(Rgb background)
{
    if (contrastRatio(kDesignBlue, background) >= kReadableContrast)
        return kDesignBlue;
    for (int step = 1; step <= 255; ++step) {
        const auto level = static_cast<std::uint8_t>(step);
        const Rgb lighter{level, level, 255};
        const Rgb darker{0, 0, static_cast<std::uint8_t>(255 - step)};
        const double lighterContrast = contrastRatio(lighter, background);
        const double darkerContrast = contrastRatio(darker, background);
        if (std::max(lighterContrast, darkerContrast) >= kReadableContrast)
            return lighterContrast >= darkerContrast ? lighter : darker;
    }
    return contrastRatio(Rgb{255, 255, 255}, background) >= contrastRatio(Rgb{0, 0, 0}, background) ? Rgb{255, 255, 255}
                                                                                                    : Rgb{0, 0, 0};
}
