#include "widgets/base/window.h"

#include <commctrl.h>

#include <optional>

namespace zarv {

void EnsureCommonControls() {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    done = InitCommonControlsEx(&icc) != FALSE;
}

HINSTANCE AppInstance() { return GetModuleHandleW(nullptr); }

namespace {

// Takes the keyboard for a menu whose owner has no window on the screen (the resident window
// while the command bar is hidden). Under Wine keys follow the display server's focus, which only
// a shown window can have: without this, a menu opened while another program was active shows,
// but its keys go nowhere. The stand-in is one pixel under the menu's corner and draws nothing;
// the menu's messages go on to the owner.
class MenuKeyboard : public Window {
public:
    MenuKeyboard(HWND owner, int x, int y) : owner_(owner) {
        Create(L"ZarvMenuKeyboard", L"", WS_POPUP, WS_EX_TOOLWINDOW, x, y, 1, 1, owner, nullptr,
               static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
        if (hwnd()) ShowWindow(hwnd(), SW_SHOWNA);
    }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
            case WM_INITMENU:
            case WM_INITMENUPOPUP:
            case WM_UNINITMENUPOPUP:
            case WM_MENUSELECT:
            case WM_MENUCHAR:
            case WM_MEASUREITEM:
            case WM_DRAWITEM:
            case WM_ENTERMENULOOP:
            case WM_EXITMENULOOP:
            case WM_ENTERIDLE:
                return SendMessageW(owner_, msg, wp, lp);
            default:
                return Window::HandleMessage(msg, wp, lp);
        }
    }
    HWND owner_;
};

}  // namespace

void PopupMenuAt(HMENU menu, HWND owner, int x, int y) {
    // A menu takes keys and closes when the user clicks elsewhere only when its window is in the
    // foreground; the WM_NULL afterwards lets the next opening work at once.
    std::optional<MenuKeyboard> keyboard;
    if (!IsWindowVisible(owner)) keyboard.emplace(owner, x, y);
    HWND window = keyboard && keyboard->hwnd() ? keyboard->hwnd() : owner;
    // Wine hands the display server the time of the thread's last message with the focus, and
    // the server refuses a time before its last focus change (the user's click into another
    // program): a message taken now gives the request the present time.
    static const UINT kNow = RegisterWindowMessageW(L"ZarvMenuTime");
    MSG now;
    if (kNow && PostThreadMessageW(GetCurrentThreadId(), kNow, 0, 0))
        PeekMessageW(&now, reinterpret_cast<HWND>(-1), kNow, kNow, PM_REMOVE);
    SetForegroundWindow(window);
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD;
    const UINT command = TrackPopupMenu(menu, flags, x, y, 0, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
    // Posted as the menu itself would, so the command runs once the menu has gone.
    if (command) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

Rect WorkAreaAt(POINT pointer) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &mi))
        return Rect{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return Rect{work.left, work.top, work.right, work.bottom};
}

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                   int y, int width, int height, int id, HFONT font) {
    HWND control = CreateWindowExW(
        0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

HFONT CreateFormFont(int height) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
}

Window::~Window() {
    if (hwnd_) {
        HWND h = hwnd_;
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(h);
    }
}

bool Window::Create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                    int x, int y, int w, int h, HWND parent, HICON icon, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(AppInstance(), className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Window::Thunk;
        wc.hInstance = AppInstance();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = icon;
        wc.hbrBackground = background ? background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) return false;
    }
    return CreateWindowExW(exStyle, className, caption, style, x, y, w, h, parent, nullptr,
                           AppInstance(), this) != nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Window::Thunk(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = h;
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    // The program is built without exceptions, so nothing can unwind through the system's code
    // from here: out of memory ends the process at once (resident/fail_fast.cpp).
    LRESULT r = self->HandleMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return r;
}

}  // namespace zarv
