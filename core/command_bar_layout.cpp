#include "core/command_bar_layout.h"

namespace zarv {

CommandBarLayout CommandBarLayoutForDpi(int dpi) {
    // Controls by their edges, as every window's controls are scaled.
    auto control = [dpi](int x, int y, int w, int h) {
        return ScaleRectToDpi({x, y, x + w, y + h}, dpi);
    };
    return {ScaleOuterSize({248, 37}, dpi), control(8, 8, 177, 20), control(192, 8, 49, 22),
            ScaleToDpi(12, dpi), FontHeightForDpi(12, dpi)};
}

}  // namespace zarv
