// The notification-area icon and the two menus it opens: the icon in the shell, the launcher
// menu's items, pictures and choices, the tray menu, the About box and the exit.
#include <filesystem>
#include <map>
#include <set>

#include "ui_helpers.h"
#include "zarv_fixture.h"

#include <shellapi.h>  // the notices of the icon's fourth version

namespace e2e {
namespace {

using namespace ui;

constexpr UINT kCtrlShift = MOD_CONTROL | MOD_SHIFT;

// The tray menu, top to bottom; a separator has no caption.
struct TrayItem {
    const wchar_t* caption;
    UINT id;
};
constexpr TrayItem kTrayItems[] = {
    {L"ホットキーの設定(&H)", kHotkeySettingsId},
    {L"コマンドの設定(&S)", kCommandSettingsId},
    {nullptr, 0},
    {L"コマンド(&C)", kCommandBarId},
    {nullptr, 0},
    {L"このプログラムについて", kAboutId},
    {L"終了(&X)", kExitId},
};

HotkeyRecord Entry(std::string title, std::string key_text, std::string file_path,
                   std::uint8_t func_no = 0, KeyCombo chord = {0, 0}) {
    HotkeyRecord r;
    r.title = std::move(title);
    r.key_text = std::move(key_text);
    r.file_path = std::move(file_path);
    r.func_no = func_no;
    r.modifiers = static_cast<std::uint8_t>(chord.modifiers);
    r.vkey = static_cast<std::uint8_t>(chord.vkey);
    return r;
}

void ExpectTrayMenu(const OpenMenu& menu) {
    ASSERT_EQ(menu.items.size(), std::size(kTrayItems));
    for (size_t i = 0; i < menu.items.size(); ++i) {
        SCOPED_TRACE(i);
        const MenuItem& item = menu.items[i];
        ASSERT_EQ(item.separator(), kTrayItems[i].caption == nullptr);
        if (item.separator()) continue;
        EXPECT_EQ(item.caption, kTrayItems[i].caption);
        EXPECT_EQ(item.id, kTrayItems[i].id);
        EXPECT_FALSE(item.grayed());
    }
}

class TrayTest : public ZarvTest {
protected:
    // Starts zarv and waits until it is through its start-up; the resident window or null.
    HWND StartResident() {
        Process& zarv = StartZarv();
        zarv_ = &zarv;
        return WaitResident(zarv);
    }
    const Process& zarv() const { return *zarv_; }

