// The command bar: where it shows, what the typed or picked text starts, and how it goes away.
#include <filesystem>

#include "ui_helpers.h"
#include "zarv_fixture.h"

namespace e2e {
namespace {

using namespace ui;

constexpr UINT kCtrlShift = MOD_CONTROL | MOD_SHIFT;

class CommandBar : public ZarvTest {
protected:
    // Starts zarv with the hot key of the bar (and more entries after it); the resident window
    // (the bar) or null.
    HWND StartWithBarKey(KeyCombo chord, const std::vector<HotkeyRecord>& more = {}) {
        key_ = chord;
        std::vector<HotkeyRecord> entries = {ShowBarEntry(chord)};
        entries.insert(entries.end(), more.begin(), more.end());
        WriteHotkeys(entries);
        zarv_ = &StartZarv();
        main_ = WaitResident(*zarv_);
        return main_;
    }

    // Shows the bar with its hot key and waits until it has the keyboard. Pressed again at a
    // hand's pace: a second press within a few timer ticks of the first may be taken for the
    // keyboard's repeat.
    bool ShowBar() {
        while (GetTickCount64() - pressed_ < 150) Sleep(10);
        bool shown = ShowBarWith(key_, main_);
        pressed_ = GetTickCount64();
        if (!shown) ADD_FAILURE() << "the bar did not come up with the keyboard";
        if (shown && !box()) ADD_FAILURE() << "the bar has no ComboBox";
        return shown && box();
    }

    // Types text into the bar and presses Enter (or clicks the run button); true when the bar
    // then goes away.
    bool Run(const std::wstring& text, bool by_button = false) {
        if (!ShowBar()) return false;
        TypeText(text);
        if (!WaitUntil([&] { return TextOfControl(box()) == text; })) {
            ADD_FAILURE() << "the box holds \"" << ToAnsi(TextOfControl(box())) << "\"";
            return false;
        }
        if (by_button) {
            HWND button = FindWindowExW(GetParent(box()), nullptr, L"Button", L"実行");
            if (!button) {
                ADD_FAILURE() << "no button \"実行\" on the bar";
                return false;
            }
            RECT r = RectOf(button);
            ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        } else {
            PressKey(VK_RETURN);
        }
        bool hidden = WaitBarHidden(main_);
        if (!hidden) ADD_FAILURE() << "running left the bar up";
        return hidden;
    }

    // The icon takes clicks again: its left button opens the launcher menu.
    void ExpectIconAwake() {
        ASSERT_TRUE(ClickIcon(main_, WM_LBUTTONDOWN));
        EXPECT_TRUE(MenuOpens(zarv_->pid())) << "the icon stays deaf after the bar went away";
        EXPECT_TRUE(CloseMenus(zarv_->pid()));
    }

    std::vector<std::wstring> Suggestions() const { return BarSuggestions(zarv_->pid()); }
    bool WaitSuggestions(const std::vector<std::wstring>& rows) {
        const bool shown = WaitUntil([&] { return Suggestions() == rows; });
        if (!shown) ADD_FAILURE() << Suggestions().size() << " other suggestions";
        return shown;
    }

