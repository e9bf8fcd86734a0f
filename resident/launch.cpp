#include "resident/launch.h"

#include <optional>

namespace zarv {

namespace {

LaunchFiles SystemFiles() {
    LaunchFiles files;
    files.fileExists = IsExistingFile;
    files.folderExists = IsExistingFolder;
    files.searchFolders = ProgramSearchFolders();
    return files;
}

// The window a start's shell calls are owned by, so that the elevation prompt comes up in front:
// the window in front when the start was asked for, when it can be seen; else none (never the
// hidden resident window).
HWND StartOwner(HWND front) { return front && IsWindowVisible(front) ? front : nullptr; }

}  // namespace

void Launch(const LaunchRequest& request, const StartCalls& calls) {
    LaunchFrom(request, StartOwner(calls.foregroundWindow()), calls);
}

HWND StartOwnerNow() { return StartOwner(GetForegroundWindow()); }

void LaunchFrom(const LaunchRequest& request, HWND owner, const StartCalls& calls) {
    LaunchStep step = FirstLaunchStep(request);
    // The file system is asked only when the direct start has failed, except for typed text
    // under WOW64: there the direct start would look for a bare name in the 32-bit system
    // folder, so the program is found first, as 64-bit Windows finds it.
    std::optional<LaunchFiles> files;
    std::wstring program = request.typed ? std::wstring() : request.filePath;
    if (program.size() >= 2 && program.front() == L'"' && program.back() == L'"')
        program = program.substr(1, program.size() - 2);
    if (request.typed && ReadsPathsAs64Bit()) {
        files = SystemFiles();
        if (std::optional<ProgramSplit> split = SplitProgram(request.filePath, *files))
            program = split->program;
    }
    // At most: directly, directly again without the missing folder, the shell.
    for (int tries = 0; tries < 4; ++tries) {
        DWORD error = 0;
        switch (step.action) {
            case LaunchAction::Stop:
                return;
            case LaunchAction::StartDirect:
                error = StartProcess(step.file, step.folder, program, calls);
                break;
            case LaunchAction::ShellStart:
                error = ShellStart(owner, step.file, step.parameters, step.folder, calls);
                break;
            case LaunchAction::ShellOpen:
                ShellOpen(owner, step.file, calls);
                return;
        }
        if (error == 0) return;
        if (!files) files = SystemFiles();
        step = NextLaunchStep(request, step, error, *files);
    }
}

void StartFile(const std::wstring& filePath, const std::wstring& options,
               const std::wstring& workDir, HWND owner) {
    LaunchFrom({filePath, options, workDir, false}, owner);
}

void StartTyped(const std::wstring& text, HWND owner) { LaunchFrom({text, {}, {}, true}, owner); }

void OpenUrl(const std::wstring& url, const StartCalls& calls) {
    ShellOpen(StartOwner(calls.foregroundWindow()), url, calls);
}

void OpenUrlFrom(const std::wstring& url, HWND owner) { ShellOpen(owner, url); }

}  // namespace zarv
