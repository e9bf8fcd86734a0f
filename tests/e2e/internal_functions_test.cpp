// Internal functions on hot keys: the ones that can be watched from outside without shutting
// the machine down.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>

#include "ui_helpers.h"
#include "zarv_fixture.h"

namespace e2e {
namespace {

constexpr UINT kShiftAlt = MOD_SHIFT | MOD_ALT;

HotkeyRecord Function(KeyCombo chord, std::uint8_t number, std::string title = "function",
                      std::string key_text = "key") {
    HotkeyRecord r;
    r.title = std::move(title);
    r.key_text = std::move(key_text);
    r.modifiers = static_cast<std::uint8_t>(chord.modifiers);
    r.vkey = static_cast<std::uint8_t>(chord.vkey);
    r.func_no = number;
    return r;
}

// The date and time as the user's regional settings write them: short date, and unless it is
// midnight, a blank and the long time.
std::wstring DateTimeText(const SYSTEMTIME& t) {
    wchar_t date[128] = {}, time[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, 128);
    if (t.wHour == 0 && t.wMinute == 0 && t.wSecond == 0) return date;
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, 128);
    return std::wstring(date) + L" " + time;
}

// Every text the clock could have shown between from and to, one a second.
std::vector<std::wstring> DateTimeTexts(SYSTEMTIME from, const SYSTEMTIME& to) {
    auto ticks = [](const SYSTEMTIME& t) {
        FILETIME f;
        SystemTimeToFileTime(&t, &f);
        return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 10000000;
    };
    std::vector<std::wstring> texts;
    from.wMilliseconds = 0;
    for (ULONGLONG s = ticks(from), end = ticks(to); s <= end; ++s) {
        ULARGE_INTEGER u;
        u.QuadPart = s * 10000000;
        FILETIME f{u.LowPart, u.HighPart};
        SYSTEMTIME t;
        FileTimeToSystemTime(&f, &t);
        texts.push_back(DateTimeText(t));
    }
    return texts;
}

using ui::CloseMenus;

using InternalFunctions = ZarvTest;

TEST_F(InternalFunctions, DateAndTimeAreShownInABox) {
    const KeyCombo key{kShiftAlt, VK_F1};
    WriteHotkeys({Function(key, zarv::kFuncDateAndTime)});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    SYSTEMTIME before, after;
    GetLocalTime(&before);
    Press(key);
    auto box = WaitMessageBox(zarv.pid());
    GetLocalTime(&after);
    ASSERT_TRUE(box) << "no date box";
    EXPECT_EQ(box->caption, L"ZARV");
    auto texts = DateTimeTexts(before, after);
    EXPECT_NE(std::find(texts.begin(), texts.end(), box->text), texts.end())
        << "shown: " << ToAnsi(box->text) << ", expected like: " << ToAnsi(texts.front());

    EXPECT_TRUE(AnswerBox(box->window));
    EXPECT_TRUE(zarv.Running());
}

TEST_F(InternalFunctions, ControlPanelStartsControlExe) {
    const KeyCombo key{kShiftAlt, VK_F2};
    WriteHotkeys({Function(key, zarv::kFuncControlPanel)});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    const auto before = Processes();
    Press(key);
    bool started = WaitUntil([&] {
        auto added = NewProcesses(before);
        return std::any_of(added.begin(), added.end(), [](const ProcessEntry& p) {
            return lstrcmpiW(p.exe.c_str(), L"control.exe") == 0;
        });
    });
    KillAll(L"control.exe");
    EXPECT_TRUE(started) << "no control.exe appeared";
    EXPECT_TRUE(zarv.Running());
}

// The paths of the DLLs loaded into process pid whose file name is name.
std::vector<std::wstring> LoadedModules(DWORD pid, const wchar_t* name) {
    std::vector<std::wstring> paths;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snap == INVALID_HANDLE_VALUE) return paths;
    MODULEENTRY32W me{};
    me.dwSize = sizeof me;
    for (BOOL more = Module32FirstW(snap, &me); more; more = Module32NextW(snap, &me))
        if (lstrcmpiW(me.szModule, name) == 0) paths.push_back(me.szExePath);
    CloseHandle(snap);
    return paths;
}

