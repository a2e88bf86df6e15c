// Pasted and dropped text: a text box holds one line. Each line break in the text (CR LF, CR, LF, NEL,
// U+2028 LINE SEPARATOR or U+2029 PARAGRAPH SEPARATOR) becomes one space, so that the values on either
// side of it stay apart and none is lost; the line breaks at the very end are dropped, as a copied line
// often ends with one. Tabs, and every other character, stay as they are.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace pasted_text {

inline constexpr std::u16string_view kLineBreakUnits = u"\r\n\u0085\u2028\u2029";

[[nodiscard]] constexpr bool isLineBreak(char16_t unit)
{
    // Compared one by one: this runs over every code unit of a paste of megabytes.
    return unit == u'\n' || unit == u'\r' || unit == 0x0085 || unit == 0x2028 || unit == 0x2029;
}

static_assert([] {
    for (const char16_t unit : kLineBreakUnits)
        if (!isLineBreak(unit))
            return false;
    return kLineBreakUnits.size() == 5;
}());

// text made one line in place: it may be megabytes.
[[nodiscard]] inline std::u16string lineOf(std::u16string text)
{
    while (!text.empty() && isLineBreak(text.back()))
        text.pop_back();
    // Nothing moves before the first line break, which most pastes lack.
    std::size_t kept = static_cast<std::size_t>(std::find_if(text.begin(), text.end(), isLineBreak) - text.begin());
    for (std::size_t at = kept; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (unit == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
            continue; // CR LF is one line break: its LF stands for both
        text[kept++] = isLineBreak(unit) ? u' ' : unit;
    }
    text.resize(kept);
    return text;
}

} // namespace pasted_text
