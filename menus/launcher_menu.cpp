#include "menus/launcher_menu.h"

#include <shellapi.h>

#include "widgets/base/ansi.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

constexpr int kIconSize = 16;
constexpr ULONG_PTR kNoImage = static_cast<ULONG_PTR>(-1);

HICON LoadOwnIcon(const wchar_t* name) {
    return static_cast<HICON>(
        LoadImageW(AppInstance(), name, IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR));
}

}  // namespace

TLauncherMenu::TLauncherMenu()
    : menu_(CreatePopupMenu()),
      icons_(ImageList_Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 16, 16)) {}

void TLauncherMenu::Rebuild(const std::vector<THotkeyItem>& entries,
                            const std::vector<LauncherItem>& items) {
    while (GetMenuItemCount(menu_.get()) > 0) DeleteMenu(menu_.get(), 0, MF_BYPOSITION);
    ImageList_RemoveAll(icons_.get());
    entries_ = entries;
    items_ = items;
    int image = 0;
    for (const LauncherItem& item : items_) {
        std::wstring caption = AnsiToWide(item.Caption);
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | MIIM_BITMAP;
        mii.wID = kFirstId + static_cast<UINT>(item.Tag);
        mii.dwTypeData = caption.data();
        mii.fState = item.Enabled ? MFS_ENABLED : MFS_GRAYED;
        // The picture is drawn by the owner from ExeIcons (WM_DRAWITEM); the item keeps its
        // image index.
        mii.hbmpItem = item.Enabled ? HBMMENU_CALLBACK : nullptr;
        mii.dwItemData = item.Enabled ? static_cast<ULONG_PTR>(image++) : kNoImage;
        InsertMenuItemW(menu_.get(), GetMenuItemCount(menu_.get()), TRUE, &mii);
    }
    nextIcon_ = 0;
}

HICON TLauncherMenu::TakeIcon(const THotkeyItem& entry, IconFallback fallback) const {
    // The file's own first icon, when it is a program, library or icon file that holds one.
    HICON small = nullptr;
    if (!entry.FilePath.empty() &&
        ExtractIconExA(entry.FilePath.c_str(), 0, nullptr, &small, 1) > 0 && small)
        return small;
    switch (fallback) {
        case IconFallback::UrlIcon:
            return LoadOwnIcon(L"XICON1");
        case IconFallback::AssociatedIcon: {
            SHFILEINFOA info{};
            if (SHGetFileInfoA(entry.FilePath.c_str(), 0, &info, sizeof info,
                               SHGFI_ICON | SHGFI_SMALLICON) &&
                info.hIcon)
                return info.hIcon;
            return LoadOwnIcon(L"MAINICON");
        }
        case IconFallback::MainIcon:
            return LoadOwnIcon(L"MAINICON");
        case IconFallback::None:
            break;
    }
    return nullptr;
}

bool TLauncherMenu::TakeIcons(std::size_t maxCount) {
    for (std::size_t taken = 0; nextIcon_ < items_.size() && taken < maxCount; ++nextIcon_) {
        const LauncherItem& item = items_[nextIcon_];
        if (!item.Enabled) continue;
        ++taken;
        // The list keeps its own copy of the picture. An item whose picture cannot be had keeps
        // its place with a stand-in, so that the image indices stay aligned.
        UniqueIcon icon(TakeIcon(entries_[static_cast<size_t>(item.Tag)], item.Fallback));
        if (!icon) icon.reset(LoadOwnIcon(L"MAINICON"));
        if (!icon)
            icon.reset(static_cast<HICON>(CopyImage(LoadIconW(nullptr, IDI_APPLICATION), IMAGE_ICON,
                                                    kIconSize, kIconSize, 0)));
        ImageList_AddIcon(icons_.get(), icon.get());
    }
    return nextIcon_ >= items_.size();
}

int TLauncherMenu::TagOf(UINT id) const {
    if (id < kFirstId || id >= kFirstId + items_.size()) return -1;
    return static_cast<int>(id - kFirstId);
}

void TLauncherMenu::Popup(HWND owner, int x, int y) {
    EnsureIcons();
    // A menu of a window that is not in the foreground does not close when the user clicks
    // elsewhere; the WM_NULL afterwards lets a second opening work at once.
    SetForegroundWindow(owner);
    TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, owner,
                   nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

bool TLauncherMenu::MeasureItem(MEASUREITEMSTRUCT& mis) const {
    if (mis.CtlType != ODT_MENU || TagOf(mis.itemID) < 0) return false;
    mis.itemWidth = kIconSize;
    mis.itemHeight = kIconSize;
    return true;
}

bool TLauncherMenu::DrawItem(const DRAWITEMSTRUCT& dis) const {
    if (dis.CtlType != ODT_MENU || TagOf(dis.itemID) < 0) return false;
    if (dis.itemData == kNoImage) return true;
    int y = dis.rcItem.top + (dis.rcItem.bottom - dis.rcItem.top - kIconSize) / 2;
    ImageList_Draw(icons_.get(), static_cast<int>(dis.itemData), dis.hDC, dis.rcItem.left, y,
                   ILD_TRANSPARENT);
    return true;
}

}  // namespace zarv
