#pragma once
// Where the program's windows go: small windows at the mouse pointer, and the table of a list
// editor inside its window.

namespace zarv {

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

// Top-left corner for a width x height window whose bottom-right corner is at the pointer,
// pushed inside the area: first off its top and left edges, then off its bottom and right edges
// (so a window larger than the area ends up flush with the bottom and right).
Point PlaceBarAtPointer(Point pointer, int width, int height, Rect area);

// Top-left corner of an editor or dialog: its bottom-right corner at the pointer; when that puts
// the top above the top of workArea (the work area of the monitor under the pointer) the window
// flips below the pointer (top at the pointer), and when it puts the left edge left of the work
// area's left edge it flips to the right of the pointer. A window that then reaches past the
// right or bottom edge of the work area is moved back inside it, just enough; one larger than
// the work area keeps its left or top edge on the area's, where its title bar stays in reach.
Point PlaceAtPointer(Point pointer, int width, int height, Rect workArea);

// A drop-down list of width x height under anchor (what it belongs to), its left edge on the
// anchor's: above the anchor instead when it does not fit below and there is more room above,
// cut to the room on its side, and no wider than area, moved left to stay on it.
Rect PlaceDropDown(Rect anchor, int width, int height, Rect area);

// The table of a list editor: at (8, 8), as wide as the window minus the button bar minus 24 and
// as high as the window minus 48 (outer window sizes). Never negative.
Rect EditorTableBounds(int windowWidth, int windowHeight, int panelWidth);

}  // namespace zarv
