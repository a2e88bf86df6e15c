// The editing scenarios acted out on one target.
#include "tests/support/scenario_runner.h"

#include <algorithm>
#include <cctype>

namespace {

std::string ascii(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

// The key the step names, or the platform's own key for the command it names.
std::optional<KeyPress> keyOf(std::u16string_view name, const KeyRules& rules)
{
    if (const std::optional<KeyPress> press = keyPressNamed(name))
        return press;
    if (const std::optional<Command> command = commandNamed(ascii(name)))
        return pressFor(rules, *command);
    return std::nullopt;
}

} // namespace

std::string identifierOf(std::string name)
{
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

std::optional<std::string> skipReason(const Scenario& scenario, const KeyRules& rules)
{
    if (scenario.keys.empty() || scenario.keys == (rules.mac ? "mac" : "pc"))
        return std::nullopt;
    return "the keys of " + std::string(scenario.keys == "mac" ? "a Mac" : "a PC") + ", not of " +
           std::string(rules.name);
}

std::optional<std::string> actOut(const Scenario& scenario, const Padding& padding, const KeyRules& rules,
                                  ScenarioDriver& driver)
{
    for (const ScenarioStep& step : scenario.steps) {
        const std::string where =
            scenario.name + ", " + padding.name + ", field_scenarios.txt:" + std::to_string(step.lineNumber) + ": ";
        if (step.verb == "start") {
            driver.start(unmark(step.argument, padding));
        } else if (step.verb == "key") {
            const std::optional<KeyPress> key = keyOf(step.argument, rules);
            if (!key)
                return where + "no key for " + ascii(step.argument) + " in " + std::string(rules.name);
            driver.press(*key);
        } else if (step.verb == "type") {
            driver.type(step.argument);
        } else if (step.verb == "caret") {
            driver.moveUnseen(step.argument == u"all"   ? UnseenMove::SelectAll
                              : step.argument == u"end" ? UnseenMove::ToEnd
                                                        : UnseenMove::ToStart);
        } else if (step.verb == "clip") {
            driver.setClipboard(step.argument);
        } else if (step.verb == "expect" && step.expectedFor(rules.name) == u"-") {
            return std::nullopt;
        } else if (step.verb == "expect") {
            const MarkedLine now = driver.state();
            const MarkedLine expected = unmark(step.expectedFor(rules.name), padding);
            if (now != expected)
                return where + described(now, padding) + ", expected " + described(expected, padding);
            if (std::string disagrees = driver.boxDisagrees(); !disagrees.empty())
                return where + disagrees;
        } else if (step.verb == "clipboard") {
            const std::u16string held = driver.clipboard();
            if (held != unmark(step.argument, padding).line)
                return where + "the clipboard holds " + described({held, 0, 0}, padding);
        } else {
            return where + "unknown step " + step.verb;
        }
    }
    return std::nullopt;
}
