// The rule both windows use to give a caption room: grow to fit, keep the corner, stop at the edge.
#include "window/grown_to_fit.h"

#include <gtest/gtest.h>

namespace {

constexpr PixelSize kClientArea{312, 131}; // the design's client area at 96 DPI
constexpr PixelRect kButton{96, 65, 73, 25};

struct FitCase
{
    const char* name;
    PixelRect design;
    PixelSize needed;
    PixelRect expected;
};

void PrintTo(const FitCase& c, std::ostream* out)
{
    *out << c.name;
}

class GrownToFit : public ::testing::TestWithParam<FitCase>
{
};

TEST_P(GrownToFit, GrowsWithinTheClientArea)
{
    const PixelRect grown = grownToFit(GetParam().design, GetParam().needed, kClientArea);
    const PixelRect& expected = GetParam().expected;
    EXPECT_EQ(grown.left, expected.left);
    EXPECT_EQ(grown.top, expected.top);
    EXPECT_EQ(grown.width, expected.width);
    EXPECT_EQ(grown.height, expected.height);
}

INSTANTIATE_TEST_SUITE_P(
    Caption, GrownToFit,
    ::testing::Values(FitCase{"FitsAsDrawn", kButton, {40, 13}, kButton},
                      FitCase{"Wider", kButton, {90, 13}, {96, 65, 90, 25}},
                      FitCase{"Taller", kButton, {40, 30}, {96, 65, 73, 30}},
                      FitCase{"StopsAtRightAndBottomEdges", kButton, {400, 100}, {96, 65, 216, 66}},
                      // Text3 lies below the client area: it keeps its design size, never shrinks.
                      FitCase{"BelowTheClientArea", {8, 176, 233, 25}, {300, 40}, {8, 176, 300, 25}}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return info.param.name; });

} // namespace
