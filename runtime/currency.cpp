// The currency type.
#include "runtime/currency.h"

#include "runtime/errors.h"

namespace {

[[noreturn]] void raiseOverflow()
{
    throw RuntimeError(ErrorKind::Overflow, "currency overflow");
}

} // namespace

Currency Currency::fromWhole(std::int64_t whole)
{
    if (whole > kMaxWhole || whole < -kMaxWhole)
        raiseOverflow();
    return Currency(whole * kScale);
}

Currency Currency::operator+(Currency other) const
{
    const std::int64_t a = m_tenThousandths;
    const std::int64_t b = other.m_tenThousandths;
    if ((b > 0 && a > INT64_MAX - b) || (b < 0 && a < INT64_MIN - b))
        raiseOverflow();
    return Currency(a + b);
}

Currency Currency::operator*(Currency other) const
{
    // Both are whole, so the product in ten-thousandths is this count times the other's whole value.
    const std::int64_t a = m_tenThousandths;
    const std::int64_t b = other.m_tenThousandths / kScale;
    if (a != 0 && b != 0) {
        const bool negative = (a < 0) != (b < 0);
        const std::uint64_t magnitudeA = a < 0 ? 0 - static_cast<std::uint64_t>(a) : static_cast<std::uint64_t>(a);
        const std::uint64_t magnitudeB = b < 0 ? 0 - static_cast<std::uint64_t>(b) : static_cast<std::uint64_t>(b);
        const std::uint64_t limit = negative ? static_cast<std::uint64_t>(INT64_MAX) + 1 : INT64_MAX;
        if (magnitudeA > limit / magnitudeB)
            raiseOverflow();
    }
    return Currency(a * b);
}

std::u16string Currency::toText() const
{
    const std::int64_t whole = m_tenThousandths / kScale;
    std::uint64_t magnitude = whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : static_cast<std::uint64_t>(whole);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return whole < 0 ? u"-" + digits : digits;
}