    std::optional<OpenMenu> Menu() {
        std::string error;
        auto menu = ReadMenu(*zarv_, dir(), &error);
        if (!menu) ADD_FAILURE() << error;
        return menu;
    }
    bool Choose(UINT id) {
        std::string error;
        bool chosen = ChooseMenuItem(*zarv_, dir(), id, &error);
        if (!chosen) ADD_FAILURE() << error;
        return chosen;
    }

private:
    Process* zarv_ = nullptr;
};

// ---- The icon in the notification area ---------------------------------------------------------

using TrayIcon = TrayTest;

TEST_F(TrayIcon, ShellShowsTheTipAndPassesTheButtonsOn) {
    WriteHotkeys({Entry("marker", "key", marker())});
    HWND main = StartResident();
    ASSERT_TRUE(main);

    // Icons of programs that were killed stay in the shell until a click finds their owner
    // gone: ours is the one whose click opens zarv's menu.
    HWND ours = nullptr;
    std::set<HWND> tried;
    std::set<std::wstring> other_tips;
    WaitUntil([&] {
        for (const ShellIcon& icon : ShellIcons()) {
            if (icon.tip != L"Z.A.R.V") {
                other_tips.insert(icon.tip);
                continue;
            }
            if (!tried.insert(icon.window).second) continue;
            PostMessageW(icon.window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            PostMessageW(icon.window, WM_LBUTTONUP, 0, 0);
            if (MenuOpens(zarv().pid(), 1000)) {
                ours = icon.window;
                return true;
            }
        }
        return false;
    });
    if (!ours) {
        std::string tips;
        for (const std::wstring& tip : other_tips) tips += " \"" + ToAnsi(tip) + "\"";
        FAIL() << "no icon with the tip \"Z.A.R.V\" reaches zarv; other tips:" << tips;
    }
    std::string error;
    auto menu = Menu();
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->items.size(), 1u);
    EXPECT_EQ(menu->items[0].caption, L"marker[key]") << "the left button opens the launcher menu";
    Sleep(kBalloonDelayMs);
    EXPECT_FALSE(BalloonSays(dir())) << "a first-run notice with a data file there";
    ASSERT_TRUE(CloseMenus(zarv().pid()));

    PostMessageW(ours, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    PostMessageW(ours, WM_RBUTTONUP, 0, 0);
    ASSERT_TRUE(MenuOpens(zarv().pid()));
    menu = Menu();
    ASSERT_TRUE(menu);
    ExpectTrayMenu(*menu);
    ASSERT_TRUE(CloseMenus(zarv().pid()));

    // A real click opens either menu with the keyboard in it: Down moves, Escape closes.
    const RECT r = RectOf(ours);
    for (bool right : {false, true}) {
        ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, right);
        ASSERT_TRUE(MenuOpens(zarv().pid())) << right;
        // Keys from the display follow its focus, which only a shown window can have.
        DWORD front = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &front);
        EXPECT_TRUE(front == zarv().pid() && IsWindowVisible(GetForegroundWindow())) << right;
        MovePointer(r.right + 300, r.bottom + 300);  // no item is lit by the pointer
        PressKey(VK_DOWN);
        EXPECT_TRUE(WaitUntil([&] {
            auto open = ReadMenu(zarv(), dir(), &error);
            return open && HighlightedItem(*open) == 0;
        })) << right;
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return OpenMenuWindows(zarv().pid()).empty(); })) << right;
        ASSERT_TRUE(CloseMenus(zarv().pid()));
    }

    // Leaving through the tray menu takes the icon out of the shell.
    ASSERT_TRUE(ClickIcon(main, WM_RBUTTONDOWN));
    ASSERT_TRUE(MenuOpens(zarv().pid()));
    ASSERT_TRUE(Choose(kExitId));
    EXPECT_TRUE(zarv().WaitExit());
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(ours); })) << "the icon stays in the shell";
}

TEST_F(TrayIcon, FirstRunSaysWhereToBeginAndTheEmptyLauncherMenuOpensTheEditor) {
    HWND main = StartResident();  // no data files
    ASSERT_TRUE(main);
    EXPECT_TRUE(WaitBalloon(dir())) << "no notice names the program's folder";

    ASSERT_TRUE(ClickIcon(main, WM_LBUTTONDOWN));
    auto menu = Menu();
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->items.size(), 1u);
    EXPECT_EQ(menu->items[0].caption, L"ホットキーの設定(&H)");
    ASSERT_TRUE(Choose(menu->items[0].id));
    EXPECT_TRUE(WaitUntil([&] { return !TopLevelWindows(zarv().pid(), L"TSettingForm").empty(); }))
        << "the item did not open the hotkey editor";
}

