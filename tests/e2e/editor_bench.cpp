// editor_bench [repetitions [other-zarv.exe]]: the hotkey editor with 1,000 rows, next to a plain
// list view filled
// with the same rows (bare_list.exe). Opening: from the request until the window is shown and
// painted. OK: from Enter on the table until the editor is gone and zarv.exe is idle again (the
// hot keys re-registered, the launcher menu rebuilt, Hotkey.DAT written); for the plain list, until
// it has read every cell back, written them to a file and destroyed its window. The key picker:
// from "Virtual Keybord" in a new entry's dialog, with "Ctrl + Alt" chosen, until the picker is
// shown and painted, and with no modifiers chosen (no key to mark: the picker alone); beside it,
// what the marking adds at most: 92 trial registrations of Ctrl + Alt combinations. Given another
// build of zarv.exe, both run (with "/DEBUG", each in a folder of its own) and every round opens
// and confirms the other's editor too, so that two builds are compared under the same load (the
// ratios of each round's pair).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench_rows.h"
#include "bench_timing.h"
#include "harness.h"
#include "settings/control_ids.h"
#include "ui_helpers.h"

using namespace e2e;
using namespace e2e::bench;

namespace {

constexpr UINT kBareOpen = WM_APP + 1;
constexpr UINT kBareOk = WM_APP + 2;
const std::wstring kDir = L"C:\\zarv-e2e\\editor-bench";

int Fail(const char* why) {
    std::fprintf(stderr, "editor_bench: %s\n", why);
    return 1;
}

HWND Visible(DWORD pid, const wchar_t* cls) {
    for (HWND w : TopLevelWindows(pid, cls))
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

// Waits for the window of class cls to be shown and painted; the time from t0.
bool TimeOpen(DWORD pid, const wchar_t* cls, LONGLONG t0, double& ms, HWND& window) {
    if (!Spin([&] { return (window = Visible(pid, cls)) != nullptr; })) return false;
    // Paints what is still to be painted before it returns (WM_PAINT sent to the window's thread).
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ms = Ms(t0, Now());
    return true;
}

// Opens a new entry's dialog from the editor's table, chooses "Ctrl + Alt" (with modifiers) and
// times the key picker from its button; both are cancelled afterwards.
bool TimePicker(DWORD pid, HWND list, bool modifiers, double& ms) {
    using namespace zarv::hotkey_dialog;
    constexpr int kCtrlAltRow = 1;
    PostMessageW(list, WM_KEYDOWN, VK_INSERT, 0);
    HWND dialog = nullptr, picker = nullptr;
    if (!Spin([&] { return (dialog = Visible(pid, L"TSetKey_Form")) != nullptr; })) return false;
    HWND box = GetDlgItem(dialog, kKList1);
    if (modifiers) {
        SendMessageW(box, CB_SETCURSEL, kCtrlAltRow, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kKList1, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }
    const LONGLONG t0 = Now();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kCallVK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kCallVK)));
    if (!TimeOpen(pid, L"TVirualKeybord", t0, ms, picker)) return false;
    PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    if (!Spin([&] { return !IsWindow(picker); })) return false;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return Spin([&] { return !IsWindow(dialog); });
}

// Writes the rows to dir's Hotkey.DAT, opens zarv's editor from its tray-menu item and times it
// until shown and painted (open), then Enter on its table until the editor has gone and zarv.exe
// is idle again (ok). The open editor's table is handed to between, which may use it meanwhile.
template <typename Between>
bool TimeEditor(const Process& zarv, HWND main, const std::wstring& dir, const std::string& file,
                double& open, double& ok, Between between) {
    if (!WriteBytes(dir + L"\\Hotkey.DAT", file)) return false;
    WaitResponsive(main);
    HWND editor = nullptr;
    LONGLONG t0 = Now();
    PostMessageW(main, WM_COMMAND, ui::kHotkeySettingsId, 0);
    if (!TimeOpen(zarv.pid(), L"TSettingForm", t0, open, editor)) return false;
    HWND list = FindWindowExW(editor, nullptr, L"SysListView32", nullptr);
    WaitResponsive(editor);
    if (!between(editor, list)) return false;
    WaitResponsive(editor);
    t0 = Now();
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    if (!Spin([&] { return !IsWindow(editor); }) || !WaitResponsive(main)) return false;
    ok = Ms(t0, Now());
    return true;
}

