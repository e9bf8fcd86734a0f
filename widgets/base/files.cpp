#include "widgets/base/files.h"

#include <shlobj.h>

#include <algorithm>

#include "core/variables.h"
#include "core/wow64_paths.h"
#include "widgets/base/ansi.h"
#include "widgets/base/handles.h"

namespace zarv {
namespace {

DWORD Attributes(const std::wstring& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES
                        : GetFileAttributesW(FileSystemPath(path).c_str());
}

bool Exists(const std::wstring& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

// Something that is there, and a file, not a folder.
bool IsFileAttributes(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A text the system gives through a call that fills a buffer: most answer the size they need,
// with the terminating zero; GetModuleFileNameW answers the buffer's size, its text cut. Either
// way the buffer grows until the text fits.
template <typename Get>
std::wstring TextFrom(Get get) {
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = get(text.data(), static_cast<DWORD>(text.size()));
        if (n < text.size()) {
            text.resize(n);
            return text;
        }
        text.resize(std::max<std::size_t>(n, text.size() * 2));
    }
}

// Asked once: the system folder does not move while the program runs, and every test of a path
// under WOW64 compares against it.
const std::wstring& SystemFolder() {
    static const std::wstring folder =
        TextFrom([](wchar_t* b, DWORD n) { return GetSystemDirectoryW(b, n); });
    return folder;
}

std::optional<std::wstring> Variable(const std::wstring& name) {
    SetLastError(ERROR_SUCCESS);
    std::wstring value =
        TextFrom([&](wchar_t* b, DWORD n) { return GetEnvironmentVariableW(name.c_str(), b, n); });
    // Empty: set but empty, or not set at all.
    if (value.empty() && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return value;
}

// A failed call's error; never 0, which would read as success.
DWORD LastError() {
    const DWORD error = GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}

}  // namespace

bool ReadsPathsAs64Bit() {
#ifdef _WIN64
    return false;
#else
    // Asked once: the answer holds for the life of the process.
    static const bool wow64 = [] {
        BOOL under = FALSE;
        return IsWow64Process(GetCurrentProcess(), &under) && under;
    }();
    return wow64;
#endif
}

std::wstring FileSystemPath(const std::wstring& path) {
    if (!ReadsPathsAs64Bit()) return path;
    return Wow64NativePath(path, SystemFolder());
}

std::wstring WrittenPath(const std::wstring& path) {
#ifndef _WIN64
    if (!ReadsPathsAs64Bit()) return path;
#endif
    return Wow64WrittenPath(path, SystemFolder());
}

std::optional<std::wstring> EnvironmentVariable(std::wstring_view name) {
    if (ReadsPathsAs64Bit()) {
        const std::wstring_view native = Wow64VariableName(name);
        if (native != name)
            if (std::optional<std::wstring> value = Variable(std::wstring(native))) return value;
    }
    return Variable(std::wstring(name));
}

std::wstring EntryPath(const std::wstring& path) {
    return WrittenPath(ResolvePath(path, EnvironmentVariable, Exists));
}

std::wstring EntryPath(const std::string& ansiPath) { return EntryPath(AnsiToWide(ansiPath)); }

std::wstring EntryText(const std::string& ansiText) {
    const std::wstring text = AnsiToWide(ansiText);
    if (text.find(L'%') == std::wstring::npos) return text;
    return ExpandVariables(text, EnvironmentVariable);
}

void QuietFileTestsOnThisThread() {
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
}

void AskFileSystemViewOnce() {
    ReadsPathsAs64Bit();
    SystemFolder();
    AnsiCodePage();
}

bool IsExistingFile(const std::wstring& path) { return IsFileAttributes(Attributes(path)); }

bool IsExistingFolder(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring EntryFile(const std::wstring& path) {
    if (IsExistingFile(path)) return path;
    if (path.find_first_of(L"\\/:") != std::wstring::npos) return {};
    return FindProgram(path, SystemLaunchFiles()).value_or(std::wstring());
}

bool EntryFileExists(const std::string& ansiPath) {
    return !EntryFile(EntryPath(ansiPath)).empty();
}

std::vector<FolderEntry> FolderEntries(const std::wstring& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    const UniqueFindHandle find(FindFirstFileExW((FileSystemPath(folder) + L"*").c_str(),
                                                 FindExInfoBasic, &found, FindExSearchNameMatch,
                                                 nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return entries;
    do {
        const DWORD a = found.dwFileAttributes;
        if (!(a & FILE_ATTRIBUTE_HIDDEN))
            entries.push_back({found.cFileName, (a & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find.get(), &found));
    return entries;
}

std::wstring ProgramFolder() {
    const std::wstring self =
        TextFrom([](wchar_t* b, DWORD n) { return GetModuleFileNameW(nullptr, b, n); });
    const std::size_t cut = self.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : self.substr(0, cut);
}

std::vector<std::wstring> ProgramSearchFolders() {
    std::vector<std::wstring> folders;
    if (std::wstring self = ProgramFolder(); !self.empty()) folders.push_back(std::move(self));
    folders.push_back(TextFrom([](wchar_t* b, DWORD n) { return GetCurrentDirectoryW(n, b); }));
    // Under WOW64 this is tested through "Sysnative": the 64-bit system folder.
    folders.push_back(SystemFolder());
    const std::wstring windows =
        TextFrom([](wchar_t* b, DWORD n) { return GetWindowsDirectoryW(b, n); });
    folders.push_back(windows.empty() ? windows : windows + L"\\System");
    folders.push_back(windows);
    const std::wstring list = Variable(L"PATH").value_or(std::wstring());
    for (std::size_t start = 0; start <= list.size();) {
        std::size_t end = list.find(L';', start);
        if (end == std::wstring::npos) end = list.size();
        std::wstring folder = list.substr(start, end - start);
        if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"')
            folder = folder.substr(1, folder.size() - 2);
        if (!folder.empty()) folders.push_back(folder);
        start = end + 1;
    }
    return folders;
}

LaunchFiles SystemLaunchFiles(bool searchFolders) {
    LaunchFiles files;
    files.fileExists = IsExistingFile;
    files.folderExists = IsExistingFolder;
    if (searchFolders) files.searchFolders = ProgramSearchFolders();
    return files;
}

HICON FirstIconOf(const std::wstring& path, int size) {
    const std::wstring file = FileSystemPath(path);
    HICON icon = nullptr;
    // The shell's small icon at the system's size; at any other size the picture of that size
    // that the file holds (or the nearest, scaled).
    if (size == GetSystemMetrics(SM_CXSMICON)) {
        if (ExtractIconExW(file.c_str(), 0, nullptr, &icon, 1) > 0) return icon;
        return nullptr;
    }
    if (SHDefExtractIconW(file.c_str(), 0, 0, &icon, nullptr, MAKELONG(size, size)) == S_OK)
        return icon;
    return nullptr;
}

HICON AssociatedIcon(const std::wstring& path, int size) {
    const std::wstring file = FileSystemPath(path);
    SHFILEINFOW info{};
    const UINT which = size > GetSystemMetrics(SM_CXSMICON) ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    if (!SHGetFileInfoW(file.c_str(), 0, &info, sizeof info, SHGFI_ICON | which) || !info.hIcon)
        return nullptr;
    if (size == GetSystemMetrics(SM_CXSMICON)) return info.hIcon;
    // Taken again from its resource at the wanted size where it has one (else scaled).
    HICON sized = static_cast<HICON>(
        CopyImage(info.hIcon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE | LR_COPYDELETEORG));
    return sized ? sized : info.hIcon;
}

IconPresence FileIconPresence(const std::wstring& path) {
    // Telling that a program holds no icon is several times cheaper than the system's
    // extraction, which maps the whole file.
    UniqueKernelHandle file(CreateFileW(FileSystemPath(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return IconPresence::Unknown;
    auto readAt = [&](std::uint32_t offset, std::uint32_t size) {
        std::string bytes(size, '\0');
        LARGE_INTEGER at{};
        at.QuadPart = offset;
        DWORD got = 0;
        if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) ||
            !ReadFile(file.get(), bytes.data(), size, &got, nullptr))
            got = 0;
        bytes.resize(got);
        return bytes;
    };
    // The headers lie in the first page: one read serves them all.
    const std::string head = readAt(0, 4096);
    return PeIconPresence([&](std::uint32_t offset, std::uint32_t size) {
        if (offset <= head.size() && size <= head.size() - offset) return head.substr(offset, size);
        return readAt(offset, size);
    });
}

DWORD StartProcess(const std::wstring& commandLine, const std::wstring& workDir,
                   const StartCalls& calls) {
    // A record of its own: the show state is all that is passed on from ours. The rest of ours
    // ties a process to the shortcut it was started from (its path as the title, its
    // application ID, hot key and monitor, the standard handles), which no program started by
    // us may claim.
    STARTUPINFOW own{};
    own.cb = sizeof own;
    GetStartupInfoW(&own);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (own.dwFlags & STARTF_USESHOWWINDOW) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = own.wShowWindow;
    }
    // CreateProcess may write into the command line, so it gets a private copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    PROCESS_INFORMATION pi{};
    // The right to take the foreground is passed on before the new program can open its first
    // window: to any process before the start, which then goes ahead at once; where the system
    // refuses that, to the new process alone while it waits, started suspended. It gets the
    // system's default error mode.
    const bool passedOn = calls.allowSetForeground(ASFW_ANY) != FALSE;
    const DWORD flags = (passedOn ? 0 : CREATE_SUSPENDED) | CREATE_DEFAULT_ERROR_MODE;
#ifndef _WIN64
    // Under WOW64 the start sees the files as 64-bit Windows does, for this call alone and on
    // this thread alone: the program (also a bare name, looked for in the 64-bit system folder),
    // the working folder and the program's own path are those the entry names, never the 32-bit
    // copies, and never a "Sysnative" path that a 64-bit program could not read. Nothing else
    // runs in between: the code of the start lies in kernel32, loaded with the process, and no
    // library of ours is loaded on demand while the files are seen so.
    PVOID redirection = nullptr;
    const bool native = ReadsPathsAs64Bit() && Wow64DisableWow64FsRedirection(&redirection);
#endif
    const BOOL started =
        calls.createProcess(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                            workDir.empty() ? nullptr : workDir.c_str(), &si, &pi);
    const DWORD error = started ? 0 : LastError();
#ifndef _WIN64
    if (native) Wow64RevertWow64FsRedirection(redirection);
#endif
    if (!started) return error;
    if (!passedOn) {
        calls.allowSetForeground(pi.dwProcessId);
        ResumeThread(pi.hThread);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}

DWORD ShellStart(HWND owner, const std::wstring& program, const std::wstring& parameters,
                 const std::wstring& folder, const StartCalls& calls) {
    // The program as the entry names it, never through "Sysnative": the shell may hand it to a
    // 64-bit program (the elevation service, a 64-bit handler), which sees no such folder.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // No error boxes (the elevation prompt still shows). The start runs on a worker thread that
    // may end soon after: the shell finishes its work before it returns.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOW;
    calls.allowSetForeground(ASFW_ANY);
    return calls.shellExecuteEx(&info) ? 0 : LastError();
}

DWORD ShellOpen(HWND owner, const std::wstring& target, const StartCalls& calls) {
    // The target as written, also under WOW64: what opens a document or folder may be a 64-bit
    // program (Explorer), which sees the 64-bit system folder under its own name and no
    // "Sysnative" at all.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;  // as ShellStart
    info.hwnd = owner;
    info.lpVerb = L"Open";
    info.lpFile = target.c_str();
    info.nShow = SW_SHOW;
    // The shell may start a program or hand the target to one that runs already.
    calls.allowSetForeground(ASFW_ANY);
    return calls.shellExecuteEx(&info) ? 0 : LastError();
}

}  // namespace zarv
