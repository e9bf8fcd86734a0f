#pragma once
// Settings arithmetic of the folder browse dialog: which shell special folder a folder kind
// stands for, which dialog flags a set of options gives, and where a centred dialog goes.

#include <initializer_list>

#include "core/placement.h"

namespace zarv {

// The folder kinds, for the initial selection (sf...) and the root (rf...): same order.
enum TSelectFolder {
    sfDesktop,
    sfManual,
    sfDrives,
    sfDesktopDir,
    sfFavorites,
    sfPrograms,
    sfRecent,
    sfSendTo,
    sfStartMenu,
    sfStartup,
    sfTemplates
};
enum TRootFolder {
    rfDesktop,
    rfManual,
    rfDrives,
    rfDesktopDir,
    rfFavorites,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates
};

// The shell's special-folder identifier (CSIDL) of a kind; the manual kind falls back to the
// desktop. Values out of range are treated as the desktop.
int FolderKindCsidl(int kind);

enum TSHBrowseOption {
    sboDontGoBelowDomain,
    sboReturnFSAncestors,
    sboReturnOnlyFSDirs,
    sboStatusTextAndShowPath,
    sboStatusText
};

// A set of options.
class TSHBrowseOptions {
public:
    constexpr TSHBrowseOptions() = default;
    constexpr TSHBrowseOptions(std::initializer_list<TSHBrowseOption> members) {
        for (TSHBrowseOption m : members) bits_ |= 1u << m;
    }
    constexpr bool Contains(TSHBrowseOption m) const { return (bits_ >> m) & 1u; }
    constexpr bool operator==(const TSHBrowseOptions&) const = default;

private:
    unsigned bits_ = 0;
};

// The dialog flags (BIF_...) of a set of options, visited in the order above; the show-path
// option adds the status-text flag, sets showPath and ends the walk.
struct BrowseFlags {
    unsigned flags = 0;
    bool showPath = false;
};
BrowseFlags BrowseFlagsOf(TSHBrowseOptions options);

// Top-left corner of a dialog centred horizontally in the work area and one third down its free
// height, in screen coordinates (a work area that does not start at the screen's origin, with
// the taskbar at the top or left, moves it along).
Point CenterScreenPosition(Rect workArea, int dialogWidth, int dialogHeight);

}  // namespace zarv