    const Process& zarv() const { return *zarv_; }
    HWND main() const { return main_; }
    // The bar's input box; its controls are made when the bar is first shown.
    HWND box() {
        if (!box_ && main_) box_ = CommandBox(main_);
        return box_;
    }

private:
    KeyCombo key_{};
    ULONGLONG pressed_ = 0;
    Process* zarv_ = nullptr;
    HWND main_ = nullptr;
    HWND box_ = nullptr;
};

TEST_F(CommandBar, ControlsAndTheCommonControlsAreReadyBeforeTheFirstShow) {
    WriteCommands({{"one", marker(), "-one", ""}, {"two", marker(), "-two", ""}});
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '0'}, {MarkerEntry({kCtrlShift, 'Q'})}));
    const DWORD pid = zarv().pid();
    // Made as soon as the program is idle after start-up, with the names read at start-up, while
    // the bar stays hidden.
    ASSERT_TRUE(WaitUntil([&] { return box() != nullptr; }));
    EXPECT_TRUE(ModuleLoaded(pid, L"comctl32.dll"));
    EXPECT_FALSE(IsWindowVisible(main()));
    DWORD_PTR count = 0;
    SendMessageTimeoutW(box(), CB_GETCOUNT, 0, 0, SMTO_NORMAL, 1000, &count);
    EXPECT_EQ(count, 2u);

    ASSERT_TRUE(ShowBar());
    EXPECT_EQ(CommandBox(main()), box()) << "the first show made the controls again";
    TypeText(L"TWO");
    ASSERT_TRUE(WaitUntil([&] { return TextOfControl(box()) == L"TWO"; }));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitBarHidden(main()));
    auto runs = WaitMarkerRuns(log(), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " -two");
}

void ExpectBarAt(HWND main, POINT bottom_right) {
    RECT r = RectOf(main);
    EXPECT_EQ(r.right - r.left, kBarWidth);
    EXPECT_EQ(r.bottom - r.top, kBarHeight);
    EXPECT_EQ(r.right, bottom_right.x);
    EXPECT_EQ(r.bottom, bottom_right.y);
}

TEST_F(CommandBar, ComesUpWithItsBottomRightCornerAtThePointerAndStaysOnTheScreen) {
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '1'}));

    POINT at = MovePointer(500, 400);
    ASSERT_TRUE(ShowBar());
    ExpectBarAt(main(), at);
    EXPECT_TRUE(GetWindowLongW(main(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Shown again while it is up: it moves to the pointer, kept on the screen, and the box is
    // emptied.
    TypeText(L"zz");
    ASSERT_TRUE(WaitUntil([&] { return TextOfControl(box()) == L"zz"; }));
    MovePointer(10, 10);
    ASSERT_TRUE(ShowBar());
    WaitUntil([&] { return RectOf(main()).left == 0; });
    ExpectBarAt(main(), {kBarWidth, kBarHeight});
    EXPECT_EQ(TextOfControl(box()), L"");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitBarHidden(main()));

    at = MovePointer(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    ASSERT_TRUE(ShowBar());
    ExpectBarAt(main(), at);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitBarHidden(main()));
}

TEST_F(CommandBar, TrayItemShowsTheBarAndEscapeHidesItUntilTheNextEmptyShow) {
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '2'}));
    const POINT at = MovePointer(700, 300);
    ASSERT_TRUE(ClickIcon(main(), WM_RBUTTONDOWN));
    ASSERT_TRUE(MenuOpens(zarv().pid()));
    std::string error;
    ASSERT_TRUE(ChooseMenuItem(zarv(), dir(), kCommandBarId, &error)) << error;
    ASSERT_TRUE(WaitBarShown(main()));
    ExpectBarAt(main(), at);

    TypeText(L"abc");
    ASSERT_TRUE(WaitUntil([&] { return TextOfControl(box()) == L"abc"; }))
        << "typed keys do not reach the box: \"" << ToAnsi(TextOfControl(box())) << "\"";
    // The icon is deaf while the bar is up. The click posted now reaches zarv before the
    // Escape typed after it (posted messages come before input).
    ASSERT_TRUE(ClickIcon(main(), WM_LBUTTONDOWN));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitBarHidden(main())) << "Escape did not reach the bar: a menu over it?";
    EXPECT_TRUE(OpenMenuWindows(zarv().pid()).empty()) << "the icon opened a menu";
    EXPECT_TRUE(CloseMenus(zarv().pid()));
    EXPECT_EQ(TextOfControl(box()), L"abc") << "Escape keeps the text until the next show";
    ExpectIconAwake();

    ASSERT_TRUE(ShowBar());
    EXPECT_EQ(TextOfControl(box()), L"");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitBarHidden(main()));
}

