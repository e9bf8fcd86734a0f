#include "resident/launch.h"

#include <optional>
#include <string_view>
#include <vector>

#include "core/launch_text.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"

namespace zarv {

namespace {

bool IsExistingFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A folder the system names through a call that fills a buffer.
template <typename Get>
std::string FolderFrom(Get get) {
    char buffer[MAX_PATH];
    const DWORD n = get(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

// The folders the direct start looks in for a program named without one, in its order: the
// resident program's folder, the current folder, the system folders, then PATH.
std::vector<std::string> ProgramSearchFolders() {
    std::vector<std::string> folders;
    // The program's own folder through UTF-16: in ANSI bytes a trail byte can be a backslash.
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring_view selfPath(self, length < MAX_PATH ? length : 0);
    const std::size_t cut = selfPath.find_last_of(L'\\');
    if (cut != std::wstring_view::npos) folders.push_back(WideToAnsi(selfPath.substr(0, cut)));
    folders.push_back(FolderFrom([](char* b, DWORD n) { return GetCurrentDirectoryA(n, b); }));
    folders.push_back(FolderFrom([](char* b, DWORD n) { return GetSystemDirectoryA(b, n); }));
    const std::string windows =
        FolderFrom([](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); });
    folders.push_back(windows.empty() ? windows : windows + "\\System");
    folders.push_back(windows);
    // ';' and '"' are never trail bytes.
    std::vector<char> path(GetEnvironmentVariableA("PATH", nullptr, 0) + 1);
    const DWORD n = GetEnvironmentVariableA("PATH", path.data(), static_cast<DWORD>(path.size()));
    std::string list(path.data(), n < path.size() ? n : 0);
    for (std::size_t start = 0; start <= list.size();) {
        std::size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        std::string folder = list.substr(start, end - start);
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
            folder = folder.substr(1, folder.size() - 2);
        if (!folder.empty()) folders.push_back(folder);
        start = end + 1;
    }
    return folders;
}

LaunchFiles SystemFiles() {
    LaunchFiles files;
    files.fileExists = [](const std::string& p) { return IsExistingFile(p); };
    files.folderExists = IsExistingFolder;
    files.searchFolders = ProgramSearchFolders();
    files.codePage = &AnsiCodePage();
    return files;
}

class SystemCalls : public LaunchCalls {
public:
    DWORD StartProcess(const std::string& commandLine, const std::string& workDir,
                       const std::string& filePath) override {
        return StartProgram(commandLine, workDir, filePath) ? 0 : GetLastError();
    }

    DWORD ShellStart(HWND owner, const std::string& program, const std::string& parameters,
                     const std::string& folder) override {
        return zarv::ShellStart(owner, program, parameters, folder);
    }

    void ShellOpen(HWND owner, const std::string& target) override {
        zarv::ShellOpen(owner, target);
    }
};

}  // namespace

bool StartProgram(const std::string& commandLine, const std::string& workDir,
                  const std::string& filePath, const StartCalls& calls) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    // CreateProcess may write into the command line, so it gets a private copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const char* application = nullptr;
    if (filePath.find(' ') != std::string::npos && IsExistingFile(filePath))
        application = filePath.c_str();
    PROCESS_INFORMATION pi{};
    // The right to take the foreground is passed on before the new program can open its first
    // window: to any process before the start, which then goes ahead at once; where the system
    // refuses that, to the new process alone while it waits, started suspended.
    const bool passedOn = calls.allowSetForeground(ASFW_ANY) != FALSE;
    if (!calls.createProcess(application, line.data(), nullptr, nullptr, FALSE,
                             passedOn ? 0 : CREATE_SUSPENDED, nullptr,
                             workDir.empty() ? nullptr : workDir.c_str(), &si, &pi))
        return false;
    if (!passedOn) {
        calls.allowSetForeground(pi.dwProcessId);
        ResumeThread(pi.hThread);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

void ShellOpen(HWND owner, const std::string& target, const StartCalls& calls) {
    // The shell may start a program or hand the target to one that runs already.
    calls.allowSetForeground(ASFW_ANY);
    calls.shellExecute(owner, "Open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

DWORD ShellStart(HWND owner, const std::string& program, const std::string& parameters,
                 const std::string& folder, const StartCalls& calls) {
    const std::wstring file = AnsiToWide(program), args = AnsiToWide(parameters),
                       dir = AnsiToWide(folder);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;  // no error boxes; the elevation prompt still shows
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = args.empty() ? nullptr : args.c_str();
    info.lpDirectory = dir.empty() ? nullptr : dir.c_str();
    info.nShow = SW_SHOW;
    calls.allowSetForeground(ASFW_ANY);
    return calls.shellExecuteEx(&info) ? 0 : GetLastError();
}

LaunchCalls& SystemLaunchCalls() {
    static SystemCalls calls;
    return calls;
}

void Launch(HWND owner, const LaunchRequest& request, LaunchCalls& calls) {
    LaunchStep step = FirstLaunchStep(request);
    const std::string noFile;
    // The file system is asked only when the direct start has failed.
    std::optional<LaunchFiles> files;
    // At most: directly, directly again without the missing folder, the shell.
    for (int tries = 0; tries < 4; ++tries) {
        DWORD error = 0;
        switch (step.action) {
            case LaunchAction::Stop:
                return;
            case LaunchAction::StartDirect:
                error = calls.StartProcess(step.file, step.folder,
                                           request.typed ? noFile : request.filePath);
                break;
            case LaunchAction::ShellStart:
                error = calls.ShellStart(owner, step.file, step.parameters, step.folder);
                break;
            case LaunchAction::ShellOpen:
                calls.ShellOpen(owner, step.file);
                return;
        }
        if (error == 0) return;
        if (!files) files = SystemFiles();
        step = NextLaunchStep(request, step, error, *files);
    }
}

void StartFile(HWND owner, const std::string& filePath, const std::string& options,
               const std::string& workDir) {
    Launch(owner, {filePath, options, workDir, false});
}

void StartTyped(HWND owner, const std::string& text) { Launch(owner, {text, {}, {}, true}); }

}  // namespace zarv
