#pragma once
// Harness of the end-to-end tests: drives zarv.exe from another process under Wine. It writes the
// data files byte by byte, starts the program in a folder of its own, presses key chords, finds
// message boxes and reads what the marker program recorded. Nothing here asserts: the tests and
// the benchmark decide what a result means.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Default time a condition gets before a wait gives up.
inline constexpr DWORD kTimeoutMs = 10000;

// Polls cond every 10 ms until it holds (true) or timeout_ms passes (false).
bool WaitUntil(const std::function<bool()>& cond, DWORD timeout_ms = kTimeoutMs);

// Text conversions: ANSI is the system's code page (932 under the test environment).
std::string ToAnsi(std::wstring_view s);
std::wstring FromAnsi(std::string_view s);
std::wstring FromUtf8(std::string_view s);

// ---- Data files -------------------------------------------------------------------------------

// One hotkey entry as the data file stores it; texts are ANSI bytes.
struct HotkeyRecord {
    std::string title;
    std::string file_path;
    std::string options;
    std::string work_dir;  // not stored in a 1.02 file
    std::string key_text;
    std::uint8_t modifiers = 0;
    std::uint8_t vkey = 0;
    std::uint8_t func_no = 0;
};

struct CommandRecord {
    std::string name;
    std::string file_path;
    std::string options;
    std::string work_dir;  // not stored in a 1.02 file
};

enum class FileVersion { V102, V103 };

// Whole file contents: the 22-byte header, then per record 0xFF and the fields (a text as
// count L + 1, length L, the bytes; a byte field as 0x01, value).
std::string HotkeyFile(const std::vector<HotkeyRecord>& records,
                       FileVersion version = FileVersion::V103);
std::string CommandFile(const std::vector<CommandRecord>& records,
                        FileVersion version = FileVersion::V103);

// ---- Files ------------------------------------------------------------------------------------

bool WriteBytes(const std::wstring& path, std::string_view bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
// Copies a file, creating the target's folders.
bool CopyTo(const std::wstring& from, const std::wstring& to);

// A shortcut at link (its folders made) to target with arguments, as the shell saves one.
bool MakeShortcut(const std::wstring& link, const std::wstring& target,
                  const std::wstring& arguments);
// The Start menu's program folders: the user's (common false) or all users'.
std::wstring StartMenuPrograms(bool common);

// The folder of the running test executable, where the helper programs are built.
std::wstring HelperFolder();
// zarv.exe as the build made it, or the one the environment variable ZARV_EXE names.
std::wstring ZarvExe();

// ---- Keys -------------------------------------------------------------------------------------

// A hot-key combination: MOD_ALT / MOD_CONTROL / MOD_SHIFT / MOD_WIN flags and a virtual key.
struct KeyCombo {
    UINT modifiers;
    UINT vkey;
};

// The entry of the internal function that shows the command bar, on chord.
HotkeyRecord ShowBarEntry(KeyCombo chord);

// Presses and releases the chord with SendInput: modifiers down, key down and up, modifiers up.
void Press(KeyCombo chord);
// One key's down (or up) alone, as the keyboard sends it: a held key's repeats are more downs.
void SendKey(UINT vk, bool up);
// The modifier keys of MOD_* flags, all down (or all up).
void SendModifiers(UINT modifiers, bool up);

// Tries to register the chord for this thread: 0 when it was free (it is released again at
// once), otherwise the error (ERROR_HOTKEY_ALREADY_REGISTERED, 1409, when another holds it).
DWORD TryRegister(KeyCombo chord);

// ---- Processes and windows --------------------------------------------------------------------

// A process the harness started; killed when the object goes while it still runs.
class Process {
public:
    Process() = default;
    Process(HANDLE process, DWORD pid) : handle_(process), pid_(pid) {}
    ~Process();
    Process(Process&& o) noexcept;
    Process& operator=(Process&& o) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE handle() const { return handle_; }
    DWORD pid() const { return pid_; }
    bool Running() const;
    bool WaitExit(DWORD timeout_ms = kTimeoutMs) const;
    void Kill();

private:
    HANDLE handle_ = nullptr;
    DWORD pid_ = 0;
};

// Starts exe with the arguments after its quoted path, in folder cwd, with the start-up record
// startup when one is given. On failure the result is empty and error (when given) receives
// GetLastError.
Process Start(const std::wstring& exe, const std::wstring& args, const std::wstring& cwd,
              DWORD* error = nullptr, const STARTUPINFOW* startup = nullptr);

// Has file_holder.exe hold the file at path open without sharing it for ms milliseconds from now,
// as a backup or anti-virus tool does; returns once the file is held (empty when it is not).
Process HoldFile(const std::wstring& path, DWORD ms);

// Top-level windows of process pid, in z-order; only those of the class, when one is given.
std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* class_name = nullptr);
std::vector<HWND> VisibleTopLevelWindows(DWORD pid);
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);

