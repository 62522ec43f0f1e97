#include "platform/framework/widen_layout.h"

#include <gtest/gtest.h>

namespace kvn {
namespace {

LayoutItem Box(int x, int y, int w, int h, int needed = 0) {
    return LayoutItem{x, y, w, h, needed, true};
}
LayoutItem Control(int x, int y, int w, int h, int needed = 0) {
    return LayoutItem{x, y, w, h, needed, false};
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
    items[kOk] = Control(95, 145, 50, 14);
    items[kCancel] = Control(183, 145, 50, 14);
    items[kCheck] = Control(137, 28, 109, 10);
    items[kMipGroup] = Box(261, 34, 58, 67);
    items[kOn] = Control(277, 55, 38, 10);
    items[kOff] = Control(277, 69, 39, 10);
    items[kMipAuto] = Control(277, 84, 39, 10);
    items[kTitleGroup] = Box(7, 7, 326, 127);
    items[kAgpGroup] = Box(107, 50, 138, 51);
    items[kAgpAuto] = Control(112, 66, 55, 10);
    items[kSpecify] = Control(112, 82, 55, 10);
    items[kEdit] = Control(179, 79, 46, 14);
    items[kSpin] = Control(225, 79, 9, 14);
    items[kPicture] = Control(20, 23, 68, 99);
    items[kTool] = Control(107, 111, 210, 14);
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

TEST(WidenToFit, RowMovesRightContainersGrowTheRestStays) {
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
    // The frames around it.
    for (int i : {kAgpGroup, kTitleGroup}) {
        EXPECT_EQ(items[i].x, before[i].x) << i;
        EXPECT_EQ(items[i].w, before[i].w + 20) << i;
    }
    // Left of it, reaching across it, or in other rows.
    for (int i : {kOk, kCancel, kCheck, kAgpAuto, kPicture, kTool})
        EXPECT_TRUE(Same(items[i], before[i])) << i;
}

TEST(WidenToFit, GrowthsInOneRowAddUp) {
    std::vector<LayoutItem> items = {Control(0, 0, 10, 10, 15), Control(20, 0, 10, 10, 18),
                                     Control(40, 0, 10, 10), Control(0, 20, 10, 10)};
    EXPECT_EQ(WidenToFit(items), 13);
    EXPECT_TRUE(Same(items[0], Control(0, 0, 15, 10)));
    EXPECT_TRUE(Same(items[1], Control(25, 0, 18, 10)));
    EXPECT_TRUE(Same(items[2], Control(53, 0, 10, 10)));
    EXPECT_TRUE(Same(items[3], Control(0, 20, 10, 10)));
}

TEST(WidenToFit, GroupBoxCaptionPushesWhatIsRightOfIt) {
    std::vector<LayoutItem> items = {Box(0, 0, 50, 40, 70), Control(5, 10, 30, 10),
                                     Control(60, 30, 20, 10), Control(60, 50, 20, 10)};
    EXPECT_EQ(WidenToFit(items), 20);
    EXPECT_TRUE(Same(items[0], Box(0, 0, 70, 40)));
    EXPECT_TRUE(Same(items[1], Control(5, 10, 30, 10)));
    EXPECT_TRUE(Same(items[2], Control(80, 30, 20, 10)));
    EXPECT_TRUE(Same(items[3], Control(60, 50, 20, 10))); // below the frame
}

TEST(WidenToFit, InnerGrowthWithinTheRightEdgeDoesNotWidenTheDialog) {
    std::vector<LayoutItem> items = {Control(0, 0, 10, 10, 20), Control(0, 20, 100, 10)};
    EXPECT_EQ(WidenToFit(items), 0);
    EXPECT_EQ(items[0].w, 20);
}

} // namespace
} // namespace kvn
