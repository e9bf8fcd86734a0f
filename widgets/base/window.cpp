#include "widgets/base/window.h"

#include <commctrl.h>

#include "widgets/base/handles.h"

namespace zarv {

void EnsureCommonControls() {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    done = InitCommonControlsEx(&icc) != FALSE;
}

HINSTANCE AppInstance() { return GetModuleHandleW(nullptr); }

void PopupMenuAt(HMENU menu, HWND owner, int x, int y) {
    // A menu of a window that is not in the foreground does not close when the user clicks
    // elsewhere; the WM_NULL afterwards lets the next opening work at once.
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
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
