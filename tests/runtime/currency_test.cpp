#include "runtime/currency.h"

#include "tests/support/error_kind.h"

#include <gtest/gtest.h>

namespace {

TEST(Currency, WholeArithmeticIsExactPast32Bits)
{
    const Currency top = Currency::fromWhole(65'535) * Currency::fromWhole(65'536) + Currency::fromWhole(65'280) +
                         Currency::fromWhole(255);
    EXPECT_EQ(top.toText(), u"4294967295");
    EXPECT_EQ((Currency::fromWhole(-7) * Currency::fromWhole(6)).toText(), u"-42");
    EXPECT_EQ((Currency::fromWhole(0) * Currency::fromWhole(Currency::kMaxWhole)).toText(), u"0");
    EXPECT_EQ((Currency::fromWhole(Currency::kMaxWhole) * Currency::fromWhole(0)).toText(), u"0");
    EXPECT_EQ((Currency::fromWhole(Currency::kMaxWhole) + Currency::fromWhole(-Currency::kMaxWhole)).toText(), u"0");
}

TEST(Currency, TextIsPlainDigits)
{
    EXPECT_EQ(Currency::fromWhole(0).toText(), u"0");
    EXPECT_EQ(Currency::fromWhole(1'000'000).toText(), u"1000000");
    EXPECT_EQ(Currency::fromWhole(-5).toText(), u"-5");
    EXPECT_EQ(Currency::fromWhole(Currency::kMaxWhole).toText(), u"922337203685477");
}

TEST(Currency, LeavingTheRangeRaisesOverflow)
{
    const auto max = Currency::kMaxWhole;
    EXPECT_EQ(errorKindOf([&] { (void)Currency::fromWhole(max + 1); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([&] { (void)Currency::fromWhole(-max - 1); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([&] { (void)(Currency::fromWhole(max) + Currency::fromWhole(1)); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([&] { (void)(Currency::fromWhole(-max) + Currency::fromWhole(-1)); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([&] { (void)(Currency::fromWhole(max) * Currency::fromWhole(2)); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([&] { (void)(Currency::fromWhole(-max) * Currency::fromWhole(2)); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([&] { (void)(Currency::fromWhole(max) * Currency::fromWhole(-2)); }), ErrorKind::Overflow);
}

} // namespace
