// The window's places at each DPI, and the room captions take in a larger font: the rule every front-end
// lays its window out by.
#include "window/form1_layout.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct LayoutCase
{
    const char* name;
    int dpi;
    std::optional<Size> promptNeeds; // the room Label1's caption needs; none: less than it has
    std::optional<Size> buttonNeeds;
    Size clientArea;
    Rect label1;
    Rect command1;
    Rect text1; // never grows
};

void PrintTo(const LayoutCase& c, std::ostream* out)
{
    *out << c.name;
}

class Form1LayoutTest : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(Form1LayoutTest, PlacesControlsAndGrowsForCaptions)
{
    const LayoutCase& c = GetParam();
    const Form1Layout layout = layOutForm1(c.dpi, [&c](Control control) {
        EXPECT_TRUE(control == Control::Label1 || control == Control::Command1) << "asked about a text box";
        const std::optional<Size>& needs = control == Control::Label1 ? c.promptNeeds : c.buttonNeeds;
        return needs.value_or(Size{1, 1});
    });
    EXPECT_EQ(layout.clientArea, c.clientArea);
    EXPECT_EQ(layout.place(Control::Label1), c.label1);
    EXPECT_EQ(layout.place(Control::Command1), c.command1);
    EXPECT_EQ(layout.place(Control::Text1), c.text1);
}

INSTANTIATE_TEST_SUITE_P(
    AtDpi, Form1LayoutTest,
    ::testing::Values(
        LayoutCase{"AsDrawnAt96", 96, {}, {}, {312, 131}, {8, 16, 233, 17}, {96, 65, 73, 25}, {8, 40, 273, 21}},
        // Halves round up: 1965 twips are 196.5 pixels at 144 DPI.
        LayoutCase{"AsDrawnAt144", 144, {}, {}, {468, 197}, {12, 24, 350, 26}, {144, 98, 110, 38}, {12, 60, 410, 32}},
        LayoutCase{"AsDrawnAt192", 192, {}, {}, {624, 262}, {16, 32, 466, 34}, {192, 131, 146, 50}, {16, 80, 546, 42}},
        // A font half as large again: the prompt outgrows the window, which grows to keep the margin.
        LayoutCase{"PromptWiderThanTheWindow", 96, Size{350, 26}, {}, {366, 131}, {8, 16, 350, 26},
                   {96, 65, 73, 25}, {8, 40, 273, 21}},
        LayoutCase{"ButtonWiderAndTaller", 96, {}, Size{90, 30}, {312, 131}, {8, 16, 233, 17}, {96, 65, 90, 30},
                   {8, 40, 273, 21}},
        LayoutCase{"ButtonReachesTheBottom", 96, {}, Size{73, 70}, {312, 143}, {8, 16, 233, 17}, {96, 65, 73, 70},
                   {8, 40, 273, 21}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

} // namespace