std::vector<double> Ratios(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(a[i] / b[i]);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::error_code ec;
    std::filesystem::remove_all(kDir, ec);
    std::filesystem::create_directories(kDir, ec);
    if (!CopyTo(ZarvExe(), kDir + L"\\zarv.exe") ||
        !CopyTo(HelperFolder() + L"\\bare_list.exe", kDir + L"\\bare_list.exe"))
        return Fail("zarv.exe or bare_list.exe is not built");
    std::vector<HotkeyRecord> records;
    for (const auto& r : Rows(ToAnsi(kDir)))
        records.push_back(
            {r.title, r.file, r.options, r.folder, r.key, r.modifiers, r.vkey, r.func});
    const std::string file = HotkeyFile(records);
    SetCursorPos(700, 420);

    const std::wstring other_dir = kDir + L"\\other";
    const bool other = argc > 2;
    std::filesystem::create_directories(other_dir, ec);
    if (other && !CopyTo(FromAnsi(argv[2]), other_dir + L"\\zarv.exe"))
        return Fail("the other zarv.exe cannot be copied");
    const std::wstring args = other ? L"/DEBUG" : L"";
    Process zarv = Start(kDir + L"\\zarv.exe", args, kDir);
    HWND main = zarv ? WaitMainWindow(zarv.pid()) : nullptr;
    Process zarv2;
    HWND main2 = nullptr;
    if (other) {
        zarv2 = Start(other_dir + L"\\zarv.exe", args, other_dir);
        main2 = zarv2 ? WaitMainWindow(zarv2.pid()) : nullptr;
        if (!main2) return Fail("the other zarv.exe did not start");
    }
    Process bare = Start(kDir + L"\\bare_list.exe", L"", kDir);
    HWND control = nullptr;
    if (bare)
        Spin([&] {
            const auto windows = TopLevelWindows(bare.pid(), L"TBareList");
            control = windows.empty() ? nullptr : windows.front();
            return control != nullptr;
        });
    if (!main || !control) return Fail("zarv.exe or bare_list.exe did not come up");

    std::vector<double> zarv_open, zarv_ok, bare_open, bare_ok, zarv_picker, zarv_picker_alone,
        trials, other_open, other_ok;
    for (int i = 0; i < reps; ++i) {
        // Every round starts from the same 1,000 rows; the two builds take turns to go first.
        double open = 0, ok = 0;
        auto theirs = [&] {
            if (!other) return true;
            if (!TimeEditor(zarv2, main2, other_dir, file, open, ok,
                            [](HWND, HWND) { return true; }))
                return false;
            other_open.push_back(open);
            other_ok.push_back(ok);
            return true;
        };
        if (i % 2 && !theirs()) return Fail("the other build's editor did not open and close");
        if (!TimeEditor(zarv, main, kDir, file, open, ok, [&](HWND editor, HWND list) {
                double ms = 0;
                if (!TimePicker(zarv.pid(), list, true, ms)) return false;
                zarv_picker.push_back(ms);
                WaitResponsive(editor);
                if (!TimePicker(zarv.pid(), list, false, ms)) return false;
                zarv_picker_alone.push_back(ms);
                const LONGLONG trial0 = Now();
                for (UINT vkey = 'A'; vkey < 'A' + 92; ++vkey)
                    TryRegister({MOD_CONTROL | MOD_ALT, vkey});
                trials.push_back(Ms(trial0, Now()));
                return true;
            }))
            return Fail("the editor, its key picker or its OK did not work");
        zarv_open.push_back(open);
        zarv_ok.push_back(ok);
        if (i % 2 == 0 && !theirs()) return Fail("the other build's editor did not open and close");

        double ms = 0;
        HWND frame = nullptr;
        LONGLONG t0 = Now();
        PostMessageW(control, kBareOpen, 0, 0);
        if (!TimeOpen(bare.pid(), L"TBareListFrame", t0, ms, frame))
            return Fail("the plain list did not open");
        bare_open.push_back(ms);
        t0 = Now();
        PostMessageW(control, kBareOk, 0, 0);
        if (!Spin([&] { return !IsWindow(frame); }) || !WaitResponsive(control))
            return Fail("the plain list did not close");
        bare_ok.push_back(Ms(t0, Now()));
    }
    PostMessageW(control, WM_CLOSE, 0, 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (main2) PostMessageW(main2, WM_CLOSE, 0, 0);
    zarv.WaitExit();
    bare.WaitExit();
    if (other) zarv2.WaitExit();

    std::printf("hotkey editor with %d rows, plain list view with the same rows, %d rounds\n",
                kRows, reps);
    Print("zarv: open the editor", zarv_open);
    Print("bare: open the plain list", bare_open);
    Print("zarv: OK (register, menu, save)", zarv_ok);
    Print("zarv: Virtual Keybord -> key picker", zarv_picker);
    Print("zarv: the same, no modifiers chosen", zarv_picker_alone);
    Print("92 trial registrations", trials);
    Print("bare: read back, write, close", bare_ok);
    std::printf("opening ratio zarv / bare (medians): %.2f\n",
                Median(zarv_open) / Median(bare_open));
    std::printf("OK ratio zarv / bare (medians): %.2f\n", Median(zarv_ok) / Median(bare_ok));
    if (other) {
        Print("other build: open the editor", other_open);
        Print("other build: OK", other_ok);
        std::printf("this build / other: opening %.2f, OK %.2f (medians); %.2f, %.2f (pairs)\n",
                    Median(zarv_open) / Median(other_open), Median(zarv_ok) / Median(other_ok),
                    Median(Ratios(zarv_open, other_open)), Median(Ratios(zarv_ok, other_ok)));
    }
    return 0;
}
