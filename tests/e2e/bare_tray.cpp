// bare_tray: the least a resident program with a notification-area icon does, as the yardstick of
// the start-up benchmark: one hidden window, one icon added with Shell_NotifyIconW, then a
// message loop. WM_CLOSE removes the icon and ends the program.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kCallbackMessage = WM_USER + 200;

NOTIFYICONDATAW g_icon{};

LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE:
            Shell_NotifyIconW(NIM_DELETE, &g_icon);
            DestroyWindow(w);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TBareTray";
    if (!RegisterClassW(&wc)) return 1;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"TBareTray", L"bare", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    g_icon.cbSize = sizeof g_icon;
    g_icon.hWnd = window;
    g_icon.uID = 1;
    g_icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_icon.uCallbackMessage = kCallbackMessage;
    g_icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(g_icon.szTip, L"bare", ARRAYSIZE(g_icon.szTip));
    if (!Shell_NotifyIconW(NIM_ADD, &g_icon)) return 2;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
