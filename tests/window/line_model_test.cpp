// The line model: the editing scenarios acted out on it directly, and the stretch a native box shows.
#include "window/line_model.h"

#include "tests/support/field_scenarios.h"
#include "window/form1_behaviour.h"

#include <gtest/gtest.h>

namespace {

using Run = LineModel::Run;

// The model driven as a front-end drives it, by the keys of the scenarios.
class ModelDriver
{
public:
    explicit ModelDriver(LineModel& model) : m_model(model) {}

    void key(std::u16string_view name)
    {
        const bool shift = name.find(u"Shift+") != std::u16string_view::npos;
        const bool ctrl = name.find(u"Ctrl+") != std::u16string_view::npos;
        const std::u16string_view key =
            name.substr(name.rfind(u'+') == std::u16string_view::npos ? 0 : name.rfind(u'+') + 1);
        LineModel& m = m_model;
        const bool selected = m.hasSelection();
        if (key == u"Home" || key == u"End")
            m.moveTo(key == u"Home" ? 0 : m.size(), shift);
        else if ((key == u"Left" || key == u"Right") && ctrl)
            m.moveTo(key == u"Left" ? m.previousWord(m.cursor())
                                    : m.nextWord(m.cursor(), LineModel::WordStop::NextWordStart),
                     shift);
        else if (key == u"Left")
            m.moveTo(selected && !shift ? m.selectionStart() : m.previousCharacter(m.cursor()), shift);
        else if (key == u"Right")
            m.moveTo(selected && !shift ? m.selectionEnd() : m.nextCharacter(m.cursor()), shift);
        else if ((key == u"Backspace" || key == u"Delete") && selected)
            m.replaceSelection({});
        else if (key == u"Backspace")
            m.replace(m.previousCharacter(m.cursor()), m.cursor(), {}, Run::Backspace);
        else if (key == u"Delete")
            m.replace(m.cursor(), m.nextCharacter(m.cursor()), {}, Run::Delete);
        else if (key == u"SelectAll")
            m.selectAll();
        else if (key == u"Copy" || key == u"Cut") {
            if (selected)
                clipboard = m.selectedText();
            if (key == u"Cut")
                m.replaceSelection({});
        } else if (key == u"Paste")
            m.replaceSelection(form1_behaviour::lineOfPastedText(clipboard));
        else if (key == u"Undo")
            m.undo();
        else if (key == u"Redo")
            m.redo();
        else
            ADD_FAILURE() << "unknown key";
    }

    void type(std::u16string_view text)
    {
        for (std::size_t at = 0; at < text.size(); ++at) {
            const bool pair = text[at] >= 0xD800 && text[at] <= 0xDBFF && at + 1 < text.size();
            m_model.replaceSelection(std::u16string(text.substr(at, pair ? 2 : 1)), Run::Typing);
            at += pair ? 1 : 0;
        }
    }

