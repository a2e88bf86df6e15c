// Hexadecimal numbers written "&H" followed by digits: the numeric test and the reading as integers.
#pragma once

#include <cstdint>
#include <string_view>

// The prefix that marks a hexadecimal number, recognised in either case.
inline constexpr std::u16string_view kHexPrefix = u"&H";

// True when text is "&H" (either case) followed by one or more hexadecimal digits 0-9, A-F, a-f,
// and nothing else: no sign, no white space, no digits of other scripts.
[[nodiscard]] bool isHexNumber(std::u16string_view text);

// Reads "&H" followed by up to 4 (16-bit) or 8 (32-bit) hexadecimal digits. Digits that set the top
// bit give a negative value, as two's complement does (&HFFFF is -1 as a 16-bit integer).
// Raises TypeMismatch for text that is not a hexadecimal number, Overflow for too many digits.
[[nodiscard]] std::int16_t hexToInt16(std::u16string_view text);
[[nodiscard]] std::int32_t hexToInt32(std::u16string_view text);
