// The rules restated from the characters up: tokens found by counting spaces, values read with
// std::from_chars on the digits left after the prefix and leading zeros are gone.
#include "fuzz/reference_line.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class TokenOutcome { Value, NotHex, TooWide };

struct TokenResult
{
    TokenOutcome outcome;
    std::u16string text;
};

bool isAsciiHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

TokenResult readToken(const std::u16string& token)
{
    std::size_t start = 0;
    if (token.size() >= 2 && token[0] == u'&' && (token[1] == u'h' || token[1] == u'H'))
        start = 2;
    std::string digits;
    for (std::size_t i = start; i < token.size(); ++i) {
        if (!isAsciiHexDigit(token[i]))
            return {TokenOutcome::NotHex, {}};
        digits.push_back(static_cast<char>(token[i]));
    }
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos)
        return {TokenOutcome::Value, u"0"};
    const std::string significant = digits.substr(firstSignificant);
    if (significant.size() > 8)
        return {TokenOutcome::TooWide, {}};
    std::uint64_t value = 0;
    std::from_chars(significant.data(), significant.data() + significant.size(), value, 16);
    const std::string decimal = std::to_string(value);
    return {TokenOutcome::Value, std::u16string(decimal.begin(), decimal.end())};
}

std::vector<std::u16string> tokensOf(const std::u16string& line)
{
    if (line.empty())
        return {};
    std::vector<std::u16string> tokens(1);
    for (char16_t c : line) {
        if (c == u' ')
            tokens.emplace_back();
        else
            tokens.back().push_back(c);
    }
    return tokens;
}

} // namespace

ExpectedClick expectedClick(const std::u16string& line)
{
    const std::vector<std::u16string> tokens = tokensOf(line);
    ExpectedClick expected;
    // Every token but the last, and never more than twelve.
    expected.converted = tokens.empty() ? 0 : std::min<std::size_t>(tokens.size() - 1, 12);
    for (std::size_t i = 0; i < expected.converted; ++i) {
        const TokenResult result = readToken(tokens[i]);
        if (result.outcome == TokenOutcome::TooWide)
            ++expected.errorBoxes;
        if (i > 0)
            expected.output += u' ';
        expected.output += result.text;
    }
    return expected;
}
