// desktop_holder READY-FILE: keeps the Wine desktop (explorer.exe) alive for a whole test run.
// Without it the desktop process ends a second after the last program of a test and the next
// test starts it again, with that test's output pipes, which CTest then waits on. The holder
// makes one hidden window (which brings the desktop up), creates READY-FILE and waits until the
// prefix is shut down.
#include <windows.h>

#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HWND window = CreateWindowExW(0, L"STATIC", L"desktop holder", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, nullptr, nullptr);
    if (!window) return 1;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv && argc > 1) {
        HANDLE f = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    }
    LocalFree(argv);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
