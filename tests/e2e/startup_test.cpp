// Start-up: the guard against a second copy, what is visible, the data files as start-up reads
// them, and closing.
#include <string>

#include "ui_helpers.h"
#include "zarv_fixture.h"

namespace e2e {
namespace {

using Startup = ZarvTest;

constexpr UINT kCtrlAltShift = MOD_CONTROL | MOD_ALT | MOD_SHIFT;

// Answers the refusal box of a second copy and checks that the copy then ends.
void ExpectRefused(Process& second) {
    auto box = WaitMessageBox(second.pid());
    ASSERT_TRUE(box) << "the second copy showed no message box";
    EXPECT_EQ(box->caption, L"警告");
    EXPECT_EQ(box->text, L"すでに起動されています。");
    // The refusal comes before anything else is made.
    EXPECT_TRUE(TopLevelWindows(second.pid(), L"TZarv_main").empty());
    ASSERT_TRUE(AnswerBox(box->window));
    EXPECT_TRUE(second.WaitExit()) << "the second copy did not end after its box was closed";
}

TEST_F(Startup, SecondCopyIsRefusedAndTheFirstRunsOn) {
    Process& first = StartZarv();
    HWND main = WaitResident(first);
    ASSERT_TRUE(main);

    Process& second = StartZarv();
    ExpectRefused(second);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(MessageBoxes(first.pid()).empty());
}

TEST_F(Startup, OnlyExactDebugAsFirstArgumentSkipsTheGuard) {
    const KeyCombo key{kCtrlAltShift, 'D'};
    WriteHotkeys({MarkerEntry(key)});
    Process& first = StartZarv();
    ASSERT_TRUE(WaitResident(first));

    for (const wchar_t* args : {L"/debug", L"/DEBUGX", L"x /DEBUG"}) {
        SCOPED_TRACE(ToAnsi(args));
        ExpectRefused(StartZarv(args));
    }

    // The debug copy runs beside the first; its hot keys are taken already, which it must not
    // mention.
    Process& debug = StartZarv(L"/DEBUG");
    HWND second_main = WaitResident(debug);
    ASSERT_TRUE(second_main);
    EXPECT_TRUE(debug.Running());
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(TopLevelWindows(first.pid(), L"TZarv_main").size(), 1u);
    // The first copy still owns the key.
    EXPECT_EQ(PressAndWait(key, 1).size(), 1u);
}

// The mark a running copy holds for the user's session.
constexpr wchar_t kInstanceMutex[] = L"Local\\ZARV.TZarv_main";

TEST_F(Startup, TwoStartsTogetherLeaveOneCopy) {
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Process& a = StartZarv();
        Process& b = StartZarv();
        // Neither has made its window when the other looks for it: one of them must refuse.
        Process* refused = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            if (!MessageBoxes(a.pid()).empty()) refused = &a;
            if (!MessageBoxes(b.pid()).empty()) refused = &b;
            return refused != nullptr;
        })) << "both copies stayed: "
            << TopLevelWindows(a.pid(), L"TZarv_main").size() << " and "
            << TopLevelWindows(b.pid(), L"TZarv_main").size() << " resident windows";
        Process& resident = refused == &a ? b : a;
        ExpectRefused(*refused);
        ASSERT_TRUE(WaitResident(resident));
        EXPECT_EQ(TopLevelWindows(resident.pid(), L"TZarv_main").size(), 1u);
        ASSERT_TRUE(CloseResident(resident));
    }
}

