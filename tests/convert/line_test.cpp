#include "convert/line.h"

#include "tests/support/fake_form.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LineCase
{
    const char* name;
    std::u16string line;
    std::u16string output;
    std::size_t messages = 0;
};

void PrintTo(const LineCase& c, std::ostream* out)
{
    *out << c.name;
}

class LineOutput : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(LineOutput, JoinsValuesOfAllButTheLastToken)
{
    FakeForm form;
    form.setText(Field::Text1, GetParam().line);
    form.setText(Field::Text2, u"typed by the user");
    ConvertLine(form);
    EXPECT_EQ(form.text(Field::Text2), GetParam().output);
    EXPECT_EQ(form.text(Field::Text1), GetParam().line);
    EXPECT_EQ(form.shown.size(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Convert, LineOutput,
    ::testing::Values(
        LineCase{"EmptyLine", u"", u""}, LineCase{"OneToken", u"FE", u""}, LineCase{"TrailingSpace", u"FE ", u"254"},
        LineCase{"PromptExample", u"FE FE 00 90 01 05 FD", u"254 254 0 144 1 5"},
        LineCase{"PromptExampleTrailingSpace", u"FE FE 00 90 01 05 FD ", u"254 254 0 144 1 5 253"},
        LineCase{"DoubleSpaceIsEmptyToken", u"FE  FE", u"254 0"}, LineCase{"LeadingSpace", u" FE FE", u"0 254"},
        LineCase{"LoneSpace", u" ", u"0"}, LineCase{"FirstNotHex", u"ZZ 01 02", u" 1"},
        LineCase{"MiddleNotHex", u"01 ZZ 02 03", u"1  2"}, LineCase{"LastConvertedNotHex", u"01 ZZ 02", u"1 "},
        LineCase{"OnlyConvertedNotHex", u"ZZ 01", u""},
        LineCase{"TwelveTokens", u"01 02 03 04 05 06 07 08 09 0A 0B 0C", u"1 2 3 4 5 6 7 8 9 10 11"},
        LineCase{"ThirteenTokens", u"01 02 03 04 05 06 07 08 09 0A 0B 0C 0D", u"1 2 3 4 5 6 7 8 9 10 11 12"},
        LineCase{"FifteenTokens", u"01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F", u"1 2 3 4 5 6 7 8 9 10 11 12"},
        LineCase{"ManySpacesAfterTwelve", u"1 2 3 4 5 6 7 8 9 A B C      ", u"1 2 3 4 5 6 7 8 9 10 11 12"},
        LineCase{"WideAndPrefixedTokens", u"&HFFFFFFFF 80000000 &h10 x", u"4294967295 2147483648 16"},
        LineCase{"TooWideGivesEmptyValue", u"01 123456789 02 03", u"1  2", 1},
        LineCase{"EveryTokenTooWide", u"100000000 100000000 100000000 x", u"  ", 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineResultField, EmptyAfterConversion)
{
    FakeForm form;
    form.setText(Field::Text1, u"FE FE 00 90 01 05 FD");
    ConvertLine(form);
    EXPECT_EQ(form.text(Field::Text3), u"");
}

TEST(LineResultField, StaleTextNeverReachesOutput)
{
    FakeForm form;
    form.setText(Field::Text1, u"ZZ 01 ZZ 02");
    form.setText(Field::Text3, u"typed blindly");
    ConvertLine(form);
    EXPECT_EQ(form.text(Field::Text2), u" 1 ");
    EXPECT_EQ(form.text(Field::Text3), u"");
}

TEST(LineResultField, UntouchedWhenNothingIsConverted)
{
    for (const std::u16string line : {u"", u"FE"}) {
        FakeForm form;
        form.setText(Field::Text1, line);
        form.setText(Field::Text3, u"typed blindly");
        ConvertLine(form);
        EXPECT_EQ(form.text(Field::Text3), u"typed blindly");
        EXPECT_EQ(form.text(Field::Text2), u"");
    }
}

TEST(LineRepeat, SameInputGivesSameOutputTwice)
{
    FakeForm form;
    form.setText(Field::Text1, u"FE ZZ 100000000 FD x");
    ConvertLine(form);
    const std::u16string first = form.text(Field::Text2);
    ConvertLine(form);
    EXPECT_EQ(form.text(Field::Text2), first);
    EXPECT_EQ(first, u"254   253");
    EXPECT_EQ(form.shown.size(), 2u);
}

} // namespace