TEST_F(CommandBar, TypedNameRunsItsCommandWhateverTheLetterCase) {
    const std::wstring work = PathIn(L"メール dir");
    ASSERT_TRUE(std::filesystem::create_directories(work));
    const std::string mail_options = "-m \"to me\" " + ToAnsi(L"件名");
    // A program in a folder with a blank gets its path as one argument.
    const std::wstring tool = PathIn(L"my tools\\tool.exe");
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker.exe", tool));
    WriteCommands({{"Notes", marker(), "", ""},
                   {"Mailbox", marker(), "-box", ""},
                   {"Mail", marker(), mail_options, ToAnsi(work)},
                   {"mail", marker(), "-second", ""},
                   {"Tool", ToAnsi(tool), "-q file.txt", ""}});
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '3'}));

    ASSERT_TRUE(Run(L"MAIL"));
    auto runs = WaitMarkerRuns(log(), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " " + mail_options)
        << "the first name equal to the text";
    EXPECT_EQ(runs[0].current_dir, ToAnsi(work));
    ExpectIconAwake();

    // The run button does what Enter does; empty options leave the blank after the path.
    ASSERT_TRUE(Run(L"notes", true));
    runs = WaitMarkerRuns(log(), 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].command_line, marker() + " ");
    EXPECT_EQ(runs[1].current_dir, ToAnsi(dir()));
    ExpectIconAwake();

    ASSERT_TRUE(Run(L"tool"));
    runs = WaitMarkerRuns(log(), 3);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[2].wide_command_line, L"\"" + tool + L"\" -q file.txt");
}

TEST_F(CommandBar, NamePickedFromTheDropDownRuns) {
    WriteCommands({{"one", marker(), "-one", ""},
                   {"two", marker(), "-two", ""},
                   {"three", marker(), "-three", ""}});
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '4'}));

    for (bool alt_down : {false, true}) {
        SCOPED_TRACE(alt_down ? "Alt+Down" : "F4");
        ASSERT_TRUE(ShowBar());
        if (alt_down) {
            Press({MOD_ALT, VK_DOWN});
        } else {
            PressKey(VK_F4);
        }
        ASSERT_TRUE(WaitUntil([&] {
            DWORD_PTR dropped = 0;
            SendMessageTimeoutW(box(), CB_GETDROPPEDSTATE, 0, 0, SMTO_NORMAL, 1000, &dropped);
            return dropped != 0;
        })) << "the list did not drop down";
        DWORD_PTR count = 0;
        SendMessageTimeoutW(box(), CB_GETCOUNT, 0, 0, SMTO_NORMAL, 1000, &count);
        EXPECT_EQ(count, 3u);
        // Down three times from nothing picked: the third name.
        for (int i = 0; i < 3; ++i) PressKey(VK_DOWN);
        ASSERT_TRUE(WaitUntil([&] { return TextOfControl(box()) == L"three"; }))
            << "the box shows \"" << ToAnsi(TextOfControl(box())) << "\"";
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitBarHidden(main()));
        const size_t count_runs = alt_down ? 2 : 1;
        auto runs = WaitMarkerRuns(log(), count_runs);
        ASSERT_EQ(runs.size(), count_runs);
        EXPECT_EQ(runs.back().command_line, marker() + " -three");
        ExpectIconAwake();
    }
}

