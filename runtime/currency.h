// The currency type: a signed 64-bit count of ten-thousandths, exact for whole numbers far past 32 bits.
#pragma once

#include <cstdint>
#include <string>

class Currency
{
public:
    static constexpr std::int64_t kScale = 10'000;
    // The largest whole number the type holds: its count of ten-thousandths must fit 64 bits.
    static constexpr std::int64_t kMaxWhole = INT64_MAX / kScale;

    // Raises Overflow when whole is outside -kMaxWhole..kMaxWhole.
    [[nodiscard]] static Currency fromWhole(std::int64_t whole);

    // Exact sum and product; raise Overflow when the result leaves the type's range.
    [[nodiscard]] Currency operator+(Currency other) const;
    [[nodiscard]] Currency operator*(Currency other) const;

    // Plain decimal digits, "-" in front of a negative value; no grouping, no leading zeros.
    [[nodiscard]] std::u16string toText() const;

private:
    explicit Currency(std::int64_t tenThousandths) : m_tenThousandths(tenThousandths) {}

    // Every value is built from whole numbers by + and *, so it stays a whole number of units.
    std::int64_t m_tenThousandths;
};
