// The editing scenarios, read from the file built into the test.
#include "tests/support/field_scenarios.h"

#include "tests/support/field_scenarios_text.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace {

// One line of the file, its escapes made real.
std::u16string unescaped(std::string_view text, int lineNumber)
{
    std::u16string units;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c != '\\' || at + 1 == text.size()) {
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
            continue;
        }
        const char escaped = text[++at];
        if (escaped == 't' || escaped == 'r' || escaped == 'n' || escaped == '\\') {
            units.push_back(escaped == 't' ? u'\t' : escaped == 'r' ? u'\r' : escaped == 'n' ? u'\n' : u'\\');
        } else if (escaped == 'u' && at + 1 < text.size() && text[at + 1] == '{') {
            const std::size_t close = text.find('}', at);
            const char32_t point = std::stoul(std::string(text.substr(at + 2, close - at - 2)), nullptr, 16);
            if (point > 0xFFFF) {
                units.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
                units.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
            } else {
                units.push_back(static_cast<char16_t>(point));
            }
            at = close;
        } else {
            throw std::runtime_error("field_scenarios.txt:" + std::to_string(lineNumber) + ": unknown escape");
        }
    }
    return units;
}

} // namespace

const std::u16string& ScenarioStep::expectedFor(std::string_view rules) const
{
    const auto own = only.find(rules);
    return own != only.end() ? own->second : argument;
}

std::vector<Scenario> fieldScenarios()
{
    std::vector<Scenario> scenarios;
    const std::string_view text = kFieldScenariosText;
    int lineNumber = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        end = end == std::string_view::npos ? text.size() : end;
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t space = line.find(' ');
        const std::string verb(line.substr(0, space));
        const std::string_view argument = space == std::string_view::npos ? "" : line.substr(space + 1);
        if (verb == "scenario") {
            scenarios.push_back({std::string(argument), {}, {}});
        } else if (verb == "keys" && !scenarios.empty()) {
            scenarios.back().keys = argument;
        } else if (verb.starts_with("expect.") && !scenarios.empty() && !scenarios.back().steps.empty() &&
                   scenarios.back().steps.back().verb == "expect") {
            const std::string names = verb.substr(7) + ",";
            for (std::size_t from = 0, comma; (comma = names.find(',', from)) != std::string::npos; from = comma + 1)
                scenarios.back().steps.back().only[names.substr(from, comma - from)] = unescaped(argument, lineNumber);
        } else if (!scenarios.empty()) {
            scenarios.back().steps.push_back({verb, unescaped(argument, lineNumber), {}, lineNumber});
        } else {
            throw std::runtime_error("field_scenarios.txt:" + std::to_string(lineNumber) +
                                     ": a step before a scenario");
        }
    }
    return scenarios;
}

std::vector<Padding> paddingsFor(int shortLength, int threshold)
{
    const auto padding = [shortLength](std::string name, int total) {
        const int rest = total - shortLength;
        Padding padding{std::move(name), {}, {}};
        for (int made = 0; made + 3 <= rest / 2; made += 3)
            padding.before += u"00 ";
        const int after = rest - static_cast<int>(padding.before.size());
        for (int made = 0; made + 3 <= after; made += 3)
            padding.after += u" 00";
        padding.after.append(static_cast<std::size_t>(after % 3), u'0');
        return padding;
    };
    return {{"short", {}, {}},
            padding("past the threshold", threshold + 64),
            padding("at the threshold", threshold),
            padding("1 MB", 1 << 20)};
}

MarkedLine unmark(std::u16string_view marked, const Padding& padding)
{
    MarkedLine state;
    bool anchored = false;
    for (const char16_t unit : marked) {
        if (unit == u'|')
            state.cursor = static_cast<int>(state.line.size());
        else if (unit == u'^')
            state.anchor = static_cast<int>(state.line.size()), anchored = true;
        else if (unit == u'[')
            state.line += padding.before;
        else if (unit == u']')
            state.line += padding.after;
        else
            state.line.push_back(unit);
    }
    if (!anchored)
        state.anchor = state.cursor;
    return state;
}

int shortLength(std::u16string_view marked)
{
    return static_cast<int>(unmark(marked, {}).line.size());
}

std::string described(const MarkedLine& state, const Padding& padding)
{
    std::u16string line = state.line;
    line.insert(static_cast<std::size_t>(state.cursor), 1, u'|');
    if (state.anchor != state.cursor)
        line.insert(static_cast<std::size_t>(state.anchor + (state.anchor > state.cursor ? 1 : 0)), 1, u'^');
    std::string shown;
    std::u16string_view rest = line;
    if (!padding.before.empty() && rest.starts_with(padding.before))
        shown += "[", rest.remove_prefix(padding.before.size());
    const bool after = !padding.after.empty() && rest.ends_with(padding.after);
    if (after)
        rest.remove_suffix(padding.after.size());
    if (rest.size() > 200) // a padding that an edit has cut into: the offsets
        return "a line of " + std::to_string(state.line.size()) + " code units, anchor " +
               std::to_string(state.anchor) + ", cursor " + std::to_string(state.cursor);
    for (const char16_t unit : rest) {
        char escaped[16];
        std::snprintf(escaped, sizeof escaped, "\\u{%X}", static_cast<unsigned>(unit));
        shown += unit >= 0x20 && unit < 0x7F ? std::string(1, static_cast<char>(unit)) : std::string(escaped);
    }
    return shown + (after ? "]" : "");
}
