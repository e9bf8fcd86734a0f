// editor_bench [repetitions]: the hotkey editor with 1,000 rows, next to a plain list view filled
// with the same rows (bare_list.exe). Opening: from the request until the window is shown and
// painted. OK: from Enter on the table until the editor is gone and zarv.exe is idle again (the
// hot keys re-registered, the launcher menu rebuilt, Hotkey.DAT written); for the plain list, until
// it has read every cell back, written them to a file and destroyed its window. The key picker:
// from "Virtual Keybord" in a new entry's dialog, with "Ctrl + Alt" chosen, until the picker is
// shown and painted, and with no modifiers chosen (no key to mark: the picker alone); beside it,
// what the marking adds at most: 92 trial registrations of Ctrl + Alt combinations.
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

    Process zarv = Start(kDir + L"\\zarv.exe", L"", kDir);
    HWND main = zarv ? WaitMainWindow(zarv.pid()) : nullptr;
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
        trials;
    for (int i = 0; i < reps; ++i) {
        // Every round starts from the same 1,000 rows.
        if (!WriteBytes(kDir + L"\\Hotkey.DAT", file)) return Fail("cannot write Hotkey.DAT");
        WaitResponsive(main);
        double ms = 0;
        HWND editor = nullptr;
        LONGLONG t0 = Now();
        PostMessageW(main, WM_COMMAND, ui::kHotkeySettingsId, 0);
        if (!TimeOpen(zarv.pid(), L"TSettingForm", t0, ms, editor))
            return Fail("the editor did not open");
        zarv_open.push_back(ms);
        HWND list = FindWindowExW(editor, nullptr, L"SysListView32", nullptr);
        WaitResponsive(editor);
        if (!TimePicker(zarv.pid(), list, true, ms)) return Fail("the key picker did not open");
        zarv_picker.push_back(ms);
        WaitResponsive(editor);
        if (!TimePicker(zarv.pid(), list, false, ms)) return Fail("the key picker did not open");
        zarv_picker_alone.push_back(ms);
        const LONGLONG trial0 = Now();
        for (UINT vkey = 'A'; vkey < 'A' + 92; ++vkey) TryRegister({MOD_CONTROL | MOD_ALT, vkey});
        trials.push_back(Ms(trial0, Now()));
        WaitResponsive(editor);
        t0 = Now();
        PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
        if (!Spin([&] { return !IsWindow(editor); }) || !WaitResponsive(main))
            return Fail("OK did not close the editor");
        zarv_ok.push_back(Ms(t0, Now()));

        HWND frame = nullptr;
        t0 = Now();
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
    zarv.WaitExit();
    bare.WaitExit();

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
    return 0;
}