TEST_F(CommandBar, SuggestsNamesAsTypedAndRunsANameOnlyWhenOneIsChosen) {
    // What "mai" starts when it runs as typed: a program of that name beside zarv.exe.
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker.exe", PathIn(L"mai.exe")));
    WriteCommands({{"Mail", marker(), "-mail", ""},
                   {"MailMerge", marker(), "-merge", ""},
                   {"Notepad", marker(), "-notepad", ""},
                   {"GMail", marker(), "-gmail", ""}});
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, 'A'}));

    ASSERT_TRUE(ShowBar());
    TypeText(L"mA");
    ASSERT_TRUE(WaitSuggestions({L"Mail", L"MailMerge", L"GMail"}));
    // Escape closes the list first, then the bar.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitSuggestions({}));
    EXPECT_TRUE(IsWindowVisible(main()));
    EXPECT_EQ(TextOfControl(box()), L"mA");
    TypeText(L"i");
    ASSERT_TRUE(WaitSuggestions({L"Mail", L"MailMerge", L"GMail"}));
    PressKey(VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return TextOfControl(box()) == L"Mail"; }));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitBarHidden(main()));
    auto runs = WaitMarkerRuns(log(), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " -mail");

    // Nothing chosen: the text runs as typed, though names begin with it.
    ASSERT_TRUE(ShowBar());
    TypeText(L"mai");
    ASSERT_TRUE(WaitSuggestions({L"Mail", L"MailMerge", L"GMail"}));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitBarHidden(main()));
    runs = WaitMarkerRuns(log(), 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].command_line, "mai");
}

TEST_F(CommandBar, SuggestsTheEntriesOfATypedFolderAndPutsAChosenOneInTheBox) {
    const VariableGuard var(L"ZARV_E2E_BAR", dir());  // zarv.exe takes it on
    ASSERT_TRUE(std::filesystem::create_directories(PathIn(L"sub\\Alpha")));
    for (const wchar_t* file : {L"sub\\Alpha\\inner.txt", L"sub\\alpha.txt", L"sub\\beta.txt"})
        ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker.exe", PathIn(file)));
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, 'B'}));

    // The suggestions keep the variable as typed.
    const std::wstring sub = L"%ZARV_E2E_BAR%\\sub\\";
    ASSERT_TRUE(ShowBar());
    TypeText(sub + L"AL");
    ASSERT_TRUE(WaitSuggestions({sub + L"Alpha\\", sub + L"alpha.txt"}));
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitSuggestions({sub + L"Alpha\\inner.txt"}));
    EXPECT_EQ(TextOfControl(box()), sub + L"Alpha\\");
    EXPECT_TRUE(IsWindowVisible(main())) << "a chosen path ran";
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitBarHidden(main()));
    ASSERT_TRUE(ShowBar());
    TypeText(L"C:\\Win");
    auto isWindows = [](const std::wstring& r) { return !lstrcmpiW(r.c_str(), L"C:\\Windows\\"); };
    ASSERT_TRUE(WaitUntil([&] { return std::ranges::any_of(Suggestions(), isWindows); }));
}

