#include "core/tray_click.h"

#include <gtest/gtest.h>

#include <utility>

namespace zarv {
namespace {

// Feeds the notifications of one icon to the model the way the callback window does and counts
// the clicks raised when waits end.
struct Icon {
    TrayClick click;
    bool hasOnClick = true;
    int clicks = 0;

    unsigned Up() { return click.ButtonUp(hasOnClick); }
    void DblClk() { click.DoubleClick(); }
    void End(unsigned wait) {
        if (click.WaitEnded(wait, hasOnClick)) ++clicks;
    }
};

TEST(TrayClickTest, SingleClickRaisesOnceWhenTheWaitEnds) {
    Icon icon;
    unsigned wait = icon.Up();
    ASSERT_NE(wait, 0u);
    EXPECT_TRUE(icon.click.Pending());
    EXPECT_EQ(icon.clicks, 0);  // nothing before the wait is over
    icon.End(wait);
    EXPECT_EQ(icon.clicks, 1);
    EXPECT_FALSE(icon.click.Pending());
    icon.End(wait);  // a repeated end notice raises nothing more
    EXPECT_EQ(icon.clicks, 1);
}

TEST(TrayClickTest, DoubleClickRaisesNoClick) {
    Icon icon;
    unsigned wait = icon.Up();  // down, up
    icon.DblClk();
    EXPECT_EQ(icon.Up(), 0u);  // the second up starts no wait
    EXPECT_FALSE(icon.click.Pending());
    icon.End(wait);
    EXPECT_EQ(icon.clicks, 0);

    // A busy shell can hand the double-click notice over after the first click's wait has ended
    // and raised that click. The notice marks the click pending again, so the second button-up
    // ends the double click instead of starting a click of its own.
    Icon late;
    late.End(late.Up());
    ASSERT_EQ(late.clicks, 1);
    late.DblClk();
    EXPECT_TRUE(late.click.Pending());
    EXPECT_EQ(late.Up(), 0u);
    EXPECT_FALSE(late.click.Pending());
    EXPECT_EQ(late.clicks, 1);
}

TEST(TrayClickTest, ClicksFartherApartThanTheWaitRaiseTwice) {
    Icon icon;
    icon.End(icon.Up());
    icon.End(icon.Up());
    EXPECT_EQ(icon.clicks, 2);
}

TEST(TrayClickTest, SwitchingOffCancelsThePendingClick) {
    Icon icon;
    unsigned wait = icon.Up();
    icon.click.Cancel();
    icon.End(wait);
    EXPECT_EQ(icon.clicks, 0);
}

TEST(TrayClickTest, WithoutClickHandlerNothingIsPendingOrRaised) {
    Icon icon;
    icon.hasOnClick = false;
    EXPECT_EQ(icon.Up(), 0u);
    EXPECT_FALSE(icon.click.Pending());

    // A handler removed while the wait runs: nothing is raised, and the click is over.
    icon.hasOnClick = true;
    unsigned wait = icon.Up();
    icon.hasOnClick = false;
    icon.End(wait);
    EXPECT_EQ(icon.clicks, 0);
    EXPECT_FALSE(icon.click.Pending());
}

TEST(TrayClickTest, OnlyTheLatestWaitCounts) {
    // Switched off and on again during a wait, then clicked: the first wait ends early and must
    // not raise the second click before its own wait is over.
    Icon icon;
    unsigned first = icon.Up();
    icon.click.Cancel();
    unsigned second = icon.Up();
    ASSERT_NE(second, 0u);
    EXPECT_NE(first, second);
    icon.End(first);
    EXPECT_EQ(icon.clicks, 0);
    EXPECT_TRUE(icon.click.Pending());
    icon.End(second);
    EXPECT_EQ(icon.clicks, 1);

    // A triple click: down, up, double-click, up, down, up, with the icon switched off and on
    // between the first two clicks. The double-click notice makes the click pending again, so
    // the second up starts no wait; the third click waits its own time.
    Icon triple;
    unsigned w1 = triple.Up();
    triple.click.Cancel();
    triple.DblClk();
    EXPECT_EQ(triple.Up(), 0u);
    unsigned w3 = triple.Up();
    ASSERT_NE(w3, 0u);
    triple.End(w1);
    EXPECT_EQ(triple.clicks, 0);
    EXPECT_TRUE(triple.click.Pending());
    triple.End(w3);
    EXPECT_EQ(triple.clicks, 1);
}

TEST(TrayClickTest, AWaitOfOneIconNeverReachesAnother) {
    // A new icon may get the sequence number of a destroyed one that still had a wait running.
    Icon gone;
    unsigned stale = gone.Up();
    Icon fresh;
    unsigned own = fresh.Up();
    fresh.End(stale);
    EXPECT_EQ(fresh.clicks, 0);
    EXPECT_TRUE(fresh.click.Pending());
    fresh.End(own);
    EXPECT_EQ(fresh.clicks, 1);
}

TEST(TrayKeysTest, KeysOpenTheMenusAndAClicksFollowUpOpensNothing) {
    using E = TrayKeys::Event;
    using O = TrayKeys::Open;
    TrayKeys keys;
    // Keys, then a left click (down, up, a move, the selection), a right click (down, the
    // context menu), and the keys again: only the one follow-up of a click is the mouse's.
    const std::pair<E, O> steps[] = {{E::KeySelect, O::LeftMenu},  {E::ContextMenu, O::RightMenu},
                                     {E::Select, O::LeftMenu},     {E::LeftButton, O::Nothing},
                                     {E::LeftButton, O::Nothing},  {E::Other, O::Nothing},
                                     {E::Select, O::Nothing},      {E::RightButton, O::Nothing},
                                     {E::ContextMenu, O::Nothing}, {E::ContextMenu, O::RightMenu},
                                     {E::RightButton, O::Nothing}, {E::KeySelect, O::LeftMenu}};
    for (const auto& [event, open] : steps) EXPECT_EQ(keys.Notify(event), open);
}

}  // namespace
}  // namespace zarv
