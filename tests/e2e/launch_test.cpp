// Hot keys and what they start: which entries hold their combination, and the command line,
// folder and fallback of each kind of entry.
#include <filesystem>

#include "ui_helpers.h"
#include "zarv_fixture.h"

#include <shellapi.h>  // the notice's click

namespace e2e {
namespace {

constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;

using Hotkeys = ZarvTest;

TEST_F(Hotkeys, OnlyAvailableEntriesHoldTheirCombinationUnderTheirOwnPosition) {
    const KeyCombo first{kCtrlAlt, VK_F1}, missing{kCtrlAlt, VK_F2}, third{kCtrlAlt, VK_F3},
        folder{kCtrlAlt, VK_F4};
    WriteHotkeys({MarkerEntry(first, "-first"), Entry(missing, AnsiPathIn(L"missing.exe"), 0),
                  MarkerEntry(third, "-third"), Entry(folder, ToAnsi(dir()), 0)});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    EXPECT_EQ(TryRegister(first), ERROR_HOTKEY_ALREADY_REGISTERED);
    // An entry's key is held until its file is found missing, which the program learns a moment
    // after start-up.
    EXPECT_TRUE(WaitUntil([&] { return TryRegister(missing) == 0; }))
        << "an entry without its file holds its key";
    EXPECT_TRUE(WaitUntil([&] { return TryRegister(folder) == 0; }))
        << "an entry naming a folder holds its key";
    EXPECT_EQ(TryRegister(third), ERROR_HOTKEY_ALREADY_REGISTERED);

    // The third entry's key runs the third entry, not the one after the gap.
    ASSERT_TRUE(PressRunsMarker(third, 1, "-third"));
    ASSERT_TRUE(PressRunsMarker(first, 2, "-first"));
}

TEST_F(Hotkeys, CombinationHeldElsewhereIsNamedInANoticeAndTakenOnceItComesFree) {
    const KeyCombo free{kCtrlAlt, 'W'}, taken{kCtrlAlt, 'N'};
    constexpr int kOurId = 7;
    ASSERT_TRUE(RegisterHotKey(nullptr, kOurId, taken.modifiers, taken.vkey));
    HotkeyRecord held = MarkerEntry(taken, "-taken");
    held.title = "held-" + std::to_string(GetCurrentProcessId());
    WriteHotkeys({MarkerEntry(free, "-free"), held});
    Process& zarv = StartZarv();
    HWND main = WaitResident(zarv);  // also: no message box about the taken key
    ASSERT_TRUE(main);
    EXPECT_EQ(TryRegister(free), ERROR_HOTKEY_ALREADY_REGISTERED);
    EXPECT_TRUE(ui::WaitBalloon(FromAnsi(held.title))) << "no notice names the entry";

    // The taken key still reaches its holder, and the marker runs once: for the free key.
    Press(taken);
    MSG msg;
    EXPECT_TRUE(
        WaitUntil([&] { return PeekMessageW(&msg, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE); }));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(kOurId));
    ASSERT_TRUE(PressRunsMarker(free, 1, "-free"));

    // A click on the notice opens the hotkey editor on the entry's row.
    PostMessageW(ui::CallbackWindow(main), ui::kTrayMessage, ui::kIconNumber, NIN_BALLOONUSERCLICK);
    HWND editor = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (editor = FindWindowW(L"TSettingForm", nullptr)) && IsWindowVisible(editor);
    }));
    HWND table = FindWindowExW(editor, nullptr, WC_LISTVIEWW, nullptr);
    EXPECT_EQ(SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    PostMessageW(editor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));

    // Let go by its holder, the key is taken at the next resume from sleep and starts its entry.
    UnregisterHotKey(nullptr, kOurId);
    // (Sent, not polled: a trial registration of ours could take the key from under the retry.)
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, SMTO_NORMAL, kTimeoutMs,
                        &answer);
    EXPECT_EQ(TryRegister(taken), ERROR_HOTKEY_ALREADY_REGISTERED);
    ASSERT_TRUE(PressRunsMarker(taken, 2, "-taken"));
}

using Launch = ZarvTest;

