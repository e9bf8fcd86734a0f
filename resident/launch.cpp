#include "resident/launch.h"

namespace zarv {

namespace {

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
    // The direct start asks only whether the file exists; where a bare name is looked for is
    // read only after it has failed.
    LaunchFiles files = SystemLaunchFiles(false);
    LaunchStep step = FirstLaunchStep(request, files);
    // At most: directly, directly again without the missing folder, the shell.
    for (int tries = 0; tries < 4; ++tries) {
        DWORD error = 0;
        switch (step.action) {
            case LaunchAction::Stop:
                return;
            case LaunchAction::StartDirect:
                error = StartProcess(step.file, step.folder, calls);
                break;
            case LaunchAction::ShellStart:
                error = ShellStart(owner, step.file, step.parameters, step.folder, calls);
                break;
            case LaunchAction::ShellOpen:
                ShellOpen(owner, step.file, calls);
                return;
        }
        if (error == 0) return;
        if (files.searchFolders.empty()) files.searchFolders = ProgramSearchFolders();
        step = NextLaunchStep(request, step, error, files);
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

void StartShortcut(const std::wstring& link, HWND owner) { ShellOpen(owner, link); }

}  // namespace zarv