TEST_F(Startup, DebugCopyLeavesNoMarkAndAKilledCopyBlocksNothing) {
    Process& debug = StartZarv(L"/DEBUG");
    ASSERT_TRUE(WaitResident(debug));
    {
        // The mark is free while only the debug copy runs.
        HANDLE mark = CreateMutexW(nullptr, FALSE, kInstanceMutex);
        ASSERT_TRUE(mark);
        EXPECT_EQ(WaitForSingleObject(mark, 0), WAIT_OBJECT_0) << "the debug copy holds the mark";
        ReleaseMutex(mark);
        CloseHandle(mark);
    }
    // A normal start still finds the debug copy's window.
    ExpectRefused(StartZarv());
    ASSERT_TRUE(CloseResident(debug));

    Process& first = StartZarv();
    ASSERT_TRUE(WaitResident(first));
    // Kept open here, the mark outlives the killed copy, abandoned.
    HANDLE mark = OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutex);
    ASSERT_TRUE(mark) << "the resident copy holds no mark";
    first.Kill();
    Process& next = StartZarv();
    HWND main = WaitResident(next);  // also: no refusal box
    CloseHandle(mark);
    ASSERT_TRUE(main);
    EXPECT_TRUE(next.Running());
    // And it holds the mark now: a later start is refused.
    ExpectRefused(StartZarv());
}

TEST_F(Startup, NothingOfTheProgramIsVisible) {
    WriteHotkeys({MarkerEntry({kCtrlAltShift, 'V'})});
    WriteCommands({{"cmd", marker(), "", ""}});
    Process& zarv = StartZarv();
    HWND main = WaitResident(zarv);
    ASSERT_TRUE(main);

    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(TextOf(main), L"ZARV コマンド");
    for (HWND w : VisibleTopLevelWindows(zarv.pid()))
        ADD_FAILURE() << "visible window of class " << ToAnsi(ClassOf(w)) << ", caption \""
                      << ToAnsi(TextOf(w)) << "\"";
}

TEST_F(Startup, OldHotkeyFileIsConvertedInMemoryAndLeftAsItIs) {
    const KeyCombo key{kCtrlAltShift, 'O'};
    HotkeyRecord entry = MarkerEntry(key, "-old", "C:\\ignored");  // 1.02 stores no WorkDir
    WriteHotkeys({entry}, FileVersion::V102);
    const auto before = ReadBytes(PathIn(L"Hotkey.DAT"));

    Process& zarv = StartZarv();
    auto box = WaitMessageBox(zarv.pid());
    ASSERT_TRUE(box) << "no conversion notice";
    EXPECT_EQ(box->caption, L"ZARV");
    EXPECT_EQ(box->text, L"ホットキーData File : Hotkey.DAT\n自動コンバートします。");
    ASSERT_TRUE(AnswerBox(box->window));
    ASSERT_TRUE(WaitResident(zarv));

    // The converted entry works, with an empty working folder.
    EXPECT_EQ(TryRegister(key), ERROR_HOTKEY_ALREADY_REGISTERED);
    auto runs = PressAndWait(key, 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " -old");
    EXPECT_EQ(runs[0].current_dir, ToAnsi(dir()));

    EXPECT_EQ(ReadBytes(PathIn(L"Hotkey.DAT")), before);
    ASSERT_TRUE(CloseResident(zarv));
    EXPECT_EQ(ReadBytes(PathIn(L"Hotkey.DAT")), before) << "the file was written at exit";
}

TEST_F(Startup, OldCommandFileIsAnnouncedAfterTheHotkeyFile) {
    WriteHotkeys({MarkerEntry({kCtrlAltShift, 'C'})}, FileVersion::V102);
    WriteCommands({{"cmd", marker(), "-c", ""}}, FileVersion::V102);
    const auto before = ReadBytes(PathIn(L"Command.DAT"));

    Process& zarv = StartZarv();
    auto box = WaitMessageBox(zarv.pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"ホットキーData File : Hotkey.DAT\n自動コンバートします。");
    ASSERT_TRUE(AnswerBox(box->window));

    ASSERT_TRUE(WaitUntil([&] {
        box = WaitMessageBox(zarv.pid(), 0);
        return box && box->text != L"ホットキーData File : Hotkey.DAT\n自動コンバートします。";
    })) << "no second notice";
    EXPECT_EQ(box->caption, L"ZARV");
    EXPECT_EQ(box->text, L"コマンドData File : Command.DAT\n自動コンバートします。");
    ASSERT_TRUE(AnswerBox(box->window));
    ASSERT_TRUE(WaitResident(zarv));
    EXPECT_EQ(ReadBytes(PathIn(L"Command.DAT")), before);
}

