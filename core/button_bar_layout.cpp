#include "core/button_bar_layout.h"

#include <algorithm>
#include <numeric>

namespace zarv {

ButtonFace ButtonFaceLayout(int width, int height, int spacing, TImageSize size,
                            ImageListSize large, ImageListSize small, bool pushed,
                            int pressOffset) {
    ButtonFace face{};
    face.source = ImageSource::None;
    if (size == isSmall && small.set) {
        int top = (height - small.height) / 2;
        face.image = {spacing, top, spacing + small.width, top + small.height};
        face.source = ImageSource::Small;
    } else if (large.set) {
        int left = (width - large.width) / 2;
        face.image = {left, spacing, left + large.width, spacing + large.height};
        if (size == isLarge) face.source = ImageSource::Large;
    }
    face.frame = {face.image.left - spacing, face.image.top - spacing, face.image.right + spacing,
                  face.image.bottom + spacing};

    face.text = {0, 0, width, height};
    face.flags = kDtEndEllipsis | kDtEditControl;
    if (size == isLarge && large.set) {
        face.text.top += large.height + 2 * spacing;
        face.flags |= kDtWordBreak | kDtCenter;
    } else if (size == isSmall && small.set) {
        face.text.left += small.width + 3 * spacing;
        face.flags |= kDtSingleLine | kDtVCenter;
    } else {
        face.flags |= kDtWordBreak | kDtVCenter | kDtCenter;
    }
    if (pushed && pressOffset != 0) {
        auto move = [pressOffset](Rect& r) {
            r.left += pressOffset, r.right += pressOffset;
            r.top += pressOffset, r.bottom += pressOffset;
        };
        move(face.image);
        move(face.text);
    }
    return face;
}

FrameColors ButtonFrameColors(TButtonBorder border, bool pushed) {
    constexpr int kBtnFace = 15, kBtnShadow = 16, kBtnHighlight = 20, k3DDkShadow = 21;
    FrameColors raised{};
    switch (border) {
        case bbLight:
            raised = {kBtnHighlight, kBtnShadow};
            break;
        case bbMono:
            raised = {kBtnHighlight, k3DDkShadow};
            break;
        default:
            raised = {kBtnFace, k3DDkShadow};
            break;
    }
    return pushed ? FrameColors{raised.bottomRight, raised.topLeft} : raised;
}

namespace {

// Both ends of the item's left column, (1, top) and (1, top + height), inside the client area.
bool FullyVisible(const BarItem& item, int clientWidth, int clientHeight) {
    auto inside = [&](int y) { return 1 < clientWidth && y >= 0 && y < clientHeight; };
    return inside(item.top) && inside(item.top + item.height);
}

}  // namespace

ArrowVisibility FitArrows(ArrowVisibility current, int barHeight, int clientWidth, int clientHeight,
                          const std::vector<BarItem>& buttons, int dpi) {
    if (barHeight < ScaleToDpi(kMinFitTestHeight, dpi)) return current;
    std::vector<BarItem> shown;
    for (int i : OrderByTop(buttons))
        if (buttons[i].visible) shown.push_back(buttons[i]);
    if (shown.empty()) return current;
    return {!FullyVisible(shown.front(), clientWidth, clientHeight),
            !FullyVisible(shown.back(), clientWidth, clientHeight)};
}

std::vector<int> OrderByTop(const std::vector<BarItem>& buttons) {
    std::vector<int> order(buttons.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return buttons[a].top < buttons[b].top; });
    return order;
}

std::vector<int> ArrangeTops(const std::vector<BarItem>& sorted, int start, int pageHeight,
                             int scrollIndex, int margin) {
    const int n = static_cast<int>(sorted.size());
    std::vector<int> tops(sorted.size());
    int p = start;
    for (int i = 0; i < n; ++i) {
        const BarItem& item = sorted[i];
        tops[i] = item.top;
        if (!item.visible) continue;
        if (i < scrollIndex) {
            tops[i] = -(item.height + 1) * (n - i);
        } else if (p > pageHeight) {
            tops[i] = (pageHeight + 1) * (i + 1);
        } else {
            tops[i] = p + margin;
            p += item.height + margin;
        }
    }
    return tops;
}

BarArrangement ArrangeBar(ArrowVisibility current, int barHeight, int clientWidth, int clientHeight,
                          const std::vector<BarItem>& buttons, int scrollIndex, int margin,
                          int dpi) {
    BarArrangement result;
    result.arrows = FitArrows(current, barHeight, clientWidth, clientHeight, buttons, dpi);
    result.tops.resize(buttons.size());
    if (buttons.empty()) {
        result.arrows = {};  // a bar without buttons hides both arrows
        return result;
    }
    std::vector<int> order = OrderByTop(buttons);
    std::vector<BarItem> sorted;
    for (int i : order) sorted.push_back(buttons[i]);
    int start = result.arrows.up ? ScaleToDpi(kTopUnderUpArrow, dpi) : 0;
    std::vector<int> tops = ArrangeTops(sorted, start, barHeight, scrollIndex, margin);
    for (size_t k = 0; k < order.size(); ++k) result.tops[order[k]] = tops[k];
    return result;
}

int ScrollUpIndex(int index) { return index > 0 ? index - 1 : index; }

int ScrollDownIndex(int index, int buttonCount) {
    return index < buttonCount - 1 ? index + 1 : index;
}

}  // namespace zarv