// The resident window TZarv_main of process pid, waited for.
HWND WaitMainWindow(DWORD pid, DWORD timeout_ms = kTimeoutMs);

struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};
// The visible message boxes (#32770) of process pid.
std::vector<MessageBoxInfo> MessageBoxes(DWORD pid);
std::optional<MessageBoxInfo> WaitMessageBox(DWORD pid, DWORD timeout_ms = kTimeoutMs);
// Presses a button of a message box (IDOK, IDYES, ...) and waits until the box is gone; false
// when it stays.
bool AnswerBox(HWND box, int button = IDOK);

// Waits until the thread of window has come back to a message loop (a message sent to it has
// been answered): whatever it was doing when the call was made is done.
bool WaitResponsive(HWND window, DWORD timeout_ms = kTimeoutMs);

struct ProcessEntry {
    DWORD pid;
    std::wstring exe;  // file name only, as the system lists it
};
std::vector<ProcessEntry> Processes();
// Ends every process of the prefix whose file name is exe (case ignored).
void KillAll(const wchar_t* exe);

// How often Linux has switched to the threads of the Wine process whose command line starts
// with exe (voluntary and involuntary switches of all its threads, from /proc through drive Z:);
// -1 when there is no such process. An idle program waits without being woken: the count stays.
long ContextSwitches(const std::wstring& exe);
// The /proc folder (as a Z: path) of that process, or empty.
std::wstring LinuxProcFolder(const std::wstring& exe);

// ---- Marker log -------------------------------------------------------------------------------

// One line of the marker's log: how one marker run was started.
struct MarkerRun {
    std::string tag;                 // "MARKER" or "DECOY"
    std::string command_line;        // GetCommandLineA, unchanged
    std::string current_dir;         // GetCurrentDirectoryA
    std::string exe;                 // GetModuleFileNameA
    std::int64_t ticks = 0;          // QueryPerformanceCounter when it started
    std::wstring wide_command_line;  // GetCommandLineW, unchanged
    std::wstring startup;            // GetStartupInfoW: "<dwFlags> <wShowWindow> <lpTitle>"
};

// The complete lines of the log; empty when there is no log.
std::vector<MarkerRun> ReadMarkerLog(const std::wstring& path);
// Waits until the log has at least count lines and returns them (fewer after a timeout).
std::vector<MarkerRun> WaitMarkerRuns(const std::wstring& path, std::size_t count,
                                      DWORD timeout_ms = kTimeoutMs);

// ---- In-process reads through zarv_probe.dll --------------------------------------------------

struct MenuItem {
    UINT type = 0;   // MFT_*
    UINT state = 0;  // MFS_*
    UINT id = 0;
    bool has_bitmap = false;  // hbmpItem set
    ULONG_PTR data = 0;       // dwItemData
    bool has_submenu = false;
    std::wstring caption;

    bool separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool grayed() const { return (state & MFS_DISABLED) != 0; }
};

struct OpenMenu {
    RECT rect{};
    std::vector<MenuItem> items;
};

// Copies the probe into folder, loads it into process with the request and returns the lines of
// its answer after "ok"; on failure nothing, with the reason in error.
std::optional<std::string> RunProbe(HANDLE process, const std::wstring& folder,
                                    const std::string& request, std::string* error = nullptr);

// The messages (numbers) that the thread of window takes from its queue during ms milliseconds:
// none while it is idle. Nothing when the probe failed, with the reason in error.
std::optional<std::vector<UINT>> QueuedMessages(HANDLE process, const std::wstring& folder,
                                                HWND window, DWORD ms,
                                                std::string* error = nullptr);

// The visible pop-up menus (#32768) of process pid, top first.
std::vector<HWND> OpenMenuWindows(DWORD pid);
// Waits for a pop-up menu of the process and reads every one that is open.
std::optional<std::vector<OpenMenu>> ReadOpenMenus(HANDLE process, DWORD pid,
                                                   const std::wstring& folder,
                                                   std::string* error = nullptr);

}  // namespace e2e
