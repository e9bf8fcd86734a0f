#include "menus/launcher_menu.h"

#include <shellapi.h>
#include <shlobj.h>

#include "core/pe_icons.h"
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

// The first icon of a program, library or icon file at size x size; nullptr when it holds none.
HICON FirstIconOf(const std::string& ansiPath, int size) {
    HICON icon = nullptr;
    // The shell's small icon at the system's size; at any other size the picture of that size
    // that the file holds (or the nearest, scaled).
    if (size == GetSystemMetrics(SM_CXSMICON)) {
        if (ExtractIconExA(ansiPath.c_str(), 0, nullptr, &icon, 1) > 0) return icon;
        return nullptr;
    }
    if (SHDefExtractIconA(ansiPath.c_str(), 0, 0, &icon, nullptr, MAKELONG(size, size)) == S_OK)
        return icon;
    return nullptr;
}

// The shell's picture for the file's type, at size x size.
HICON AssociatedIcon(const std::string& ansiPath, int size) {
    SHFILEINFOA info{};
    const UINT which = size > GetSystemMetrics(SM_CXSMICON) ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    if (!SHGetFileInfoA(ansiPath.c_str(), 0, &info, sizeof info, SHGFI_ICON | which) || !info.hIcon)
        return nullptr;
    if (size == GetSystemMetrics(SM_CXSMICON)) return info.hIcon;
    // Taken again from its resource at the wanted size where it has one (else scaled).
    HICON sized = static_cast<HICON>(
        CopyImage(info.hIcon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE | LR_COPYDELETEORG));
    return sized ? sized : info.hIcon;
}

// Whether the file holds an icon of its own, from its headers. Telling that a program holds
// none is several times cheaper than the system's extraction, which maps the whole file.
IconPresence FileIconPresence(const std::string& ansiPath) {
    UniqueKernelHandle file(CreateFileA(ansiPath.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return IconPresence::Unknown;
    auto readAt = [&](std::uint32_t offset, std::uint32_t size) {
        std::string bytes(size, '\0');
        LARGE_INTEGER at{};
        at.QuadPart = offset;
        DWORD got = 0;
        if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) ||
            !ReadFile(file.get(), bytes.data(), size, &got, nullptr))
            got = 0;
        bytes.resize(got);
        return bytes;
    };
    // The headers lie in the first page: one read serves them all.
    const std::string head = readAt(0, 4096);
    return PeIconPresence([&](std::uint32_t offset, std::uint32_t size) {
        if (offset <= head.size() && size <= head.size() - offset) return head.substr(offset, size);
        return readAt(offset, size);
    });
}

}  // namespace

TLauncherMenu::TLauncherMenu() : menu_(CreatePopupMenu()) {}

void TLauncherMenu::Rebuild(const std::vector<THotkeyItem>& entries,
                            const std::vector<LauncherItem>& items) {
    while (GetMenuItemCount(menu_.get()) > 0) DeleteMenu(menu_.get(), 0, MF_BYPOSITION);
    images_.clear();
    nextIcon_ = 0;
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
        if (item.Enabled)
            images_.push_back({entries[static_cast<size_t>(item.Tag)].FilePath, item.Fallback});
    }
}

HICON TLauncherMenu::FallbackIcon(const IconSource& source) const {
    switch (source.fallback) {
        case IconFallback::UrlIcon:
            return LoadOwnIcon(L"XICON1", iconSize_);
        case IconFallback::ApplicationIcon:
            // What the shell shows for a program without an icon, without loading the shell's
            // image lists for it.
            return ApplicationIcon(iconSize_);
        case IconFallback::AssociatedIcon:
            if (HICON icon = AssociatedIcon(source.file, iconSize_)) return icon;
            return LoadOwnIcon(L"MAINICON", iconSize_);
        case IconFallback::MainIcon:
        case IconFallback::None:
            break;
    }
    return LoadOwnIcon(L"MAINICON", iconSize_);
}

int TLauncherMenu::FindPicture(const std::string& key) const {
    for (const auto& [name, picture] : keys_)
        if (name == key) return picture;
    return -1;
}

int TLauncherMenu::AddPicture(std::string key, HICON icon) {
    UniqueIcon owned(icon);
    // An item whose picture cannot be had shows a stand-in.
    if (!owned) owned.reset(LoadOwnIcon(L"MAINICON", iconSize_));
    if (!owned) owned.reset(ApplicationIcon(iconSize_));
    const int picture = static_cast<int>(ExeIcons.size());
    ExeIcons.push_back(std::move(owned));
    keys_.emplace_back(std::move(key), picture);
    return picture;
}

void TLauncherMenu::TakePicture(IconSource& source) {
    // An enabled program entry's file was found when its item was made; the texts of URL and
    // internal-function entries need not name a file at all.
    const bool fileExists = source.fallback == IconFallback::AssociatedIcon ||
                            source.fallback == IconFallback::ApplicationIcon ||
                            IsExistingFile(source.file);
    const std::string fallbackKey(1, static_cast<char>('0' + static_cast<int>(source.fallback)));
    const std::string key = fileExists ? fallbackKey + source.file : fallbackKey;
    int picture = FindPicture(key);
    if (picture < 0) {
        // The file's own first icon, when it is a program, library or icon file that holds one.
        HICON own = nullptr;
        if (fileExists && FileIconPresence(source.file) != IconPresence::Absent &&
            (own = FirstIconOf(source.file, iconSize_)) != nullptr) {
            picture = AddPicture(key, own);
        } else if (source.fallback == IconFallback::AssociatedIcon) {
            picture = AddPicture(key, FallbackIcon(source));  // the shell's, by file type
        } else {
            // Every file without an icon of its own shows the fallback's one picture; the file
            // is remembered so that it is not looked into again.
            picture = FindPicture(fallbackKey);
            if (picture < 0) picture = AddPicture(fallbackKey, FallbackIcon(source));
            if (key != fallbackKey) keys_.emplace_back(key, picture);
        }
    }
    source.picture = picture;
}

bool TLauncherMenu::TakeIcons(std::size_t maxCount) {
    for (std::size_t taken = 0; nextIcon_ < images_.size() && taken < maxCount; ++nextIcon_) {
        IconSource& source = images_[nextIcon_];
        if (source.picture >= 0) continue;  // drawn already
        TakePicture(source);
        ++taken;
    }
    while (nextIcon_ < images_.size() && images_[nextIcon_].picture >= 0) ++nextIcon_;
    return nextIcon_ == images_.size();
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
    nextIcon_ = 0;
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

void TLauncherMenu::InitPopup(HWND owner) {
    // The menu opens on the monitor under its corner (at the pointer when the notification
    // area opens it): its pictures at that monitor's small-icon size.
    POINT at = popupAt_;
    if (!popping_) GetCursorPos(&at);
    SetIconSize(SmallIconSize(DpiForPoint(at, owner)));
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
    IconSource& source = images_[dis.itemData];
    if (source.picture < 0) TakePicture(source);
    HICON icon = ExeIcons[static_cast<size_t>(source.picture)].get();
    int y = dis.rcItem.top + (dis.rcItem.bottom - dis.rcItem.top - iconSize_) / 2;
    DrawIconEx(dis.hDC, dis.rcItem.left, y, icon, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
    return true;
}

}  // namespace zarv
