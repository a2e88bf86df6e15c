// A click of Command1: the conversion, and an error the conversion does not trap.
#include "window/command1_click.h"

#include "tests/support/fake_form.h"

#include <gtest/gtest.h>

TEST(Command1Click, ConvertsAndCarriesOn)
{
    FakeForm form;
    form.setText(Field::Text1, u"FE FE 00 90 01 05 FD");
    EXPECT_EQ(clickCommand1(form), 0);
    EXPECT_EQ(form.text(Field::Text2), u"254 254 0 144 1 5");
    EXPECT_TRUE(form.shown.empty());
}

TEST(Command1Click, UntrappedErrorIsShownThenEndsWithStatusOne)
{
    FakeForm form;
    form.setText(Field::Text1, u"FE FE");
    form.refusedField = Field::Text2;
    EXPECT_EQ(clickCommand1(form), 1);
    ASSERT_EQ(form.shown.size(), 1u);
    EXPECT_EQ(form.shown[0].prompt, u"field refused its text");
    EXPECT_EQ(form.shown[0].style, MessageStyle::Critical);
    EXPECT_EQ(form.shown[0].title, u"Vantrel Hex to Decimal Converter");
}