    std::u16string clipboard;

private:
    LineModel& m_model;
};

TEST(LineModel, ActsOutEveryScenarioAtEveryLength)
{
    for (const Scenario& scenario : fieldScenarios()) {
        const std::u16string_view start = scenario.steps.front().argument;
        for (const Padding& padding : paddingsFor(shortLength(start), field_sizes::kQt.threshold)) {
            SCOPED_TRACE(scenario.name + ", " + padding.name);
            LineModel model;
            ModelDriver driver(model);
            for (const ScenarioStep& step : scenario.steps) {
                SCOPED_TRACE("field_scenarios.txt:" + std::to_string(step.lineNumber));
                if (step.verb == "start") {
                    const MarkedLine line = unmark(step.argument, padding);
                    model.setLine(line.line);
                    model.select(line.anchor, line.cursor);
                } else if (step.verb == "key") {
                    driver.key(step.argument);
                } else if (step.verb == "type") {
                    driver.type(step.argument);
                } else if (step.verb == "clip") {
                    driver.clipboard = step.argument;
                } else if (step.verb == "expect") {
                    const MarkedLine now{model.line(), model.anchor(), model.cursor()};
                    const MarkedLine expected = unmark(step.expectedFor("model"), padding);
                    ASSERT_EQ(described(now, padding), described(expected, padding));
                    ASSERT_EQ(now, expected);
                } else if (step.verb == "clipboard") {
                    ASSERT_EQ(driver.clipboard, unmark(step.argument, padding).line);
                } else {
                    FAIL() << "unknown step " << step.verb;
                }
            }
        }
    }
}

constexpr FieldSizes kSmall{16, 4, 2};

struct StretchCase
{
    const char* name;
    std::u16string_view line;
    int cursor;
    LineModel::Stretch stretch;
};

// A stretch of about twice the side around the cursor, held to the line, and taking a surrogate pair
// at either end whole.
const StretchCase kStretches[] = {
    {"short line whole", u"0123456789abcdef", 3, {0, 16}},
    {"around the cursor", u"0123456789abcdefghij", 10, {6, 14}},
    {"held to the start", u"0123456789abcdefghij", 1, {0, 8}},
    {"held to the end", u"0123456789abcdefghij", 20, {12, 20}},
    {"pair at the start", u"012345\U0001F600789abcdefghij", 11, {6, 15}},
    {"pair at the end", u"0123456789abc\U0001F600efghij", 10, {6, 15}},
};

class Stretches : public testing::TestWithParam<StretchCase>
{
};

TEST_P(Stretches, StartAndEndBetweenCharacters)
{
    LineModel model;
    model.setLine(std::u16string(GetParam().line));
    model.moveTo(GetParam().cursor, false);
    const LineModel::Stretch stretch = model.stretchFor(kSmall);
    EXPECT_EQ(stretch.start, GetParam().stretch.start);
    EXPECT_EQ(stretch.end, GetParam().stretch.end);
    EXPECT_TRUE(model.stretchServes(stretch, kSmall));
}

INSTANTIATE_TEST_SUITE_P(Line, Stretches, testing::ValuesIn(kStretches), [](const auto& info) {
    return testing::PrintToString(info.index) + "_" + std::string(info.param.name).substr(0, 4);
});

TEST(LineModel, StretchMovesNearAnEndWithMoreBeyond)
{
    LineModel model;
    model.setLine(u"0123456789abcdefghij");
    model.moveTo(10, false);
    const LineModel::Stretch shown = model.stretchFor(kSmall); // [6, 14)
    model.moveTo(8, false);
    EXPECT_TRUE(model.stretchServes(shown, kSmall));
    model.moveTo(7, false); // within the margin of a start with more before it
    EXPECT_FALSE(model.stretchServes(shown, kSmall));
    model.moveTo(13, false);
    EXPECT_FALSE(model.stretchServes(shown, kSmall));
    model.moveTo(20, false);
    EXPECT_TRUE(model.stretchServes({12, 20}, kSmall)); // at the line's own end
    EXPECT_FALSE(model.stretchServes({0, 20}, kSmall)) << "a long line held whole";
    model.setLine(u"short");
    EXPECT_FALSE(model.stretchServes({1, 5}, kSmall)); // a short line is shown whole
}

// A box showing a stretch of a long line tells what it holds now; the model edits the whole line.
TEST(LineModel, TakesABoxsEditOfAStretch)
{
    LineModel model;
    model.setLine(u"FE 00 00 01 02 03 04 05");
    LineModel::Stretch shown{3, 11}; // "00 00 01"
    model.moveTo(5, false);          // after the first 00
    model.takeEdit(shown, u"000 00 01", Run::Typing);
    EXPECT_EQ(model.line(), u"FE 000 00 01 02 03 04 05");
    EXPECT_EQ(model.cursor(), 6) << "a 0 typed after 00 goes after it, not before";
    EXPECT_EQ(shown.end, 12);
    model.takeEdit(shown, u"00 00 01", Run::Backspace);
    EXPECT_EQ(model.line(), u"FE 00 00 01 02 03 04 05");
    model.undo();
    EXPECT_EQ(model.line(), u"FE 000 00 01 02 03 04 05") << "typing and Backspace are runs apart";
}

TEST(LineModel, KeepsAnAnchorOutsideTheStretch)
{
    LineModel model;
    model.setLine(u"0123456789abcdefghij");
    model.selectAll(); // the cursor at the end, the anchor far before the stretch
    const LineModel::Stretch shown{12, 20};
    model.takeSelection(shown, 0, 7); // Shift+Left in the box, which shows [12, 20) selected
    EXPECT_EQ(model.anchor(), 0);
    EXPECT_EQ(model.cursor(), 19);
    model.takeSelection(shown, 3, 3);
    EXPECT_EQ(model.anchor(), 15);
    EXPECT_EQ(model.cursor(), 15);
}

} // namespace
