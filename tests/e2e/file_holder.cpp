// file_holder.exe PATH MS: holds the file open without sharing it for MS milliseconds, as a
// backup, sync or anti-virus tool holds a file at logon, then lets it go and ends. Ends with 1
// when the file cannot be opened.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return 2;
    // The driver looks whether the file is held yet by opening it itself: while its handle is
    // open, ours is refused for a moment.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int i = 0; i < 500 && file == INVALID_HANDLE_VALUE; ++i) {
        file = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) Sleep(10);
    }
    if (file == INVALID_HANDLE_VALUE) return 1;
    Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    CloseHandle(file);
    LocalFree(argv);
    return 0;
}
