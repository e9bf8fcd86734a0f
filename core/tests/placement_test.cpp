#include "core/placement.h"

#include <gtest/gtest.h>

namespace zarv {
namespace {

constexpr Rect kScreen{0, 0, 1920, 1080};

TEST(PlaceBarAtPointerTest, BottomRightCornerAtThePointer) {
    EXPECT_EQ(PlaceBarAtPointer({500, 400}, 200, 30, kScreen), (Point{300, 370}));
    EXPECT_EQ(PlaceBarAtPointer({1920, 1080}, 200, 30, kScreen), (Point{1720, 1050}));
}

TEST(PlaceBarAtPointerTest, PushedInsideTheArea) {
    EXPECT_EQ(PlaceBarAtPointer({10, 10}, 200, 30, kScreen), (Point{0, 0}));
    EXPECT_EQ(PlaceBarAtPointer({2500, 10}, 200, 30, kScreen), (Point{1720, 0}));
    // Larger than the area: flush with the bottom-right, the last rule wins.
    EXPECT_EQ(PlaceBarAtPointer({10, 10}, 2000, 30, kScreen), (Point{-80, 0}));
}

TEST(PlaceBarAtPointerTest, SecondMonitor) {
    const Rect right{1920, 0, 3200, 1024};
    EXPECT_EQ(PlaceBarAtPointer({1930, 5}, 200, 30, right), (Point{1920, 0}));
    EXPECT_EQ(PlaceBarAtPointer({3000, 500}, 200, 30, right), (Point{2800, 470}));
    const Rect above{0, -1080, 1920, 0};
    EXPECT_EQ(PlaceBarAtPointer({100, -1070}, 200, 30, above), (Point{0, -1080}));
}

// The primary monitor with the taskbar at the bottom: the work area starts at (0, 0).
constexpr Rect kPrimaryWork{0, 0, 1920, 1040};

TEST(PlaceAtPointerTest, BottomRightAtThePointerFlippingNearTheTopAndLeftEdges) {
    EXPECT_EQ(PlaceAtPointer({700, 500}, 640, 360, kPrimaryWork), (Point{60, 140}));
    EXPECT_EQ(PlaceAtPointer({100, 500}, 640, 360, kPrimaryWork), (Point{100, 140}));
    EXPECT_EQ(PlaceAtPointer({700, 50}, 640, 360, kPrimaryWork), (Point{60, 50}));
    EXPECT_EQ(PlaceAtPointer({10, 20}, 640, 360, kPrimaryWork), (Point{10, 20}));
    // Exactly at the edge: no flip.
    EXPECT_EQ(PlaceAtPointer({640, 360}, 640, 360, kPrimaryWork), (Point{0, 0}));
}

TEST(PlaceAtPointerTest, AFlippedWindowIsMovedBackInsideTheRightAndBottomEdges) {
    // 150 % on a 1280 x 800 screen: the flipped editor would reach to 1660 x 840.
    const Rect small{0, 0, 1280, 800};
    EXPECT_EQ(PlaceAtPointer({700, 300}, 960, 540, small), (Point{320, 260}));
    // Flush with the edges it would cross, no further.
    EXPECT_EQ(PlaceAtPointer({1000, 100}, 640, 360, kPrimaryWork), (Point{360, 100}));
    EXPECT_EQ(PlaceAtPointer({100, 900}, 640, 360, kPrimaryWork), (Point{100, 540}));
    EXPECT_EQ(PlaceAtPointer({5000, 4000}, 640, 360, kPrimaryWork), (Point{1280, 680}));
    // On a monitor right of the primary, and one smaller than the window: its top-left corner
    // stays on the work area.
    EXPECT_EQ(PlaceAtPointer({2500, 100}, 960, 540, Rect{1920, 0, 3200, 1024}), (Point{2240, 100}));
    EXPECT_EQ(PlaceAtPointer({100, 100}, 640, 360, Rect{0, 0, 600, 300}), (Point{0, 0}));
}

TEST(PlaceAtPointerTest, FlipsAtTheEdgesOfTheMonitorUnderThePointer) {
    // Left of the primary: every x is negative, yet the middle of it does not flip.
    const Rect left{-1920, 0, 0, 1040};
    EXPECT_EQ(PlaceAtPointer({-1000, 500}, 640, 360, left), (Point{-1640, 140}));
    EXPECT_EQ(PlaceAtPointer({-1900, 500}, 640, 360, left), (Point{-1900, 140}));
    EXPECT_EQ(PlaceAtPointer({-1280, 360}, 640, 360, left), (Point{-1920, 0}));
    // Above the primary: every y is negative.
    const Rect above{0, -1080, 1920, 0};
    EXPECT_EQ(PlaceAtPointer({1000, -300}, 640, 360, above), (Point{360, -660}));
    EXPECT_EQ(PlaceAtPointer({1000, -1000}, 640, 360, above), (Point{360, -1000}));
    // Right of the primary: its left edge is 1920, not 0.
    const Rect right{1920, 0, 3200, 1024};
    EXPECT_EQ(PlaceAtPointer({2000, 500}, 640, 360, right), (Point{2000, 140}));
}

TEST(PlaceAtPointerTest, ATaskbarAtTheTopOrLeftIsAnEdgeToo) {
    const Rect topBar{0, 40, 1920, 1080};
    EXPECT_EQ(PlaceAtPointer({700, 380}, 640, 360, topBar), (Point{60, 380}));
    EXPECT_EQ(PlaceAtPointer({700, 400}, 640, 360, topBar), (Point{60, 40}));
    const Rect leftBar{60, 0, 1920, 1080};
    EXPECT_EQ(PlaceAtPointer({650, 500}, 640, 360, leftBar), (Point{650, 140}));
}

TEST(PlaceDropDownTest, BelowTheBoxOrAboveWhereThereIsMoreRoomAndNeverOffTheArea) {
    const Rect box{300, 500, 477, 520};
    EXPECT_EQ(PlaceDropDown(box, 177, 120, kPrimaryWork), (Rect{300, 520, 477, 640}));
    // Near the taskbar: above, and cut to the room above when even that is short.
    EXPECT_EQ(PlaceDropDown({300, 1000, 477, 1020}, 177, 120, kPrimaryWork),
              (Rect{300, 880, 477, 1000}));
    EXPECT_EQ(PlaceDropDown({300, 50, 477, 70}, 177, 2000, kPrimaryWork),
              (Rect{300, 70, 477, 1040}));
    // Wider than the room to its right: moved left; wider than the area: as wide as it.
    EXPECT_EQ(PlaceDropDown({1800, 500, 1900, 520}, 400, 60, kPrimaryWork),
              (Rect{1520, 520, 1920, 580}));
    EXPECT_EQ(PlaceDropDown(box, 5000, 60, kPrimaryWork), (Rect{0, 520, 1920, 580}));
}

TEST(EditorTableBoundsTest, TableFollowsTheWindow) {
    EXPECT_EQ(EditorTableBounds(800, 500, 92), (Rect{8, 8, 8 + 684, 8 + 452}));
    EXPECT_EQ(EditorTableBounds(640, 360, 92), (Rect{8, 8, 8 + 524, 8 + 312}));
    EXPECT_EQ(EditorTableBounds(100, 40, 92), (Rect{8, 8, 8, 8}));
}

}  // namespace
}  // namespace zarv
