#include "widgets/folder_browser.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>
#include <memory>

namespace zarv {

namespace {

// Longest path the shell can give (the extended-length limit of Windows).
constexpr DWORD kLongestPath = 32768;

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease>;

// COM for this thread while the dialog runs (the folder dialog needs an apartment).
class ComApartment {
public:
    ComApartment()
        : ok_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (ok_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

// The identifier of a typed folder, or of the kind's special folder.
UniqueItemId ResolveFolder(IShellFolder& desktop, HWND owner, int kind, bool manual,
                           const std::wstring& name) {
    if (manual && !name.empty()) {
        std::wstring parsed = name;  // ParseDisplayName takes a writable string
        ITEMIDLIST* id = nullptr;
        ULONG attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        if (SUCCEEDED(desktop.ParseDisplayName(owner, nullptr, parsed.data(), nullptr, &id,
                                               &attributes))) {
            UniqueItemId owned(id);
            if (attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER)) return owned;
        }
    }
    ITEMIDLIST* id = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, FolderKindCsidl(kind), &id))) return nullptr;
    return UniqueItemId(id);
}

// The file-system path of an item; empty when it has none. unreadable is set for a file-system
// item whose path the shell cannot give.
std::wstring PathOf(PCIDLIST_ABSOLUTE id, bool* unreadable) {
    std::wstring path(kLongestPath, L'\0');
    if (SHGetPathFromIDListEx(id, path.data(), kLongestPath, GPFIDL_DEFAULT)) {
        path.resize(wcslen(path.c_str()));
        return path;
    }
    if (unreadable) {
        IShellFolder* parent = nullptr;
        PCUITEMID_CHILD child = nullptr;
        if (SUCCEEDED(
                SHBindToParent(id, IID_IShellFolder, reinterpret_cast<void**>(&parent), &child))) {
            ComPtr<IShellFolder> owned(parent);
            SFGAOF attributes = SFGAO_FILESYSTEM;
            if (SUCCEEDED(parent->GetAttributesOf(1, &child, &attributes)) &&
                (attributes & SFGAO_FILESYSTEM))
                *unreadable = true;
        }
    }
    return {};
}

}  // namespace

void ItemIdFree::operator()(ITEMIDLIST* id) const { CoTaskMemFree(id); }

TSHBrowseForFolderEx::TSHBrowseForFolderEx(HWND ownerForm)
    : ownerForm_(ownerForm), appWindow_(ownerForm) {}

void TSHBrowseForFolderEx::SelectionChanged(HWND wnd, const std::wstring& path,
                                            std::wstring& showText, int& okButtonState) {
    auto handler = OnSelectionChanged;
    if (handler) handler(*this, wnd, path, showText, okButtonState);
}

bool TSHBrowseForFolderEx::Execute() {
    selectedPath_.clear();
    selectedDisplayName_.clear();
    pathUnreadable_ = false;
    ComApartment com;

    IShellFolder* desktopRaw = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktopRaw)) || !desktopRaw) return false;
    ComPtr<IShellFolder> desktop(desktopRaw);

    UniqueItemId selection = ResolveFolder(*desktop, appWindow_, selectFolder_,
                                           selectFolder_ == sfManual, selectFolderName_);
    UniqueItemId root =
        ResolveFolder(*desktop, appWindow_, rootFolder_, rootFolder_ == rfManual, rootFolderName_);
    if (!root) return false;

    wchar_t displayName[MAX_PATH] = {};
    BrowseFlags flags = BrowseFlagsOf(Options);
    BROWSEINFOW info{};
    info.hwndOwner = appWindow_;
    info.pidlRoot = root.get();
    info.pszDisplayName = displayName;
    info.lpszTitle = Caption.c_str();
    info.ulFlags = flags.flags;
    info.lpfn = &TSHBrowseForFolderEx::BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);

    initialSelection_ = selection.get();
    rootId_ = root.get();
    showPath_ = flags.showPath;
    // Disabled exactly while the dialog is open; enabled again whatever the dialog returned.
    // The focus goes back to where the user was (the field behind the "..." button).
    const HWND focus = GetFocus();
    const bool wasEnabled = appWindow_ && IsWindowEnabled(appWindow_);
    if (wasEnabled) EnableWindow(appWindow_, FALSE);
    UniqueItemId chosen(SHBrowseForFolderW(&info));
    if (wasEnabled) {
        EnableWindow(appWindow_, TRUE);
        SetForegroundWindow(appWindow_);
    }
    if (focus && IsWindow(focus)) SetFocus(focus);
    initialSelection_ = nullptr;
    rootId_ = nullptr;
    showPath_ = false;
    UniqueItemId lastShown = std::move(lastSelection_);
    if (!chosen) return false;
    // The dialog returns the item it last reported selected. Wine's dialog can lose that item
    // when its tree is refreshed and return the desktop instead: what the user saw selected and
    // confirmed is the item of the last selection notice.
    bool replaced = false;
    if (lastShown && !ILIsEqual(chosen.get(), lastShown.get())) {
        chosen = std::move(lastShown);
        replaced = true;
    }

    bool unreadable = false;
    std::wstring path = PathOf(chosen.get(), &unreadable);
    if (unreadable) {
        pathUnreadable_ = true;
        return false;
    }
    if (!replaced) selectedDisplayName_ = displayName;
    if (selectedDisplayName_.empty()) {
        // Wine's dialog leaves the name empty for virtual folders: ask the shell directly.
        SHFILEINFOW file{};
        if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(chosen.get()), 0, &file, sizeof file,
                           SHGFI_PIDL | SHGFI_DISPLAYNAME))
            selectedDisplayName_ = file.szDisplayName;
    }
    selectedPath_ = std::move(path);
    return true;
}

