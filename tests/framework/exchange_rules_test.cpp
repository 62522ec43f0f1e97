#include "platform/framework/exchange_rules.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "platform/framework/resource_registry.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace kvn {
namespace {

TEST(IntegerExchange, AcceptsSignedNumbersBetweenBlanks) {
    EXPECT_EQ(ParseExchangeInteger("64"), 64);
    EXPECT_EQ(ParseExchangeInteger("  \t64"), 64);
    EXPECT_EQ(ParseExchangeInteger("64 \t "), 64);
    EXPECT_EQ(ParseExchangeInteger("+7"), 7);
    EXPECT_EQ(ParseExchangeInteger("-8"), -8);
    EXPECT_EQ(ParseExchangeInteger("007"), 7);
}

TEST(IntegerExchange, RefusesTrailingTextAndInnerBlanks) {
    EXPECT_EQ(ParseExchangeInteger("64MB"), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("6 4"), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("0x10"), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("- 5"), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("abc"), std::nullopt);
    // Only blanks and tabs count as blanks.
    EXPECT_EQ(ParseExchangeInteger("5\n"), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("\n5"), std::nullopt);
}

TEST(IntegerExchange, ZeroCountsOnlyWhenWrittenAsZero) {
    EXPECT_EQ(ParseExchangeInteger("0"), 0);
    EXPECT_EQ(ParseExchangeInteger("  00 "), 0);
    EXPECT_EQ(ParseExchangeInteger(""), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("   "), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("-0"), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("+0"), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("-"), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("+"), std::nullopt);
}

TEST(IntegerExchange, ClampsBeyondThirtyTwoBits) {
    EXPECT_EQ(ParseExchangeInteger("2147483647"), INT_MAX);
    EXPECT_EQ(ParseExchangeInteger("2147483648"), INT_MAX);
    EXPECT_EQ(ParseExchangeInteger("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseExchangeInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseExchangeInteger("-2147483649"), INT_MIN);
    EXPECT_EQ(ParseExchangeInteger("-99999999999999999999"), INT_MIN);
}

TEST(IntegerExchange, ReadsAtMostThirtyOneCharacters) {
    // Text after the 31st character is never seen.
    EXPECT_EQ(ParseExchangeInteger(std::string(30, ' ') + "5x"), 5);
    EXPECT_EQ(ParseExchangeInteger(std::string(31, ' ') + "5"), std::nullopt);
    EXPECT_EQ(ParseExchangeInteger("12" + std::string(29, ' ') + "junk"), 12);
    EXPECT_EQ(ParseExchangeInteger(std::string(31, '9') + "-"), INT_MAX);
}

TEST(RadioWalk, GroupsOfTheGraphicsTemplate) {
    RegisterDialogTemplates(DialogTemplates());
    const DialogTemplate* t = FindDialogTemplate(IDD_GRAPHICS_DIALOG);
    ASSERT_NE(t, nullptr);
    // Group boxes between the groups do not end a group; a group start does.
    EXPECT_EQ(RadioGroupIds(t->controls, IDC_MIP_ON),
              (std::vector<int>{IDC_MIP_ON, IDC_MIP_OFF, IDC_MIP_AUTO}));
    EXPECT_EQ(RadioGroupIds(t->controls, IDC_AGP_AUTO),
              (std::vector<int>{IDC_AGP_AUTO, IDC_AGP_SPECIFY}));
}

TEST(RadioWalk, StartsAtTheGivenButtonAndStopsAtTheNextGroup) {
    using K = ControlKind;
    const ControlTemplate controls[] = {
        {1, K::RadioButton, "a", kGroup, 0, 0, 1, 1},
        {2, K::RadioButton, "b", 0, 0, 0, 1, 1},
        {3, K::Text, "t", 0, 0, 0, 1, 1},
        {4, K::RadioButton, "c", 0, 0, 0, 1, 1},
        {5, K::Edit, nullptr, kGroup, 0, 0, 1, 1},
        {6, K::RadioButton, "d", 0, 0, 0, 1, 1},
    };
    EXPECT_EQ(RadioGroupIds(controls, 1), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(RadioGroupIds(controls, 2), (std::vector<int>{2, 4}));
    EXPECT_EQ(RadioGroupIds(controls, 5), (std::vector<int>{6}));
    EXPECT_TRUE(RadioGroupIds(controls, 99).empty());
}

TEST(CheckExchange, ResetsValuesOutsideZeroToTwo) {
    for (int kept : {0, 1, 2}) {
        int value = kept;
        EXPECT_EQ(CheckStateForControl(value), kept);
        EXPECT_EQ(value, kept);
    }
    for (int reset : {-1, 3, 7, INT_MIN, INT_MAX}) {
        int value = reset;
        EXPECT_EQ(CheckStateForControl(value), 0);
        EXPECT_EQ(value, 0) << reset;
    }
}

TEST(RangeExchange, MessageNamesTheBounds) {
    EXPECT_EQ(FormatRangeMessage(kEnterIntegerRangeMessage, 0, 128),
              "Please enter an integer between 0 and 128.");
    EXPECT_EQ(FormatRangeMessage("%2 %1 %3 %", -5, 7), "7 -5 %3 %");
}

} // namespace
} // namespace kvn
