// String services of the conversion.
#include "runtime/strings.h"

#include <algorithm>

std::vector<std::u16string_view> split(std::u16string_view text, char16_t delimiter, std::size_t limit)
{
    std::vector<std::u16string_view> pieces;
    if (text.empty() || limit == 0)
        return pieces;
    std::size_t start = 0;
    while (pieces.size() + 1 < limit) {
        const std::size_t end = text.find(delimiter, start);
        if (end == std::u16string_view::npos)
            break;
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::u16string_view left(std::u16string_view text, std::size_t count)
{
    return text.substr(0, count);
}

std::u16string_view right(std::u16string_view text, std::size_t count)
{
    return text.substr(text.size() - std::min(count, text.size()));
}

std::u16string_view mid(std::u16string_view text, std::size_t start, std::size_t count)
{
    if (start == 0 || start > text.size())
        return {};
    return text.substr(start - 1, count);
}

std::u16string upperCase(std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& c : result) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return result;
}
