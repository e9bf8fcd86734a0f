// startup_bench [repetitions]: what zarv.exe costs against a bare resident program, under Wine.
//
// With 200 program entries (programs with and without an icon of their own, each on a hot key of
// its own), zarv.exe is timed from CreateProcess until it waits for input (WaitForInputIdle) and
// its icon is in the notification area, next to bare_tray.exe (one hidden window, one icon, a
// message loop) timed the same way. Both then open and close their icon's menu once (zarv's
// launcher menu, bare_tray's one item), and their private resident memory is read: Linux's
// RssAnon of the Wine process (Wine reports no private bytes of its own).
//
// With 500 program entries over the programs of C:\windows\system32, zarv's launcher menu is
// opened right after start-up and a second time, each timed from the icon's callback message
// until the menu is on the screen and painted. Then both programs are left idle for 20 s, zarv.exe
// after one of its hot keys was held through six repeats, and their wake-ups (context switches of
// the Wine process, as Linux counts them) are counted. The size of zarv.exe comes last.
//
// The command bar: zarv.exe is started, left idle for 3 s, and its bar called up with its hot
// key, then called up a second time; each is timed from the key press until the bar is in front
// with the keyboard in its input box and painted. The bar's controls are made at idle, before
// the first call: the private memory before the first call and after the second tells what its
// shows cost.
//
// A drive whose server does not answer: with the slow-drive library preloaded (scripts/bench.sh
// sets it up: every look-up under N: waits), zarv.exe with 20 local entries and 3 on N: is timed
// from start to resident, then a local entry's hot key pressed at once from the press until its
// program runs, then the launcher menu's opening; each next to the same 20 entries without the
// three. Without the library the drive answers at normal speed and the figures are alike.
//
// The hotkey editor: zarv.exe, with the 200 entries and its launcher menu opened once, opens its
// hotkey editor, shows it painted and closes it, twice; its private memory after each closing is
// set against the figure before the first opening. The yardstick is bare_list.exe, which opens one
// plain list view with the same number of rows and closes it: what it holds more afterwards is what
// a program keeps of having shown a list view at all.
//
// Every figure is printed with the bare one beside it and their ratio (medians).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "harness.h"
#include "ui_helpers.h"

using namespace e2e;
using namespace e2e::bench;

