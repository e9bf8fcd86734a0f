// The folder browse dialog, answered from a second thread as a user would answer it.
#include "widgets/folder_browser.h"

#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "test_window.h"

namespace zarv {
namespace {

// The open folder dialog of this process, or nullptr after timeoutMs.
HWND WaitForDialog(DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND found = nullptr;
        for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
             w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(w)) found = w;
        }
        if (found) return found;
        Sleep(20);
    }
    return nullptr;
}

std::wstring TreeSelection(HWND dialog);

// Waits until the tree has filled and its selection has stayed put for a moment; with a
// folder name, until that folder is the selection (a slow machine may show the dialog before
// its first selection is made).
void WaitForSteadyTree(HWND dialog, const std::wstring& selected) {
    std::wstring last = L"?";
    int steady = 0;
    for (int i = 0; i < 200 && steady < 4; ++i) {
        Sleep(50);
        std::wstring now = TreeSelection(dialog);
        steady = now == last && (selected.empty() || now == selected) ? steady + 1 : 0;
        last = now;
    }
}

// The last component of a path.
std::wstring LeafOf(const std::wstring& path) {
    size_t end = path.find_last_not_of(L'\\');
    size_t start = path.find_last_of(L'\\', end);
    return path.substr(start + 1, end - start);
}

// Runs answer(dialog) on a second thread once the dialog is open, while this thread runs
// Execute; the answer closes the dialog. With sfManual the dialog must first show the typed
// folder selected.
bool ExecuteAnswered(TSHBrowseForFolderEx& browser, std::function<void(HWND)> answer) {
    std::wstring selected;
    if (browser.SelectFolder() == sfManual && !browser.SelectFolderName().empty() &&
        GetFileAttributesW(browser.SelectFolderName().c_str()) & FILE_ATTRIBUTE_DIRECTORY &&
        GetFileAttributesW(browser.SelectFolderName().c_str()) != INVALID_FILE_ATTRIBUTES)
        selected = LeafOf(browser.SelectFolderName());
    std::thread driver([&] {
        HWND dialog = WaitForDialog();
        if (!dialog) return;
        WaitForSteadyTree(dialog, selected);
        answer(dialog);
    });
    bool result = browser.Execute();
    driver.join();
    return result;
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[260] = L"";
    TVITEMW tvi{};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = 260;
    TreeView_GetItem(tree, &tvi);
    return text;
}

std::wstring TreeSelection(HWND dialog) {
    HWND tree = FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr);
    return ItemText(tree, TreeView_GetSelection(tree));
}

void PressOk(HWND dialog) { PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }
void PressCancel(HWND dialog) { PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }

// The test folders below C:\zarv-folder-test. They are made before any dialog opens: a dialog
// that sees its tree change while it is open may lose its selection under Wine.
const std::wstring kTestRoot = L"C:\\zarv-folder-test";
// Polish letters and a Hangul syllable: none of them in code page 932.
const std::wstring kForeign = kTestRoot + L"\\zażółć-한";
// 152 characters, 282 bytes in code page 932: more than the 260 bytes of an ANSI buffer.
const std::wstring kWideParent = kTestRoot + L"\\" + std::wstring(65, L'フ');
const std::wstring kWide = kWideParent + L"\\" + std::wstring(65, L'ル');

std::wstring Folder(const wchar_t* name) { return kTestRoot + L"\\" + name; }

void MakeTestFolders() {
    for (const std::wstring& path : {kTestRoot, Folder(L"typed"), Folder(L"first"),
                                     Folder(L"status"), kForeign, kWideParent, kWide})
        CreateDirectoryW(path.c_str(), nullptr);
}

class FolderBrowserTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        MakeTestFolders();
        Sleep(500);  // new folders may otherwise still change the first dialog's tree under Wine
        owner_ = test::CreateHostWindow(L"owner", 100, 100, 400, 300);
        field_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200,
                                 22, owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(owner_); }
    static HWND owner_;
    static HWND field_;  // where the user was before the dialog
};
HWND FolderBrowserTest::owner_ = nullptr;
HWND FolderBrowserTest::field_ = nullptr;

