#include "harness.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <utility>

#include "core/function_numbers.h"
#include "probe_protocol.h"

#ifndef ZARV_EXE_PATH
#define ZARV_EXE_PATH ""
#endif

namespace e2e {

bool WaitUntil(const std::function<bool()>& cond, DWORD timeout_ms) {
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    for (;;) {
        if (cond()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(10);
    }
}

namespace {

std::string Narrow(UINT cp, std::wstring_view s) {
    if (s.empty()) return {};
    int n = WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::wstring Widen(UINT cp, std::string_view s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

}  // namespace

std::string ToAnsi(std::wstring_view s) { return Narrow(CP_ACP, s); }
std::wstring FromAnsi(std::string_view s) { return Widen(CP_ACP, s); }
std::wstring FromUtf8(std::string_view s) { return Widen(CP_UTF8, s); }

// ---- Data files -------------------------------------------------------------------------------

namespace {

void PutText(std::string& out, const std::string& text) {
    // Texts of the tests are short; a longer one would not fit the count byte.
    const auto len = static_cast<unsigned char>(text.size() < 254 ? text.size() : 254);
    out += static_cast<char>(len + 1);
    out += static_cast<char>(len);
    out.append(text, 0, len);
}

void PutByte(std::string& out, std::uint8_t value) {
    out += '\x01';
    out += static_cast<char>(value);
}

std::string Header(FileVersion version) {
    return version == FileVersion::V102 ? "ZARV Head Version 1.02" : "ZARV Head Version 1.03";
}

}  // namespace

std::string HotkeyFile(const std::vector<HotkeyRecord>& records, FileVersion version) {
    std::string out = Header(version);
    for (const HotkeyRecord& r : records) {
        out += '\xFF';
        PutText(out, r.title);
        PutText(out, r.file_path);
        PutText(out, r.options);
        if (version == FileVersion::V103) PutText(out, r.work_dir);
        PutText(out, r.key_text);
        PutByte(out, r.modifiers);
        PutByte(out, r.vkey);
        PutByte(out, r.func_no);
    }
    return out;
}

std::string CommandFile(const std::vector<CommandRecord>& records, FileVersion version) {
    std::string out = Header(version);
    for (const CommandRecord& r : records) {
        out += '\xFF';
        PutText(out, r.name);
        PutText(out, r.file_path);
        PutText(out, r.options);
        if (version == FileVersion::V103) PutText(out, r.work_dir);
    }
    return out;
}

// ---- Files ------------------------------------------------------------------------------------

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string data;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) data.append(buf, got);
    CloseHandle(f);
    return data;
}

bool CopyTo(const std::wstring& from, const std::wstring& to) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(to).parent_path(), ec);
    return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

bool MakeShortcut(const std::wstring& link, const std::wstring& target,
                  const std::wstring& arguments) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(link).parent_path(), ec);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* shortcut = nullptr;
    IPersistFile* file = nullptr;
    bool saved =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shortcut))) &&
        SUCCEEDED(shortcut->SetPath(target.c_str())) &&
        SUCCEEDED(shortcut->SetArguments(arguments.c_str())) &&
        SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Save(link.c_str(), TRUE));
    if (file) file->Release();
    if (shortcut) shortcut->Release();
    if (SUCCEEDED(com)) CoUninitialize();
    return saved;
}

