// Hexadecimal numbers written "&H" followed by digits.
#include "runtime/hex_number.h"

#include "runtime/errors.h"
#include "runtime/strings.h"

#include <algorithm>
#include <cstddef>

namespace {

std::uint32_t digitValue(char16_t c)
{
    if (c <= u'9')
        return c - u'0';
    return (c | 0x20) - u'a' + 10; // isHexDigit has ruled out everything but 0-9, A-F and a-f
}

// The digits after the prefix, or a type-mismatch error when the text is not a hex number.
std::u16string_view hexDigits(std::u16string_view text)
{
    if (!isHexNumber(text))
        throw RuntimeError(ErrorKind::TypeMismatch, "not a hexadecimal number");
    return text.substr(kHexPrefix.size());
}

std::uint32_t readUnsigned(std::u16string_view text, std::size_t maxDigits)
{
    const std::u16string_view digits = hexDigits(text);
    if (digits.size() > maxDigits)
        throw RuntimeError(ErrorKind::Overflow, "hexadecimal number too wide");
    std::uint32_t value = 0;
    for (char16_t c : digits)
        value = value << 4 | digitValue(c);
    return value;
}

} // namespace

bool isHexNumber(std::u16string_view text)
{
    if (text.size() <= kHexPrefix.size() || upperCase(left(text, kHexPrefix.size())) != kHexPrefix)
        return false;
    const std::u16string_view digits = text.substr(kHexPrefix.size());
    return std::all_of(digits.begin(), digits.end(), isHexDigit);
}

std::int16_t hexToInt16(std::u16string_view text)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(readUnsigned(text, 4)));
}

std::int32_t hexToInt32(std::u16string_view text)
{
    return static_cast<std::int32_t>(readUnsigned(text, 8));
}