TEST_F(Launch, ProgramGetsFilePathBlankOptionsInItsWorkDir) {
    const KeyCombo key{kCtrlAlt, VK_F5};
    const std::wstring work = PathIn(L"作業 dir");
    ASSERT_TRUE(std::filesystem::create_directories(work));
    const std::string options = "-a \"b c\" " + ToAnsi(L"テスト表");
    WriteHotkeys({MarkerEntry(key, options, ToAnsi(work))});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    auto runs = PressAndWait(key, 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].tag, "MARKER");
    EXPECT_EQ(runs[0].command_line, marker() + " " + options);
    EXPECT_EQ(runs[0].current_dir, ToAnsi(work));
    // zarv's own tests of files fail quietly on a drive without a medium, on its thread alone:
    // the process keeps the default mode, which what it starts inherits.
    HWND main = WaitResident(zarv);
    std::string error;
    auto inside =
        RunProbe(zarv.handle(), dir(),
                 "windowproc\t" + std::to_string(reinterpret_cast<INT_PTR>(main)), &error);
    ASSERT_TRUE(inside) << error;
    unsigned threadMode = 0, processMode = 1;
    ASSERT_EQ(sscanf(inside->c_str(), "mode\t%u\t%u", &threadMode, &processMode), 2) << *inside;
    EXPECT_TRUE(threadMode & SEM_FAILCRITICALERRORS) << *inside;
    EXPECT_EQ(processMode, 0u) << *inside;
    // A stack walk from inside the window procedure finds every frame of zarv's own.
    if (sizeof(void*) == 8) EXPECT_TRUE(WalkReachesTheThreadStart(*inside));
}

TEST_F(Launch, EmptyOptionsAndWorkDirGiveATrailingBlankAndZarvsFolder) {
    const KeyCombo key{kCtrlAlt, VK_F6};
    const std::wstring cwd = PathIn(L"started-here");
    ASSERT_TRUE(std::filesystem::create_directories(cwd));
    WriteHotkeys({MarkerEntry(key)});
    // Started in another folder than its own: the data files still come from its own. Started
    // from a shortcut too, whose path and show state its start-up record carries.
    wchar_t link[] = L"C:\\Users\\Public\\Startup\\ZARV.lnk";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_TITLEISLINKNAME | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    startup.lpTitle = link;
    Process& zarv = StartZarv({}, cwd, &startup);
    ASSERT_TRUE(WaitResident(zarv));

    auto runs = PressAndWait(key, 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " ");
    EXPECT_EQ(runs[0].current_dir, ToAnsi(cwd));
    // The started program gets the show state, not the shortcut.
    unsigned flags = 0, show = 0;
    ASSERT_EQ(swscanf(runs[0].startup.c_str(), L"%u %u", &flags, &show), 2);
    EXPECT_EQ(flags & (STARTF_TITLEISLINKNAME | STARTF_USESHOWWINDOW), STARTF_USESHOWWINDOW)
        << ToAnsi(runs[0].startup);
    EXPECT_EQ(show, static_cast<unsigned>(SW_SHOWMINNOACTIVE));
    EXPECT_EQ(runs[0].startup.find(L".lnk"), std::wstring::npos) << ToAnsi(runs[0].startup);
}

TEST_F(Launch, VanishedWorkDirStartsTheProgramWithItsOptionsInZarvsFolder) {
    const KeyCombo key{kCtrlAlt, VK_F11};
    const std::wstring cwd = PathIn(L"started-here");
    ASSERT_TRUE(std::filesystem::create_directories(cwd));
    WriteHotkeys({MarkerEntry(key, "-a --config x", AnsiPathIn(L"renamed away"))});
    Process& zarv = StartZarv({}, cwd);
    ASSERT_TRUE(WaitResident(zarv));

    auto runs = PressAndWait(key, 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " -a --config x");
    EXPECT_EQ(runs[0].current_dir, ToAnsi(cwd));
    // Started once: no second start through the shell.
    Sleep(300);
    EXPECT_EQ(ReadMarkerLog(log()).size(), 1u);
}

