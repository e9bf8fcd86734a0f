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

}  // namespace
}  // namespace zarv