TEST_F(FolderBrowserTest, OpensOnTheTypedFolderAndOkReturnsIt) {
    const std::wstring folder = Folder(L"typed");
    // As typed, and as the entry dialogs write it back: with a trailing backslash.
    for (const std::wstring& typed : {folder, folder + L"\\"}) {
        TSHBrowseForFolderEx browser(owner_);
        browser.SetSelectFolder(sfManual);
        browser.SetSelectFolderName(typed);
        SetFocus(field_);
        std::atomic<bool> ownerEnabledMeanwhile{true};
        bool ok = ExecuteAnswered(browser, [&](HWND dialog) {
            ownerEnabledMeanwhile = IsWindowEnabled(owner_) != FALSE;
            PressOk(dialog);
        });
        EXPECT_TRUE(ok);
        EXPECT_EQ(browser.SelectedPath(), folder);
        // The shell's name for it: "typed" on Windows, the whole path under Wine.
        EXPECT_NE(browser.SelectedDisplayName().find(L"typed"), std::wstring::npos);
        // The owner is disabled exactly while the dialog is open.
        EXPECT_FALSE(ownerEnabledMeanwhile);
        EXPECT_TRUE(IsWindowEnabled(owner_));
        EXPECT_EQ(GetFocus(), field_);
    }
}

TEST_F(FolderBrowserTest, CancelReturnsFalseAndClearsBothResults) {
    TSHBrowseForFolderEx browser(owner_);
    browser.SetSelectFolder(sfManual);
    browser.SetSelectFolderName(Folder(L"first"));
    ASSERT_TRUE(ExecuteAnswered(browser, PressOk));
    ASSERT_FALSE(browser.SelectedPath().empty());
    EXPECT_FALSE(ExecuteAnswered(browser, PressCancel));
    EXPECT_TRUE(browser.SelectedPath().empty());
    EXPECT_TRUE(browser.SelectedDisplayName().empty());
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(FolderBrowserTest, CenterScreenIsOneThirdDownTheFreeHeight) {
    TSHBrowseForFolderEx browser(owner_);
    browser.SetShowStyle(ssCenterScreen);
    RECT dialogRect{};
    ExecuteAnswered(browser, [&](HWND dialog) {
        GetWindowRect(dialog, &dialogRect);
        PressCancel(dialog);
    });
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int w = dialogRect.right - dialogRect.left, h = dialogRect.bottom - dialogRect.top;
    ASSERT_GT(w, 0);
    EXPECT_EQ(dialogRect.left, work.left + (work.right - work.left - w) / 2);
    EXPECT_EQ(dialogRect.top, work.top + (work.bottom - work.top - h) / 3);
}

TEST_F(FolderBrowserTest, ClientStylePutsTheDialogAtTheOwnersClientOrigin) {
    TSHBrowseForFolderEx browser(owner_);
    RECT dialogRect{};
    ExecuteAnswered(browser, [&](HWND dialog) {
        GetWindowRect(dialog, &dialogRect);
        PressCancel(dialog);
    });
    POINT origin{0, 0};
    ClientToScreen(owner_, &origin);
    EXPECT_EQ(dialogRect.left, origin.x);
    EXPECT_EQ(dialogRect.top, origin.y);
}

TEST_F(FolderBrowserTest, UntypedOrMissingFolderOpensOnTheDesktop) {
    // Nothing typed, a missing folder, and a file: the dialog opens on the desktop, whose
    // path is the desktop folder.
    wchar_t desktop[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop);
    for (std::wstring name : {std::wstring(), std::wstring(L"C:\\zarv-no-such-folder"),
                              std::wstring(L"C:\\windows\\win.ini")}) {
        TSHBrowseForFolderEx browser(owner_);
        browser.Options = {};
        browser.SetSelectFolder(sfManual);
        browser.SetSelectFolderName(name);
        EXPECT_TRUE(ExecuteAnswered(browser, PressOk)) << static_cast<const void*>(name.c_str());
        EXPECT_EQ(browser.SelectedPath(), desktop);
    }
}

TEST_F(FolderBrowserTest, PathsOutsideTheAnsiCodePageOrLongerThanItsBufferComeBackWhole) {
    ASSERT_EQ(GetFileAttributesW(kWide.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              DWORD{FILE_ATTRIBUTE_DIRECTORY});
    for (const std::wstring& folder : {kForeign, kWide}) {
        TSHBrowseForFolderEx browser(owner_);
        browser.SetSelectFolder(sfManual);
        browser.SetSelectFolderName(folder);
        ASSERT_TRUE(ExecuteAnswered(browser, PressOk));
        EXPECT_EQ(browser.SelectedPath(), folder);
        EXPECT_FALSE(browser.PathUnreadable());
    }
}

// True when a child window of dialog shows text.
bool ShowsText(HWND dialog, const std::wstring& text) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t buffer[512] = L"";
        GetWindowTextW(child, buffer, 512);
        if (text == buffer) return true;
    }
    return false;
}

