#include "runtime/checked_int.h"

#include "tests/support/error_kind.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(CheckedInt, ExactResultsInRange)
{
    EXPECT_EQ(checkedAdd(255 * 256, 255), 65535);
    EXPECT_EQ(checkedMultiply(255, 256), 65280);
    EXPECT_EQ(checkedAdd(INT32_MAX, INT32_MIN), -1);
    EXPECT_EQ(checkedMultiply(-65536, 32768), INT32_MIN);
}

TEST(CheckedInt, OverflowRaisesInsteadOfWrapping)
{
    EXPECT_EQ(errorKindOf([] { (void)checkedAdd(INT32_MAX, 1); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([] { (void)checkedAdd(INT32_MIN, -1); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([] { (void)checkedMultiply(65536, 32768); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([] { (void)checkedMultiply(INT32_MIN, -1); }), ErrorKind::Overflow);
}

} // namespace
