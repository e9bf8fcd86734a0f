// Program entry: the single-instance guard, the resident window and the message loop.
#include <windows.h>
#include <shellapi.h>

#include "resident/application.h"
#include "resident/zarv_main.h"

namespace {

// Only the first argument counts, and only when it is exactly "/DEBUG".
bool FirstArgumentIsDebug() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool debug = argv && argc > 1 && lstrcmpW(argv[1], L"/DEBUG") == 0;
    if (argv) LocalFree(argv);
    return debug;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The common controls load with the first window that uses them (EnsureCommonControls).
    bool debug = FirstArgumentIsDebug();
    if (!debug && FindWindowW(L"TZarv_main", nullptr)) {
        MessageBoxW(nullptr, L"すでに起動されています。", L"警告", MB_OK | MB_ICONERROR);
        return 0;
    }

    zarv::TApplication application;
    if (!application.Initialize(L"ZARV")) return 1;
    zarv::TZarv_main main(debug, application.hwnd());
    zarv::Zarv_main = &main;
    if (!main.CreateResident()) return 1;
    application.SetMainForm(main.hwnd());

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    zarv::Zarv_main = nullptr;
    return 0;
}
