// String services of the conversion: split, bounds, substrings, case and comparison of UTF-16 text.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

// Splits text at every delimiter, keeping empty pieces; an empty text gives no pieces at all.
// With a limit, at most that many pieces come back and the last one holds the rest of the text
// unsplit, so a caller that needs only the first few pieces never scans the remainder.
// The pieces view into text, which must outlive them.
[[nodiscard]] std::vector<std::u16string_view> split(std::u16string_view text, char16_t delimiter,
                                                     std::size_t limit = kNoLimit);

// The number of the last element, -1 when there is none.
template <typename T>
[[nodiscard]] std::ptrdiff_t upperBound(const std::vector<T>& array)
{
    return static_cast<std::ptrdiff_t>(array.size()) - 1;
}

// Substrings count characters (UTF-16 code units) and positions from 1. A text shorter than asked
// gives fewer characters, or none; a start past the end gives the empty string.
[[nodiscard]] std::u16string_view left(std::u16string_view text, std::size_t count);
[[nodiscard]] std::u16string_view right(std::u16string_view text, std::size_t count);
[[nodiscard]] std::u16string_view mid(std::u16string_view text, std::size_t start, std::size_t count = kNoLimit);

// Turns the lower-case letters a-z into capitals and leaves every other character as it is.
// The conversion compares the result only with ASCII text, so other scripts need no mapping.
[[nodiscard]] std::u16string upperCase(std::u16string_view text);

// 0-9, A-F and a-f only; digits and letters of other scripts are not hexadecimal digits.
[[nodiscard]] constexpr bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}
