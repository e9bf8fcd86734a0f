#pragma once
// The command bar's window and controls at a DPI: 248 x 37 with its input box and run button at
// 96 dpi, every figure scaled.
#include "core/dpi.h"
#include "core/placement.h"

namespace zarv {

struct CommandBarLayout {
    Size client;         // the whole window (it has no border): 248 x 37
    Rect box;            // CommandBox's selection field: at (8, 8), 177 x 20
    Rect button;         // Btn_Execute: at (192, 8), 49 x 22
    int listItemHeight;  // the drop-down list's items: 12
    int fontHeight;      // the bar's font: 12 pixels
};

CommandBarLayout CommandBarLayoutForDpi(int dpi);

}  // namespace zarv
