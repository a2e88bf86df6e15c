// The lines the benchmarks convert.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

inline const std::u16string kExampleLine = u"FE FE 00 90 01 05 FD";

// Thirteen eight-digit tokens: every one of the twelve positions converts a full-width value.
inline const std::u16string kThirteenWideTokens =
    u"DEADBEEF 12345678 FFFFFFFF 80000000 7FFFFFFF 0000FFFF "
    u"CAFEBABE 00000001 ABCDEF01 10203040 F0E0D0C0 01020304 99999999";

inline constexpr std::size_t kMillion = 1'000'000;

// A pasted line of one million characters made of many short tokens.
inline std::u16string millionCharacterLine()
{
    std::u16string line;
    while (line.size() + 3 <= kMillion)
        line += u"FE ";
    line.resize(kMillion, u'F');
    return line;
}

} // namespace bench
