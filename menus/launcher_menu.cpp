#include "menus/launcher_menu.h"

#include <shellapi.h>

#include <cstdint>

#include "widgets/base/ansi.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

constexpr int kIconSize = 16;
constexpr ULONG_PTR kNoImage = static_cast<ULONG_PTR>(-1);

// Appends icon to the 32-bit list as one pre-multiplied ARGB picture. Drawing the icon into a DIB
// ourselves is many times cheaper than ImageList_AddIcon, which copies the icon's own bitmaps
// on every call; with hundreds of entries that decides how soon the menu opens.
void AppendIcon(HIMAGELIST list, HICON icon) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kIconSize;
    bi.bmiHeader.biHeight = -kIconSize;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* colorBits = nullptr;
    void* maskBits = nullptr;
    UniqueDc dc(CreateCompatibleDC(nullptr));
    UniqueGdiObject color(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &colorBits, nullptr, 0));
    UniqueGdiObject mask(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &maskBits, nullptr, 0));
    if (!color || !mask || !colorBits || !maskBits) {
        ImageList_AddIcon(list, icon);
        return;
    }
    {
        SelectObjectGuard select(dc.get(), color.get());
        DrawIconEx(dc.get(), 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    }
    {
        SelectObjectGuard select(dc.get(), mask.get());
        DrawIconEx(dc.get(), 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_MASK);
    }
    GdiFlush();
    // The mask is white where the icon is transparent. Opaque pixels of an icon without an
    // alpha channel come out of the drawing with alpha 0 and are made fully opaque.
    auto* px = static_cast<std::uint32_t*>(colorBits);
    const auto* transparent = static_cast<const std::uint32_t*>(maskBits);
    for (int i = 0; i < kIconSize * kIconSize; ++i) {
        if ((transparent[i] & 0x00FFFFFF) != 0)
            px[i] = 0;
        else if ((px[i] >> 24) == 0)
            px[i] |= 0xFF000000u;
    }
    ImageList_Add(list, static_cast<HBITMAP>(color.get()), nullptr);
}

HICON LoadOwnIcon(const wchar_t* name) {
    return static_cast<HICON>(
        LoadImageW(AppInstance(), name, IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR));
}

// A list with room for count pictures: growing a list copies all its pictures each time.
HIMAGELIST NewIconList(int count) {
    return ImageList_Create(kIconSize, kIconSize, ILC_COLOR32, count > 0 ? count : 1, 16);
}

}  // namespace

TLauncherMenu::TLauncherMenu() : menu_(CreatePopupMenu()), icons_(NewIconList(0)) {}

void TLauncherMenu::Rebuild(const std::vector<THotkeyItem>& entries,
                            const std::vector<LauncherItem>& items) {
    while (GetMenuItemCount(menu_.get()) > 0) DeleteMenu(menu_.get(), 0, MF_BYPOSITION);
    int enabled = 0;
    for (const LauncherItem& item : items) enabled += item.Enabled ? 1 : 0;
    icons_.reset(NewIconList(enabled));
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
    taken_.clear();
}

HICON TLauncherMenu::TakeIcon(const THotkeyItem& entry, IconFallback fallback,
                              bool fileExists) const {
    // The file's own first icon, when it is a program, library or icon file that holds one.
    HICON small = nullptr;
    if (fileExists && ExtractIconExA(entry.FilePath.c_str(), 0, nullptr, &small, 1) > 0 && small)
        return small;
    switch (fallback) {
        case IconFallback::UrlIcon:
            return LoadOwnIcon(L"XICON1");
        case IconFallback::AssociatedIcon: {
            SHFILEINFOA info{};
            if (fileExists &&
                SHGetFileInfoA(entry.FilePath.c_str(), 0, &info, sizeof info,
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
        const THotkeyItem& entry = entries_[static_cast<size_t>(item.Tag)];
        DWORD attributes = entry.FilePath.empty() ? INVALID_FILE_ATTRIBUTES
                                                  : GetFileAttributesA(entry.FilePath.c_str());
        bool fileExists =
            attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        // Entries of the same file, and entries without a file that fall back to the same
        // picture, share one icon within the pass.
        std::string key(1, static_cast<char>('0' + static_cast<int>(item.Fallback)));
        if (fileExists) key += entry.FilePath;
        UniqueIcon& icon = taken_[key];
        if (!icon) icon.reset(TakeIcon(entry, item.Fallback, fileExists));
        // An item whose picture cannot be had keeps its place with a stand-in, so that the
        // image indices stay aligned.
        if (!icon) icon.reset(LoadOwnIcon(L"MAINICON"));
        if (!icon)
            icon.reset(static_cast<HICON>(CopyImage(LoadIconW(nullptr, IDI_APPLICATION), IMAGE_ICON,
                                                    kIconSize, kIconSize, 0)));
        AppendIcon(icons_.get(), icon.get());  // the list keeps its own copy
    }
    if (nextIcon_ < items_.size()) return false;
    taken_.clear();
    return true;
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