namespace {

constexpr int kPrograms = 200;     // the memory and start-up case
constexpr int kMenuEntries = 500;  // the first-opening case
const std::wstring kDir = L"C:\\zarv-e2e\\startup-bench";
const std::wstring kProgramsDir = kDir + L"\\programs";
const std::wstring kMenuDir = kDir + L"\\menu";
const std::wstring kBarDir = kDir + L"\\bar";
const std::wstring kLocalDir = kDir + L"\\local";  // the slow-drive case's yardstick
const std::wstring kSlowDir = kDir + L"\\slow";
const std::wstring kSlowDrive = L"C:\\zarv-slow\\startup-bench";  // drive N:, written through C:
const KeyCombo kBarKey{MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F7};

int Fail(const char* why) {
    std::fprintf(stderr, "startup_bench: %s\n", why);
    return 1;
}

// The icons the shell shows are small windows of their own ("...tray_icon"), inside a tray
// window or docked on their own; counting them tells when an icon has been added.
BOOL CALLBACK CountIconChild(HWND w, LPARAM lp) {
    if (ClassOf(w).find(L"tray_icon") != std::wstring::npos) ++*reinterpret_cast<int*>(lp);
    return TRUE;
}

BOOL CALLBACK CountIconTop(HWND w, LPARAM lp) {
    const std::wstring cls = ClassOf(w);
    if (cls.find(L"tray_icon") != std::wstring::npos) {
        ++*reinterpret_cast<int*>(lp);
    } else if (cls.find(L"tray") != std::wstring::npos || cls == L"Shell_TrayWnd") {
        EnumChildWindows(w, CountIconChild, lp);
    }
    return TRUE;
}

int ShellIconCount() {
    int n = 0;
    EnumWindows(CountIconTop, reinterpret_cast<LPARAM>(&n));
    return n;
}

struct Startup {
    double idle = 0;   // CreateProcess -> WaitForInputIdle returned
    double icon = 0;   // CreateProcess -> the icon is in the shell
    double ready = 0;  // both
};

// Starts exe and times it until it is idle and its icon is in the shell, watching both at once.
// The process is left running; the caller ends it.
bool TimeStartup(const std::wstring& exe, Process& process, Startup& out) {
    const int icons_before = ShellIconCount();
    const LONGLONG t0 = Now();
    process = Start(exe, L"", kDir);
    if (!process) return false;
    LONGLONG idle = 0, icon = 0;
    bool done = Spin([&] {
        if (!idle && WaitForInputIdle(process.handle(), 0) == 0) idle = Now();
        if (!icon && ShellIconCount() > icons_before) icon = Now();
        return idle && icon;
    });
    if (!done) return false;
    out = {Ms(t0, idle), Ms(t0, icon), Ms(t0, std::max(idle, icon))};
    return true;
}

// Posts the icon's left button-down to callback and times until the process's menu window is
// visible and painted (its update region is empty and the thread has answered a message, so the
// paint has ended); then closes the menu.
bool TimeMenu(DWORD pid, HWND callback, double& ms) {
    const LONGLONG t0 = Now();
    PostMessageW(callback, ui::kTrayMessage, ui::kIconNumber, WM_LBUTTONDOWN);
    HWND menu = nullptr;
    if (!Spin([&] {
            auto open = OpenMenuWindows(pid);
            menu = open.empty() ? nullptr : open.front();
            return menu && !GetUpdateRect(menu, nullptr, FALSE);
        }))
        return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(menu, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
    ms = Ms(t0, Now());
    return ui::CloseMenus(pid);
}

BOOL CALLBACK FindUnpainted(HWND w, LPARAM lp) {
    if (!GetUpdateRect(w, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(lp) = true;
    return FALSE;
}

// Presses the bar's hot key and times until the bar is the foreground window with the keyboard
// focus in one of its controls, and it and its controls are painted (and its thread has answered
// a message); then hides it with Escape.
bool TimeBar(HWND main, double& ms) {
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    const LONGLONG t0 = Now();
    Press(kBarKey);
    if (!Spin([&] {
            if (!IsWindowVisible(main) || GetForegroundWindow() != main) return false;
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            if (!GetGUIThreadInfo(thread, &info) || !IsChild(main, info.hwndFocus)) return false;
            bool unpainted = GetUpdateRect(main, nullptr, FALSE) != FALSE;
            if (!unpainted)
                EnumChildWindows(main, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
            return !unpainted;
        }))
        return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
    ms = Ms(t0, Now());
    ui::PressKey(VK_ESCAPE);
    return Spin([&] { return !IsWindowVisible(main); });
}

// How often the process of exe is woken while it has nothing to do: its context switches over
// kIdleMs, from a moment when it has just finished its work.
constexpr DWORD kIdleMs = 20000;
long WakeUps(const std::wstring& exe) {
    const long before = ContextSwitches(exe);
    Sleep(kIdleMs);
    const long after = ContextSwitches(exe);
    return before < 0 || after < 0 ? -1 : after - before;
}

// Opens zarv's hotkey editor as its tray-menu item does, waits until it is shown and painted,
// closes it with its close box and waits until it has gone and zarv.exe is idle again.
bool OpenAndCloseEditor(DWORD pid, HWND main) {
    PostMessageW(main, WM_COMMAND, ui::kHotkeySettingsId, 0);
    HWND editor = nullptr;
    if (!Spin([&] {
            for (HWND w : TopLevelWindows(pid, L"TSettingForm"))
                if (IsWindowVisible(w)) editor = w;
            return editor != nullptr;
        }))
        return false;
    RedrawWindow(editor, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    WaitResponsive(editor);
    PostMessageW(editor, WM_CLOSE, 0, 0);
    return Spin([&] { return !IsWindow(editor); }) && WaitResponsive(main);
}

// The private memory of bare_list.exe, once its menu has been opened and closed (as zarv's
// launcher menu is before its editor opens), before and after it showed one list view of `rows`
// rows and closed it.
bool BareListMemory(int rows, double& before_kb, double& after_kb) {
    constexpr UINT kOpen = WM_APP + 1, kOk = WM_APP + 2, kMenu = WM_APP + 3;
    const std::wstring exe = kProgramsDir + L"\\bare_list.exe";
    Process bare = Start(exe, std::to_wstring(rows), kProgramsDir);
    HWND control = nullptr;
    if (!bare || !Spin([&] {
            const auto windows = TopLevelWindows(bare.pid(), L"TBareList");
            control = windows.empty() ? nullptr : windows.front();
            return control != nullptr;
        }))
        return false;
    PostMessageW(control, kMenu, 0, 0);
    if (!Spin([&] { return !OpenMenuWindows(bare.pid()).empty(); }) || !ui::CloseMenus(bare.pid()))
        return false;
    Sleep(1000);
    before_kb = static_cast<double>(RssAnonKb(exe));
    PostMessageW(control, kOpen, 0, 0);
    HWND frame = nullptr;
    if (!Spin([&] {
            const auto windows = TopLevelWindows(bare.pid(), L"TBareListFrame");
            frame = windows.empty() ? nullptr : windows.front();
            return frame && IsWindowVisible(frame);
        }))
        return false;
    RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PostMessageW(control, kOk, 0, 0);
    if (!Spin([&] { return !IsWindow(frame); }) || !WaitResponsive(control)) return false;
    Sleep(1000);
    after_kb = static_cast<double>(RssAnonKb(exe));
    PostMessageW(control, WM_CLOSE, 0, 0);
    return bare.WaitExit();
}

bool CloseAndWait(Process& process, HWND window, int icons_before) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return process.WaitExit() && Spin([&] { return ShellIconCount() <= icons_before; });
}

// Entries on combinations of their own (every non-empty set of Alt, Ctrl, Shift, Win with a
// letter or digit), one per program path, cycling through the paths.
std::vector<HotkeyRecord> ProgramEntries(const std::vector<std::wstring>& programs, int count) {
    const UINT modifier_sets = 15;
    const std::string keys = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::vector<HotkeyRecord> entries;
    for (int i = 0; i < count; ++i) {
        HotkeyRecord r;
        r.title = "entry " + std::to_string(i);
        r.modifiers = static_cast<std::uint8_t>(i % modifier_sets + 1);
        r.vkey = static_cast<std::uint8_t>(keys[static_cast<size_t>(i) / modifier_sets]);
        r.key_text = "key " + std::to_string(i);
        r.file_path = ToAnsi(programs[static_cast<size_t>(i) % programs.size()]);
        r.options = "-n " + std::to_string(i);
        entries.push_back(std::move(r));
    }
    return entries;
}

// The programs of C:\windows\system32, in name order.
std::vector<std::wstring> SystemPrograms() {
    std::vector<std::wstring> out;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(L"C:\\windows\\system32\\*.exe", &fd);
    if (find == INVALID_HANDLE_VALUE) return out;
    do {
        out.push_back(std::wstring(L"C:\\windows\\system32\\") + fd.cFileName);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    std::sort(out.begin(), out.end());
    return out;
}

// A case folder with zarv.exe, the helpers and its Hotkey.DAT.
bool PrepareFolder(const std::wstring& dir, const std::vector<HotkeyRecord>& entries,
                   const std::vector<CommandRecord>& commands = {}) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!CopyTo(ZarvExe(), dir + L"\\zarv.exe")) return false;
    for (const wchar_t* helper : {L"marker.exe", L"marker_icon_a.exe", L"marker_icon_b.exe",
                                  L"bare_tray.exe", L"bare_list.exe"})
        if (!CopyTo(HelperFolder() + L"\\" + helper, dir + L"\\" + helper)) return false;
    return WriteBytes(dir + L"\\Hotkey.DAT", HotkeyFile(entries)) &&
           (commands.empty() || WriteBytes(dir + L"\\Command.DAT", CommandFile(commands)));
}

HWND ZarvCallback(const Process& zarv) {
    HWND main = WaitMainWindow(zarv.pid());
    return main ? ui::CallbackWindow(main) : nullptr;
}

// The slow-drive case in folder dir: start to resident, a local entry's key pressed at once until
// its program runs, the launcher menu right after; the process is ended.
bool TimeWithDrive(const std::wstring& dir, KeyCombo local, double& start, double& key,
                   double& menu) {
    const int icons_before = ShellIconCount();
    const std::wstring log = dir + L"\\marker.log";
    DeleteFileW(log.c_str());
    Startup s;
    Process zarv;
    if (!TimeStartup(dir + L"\\zarv.exe", zarv, s)) return false;
    start = s.ready;
    const LONGLONG t0 = Now();
    Press(local);
    if (!Spin([&] { return !ReadMarkerLog(log).empty(); })) return false;
    key = Ms(t0, Now());
    HWND callback = ZarvCallback(zarv);
    if (!callback || !TimeMenu(zarv.pid(), callback, menu)) return false;
    KillAll(L"marker.exe");
    return CloseAndWait(zarv, WaitMainWindow(zarv.pid()), icons_before);
}

// One figure of ours with its yardstick beside it, and their ratio.
void PrintRatio(const char* what, double ours, const char* yardstick, double base,
                const char* unit) {
    std::printf("%-40s zarv %7.1f %s  %s %7.1f %s  ratio %.2f\n", what, ours, unit, yardstick, base,
                unit, ours / base);
}

}  // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::error_code ec;
    std::filesystem::remove_all(kDir, ec);
    const std::vector<std::wstring> system = SystemPrograms();
    if (system.empty()) return Fail("no programs in C:\\windows\\system32");

    // Programs with and without an icon of their own: the markers (one without, two with) and
    // the system's programs.
    std::vector<std::wstring> programs = {kProgramsDir + L"\\marker.exe",
                                          kProgramsDir + L"\\marker_icon_a.exe",
                                          kProgramsDir + L"\\marker_icon_b.exe"};
    programs.insert(programs.end(), system.begin(), system.end());
    // The bar's folder: its hot key and the 200 program entries, and 50 commands.
    std::vector<HotkeyRecord> bar_entries = ProgramEntries(programs, kPrograms);
    bar_entries.insert(bar_entries.begin(), ShowBarEntry(kBarKey));
    std::vector<CommandRecord> commands;
    for (int i = 0; i < 50; ++i)
        commands.push_back({"command " + std::to_string(i), ToAnsi(system[0]), "", ""});
    // 20 local entries, the first the case's marker; with three more on the slow drive N:.
    std::vector<std::wstring> local_programs = programs;
    local_programs[0] = kSlowDir + L"\\marker.exe";
    std::vector<HotkeyRecord> slow_entries = ProgramEntries(local_programs, 20);
    std::vector<HotkeyRecord> local_entries = slow_entries;
    local_entries[0].file_path = ToAnsi(kLocalDir + L"\\marker.exe");
    std::filesystem::create_directories(kSlowDrive, ec);
    for (int i = 0; i < 3; ++i) {
        HotkeyRecord r = slow_entries[static_cast<size_t>(i)];
        r.title = "slow " + std::to_string(i);
        r.file_path = "N:\\startup-bench\\tool" + std::to_string(i) + ".exe";
        r.modifiers = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
        r.vkey = static_cast<std::uint8_t>(VK_F1 + i);
        slow_entries.push_back(r);
        if (!CopyTo(HelperFolder() + L"\\marker_icon_a.exe",
                    kSlowDrive + L"\\tool" + std::to_wstring(i) + L".exe"))
            return Fail("the slow drive C:\\zarv-slow cannot be written");
    }
    const KeyCombo local_key{slow_entries[0].modifiers, slow_entries[0].vkey};
    if (!PrepareFolder(kLocalDir, local_entries) || !PrepareFolder(kSlowDir, slow_entries) ||
        !PrepareFolder(kProgramsDir, ProgramEntries(programs, kPrograms)) ||
        !PrepareFolder(kMenuDir, ProgramEntries(system, kMenuEntries)) ||
        !PrepareFolder(kBarDir, bar_entries, commands))
        return Fail("zarv.exe or a helper program is not built, or a folder cannot be written");
    SetCursorPos(100, 100);

    std::vector<double> zarv_ready, bare_ready, zarv_kb, bare_kb, first_menu, second_menu;
    std::vector<double> first_bar, later_bar, bar_kb;
    std::vector<double> slow_start, local_start, slow_key, local_key_ms, slow_menu, local_menu;
    std::vector<double> editor_kb, editor2_kb, list_before_kb, list_after_kb;
    for (int i = 0; i < reps; ++i) {
        const int icons_before = ShellIconCount();

        // The slow drive, against the same start without it.
        double start = 0, key = 0, menu = 0;
        if (!TimeWithDrive(kSlowDir, local_key, start, key, menu))
            return Fail("zarv.exe with entries on the slow drive did not answer");
        slow_start.push_back(start);
        slow_key.push_back(key);
        slow_menu.push_back(menu);
        if (!TimeWithDrive(kLocalDir, local_key, start, key, menu))
            return Fail("zarv.exe with local entries did not answer");
        local_start.push_back(start);
        local_key_ms.push_back(key);
        local_menu.push_back(menu);

        // 200 programs: start-up, one opening of the menu, then the memory.
        Startup s;
        Process zarv;
        if (!TimeStartup(kProgramsDir + L"\\zarv.exe", zarv, s))
            return Fail("zarv.exe did not come up");
        zarv_ready.push_back(s.ready);
        HWND callback = ZarvCallback(zarv);
        double ms = 0;
        if (!callback || !TimeMenu(zarv.pid(), callback, ms))
            return Fail("the launcher menu did not open");
        // The pictures' look-ups end, and the worker's threads after a few idle seconds.
        Sleep(10000);
        zarv_kb.push_back(static_cast<double>(RssAnonKb(kProgramsDir + L"\\zarv.exe")));
        // The hotkey editor opened and closed, once and once more.
        HWND resident = WaitMainWindow(zarv.pid());
        for (auto* kb : {&editor_kb, &editor2_kb}) {
            if (!OpenAndCloseEditor(zarv.pid(), resident))
                return Fail("the hotkey editor did not open and close");
            Sleep(6000);  // and the worker's threads have ended
            kb->push_back(static_cast<double>(RssAnonKb(kProgramsDir + L"\\zarv.exe")));
        }
        if (!CloseAndWait(zarv, resident, icons_before)) return Fail("zarv.exe did not end");
        double before = 0, after = 0;
        if (!BareListMemory(kPrograms, before, after))
            return Fail("bare_list.exe did not open and close its list");
        list_before_kb.push_back(before);
        list_after_kb.push_back(after);

        Process bare;
        if (!TimeStartup(kProgramsDir + L"\\bare_tray.exe", bare, s))
            return Fail("bare_tray.exe did not come up");
        bare_ready.push_back(s.ready);
        auto windows = TopLevelWindows(bare.pid(), L"TBareTray");
        if (windows.empty() || !TimeMenu(bare.pid(), windows.front(), ms))
            return Fail("the menu of bare_tray.exe did not open");
        Sleep(1000);
        bare_kb.push_back(static_cast<double>(RssAnonKb(kProgramsDir + L"\\bare_tray.exe")));
        if (!CloseAndWait(bare, windows.front(), icons_before))
            return Fail("bare_tray.exe did not end");

        // 500 entries over the system's programs: the first opening right after start-up.
        if (!TimeStartup(kMenuDir + L"\\zarv.exe", zarv, s))
            return Fail("zarv.exe did not come up");
        callback = ZarvCallback(zarv);
        double first = 0, second = 0;
        if (!callback || !TimeMenu(zarv.pid(), callback, first) ||
            !TimeMenu(zarv.pid(), callback, second))
            return Fail("the launcher menu did not open");
        first_menu.push_back(first);
        second_menu.push_back(second);
        if (!CloseAndWait(zarv, WaitMainWindow(zarv.pid()), icons_before))
            return Fail("zarv.exe did not end");

        // The bar after 3 s of idle, and once more.
        if (!TimeStartup(kBarDir + L"\\zarv.exe", zarv, s)) return Fail("zarv.exe did not come up");
        HWND main = WaitMainWindow(zarv.pid());
        Sleep(3000);
        const long kb_before = RssAnonKb(kBarDir + L"\\zarv.exe");
        if (!main || !TimeBar(main, first)) return Fail("the command bar did not come up");
        Sleep(300);
        if (!TimeBar(main, second)) return Fail("the command bar did not come up again");
        first_bar.push_back(first);
        later_bar.push_back(second);
        bar_kb.push_back(static_cast<double>(RssAnonKb(kBarDir + L"\\zarv.exe") - kb_before));
        if (!CloseAndWait(zarv, main, icons_before)) return Fail("zarv.exe did not end");
    }
    // Idle: zarv.exe after one of its hot keys was held through repeats and let go (the watch on
    // the held key must have ended), bare_tray.exe after start-up.
    const int icons_before = ShellIconCount();
    Startup s;
    Process zarv, bare;
    if (!TimeStartup(kProgramsDir + L"\\zarv.exe", zarv, s))
        return Fail("zarv.exe did not come up");
    Sleep(3000);                         // the pictures' look-ups end
    const KeyCombo first{MOD_ALT, 'A'};  // entry 0 of ProgramEntries
    SendModifiers(first.modifiers, false);
    for (int i = 0; i < 6; ++i) {
        SendKey(first.vkey, false);
        Sleep(40);
    }
    SendKey(first.vkey, true);
    SendModifiers(first.modifiers, true);
    // The start's thread ends after a few idle seconds; from then on nothing should wake.
    Sleep(6000);
    const long zarv_wakes = WakeUps(kProgramsDir + L"\\zarv.exe");
    if (!CloseAndWait(zarv, WaitMainWindow(zarv.pid()), icons_before))
        return Fail("zarv.exe did not end");
    KillAll(L"marker.exe");
    if (!TimeStartup(kProgramsDir + L"\\bare_tray.exe", bare, s))
        return Fail("bare_tray.exe did not come up");
    Sleep(1000);
    const long bare_wakes = WakeUps(kProgramsDir + L"\\bare_tray.exe");
    auto windows = TopLevelWindows(bare.pid(), L"TBareTray");
    if (windows.empty() || !CloseAndWait(bare, windows.front(), icons_before))
        return Fail("bare_tray.exe did not end");

    if (Median(zarv_kb) <= 0 || Median(bare_kb) <= 0)
        std::printf("(no RssAnon: Z:\\proc cannot be read)\n");

    std::printf("zarv.exe against bare_tray.exe, %d repetitions, medians\n", reps);
    Print("zarv: start -> idle and icon (200)", zarv_ready);
    Print("bare: start -> idle and icon", bare_ready);
    Print("zarv: first launcher menu (500)", first_menu);
    Print("zarv: second launcher menu (500)", second_menu);
    PrintRatio("start-up to resident, 200 hot keys", Median(zarv_ready), "bare", Median(bare_ready),
               "ms");
    PrintRatio("private memory after the menu (RssAnon)", Median(zarv_kb) / 1024.0, "bare",
               Median(bare_kb) / 1024.0, "MB");
    // The editor's figures in MB with two decimals: what is kept is a few tenths.
    auto mb = [](const std::vector<double>& kb) { return Median(kb) / 1024.0; };
    std::printf("%-40s zarv %7.2f MB  before %7.2f MB  ratio %.2f\n", "after one editor (RssAnon)",
                mb(editor_kb), mb(zarv_kb), mb(editor_kb) / mb(zarv_kb));
    std::printf("%-40s zarv %7.2f MB  before %7.2f MB  ratio %.2f\n", "after two editors (RssAnon)",
                mb(editor2_kb), mb(zarv_kb), mb(editor2_kb) / mb(zarv_kb));
    std::printf("%-40s bare_list %7.2f MB  before %7.2f MB  ratio %.2f\n",
                "after one list view (RssAnon)", mb(list_after_kb), mb(list_before_kb),
                mb(list_after_kb) / mb(list_before_kb));
    std::printf("%-40s zarv %+7.2f MB  bare_list %+7.2f MB  difference %+.2f MB\n",
                "kept of one editor / one list view", mb(editor_kb) - mb(zarv_kb),
                mb(list_after_kb) - mb(list_before_kb),
                mb(editor_kb) - mb(zarv_kb) - mb(list_after_kb) + mb(list_before_kb));
    PrintRatio("first launcher menu (500 entries)", Median(first_menu), "second",
               Median(second_menu), "ms");
    Print("zarv: first command bar (3 s idle)", first_bar);
    Print("zarv: later command bar", later_bar);
    PrintRatio("first command bar, after 3 s idle", Median(first_bar), "later", Median(later_bar),
               "ms");
    std::printf("%-40s %+.2f MB\n", "private memory of the two shows", Median(bar_kb) / 1024.0);
    wchar_t slow_ms[16] = L"0";
    GetEnvironmentVariableW(L"ZARV_SLOW_MS", slow_ms, 16);
    std::printf("3 entries on drive N: (look-ups %ls ms each), 20 local, against the 20 alone:\n",
                slow_ms);
    PrintRatio("  start-up to resident", Median(slow_start), "local", Median(local_start), "ms");
    PrintRatio("  a local key at once -> its program", Median(slow_key), "local",
               Median(local_key_ms), "ms");
    PrintRatio("  launcher menu right after", Median(slow_menu), "local", Median(local_menu), "ms");
    std::printf("%-40s zarv %7ld      bare %7ld (in %lu s, after a held hot key)\n",
                "wake-ups while idle", zarv_wakes, bare_wakes, kIdleMs / 1000);
    const double size = static_cast<double>(std::filesystem::file_size(ZarvExe(), ec)) / 1024.0;
    // The size limit: 200 KB for the 32-bit program, 250 KB for the 64-bit one.
    PrintRatio("zarv.exe size", size, "target", sizeof(void*) == 8 ? 250.0 : 200.0, "KB");
    return 0;
}
