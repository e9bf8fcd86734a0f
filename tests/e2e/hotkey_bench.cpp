// hotkey_bench [repetitions]: how long a hot key takes from the key press to the started program
// running, next to the same program started directly with CreateProcessW. The marker stamps
// its start with QueryPerformanceCounter, which all processes of the prefix share.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "harness.h"

using namespace e2e;

namespace {

struct Stats {
    double median, p90, min, max;
};

Stats Summarize(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[static_cast<size_t>(q * (ms.size() - 1) + 0.5)]; };
    return {at(0.5), at(0.9), ms.front(), ms.back()};
}

void Print(const char* what, const std::vector<double>& ms) {
    Stats s = Summarize(ms);
    std::printf("%-32s n=%zu  median %7.2f ms  p90 %7.2f ms  min %7.2f ms  max %7.2f ms\n", what,
                ms.size(), s.median, s.p90, s.min, s.max);
}

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

    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    auto ms_since = [&](LONGLONG from, LONGLONG to) {
        return static_cast<double>(to - from) * 1000.0 / static_cast<double>(freq.QuadPart);
    };

    std::vector<double> hotkey, direct;
    size_t runs = 0;
    for (int i = 0; i < reps; ++i) {
        LARGE_INTEGER t0;
        QueryPerformanceCounter(&t0);
        Press(key);
        auto log_runs = WaitMarkerRuns(log, ++runs);
        if (log_runs.size() < runs) return Fail("the hot key started nothing");
        hotkey.push_back(ms_since(t0.QuadPart, log_runs.back().ticks));
        // Let the marker end before the next round.
        Sleep(50);

        QueryPerformanceCounter(&t0);
        Process p = Start(marker, L"-direct", dir);
        log_runs = WaitMarkerRuns(log, ++runs);
        if (!p || log_runs.size() < runs) return Fail("the direct start failed");
        direct.push_back(ms_since(t0.QuadPart, log_runs.back().ticks));
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
