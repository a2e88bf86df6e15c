// The view of a long line in a native box: where its stretch lies, when it moves, and how the box's own
// edits and selections come back into the line. The scenarios (scenarios_test.cpp) cover the rest.
#include "textbox/stretch_view.h"

#include <gtest/gtest.h>

namespace {

using Run = LineModel::Run;
using Text = StretchView::Update::Text;

constexpr FieldSizes kSmall{16, 4, 2};

struct StretchCase
{
    const char* name;
    std::u16string_view line;
    int cursor;
    Stretch stretch;
};

// About twice the side around the cursor, held to the line, and a surrogate pair at either end taken whole.
const StretchCase kStretches[] = {
    {"ShortLineWhole", u"0123456789abcdef", 3, {0, 16}},
    {"AroundTheCursor", u"0123456789abcdefghij", 10, {6, 14}},
    {"HeldToTheStart", u"0123456789abcdefghij", 1, {0, 8}},
    {"HeldToTheEnd", u"0123456789abcdefghij", 20, {12, 20}},
    {"PairAtTheStart", u"012345\U0001F600789abcdefghij", 11, {6, 15}},
    {"PairAtTheEnd", u"0123456789abc\U0001F600efghij", 10, {6, 15}},
};

class Stretches : public testing::TestWithParam<StretchCase>
{
};

TEST_P(Stretches, StartAndEndBetweenCharacters)
{
    LineModel model;
    StretchView view(model, kSmall);
    model.setLine(std::u16string(GetParam().line));
    model.moveTo(GetParam().cursor, false);
    const StretchView::Update update = view.update();
    EXPECT_EQ(update.text, Text::Replaced);
    EXPECT_EQ(view.shown(), GetParam().stretch);
    EXPECT_EQ(update.stretchText, GetParam().line.substr(static_cast<std::size_t>(GetParam().stretch.start),
                                                         static_cast<std::size_t>(GetParam().stretch.size())));
    EXPECT_EQ(view.update().text, Text::Kept) << "a stretch that serves stays";
}

INSTANTIATE_TEST_SUITE_P(Line, Stretches, testing::ValuesIn(kStretches),
                         [](const auto& info) { return std::string(info.param.name); });

struct Viewed
{
    LineModel model;
    StretchView view{model, kSmall};

    explicit Viewed(int cursor)
    {
        model.setLine(u"0123456789abcdefghij");
        model.moveTo(cursor, false);
        (void)view.update(); // [6, 14)
    }
};

TEST(StretchView, MovesNearAnEndWithMoreBeyondButNotWhileComposingOrUnderTheMouse)
{
    Viewed viewed(10);
    viewed.model.moveTo(8, false);
    EXPECT_EQ(viewed.view.update().text, Text::Kept);
    viewed.view.compositionStarts();
    viewed.model.moveTo(7, false); // within the margin of a start with more before it
    EXPECT_EQ(viewed.view.update().text, Text::Kept);
    viewed.view.compositionEnds();
    viewed.view.setPointerDown(true);
    EXPECT_EQ(viewed.view.update().text, Text::Kept);
    viewed.view.setPointerDown(false);
    EXPECT_EQ(viewed.view.update().text, Text::Replaced);
    EXPECT_EQ(viewed.view.shown(), (Stretch{3, 11}));
}

TEST(StretchView, AnEditInsideTheStretchIsOneReplacementOfTheBoxsText)
{
    Viewed viewed(10);
    viewed.model.replace(9, 11, u"XYZ");
    const StretchView::Update update = viewed.view.update();
    ASSERT_EQ(update.text, Text::Edited);
    EXPECT_EQ(update.editStart, 3);
    EXPECT_EQ(update.editEnd, 5);
    EXPECT_EQ(update.editText, u"XYZ");
    EXPECT_EQ(update.cursor, 6);
    EXPECT_EQ(viewed.view.shown(), (Stretch{6, 15}));
    viewed.model.replace(1, 2, u"");
    EXPECT_EQ(viewed.view.update().text, Text::Replaced) << "an edit outside the stretch";
}

// A box showing a stretch of a long line tells what it holds now; the model edits the whole line.
TEST(StretchView, TakesABoxsEditOfAStretch)
{
    LineModel model;
    model.setLine(u"FE 00 00 01 02 03 04 05");
    Stretch shown{3, 11};   // "00 00 01"
    model.moveTo(5, false); // after the first 00
    takeBoxEdit(model, shown, u"000 00 01", Run::Typing);
    EXPECT_EQ(model.line(), u"FE 000 00 01 02 03 04 05");
    EXPECT_EQ(model.cursor(), 6) << "a 0 typed after 00 goes after it, not before";
    EXPECT_EQ(shown.end, 12);
    takeBoxEdit(model, shown, u"00 00 01", Run::Backspace);
    EXPECT_EQ(model.line(), u"FE 00 00 01 02 03 04 05");
    model.undo();
    EXPECT_EQ(model.line(), u"FE 000 00 01 02 03 04 05") << "typing and Backspace are runs apart";
}

TEST(StretchView, KeepsAnAnchorOutsideTheStretch)
{
    Viewed viewed(20);
    viewed.model.selectAll(); // the anchor far before the stretch [12, 20)
    (void)viewed.view.update();
    viewed.view.boxSelected(0, 7); // Shift+Left in the box, which showed [0, 8) selected
    EXPECT_EQ(viewed.model.anchor(), 0);
    EXPECT_EQ(viewed.model.cursor(), 19);
    viewed.view.boxSelected(3, 3);
    EXPECT_EQ(viewed.model.anchor(), 15);
    EXPECT_EQ(viewed.model.cursor(), 15);
}

TEST(StretchView, ACompositionOverASelectionPastTheStretchStartsWithItDeleted)
{
    Viewed viewed(10);
    viewed.model.select(2, 10);
    viewed.view.compositionStarts();
    EXPECT_EQ(viewed.model.line(), u"01abcdefghij");
    EXPECT_EQ(viewed.model.cursor(), 2);
}

TEST(StretchView, AMoveUnderTheMouseToAnEdgeStaysThere)
{
    Viewed viewed(10);
    viewed.view.setPointerDown(true);
    viewed.view.boxSelected(0, 0);
    EXPECT_EQ(viewed.model.cursor(), 6);
    viewed.view.setPointerDown(false);
    viewed.view.boxSelected(8, 8);
    EXPECT_EQ(viewed.model.cursor(), 20) << "the stretch's end reached from afar, not by the mouse";
}

} // namespace
