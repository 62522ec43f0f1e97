#include "platform/framework/message_map.h"

#include <gtest/gtest.h>

namespace {

class Base : public CCmdTarget {
  public:
    int baseClicks = 0;
    int paints = 0;
    void OnBaseClick() { ++baseClicks; }
    void OnPaint() { ++paints; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Base, CCmdTarget)
ON_BN_CLICKED(7, &Base::OnBaseClick)
ON_WM_PAINT(&Base::OnPaint)
END_MESSAGE_MAP()

class Derived : public Base {
  public:
    int clicks = 0;
    int lastDelta = 0;
    void OnClick() { ++clicks; }
    void OnDelta(NMHDR* header, LRESULT* result) {
        auto* change = reinterpret_cast<NMUPDOWN*>(header);
        lastDelta = change->iDelta;
        change->iDelta = -change->iDelta;
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Derived, Base)
ON_BN_CLICKED(7, &Derived::OnClick)
ON_BN_CLICKED(8, &Derived::OnClick)
ON_NOTIFY(UDN_DELTAPOS, 9, &Derived::OnDelta)
END_MESSAGE_MAP()

TEST(MessageMap, TheMostDerivedEntryWinsAndBasesAreSearched) {
    Derived target;
    MessageArgs click7{WM_COMMAND, BN_CLICKED, 7};
    MessageArgs click8{WM_COMMAND, BN_CLICKED, 8};
    MessageArgs paint{WM_PAINT};
    EXPECT_TRUE(target.DispatchMessage(click7));
    EXPECT_TRUE(target.DispatchMessage(click8));
    EXPECT_TRUE(target.DispatchMessage(paint));
    EXPECT_EQ(target.clicks, 2);
    EXPECT_EQ(target.baseClicks, 0);
    EXPECT_EQ(target.paints, 1);
}

TEST(MessageMap, MatchesMessageControlAndCode) {
    Derived target;
    MessageArgs otherControl{WM_COMMAND, BN_CLICKED, 9};
    MessageArgs otherCode{WM_NOTIFY, UDN_DELTAPOS, 8};
    EXPECT_FALSE(target.DispatchMessage(otherControl));
    EXPECT_FALSE(target.DispatchMessage(otherCode));

    NMUPDOWN change{{nullptr, 9, UDN_DELTAPOS}, 4, -1};
    MessageArgs notify{WM_NOTIFY, UDN_DELTAPOS, 9};
    notify.notification = &change.hdr;
    notify.result = 1;
    EXPECT_TRUE(target.DispatchMessage(notify));
    EXPECT_EQ(target.lastDelta, -1);
    EXPECT_EQ(change.iDelta, 1);
    EXPECT_EQ(notify.result, 0);
}

} // namespace