TEST_F(FolderBrowserTest, SelectionEventSetsStatusAndOkButton) {
    const std::wstring folder = Folder(L"status");
    // The event's text, or with the show-path option the path whatever the event set.
    for (bool showPath : {false, true}) {
        TSHBrowseForFolderEx browser(owner_);
        if (showPath)
            browser.Options = {sboStatusText, sboStatusTextAndShowPath};
        else
            browser.Options = {sboStatusText};
        browser.SetSelectFolder(sfManual);
        browser.SetSelectFolderName(folder);
        std::wstring lastPath;
        browser.OnSelectionChanged = [&](TSHBrowseForFolderEx& sender, HWND,
                                         const std::wstring& path, std::wstring& showText,
                                         int& okState) {
            EXPECT_EQ(&sender, &browser);
            EXPECT_TRUE(showText.empty());
            EXPECT_EQ(okState, 0);
            lastPath = path;
            showText = L"status: " + path;
            okState = 2;  // nothing may be confirmed
        };
        bool okEnabled = true, statusShown = false;
        ExecuteAnswered(browser, [&](HWND dialog) {
            okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
            statusShown = ShowsText(dialog, showPath ? folder : L"status: " + folder);
            PressCancel(dialog);
        });
        EXPECT_EQ(lastPath, folder);
        EXPECT_FALSE(okEnabled);
        EXPECT_TRUE(statusShown) << "show path: " << showPath;
    }
}

TEST_F(FolderBrowserTest, VirtualFolderConfirmedWithoutPath) {
    ITEMIDLIST* drives = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives), S_OK);
    SHFILEINFOW info{};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(drives), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_DISPLAYNAME);
    CoTaskMemFree(drives);
    const std::wstring drivesName = info.szDisplayName;

    TSHBrowseForFolderEx browser(owner_);
    browser.Options = {};                           // not only file-system folders
    browser.SetSelectFolderName(Folder(L"typed"));  // no effect without sfManual
    // The user picks the drive list in the tree, under the desktop.
    ASSERT_TRUE(ExecuteAnswered(browser, [&](HWND dialog) {
        HWND tree = FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr);
        HTREEITEM root = TreeView_GetRoot(tree);
        TreeView_Expand(tree, root, TVE_EXPAND);
        for (HTREEITEM item = TreeView_GetChild(tree, root); item;
             item = TreeView_GetNextSibling(tree, item)) {
            if (ItemText(tree, item) == drivesName) TreeView_SelectItem(tree, item);
        }
        PressOk(dialog);
    }));
    EXPECT_TRUE(browser.SelectedPath().empty());
    EXPECT_EQ(browser.SelectedDisplayName(), drivesName);
    EXPECT_FALSE(browser.PathUnreadable());
}

}  // namespace
}  // namespace zarv
