// startup_bench [repetitions]: how long zarv.exe with 500 hotkey entries takes from CreateProcess
// until it waits for input (WaitForInputIdle) and its icon is in the notification area, next to
// bare_tray.exe (one hidden window, one icon, a message loop) measured the same way; then how long
// its launcher menu takes to open, from the icon's callback message until the menu window is
// visible: the first time (the items' pictures are taken then) and a second time.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "harness.h"

using namespace e2e;
using namespace e2e::bench;

namespace {

constexpr int kEntries = 500;
constexpr UINT kTrayMessage = 0x4C8;
const std::wstring kDir = L"C:\\zarv-e2e\\startup-bench";

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

// Posts the icon's left button-down and times until zarv's menu window is visible; closes it.
bool TimeMenu(const Process& zarv, HWND callback, double& ms) {
    const LONGLONG t0 = Now();
    PostMessageW(callback, kTrayMessage, 1, WM_LBUTTONDOWN);
    if (!Spin([&] { return !OpenMenuWindows(zarv.pid()).empty(); })) return false;
    ms = Ms(t0, Now());
    return WaitUntil([&] {
        auto open = OpenMenuWindows(zarv.pid());
        if (open.empty()) return true;
        PostMessageW(open.front(), WM_KEYDOWN, VK_ESCAPE, 0);
        Sleep(20);
        return false;
    });
}

bool CloseAndWait(Process& process, HWND window, int icons_before) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return process.WaitExit() && Spin([&] { return ShellIconCount() <= icons_before; });
}

// 500 entries of every kind, each on a combination of its own: programs with and without icons
// of their own, documents, URLs, internal functions, and a few whose file is missing.
bool WriteEntries() {
    const std::vector<std::wstring> programs = {kDir + L"\\marker.exe",
                                                kDir + L"\\marker_icon_a.exe",
                                                kDir + L"\\marker_icon_b.exe",
                                                L"C:\\windows\\notepad.exe",
                                                L"C:\\windows\\regedit.exe",
                                                L"C:\\windows\\winhlp32.exe",
                                                L"C:\\windows\\system32\\winecfg.exe",
                                                L"C:\\windows\\system32\\winemine.exe",
                                                L"C:\\windows\\system32\\taskmgr.exe",
                                                L"C:\\windows\\system32\\cmd.exe"};
    const std::uint8_t functions[] = {1, 4, 5, 6, 7, 8, 9, 250, 251, 252, 253, 254};
    const UINT modifier_sets = 15;  // every non-empty set of Alt, Ctrl, Shift, Win
    const std::string keys = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int d = 0; d < 10; ++d)
        if (!WriteBytes(kDir + L"\\doc" + std::to_wstring(d) + L".txt", "text")) return false;

    std::vector<HotkeyRecord> entries;
    for (int i = 0; i < kEntries; ++i) {
        HotkeyRecord r;
        r.title = "entry " + std::to_string(i);
        r.modifiers = static_cast<std::uint8_t>(i % modifier_sets + 1);
        r.vkey = static_cast<std::uint8_t>(keys[static_cast<size_t>(i) / modifier_sets]);
        r.key_text = "key " + std::to_string(i);
        if (i % 20 == 19) {
            r.file_path = ToAnsi(kDir) + "\\missing" + std::to_string(i) + ".exe";
        } else {
            switch (i % 5) {
                case 0:
                case 1:
                    r.file_path = ToAnsi(programs[static_cast<size_t>(i / 5) % programs.size()]);
                    r.options = "-n " + std::to_string(i);
                    break;
                case 2:
                    r.file_path = ToAnsi(kDir) + "\\doc" + std::to_string(i % 10) + ".txt";
                    break;
                case 3:
                    r.file_path = "http://example.invalid/" + std::to_string(i);
                    r.func_no = 255;
                    break;
                default:
                    r.func_no = functions[static_cast<size_t>(i / 5) % std::size(functions)];
                    break;
            }
        }
        entries.push_back(std::move(r));
    }
    return WriteBytes(kDir + L"\\Hotkey.DAT", HotkeyFile(entries));
}

}  // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::error_code ec;
    std::filesystem::remove_all(kDir, ec);
    std::filesystem::create_directories(kDir, ec);
    if (!CopyTo(ZarvExe(), kDir + L"\\zarv.exe")) return Fail("zarv.exe is not built");
    for (const wchar_t* helper :
         {L"marker.exe", L"marker_icon_a.exe", L"marker_icon_b.exe", L"bare_tray.exe"})
        if (!CopyTo(HelperFolder() + L"\\" + helper, kDir + L"\\" + helper))
            return Fail("a helper program is not built");
    if (!WriteEntries()) return Fail("cannot write the entries");
    SetCursorPos(100, 100);

    std::vector<double> zarv_idle, zarv_icon, zarv_ready, bare_idle, bare_icon, bare_ready;
    std::vector<double> first_menu, second_menu;
    for (int i = 0; i < reps; ++i) {
        const int icons_before = ShellIconCount();
        Startup s;
        Process zarv;
        if (!TimeStartup(kDir + L"\\zarv.exe", zarv, s)) return Fail("zarv.exe did not come up");
        zarv_idle.push_back(s.idle);
        zarv_icon.push_back(s.icon);
        zarv_ready.push_back(s.ready);
        HWND main = WaitMainWindow(zarv.pid());
        HWND callback = main ? FindWindowExW(main, nullptr, L"TCallbackWindow", nullptr) : nullptr;
        if (!callback) return Fail("no callback window");
        double first = 0, second = 0;
        if (!TimeMenu(zarv, callback, first) || !TimeMenu(zarv, callback, second))
            return Fail("the launcher menu did not open");
        first_menu.push_back(first);
        second_menu.push_back(second);
        if (!CloseAndWait(zarv, main, icons_before)) return Fail("zarv.exe did not end");

        Process bare;
        if (!TimeStartup(kDir + L"\\bare_tray.exe", bare, s))
            return Fail("bare_tray.exe did not come up");
        bare_idle.push_back(s.idle);
        bare_icon.push_back(s.icon);
        bare_ready.push_back(s.ready);
        auto windows = TopLevelWindows(bare.pid(), L"TBareTray");
        if (windows.empty() || !CloseAndWait(bare, windows.front(), icons_before))
            return Fail("bare_tray.exe did not end");
    }

    std::printf("zarv.exe with %d entries, bare_tray.exe, %d repetitions each\n", kEntries, reps);
    Print("zarv: start -> input idle", zarv_idle);
    Print("zarv: start -> icon in the shell", zarv_icon);
    Print("zarv: start -> both", zarv_ready);
    Print("bare: start -> input idle", bare_idle);
    Print("bare: start -> icon in the shell", bare_icon);
    Print("bare: start -> both", bare_ready);
    Print("zarv: first launcher menu", first_menu);
    Print("zarv: second launcher menu", second_menu);
    std::printf("start-up ratio zarv / bare (medians): %.2f\n",
                Median(zarv_ready) / Median(bare_ready));
    return 0;
}