TEST_F(TrayIcon, TaskbarCreatedWhileTheIconIsShownKeepsOneWorkingIcon) {
    WriteHotkeys({Entry("marker", "key", marker())});
    HWND main = StartResident();
    ASSERT_TRUE(main);
    auto reaching = [&] {  // our icons in the shell: those whose click opens zarv's menu
        std::vector<HWND> found;
        for (const ShellIcon& icon : ShellIcons()) {
            if (icon.tip != L"Z.A.R.V") continue;
            PostMessageW(icon.window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            PostMessageW(icon.window, WM_LBUTTONUP, 0, 0);
            if (MenuOpens(zarv().pid(), 1000)) {
                found.push_back(icon.window);
                CloseMenus(zarv().pid());
            }
        }
        return found;
    };
    std::vector<HWND> before;
    ASSERT_TRUE(WaitUntil([&] { return !(before = reaching()).empty(); }));

    // Sent by the shell when its taskbar starts, and by some systems while it still runs.
    PostMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    std::vector<HWND> after;
    ASSERT_TRUE(WaitUntil([&] { return (after = reaching()).size() == before.size(); }));

    // The icon still belongs to the program: leaving takes it out of the shell.
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(zarv().WaitExit());
    EXPECT_TRUE(WaitUntil([&] {
        for (HWND w : after)
            if (IsWindow(w)) return false;
        return true;
    })) << "the icon stays in the shell after exit";
}

TEST_F(TrayIcon, KeysOnTheIconOpenTheMenusWhereTheShellSays) {
    WriteHotkeys({Entry("marker", "key", marker())});
    HWND main = StartResident();
    ASSERT_TRUE(main);
    // As a shell of the fourth version sends them: the event and the icon's number in lParam,
    // the point (the icon's place, for a key) in wParam. The pointer is elsewhere.
    auto menuAt = [&](UINT event, int x, int y) {
        PostMessageW(CallbackWindow(main), kTrayMessage, MAKEWPARAM(x, y),
                     MAKELPARAM(event, kIconNumber));
        auto menu = MenuOpens(zarv().pid()) ? Menu() : std::nullopt;
        if (menu) EXPECT_TRUE(menu->rect.left == x && menu->rect.top == y) << event;
        return menu;
    };
    MovePointer(600, 500);
    auto menu = menuAt(NIN_KEYSELECT, 300, 200);  // Enter or Space
    ASSERT_TRUE(menu && menu->items.size() == 1u) << "no launcher menu";
    ASSERT_TRUE(CloseMenus(zarv().pid()));
    menu = menuAt(WM_CONTEXTMENU, 320, 210);  // the context-menu key, Shift+F10
    ASSERT_TRUE(menu);
    ExpectTrayMenu(*menu);
    ASSERT_TRUE(CloseMenus(zarv().pid()));
    // A click: the menu at the pointer, and nothing for the selection the shell sends after it.
    ASSERT_TRUE(menuAt(WM_LBUTTONDOWN, 600, 500));
    ASSERT_TRUE(CloseMenus(zarv().pid()));
    PostMessageW(CallbackWindow(main), kTrayMessage, 0, MAKELPARAM(NIN_SELECT, kIconNumber));
    EXPECT_FALSE(MenuOpens(zarv().pid(), 500)) << "the selection after a click opened a menu";
}

// ---- The launcher menu ------------------------------------------------------------------------

using ItemMenu = TrayTest;

TEST_F(ItemMenu, ItemsShowTitleAndKeyTextAndEachAvailableItemItsOwnPicture) {
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker_icon_a.exe", PathIn(L"red.exe")));
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker_icon_b.exe", PathIn(L"blue.exe")));
    const std::string red = AnsiPathIn(L"red.exe"), blue = AnsiPathIn(L"blue.exe");
    WriteHotkeys({
        Entry(ToAnsi(L"赤"), "Ctrl + Shift + F1", red),
        Entry("gone", ToAnsi(L"なし"), AnsiPathIn(L"missing.exe")),
        Entry("blue ", " [b] ", blue),  // blanks and brackets are taken as they are
        Entry(ToAnsi(L"赤 again"), "", red),
        Entry("folder", "f", ToAnsi(dir())),  // a folder is no program file
        Entry("web", "w", "http://example.invalid/", 255),
        Entry("date", "d", "", 9),
        Entry("plain", "p", marker()),
    });
    HWND main = StartResident();
    ASSERT_TRUE(main);

    // The menu opens with its top-left corner at the pointer.
    const POINT at = MovePointer(300, 200);
    ASSERT_TRUE(ClickIcon(main, WM_LBUTTONDOWN));
    auto menu = Menu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->rect.left, at.x);
    EXPECT_EQ(menu->rect.top, at.y);

    const std::vector<std::wstring> captions = {L"赤[Ctrl + Shift + F1]",
                                                L"gone[なし]",
                                                L"blue [ [b] ]",
                                                L"赤 again[]",
                                                L"folder[f]",
                                                L"web[w]",
                                                L"date[d]",
                                                L"plain[p]"};
    const std::vector<bool> available = {true, false, true, true, false, true, true, true};
    ASSERT_EQ(menu->items.size(), captions.size());
    ULONG_PTR next_image = 0;
    std::map<UINT, size_t> position;  // command id -> entry
    for (size_t i = 0; i < captions.size(); ++i) {
        SCOPED_TRACE(i);
        const MenuItem& item = menu->items[i];
        EXPECT_EQ(item.caption, captions[i]);
        EXPECT_EQ(item.id, kFirstLauncherId + i);
        EXPECT_EQ(item.grayed(), !available[i]);
        EXPECT_EQ(item.has_bitmap, available[i]);
        // Pictures are numbered over the available items only, so none is shifted by a gap.
        EXPECT_EQ(item.data, available[i] ? next_image++ : kNoImage);
        position[item.id] = i;
    }

    std::string error;
    auto pictures = ReadPictures(zarv().handle(), dir(), &error);
    ASSERT_TRUE(pictures) << error;
    std::map<size_t, Picture> by_entry;
    for (const Picture& p : *pictures) by_entry[position.at(p.id)] = p;
    for (size_t i = 0; i < captions.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(by_entry.count(i), available[i] ? 1u : 0u);
        if (available[i]) EXPECT_TRUE(by_entry[i].drawn) << "nothing drawn";
    }
    // The same program shows the same picture, a program with another icon another one. The
    // red and blue markers carry zarv's own two icons, which a URL (XICON1) and an internal
    // function (MAINICON) show; a program without an icon shows the shell's picture for it.
    const std::string& red_picture = by_entry[0].fingerprint;
    const std::string& blue_picture = by_entry[2].fingerprint;
    EXPECT_NE(red_picture, blue_picture);
    EXPECT_EQ(by_entry[3].fingerprint, red_picture);
    EXPECT_EQ(by_entry[5].fingerprint, blue_picture) << "the URL";
    EXPECT_EQ(by_entry[6].fingerprint, red_picture) << "the internal function";
    EXPECT_NE(by_entry[7].fingerprint, red_picture) << "the program without an icon";
    EXPECT_NE(by_entry[7].fingerprint, blue_picture) << "the program without an icon";
    EXPECT_TRUE(CloseMenus(zarv().pid()));
}