TEST_F(CommandBar, SuggestsTheStartMenusProgramsAfterTheNamesAndStartsTheChosenShortcut) {
    // In a folder of their own in each of the two Start menus, gone when the case ends.
    struct Folders {
        std::wstring user = StartMenuPrograms(false) + L"\\ZARV E2E";
        std::wstring common = StartMenuPrograms(true) + L"\\ZARV E2E";
        ~Folders() {
            std::error_code ec;
            std::filesystem::remove_all(user, ec);
            std::filesystem::remove_all(common, ec);
        }
    } menu;
    const std::wstring target = PathIn(L"marker.exe");
    ASSERT_TRUE(MakeShortcut(menu.user + L"\\Zarvtest Marker.lnk", target, L"-user \"a b\""));
    // The same name in all users' menu is listed once, the user's.
    ASSERT_TRUE(MakeShortcut(menu.common + L"\\Zarvtest Marker.lnk", target, L"-common"));
    ASSERT_TRUE(MakeShortcut(menu.common + L"\\Uninstall Zarvtest.lnk", target, L""));
    ASSERT_TRUE(MakeShortcut(menu.common + L"\\Tools\\ザーブテストメモ.lnk", target, L""));
    ASSERT_TRUE(MakeShortcut(menu.common + L"\\Zeta Quick Xylo.lnk", target, L""));
    WriteCommands({{"Zarvtest Cmd", marker(), "-cmd", ""}});
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, 'P'}));

    const std::wstring mark = L" — プログラム";
    ASSERT_TRUE(ShowBar());
    TypeText(L"ZARVT");
    ASSERT_TRUE(WaitSuggestions({L"Zarvtest Cmd", L"Zarvtest Marker" + mark}));
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return TextOfControl(box()) == L"Zarvtest Marker"; }));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitBarHidden(main()));
    auto runs = WaitMarkerRuns(log(), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].command_line.ends_with(" -user \"a b\"")) << runs[0].command_line;

    // A katakana name by its hiragana and its half-width form, three words by their initials.
    for (auto [typed, name] : {std::pair{L"ざーぶて", L"ザーブテストメモ"},
                               {L"ｻﾞｰﾌﾞﾃｽﾄ", L"ザーブテストメモ"},
                               {L"zqx", L"Zeta Quick Xylo"}}) {
        ASSERT_TRUE(ShowBar());
        TypeText(typed);
        ASSERT_TRUE(WaitSuggestions({name + mark})) << ToAnsi(typed);
        PressKey(VK_ESCAPE);
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitBarHidden(main()));
    }

    // Added while zarv runs, in a new folder: listed at the next showing.
    ASSERT_TRUE(MakeShortcut(menu.user + L"\\Later\\Zarvtest Later.lnk", target, L"-later"));
    ASSERT_TRUE(ShowBar());
    TypeText(L"zarvtest l");
    ASSERT_TRUE(WaitSuggestions({L"Zarvtest Later" + mark}));
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    runs = WaitMarkerRuns(log(), 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_TRUE(runs[1].command_line.ends_with(" -later")) << runs[1].command_line;
}

TEST_F(CommandBar, TextThatNamesNoCommandIsStartedAsItIsAndAFailedStartIsNamed) {
    WriteCommands({{"Mail", marker(), "-mail", ""}, {"Gone", AnsiPathIn(L"gone.exe"), "", ""}});
    // An entry whose program is removed after start-up.
    const KeyCombo removedKey{kCtrlShift, '6'};
    ASSERT_TRUE(CopyTo(PathIn(L"marker.exe"), PathIn(L"removed.exe")));
    HotkeyRecord removed = MarkerEntry(removedKey);
    removed.title = "removed-" + std::to_string(GetCurrentProcessId());
    removed.file_path = AnsiPathIn(L"removed.exe");
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '5'}, {removed}));
    const std::wstring folder = PathIn(L"フォルダ");
    ASSERT_TRUE(std::filesystem::create_directories(folder));

    // A program with its arguments: started directly, in zarv's own folder.
    const std::wstring program = PathIn(L"marker.exe") + L" -typed " + L"テスト";
    ASSERT_TRUE(Run(program));
    auto runs = WaitMarkerRuns(log(), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, ToAnsi(program));
    EXPECT_EQ(runs[0].current_dir, ToAnsi(dir()));
    ExpectIconAwake();

    // A folder and a URL go to the shell, which opens them with the marker in this prefix.
    ASSERT_TRUE(Run(folder));
    runs = WaitMarkerRuns(log(), 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(_stricmp(runs[1].exe.c_str(), ToAnsi(kShellMarker).c_str()), 0) << runs[1].exe;
    EXPECT_NE(runs[1].command_line.find(ToAnsi(folder)), std::string::npos) << runs[1].command_line;
    ExpectIconAwake();

    ASSERT_TRUE(Run(L"http://example.invalid/bar?q=1"));
    runs = WaitMarkerRuns(log(), 3);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(_stricmp(runs[2].exe.c_str(), ToAnsi(kShellMarker).c_str()), 0) << runs[2].exe;
    EXPECT_NE(runs[2].command_line.find("http://example.invalid/bar?q=1"), std::string::npos)
        << runs[2].command_line;
    ExpectIconAwake();
    // None of them was taken for a failure.
    Sleep(kBalloonDelayMs);
    EXPECT_FALSE(BalloonSays(dir()));
    EXPECT_FALSE(BalloonSays(L"example.invalid"));

    // What starts nothing, directly or through the shell, is named in a notice; the bar still
    // goes away.
    ASSERT_TRUE(Run(L"nosuchthing"));
    EXPECT_TRUE(WaitBalloon(L"「nosuchthing」"));
    ASSERT_TRUE(Run(L"gone"));
    EXPECT_TRUE(WaitBalloon(L"「Gone」"));
    ASSERT_TRUE(DeleteFileW(PathIn(L"removed.exe").c_str()));
    Press(removedKey);
    EXPECT_TRUE(WaitBalloon(L"「" + FromAnsi(removed.title) + L"」"));
    EXPECT_EQ(ReadMarkerLog(log()).size(), 3u);
}