// Wine prefers its own DLLs; told to prefer files for zarv.exe, it searches as Windows does,
// where the program's folder comes first for a bare name. (A WINEDLLOVERRIDES set in the test's
// environment does not reach the programs it starts.) Removed again whatever the test does.
class WineLoadsFilesFirst {
public:
    WineLoadsFilesFirst() {
        HKEY k = nullptr;
        ok = RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                             nullptr) == ERROR_SUCCESS;
        const wchar_t order[] = L"native,builtin";
        ok = ok && RegSetValueExW(k, L"mpr", 0, REG_SZ, reinterpret_cast<const BYTE*>(order),
                                  sizeof order) == ERROR_SUCCESS;
        if (k) RegCloseKey(k);
    }
    ~WineLoadsFilesFirst() { RegDeleteKeyW(HKEY_CURRENT_USER, kKey); }
    WineLoadsFilesFirst(const WineLoadsFilesFirst&) = delete;
    WineLoadsFilesFirst& operator=(const WineLoadsFilesFirst&) = delete;
    bool ok = false;

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\AppDefaults\\zarv.exe\\DllOverrides";
};

TEST_F(InternalFunctions, DllPlantedBesideTheProgramIsNeverLoaded) {
    const KeyCombo connect{kShiftAlt, VK_F5}, disconnect{kShiftAlt, VK_F6}, after{kShiftAlt, VK_F7};
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\planted_mpr.dll", PathIn(L"mpr.dll")));
    WriteHotkeys({Function(connect, zarv::kFuncMapNetworkDrive),
                  Function(disconnect, zarv::kFuncDisconnectNetworkDrive),
                  MarkerEntry(after, "-after")});
    WineLoadsFilesFirst guard;
    ASSERT_TRUE(guard.ok);
    Process& zarv = StartZarv();
    HWND main = WaitResident(zarv);
    ASSERT_TRUE(main);

    // The first call loads mpr.dll through its delay-load thunk: a stack walk from inside that
    // load passes through the thunk (connect is entry 1).
    std::string error;
    auto walk = RunProbe(
        zarv.handle(), dir(),
        "loadwalk\t" + std::to_string(reinterpret_cast<INT_PTR>(main)) + "\t1\tmpr.dll", &error);
    ASSERT_TRUE(walk) << error;
    if (sizeof(void*) == 8) EXPECT_TRUE(WalkReachesTheThreadStart(*walk));
    Press(disconnect);
    // Keys are handled in order: once the next key's marker ran, both dialogs have been asked.
    ASSERT_TRUE(PressRunsMarker(after, 1, "-after"));
    EXPECT_FALSE(ReadBytes(PathIn(L"planted-mpr.log"))) << "the planted mpr.dll was loaded";
    const auto loaded = LoadedModules(zarv.pid(), L"mpr.dll");
    EXPECT_FALSE(loaded.empty()) << "the network-drive dialogs did not load mpr.dll";
    for (const std::wstring& path : loaded)
        EXPECT_NE(_wcsicmp(path.c_str(), PathIn(L"mpr.dll").c_str()), 0) << ToAnsi(path);
    for (const MessageBoxInfo& box : MessageBoxes(zarv.pid()))
        ADD_FAILURE() << "message box: " << ToAnsi(box.text);
    EXPECT_TRUE(zarv.Running());
}

TEST_F(InternalFunctions, UnknownNumberHoldsItsKeyAndDoesNothing) {
    const KeyCombo unknown{kShiftAlt, VK_F3}, after{kShiftAlt, VK_F4};
    WriteHotkeys({Function(unknown, 100), MarkerEntry(after, "-after")});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));
    EXPECT_EQ(TryRegister(unknown), ERROR_HOTKEY_ALREADY_REGISTERED);

    const auto before = Processes();
    Press(unknown);
    // Keys are handled in order: once the next key's marker ran, the first key is done.
    ASSERT_TRUE(PressRunsMarker(after, 1, "-after"));
    for (HWND w : VisibleTopLevelWindows(zarv.pid()))
        ADD_FAILURE() << "visible window of class " << ToAnsi(ClassOf(w));
    for (const ProcessEntry& p : NewProcesses(before))
        if (lstrcmpiW(p.exe.c_str(), L"marker.exe") != 0)
            ADD_FAILURE() << "new process " << ToAnsi(p.exe);
    EXPECT_TRUE(zarv.Running());
}