TEST_F(ItemMenu, ChosenItemStartsItsEntryAsTheHotKeyDoes) {
    const KeyCombo key{kCtrlShift, VK_F2};
    const std::wstring work = PathIn(L"作業 dir");
    ASSERT_TRUE(std::filesystem::create_directories(work));
    HotkeyRecord entry = MarkerEntry(key, "-menu \"a b\" " + ToAnsi(L"表"), ToAnsi(work));
    WriteHotkeys(
        {Entry("gone", "g", AnsiPathIn(L"missing.exe")), MarkerEntry({kCtrlShift, VK_F3}), entry});
    HWND main = StartResident();
    ASSERT_TRUE(main);

    auto runs = PressAndWait(key, 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, entry.file_path + " " + entry.options);
    EXPECT_EQ(runs[0].current_dir, entry.work_dir);

    ASSERT_TRUE(ClickIcon(main, WM_LBUTTONDOWN));
    ASSERT_TRUE(MenuOpens(zarv().pid()));
    ASSERT_TRUE(Choose(kFirstLauncherId + 2));
    runs = WaitMarkerRuns(log(), 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].command_line, runs[0].command_line);
    EXPECT_EQ(runs[1].current_dir, runs[0].current_dir);
    EXPECT_EQ(runs[1].exe, runs[0].exe);
    EXPECT_TRUE(OpenMenuWindows(zarv().pid()).empty());
}

TEST_F(ItemMenu, InternalFunctionsOpenBothMenusAtTheScreenCornerWhereverThePointerIs) {
    const KeyCombo launcher{kCtrlShift, VK_F4}, tray{kCtrlShift, VK_F5};
    WriteHotkeys({Entry("list", "F4", "", zarv::kFuncLauncherMenu, launcher),
                  Entry("tray", "F5", "", zarv::kFuncTrayMenu, tray)});
    StartResident();
    MovePointer(500, 400);

    Press(launcher);
    auto menu = Menu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->rect.left, 0);
    EXPECT_EQ(menu->rect.top, 0);
    ASSERT_EQ(menu->items.size(), 2u);
    EXPECT_EQ(menu->items[0].caption, L"list[F4]");
    ASSERT_TRUE(CloseMenus(zarv().pid()));

    Press(tray);
    menu = Menu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->rect.left, 0);
    EXPECT_EQ(menu->rect.top, 0);
    ExpectTrayMenu(*menu);
    EXPECT_TRUE(CloseMenus(zarv().pid()));
}

