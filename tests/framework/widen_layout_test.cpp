#include "platform/framework/widen_layout.h"

#include <gtest/gtest.h>

namespace kvn {
namespace {

LayoutItem Item(int x, int y, int w, int h, int needed = 0) {
    return LayoutItem{x, y, w, h, needed};
}

// The graphics dialog's controls, in dialog units.
enum {
    kOk,
    kCancel,
    kCheck,
    kMipGroup,
    kOn,
    kOff,
    kMipAuto,
    kTitleGroup,
    kAgpGroup,
    kAgpAuto,
    kSpecify,
    kEdit,
    kSpin,
    kPicture,
    kTool,
    kCount
};
std::vector<LayoutItem> GraphicsDialog() {
    std::vector<LayoutItem> items(kCount);
    items[kOk] = Item(95, 145, 50, 14);
    items[kCancel] = Item(183, 145, 50, 14);
    items[kCheck] = Item(137, 28, 109, 10);
    items[kMipGroup] = Item(261, 34, 58, 67);
    items[kOn] = Item(277, 55, 38, 10);
    items[kOff] = Item(277, 69, 39, 10);
    items[kMipAuto] = Item(277, 84, 39, 10);
    items[kTitleGroup] = Item(7, 7, 326, 127);
    items[kAgpGroup] = Item(107, 50, 138, 51);
    items[kAgpAuto] = Item(112, 66, 55, 10);
    items[kSpecify] = Item(112, 82, 55, 10);
    items[kEdit] = Item(179, 79, 46, 14);
    items[kSpin] = Item(225, 79, 9, 14);
    items[kPicture] = Item(20, 23, 68, 99);
    items[kTool] = Item(107, 111, 210, 14);
    return items;
}

bool Same(const LayoutItem& a, const LayoutItem& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

TEST(WidenToFit, ChangesNothingWhenEveryCaptionFits) {
    std::vector<LayoutItem> items = GraphicsDialog();
    items[kSpecify].neededWidth = 55;
    items[kOk].neededWidth = 30;
    const std::vector<LayoutItem> before = items;
    EXPECT_EQ(WidenToFit(items), 0);
    for (int i = 0; i < kCount; ++i)
        EXPECT_TRUE(Same(items[i], before[i])) << i;
}

TEST(WidenToFit, RowMovesRightWhatReachesAcrossGrowsTheRestStays) {
    std::vector<LayoutItem> items = GraphicsDialog();
    const std::vector<LayoutItem> before = items;
    items[kSpecify].neededWidth = 75; // 20 more than it has

    EXPECT_EQ(WidenToFit(items), 20);

    EXPECT_EQ(items[kSpecify].w, 75);
    // Its row to the right, and the MipMapping frame with all of its buttons,
    // though only one of them shares the row.
    for (int i : {kEdit, kSpin, kMipGroup, kOn, kOff, kMipAuto}) {
        EXPECT_EQ(items[i].x, before[i].x + 20) << i;
        EXPECT_EQ(items[i].w, before[i].w) << i;
    }
    // The frames around it, and within them what reaches across its edge,
    // so that right edges stay aligned.
    for (int i : {kAgpGroup, kTitleGroup, kCheck, kTool, kAgpAuto}) {
        EXPECT_EQ(items[i].x, before[i].x) << i;
        EXPECT_EQ(items[i].w, before[i].w + 20) << i;
    }
    // Left of it, or outside the frames.
    for (int i : {kOk, kCancel, kPicture})
        EXPECT_TRUE(Same(items[i], before[i])) << i;
}

TEST(WidenToFit, GrowthsInOneRowAddUp) {
    std::vector<LayoutItem> items = {Item(0, 0, 10, 10, 15), Item(20, 0, 10, 10, 18),
                                     Item(40, 0, 10, 10), Item(0, 20, 10, 10)};
    EXPECT_EQ(WidenToFit(items), 13);
    EXPECT_TRUE(Same(items[0], Item(0, 0, 15, 10)));
    EXPECT_TRUE(Same(items[1], Item(25, 0, 18, 10)));
    EXPECT_TRUE(Same(items[2], Item(53, 0, 10, 10)));
    EXPECT_TRUE(Same(items[3], Item(0, 20, 10, 10)));
}

TEST(WidenToFit, ColumnWidensByItsLargestGrowthInEitherOrder) {
    // In a frame, two buttons above each other with different right edges,
    // both too narrow, and a control right of each.
    const LayoutItem upper = Item(10, 0, 55, 10, 70);
    const LayoutItem lower = Item(10, 20, 50, 10, 75);
    for (bool upperFirst : {true, false}) {
        std::vector<LayoutItem> items = {upperFirst ? upper : lower, upperFirst ? lower : upper,
                                         Item(5, -5, 100, 40), Item(80, 0, 20, 10),
                                         Item(80, 20, 20, 10)};
        EXPECT_EQ(WidenToFit(items), 25);
        EXPECT_EQ(items[upperFirst ? 0 : 1].w, 80); // grew with the frame
        EXPECT_EQ(items[upperFirst ? 1 : 0].w, 75);
        EXPECT_EQ(items[2].w, 125);
        EXPECT_EQ(items[3].x, 105);
        EXPECT_EQ(items[4].x, 105);
    }
}

TEST(WidenToFit, GroupBoxCaptionPushesWhatIsRightOfItButNotWhatIsBelow) {
    std::vector<LayoutItem> items = {Item(0, 0, 50, 40, 70), Item(5, 10, 30, 10),
                                     Item(60, 30, 20, 10), Item(60, 50, 20, 10)};
    EXPECT_EQ(WidenToFit(items), 20);
    EXPECT_TRUE(Same(items[0], Item(0, 0, 70, 40)));
    EXPECT_TRUE(Same(items[1], Item(5, 10, 30, 10)));
    EXPECT_TRUE(Same(items[2], Item(80, 30, 20, 10)));
    EXPECT_TRUE(Same(items[3], Item(60, 50, 20, 10))); // below the frame
}

TEST(WidenToFit, InnerGrowthWithinTheRightEdgeDoesNotWidenTheDialog) {
    std::vector<LayoutItem> items = {Item(0, 0, 10, 10, 20), Item(0, 20, 100, 10)};
    EXPECT_EQ(WidenToFit(items), 0);
    EXPECT_EQ(items[0].w, 20);
}

TEST(WidenToFit, AtMostTheRoomGivenWideCaptionsGetLessAndButtonsStayCentred) {
    std::vector<LayoutItem> items = GraphicsDialog();
    for (LayoutItem& item : items)
        item.button = &item == &items[kOk] || &item == &items[kCancel];
    items[kCheck].neededWidth = 400;
    items[kSpecify].neededWidth = 300;
    items[kOn].neededWidth = 50;
    const int growth = WidenToFit(items, 100);
    EXPECT_LE(growth, 100);
    EXPECT_GE(growth, 99);
    EXPECT_EQ(items[kOn].w, 50); // fits as it is
    // The two wide captions get less than they need.
    EXPECT_LT(items[kSpecify].w, 300);
    EXPECT_LT(items[kCheck].w, 400);
    // The pair's centre moves by half the growth.
    EXPECT_NEAR(items[kOk].x + items[kCancel].x + items[kCancel].w, 95 + 233 + growth, 1);
}

} // namespace
} // namespace kvn