TEST_F(InternalFunctions, TrayMenuPopsUpAtTheTopLeftCorner) {
    const KeyCombo key{kShiftAlt, VK_F5};
    WriteHotkeys({Function(key, zarv::kFuncTrayMenu)});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    Press(key);
    std::string error;
    auto menus = ReadOpenMenus(zarv.handle(), zarv.pid(), dir(), &error);
    ASSERT_TRUE(menus) << error;
    ASSERT_EQ(menus->size(), 1u);
    const OpenMenu& menu = menus->front();
    EXPECT_EQ(menu.rect.left, 0);
    EXPECT_EQ(menu.rect.top, 0);
    const std::vector<std::wstring> expected = {L"ホットキーの設定(&H)",
                                                L"コマンドの設定(&S)",
                                                L"",
                                                L"コマンド(&C)",
                                                L"",
                                                L"このプログラムについて",
                                                L"終了(&X)"};
    ASSERT_EQ(menu.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(menu.items[i].separator(), expected[i].empty());
        if (!expected[i].empty()) EXPECT_EQ(menu.items[i].caption, expected[i]);
    }
    EXPECT_TRUE(CloseMenus(zarv.pid()));
    EXPECT_TRUE(zarv.Running());
}

TEST_F(InternalFunctions, LauncherMenuPopsUpAtTheTopLeftCorner) {
    const KeyCombo list{kShiftAlt, VK_F6}, gone{kShiftAlt, VK_F7}, web{kShiftAlt, VK_F8};
    HotkeyRecord program = MarkerEntry({kShiftAlt, VK_F9});
    program.title = ToAnsi(L"マーカー");
    program.key_text = "Alt + Shift + F9";
    HotkeyRecord missing = program;
    missing.title = "gone";
    missing.file_path = AnsiPathIn(L"missing.exe");
    missing.key_text = "Alt + Shift + F7";
    missing.vkey = static_cast<std::uint8_t>(gone.vkey);
    HotkeyRecord url = program;
    url.title = "web";
    url.file_path = "http://example.invalid/";
    url.func_no = 255;
    url.key_text = "Alt + Shift + F8";
    url.vkey = static_cast<std::uint8_t>(web.vkey);
    WriteHotkeys({program, missing, url,
                  Function(list, zarv::kFuncLauncherMenu, "list", "Alt + Shift + F6")});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    Press(list);
    std::string error;
    auto menus = ReadOpenMenus(zarv.handle(), zarv.pid(), dir(), &error);
    ASSERT_TRUE(menus) << error;
    ASSERT_EQ(menus->size(), 1u);
    const OpenMenu& menu = menus->front();
    EXPECT_EQ(menu.rect.left, 0);
    EXPECT_EQ(menu.rect.top, 0);
    ASSERT_EQ(menu.items.size(), 4u);
    EXPECT_EQ(menu.items[0].caption, L"マーカー[Alt + Shift + F9]");
    EXPECT_EQ(menu.items[1].caption, L"gone[Alt + Shift + F7]");
    EXPECT_EQ(menu.items[2].caption, L"web[Alt + Shift + F8]");
    EXPECT_EQ(menu.items[3].caption, L"list[Alt + Shift + F6]");
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const bool available = i != 1;
        EXPECT_EQ(menu.items[i].grayed(), !available);
        EXPECT_EQ(menu.items[i].has_bitmap || (menu.items[i].type & MFT_OWNERDRAW) != 0, available)
            << "an available item shows its icon, a missing one none";
    }
    EXPECT_TRUE(CloseMenus(zarv.pid()));
    EXPECT_TRUE(zarv.Running());
}

}  // namespace
}  // namespace e2e