// ---- The tray menu ----------------------------------------------------------------------------

using TrayMenu = TrayTest;

TEST_F(TrayMenu, RightButtonOpensTheProgramsOwnMenuAtThePointer) {
    HWND main = StartResident();
    ASSERT_TRUE(main);
    const POINT at = MovePointer(640, 480);
    ASSERT_TRUE(ClickIcon(main, WM_RBUTTONDOWN));
    auto menu = Menu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->rect.left, at.x);
    EXPECT_EQ(menu->rect.top, at.y);
    ExpectTrayMenu(*menu);
    EXPECT_TRUE(CloseMenus(zarv().pid()));
}

TEST_F(TrayMenu, IconOpensNoMenuWhileTheAboutBoxIsOpen) {
    WriteHotkeys({MarkerEntry({kCtrlShift, VK_F6})});
    HWND main = StartResident();
    ASSERT_TRUE(main);
    ASSERT_TRUE(ClickIcon(main, WM_RBUTTONDOWN));
    ASSERT_TRUE(MenuOpens(zarv().pid()));
    ASSERT_TRUE(Choose(kAboutId));

    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        auto found = TopLevelWindows(zarv().pid(), L"TAbout");
        about = found.empty() ? nullptr : found.front();
        return about && IsWindowVisible(about);
    })) << "no About box";
    EXPECT_EQ(TextOf(about), L"このプログラムについて");
    HWND ok = FindWindowExW(about, nullptr, L"Button", L"OK");
    ASSERT_TRUE(ok);
    EXPECT_EQ(GetDlgCtrlID(ok), IDOK);

    // Both buttons on the icon, then OK: the box's thread takes them in this order, so the
    // clicks arrive while the box is open.
    ASSERT_TRUE(ClickIcon(main, WM_LBUTTONDOWN));
    ASSERT_TRUE(ClickIcon(main, WM_RBUTTONDOWN));
    PostMessageW(ok, BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(about) || !OpenMenuWindows(zarv().pid()).empty(); });
    EXPECT_TRUE(OpenMenuWindows(zarv().pid()).empty()) << "a click opened a menu over the box";
    ASSERT_TRUE(CloseMenus(zarv().pid()));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "OK did not close the box";

    ASSERT_TRUE(ClickIcon(main, WM_LBUTTONDOWN));
    EXPECT_TRUE(MenuOpens(zarv().pid())) << "the icon stays deaf after the box";
    EXPECT_TRUE(CloseMenus(zarv().pid()));
}

TEST_F(TrayMenu, ExitEndsTheProgramAndReleasesEveryKey) {
    const KeyCombo program{kCtrlShift, VK_F7}, function{kCtrlShift, VK_F8}, url{kCtrlShift, VK_F9};
    WriteHotkeys({MarkerEntry(program), Entry("list", "k", "", zarv::kFuncLauncherMenu, function),
                  Entry("web", "w", "http://example.invalid/", 255, url)});
    HWND main = StartResident();
    ASSERT_TRUE(main);
    for (KeyCombo c : {program, function, url})
        ASSERT_EQ(TryRegister(c), ERROR_HOTKEY_ALREADY_REGISTERED) << "vkey " << c.vkey;

    ASSERT_TRUE(ClickIcon(main, WM_RBUTTONDOWN));
    ASSERT_TRUE(MenuOpens(zarv().pid()));
    ASSERT_TRUE(Choose(kExitId));
    ASSERT_TRUE(zarv().WaitExit()) << "zarv.exe still runs";
    for (KeyCombo c : {program, function, url})
        EXPECT_EQ(TryRegister(c), 0u) << "vkey " << c.vkey << " is still taken";
}

}  // namespace
}  // namespace e2e
