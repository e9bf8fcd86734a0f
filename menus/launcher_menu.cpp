#include "menus/launcher_menu.h"

#include <shellapi.h>

#include "core/pe_icons.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

constexpr int kIconSize = 16;
constexpr ULONG_PTR kNoImage = static_cast<ULONG_PTR>(-1);

HICON LoadOwnIcon(const wchar_t* name) {
    return static_cast<HICON>(
        LoadImageW(AppInstance(), name, IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR));
}

// An own copy of the system's application icon at 16 x 16.
HICON ApplicationIcon() {
    auto shared = static_cast<HICON>(
        LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, kIconSize, kIconSize, LR_SHARED));
    return shared ? CopyIcon(shared) : nullptr;
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
            return LoadOwnIcon(L"XICON1");
        case IconFallback::ApplicationIcon:
            // What the shell shows for a program without an icon, without loading the shell's
            // image lists for it.
            return ApplicationIcon();
        case IconFallback::AssociatedIcon: {
            SHFILEINFOA info{};
            if (SHGetFileInfoA(source.file.c_str(), 0, &info, sizeof info,
                               SHGFI_ICON | SHGFI_SMALLICON) &&
                info.hIcon)
                return info.hIcon;
            return LoadOwnIcon(L"MAINICON");
        }
        case IconFallback::MainIcon:
        case IconFallback::None:
            break;
    }
    return LoadOwnIcon(L"MAINICON");
}

int TLauncherMenu::FindPicture(const std::string& key) const {
    for (const auto& [name, picture] : keys_)
        if (name == key) return picture;
    return -1;
}

int TLauncherMenu::AddPicture(std::string key, HICON icon) {
    UniqueIcon owned(icon);
    // An item whose picture cannot be had shows a stand-in.
    if (!owned) owned.reset(LoadOwnIcon(L"MAINICON"));
    if (!owned) owned.reset(ApplicationIcon());
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
        HICON small = nullptr;
        if (fileExists && FileIconPresence(source.file) != IconPresence::Absent &&
            ExtractIconExA(source.file.c_str(), 0, nullptr, &small, 1) > 0 && small) {
            picture = AddPicture(key, small);
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

void TLauncherMenu::Popup(HWND owner, int x, int y) const { PopupMenuAt(menu_.get(), owner, x, y); }

bool TLauncherMenu::MeasureItem(MEASUREITEMSTRUCT& mis) const {
    if (mis.CtlType != ODT_MENU || TagOf(mis.itemID) < 0) return false;
    mis.itemWidth = kIconSize;
    mis.itemHeight = kIconSize;
    return true;
}

bool TLauncherMenu::DrawItem(const DRAWITEMSTRUCT& dis) {
    if (dis.CtlType != ODT_MENU || TagOf(dis.itemID) < 0) return false;
    if (dis.itemData >= images_.size()) return true;
    IconSource& source = images_[dis.itemData];
    if (source.picture < 0) TakePicture(source);
    HICON icon = ExeIcons[static_cast<size_t>(source.picture)].get();
    int y = dis.rcItem.top + (dis.rcItem.bottom - dis.rcItem.top - kIconSize) / 2;
    DrawIconEx(dis.hDC, dis.rcItem.left, y, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    return true;
}

}  // namespace zarv
