// start_check ZARV-EXE: starts that zarv.exe (the one from the release zip) in its own folder,
// with no arguments, and checks that it reaches its resident state: its TZarv_main window exists,
// hidden, and answers messages, with no message box open. Then closes it and waits for the end.
// Exit code 0 when all of that held, otherwise 1 with the reason on stderr.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "harness.h"

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "start_check: %s\n", what);
    return 1;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 2) return Fail("usage: start_check ZARV-EXE");
    const std::wstring exe = argv[1];
    LocalFree(argv);
    const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));

    DWORD error = 0;
    e2e::Process zarv = e2e::Start(exe, L"", folder, &error);
    if (!zarv) return Fail("zarv.exe did not start");
    HWND main = e2e::WaitMainWindow(zarv.pid(), 20000);
    if (!main) return Fail("no TZarv_main window appeared");
    if (!e2e::WaitResponsive(main)) return Fail("zarv.exe does not answer messages");
    if (IsWindowVisible(main)) return Fail("the command bar shows at start-up");
    for (const e2e::MessageBoxInfo& box : e2e::MessageBoxes(zarv.pid())) {
        std::fprintf(stderr, "start_check: message box \"%s\": %s\n",
                     e2e::ToAnsi(box.caption).c_str(), e2e::ToAnsi(box.text).c_str());
        return 1;
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (!zarv.WaitExit()) return Fail("zarv.exe did not end when its window was closed");
    std::printf("start_check: zarv.exe became resident and ended on close\n");
    return 0;
}
