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

// The picture of an enabled item's file, looked up on a worker thread: the file's own first icon
// when it is a program, library or icon file that holds one; else, for a document, the shell's
// picture for its type; else nullptr (the menu shows the fallback's picture). fileExists: the
// file was found.
HICON LookUpIcon(const std::wstring& file, IconFallback fallback, bool fileExists, int size);

class TLauncherMenu {
public:
    // Command identifiers of the items: kFirstId + tag.
    static constexpr UINT kFirstId = 1000;

    TLauncherMenu();
    HMENU handle() const { return menu_.get(); }

    // Empties the menu and ExeIcons and makes one item per entry; without entries, the one item
    // is the tray menu's "ホットキーの設定(&H)" (its command TTrayMenu::Setting1). The pictures are
    // looked up on a worker thread (LookUpIcon) and put in as they arrive (PutPicture); until then
    // an item shows the system's application picture, so neither start-up nor the menu's opening
    // waits for a file.
    void Rebuild(const std::vector<LauncherItem>& items);
    // Greys out the item of tag: its entry's file turned out to be missing. It loses its picture,
    // and the enabled items keep one image index each, in item order.
    void Disable(int tag);
    // The tags of the enabled items that have no picture yet.
    std::vector<int> WantedPictures() const;
    // The picture of the item of tag, looked up at size for file (the entry's file as it is
    // used; fileExists: something is there): icon is its own picture, or nullptr for the
    // fallback's. Items of the same file share it. A picture of another size is dropped.
    void PutPicture(int tag, const std::wstring& file, bool fileExists, UniqueIcon icon, int size);
    // Enabled items that have their picture.
    std::size_t TakenIcons() const;

    // Tag of the item with command identifier id, or -1.
    int TagOf(UINT id) const;
    // Shows the menu with its top-left corner at (x, y), its pictures at the small-icon size of
    // the monitor there; commands go to owner as WM_COMMAND.
    void Popup(HWND owner, int x, int y);
    // The owner's WM_INITMENUPOPUP for the menu, however it was opened: the pictures take the
    // small-icon size of the monitor it opens on. True when they must be looked up again.
    bool InitPopup(HWND owner);
    // The pictures' size in pixels; a new size drops the pictures taken so far (they are taken
    // again as before). True when the size changed.
    bool SetIconSize(int size);
    int IconSize() const { return iconSize_; }

    // The owner's WM_MEASUREITEM / WM_DRAWITEM for the items' pictures; true when handled.
    bool MeasureItem(MEASUREITEMSTRUCT& mis) const;
    bool DrawItem(const DRAWITEMSTRUCT& dis);

private:
    // An enabled item's picture: which of ExeIcons it is once it has come.
    struct IconSource {
        int tag;
        IconFallback fallback;
        int picture = -1;
    };
    HICON FallbackIcon(IconFallback fallback) const;
    int FindPicture(const std::wstring& key) const;
    int AddPicture(std::wstring key, HICON icon);
    int GenericPicture();

    UniqueMenu menu_;
    std::size_t count_ = 0;           // items of the menu
    std::vector<IconSource> images_;  // one per enabled item, in image-index order
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