TEST_F(CommandBar, VariablesInCommandsAndTypedTextAreExpanded) {
    const VariableGuard var(L"ZARV_E2E_BAR", dir());  // zarv.exe takes it on
    ASSERT_TRUE(std::filesystem::create_directories(PathIn(L"w")));
    WriteCommands(
        {{"tool", "%ZARV_E2E_BAR%\\marker.exe", "-c %ZARV_E2E_BAR%", "%ZARV_E2E_BAR%\\w"}});
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '6'}));

    ASSERT_TRUE(Run(L"tool"));
    auto runs = WaitMarkerRuns(log(), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " -c " + ToAnsi(dir()));
    EXPECT_EQ(runs[0].current_dir, AnsiPathIn(L"w"));

    ASSERT_TRUE(Run(L"%ZARV_E2E_BAR%\\marker.exe -t %ZARV_E2E_BAR%"));
    runs = WaitMarkerRuns(log(), 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].command_line, marker() + " -t " + ToAnsi(dir()));
}

TEST_F(CommandBar, NamesOutsideTheCodePageReachTheProgramWhole) {
    // A folder only a variable can name in a record, and a typed argument: neither exists in
    // code page 932.
    const std::wstring folder = PathIn(L"é");
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker.exe", folder + L"\\marker.exe"));
    const VariableGuard var(L"ZARV_E2E_V", folder);  // zarv.exe takes it on
    const KeyCombo key{kCtrlShift, '7'};
    const HotkeyRecord entry = Entry(key, "%ZARV_E2E_V%\\marker.exe", 0, "-o " + ToAnsi(L"表"));
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '4'}, {entry}));

    // Available: it holds its key and shows enabled in the launcher menu, with its picture.
    EXPECT_EQ(TryRegister(key), ERROR_HOTKEY_ALREADY_REGISTERED);
    ASSERT_TRUE(ClickIcon(main(), WM_LBUTTONDOWN));
    std::string error;
    auto menu = ReadMenu(zarv(), dir(), &error);
    ASSERT_TRUE(menu) << error;
    ASSERT_EQ(menu->items.size(), 2u);
    EXPECT_FALSE(menu->items[1].grayed());
    auto pictures = ReadPictures(zarv().handle(), dir(), &error);
    ASSERT_TRUE(pictures) << error;
    EXPECT_EQ(pictures->size(), 2u);
    for (const Picture& p : *pictures) EXPECT_TRUE(p.drawn) << p.id;
    ASSERT_TRUE(CloseMenus(zarv().pid()));

    Press(key);
    auto runs = WaitMarkerRuns(log(), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].wide_command_line, folder + L"\\marker.exe -o 表");

    const std::wstring typed = L"\"" + folder + L"\\marker.exe\" tést";
    ASSERT_TRUE(Run(typed));
    runs = WaitMarkerRuns(log(), 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].wide_command_line, typed);
}

