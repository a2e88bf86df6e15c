#include "runtime/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::u16string_view>;

struct SplitCase
{
    const char* name;
    std::u16string_view text;
    std::size_t limit;
    Pieces pieces;
};

class Split : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(Split, GivesPiecesInOrder)
{
    EXPECT_EQ(split(GetParam().text, u' ', GetParam().limit), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Runtime, Split,
    ::testing::Values(SplitCase{"EmptyTextHasNoPieces", u"", kNoLimit, {}},
                      SplitCase{"NoDelimiterIsOnePiece", u"FE", kNoLimit, {u"FE"}},
                      SplitCase{"LoneSpaceIsTwoEmptyPieces", u" ", kNoLimit, {u"", u""}},
                      SplitCase{"DoubleSpaceKeepsEmptyPiece", u"FE  FD", kNoLimit, {u"FE", u"", u"FD"}},
                      SplitCase{"LeadingAndTrailingSpaces", u" FE ", kNoLimit, {u"", u"FE", u""}},
                      SplitCase{"TabIsNoDelimiter", u"FE\tFD", kNoLimit, {u"FE\tFD"}},
                      SplitCase{"LimitKeepsRestUnsplit", u"1 2 3 4", 2, {u"1", u"2 3 4"}},
                      SplitCase{"LimitAboveCountChangesNothing", u"1 2", 5, {u"1", u"2"}},
                      SplitCase{"LimitOnTrailingSpace", u"1 ", 2, {u"1", u""}},
                      SplitCase{"LimitZeroGivesNothing", u"1 2", 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpperBound, IsLastIndexOrMinusOne)
{
    EXPECT_EQ(upperBound(std::vector<int>{}), -1);
    EXPECT_EQ(upperBound(std::vector<int>{7}), 0);
    EXPECT_EQ(upperBound(std::vector<int>{7, 8, 9}), 2);
}

struct SubstringCase
{
    const char* name;
    std::u16string_view result;
    std::u16string_view expected;
};

class Substring : public ::testing::TestWithParam<SubstringCase>
{
};

TEST_P(Substring, CountsFromOneAndStopsAtTheEnd)
{
    EXPECT_EQ(GetParam().result, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Runtime, Substring,
                         ::testing::Values(SubstringCase{"LeftTakesFirst", left(u"&HFE", 2), u"&H"},
                                           SubstringCase{"LeftOfShortText", left(u"F", 2), u"F"},
                                           SubstringCase{"LeftOfEmpty", left(u"", 2), u""},
                                           SubstringCase{"RightTakesLast", right(u"12345678", 2), u"78"},
                                           SubstringCase{"RightOfShortText", right(u"0000000", 8), u"0000000"},
                                           SubstringCase{"MidFromThird", mid(u"&HFE", 3), u"FE"},
                                           SubstringCase{"MidWithCount", mid(u"12345678", 5, 2), u"56"},
                                           SubstringCase{"MidPastEnd", mid(u"&H", 3), u""},
                                           SubstringCase{"MidCountBeyondEnd", mid(u"1234567", 7, 2), u"7"},
                                           SubstringCase{"MidFromZeroIsEmpty", mid(u"12", 0), u""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpperCase, CapitalisesOnlyLatinLetters)
{
    EXPECT_EQ(upperCase(u"&hfe"), u"&HFE");
    EXPECT_EQ(upperCase(u"az AZ 09 {}`@"), u"AZ AZ 09 {}`@");
    EXPECT_EQ(upperCase(u"\u00e9\u0127"), u"\u00e9\u0127"); // other scripts pass through unchanged
}

TEST(HexDigit, AcceptsOnlyAsciiHexDigits)
{
    for (char16_t c : std::u16string(u"0123456789ABCDEFabcdef"))
        EXPECT_TRUE(isHexDigit(c)) << static_cast<int>(c);
    // Neighbours of each range, and digits and letters of other scripts.
    for (char16_t c : std::u16string(u"/:@G`g \u0660\uFF10\uFF21\u00AA"))
        EXPECT_FALSE(isHexDigit(c)) << static_cast<int>(c);
}

} // namespace
