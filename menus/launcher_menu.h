#pragma once
// The launcher menu `ItemMenu`: one item per hotkey entry with its program's icon from `ExeIcons`,
// at the small-icon size of the monitor it opens on (16 x 16 at 96 dpi).
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "core/launcher_items.h"
#include "widgets/base/handles.h"

namespace zarv {

class TLauncherMenu {
public:
    // Command identifiers of the items: kFirstId + tag.
    static constexpr UINT kFirstId = 1000;

    TLauncherMenu();
    HMENU handle() const { return menu_.get(); }

    // Empties the menu and ExeIcons and makes one item per entry; files[i] is the file entry i
    // names as it is used (its URL, for a URL entry). The pictures are taken
    // afterwards, a few at a time while the program is idle (TakeIcons), and an item that is
    // drawn before then takes its own (DrawItem), so neither start-up nor the first opening of
    // the menu waits for hundreds of them.
    void Rebuild(const std::vector<std::wstring>& files, const std::vector<LauncherItem>& items);
    // Takes the pictures of up to maxCount more enabled items that have none yet, in item order;
    // true when every item has its picture.
    bool TakeIcons(std::size_t maxCount);
    // Takes every picture still missing.
    void EnsureIcons() { TakeIcons(static_cast<std::size_t>(-1)); }
    // Enabled items that have their picture.
    std::size_t TakenIcons() const;

    // Tag of the item with command identifier id, or -1.
    int TagOf(UINT id) const;
    // Shows the menu with its top-left corner at (x, y), its pictures at the small-icon size of
    // the monitor there; commands go to owner as WM_COMMAND.
    void Popup(HWND owner, int x, int y);
    // The owner's WM_INITMENUPOPUP for the menu, however it was opened: the pictures take the
    // small-icon size of the monitor it opens on.
    void InitPopup(HWND owner);
    // The pictures' size in pixels; a new size drops the pictures taken so far (they are taken
    // again as before). True when the size changed.
    bool SetIconSize(int size);
    int IconSize() const { return iconSize_; }

    // The owner's WM_MEASUREITEM / WM_DRAWITEM for the items' pictures; true when handled.
    // Drawing an item whose picture is not taken yet takes it first.
    bool MeasureItem(MEASUREITEMSTRUCT& mis) const;
    bool DrawItem(const DRAWITEMSTRUCT& dis);

private:
    // Where an enabled item's picture comes from, and which of ExeIcons it is once taken.
    struct IconSource {
        std::wstring file;
        IconFallback fallback;
        int picture = -1;
    };
    HICON FallbackIcon(const IconSource& source) const;
    int FindPicture(const std::wstring& key) const;
    int AddPicture(std::wstring key, HICON icon);
    void TakePicture(IconSource& source);

    UniqueMenu menu_;
    std::size_t count_ = 0;           // items of the menu
    std::vector<IconSource> images_;  // one per enabled item, in image-index order
    std::size_t nextIcon_ = 0;        // the in-order pass has looked at images_ before this
    int iconSize_ = 16;               // the pictures' width and height
    bool popping_ = false;            // Popup is opening the menu at popupAt_
    POINT popupAt_{};
    // The pictures, drawn straight onto the menu (no image list, so that the common controls
    // need not load for the menu): entries of the same file share one, and so do all items that
    // show the same fallback. keys_ finds a picture by fallback and file (or fallback alone).
    std::vector<UniqueIcon> ExeIcons;
    std::vector<std::pair<std::wstring, int>> keys_;
};

}  // namespace zarv