TEST_F(Startup, TornHotkeyFileIsReportedAndTheRecordsBeforeItKept) {
    const KeyCombo key{kCtrlAltShift, 'T'};
    // The second record ends inside its title.
    std::string data = HotkeyFile({MarkerEntry(key, "-kept")}) +
                       "\xFF\x05\x04"
                       "ab";
    ASSERT_TRUE(WriteBytes(PathIn(L"Hotkey.DAT"), data));

    Process& zarv = StartZarv();
    auto box = WaitMessageBox(zarv.pid());
    ASSERT_TRUE(box) << "the read failure was not reported";
    EXPECT_NE(box->text.find(L"Hotkey.DAT"), std::wstring::npos)
        << "caption \"" << ToAnsi(box->caption) << "\", text: " << ToAnsi(box->text);
    ASSERT_TRUE(AnswerBox(box->window));
    ASSERT_TRUE(WaitResident(zarv));

    EXPECT_EQ(TryRegister(key), ERROR_HOTKEY_ALREADY_REGISTERED);
    ASSERT_TRUE(PressRunsMarker(key, 1, "-kept"));
}

TEST_F(Startup, HotkeyFileOfRandomBytesIsNamedInANoticeAndLeftAsItIs) {
    std::string data(300, '\0');
    unsigned seed = 43;
    for (char& c : data) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
    ASSERT_TRUE(WriteBytes(PathIn(L"Hotkey.DAT"), data));

    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));
    EXPECT_TRUE(ui::WaitBalloon(L"Hotkey.DAT は変更せずに残してあります。"));
    ASSERT_TRUE(CloseResident(zarv));
    EXPECT_EQ(ReadBytes(PathIn(L"Hotkey.DAT")), data);
}

TEST_F(Startup, CloseEndsTheProcessAndReleasesEveryHotKey) {
    const KeyCombo program{kCtrlAltShift, VK_F5}, url{kCtrlAltShift, VK_F6},
        internal{kCtrlAltShift, VK_F7};
    HotkeyRecord web{"web", "http://example.invalid/close", "", "", "", 0, 0, 255};
    web.modifiers = static_cast<std::uint8_t>(url.modifiers);
    web.vkey = static_cast<std::uint8_t>(url.vkey);
    HotkeyRecord nothing{"none", "", "", "", "", 0, 0, 100};
    nothing.modifiers = static_cast<std::uint8_t>(internal.modifiers);
    nothing.vkey = static_cast<std::uint8_t>(internal.vkey);
    WriteHotkeys({MarkerEntry(program), web, nothing});
    const auto before = ReadBytes(PathIn(L"Hotkey.DAT"));

    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));
    for (KeyCombo c : {program, url, internal})
        EXPECT_EQ(TryRegister(c), ERROR_HOTKEY_ALREADY_REGISTERED) << "vkey " << c.vkey;

    ASSERT_TRUE(CloseResident(zarv)) << "WM_CLOSE did not end zarv.exe";
    for (KeyCombo c : {program, url, internal})
        EXPECT_EQ(TryRegister(c), 0u) << "vkey " << c.vkey << " is still taken";
    EXPECT_EQ(ReadBytes(PathIn(L"Hotkey.DAT")), before);
}

TEST_F(Startup, CloseToTheApplicationWindowClosesTheResidentWindow) {
    const KeyCombo program{kCtrlAltShift, VK_F8};
    WriteHotkeys({MarkerEntry(program)});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));
    ASSERT_EQ(TryRegister(program), ERROR_HOTKEY_ALREADY_REGISTERED);
    // The hidden window that owns the resident one, titled with the application title.
    auto apps = TopLevelWindows(zarv.pid(), L"TApplication");
    ASSERT_EQ(apps.size(), 1u);
    EXPECT_EQ(TextOf(apps[0]), L"ZARV");
    EXPECT_FALSE(IsWindowVisible(apps[0]));
    PostMessageW(apps[0], WM_CLOSE, 0, 0);
    EXPECT_TRUE(zarv.WaitExit());
    EXPECT_EQ(TryRegister(program), 0u);
}

}  // namespace
}  // namespace e2e
