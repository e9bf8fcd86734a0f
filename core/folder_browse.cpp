#include "core/folder_browse.h"

namespace zarv {

int FolderKindCsidl(int kind) {
    // Desktop, (manual: desktop), drives, desktop folder, favourites, programs, recent, send to,
    // start menu, start-up, templates.
    static constexpr int kCsidl[] = {0x00, 0x00, 0x11, 0x10, 0x06, 0x02,
                                     0x08, 0x09, 0x0B, 0x07, 0x15};
    if (kind < 0 || kind >= static_cast<int>(sizeof kCsidl / sizeof kCsidl[0])) return 0x00;
    return kCsidl[kind];
}

BrowseFlags BrowseFlagsOf(TSHBrowseOptions options) {
    constexpr unsigned kDontGoBelowDomain = 0x2, kReturnFsAncestors = 0x8, kReturnOnlyFsDirs = 0x1,
                       kStatusText = 0x4;
    BrowseFlags result;
    if (options.Contains(sboDontGoBelowDomain)) result.flags |= kDontGoBelowDomain;
    if (options.Contains(sboReturnFSAncestors)) result.flags |= kReturnFsAncestors;
    if (options.Contains(sboReturnOnlyFSDirs)) result.flags |= kReturnOnlyFsDirs;
    if (options.Contains(sboStatusTextAndShowPath)) {
        result.flags |= kStatusText;
        result.showPath = true;
        return result;
    }
    if (options.Contains(sboStatusText)) result.flags |= kStatusText;
    return result;
}

Point CenterScreenPosition(Rect workArea, int dialogWidth, int dialogHeight) {
    int width = workArea.right - workArea.left;
    int height = workArea.bottom - workArea.top;
    return {workArea.left + (width - dialogWidth) / 2, workArea.top + (height - dialogHeight) / 3};
}

}  // namespace zarv
