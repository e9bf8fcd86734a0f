#include "menus/launcher_menu.h"

#include <shellapi.h>

#include "menus/tray_menu.h"
#include "widgets/base/ansi.h"
#include "widgets/base/dpi.h"
#include "widgets/base/files.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

constexpr ULONG_PTR kNoImage = static_cast<ULONG_PTR>(-1);

HICON LoadOwnIcon(const wchar_t* name, int size) {
    return static_cast<HICON>(
        LoadImageW(AppInstance(), name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// An own copy of the system's application icon at size x size.
HICON ApplicationIcon(int size) {
    auto shared =
        static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED));
    return shared ? CopyIcon(shared) : nullptr;
}

struct FindMenuWindow {
    HMENU menu;
    HWND window;
};

BOOL CALLBACK FindMenuWindowProc(HWND w, LPARAM lp) {
    auto* find = reinterpret_cast<FindMenuWindow*>(lp);
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (lstrcmpW(cls, L"#32768") != 0 || !IsWindowVisible(w) ||
        reinterpret_cast<HMENU>(SendMessageW(w, MN_GETHMENU, 0, 0)) != find->menu)
        return TRUE;
    find->window = w;
    return FALSE;
}

// The open pop-up menu window of this thread that shows menu, or null.
HWND OpenMenuWindow(HMENU menu) {
    FindMenuWindow find{menu, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindowProc, reinterpret_cast<LPARAM>(&find));
    return find.window;
}

}  // namespace

HICON LookUpIcon(const std::wstring& file, IconFallback fallback, bool fileExists, int size) {
    if (fileExists && FileIconPresence(file) != IconPresence::Absent)
        if (HICON own = FirstIconOf(file, size)) return own;
    if (fileExists && fallback == IconFallback::AssociatedIcon) return AssociatedIcon(file, size);
    return nullptr;
}

TLauncherMenu::TLauncherMenu() : menu_(CreatePopupMenu()) { Rebuild({}); }

void TLauncherMenu::Rebuild(const std::vector<LauncherItem>& items) {
    while (GetMenuItemCount(menu_.get()) > 0) DeleteMenu(menu_.get(), 0, MF_BYPOSITION);
    images_.clear();
    ExeIcons.clear();
    keys_.clear();
    count_ = items.size();
    for (const LauncherItem& item : items) {
        std::wstring caption = AnsiToWide(item.Caption);
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | MIIM_BITMAP;
        mii.wID = kFirstId + static_cast<UINT>(item.Tag);
        mii.dwTypeData = caption.data();
        mii.fState = item.Enabled ? MFS_ENABLED : MFS_GRAYED;
        // The picture is drawn by the owner (WM_DRAWITEM); the item keeps its image index.
        mii.hbmpItem = item.Enabled ? HBMMENU_CALLBACK : nullptr;
        mii.dwItemData = item.Enabled ? static_cast<ULONG_PTR>(images_.size()) : kNoImage;
        InsertMenuItemW(menu_.get(), GetMenuItemCount(menu_.get()), TRUE, &mii);
        if (item.Enabled) images_.push_back({item.Tag, item.Fallback});
    }
    // Without entries the menu offers where to make the first one: the tray menu's item.
    if (items.empty())
        AppendMenuW(menu_.get(), MF_STRING, TTrayMenu::Setting1, TTrayMenu::kSetting1Caption);
}

void TLauncherMenu::Disable(int tag) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE | MIIM_DATA | MIIM_BITMAP;
    mii.fState = MFS_GRAYED;
    mii.hbmpItem = nullptr;
    mii.dwItemData = kNoImage;
    SetMenuItemInfoW(menu_.get(), kFirstId + static_cast<UINT>(tag), FALSE, &mii);
    // The enabled items after it keep their image indices in order, one per enabled item.
    for (std::size_t i = 0; i < images_.size(); ++i) {
        if (images_[i].tag != tag) continue;
        images_.erase(images_.begin() + static_cast<std::ptrdiff_t>(i));
        mii.fMask = MIIM_DATA;
        for (std::size_t j = i; j < images_.size(); ++j) {
            mii.dwItemData = j;
            SetMenuItemInfoW(menu_.get(), kFirstId + static_cast<UINT>(images_[j].tag), FALSE,
                             &mii);
        }
        break;
    }
    if (HWND open = OpenMenuWindow(menu_.get())) InvalidateRect(open, nullptr, FALSE);
}

std::vector<int> TLauncherMenu::WantedPictures() const {
    std::vector<int> tags;
    for (const IconSource& source : images_)
        if (source.picture < 0) tags.push_back(source.tag);
    return tags;
}

HICON TLauncherMenu::FallbackIcon(IconFallback fallback) const {
    switch (fallback) {
        case IconFallback::UrlIcon:
            return LoadOwnIcon(L"XICON1", iconSize_);
        case IconFallback::ApplicationIcon:
            // What the shell shows for a program without an icon, without loading the shell's
            // image lists for it.
            return ApplicationIcon(iconSize_);
        case IconFallback::AssociatedIcon:  // a document the shell has no picture for
        case IconFallback::MainIcon:
        case IconFallback::None:
            break;
    }
    return LoadOwnIcon(L"MAINICON", iconSize_);
}

