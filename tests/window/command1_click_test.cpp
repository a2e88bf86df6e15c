// A click of Command1: the conversion, and an error the conversion does not trap.
#include "window/command1_click.h"

#include "tests/support/fake_form.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

TEST(Command1Click, ConvertsAndCarriesOn)
{
    FakeForm form;
    form.setText(Field::Text1, u"FE FE 00 90 01 05 FD");
    EXPECT_EQ(clickCommand1(form), 0);
    EXPECT_EQ(form.text(Field::Text2), u"254 254 0 144 1 5");
    EXPECT_TRUE(form.shown.empty());
}

struct UntrappedCase
{
    const char* name;
    void (*fail)(FakeForm&);
    std::u16string prompt;
};

void PrintTo(const UntrappedCase& c, std::ostream* out)
{
    *out << c.name;
}

class Command1ClickUntrapped : public ::testing::TestWithParam<UntrappedCase>
{
};

TEST_P(Command1ClickUntrapped, IsShownThenEndsWithStatusOne)
{
    FakeForm form;
    form.setText(Field::Text1, u"FE FE");
    GetParam().fail(form);
    EXPECT_EQ(clickCommand1(form), 1);
    ASSERT_EQ(form.shown.size(), 1u);
    EXPECT_EQ(form.shown[0].prompt, GetParam().prompt);
    EXPECT_EQ(form.shown[0].style, MessageStyle::Critical);
    EXPECT_EQ(form.shown[0].title, u"Vantrel Hex to Decimal Converter");
}

INSTANTIATE_TEST_SUITE_P(
    Error, Command1ClickUntrapped,
    ::testing::Values(UntrappedCase{"FieldRefused", [](FakeForm& form) { form.refusedField = Field::Text2; },
                                    u"field refused its text"},
                      // Not a runtime error: raised where the conversion traps those, it goes on past them.
                      UntrappedCase{"OutOfMemory", [](FakeForm& form) { form.outOfMemoryField = Field::Text3; },
                                    u"std::bad_alloc"}),
    [](const auto& info) { return std::string(info.param.name); });
