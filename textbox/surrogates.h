// UTF-16 surrogate pairs: a character beyond the Basic Multilingual Plane takes two code units, which a
// text box moves over, deletes and cuts as one character.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace surrogates {

[[nodiscard]] constexpr bool isHigh(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

[[nodiscard]] constexpr bool isLow(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Whether offset at lies inside a pair of text, between its two halves.
[[nodiscard]] constexpr bool splitsPair(std::u16string_view text, int at)
{
    const auto i = static_cast<std::size_t>(at);
    return at > 0 && i < text.size() && isLow(text[i]) && isHigh(text[i - 1]);
}

// Joins code units that arrive one by one (a key's characters on Windows) into whole characters: the
// first half of a pair waits for the second.
class PairJoiner
{
public:
    // The character unit completes, or nothing while it waits for a pair's second half.
    [[nodiscard]] std::optional<std::u16string> take(char16_t unit)
    {
        if (isHigh(unit)) {
            m_high = unit;
            return std::nullopt;
        }
        std::u16string character;
        if (m_high != 0 && isLow(unit))
            character.push_back(m_high);
        character.push_back(unit);
        m_high = 0;
        return character;
    }

private:
    char16_t m_high = 0;
};

} // namespace surrogates
