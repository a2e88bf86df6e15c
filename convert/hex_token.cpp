// Conversion of one hexadecimal token.
#include "convert/hex_token.h"

#include "runtime/checked_int.h"
#include "runtime/currency.h"
#include "runtime/errors.h"
#include "runtime/hex_number.h"
#include "runtime/strings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

constexpr std::u16string_view kZeroPrefix = u"0000000"; // seven zeros: an empty token stays 7 wide
constexpr std::size_t kWidth = 8;

std::u16string withPrefix(std::u16string_view digits)
{
    return std::u16string(kHexPrefix) + std::u16string(digits);
}

void convert(Form& form, const std::u16string& token)
{
    std::u16string_view unprefixed = token;
    if (upperCase(left(token, kHexPrefix.size())) == kHexPrefix)
        unprefixed = mid(token, kHexPrefix.size() + 1);
    std::u16string work = std::u16string(kZeroPrefix) + std::u16string(unprefixed);

    // The test covers every character, so nothing before the last eight goes unread.
    if (!isHexNumber(withPrefix(work)))
        return;
    const std::u16string_view excess = left(work, work.size() - std::min(work.size(), kWidth));
    if (!std::all_of(excess.begin(), excess.end(), [](char16_t c) { return c == u'0'; }))
        throw RuntimeError(ErrorKind::Overflow, "token wider than 32 bits");
    work = right(work, kWidth);

    const std::int16_t b3 = hexToInt16(withPrefix(right(work, 2)));
    const std::int32_t b2 = hexToInt32(withPrefix(mid(work, 5, 2)));
    const std::int16_t b1 = hexToInt16(withPrefix(mid(work, 3, 2)));
    const std::int32_t b0 = hexToInt32(withPrefix(left(work, 2)));

    const std::int32_t high = checkedAdd(checkedMultiply(b0, 256), b1);
    const std::int32_t low = checkedMultiply(b2, 256);
    const Currency value = Currency::fromWhole(high) * Currency::fromWhole(65'536) + Currency::fromWhole(low) +
                           Currency::fromWhole(b3);

    form.setText(Field::Text3, value.toText());
}

} // namespace

void ConvertHexToken(Form& form, const std::u16string& token)
{
    try {
        convert(form, token);
    } catch (const RuntimeError&) {
        form.showMessage(u"There was an error", MessageStyle::Critical, u"Error");
    }
}
