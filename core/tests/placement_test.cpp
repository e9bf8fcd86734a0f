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

TEST(PlaceAtPointerTest, BottomRightAtThePointerFlippingNearTheTopAndLeftEdges) {
    EXPECT_EQ(PlaceAtPointer({700, 500}, 640, 360), (Point{60, 140}));
    EXPECT_EQ(PlaceAtPointer({100, 500}, 640, 360), (Point{100, 140}));
    EXPECT_EQ(PlaceAtPointer({700, 50}, 640, 360), (Point{60, 50}));
    EXPECT_EQ(PlaceAtPointer({10, 20}, 640, 360), (Point{10, 20}));
    // Exactly at the edge: no flip. Nothing pushes it off the right or bottom edge.
    EXPECT_EQ(PlaceAtPointer({640, 360}, 640, 360), (Point{0, 0}));
    EXPECT_EQ(PlaceAtPointer({5000, 4000}, 640, 360), (Point{4360, 3640}));
}

TEST(EditorTableBoundsTest, TableFollowsTheWindow) {
    EXPECT_EQ(EditorTableBounds(800, 500, 92), (Rect{8, 8, 8 + 684, 8 + 452}));
    EXPECT_EQ(EditorTableBounds(640, 360, 92), (Rect{8, 8, 8 + 524, 8 + 312}));
    EXPECT_EQ(EditorTableBounds(100, 40, 92), (Rect{8, 8, 8, 8}));
}

}  // namespace
}  // namespace zarv
