#include "zarv_fixture.h"

#include <algorithm>
#include <filesystem>

namespace e2e {

void ZarvTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::wstring(kRoot) + L"\\" + FromAnsi(info->test_suite_name()) + L"." +
           FromAnsi(info->name());
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
    ASSERT_FALSE(std::filesystem::exists(dir_)) << "cannot clear " << ToAnsi(dir_);
    std::filesystem::create_directories(dir_, ec);
    ASSERT_TRUE(CopyTo(ZarvExe(), PathIn(L"zarv.exe"))) << "no zarv.exe at " << ToAnsi(ZarvExe());
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker.exe", PathIn(L"marker.exe")));
    // zarv.exe hands its environment on, so everything it starts logs here.
    SetEnvironmentVariableW(L"ZARV_MARKER_LOG", log().c_str());
}

void ZarvTest::TearDown() {
    // A killed program leaves its icon in Wine's notification area, where the later tests that
    // look through the icons would meet every one of them: each is asked to close first.
    for (Process& zarv : started_) {
        if (!zarv.Running()) continue;
        for (HWND main : TopLevelWindows(zarv.pid(), L"TZarv_main"))
            PostMessageW(main, WM_CLOSE, 0, 0);
        zarv.WaitExit(2000);
    }
    started_.clear();  // kills whatever still runs
}

HotkeyRecord ZarvTest::MarkerEntry(KeyCombo chord, std::string options,
                                   std::string work_dir) const {
    HotkeyRecord r;
    r.title = "marker";
    r.file_path = marker();
    r.options = std::move(options);
    r.work_dir = std::move(work_dir);
    r.key_text = "key";
    r.modifiers = static_cast<std::uint8_t>(chord.modifiers);
    r.vkey = static_cast<std::uint8_t>(chord.vkey);
    return r;
}

void ZarvTest::WriteHotkeys(const std::vector<HotkeyRecord>& records, FileVersion version) {
    ASSERT_TRUE(WriteBytes(PathIn(L"Hotkey.DAT"), HotkeyFile(records, version)));
}

void ZarvTest::WriteCommands(const std::vector<CommandRecord>& records, FileVersion version) {
    ASSERT_TRUE(WriteBytes(PathIn(L"Command.DAT"), CommandFile(records, version)));
}

Process& ZarvTest::StartZarv(const std::wstring& args, const std::wstring& cwd,
                             const STARTUPINFOW* startup) {
    DWORD error = 0;
    started_.push_back(Start(PathIn(L"zarv.exe"), args, cwd.empty() ? dir_ : cwd, &error, startup));
    EXPECT_TRUE(started_.back()) << "zarv.exe did not start, error " << error;
    return started_.back();
}

HWND ZarvTest::WaitResident(const Process& zarv) {
    if (!zarv) return nullptr;
    HWND main = WaitMainWindow(zarv.pid());
    if (!main) {
        ADD_FAILURE() << "no TZarv_main window appeared";
        return nullptr;
    }
    // The window exists from the start of its creation on: wait until start-up is through.
    EXPECT_TRUE(WaitResponsive(main)) << "zarv.exe does not answer messages";
    for (const MessageBoxInfo& box : MessageBoxes(zarv.pid()))
        ADD_FAILURE() << "unexpected message box \"" << ToAnsi(box.caption)
                      << "\": " << ToAnsi(box.text);
    return main;
}

bool ZarvTest::CloseResident(Process& zarv) {
    auto windows = TopLevelWindows(zarv.pid(), L"TZarv_main");
    if (windows.empty()) return false;
    PostMessageW(windows.front(), WM_CLOSE, 0, 0);
    return zarv.WaitExit();
}

std::vector<MarkerRun> ZarvTest::PressAndWait(KeyCombo chord, std::size_t count) {
    Press(chord);
    return WaitMarkerRuns(log(), count);
}

::testing::AssertionResult ZarvTest::PressRunsMarker(KeyCombo chord, std::size_t count,
                                                     const std::string& options) {
    const std::vector<MarkerRun> runs = PressAndWait(chord, count);
    if (count == 0 || runs.size() != count)
        return ::testing::AssertionFailure()
               << runs.size() << " marker runs in the log, " << count << " expected";
    const std::string want = marker() + " " + options;
    if (runs.back().command_line != want)
        return ::testing::AssertionFailure()
               << "the last run got \"" << runs.back().command_line << "\", not \"" << want << "\"";
    return ::testing::AssertionSuccess();
}

std::vector<ProcessEntry> NewProcesses(const std::vector<ProcessEntry>& before) {
    std::vector<ProcessEntry> added;
    for (const ProcessEntry& p : Processes()) {
        bool known = std::any_of(before.begin(), before.end(),
                                 [&](const ProcessEntry& b) { return b.pid == p.pid; });
        if (!known) added.push_back(p);
    }
    return added;
}

::testing::AssertionResult WalkReachesTheThreadStart(const std::string& answer) {
    std::vector<std::string> frames;
    for (std::size_t at = answer.find("frame\t"); at != std::string::npos;
         at = answer.find("frame\t", at + 1))
        frames.push_back(answer.substr(at + 6, answer.find_first_of("\t\n", at + 6) - at - 6));
    // From zarv's innermost frame on: zarv's own and user32's, down to the thread's start.
    const auto own = std::find(frames.begin(), frames.end(), "zarv.exe");
    const auto start = std::find_if(own, frames.end(), [](const std::string& f) {
        return f != "zarv.exe" && f != "user32.dll";
    });
    if (own == frames.end() || start == frames.end() || *start != "kernel32.dll" ||
        std::count(own, start, "user32.dll") == 0)
        return ::testing::AssertionFailure() << "the walk does not reach the thread's start:\n"
                                             << answer;
    return ::testing::AssertionSuccess();
}

}  // namespace e2e
