#include "resident/launch.h"

namespace zarv {

namespace {

// The window a start's shell calls are owned by, so that the elevation prompt comes up in front:
// the window in front when the start was asked for, when it can be seen; else none (never the
// hidden resident window).
HWND StartOwner(HWND front) { return front && IsWindowVisible(front) ? front : nullptr; }

}  // namespace

DWORD Launch(const LaunchRequest& request, const StartCalls& calls) {
    return LaunchFrom(request, StartOwner(calls.foregroundWindow()), calls);
}

HWND StartOwnerNow() { return StartOwner(GetForegroundWindow()); }

DWORD LaunchFrom(const LaunchRequest& request, HWND owner, const StartCalls& calls) {
    // The direct start asks only whether the file exists; where a bare name is looked for is
    // read only after it has failed.
    LaunchFiles files = SystemLaunchFiles(false);
    LaunchStep step = FirstLaunchStep(request, files);
    // At most: directly, directly again without the missing folder, the shell.
    DWORD error = 0;
    for (int tries = 0; tries < 4; ++tries) {
        switch (step.action) {
            case LaunchAction::Stop:
                return error;
            case LaunchAction::StartDirect:
                error = StartProcess(step.file, step.folder, calls);
                break;
            case LaunchAction::ShellStart:
                error = ShellStart(owner, step.file, step.parameters, step.folder, calls);
                break;
            case LaunchAction::ShellOpen:
                return ShellOpen(owner, step.file, calls);
        }
        if (error == 0) return 0;
        if (files.searchFolders.empty()) files.searchFolders = ProgramSearchFolders();
        step = NextLaunchStep(request, step, error, files);
    }
    return error;
}

DWORD StartFile(const std::wstring& filePath, const std::wstring& options,
                const std::wstring& workDir, HWND owner) {
    return LaunchFrom({filePath, options, workDir, false}, owner);
}

DWORD StartTyped(const std::wstring& text, HWND owner) {
    return LaunchFrom({text, {}, {}, true}, owner);
}

DWORD OpenUrl(const std::wstring& url, const StartCalls& calls) {
    return ShellOpen(StartOwner(calls.foregroundWindow()), url, calls);
}

DWORD OpenUrlFrom(const std::wstring& url, HWND owner) { return ShellOpen(owner, url); }

DWORD StartShortcut(const std::wstring& link, HWND owner) { return ShellOpen(owner, link); }

}  // namespace zarv
