// The kind of runtime error a call raises, if any, so a test states it in one line.
#pragma once

#include "runtime/errors.h"

#include <optional>

template <typename Call>
[[nodiscard]] std::optional<ErrorKind> errorKindOf(Call&& call)
{
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.kind();
    }
    return std::nullopt;
}
