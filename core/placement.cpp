#include "core/placement.h"

#include <algorithm>

namespace zarv {
namespace {

// A width x height window at p moved left and up just enough to end at the right and bottom
// edges of area, never past its left or top edge. A window inside the area keeps its place.
Point KeepInside(Point p, int width, int height, Rect area) {
    if (p.x + width > area.right) p.x = std::max(area.left, area.right - width);
    if (p.y + height > area.bottom) p.y = std::max(area.top, area.bottom - height);
    return p;
}

}  // namespace

Point PlaceBarAtPointer(Point pointer, int width, int height, Rect area) {
    Point p{pointer.x - width, pointer.y - height};
    if (p.y < area.top) p.y = area.top;
    if (p.x < area.left) p.x = area.left;
    if (p.y + height > area.bottom) p.y = area.bottom - height;
    if (p.x + width > area.right) p.x = area.right - width;
    return p;
}

Point PlaceAtPointer(Point pointer, int width, int height, Rect workArea) {
    Point p{pointer.x - width, pointer.y - height};
    if (p.y < workArea.top) p.y += height;
    if (p.x < workArea.left) p.x += width;
    return KeepInside(p, width, height, workArea);
}

Rect PlaceDropDown(Rect anchor, int width, int height, Rect area) {
    width = std::min(width, area.right - area.left);
    const int left = std::max(area.left, std::min(anchor.left, area.right - width));
    const int below = area.bottom - anchor.bottom, above = anchor.top - area.top;
    if (height <= below || below >= above)
        return {left, anchor.bottom, left + width, anchor.bottom + std::min(height, below)};
    return {left, anchor.top - std::min(height, above), left + width, anchor.top};
}

Rect EditorTableBounds(int windowWidth, int windowHeight, int panelWidth) {
    const int width = std::max(0, windowWidth - panelWidth - 24);
    const int height = std::max(0, windowHeight - 48);
    return {8, 8, 8 + width, 8 + height};
}

}  // namespace zarv
