#include "widgets/tray_icon.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "test_window.h"

namespace zarv {
namespace {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAA record;
};
std::vector<ShellCall> g_calls;
BOOL g_shellAnswer = TRUE;

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA data) {
    g_calls.push_back({message, *data});
    return g_shellAnswer;
}

// What the owner window saw: menus initialised and commands chosen.
std::vector<HMENU> g_menusOpened;
std::vector<WORD> g_commands;

bool g_escapeMenus = false;  // the menus are left with Escape instead

LRESULT CALLBACK OwnerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITMENUPOPUP) {
        g_menusOpened.push_back(reinterpret_cast<HMENU>(wp));
        if (g_escapeMenus) {
            INPUT key[2]{{INPUT_KEYBOARD}, {INPUT_KEYBOARD}};  // a real key, as typed
            key[0].ki.wVk = key[1].ki.wVk = VK_ESCAPE;
            key[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, key, sizeof(INPUT));
            return DefWindowProcW(h, msg, wp, lp);
        }
        // The menu's loop takes keys of the thread: choose the first item.
        PostMessageW(h, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(h, WM_KEYDOWN, VK_RETURN, 0);
    }
    if (msg == WM_COMMAND) g_commands.push_back(LOWORD(wp));
    return DefWindowProcW(h, msg, wp, lp);
}

using test::Pump;

// Longer than a single click's wait.
DWORD ClickWait() { return GetDoubleClickTime() + 250; }

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override {
        previous_ = TTrayIcon::SetShellNotifyProc(&RecordShellCall);
        g_calls.clear();
        g_shellAnswer = TRUE;
        g_menusOpened.clear();
        g_commands.clear();
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TrayTestOwner";
        RegisterClassW(&wc);  // fails harmlessly from the second test on
        owner_ = CreateWindowExW(0, L"TrayTestOwner", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(owner_, nullptr);
        picture_ = LoadIconW(nullptr, IDI_APPLICATION);
        SetCursorPos(123, 45);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        TTrayIcon::SetShellNotifyProc(previous_);
    }

    // The shell's notification for icon, handled.
    static void Notify(const TTrayIcon& icon, UINT mouseMsg) {
        PostMessageW(TTrayIcon::CallbackWindow(), 0x4C8, icon.SequenceNumber(), mouseMsg);
        Pump();
    }

    HWND owner_ = nullptr;
    HICON picture_ = nullptr;
    TTrayIcon::ShellNotifyProc previous_ = nullptr;
};

TEST_F(TrayIconTest, SharesOneInvisibleCallbackWindowPerProcess) {
    TTrayIcon first(owner_);
    TTrayIcon second(owner_);
    EXPECT_EQ(second.SequenceNumber(), first.SequenceNumber() + 1);
    HWND found = FindWindowExW(owner_, nullptr, L"TCallbackWindow", nullptr);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, TTrayIcon::CallbackWindow());
    EXPECT_EQ(FindWindowExW(owner_, found, L"TCallbackWindow", nullptr), nullptr);
    EXPECT_FALSE(IsWindowVisible(found));
    RECT r{};
    GetWindowRect(found, &r);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(r.bottom - r.top, 0);
}

