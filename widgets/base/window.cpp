#include "widgets/base/window.h"

#include <commctrl.h>

#include <optional>

#include "widgets/base/handles.h"
#include "widgets/base/worker.h"

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

UINT PopupMenuAt(HMENU menu, HWND owner, int x, int y) {
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
    return command;
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

HBITMAP OffscreenBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

void PaintOffscreen(HWND window) {
    PaintDc paint(window);
    // Only the part to be painted: the control draws what lies in it (its clip box), moved by
    // the viewport to the picture's corner.
    const RECT& r = paint.rect();
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    UniqueDc memory(CreateCompatibleDC(paint.dc()));
    UniqueGdiObject bitmap(OffscreenBitmap(width, height));
    SelectObjectGuard select(memory.get(), bitmap.get());
    SetViewportOrgEx(memory.get(), -r.left, -r.top, nullptr);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()),
                 PRF_ERASEBKGND | PRF_CLIENT);
    // The child windows (a list view's header) paint themselves: the copy leaves them alone.
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT c;
        GetWindowRect(child, &c);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&c), 2);
        ExcludeClipRect(paint.dc(), c.left, c.top, c.right, c.bottom);
    }
    BitBlt(paint.dc(), r.left, r.top, width, height, memory.get(), r.left, r.top, SRCCOPY);
}

bool IsScreenErase(UINT msg, WPARAM wp) {
    return msg == WM_ERASEBKGND && GetObjectType(reinterpret_cast<HGDIOBJ>(wp)) != OBJ_MEMDC;
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
        Worker::WindowGone(h);  // detached: the answers on their way to it are freed here
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
        Worker::WindowGone(h);  // answers of jobs it asked for are freed, not lost with it
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return r;
}

}  // namespace zarv
