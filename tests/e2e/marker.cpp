// The marker: a program the end-to-end tests let zarv.exe start. It appends one line saying how
// it was started to a log and ends:
//
//   tag TAB command line TAB current folder TAB own path TAB performance-counter ticks
//       TAB wide command line TAB start-up record: flags, show state, title LF
//
// The texts are the ANSI bytes the system gives (GetCommandLineA and friends), unchanged; the
// wide command line (GetCommandLineW) is written in UTF-8, and so is the start-up record's title
// (GetStartupInfoW; its flags and show state in decimal, a blank after each). The log is the file
// named by the environment variable ZARV_MARKER_LOG (zarv.exe hands its environment on to what it
// starts), else marker.log next to the executable. The tag is "MARKER", or the one the build gives
// a variant
// ("DECOY"). The variant built with MARKER_WINDOW then shows a window of
// the class "ZarvMarkerWindow", as a program started by a hot key does, until it is closed or 20 s
// have passed.
#include <windows.h>

#include <string>

#ifndef MARKER_TAG
#define MARKER_TAG "MARKER"
#endif

namespace {

std::string LogPath() {
    char buf[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableA("ZARV_MARKER_LOG", buf, sizeof buf);
    if (n > 0 && n < sizeof buf) return std::string(buf, n);
    n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    std::string path(buf, n);
    return path.substr(0, path.find_last_of('\\') + 1) + "marker.log";
}

#ifdef MARKER_WINDOW
LRESULT CALLBACK MarkerWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY || (msg == WM_TIMER && wp == 1)) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

void ShowMarkerWindow(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MarkerWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"ZarvMarkerWindow";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"marker", WS_OVERLAPPEDWINDOW, 200, 200, 300,
                             200, nullptr, nullptr, instance, nullptr);
    ShowWindow(w, SW_SHOWNORMAL);
    SetTimer(w, 1, 20000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);

    std::string line = MARKER_TAG;
    line += '\t';
    line += GetCommandLineA();
    line += '\t';
    char buf[MAX_PATH * 2];
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    line.append(buf, n < sizeof buf ? n : 0);
    line += '\t';
    n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    line.append(buf, n);
    line += '\t';
    line += std::to_string(now.QuadPart);
    line += '\t';
    const wchar_t* wide = GetCommandLineW();
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes > 0 ? static_cast<size_t>(bytes) : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), bytes, nullptr, nullptr);
    line += utf8.c_str();
    line += '\t';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    line += std::to_string(startup.dwFlags) + ' ' + std::to_string(startup.wShowWindow) + ' ';
    if (startup.lpTitle) {
        char title[MAX_PATH * 3] = "";
        WideCharToMultiByte(CP_UTF8, 0, startup.lpTitle, -1, title, sizeof title, nullptr, nullptr);
        line += title;
    }
    line += '\n';

    // Several markers may start at once: append the whole line in one write, and wait out
    // another writer's open handle.
    std::string path = LogPath();
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE f = CreateFileA(path.c_str(), FILE_APPEND_DATA,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            BOOL ok = WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(f);
#ifdef MARKER_WINDOW
            ShowMarkerWindow(instance);
#else
            (void)instance;
#endif
            return ok ? 0 : 2;
        }
        Sleep(10);
    }
    return 1;
}
