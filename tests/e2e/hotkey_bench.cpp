// hotkey_bench [repetitions [other-zarv.exe]]: how long a hot key takes from the key press to the
// started program running, next to the same program started directly with CreateProcessW, and the
// steps between: a hot key's way to a window that waits for it (here, in a thread of the
// benchmark); the direct start made the way a start that hands the foreground on by the process's
// id must make it (suspended, the right passed on, resumed); and one that leaves the system to find
// the program in the command line. The marker stamps its start with QueryPerformanceCounter, which
// all processes of the prefix share. Every round takes them in another order, and the differences
// are taken within a round (pairwise). Given another build of zarv.exe, both run (with "/DEBUG",
// each on a key of its own) and every round times the other's hot key too, so that two builds are
// compared under the same load.
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

// A thread of the benchmark that holds a hot key of its own and stamps each arrival.
class HotkeyCatcher {
public:
    explicit HotkeyCatcher(KeyCombo key) : key_(key) {
        arrived_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, &HotkeyCatcher::Run, this, 0, &threadId_);
        WaitForSingleObject(ready_, kTimeoutMs);
    }
    ~HotkeyCatcher() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, kTimeoutMs);
        for (HANDLE h : {thread_, arrived_, ready_}) CloseHandle(h);
    }
    bool registered() const { return registered_; }
    // Presses the key; the time until the thread has it, or a negative one when it never came.
    double Time() {
        const LONGLONG t0 = Now();
        Press(key_);
        if (WaitForSingleObject(arrived_, kTimeoutMs) != WAIT_OBJECT_0) return -1;
        return Ms(t0, stamp_);
    }

private:
    static DWORD WINAPI Run(void* p) {
        auto* self = static_cast<HotkeyCatcher*>(p);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue
        self->registered_ = RegisterHotKey(nullptr, 1, self->key_.modifiers, self->key_.vkey);
        SetEvent(self->ready_);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message != WM_HOTKEY) continue;
            self->stamp_ = Now();
            SetEvent(self->arrived_);
        }
        UnregisterHotKey(nullptr, 1);
        return 0;
    }

    KeyCombo key_;
    HANDLE arrived_, ready_, thread_;
    DWORD threadId_ = 0;
    volatile LONGLONG stamp_ = 0;
    bool registered_ = false;
};

enum class Direct { Named, Suspended, ByLine };

// Starts the marker directly, named as the program to run. Suspended, it is given the foreground
// right by its id and resumed, as a start that cannot pass the right on before it must do; by
// line, the system finds the program from an unquoted command line alone, as an entry's start
// asks it to.
Process StartMarker(const std::wstring& marker, const std::wstring& dir, Direct how) {
    const bool suspended = how == Direct::Suspended, by_line = how == Direct::ByLine;
    std::wstring line = by_line ? marker + L" -line" : L"\"" + marker + L"\" -direct";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(by_line ? nullptr : marker.c_str(), line.data(), nullptr, nullptr, FALSE,
                        suspended ? CREATE_SUSPENDED : 0, nullptr, dir.c_str(), &si, &pi))
        return {};
    if (suspended) {
        AllowSetForegroundWindow(pi.dwProcessId);
        ResumeThread(pi.hThread);
    }
    CloseHandle(pi.hThread);
    return Process(pi.hProcess, pi.dwProcessId);
}

