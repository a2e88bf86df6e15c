// 32-bit signed arithmetic that raises an overflow error instead of wrapping.
#pragma once

#include "runtime/errors.h"

#include <cstdint>
#include <limits>

namespace detail {
[[nodiscard]] inline std::int32_t narrowOrOverflow(std::int64_t wide)
{
    if (wide < std::numeric_limits<std::int32_t>::min() || wide > std::numeric_limits<std::int32_t>::max())
        throw RuntimeError(ErrorKind::Overflow, "32-bit integer overflow");
    return static_cast<std::int32_t>(wide);
}
} // namespace detail

// Both operands fit 32 bits, so their exact sum and product fit 64 bits before the range check.
[[nodiscard]] inline std::int32_t checkedAdd(std::int32_t a, std::int32_t b)
{
    return detail::narrowOrOverflow(std::int64_t{a} + b);
}

[[nodiscard]] inline std::int32_t checkedMultiply(std::int32_t a, std::int32_t b)
{
    return detail::narrowOrOverflow(std::int64_t{a} * b);
}