TEST_F(TrayIconTest, TalksToTheShellInTheFourthVersion) {
    auto icon = std::make_unique<TTrayIcon>(owner_);
    icon->SetIcon(picture_);
    icon->SetTipHelp("Z.A.R.V");
    icon->SetVisible(true);
    EXPECT_TRUE(g_calls.empty());  // nothing before set-up ends
    icon->Loaded();
    ASSERT_EQ(g_calls.size(), 2u);
    const NOTIFYICONDATAA& added = g_calls[0].record;
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(added.cbSize, sizeof(NOTIFYICONDATAA));
    EXPECT_EQ(g_calls[1].message, static_cast<DWORD>(NIM_SETVERSION));
    EXPECT_EQ(g_calls[1].record.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    EXPECT_EQ(added.uID, icon->SequenceNumber());
    EXPECT_EQ(added.uCallbackMessage, 0x4C8u);
    EXPECT_EQ(added.hWnd, TTrayIcon::CallbackWindow());
    EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP));
    EXPECT_STREQ(added.szTip, "Z.A.R.V");
    EXPECT_NE(added.hIcon, nullptr);
    EXPECT_NE(added.hIcon, picture_);  // a copy of its own
    EXPECT_TRUE(icon->Shown());

    icon->SetTipHelp("Z.A.R.V");  // unchanged: no call
    icon->SetTipHelp("");
    ASSERT_EQ(g_calls.size(), 3u);
    EXPECT_EQ(g_calls[2].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(g_calls[2].record.uFlags, 3u);  // no tooltip

    icon->SetVisible(false);
    ASSERT_EQ(g_calls.size(), 4u);
    EXPECT_EQ(g_calls[3].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(icon->Shown());
    icon->SetVisible(true);
    icon.reset();  // a shown icon leaves the shell when it goes
    ASSERT_EQ(g_calls.size(), 7u);
    EXPECT_EQ(g_calls[6].message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconTest, IsNeverVisibleWithoutAPicture) {
    TTrayIcon icon(owner_);
    icon.Loaded();
    icon.SetVisible(true);
    EXPECT_FALSE(icon.Visible());
    EXPECT_TRUE(g_calls.empty());

    icon.SetIcon(picture_);
    icon.SetVisible(true);
    EXPECT_TRUE(icon.Shown());
    icon.SetIcon(nullptr);
    EXPECT_FALSE(icon.Visible());
    EXPECT_FALSE(icon.Shown());
    EXPECT_EQ(icon.Icon(), nullptr);
    EXPECT_EQ(g_calls.back().message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconTest, CutsTipHelpTo62Bytes) {
    TTrayIcon icon(owner_);
    EXPECT_EQ(icon.TipHelp(), "TipHelp");
    icon.SetTipHelp(std::string(70, 'x'));
    EXPECT_EQ(icon.TipHelp(), std::string(62, 'x'));
    if (GetACP() == 932) {
        // A double-byte character on bytes 62 and 63 is left out whole.
        icon.SetTipHelp(std::string(61, 'x') + "\x82\xA0" + "yy");
        EXPECT_EQ(icon.TipHelp(), std::string(61, 'x'));
    }
}

TEST_F(TrayIconTest, RefusedAddRaisesAndTaskbarCreatedAddsAgain) {
    TTrayIcon icon(owner_);
    icon.SetIcon(picture_);
    icon.SetVisible(true);
    g_shellAnswer = FALSE;
    EXPECT_FALSE(icon.Loaded());
    EXPECT_STREQ(kTrayIconError, "タスクトレイにアイコンを登録できません。");
    EXPECT_TRUE(icon.Visible());
    EXPECT_FALSE(icon.Shown());

    g_shellAnswer = TRUE;
    EXPECT_TRUE(icon.TaskbarCreated());
    EXPECT_TRUE(icon.Shown());
    EXPECT_TRUE(icon.TaskbarCreated());  // a restarted taskbar gets the icon again
    ASSERT_EQ(g_calls.size(), 6u);
    EXPECT_EQ(g_calls[3].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(g_calls[4].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(g_calls[5].message, static_cast<DWORD>(NIM_SETVERSION));  // after every add
    EXPECT_TRUE(icon.Shown());

    g_shellAnswer = FALSE;
    EXPECT_FALSE(icon.SetTipHelp("new"));  // a refused modify too
    EXPECT_FALSE(icon.SetIcon(LoadIconW(nullptr, IDI_WARNING)));
}

TEST_F(TrayIconTest, GuardsItsOtherProperties) {
    TTrayIcon icon(owner_);
    icon.SetAnimateRate(50);
    EXPECT_EQ(icon.AnimateRate(), 100);
    icon.SetAnimateRate(250);
    EXPECT_EQ(icon.AnimateRate(), 250);

    UniqueImageList frames(ImageList_Create(16, 16, ILC_COLOR32, 1, 1));
    icon.SetAnimateIcons(frames.get());
    icon.ImageListDestroyed(frames.get());
    EXPECT_EQ(icon.AnimateIcons(), nullptr);

    UniqueMenu menu(CreatePopupMenu());
    icon.SetLBPopupMenu(menu.get());
    icon.SetRBPopupMenu(menu.get());
    icon.MenuDestroyed(menu.get());
    EXPECT_EQ(icon.LBPopupMenu(), nullptr);
    EXPECT_EQ(icon.RBPopupMenu(), nullptr);
}

TEST_F(TrayIconTest, The101stIconIsRefused) {
    std::vector<std::unique_ptr<TTrayIcon>> icons;
    for (int i = 0; i < 100; ++i) icons.push_back(std::make_unique<TTrayIcon>(owner_));
    EXPECT_TRUE(icons.back()->Registered());
    {
        TTrayIcon extra(owner_);
        EXPECT_FALSE(extra.Registered()) << "a 101st icon was created";
        extra.SetIcon(picture_);
        extra.SetVisible(true);
        EXPECT_FALSE(extra.Loaded());  // it never reaches the shell
        EXPECT_FALSE(extra.Shown());
        EXPECT_TRUE(g_calls.empty());
    }
    unsigned last = icons.back()->SequenceNumber();
    icons.pop_back();
    EXPECT_EQ(TTrayIcon(owner_).SequenceNumber(), last);
}

// Events as text, to compare whole sequences.
// The position appears only when it is not the cursor's.
struct EventLog {
    std::vector<std::string> events;
    POINT at{};

    EventLog() { GetCursorPos(&at); }

    void Attach(TTrayIcon& icon) {
        auto name = [](TMouseButton b) {
            return b == TMouseButton::Left ? "L" : b == TMouseButton::Right ? "R" : "M";
        };
        icon.OnMouseDown = [this, name](TTrayIcon&, TMouseButton b, TShiftState s, int x, int y) {
            Add(std::string("down ") + name(b), s, x, y);
        };
        icon.OnMouseUp = [this, name](TTrayIcon&, TMouseButton b, TShiftState s, int x, int y) {
            Add(std::string("up ") + name(b), s, x, y);
        };
        icon.OnMouseMove = [this](TTrayIcon&, TShiftState s, int x, int y) {
            Add("move", s, x, y);
        };
    }
    void Add(std::string e, TShiftState s, int x, int y) {
        e += " " + std::to_string(s);
        if (x != at.x || y != at.y) e += " at " + std::to_string(x) + "," + std::to_string(y);
        events.push_back(e);
    }
};

TEST_F(TrayIconTest, TurnsNotificationsIntoEvents) {
    TTrayIcon icon(owner_);
    TTrayIcon other(owner_);
    EventLog log, otherLog;
    log.Attach(icon);
    otherLog.Attach(other);

    const UINT notifications[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,
                                  WM_RBUTTONDOWN, WM_RBUTTONUP,   WM_RBUTTONDBLCLK,
                                  WM_MBUTTONDOWN, WM_MBUTTONUP,   WM_MOUSEWHEEL};
    for (UINT m : notifications) {
        Notify(icon, m);
    }
    std::vector<std::string> expected = {"move 0", "down L 1", "up L 1", "down R 2",
                                         "up R 2", "down M 4", "up M 4"};
    EXPECT_EQ(log.events, expected);
    EXPECT_TRUE(otherLog.events.empty());
    EXPECT_EQ(TCallbackWindow::Instance()->CurrentIcon(), &icon);

    PostMessageW(TTrayIcon::CallbackWindow(), 0x4C8, other.SequenceNumber() + 1, WM_MOUSEMOVE);
    Notify(other, WM_MOUSEMOVE);
    EXPECT_EQ(otherLog.events, std::vector<std::string>{"move 0"});
}

TEST_F(TrayIconTest, PopsUpMenusOnButtonDown) {
    TTrayIcon icon(owner_);
    EventLog log;
    log.Attach(icon);
    UniqueMenu left(CreatePopupMenu()), right(CreatePopupMenu());
    AppendMenuW(left.get(), MF_STRING, 101, L"left");
    AppendMenuW(right.get(), MF_STRING, 202, L"right");
    icon.SetLBPopupMenu(left.get());

    Notify(icon, WM_LBUTTONDOWN);
    Notify(icon, WM_RBUTTONDOWN);  // no right menu yet
    Pump(100);
    EXPECT_EQ(g_menusOpened, std::vector<HMENU>{left.get()});
    EXPECT_EQ(g_commands, std::vector<WORD>{101});  // the command reaches the owner
    EXPECT_EQ(log.events, std::vector<std::string>{"down R 2"});

    icon.SetRBPopupMenu(right.get());
    Notify(icon, WM_RBUTTONDOWN);
    Pump(100);
    EXPECT_EQ(g_commands, (std::vector<WORD>{101, 202}));

    icon.AutoPopup = false;
    Notify(icon, WM_LBUTTONDOWN);
    EXPECT_EQ(g_menusOpened.size(), 2u);
    EXPECT_EQ(log.events.back(), "down L 1");

    // A menu left with Escape gives the keyboard back to the icon.
    g_escapeMenus = icon.AutoPopup = true;
    g_calls.clear();
    Notify(icon, WM_RBUTTONDOWN);
    g_escapeMenus = false;
    EXPECT_EQ(g_commands.size(), 2u);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_SETFOCUS));
}

TEST_F(TrayIconTest, TellsSingleFromDoubleClicks) {
    TTrayIcon icon(owner_);
    int clicks = 0, doubles = 0;
    icon.OnClick = [&](TTrayIcon&) { ++clicks; };
    icon.OnDblClick = [&](TTrayIcon&) { ++doubles; };

    DWORD up = GetTickCount();
    Notify(icon, WM_LBUTTONDOWN);
    Notify(icon, WM_LBUTTONUP);
    while (clicks == 0 && GetTickCount() - up < ClickWait()) Pump(5);
    EXPECT_EQ(clicks, 1);
    EXPECT_GE(GetTickCount() - up, GetDoubleClickTime());

    const UINT doubleClick[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    for (UINT m : doubleClick) Notify(icon, m);
    Pump(ClickWait());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);

    Notify(icon, WM_LBUTTONUP);
    Pump(ClickWait());
    EXPECT_EQ(clicks, 2);
}

TEST_F(TrayIconTest, IsDeafWhileDisabled) {
    TTrayIcon icon(owner_);
    EventLog log;
    log.Attach(icon);
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, 101, L"left");
    icon.SetLBPopupMenu(menu.get());
    int clicks = 0;
    icon.OnClick = [&](TTrayIcon&) { ++clicks; };
    icon.OnDblClick = [&](TTrayIcon&) { ++clicks; };

    icon.OnMouseUp = nullptr;  // a left button-up is a click now
    Notify(icon, WM_LBUTTONUP);
    icon.SetEnabled(false);  // cancels the pending click
    icon.SetEnabled(true);
    icon.SetEnabled(false);
    for (UINT m = WM_MOUSEMOVE; m <= WM_MBUTTONUP; ++m) Notify(icon, m);
    Pump(ClickWait());
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(log.events.empty());
    EXPECT_TRUE(g_menusOpened.empty());
}

TEST_F(TrayIconTest, DropsTheClickOfADestroyedIcon) {
    auto gone = std::make_unique<TTrayIcon>(owner_);
    gone->OnClick = [](TTrayIcon&) { ADD_FAILURE() << "click of a destroyed icon"; };
    Notify(*gone, WM_LBUTTONUP);
    unsigned number = gone->SequenceNumber();
    gone.reset();

    TTrayIcon fresh(owner_);  // gets the same number
    ASSERT_EQ(fresh.SequenceNumber(), number);
    int clicks = 0;
    fresh.OnClick = [&](TTrayIcon&) { ++clicks; };
    Pump(ClickWait());
    EXPECT_EQ(clicks, 0);
}

TEST_F(TrayIconTest, ShowsInWinesNotificationArea) {
    TTrayIcon::SetShellNotifyProc(previous_);
    TTrayIcon icon(owner_);
    icon.SetIcon(picture_);
    icon.SetVisible(true);
    icon.Loaded();
    EXPECT_TRUE(icon.Shown());

    // The shell knows the icon by callback window and number while it is shown, and only then.
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = TTrayIcon::CallbackWindow();
    probe.uID = icon.SequenceNumber();
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe));
    icon.SetVisible(false);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe));
}

}  // namespace
}  // namespace zarv
