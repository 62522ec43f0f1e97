#include "platform/framework/updown_rules.h"

#include <gtest/gtest.h>

namespace kvn {
namespace {

// The graphics dialog's range: minimum 128 at the bottom, maximum 0 at the top.
constexpr UpDownRange kInverted{128, 0};

TEST(UpDownStart, TakesTheBuddyTextOnlyWhenItIsAWholeNumberInRange) {
    EXPECT_EQ(UpDownStartPosition("64", 5, kInverted), 64);
    EXPECT_EQ(UpDownStartPosition(" 0 ", 5, kInverted), 0);
    EXPECT_EQ(UpDownStartPosition("128", 5, kInverted), 128);
    EXPECT_EQ(UpDownStartPosition("129", 5, kInverted), 5);
    EXPECT_EQ(UpDownStartPosition("-1", 5, kInverted), 5);
    EXPECT_EQ(UpDownStartPosition("", 5, kInverted), 5);
    EXPECT_EQ(UpDownStartPosition("6x", 5, kInverted), 5);
    EXPECT_EQ(UpDownStartPosition("99999999999999", 5, kInverted), 5);
}

TEST(UpDownStep, InvertedRangeProposesTheOppositeChange) {
    // The up arrow moves towards the range's upper end, here 0.
    EXPECT_EQ(UpDownProposedDelta(true, 1, kInverted), -1);
    EXPECT_EQ(UpDownProposedDelta(false, 1, kInverted), 1);
    EXPECT_EQ(UpDownProposedDelta(true, 5, UpDownRange{0, 128}), 5);
    EXPECT_EQ(UpDownProposedDelta(false, 5, UpDownRange{0, 128}), -5);
}

TEST(UpDownStep, StopsAtTheLimitsWithoutWrapping) {
    EXPECT_EQ(UpDownApplyDelta(127, 1, kInverted), 128);
    EXPECT_EQ(UpDownApplyDelta(128, 1, kInverted), 128);
    EXPECT_EQ(UpDownApplyDelta(0, -1, kInverted), 0);
    EXPECT_EQ(UpDownApplyDelta(3, -20, kInverted), 0);
    EXPECT_EQ(UpDownApplyDelta(2147483647, 1, UpDownRange{0, 2147483647}), 2147483647);
}

} // namespace
} // namespace kvn
