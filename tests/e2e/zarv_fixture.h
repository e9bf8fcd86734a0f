#pragma once
// The fixture of the end-to-end tests: every test case gets a fresh folder
// C:\zarv-e2e\<suite>.<case> inside the prefix with its own copies of zarv.exe and the marker, its
// own marker log, and the guarantee that every process it started is gone when it ends (also
// when it fails half-way).
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "core/function_numbers.h"
#include "harness.h"

namespace e2e {

// Root of the test folders; the test prefix's file associations run the marker in its bin folder.
inline constexpr wchar_t kRoot[] = L"C:\\zarv-e2e";
inline constexpr wchar_t kShellMarker[] = L"C:\\zarv-e2e\\bin\\marker.exe";

// A hotkey entry "entry[key]" on chord: a program (func_no 0) with its options, or a function.
inline HotkeyRecord Entry(KeyCombo chord, std::string file_path, std::uint8_t func_no,
                          std::string options = {}) {
    return {"entry",
            std::move(file_path),
            std::move(options),
            "",
            "key",
            static_cast<std::uint8_t>(chord.modifiers),
            static_cast<std::uint8_t>(chord.vkey),
            func_no};
}

// An environment variable of the test, handed on to the zarv.exe it starts; removed again.
class VariableGuard {
public:
    VariableGuard(const wchar_t* name, const std::wstring& value) : name_(name) {
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~VariableGuard() { SetEnvironmentVariableW(name_, nullptr); }
    VariableGuard(const VariableGuard&) = delete;
    VariableGuard& operator=(const VariableGuard&) = delete;

private:
    const wchar_t* name_;
};

class ZarvTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The case folder, without a trailing backslash, and a path inside it.
    const std::wstring& dir() const { return dir_; }
    std::wstring PathIn(const std::wstring& name) const { return dir_ + L"\\" + name; }
    // The same as ANSI bytes, for the data files and for comparing with the marker's record.
    std::string AnsiPathIn(const std::wstring& name) const { return ToAnsi(PathIn(name)); }
    // The case's own marker program.
    std::string marker() const { return AnsiPathIn(L"marker.exe"); }
    std::wstring log() const { return PathIn(L"marker.log"); }

    // A program entry that starts the case's marker on chord.
    HotkeyRecord MarkerEntry(KeyCombo chord, std::string options = {},
                             std::string work_dir = {}) const;

    void WriteHotkeys(const std::vector<HotkeyRecord>& records,
                      FileVersion version = FileVersion::V103);
    void WriteCommands(const std::vector<CommandRecord>& records,
                       FileVersion version = FileVersion::V103);

    // Starts the case's zarv.exe with args in cwd (the case folder when empty), with the start-up
    // record startup when one is given. The process is killed when the test ends if it still runs.
    Process& StartZarv(const std::wstring& args = {}, const std::wstring& cwd = {},
                       const STARTUPINFOW* startup = nullptr);
    // Waits until the resident window of zarv exists and the program is through its start-up,
    // with no message box open; the window, or null (with a test failure recorded).
    HWND WaitResident(const Process& zarv);
    // Asks the resident window to close and waits for the process to end.
    bool CloseResident(Process& zarv);

    // Presses chord and waits until the marker log holds count runs; returns them.
    std::vector<MarkerRun> PressAndWait(KeyCombo chord, std::size_t count);
    // Presses chord and checks that it started the case's marker once more, as run number count
    // of the log, with options after the marker's path.
    ::testing::AssertionResult PressRunsMarker(KeyCombo chord, std::size_t count,
                                               const std::string& options);

private:
    std::wstring dir_;
    std::deque<Process> started_;
};

// Whether the frames of a stack walk that the probe answered (innermost first) pass from zarv's
// innermost frame through nothing but zarv's own functions and user32's (the message loop's
// DispatchMessage) on to the thread's start in kernel32, instead of running on through stack
// words where a function of zarv lacks unwind data.
::testing::AssertionResult WalkReachesTheThreadStart(const std::string& answer);

// Processes of the prefix that were not in before (by process id).
std::vector<ProcessEntry> NewProcesses(const std::vector<ProcessEntry>& before);

}  // namespace e2e
