// A stand-in "mpr.dll" that a user (or a download) might leave beside zarv.exe. When it is ever
// loaded it says so in "planted-mpr.log" beside itself; its two network-drive dialogs do nothing.
#include <windows.h>

namespace {

void LogLoad(HMODULE self) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
    while (n > 0 && path[n - 1] != L'\\') --n;
    lstrcpyW(path + n, L"planted-mpr.log");
    HANDLE f = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, "loaded\n", 7, &written, nullptr);
    CloseHandle(f);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) LogLoad(self);
    return TRUE;
}

__declspec(dllexport) DWORD WINAPI WNetConnectionDialog(HWND, DWORD) { return NO_ERROR; }
__declspec(dllexport) DWORD WINAPI WNetDisconnectDialog(HWND, DWORD) { return NO_ERROR; }
}
