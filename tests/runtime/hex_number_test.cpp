#include "runtime/hex_number.h"

#include "tests/support/error_kind.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HexNumber, NumericTestAcceptsPrefixAndHexDigitsOnly)
{
    for (std::u16string_view text : {u"&H0", u"&hff", u"&H0000000", u"&H123456789ABCDEFabcdef"})
        EXPECT_TRUE(isHexNumber(text)) << std::string(text.begin(), text.end());
    for (std::u16string_view text : {u"", u"&H", u"FF", u"&HFG", u"&H-1", u"&H 1", u"&H1 ", u"&&H1", u"H1", u"&O7"})
        EXPECT_FALSE(isHexNumber(text)) << std::string(text.begin(), text.end());
    EXPECT_FALSE(isHexNumber(u"&H\uFF11")); // a full-width digit is no hexadecimal digit
}

struct HexReadCase
{
    const char* name;
    std::u16string_view text;
    std::int32_t as16;
    std::int32_t as32;
};

class HexRead : public ::testing::TestWithParam<HexReadCase>
{
};

TEST_P(HexRead, ReadsAsTwosComplement)
{
    EXPECT_EQ(hexToInt16(GetParam().text), GetParam().as16);
    EXPECT_EQ(hexToInt32(GetParam().text), GetParam().as32);
}

INSTANTIATE_TEST_SUITE_P(Runtime, HexRead,
                         ::testing::Values(HexReadCase{"Zero", u"&H00", 0, 0}, HexReadCase{"OneDigit", u"&HF", 15, 15},
                                           HexReadCase{"ByteUpper", u"&HFE", 254, 254},
                                           HexReadCase{"ByteLower", u"&hfe", 254, 254},
                                           HexReadCase{"TopOf16", u"&H7FFF", 32767, 32767},
                                           HexReadCase{"Signed16", u"&HFFFF", -1, 65535}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HexRead, WideValuesOverflowTheirType)
{
    EXPECT_EQ(hexToInt32(u"&H80000000"), INT32_MIN);
    EXPECT_EQ(hexToInt32(u"&HFFFFFFFF"), -1);
    EXPECT_EQ(errorKindOf([] { (void)hexToInt16(u"&H10000"); }), ErrorKind::Overflow);
    EXPECT_EQ(errorKindOf([] { (void)hexToInt32(u"&H100000000"); }), ErrorKind::Overflow);
}

TEST(HexRead, UnreadableTextIsTypeMismatch)
{
    for (std::u16string_view text : {u"", u"&H", u"FE", u"&HZZ", u"&H F"}) {
        EXPECT_EQ(errorKindOf([&] { (void)hexToInt16(text); }), ErrorKind::TypeMismatch);
        EXPECT_EQ(errorKindOf([&] { (void)hexToInt32(text); }), ErrorKind::TypeMismatch);
    }
}

} // namespace