std::vector<double> Differences(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> d;
    for (size_t i = 0; i < a.size(); ++i) d.push_back(a[i] - b[i]);
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::wstring dir = L"C:\\zarv-e2e\\bench";
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directories(dir, ec);
    const std::wstring marker = dir + L"\\marker.exe", log = dir + L"\\marker.log";
    const std::wstring other_dir = dir + L"\\other";
    const bool other = argc > 2;
    if (!CopyTo(ZarvExe(), dir + L"\\zarv.exe")) return Fail("zarv.exe is not built");
    if (other && !CopyTo(FromAnsi(argv[2]), other_dir + L"\\zarv.exe"))
        return Fail("the other zarv.exe cannot be copied");
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
    const KeyCombo other_key{MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'C'};
    entry.vkey = static_cast<std::uint8_t>(other_key.vkey);
    if (other && !WriteBytes(other_dir + L"\\Hotkey.DAT", HotkeyFile({entry})))
        return Fail("cannot write");

    const std::wstring args = other ? L"/DEBUG" : L"";
    Process zarv = Start(dir + L"\\zarv.exe", args, dir), zarv2;
    if (!zarv || !WaitMainWindow(zarv.pid())) return Fail("zarv.exe did not start");
    WaitForInputIdle(zarv.handle(), kTimeoutMs);
    if (other) {
        zarv2 = Start(other_dir + L"\\zarv.exe", args, other_dir);
        if (!zarv2 || !WaitMainWindow(zarv2.pid())) return Fail("the other zarv.exe did not start");
        WaitForInputIdle(zarv2.handle(), kTimeoutMs);
    }
    HotkeyCatcher catcher({MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'D'});
    if (!catcher.registered()) return Fail("the benchmark's own hot key is taken");

    std::vector<double> hotkey, direct, suspended, delivery, other_hotkey;
    std::vector<double> by_line;
    const int steps = other ? 6 : 5;
    size_t runs = 0;
    // The marker's start after t0. Its log is read only once it has had time to start: reading
    // earlier would take the system's time from the start being measured.
    auto started = [&](LONGLONG t0, double& ms) {
        Sleep(60);
        auto log_runs = WaitMarkerRuns(log, ++runs);
        if (log_runs.size() < runs) return false;
        ms = Ms(t0, log_runs.back().ticks);
        return true;
    };
    for (int i = 0; i < reps; ++i) {
        double ms[6] = {};
        for (int k = 0; k < steps; ++k) {
            const int step = (i + k) % steps;
            const LONGLONG t0 = Now();
            if (step == 0 || step == 5) {
                Press(step == 0 ? key : other_key);
                if (!started(t0, ms[step])) return Fail("the hot key started nothing");
                // Let the marker end before the next step.
                Sleep(50);
            } else if (step != 3) {
                const Direct how = step == 1   ? Direct::Named
                                   : step == 2 ? Direct::Suspended
                                               : Direct::ByLine;
                // Waited for as the hot key's start is: by its line in the log.
                Process p = StartMarker(marker, dir, how);
                if (!p || !started(t0, ms[step])) return Fail("the direct start failed");
                p.WaitExit();
            } else {
                ms[3] = catcher.Time();
                if (ms[3] < 0) return Fail("the benchmark's hot key did not arrive");
            }
            Sleep(10);
        }
        hotkey.push_back(ms[0]);
        direct.push_back(ms[1]);
        suspended.push_back(ms[2]);
        delivery.push_back(ms[3]);
        by_line.push_back(ms[4]);
        other_hotkey.push_back(ms[5]);
    }

    Print("hot key -> marker running", hotkey);
    Print("CreateProcessW -> marker running", direct);
    Print("the same, suspended and resumed", suspended);
    Print("the same, found from the line", by_line);
    Print("hot key -> a waiting thread", delivery);
    const std::vector<double> overhead = Differences(hotkey, direct);
    Print("difference (pairwise)", overhead);
    Print("suspended start, difference", Differences(suspended, direct));
    Print("found from the line, difference", Differences(by_line, direct));
    std::vector<double> own = overhead;
    for (size_t i = 0; i < own.size(); ++i) own[i] -= delivery[i];
    Print("zarv's own part, difference", own);
    std::printf("hot key / direct start: %.3f (pairwise median difference over median direct)\n",
                1.0 + Median(overhead) / Median(direct));
    if (other) {
        const std::vector<double> other_overhead = Differences(other_hotkey, direct);
        Print("other build: hot key -> marker", other_hotkey);
        Print("other build: difference (pairwise)", other_overhead);
        Print("this build - other (pairwise)", Differences(hotkey, other_hotkey));
        std::printf("other build's hot key / direct start: %.3f\n",
                    1.0 + Median(other_overhead) / Median(direct));
        PostMessageW(WaitMainWindow(zarv2.pid(), 0), WM_CLOSE, 0, 0);
        zarv2.WaitExit();
    }

    PostMessageW(WaitMainWindow(zarv.pid(), 0), WM_CLOSE, 0, 0);
    zarv.WaitExit();
    return 0;
}
