// bare_tray: the least a resident program with a notification-area icon does, as the yardstick of
// the start-up benchmark: one hidden window, one icon added with Shell_NotifyIconW, then a
// message loop. The icon's left button-down pops up a menu of one item. WM_CLOSE removes the icon
// and ends the program.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kCallbackMessage = WM_USER + 200;

NOTIFYICONDATAW g_icon{};
HMENU g_menu = nullptr;

LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case kCallbackMessage:
            if (lp == WM_LBUTTONDOWN) {
                POINT at;
                GetCursorPos(&at);
                SetForegroundWindow(w);
                TrackPopupMenu(g_menu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, w, nullptr);
                PostMessageW(w, WM_NULL, 0, 0);
            }
            return 0;
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
    g_menu = CreatePopupMenu();
    AppendMenuW(g_menu, MF_STRING, 1, L"bare");

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
