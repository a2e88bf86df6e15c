// Pasted and dropped text made one line: every kind of line break, where it stands, and what stays.
#include "textbox/pasted_text.h"

#include <gtest/gtest.h>

namespace {

struct PastedText
{
    const char* name;
    std::u16string_view pasted;
    std::u16string_view line;
};

const PastedText kPastedTexts[] = {
    {"CrLf", u"FE\r\nFE\r\n01", u"FE FE 01"},
    {"Cr", u"FE\rFE", u"FE FE"},
    {"Lf", u"FE\nFE", u"FE FE"},
    {"NextLine", u"FE\u0085FE", u"FE FE"},
    {"LineSeparator", u"FE\u2028FE", u"FE FE"},
    {"ParagraphSeparator", u"FE\u2029FE", u"FE FE"},
    {"BlankLineIsTwoBreaks", u"FE\n\nFE", u"FE  FE"},
    {"CrBeforeCrLf", u"FE\r\r\nFE", u"FE  FE"},
    {"LfCrIsTwoBreaks", u"FE\n\rFE", u"FE  FE"},
    {"LeadingBreakIsKept", u"\r\nFE FE", u" FE FE"},
    {"TrailingBreaksDropped", u"FE FE \r\n\n\u2029", u"FE FE "},
    {"OnlyBreaks", u"\r\n\r\n", u""},
    {"TabsStay", u"FE\tFE\n", u"FE\tFE"},
    {"SurrogatePairStays", u"\U0001F600\nFE", u"\U0001F600 FE"},
    {"NoBreak", u"FE FE 00 90 01 05 FD", u"FE FE 00 90 01 05 FD"},
};

class PastedTextTest : public testing::TestWithParam<PastedText>
{
};

TEST_P(PastedTextTest, BecomesOneLine)
{
    EXPECT_EQ(pasted_text::lineOf(std::u16string(GetParam().pasted)), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Paste, PastedTextTest, testing::ValuesIn(kPastedTexts),
                         [](const testing::TestParamInfo<PastedText>& info) { return info.param.name; });

} // namespace
