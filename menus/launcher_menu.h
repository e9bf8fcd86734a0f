#pragma once
// The launcher menu `ItemMenu`: one item per hotkey entry with its program's icon from the
// 16 x 16 image list `ExeIcons`.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "core/launcher_items.h"
#include "core/records.h"
#include "widgets/base/handles.h"

namespace zarv {

class TLauncherMenu {
public:
    // Command identifiers of the items: kFirstId + tag.
    static constexpr UINT kFirstId = 1000;

    TLauncherMenu();
    HMENU handle() const { return menu_.get(); }

    // Empties the menu and ExeIcons and makes one item per entry. The icons are taken afterwards,
    // a few at a time while the program is idle (TakeIcons) and the rest at the latest when the
    // menu is shown (EnsureIcons), so start-up does not wait for them.
    void Rebuild(const std::vector<THotkeyItem>& entries, const std::vector<LauncherItem>& items);
    // Appends the icons of up to maxCount more enabled items to ExeIcons, in item order; true
    // when every item has its icon.
    bool TakeIcons(std::size_t maxCount);
    // Takes every icon still missing.
    void EnsureIcons() { TakeIcons(static_cast<std::size_t>(-1)); }

    // Tag of the item with command identifier id, or -1.
    int TagOf(UINT id) const;
    // Shows the menu with its top-left corner at (x, y); commands go to owner as WM_COMMAND.
    // The owner takes the missing icons on WM_INITMENUPOPUP (EnsureIcons).
    void Popup(HWND owner, int x, int y) const;

    // The owner's WM_MEASUREITEM / WM_DRAWITEM for the items' pictures; true when handled.
    bool MeasureItem(MEASUREITEMSTRUCT& mis) const;
    bool DrawItem(const DRAWITEMSTRUCT& dis) const;

    HIMAGELIST ExeIcons() const { return icons_.get(); }

private:
    // Where an enabled item's icon comes from.
    struct IconSource {
        std::string file;
        IconFallback fallback;
    };
    HICON TakeIcon(const IconSource& source, bool fileExists) const;

    UniqueMenu menu_;
    UniqueImageList icons_;
    std::size_t count_ = 0;            // items of the menu
    std::vector<IconSource> pending_;  // one per enabled item, in image-index order
    std::size_t nextIcon_ = 0;         // first of pending_ whose icon is not taken yet
    // Icons already taken in this pass, by file and fallback: entries of the same file share the
    // work (the image list gets a copy for each).
    std::map<std::string, UniqueIcon> taken_;
};

}  // namespace zarv
