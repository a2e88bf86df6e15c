// The editing scenarios acted out on the text box library itself, through each platform's key rules, on
// a box that holds what the stretch view gives it: the commands, the keys and the stretch, as every
// front-end drives them.
#include "tests/support/scenario_runner.h"
#include "textbox/stretch_view.h"
#include "textbox/surrogates.h"
#include "window/field_sizes.h"

#include <gtest/gtest.h>

namespace {

class MemoryClipboard : public Clipboard
{
public:
    std::optional<std::u16string> text() override { return m_text; }
    void setText(std::u16string text) override { m_text = std::move(text); }

private:
    std::optional<std::u16string> m_text;
};

// A native box as the view drives it: it holds what update() says, and its caret moves where it is put.
class LibraryDriver : public ScenarioDriver
{
public:
    LibraryDriver(const KeyRules& rules, FieldSizes sizes) : m_rules(rules), m_sizes(sizes), m_view(m_model, sizes) {}

    void start(const MarkedLine& line) override
    {
        m_model.setLine(line.line);
        m_model.select(line.anchor, line.cursor);
        show();
    }
    void press(KeyPress key) override
    {
        if (const std::optional<Command> command = commandFor(m_rules, key))
            run(*command, m_model, m_rules.conventions, m_clipboard);
        show();
    }
    void type(std::u16string_view text) override
    {
        surrogates::PairJoiner joiner;
        for (const char16_t unit : text) {
            if (std::optional<std::u16string> character = joiner.take(unit))
                m_model.replaceSelection(std::move(*character), LineModel::Run::Typing);
            show();
        }
    }
    void moveUnseen(UnseenMove move) override
    {
        const int end = static_cast<int>(m_box.size());
        m_anchor = move == UnseenMove::ToEnd ? end : 0;
        m_cursor = move == UnseenMove::ToStart ? 0 : end;
        m_view.boxSelected(m_anchor, m_cursor);
        show();
    }
    void setClipboard(std::u16string_view text) override { m_clipboard.setText(std::u16string(text)); }
    std::u16string clipboard() override { return m_clipboard.text().value_or(u""); }
    MarkedLine state() override { return {m_model.line(), m_model.anchor(), m_model.cursor()}; }

    std::string boxDisagrees() override
    {
        const Stretch shown = m_view.shown();
        const std::u16string_view line = m_model.line();
        if (m_box != line.substr(static_cast<std::size_t>(shown.start), static_cast<std::size_t>(shown.size())))
            return "the box holds other text than the line's stretch";
        if (m_anchor != m_view.toBox(m_model.anchor()) || m_cursor != m_view.toBox(m_model.cursor()))
            return "the box shows another selection";
        if (static_cast<int>(m_box.size()) > std::max(m_sizes.threshold, 2 * m_sizes.side + 2))
            return "the box holds " + std::to_string(m_box.size()) + " code units";
        return {};
    }

private:
    void show()
    {
        const StretchView::Update update = m_view.update();
        if (update.text == StretchView::Update::Text::Replaced)
            m_box = update.stretchText;
        else if (update.text == StretchView::Update::Text::Edited)
            m_box.replace(static_cast<std::size_t>(update.editStart),
                          static_cast<std::size_t>(update.editEnd - update.editStart), update.editText);
        m_anchor = update.anchor;
        m_cursor = update.cursor;
    }

    const KeyRules& m_rules;
    FieldSizes m_sizes;
    LineModel m_model;
    StretchView m_view;
    MemoryClipboard m_clipboard;
    std::u16string m_box;
    int m_anchor = 0;
    int m_cursor = 0;
};

// The sizes of the front-end that follows rules: the Windows program's, else the page's.
FieldSizes sizesFor(const KeyRules& rules)
{
    return &rules == &key_rules::kWindows ? field_sizes::kWin32 : field_sizes::kPage;
}

// Each scenario with each platform's key rules it holds for.
struct ScenarioKeys
{
    std::size_t scenario;
    const KeyRules* rules;
};

std::vector<ScenarioKeys> scenarioKeys()
{
    std::vector<ScenarioKeys> all;
    const std::vector<Scenario> scenarios = fieldScenarios();
    for (std::size_t scenario = 0; scenario < scenarios.size(); ++scenario)
        for (const KeyRules* rules : key_rules::all())
            if (!skipReason(scenarios[scenario], *rules))
                all.push_back({scenario, rules});
    return all;
}

class Scenarios : public testing::TestWithParam<ScenarioKeys>
{
};

TEST_P(Scenarios, ActedOutAtEveryLength)
{
    const Scenario scenario = fieldScenarios().at(GetParam().scenario);
    const KeyRules& rules = *GetParam().rules;
    const FieldSizes sizes = sizesFor(rules);
    for (const Padding& padding : paddingsFor(shortLength(scenario.steps.front().argument), sizes.threshold)) {
        LibraryDriver driver(rules, sizes);
        const std::optional<std::string> failure = actOut(scenario, padding, rules, driver);
        ASSERT_FALSE(failure) << *failure;
    }
}

INSTANTIATE_TEST_SUITE_P(Textbox, Scenarios, testing::ValuesIn(scenarioKeys()), [](const auto& info) {
    return identifierOf(std::string(info.param.rules->name) + " " + fieldScenarios().at(info.param.scenario).name);
});

} // namespace
