#include "placement.h"

namespace zarv {

Point PlaceBarAtPointer(Point pointer, int width, int height, Rect area) {
    Point p{pointer.x - width, pointer.y - height};
    if (p.y < area.top) p.y = area.top;
    if (p.x < area.left) p.x = area.left;
    if (p.y + height > area.bottom) p.y = area.bottom - height;
    if (p.x + width > area.right) p.x = area.right - width;
    return p;
}

}  // namespace zarv