TEST_F(CommandBar, RightClickOnTheBarOutsideTheBoxOpensTheLauncherMenuAtThePointer) {
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '8'}));
    MovePointer(600, 500);
    ASSERT_TRUE(ShowBar());
    const RECT bar = RectOf(main());

    // The panel's strip below the box and the button.
    const POINT at{bar.left + 100, bar.bottom - 3};
    ClickAt(at.x, at.y, true);
    std::string error;
    auto menu = ReadMenu(zarv(), dir(), &error);
    ASSERT_TRUE(menu) << error;
    EXPECT_EQ(menu->rect.left, at.x);
    EXPECT_EQ(menu->rect.top, at.y);
    ASSERT_EQ(menu->items.size(), 1u);
    EXPECT_EQ(menu->items[0].caption, L"bar[key]");
    EXPECT_TRUE(CloseMenus(zarv().pid()));
}

TEST_F(CommandBar, LeftButtonOnTheBarDragsIt) {
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '9'}));
    MovePointer(600, 500);
    ASSERT_TRUE(ShowBar());
    const RECT before = RectOf(main());

    const POINT from{before.left + 100, before.bottom - 3};
    MovePointer(from.x, from.y);
    INPUT in[3] = {};
    for (INPUT& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    // An absolute move: relative ones are scaled by the pointer's acceleration.
    in[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dx = MulDiv(from.x - 150, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in[1].mi.dy = MulDiv(from.y - 120, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in[0], sizeof(INPUT));
    Sleep(100);
    SendInput(1, &in[1], sizeof(INPUT));
    Sleep(100);
    SendInput(1, &in[2], sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([&] { return RectOf(main()).left != before.left; }))
        << "the bar did not move";
    const RECT after = RectOf(main());
    EXPECT_EQ(after.left - before.left, -150);
    EXPECT_EQ(after.top - before.top, -120);
    EXPECT_TRUE(IsWindowVisible(main()));
}

TEST_F(CommandBar, EmptyInputStartsNothing) {
    WriteCommands({{"Mail", marker(), "-mail", ""}});
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '6'}));
    const auto before = Processes();

    ASSERT_TRUE(ShowBar());
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitBarHidden(main())) << "Enter left the bar up";
    ExpectIconAwake();

    // Whatever the empty input started would have logged by the time the next run has.
    ASSERT_TRUE(Run(L"mail"));
    auto runs = WaitMarkerRuns(log(), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " -mail");
    EXPECT_EQ(WaitMarkerRuns(log(), 2, 300).size(), 1u);
    for (const ProcessEntry& p : NewProcesses(before))
        if (lstrcmpiW(p.exe.c_str(), L"marker.exe") != 0)
            ADD_FAILURE() << "new process " << ToAnsi(p.exe);
}

// A window of the driver's own, to take the activation away from zarv.
class OtherWindow {
public:
    OtherWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TOtherWindow";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, L"TOtherWindow", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  100, 100, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~OtherWindow() {
        if (window_) DestroyWindow(window_);
    }
    HWND hwnd() const { return window_; }
    // Lets the window's own messages through (activation, painting).
    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }

private:
    HWND window_ = nullptr;
};

TEST_F(CommandBar, AnotherWindowBecomingActiveHidesTheBar) {
    ASSERT_TRUE(StartWithBarKey({kCtrlShift, '7'}));
    ASSERT_TRUE(ShowBar());
    TypeText(L"x");
    ASSERT_TRUE(WaitUntil([&] { return TextOfControl(box()) == L"x"; }));

    OtherWindow other;
    ASSERT_TRUE(other.hwnd());
    SetForegroundWindow(other.hwnd());
    EXPECT_TRUE(WaitUntil([&] {
        OtherWindow::Pump();
        return !IsWindowVisible(main());
    })) << "the bar stays up behind another program's window";
    ExpectIconAwake();
    EXPECT_TRUE(ReadMarkerLog(log()).empty()) << "losing the activation ran the text";
}

}  // namespace
}  // namespace e2e
