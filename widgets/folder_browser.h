#pragma once
// The shell's modal folder-tree dialog around one call: a root folder and an initial selection,
// each a well-known shell folder or a typed path; placement of the dialog; a per-selection event
// that may set a status line and the OK button's state; the result as a file-system path.
//
// Texts are wide throughout (SHBrowseForFolderW): a path with characters the ANSI code page
// cannot hold, or longer than MAX_PATH, comes back whole. A confirmed folder whose path the shell
// cannot give at all (longer than the longest path Windows handles) is a failure: Execute
// returns false with both results empty and PathUnreadable() true, never a cut path.
#include <windows.h>
#include <shtypes.h>

#include <functional>
#include <memory>
#include <string>

#include "core/folder_browse.h"

namespace zarv {

// Owns a shell item identifier (freed with CoTaskMemFree).
struct ItemIdFree {
    void operator()(ITEMIDLIST* id) const;
};
using UniqueItemId = std::unique_ptr<ITEMIDLIST, ItemIdFree>;

enum TShowStyle {
    ssNone,          // the shell places the dialog
    ssCenterScreen,  // centred in the work area, one third down its free height
    ssClient         // top-left corner at the owner form's client origin
};

class TSHBrowseForFolderEx {
public:
    // ownerForm: the form for ssClient placement, and the window the dialog belongs to and
    // disables while it is open (see SetApplicationWindow). May be nullptr.
    explicit TSHBrowseForFolderEx(HWND ownerForm);
    virtual ~TSHBrowseForFolderEx() = default;
    TSHBrowseForFolderEx(const TSHBrowseForFolderEx&) = delete;
    TSHBrowseForFolderEx& operator=(const TSHBrowseForFolderEx&) = delete;

    // The window that owns the dialog and is disabled exactly while it is open, then enabled and
    // brought to the front (also when the dialog fails). Defaults to the owner form, so the form
    // that opened the dialog cannot be clicked meanwhile; windows disabled by that form's own
    // modal state stay disabled.
    void SetApplicationWindow(HWND window) { appWindow_ = window; }
    HWND ApplicationWindow() const { return appWindow_; }

    void SetSelectFolder(TSelectFolder kind) { selectFolder_ = kind; }  // [sfDrives]
    TSelectFolder SelectFolder() const { return selectFolder_; }
    void SetSelectFolderName(const std::wstring& path) { selectFolderName_ = path; }
    const std::wstring& SelectFolderName() const { return selectFolderName_; }
    void SetRootFolder(TRootFolder kind) { rootFolder_ = kind; }  // [rfDesktop]
    TRootFolder RootFolder() const { return rootFolder_; }
    void SetRootFolderName(const std::wstring& path) { rootFolderName_ = path; }
    const std::wstring& RootFolderName() const { return rootFolderName_; }
    void SetShowStyle(TShowStyle style) { showStyle_ = style; }  // [ssClient]
    TShowStyle ShowStyle() const { return showStyle_; }

    std::wstring Caption;                           // instruction text above the tree
    TSHBrowseOptions Options{sboReturnOnlyFSDirs};  // dialog flags

    // Raised whenever the selection changes, with the dialog window and the selected folder's
    // path (empty when it has none). showText (empty on entry) becomes the status line;
    // okButtonState (0 on entry): 1 enables the OK button, 2 disables it, 0 leaves it.
    std::function<void(TSHBrowseForFolderEx& sender, HWND wnd, const std::wstring& path,
                       std::wstring& showText, int& okButtonState)>
        OnSelectionChanged;

    // Shows the dialog; true when the user confirmed a folder.
    bool Execute();
    // The confirmed folder's file-system path; empty when it has none (a virtual folder).
    const std::wstring& SelectedPath() const { return selectedPath_; }
    // The name the shell shows for the confirmed folder.
    const std::wstring& SelectedDisplayName() const { return selectedDisplayName_; }
    // True after an Execute whose confirmed folder is in the file system but whose path the
    // shell could not give.
    bool PathUnreadable() const { return pathUnreadable_; }

protected:
    virtual void SelectionChanged(HWND wnd, const std::wstring& path, std::wstring& showText,
                                  int& okButtonState);

private:
    static int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM lp, LPARAM data);
    void Initialized(HWND wnd);
    void SelectInitialFolder(HWND wnd);

    HWND ownerForm_;
    HWND appWindow_;
    TSelectFolder selectFolder_ = sfDrives;
    std::wstring selectFolderName_;
    TRootFolder rootFolder_ = rfDesktop;
    std::wstring rootFolderName_;
    TShowStyle showStyle_ = ssClient;
    std::wstring selectedPath_;
    std::wstring selectedDisplayName_;
    bool pathUnreadable_ = false;
    // While Execute runs.
    PCIDLIST_ABSOLUTE initialSelection_ = nullptr;
    PCIDLIST_ABSOLUTE rootId_ = nullptr;
    UniqueItemId lastSelection_;  // the last item reported selected
    bool showPath_ = false;
};

}  // namespace zarv
