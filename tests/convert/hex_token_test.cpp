#include "convert/hex_token.h"

#include "tests/support/fake_form.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::u16string_view kUntouched = u"untouched";

struct TokenCase
{
    const char* name;
    std::u16string token;
    std::u16string_view result; // what Text3 holds afterwards
};

void PrintTo(const TokenCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string caseName(const ::testing::TestParamInfo<TokenCase>& info)
{
    return info.param.name;
}

FakeForm convertedForm(const std::u16string& token)
{
    FakeForm form;
    form.setText(Field::Text3, std::u16string(kUntouched));
    ConvertHexToken(form, token);
    return form;
}

class HexTokenValue : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(HexTokenValue, WritesDecimalTextSilently)
{
    const FakeForm form = convertedForm(GetParam().token);
    EXPECT_EQ(form.text(Field::Text3), GetParam().result);
    EXPECT_TRUE(form.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Convert, HexTokenValue,
    ::testing::Values(TokenCase{"Upper", u"FE", u"254"}, TokenCase{"Lower", u"fe", u"254"},
                      TokenCase{"Prefixed", u"&HFE", u"254"}, TokenCase{"PrefixedLowerDigits", u"&Hfe", u"254"},
                      TokenCase{"LowerPrefix", u"&hFE", u"254"}, TokenCase{"SingleZero", u"0", u"0"},
                      TokenCase{"DoubleZero", u"00", u"0"}, TokenCase{"EightZeros", u"00000000", u"0"},
                      TokenCase{"EmptyToken", u"", u"0"}, TokenCase{"PrefixOnly", u"&H", u"0"},
                      TokenCase{"LowerPrefixOnly", u"&h", u"0"}, TokenCase{"TopSigned", u"7FFFFFFF", u"2147483647"},
                      TokenCase{"SignBitStaysUnsigned", u"80000000", u"2147483648"},
                      TokenCase{"AllOnes", u"FFFFFFFF", u"4294967295"}, TokenCase{"ThreeDigits", u"100", u"256"},
                      TokenCase{"EightDigits", u"12345678", u"305419896"},
                      TokenCase{"PrefixedEightDigits", u"&HDEADBEEF", u"3735928559"},
                      TokenCase{"LeadingZerosBeyondEight", u"0000000FF", u"255"},
                      TokenCase{"TwelveZeros", u"000000000000", u"0"},
                      TokenCase{"PrefixedLeadingZeros", u"&H00000000FFFFFFFF", u"4294967295"}),
    caseName);

// Tokens that are not hexadecimal give no value and no message.
class HexTokenNotHex : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(HexTokenNotHex, LeavesResultAndShowsNothing)
{
    const FakeForm form = convertedForm(GetParam().token);
    EXPECT_EQ(form.text(Field::Text3), kUntouched);
    EXPECT_TRUE(form.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Convert, HexTokenNotHex,
    ::testing::Values(TokenCase{"LetterG", u"G1", {}}, TokenCase{"MinusSign", u"-1", {}},
                      TokenCase{"PlusSign", u"+FE", {}}, TokenCase{"CStylePrefix", u"0x1F", {}},
                      TokenCase{"DoublePrefix", u"&H&HFF", {}}, TokenCase{"PrefixInside", u"1&HF", {}},
                      TokenCase{"Tab", u"\tFE", {}}, TokenCase{"FullWidthDigit", u"\uFF11", {}},
                      TokenCase{"ArabicIndicDigit", u"\u0661", {}},
                      // Every character counts, not only the last eight.
                      TokenCase{"JunkBeforeLastEight", u"ZZ12345678", {}},
                      TokenCase{"JunkFarBeforeLastEight", u"Z00000000000012", {}}),
    caseName);

// Values wider than 32 bits raise an overflow, trapped into the error box.
class HexTokenTooWide : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(HexTokenTooWide, ShowsErrorBoxAndLeavesResult)
{
    const FakeForm form = convertedForm(GetParam().token);
    EXPECT_EQ(form.text(Field::Text3), kUntouched);
    ASSERT_EQ(form.shown.size(), 1u);
    EXPECT_EQ(form.shown[0].prompt, u"There was an error");
    EXPECT_EQ(form.shown[0].title, u"Error");
    EXPECT_EQ(static_cast<int>(form.shown[0].style), 16);
}

INSTANTIATE_TEST_SUITE_P(Convert, HexTokenTooWide,
                         ::testing::Values(TokenCase{"NineDigits", u"123456789", {}},
                                           TokenCase{"OneAboveMax", u"100000000", {}},
                                           TokenCase{"PrefixedSixteenDigits", u"&HFFFFFFFFFFFFFFFF", {}},
                                           TokenCase{"NonZeroFarLeft", u"1000000000000000", {}}),
                         caseName);

TEST(HexTokenFailure, RefusedResultFieldShowsErrorBox)
{
    FakeForm form;
    form.refusedField = Field::Text3;
    ConvertHexToken(form, u"FE");
    ASSERT_EQ(form.shown.size(), 1u);
    EXPECT_EQ(form.shown[0].prompt, u"There was an error");
}

} // namespace
