#pragma once
// Placing a small window at the mouse pointer, kept inside a screen area.

namespace zarv {

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left, top, right, bottom;
};

// Top-left corner for a width x height window whose bottom-right corner is at the pointer,
// pushed inside the area: first off its top and left edges, then off its bottom and right edges
// (so a window larger than the area ends up flush with the bottom and right).
Point PlaceBarAtPointer(Point pointer, int width, int height, Rect area);

}  // namespace zarv
