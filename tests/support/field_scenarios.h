// The editing scenarios that every front-end's text box acts out alike (tests/window/field_scenarios.txt,
// built into the test), and the lines they are run on: short as written, and padded to be long.
#pragma once

#include <map>
#include <string>
#include <vector>

struct ScenarioStep
{
    std::string verb; // start key type caret clip expect clipboard
    std::u16string argument;
    // For expect: the platforms' own expectations (by the name of their key rules), where they differ.
    std::map<std::string, std::u16string, std::less<>> only;
    int lineNumber = 0;

    [[nodiscard]] const std::u16string& expectedFor(std::string_view rules) const;
};

struct Scenario
{
    std::string name;
    std::string keys; // "mac" or "pc" where it holds only for those keys; empty where it holds everywhere
    std::vector<ScenarioStep> steps;
};

[[nodiscard]] std::vector<Scenario> fieldScenarios();

// A line padded around the short one: before it and after it.
struct Padding
{
    std::string name;
    std::u16string before;
    std::u16string after;
};

// The paddings each scenario runs with, for a front-end that holds lines up to threshold whole: none,
// to just past the threshold, to exactly it, and to 1 MB, for a starting line of shortLength code units.
[[nodiscard]] std::vector<Padding> paddingsFor(int shortLength, int threshold);

// A line with its marks (| the cursor, ^ the anchor, [ and ] the padding) made real.
struct MarkedLine
{
    std::u16string line;
    int anchor = 0;
    int cursor = 0;
    friend bool operator==(const MarkedLine&, const MarkedLine&) = default;
};
[[nodiscard]] MarkedLine unmark(std::u16string_view marked, const Padding& padding);
// The short line's length: the marks and padding left out.
[[nodiscard]] int shortLength(std::u16string_view marked);
// For a failure's message: a line shown short, the padding as [ and ] and the marks put back in.
[[nodiscard]] std::string described(const MarkedLine& state, const Padding& padding);