std::wstring StartMenuPrograms(bool common) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, common ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, nullptr,
                     SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring HelperFolder() {
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    std::wstring path(buf, n);
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring ZarvExe() {
    // ZARV_EXE names another build, for a benchmark of two builds side by side.
    wchar_t other[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"ZARV_EXE", other, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return std::wstring(other, n);
    // The build passes a host path; under Wine drive Z: is the host's root.
    std::wstring path = FromUtf8(ZARV_EXE_PATH);
    if (!path.empty() && path[0] == L'/') {
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        path = L"Z:" + path;
    }
    return path;
}

// ---- Keys -------------------------------------------------------------------------------------

namespace {

bool IsExtendedKey(UINT vk) {
    switch (vk) {
        case VK_LWIN:
        case VK_RWIN:
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_DIVIDE:
        case VK_NUMLOCK:
        case VK_RCONTROL:
        case VK_RMENU:
            return true;
        default:
            return false;
    }
}

INPUT Key(UINT vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

std::vector<UINT> ModifierKeys(UINT modifiers) {
    std::vector<UINT> mods;
    if (modifiers & MOD_CONTROL) mods.push_back(VK_CONTROL);
    if (modifiers & MOD_ALT) mods.push_back(VK_MENU);
    if (modifiers & MOD_SHIFT) mods.push_back(VK_SHIFT);
    if (modifiers & MOD_WIN) mods.push_back(VK_LWIN);
    return mods;
}

}  // namespace

HotkeyRecord ShowBarEntry(KeyCombo chord) {
    HotkeyRecord r;
    r.title = "bar";
    r.key_text = "key";
    r.func_no = zarv::kFuncCommandBar;
    r.modifiers = static_cast<std::uint8_t>(chord.modifiers);
    r.vkey = static_cast<std::uint8_t>(chord.vkey);
    return r;
}

void Press(KeyCombo chord) {
    const std::vector<UINT> mods = ModifierKeys(chord.modifiers);
    std::vector<INPUT> inputs;
    for (UINT m : mods) inputs.push_back(Key(m, false));
    inputs.push_back(Key(chord.vkey, false));
    inputs.push_back(Key(chord.vkey, true));
    for (auto it = mods.rbegin(); it != mods.rend(); ++it) inputs.push_back(Key(*it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendKey(UINT vk, bool up) {
    INPUT in = Key(vk, up);
    SendInput(1, &in, sizeof(INPUT));
}

void SendModifiers(UINT modifiers, bool up) {
    std::vector<INPUT> inputs;
    for (UINT m : ModifierKeys(modifiers)) inputs.push_back(Key(m, up));
    if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

DWORD TryRegister(KeyCombo chord) {
    constexpr int kProbeId = 0xBEEF;
    if (RegisterHotKey(nullptr, kProbeId, chord.modifiers, chord.vkey)) {
        UnregisterHotKey(nullptr, kProbeId);
        return 0;
    }
    return GetLastError();
}

// ---- Processes and windows --------------------------------------------------------------------

Process::~Process() { Kill(); }

Process::Process(Process&& o) noexcept
    : handle_(std::exchange(o.handle_, nullptr)), pid_(std::exchange(o.pid_, 0)) {}

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        Kill();
        handle_ = std::exchange(o.handle_, nullptr);
        pid_ = std::exchange(o.pid_, 0);
    }
    return *this;
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool Process::WaitExit(DWORD timeout_ms) const {
    return handle_ && WaitForSingleObject(handle_, timeout_ms) == WAIT_OBJECT_0;
}

void Process::Kill() {
    if (!handle_) return;
    if (Running()) {
        TerminateProcess(handle_, 99);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
}

Process Start(const std::wstring& exe, const std::wstring& args, const std::wstring& cwd,
              DWORD* error, const STARTUPINFOW* startup) {
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty()) cmd += L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (startup) si = *startup;
    PROCESS_INFORMATION pi{};
    // Under load Wine now and then loses a new process before it runs a line of its own and
    // answers ERROR_INTERNAL_ERROR: such a start is made once more.
    for (int tries = 0;; ++tries) {
        if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           cwd.empty() ? nullptr : cwd.c_str(), &si, &pi))
            break;
        const DWORD failed = GetLastError();
        if (failed == ERROR_INTERNAL_ERROR && tries == 0) continue;
        if (error) *error = failed;
        return {};
    }
    CloseHandle(pi.hThread);
    return Process(pi.hProcess, pi.dwProcessId);
}

std::wstring ClassOf(HWND window) {
    wchar_t buf[256];
    int n = GetClassNameW(window, buf, 256);
    return std::wstring(buf, n > 0 ? n : 0);
}

std::wstring TextOf(HWND window) {
    wchar_t buf[1024];
    int n = GetWindowTextW(window, buf, 1024);
    return std::wstring(buf, n > 0 ? n : 0);
}

namespace {

struct WindowQuery {
    DWORD pid;
    const wchar_t* class_name;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM lp) {
    auto& q = *reinterpret_cast<WindowQuery*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == q.pid && (!q.class_name || ClassOf(w) == q.class_name)) q.found.push_back(w);
    return TRUE;
}

}  // namespace

Process HoldFile(const std::wstring& path, DWORD ms) {
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    Process holder = Start(HelperFolder() + L"\\file_holder.exe",
                           L"\"" + path + L"\" " + std::to_wstring(ms), folder);
    const bool held =
        holder && WaitUntil([&] {
            HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
            return f == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
        });
    return held ? std::move(holder) : Process();
}

std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* class_name) {
    WindowQuery q{pid, class_name, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::vector<HWND> VisibleTopLevelWindows(DWORD pid) {
    std::vector<HWND> visible;
    for (HWND w : TopLevelWindows(pid))
        if (IsWindowVisible(w)) visible.push_back(w);
    return visible;
}

HWND WaitMainWindow(DWORD pid, DWORD timeout_ms) {
    HWND main = nullptr;
    WaitUntil(
        [&] {
            auto found = TopLevelWindows(pid, L"TZarv_main");
            main = found.empty() ? nullptr : found.front();
            return main != nullptr;
        },
        timeout_ms);
    return main;
}

std::vector<MessageBoxInfo> MessageBoxes(DWORD pid) {
    std::vector<MessageBoxInfo> boxes;
    for (HWND w : TopLevelWindows(pid, L"#32770")) {
        if (!IsWindowVisible(w)) continue;
        MessageBoxInfo box;
        box.window = w;
        box.caption = TextOf(w);
        wchar_t buf[2048];
        UINT n = GetDlgItemTextW(w, 0xFFFF, buf, 2048);  // the message text's static control
        box.text.assign(buf, n);
        boxes.push_back(std::move(box));
    }
    return boxes;
}

std::optional<MessageBoxInfo> WaitMessageBox(DWORD pid, DWORD timeout_ms) {
    std::optional<MessageBoxInfo> found;
    WaitUntil(
        [&] {
            auto boxes = MessageBoxes(pid);
            if (boxes.empty()) return false;
            found = boxes.front();
            return true;
        },
        timeout_ms);
    return found;
}

bool AnswerBox(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, button, 0);
    return WaitUntil([&] { return !IsWindow(box); });
}

bool WaitResponsive(HWND window, DWORD timeout_ms) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

std::vector<ProcessEntry> Processes() {
    std::vector<ProcessEntry> list;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return list;
    PROCESSENTRY32W pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe))
        list.push_back({pe.th32ProcessID, pe.szExeFile});
    CloseHandle(snap);
    return list;
}

void KillAll(const wchar_t* exe) {
    for (const ProcessEntry& p : Processes()) {
        if (lstrcmpiW(p.exe.c_str(), exe) != 0 || p.pid == GetCurrentProcessId()) continue;
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, p.pid);
        if (!h) continue;
        TerminateProcess(h, 99);
        WaitForSingleObject(h, 5000);
        CloseHandle(h);
    }
}

