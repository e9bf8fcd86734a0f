#pragma once
// Arithmetic of the vertical picture-button bar: where a button puts its image, frame and
// caption, which scroll arrows the bar shows, and where its buttons go for a scroll position.
// The window code paints and hit-tests with these results.
#include <vector>

#include "core/dpi.h"
#include "core/placement.h"

namespace zarv {

enum TImageSize { isSmall, isLarge };
enum TButtonBorder { bbDark, bbLight, bbMono };

// Text flags of the caption (the values of DrawText's DT_ constants).
inline constexpr unsigned kDtCenter = 0x1;
inline constexpr unsigned kDtVCenter = 0x4;
inline constexpr unsigned kDtWordBreak = 0x10;
inline constexpr unsigned kDtSingleLine = 0x20;
inline constexpr unsigned kDtEditControl = 0x2000;
inline constexpr unsigned kDtEndEllipsis = 0x8000;

// Height of a scroll arrow, and the first button's top under a visible up arrow (one row less:
// the arrow, drawn in front, covers the button's top row), at 96 dpi; the bar scales them to its
// DPI (core/dpi.h).
inline constexpr int kArrowHeight = 13;
inline constexpr int kTopUnderUpArrow = 12;
// Bars lower than this (at 96 dpi) keep their arrows as they are.
inline constexpr int kMinFitTestHeight = 65;

// Image size of an image list, or absent (set false).
struct ImageListSize {
    bool set = false;
    int width = 0, height = 0;
};

enum class ImageSource { None, Small, Large };

// Everything a button paints, in its own client coordinates.
struct ButtonFace {
    Rect image{};        // where the picture goes (also when none is drawn)
    ImageSource source;  // the list the picture comes from
    Rect frame{};        // the 3-D frame around the picture while hot
    Rect text{};         // the caption's rectangle
    unsigned flags = 0;  // the caption's DrawText flags
};

// The face of a width x height button with spacing pixels around its picture. While pushed the
// picture and caption move by pressOffset in both directions.
ButtonFace ButtonFaceLayout(int width, int height, int spacing, TImageSize size,
                            ImageListSize large, ImageListSize small, bool pushed,
                            int pressOffset = 0);

// System colour indexes (GetSysColor) of the one-pixel frame: top-left and bottom-right.
struct FrameColors {
    int topLeft, bottomRight;
};
FrameColors ButtonFrameColors(TButtonBorder border, bool pushed);

struct ArrowVisibility {
    bool up = false, down = false;
    bool operator==(const ArrowVisibility&) const = default;
};

// A child of the bar: its top, height and whether it is shown.
struct BarItem {
    int top = 0, height = 0;
    bool visible = true;
};

// The arrows a bar of barHeight pixels (whole window) with the given client size shows for its
// buttons: the down arrow when the lowest shown button is cut off, the up arrow when the highest
// is. Bars lower than kMinFitTestHeight (scaled to dpi), and bars without shown buttons, keep
// `current`.
ArrowVisibility FitArrows(ArrowVisibility current, int barHeight, int clientWidth, int clientHeight,
                          const std::vector<BarItem>& buttons, int dpi = kBaseDpi);

// Order in which the buttons are laid out: by top, equal tops in their given order.
std::vector<int> OrderByTop(const std::vector<BarItem>& buttons);

// New tops of the buttons (in the given order, already sorted by top) for a bar of pageHeight
// pixels whose first shown button starts at `start`: the first scrollIndex buttons park above
// the bar, those that no longer fit park below it, the others follow each other with margin
// pixels above each. Hidden buttons keep their top.
std::vector<int> ArrangeTops(const std::vector<BarItem>& sorted, int start, int pageHeight,
                             int scrollIndex, int margin);

// The whole arrangement of a bar at dpi: arrows, then tops (indexes as in `buttons`, not
// sorted). Sizes are pixels at dpi; the first button under a visible up arrow starts at
// kTopUnderUpArrow scaled to dpi.
struct BarArrangement {
    ArrowVisibility arrows;
    std::vector<int> tops;
};
BarArrangement ArrangeBar(ArrowVisibility current, int barHeight, int clientWidth, int clientHeight,
                          const std::vector<BarItem>& buttons, int scrollIndex, int margin,
                          int dpi = kBaseDpi);

// Scroll positions: up stops at 0, down at buttonCount - 1.
int ScrollUpIndex(int index);
int ScrollDownIndex(int index, int buttonCount);

}  // namespace zarv
