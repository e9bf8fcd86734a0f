// hotkey_bench [repetitions]: how long a hot key takes from the key press to the started program
// running, next to the same program started directly with CreateProcessW. The marker stamps
// its start with QueryPerformanceCounter, which all processes of the prefix share.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench_timing.h"
#include "harness.h"

using namespace e2e;
using namespace e2e::bench;

namespace {

int Fail(const char* why) {
    std::fprintf(stderr, "hotkey_bench: %s\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::wstring dir = L"C:\\zarv-e2e\\bench";
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directories(dir, ec);
    const std::wstring marker = dir + L"\\marker.exe", log = dir + L"\\marker.log";
    if (!CopyTo(ZarvExe(), dir + L"\\zarv.exe")) return Fail("zarv.exe is not built");
    if (!CopyTo(HelperFolder() + L"\\marker.exe", marker)) return Fail("no marker.exe");
    SetEnvironmentVariableW(L"ZARV_MARKER_LOG", log.c_str());

    const KeyCombo key{MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'B'};
    HotkeyRecord entry;
    entry.title = "bench";
    entry.file_path = ToAnsi(marker);
    entry.options = "-bench";
    entry.modifiers = static_cast<std::uint8_t>(key.modifiers);
    entry.vkey = static_cast<std::uint8_t>(key.vkey);
    if (!WriteBytes(dir + L"\\Hotkey.DAT", HotkeyFile({entry}))) return Fail("cannot write");

    Process zarv = Start(dir + L"\\zarv.exe", L"", dir);
    if (!zarv || !WaitMainWindow(zarv.pid())) return Fail("zarv.exe did not start");
    WaitForInputIdle(zarv.handle(), kTimeoutMs);

    std::vector<double> hotkey, direct;
    size_t runs = 0;
    for (int i = 0; i < reps; ++i) {
        LONGLONG t0 = Now();
        Press(key);
        auto log_runs = WaitMarkerRuns(log, ++runs);
        if (log_runs.size() < runs) return Fail("the hot key started nothing");
        hotkey.push_back(Ms(t0, log_runs.back().ticks));
        // Let the marker end before the next round.
        Sleep(50);

        t0 = Now();
        Process p = Start(marker, L"-direct", dir);
        log_runs = WaitMarkerRuns(log, ++runs);
        if (!p || log_runs.size() < runs) return Fail("the direct start failed");
        direct.push_back(Ms(t0, log_runs.back().ticks));
        p.WaitExit();
    }

    Print("hot key -> marker running", hotkey);
    Print("CreateProcessW -> marker running", direct);
    std::vector<double> overhead;
    for (size_t i = 0; i < hotkey.size(); ++i) overhead.push_back(hotkey[i] - direct[i]);
    Print("difference (pairwise)", overhead);

    PostMessageW(WaitMainWindow(zarv.pid(), 0), WM_CLOSE, 0, 0);
    zarv.WaitExit();
    return 0;
}