std::wstring LinuxProcFolder(const std::wstring& exe) {
    const std::string want = ToAnsi(exe);
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &fd);
    if (find == INVALID_HANDLE_VALUE) return {};
    std::wstring found;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || fd.cFileName[0] < L'0' ||
            fd.cFileName[0] > L'9')
            continue;
        const std::wstring dir = std::wstring(L"Z:\\proc\\") + fd.cFileName;
        std::string cmdline = ReadBytes(dir + L"\\cmdline").value_or("");
        if (_strnicmp(cmdline.c_str(), want.c_str(), want.size()) == 0) {
            found = dir;
            break;
        }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return found;
}

long ContextSwitches(const std::wstring& exe) {
    const std::wstring proc = LinuxProcFolder(exe);
    if (proc.empty()) return -1;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((proc + L"\\task\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return -1;
    long total = 0;
    do {
        if (fd.cFileName[0] < L'0' || fd.cFileName[0] > L'9') continue;
        std::string status =
            ReadBytes(proc + L"\\task\\" + fd.cFileName + L"\\status").value_or("");
        for (const char* field : {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"}) {
            // "nonvoluntary_..." contains "voluntary_...": each is looked for at a line start.
            size_t at = status.find(std::string("\n") + field);
            if (at != std::string::npos)
                total += std::atol(status.c_str() + at + 1 + strlen(field));
        }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return total;
}

// ---- Marker log -------------------------------------------------------------------------------

std::vector<MarkerRun> ReadMarkerLog(const std::wstring& path) {
    std::vector<MarkerRun> runs;
    auto data = ReadBytes(path);
    if (!data) return runs;
    size_t start = 0;
    for (size_t end; (end = data->find('\n', start)) != std::string::npos; start = end + 1) {
        std::vector<std::string> fields;
        size_t pos = start;
        for (size_t tab; (tab = data->find('\t', pos)) < end; pos = tab + 1)
            fields.push_back(data->substr(pos, tab - pos));
        fields.push_back(data->substr(pos, end - pos));
        if (fields.size() != 7) continue;
        runs.push_back({fields[0], fields[1], fields[2], fields[3],
                        std::strtoll(fields[4].c_str(), nullptr, 10), FromUtf8(fields[5]),
                        FromUtf8(fields[6])});
    }
    return runs;
}

std::vector<MarkerRun> WaitMarkerRuns(const std::wstring& path, std::size_t count,
                                      DWORD timeout_ms) {
    std::vector<MarkerRun> runs;
    WaitUntil(
        [&] {
            runs = ReadMarkerLog(path);
            return runs.size() >= count;
        },
        timeout_ms);
    return runs;
}

// ---- Probe ------------------------------------------------------------------------------------

namespace {

// A thread of the target process, made from here. Under Wine the target makes it: a thread of its
// own that waits in the server, or else one that Wine interrupts with a signal; a thread
// interrupted inside malloc deadlocks its process, and the call that makes the thread with it.
// The call is made on a thread of ours, so that such a deadlock fails the case instead of
// hanging it; the target is given the chance to be idle in its message loop first.
struct RemoteStart {
    HANDLE process;
    LPTHREAD_START_ROUTINE routine;
    void* param;
    HANDLE thread = nullptr;
};

DWORD WINAPI MakeRemoteThread(void* p) {
    auto* start = static_cast<RemoteStart*>(p);
    start->thread =
        CreateRemoteThread(start->process, nullptr, 0, start->routine, start->param, 0, nullptr);
    return 0;
}

}  // namespace

std::optional<std::string> RunProbe(HANDLE process, const std::wstring& folder,
                                    const std::string& request, std::string* error) {
    auto fail = [&](std::string why) -> std::optional<std::string> {
        if (error) *error = std::move(why);
        return std::nullopt;
    };
    // A file of its own for every load: the probe of the last request may still be unloading
    // itself after it answered, and a load of the same file then only counts it again, running
    // nothing (and a copy over it fails).
    static int loads = 0;
    const std::wstring dll = folder + L"\\zarv_probe_" + std::to_wstring(++loads) + L".dll";
    const std::wstring result = folder + L"\\" + FromAnsi(probe::kResultFile);
    if (!CopyTo(HelperFolder() + L"\\zarv_probe.dll", dll)) return fail("cannot copy the probe");
    DeleteFileW(result.c_str());
    if (!WriteBytes(folder + L"\\" + FromAnsi(probe::kRequestFile), request + "\n"))
        return fail("cannot write the request");

    // LoadLibraryW lies at the same address in every process of the prefix.
    auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"));
    const size_t bytes = (dll.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return fail("VirtualAllocEx failed");
    bool loaded = false;
    if (WriteProcessMemory(process, remote, dll.c_str(), bytes, nullptr)) {
        WaitForInputIdle(process, 1000);
        auto* start = new RemoteStart{process, load, remote};
        HANDLE maker = CreateThread(nullptr, 0, &MakeRemoteThread, start, 0, nullptr);
        if (!maker) return fail("CreateThread failed");
        const bool made = WaitForSingleObject(maker, kTimeoutMs) == WAIT_OBJECT_0;
        CloseHandle(maker);
        // A call that never returns keeps its record (and the memory it names).
        if (!made) return fail("Wine deadlocked the program: the probe's thread was never made");
        HANDLE thread = start->thread;
        delete start;
        if (thread) {
            DWORD module = 0;
            loaded = WaitForSingleObject(thread, kTimeoutMs) == WAIT_OBJECT_0 &&
                     GetExitCodeThread(thread, &module) && module != 0;
            CloseHandle(thread);
        }
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (!loaded) return fail("the probe did not load");

    std::optional<std::string> answer;
    if (!WaitUntil([&] { return (answer = ReadBytes(result)).has_value(); }))
        return fail("the probe did not answer");
    if (answer->rfind("ok\n", 0) != 0) return fail(*answer);
    return answer->substr(3);
}

std::optional<std::vector<UINT>> QueuedMessages(HANDLE process, const std::wstring& folder,
                                                HWND window, DWORD ms, std::string* error) {
    const std::string request = "messages\t" + std::to_string(reinterpret_cast<INT_PTR>(window)) +
                                "\t" + std::to_string(ms);
    auto answer = RunProbe(process, folder, request, error);
    if (!answer) return std::nullopt;
    std::vector<UINT> messages;
    std::istringstream lines(*answer);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("message\t", 0) == 0)
            messages.push_back(static_cast<UINT>(std::stoul(line.substr(8), nullptr, 16)));
    return messages;
}

std::vector<HWND> OpenMenuWindows(DWORD pid) {
    std::vector<HWND> open;
    for (HWND w : TopLevelWindows(pid, L"#32768"))
        if (IsWindowVisible(w)) open.push_back(w);
    return open;
}

std::optional<std::vector<OpenMenu>> ReadOpenMenus(HANDLE process, DWORD pid,
                                                   const std::wstring& folder, std::string* error) {
    if (!WaitUntil([&] { return !OpenMenuWindows(pid).empty(); })) {
        if (error) *error = "no pop-up menu opened";
        return std::nullopt;
    }
    auto answer = RunProbe(process, folder, "menu", error);
    if (!answer) return std::nullopt;

    std::vector<OpenMenu> menus;
    std::istringstream lines(*answer);
    for (std::string line; std::getline(lines, line);) {
        // The caption is the last field and may hold tabs of its own.
        std::vector<std::string> f;
        size_t pos = 0;
        for (size_t tab; f.size() < 7 && (tab = line.find('\t', pos)) != std::string::npos;
             pos = tab + 1)
            f.push_back(line.substr(pos, tab - pos));
        f.push_back(line.substr(pos));
        if (f[0] == "menu" && f.size() == 6) {
            OpenMenu m;
            m.rect = {std::stol(f[1]), std::stol(f[2]), std::stol(f[3]), std::stol(f[4])};
            menus.push_back(std::move(m));
        } else if (f[0] == "item" && f.size() == 8 && !menus.empty()) {
            MenuItem it;
            it.type = std::stoul(f[1], nullptr, 16);
            it.state = std::stoul(f[2], nullptr, 16);
            it.id = std::stoul(f[3]);
            it.has_bitmap = f[4] == "1";
            it.data = static_cast<ULONG_PTR>(std::stoull(f[5]));
            it.has_submenu = f[6] == "1";
            it.caption = FromUtf8(f[7]);
            menus.back().items.push_back(std::move(it));
        }
    }
    return menus;
}

}  // namespace e2e
