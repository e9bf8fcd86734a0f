#include "menus/launcher_menu.h"

#include <shellapi.h>

#include <cstdint>

#include "widgets/base/ansi.h"
#include "widgets/base/files.h"
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

}  // namespace

TLauncherMenu::TLauncherMenu()
    : menu_(CreatePopupMenu()),
      icons_(ImageList_Create(kIconSize, kIconSize, ILC_COLOR32, 16, 16)) {}

void TLauncherMenu::Rebuild(const std::vector<THotkeyItem>& entries,
                            const std::vector<LauncherItem>& items) {
    while (GetMenuItemCount(menu_.get()) > 0) DeleteMenu(menu_.get(), 0, MF_BYPOSITION);
    ImageList_RemoveAll(icons_.get());
    pending_.clear();
    nextIcon_ = 0;
    taken_.clear();
    count_ = items.size();
    for (const LauncherItem& item : items) {
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
        mii.dwItemData = item.Enabled ? static_cast<ULONG_PTR>(pending_.size()) : kNoImage;
        InsertMenuItemW(menu_.get(), GetMenuItemCount(menu_.get()), TRUE, &mii);
        if (item.Enabled)
            pending_.push_back({entries[static_cast<size_t>(item.Tag)].FilePath, item.Fallback});
    }
}

HICON TLauncherMenu::TakeIcon(const IconSource& source, bool fileExists) const {
    // The file's own first icon, when it is a program, library or icon file that holds one.
    HICON small = nullptr;
    if (fileExists && ExtractIconExA(source.file.c_str(), 0, nullptr, &small, 1) > 0 && small)
        return small;
    switch (source.fallback) {
        case IconFallback::UrlIcon:
            return LoadOwnIcon(L"XICON1");
        case IconFallback::AssociatedIcon: {
            SHFILEINFOA info{};
            if (SHGetFileInfoA(source.file.c_str(), 0, &info, sizeof info,
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
    for (std::size_t taken = 0; nextIcon_ < pending_.size() && taken < maxCount;
         ++nextIcon_, ++taken) {
        const IconSource& source = pending_[nextIcon_];
        // An enabled program entry's file was found when its item was made; the texts of URL
        // and internal-function entries need not name a file at all.
        const bool fileExists =
            source.fallback == IconFallback::AssociatedIcon || IsExistingFile(source.file);
        // Items of the same file share one icon within the pass; so do items without a file
        // that fall back to the same picture.
        std::string key(1, static_cast<char>('0' + static_cast<int>(source.fallback)));
        if (fileExists) key += source.file;
        UniqueIcon& icon = taken_[key];
        if (!icon) icon.reset(TakeIcon(source, fileExists));
        // An item whose picture cannot be had keeps its place with a stand-in, so that the
        // image indices stay aligned.
        if (!icon) icon.reset(LoadOwnIcon(L"MAINICON"));
        if (!icon)
            icon.reset(static_cast<HICON>(CopyImage(LoadIconW(nullptr, IDI_APPLICATION), IMAGE_ICON,
                                                    kIconSize, kIconSize, 0)));
        AppendIcon(icons_.get(), icon.get());  // the list keeps its own copy
    }
    if (nextIcon_ < pending_.size()) return false;
    taken_.clear();
    return true;
}

int TLauncherMenu::TagOf(UINT id) const {
    if (id < kFirstId || id >= kFirstId + count_) return -1;
    return static_cast<int>(id - kFirstId);
}

void TLauncherMenu::Popup(HWND owner, int x, int y) const { PopupMenuAt(menu_.get(), owner, x, y); }

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
