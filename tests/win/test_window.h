#pragma once
// Shared by the component tests: a message pump and a plain top-level window to host controls.
#include <windows.h>

namespace zarv::test {

// Handles the thread's messages for ms milliseconds (at least once).
inline void Pump(DWORD ms = 0) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ms) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

// A visible, titled top-level window at (x, y, w, h) that does nothing itself.
inline HWND CreateHostWindow(const wchar_t* caption, int x, int y, int w, int h) {
    static const wchar_t kClass[] = L"ZarvTestHost";
    WNDCLASSW wc{};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), kClass, &wc)) {
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClass;
        RegisterClassW(&wc);
    }
    HWND window = CreateWindowExW(0, kClass, caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, w, h,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    Pump(50);
    return window;
}

}  // namespace zarv::test