TEST_F(Launch, DocumentFallsBackToTheShellWithoutOptions) {
    const KeyCombo key{kCtrlAlt, VK_F7};
    ASSERT_TRUE(WriteBytes(PathIn(L"note.txt"), "text"));
    WriteHotkeys({Entry(key, AnsiPathIn(L"note.txt"), 0, "-opt")});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    auto runs = PressAndWait(key, 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(_stricmp(runs[0].exe.c_str(), ToAnsi(kShellMarker).c_str()), 0) << runs[0].exe;
    EXPECT_NE(runs[0].command_line.find(AnsiPathIn(L"note.txt")), std::string::npos)
        << runs[0].command_line;
    EXPECT_EQ(runs[0].command_line.find("-opt"), std::string::npos) << runs[0].command_line;
}

TEST_F(Launch, UrlGoesToTheShell) {
    const KeyCombo key{kCtrlAlt, VK_F8};
    WriteHotkeys({Entry(key, "http://example.invalid/x", 255, "-opt")});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    auto runs = PressAndWait(key, 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(_stricmp(runs[0].exe.c_str(), ToAnsi(kShellMarker).c_str()), 0) << runs[0].exe;
    EXPECT_NE(runs[0].command_line.find("http://example.invalid/x"), std::string::npos)
        << runs[0].command_line;
    EXPECT_EQ(runs[0].command_line.find("-opt"), std::string::npos) << runs[0].command_line;
}

// C:\Program.exe would be taken for the start of "C:\Program Files\...": removed again whatever
// the test does.
class DecoyGuard {
public:
    DecoyGuard() {
        placed_ = CopyTo(HelperFolder() + L"\\marker_decoy.exe", kDecoy) &&
                  CopyTo(HelperFolder() + L"\\marker.exe", kTool);
    }
    ~DecoyGuard() {
        DeleteFileW(kDecoy);
        DeleteFileW(kTool);
        RemoveDirectoryW(L"C:\\Program Files\\Tool");
    }
    bool placed() const { return placed_; }

    static constexpr wchar_t kDecoy[] = L"C:\\Program.exe";
    static constexpr wchar_t kTool[] = L"C:\\Program Files\\Tool\\tool.exe";

private:
    bool placed_ = false;
};

TEST_F(Launch, PathWithBlanksReachesTheToolAsOneArgument) {
    DecoyGuard guard;
    ASSERT_TRUE(guard.placed());
    const KeyCombo tool{kCtrlAlt, VK_F9}, after{kCtrlAlt, VK_F10}, bar{kCtrlAlt, VK_F11};
    WriteHotkeys({Entry(tool, ToAnsi(DecoyGuard::kTool), 0, "-q file.txt"),
                  MarkerEntry(after, "-after"), Entry(bar, "", zarv::kFuncCommandBar)});
    // A command whose file field holds the program and an argument of its own; and commands that
    // name the tool with an argument, without ".exe", its folder, and a program that is not there.
    WriteCommands({{"inpath", marker() + " -inpath", "-opt", ""},
                   {"args", "C:\\Program Files\\Tool\\tool.exe -x", "", ""},
                   {"noext", "C:\\Program Files\\Tool\\tool", "", ""},
                   {"folder", "C:\\Program Files\\Tool", "", ""},
                   {"gone", "C:\\Program Files\\Tool\\gone.exe", "", ""}});
    Process& zarv = StartZarv();
    HWND main = WaitResident(zarv);
    ASSERT_TRUE(main);

    auto runs = PressAndWait(tool, 1);
    ASSERT_GE(runs.size(), 1u);
    // Whatever that key started has logged once the next key's marker has.
    runs = PressAndWait(after, 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].tag, "MARKER") << "ran " << runs[0].exe << ": " << runs[0].command_line;
    EXPECT_EQ(runs[0].command_line, "\"C:\\Program Files\\Tool\\tool.exe\" -q file.txt");
    EXPECT_EQ(_stricmp(runs[0].exe.c_str(), ToAnsi(DecoyGuard::kTool).c_str()), 0) << runs[0].exe;
    EXPECT_EQ(runs[1].command_line, marker() + " -after");

    // Each starts what it names, and the decoy never runs.
    std::size_t count = 2;
    for (const wchar_t* name : {L"gone", L"inpath", L"args", L"noext", L"folder"}) {
        Sleep(150);  // a new press, not the keyboard's repeat of the last
        ASSERT_TRUE(ui::ShowBarWith(bar, main));
        ui::TypeText(name);
        ASSERT_TRUE(WaitUntil([&] { return ui::TextOfControl(ui::CommandBox(main)) == name; }))
            << ToAnsi(name) << ": " << ToAnsi(ui::TextOfControl(ui::CommandBox(main)));
        ui::PressKey(VK_RETURN);
        ASSERT_TRUE(ui::WaitBarHidden(main));
        if (name != std::wstring(L"gone")) ++count;
        runs = WaitMarkerRuns(log(), count);
        ASSERT_EQ(runs.size(), count) << ToAnsi(name);
        EXPECT_EQ(runs.back().tag, "MARKER") << "ran " << runs.back().exe;
    }
    EXPECT_EQ(runs[2].command_line, marker() + " -inpath -opt");
    EXPECT_EQ(runs[3].command_line, "\"C:\\Program Files\\Tool\\tool.exe\" -x ");
    EXPECT_EQ(runs[4].command_line, "\"C:\\Program Files\\Tool\\tool.exe\" ");
    EXPECT_EQ(_stricmp(runs[5].exe.c_str(), ToAnsi(kShellMarker).c_str()), 0) << runs[5].exe;
    EXPECT_NE(runs[5].command_line.find("C:\\Program Files\\Tool"), std::string::npos);
}

TEST_F(Launch, VariablesInAnEntryAreExpandedWhenItRunsAndStayInTheFile) {
    VariableGuard var(L"ZARV_E2E_DIR", dir());
    ASSERT_TRUE(std::filesystem::create_directories(PathIn(L"work")));
    // A program whose name really holds a reference, which as an expansion would name nothing.
    const std::wstring literal = PathIn(L"%ZARV_E2E_DIR%.exe");
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker.exe", literal));
    const KeyCombo expanded{kCtrlAlt, VK_F11}, percent{kCtrlAlt, VK_F12};
    HotkeyRecord entry =
        Entry(expanded, "%ZARV_E2E_DIR%\\marker.exe", 0, "-v %ZARV_E2E_DIR%\\x %ZARV_E2E_UNSET%");
    entry.work_dir = "%zarv_e2e_dir%\\work";
    const std::string file = HotkeyFile({entry, Entry(percent, ToAnsi(literal), 0, "-pct")});
    ASSERT_TRUE(WriteBytes(PathIn(L"Hotkey.DAT"), file));
    Process& zarv = StartZarv();
    HWND main = WaitResident(zarv);
    ASSERT_TRUE(main);

    // Both program entries are available: they hold their keys.
    EXPECT_EQ(TryRegister(expanded), ERROR_HOTKEY_ALREADY_REGISTERED);
    EXPECT_EQ(TryRegister(percent), ERROR_HOTKEY_ALREADY_REGISTERED);

    auto runs = PressAndWait(expanded, 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " -v " + AnsiPathIn(L"x") + " %ZARV_E2E_UNSET%");
    EXPECT_EQ(runs[0].current_dir, AnsiPathIn(L"work"));
    EXPECT_EQ(_stricmp(runs[0].exe.c_str(), marker().c_str()), 0) << runs[0].exe;

    runs = PressAndWait(percent, 2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(_stricmp(runs[1].exe.c_str(), ToAnsi(literal).c_str()), 0) << runs[1].exe;
    EXPECT_EQ(runs[1].command_line, ToAnsi(literal) + " -pct");

    // The editor saves the list as it closes: the references are still there.
    PostMessageW(main, WM_COMMAND, ui::kHotkeySettingsId, 0);
    HWND editor = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        auto editors = TopLevelWindows(zarv.pid(), L"TSettingForm");
        editor = editors.empty() ? nullptr : editors.front();
        return editor && IsWindowVisible(editor);
    }));
    PostMessageW(editor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return TopLevelWindows(zarv.pid(), L"TSettingForm").empty(); }));
    EXPECT_TRUE(WaitResponsive(main));
    EXPECT_EQ(ReadBytes(PathIn(L"Hotkey.DAT")), file);
}

TEST_F(Launch, StartedWindowComesToTheFrontOverTheActiveOne) {
    // Under Wine any program may take the foreground, so this guards the result only; the
    // passing of the right itself is tested with stand-ins for the system calls.
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker_window.exe", PathIn(L"window.exe")));
    const KeyCombo key{kCtrlAlt, VK_F2};
    HotkeyRecord entry = Entry(key, AnsiPathIn(L"window.exe"), 0);
    WriteHotkeys({entry});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    // The test's own window is in front when the key is pressed.
    HWND front = CreateWindowExW(0, L"STATIC", L"in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                 50, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(front);
    SetForegroundWindow(front);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == front; }));

    Press(key);
    HWND started = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        started = FindWindowW(L"ZarvMarkerWindow", nullptr);
        return started && GetForegroundWindow() == started;
    })) << "the started window is not in front";
    if (started) PostMessageW(started, WM_CLOSE, 0, 0);
    DestroyWindow(front);
    KillAll(L"window.exe");
}

}  // namespace
}  // namespace e2e