int TLauncherMenu::FindPicture(const std::wstring& key) const {
    for (const auto& [name, picture] : keys_)
        if (name == key) return picture;
    return -1;
}

int TLauncherMenu::AddPicture(std::wstring key, HICON icon) {
    UniqueIcon owned(icon);
    // An item whose picture cannot be had shows a stand-in.
    if (!owned) owned.reset(LoadOwnIcon(L"MAINICON", iconSize_));
    if (!owned) owned.reset(ApplicationIcon(iconSize_));
    const int picture = static_cast<int>(ExeIcons.size());
    ExeIcons.push_back(std::move(owned));
    keys_.emplace_back(std::move(key), picture);
    return picture;
}

int TLauncherMenu::GenericPicture() {
    // What an item shows until its own picture comes: the system's picture of a program.
    const std::wstring key = L"g";
    const int picture = FindPicture(key);
    return picture >= 0 ? picture : AddPicture(key, ApplicationIcon(iconSize_));
}

void TLauncherMenu::PutPicture(int tag, const std::wstring& file, bool fileExists, UniqueIcon icon,
                               int size) {
    if (size != iconSize_) return;
    for (IconSource& source : images_) {
        if (source.tag != tag) continue;
        const std::wstring fallbackKey(
            1, static_cast<wchar_t>(L'0' + static_cast<int>(source.fallback)));
        const std::wstring key = fileExists ? fallbackKey + file : fallbackKey;
        int picture = FindPicture(key);
        if (picture < 0 && icon) {
            picture = AddPicture(key, icon.release());
        } else if (picture < 0) {
            // Every file without a picture of its own shows the fallback's one picture; the
            // file is remembered so that another item of it finds it.
            picture = FindPicture(fallbackKey);
            if (picture < 0) picture = AddPicture(fallbackKey, FallbackIcon(source.fallback));
            if (key != fallbackKey) keys_.emplace_back(key, picture);
        }
        source.picture = picture;
    }
    // A menu open meanwhile shows the picture at once.
    if (HWND open = OpenMenuWindow(menu_.get())) InvalidateRect(open, nullptr, FALSE);
}

std::size_t TLauncherMenu::TakenIcons() const {
    std::size_t n = 0;
    for (const IconSource& source : images_) n += source.picture >= 0 ? 1 : 0;
    return n;
}

int TLauncherMenu::TagOf(UINT id) const {
    if (id < kFirstId || id >= kFirstId + count_) return -1;
    return static_cast<int>(id - kFirstId);
}

bool TLauncherMenu::SetIconSize(int size) {
    if (size <= 0 || size == iconSize_) return false;
    iconSize_ = size;
    // Every picture is taken again at the new size.
    ExeIcons.clear();
    keys_.clear();
    for (IconSource& source : images_) source.picture = -1;
    // Setting the picture again makes the menu measure its items anew.
    const int n = GetMenuItemCount(menu_.get());
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_BITMAP;
        if (!GetMenuItemInfoW(menu_.get(), static_cast<UINT>(i), TRUE, &mii) || !mii.hbmpItem)
            continue;
        SetMenuItemInfoW(menu_.get(), static_cast<UINT>(i), TRUE, &mii);
    }
    return true;
}

void TLauncherMenu::Popup(HWND owner, int x, int y) {
    popupAt_ = POINT{x, y};
    popping_ = true;
    PopupMenuAt(menu_.get(), owner, x, y);
    popping_ = false;
}

bool TLauncherMenu::InitPopup(HWND owner) {
    // The menu opens on the monitor under its corner (at the pointer when the notification
    // area opens it): its pictures at that monitor's small-icon size.
    POINT at = popupAt_;
    if (!popping_) GetCursorPos(&at);
    return SetIconSize(SmallIconSize(DpiForPoint(at, owner)));
}

bool TLauncherMenu::MeasureItem(MEASUREITEMSTRUCT& mis) const {
    if (mis.CtlType != ODT_MENU || TagOf(mis.itemID) < 0) return false;
    mis.itemWidth = static_cast<UINT>(iconSize_);
    mis.itemHeight = static_cast<UINT>(iconSize_);
    return true;
}

bool TLauncherMenu::DrawItem(const DRAWITEMSTRUCT& dis) {
    if (dis.CtlType != ODT_MENU || TagOf(dis.itemID) < 0) return false;
    if (dis.itemData >= images_.size()) return true;
    const IconSource& source = images_[dis.itemData];
    const int picture = source.picture >= 0 ? source.picture : GenericPicture();
    HICON icon = ExeIcons[static_cast<size_t>(picture)].get();
    int y = dis.rcItem.top + (dis.rcItem.bottom - dis.rcItem.top - iconSize_) / 2;
    DrawIconEx(dis.hDC, dis.rcItem.left, y, icon, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
    return true;
}

}  // namespace zarv
