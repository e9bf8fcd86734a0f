#include "core/command_bar_layout.h"

namespace zarv {

CommandBarLayout CommandBarLayoutForDpi(int dpi) {
    auto control = [dpi](int x, int y, int w, int h) {
        return Rect{ScaleToDpi(x, dpi), ScaleToDpi(y, dpi), ScaleToDpi(x, dpi) + ScaleToDpi(w, dpi),
                    ScaleToDpi(y, dpi) + ScaleToDpi(h, dpi)};
    };
    return {ScaleOuterSize({248, 37}, dpi), control(8, 8, 177, 20), control(192, 8, 49, 22),
            ScaleToDpi(12, dpi), FontHeightForDpi(12, dpi)};
}

}  // namespace zarv