void TSHBrowseForFolderEx::SelectInitialFolder(HWND wnd) {
    PCIDLIST_ABSOLUTE id = initialSelection_;
    SendMessageW(wnd, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(id));
    // The selection notice comes back at once when the folder was found in the tree. Wine's
    // dialog, the first time in a process, may not find a folder by the identifier parsed
    // before it opened; by its path it does.
    if (lastSelection_ && ILIsEqual(lastSelection_.get(), id)) return;
    std::wstring path = PathOf(id, nullptr);
    if (!path.empty())
        SendMessageW(wnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
}

void TSHBrowseForFolderEx::Initialized(HWND wnd) {
    // The dialog starts on its root by itself; asked to select the root, Wine's dialog selects
    // the root's first child instead.
    if (initialSelection_ && !(rootId_ && ILIsEqual(rootId_, initialSelection_)))
        SelectInitialFolder(wnd);
    RECT dialog{};
    switch (showStyle_) {
        case ssCenterScreen: {
            RECT work{};
            if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) break;
            GetWindowRect(wnd, &dialog);
            Point p = CenterScreenPosition({work.left, work.top, work.right, work.bottom},
                                           dialog.right - dialog.left, dialog.bottom - dialog.top);
            SetWindowPos(wnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case ssClient:
            if (ownerForm_ && IsWindow(ownerForm_)) {
                POINT origin{0, 0};
                ClientToScreen(ownerForm_, &origin);
                SetWindowPos(wnd, nullptr, origin.x, origin.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            break;
        case ssNone:
            break;
    }
}

int CALLBACK TSHBrowseForFolderEx::BrowseCallback(HWND wnd, UINT msg, LPARAM lp, LPARAM data) {
    auto* self = reinterpret_cast<TSHBrowseForFolderEx*>(data);
    if (!self) return 0;
    if (msg == BFFM_INITIALIZED) {
        // The status line starts empty, before the initial selection reports its own text
        // (after it, the empty text would wipe that out).
        SendMessageW(wnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(L""));
        self->Initialized(wnd);
    } else if (msg == BFFM_SELCHANGED) {
        std::wstring path;
        if (lp) {
            auto id = reinterpret_cast<PCIDLIST_ABSOLUTE>(lp);
            path = PathOf(id, nullptr);
            self->lastSelection_.reset(ILClone(id));
        }
        std::wstring showText;
        int okButtonState = 0;
        self->SelectionChanged(wnd, path, showText, okButtonState);
        if (self->showPath_) showText = path;
        SendMessageW(wnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(showText.c_str()));
        if (okButtonState == 1 || okButtonState == 2) {
            // Set now, and again once the dialog has finished its own handling of the change
            // (Wine's dialog re-enables the button after the callback has disabled it).
            SendMessageW(wnd, BFFM_ENABLEOK, 0, okButtonState == 1);
            PostMessageW(wnd, BFFM_ENABLEOK, 0, okButtonState == 1);
        }
    }
    return 0;
}

}  // namespace zarv
