#include "widgets/base/form.h"

#include "core/placement.h"
#include "widgets/base/dpi.h"

namespace zarv {
namespace {

bool IsPushButton(HWND control) {
    wchar_t name[8] = L"";
    if (!GetClassNameW(control, name, 8) || lstrcmpiW(name, L"Button") != 0) return false;
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// The default button, which Enter presses and which shows a heavier frame, is the push button
// with the focus, else OK, as in the system's dialogs (whose dialog procedure does this; the
// forms are plain windows).
void FollowDefaultButton(HWND window, HWND focus) {
    HWND def = IsChild(window, focus) && IsPushButton(focus) ? focus : GetDlgItem(window, IDOK);
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsPushButton(c)) continue;
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        const LONG type = c == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((style & BS_TYPEMASK) != type)
            SendMessageW(c, BM_SETSTYLE,
                         static_cast<WPARAM>((style & 0xFFFF & ~BS_TYPEMASK) | type), TRUE);
    }
}

// Runs a modal loop for window until it is destroyed or done is set: the owner is disabled
// meanwhile and, unless it was disabled already, enabled again before the window goes (so
// activation returns to it). The form sees its controls' keys first (keyDown), then
// IsDialogMessage gives Tab, Enter and Escape their dialog meaning. Messages for other windows
// of the thread, WM_HOTKEY among them, are dispatched as usual.
template <typename KeyDown>
void RunModalLoop(HWND window, HWND owner, const bool& done, KeyDown keyDown) {
    // A modal window opened from inside another one (a hot key reaches the resident window while
    // an editor is open) finds its owner already disabled and leaves it so.
    const bool wasEnabled = owner && !EnableWindow(owner, FALSE);
    MSG msg;
    HWND focus = nullptr;
    while (!done && IsWindow(window)) {
        if (GetFocus() != focus) FollowDefaultButton(window, focus = GetFocus());
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // hand the quit on to the outer loop
            break;
        }
        if (got == -1) break;
        if (msg.message == WM_KEYDOWN && IsChild(window, msg.hwnd) && keyDown(msg.hwnd, msg.wParam))
            continue;
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (wasEnabled) EnableWindow(owner, TRUE);
}

// The work area of the primary monitor, where a centred form opens.
RECT DesktopWorkArea() {
    RECT desk{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &desk, 0);
    return desk;
}

}  // namespace

Form::Form(const FormFrame& frame, ModalCounter* counter)
    : frame_(frame), counter_(counter), layout_([this] { FormDpiChanged(); }) {}

Form::~Form() = default;

POINT Form::PlaceFor(SIZE outer, POINT pointer) const {
    if (frame_.Place == FormPlace::Centred) {
        const RECT desk = DesktopWorkArea();
        return {desk.left + (desk.right - desk.left - outer.cx) / 2,
                desk.top + (desk.bottom - desk.top - outer.cy) / 2};
    }
    const Point at =
        PlaceAtPointer({pointer.x, pointer.y}, outer.cx, outer.cy, WorkAreaAt(pointer));
    return {at.x, at.y};
}

void Form::FormShow() {
    if (HWND first = GetNextDlgTabItem(hwnd(), nullptr, FALSE)) SetFocus(first);
}

bool Form::ShowModal(HWND owner) {
    // Where the user was: the window that gets the activation back when the form has gone.
    HWND previous = GetForegroundWindow();
    // The monitor the form opens on, under the pointer or in the middle of the desktop: the
    // window is made there, at its place and laid out for its DPI, so that no move to another
    // monitor follows.
    POINT pointer{};
    GetCursorPos(&pointer);
    POINT on = pointer;
    if (frame_.Place == FormPlace::Centred) {
        const RECT desk = DesktopWorkArea();
        on = {desk.left + (desk.right - desk.left) / 2, desk.top + (desk.bottom - desk.top) / 2};
    }
    layout_.SetDpi(DpiForPoint(on, owner));
    // An outer size scales as it is; a client size gets the frame the system draws at the DPI.
    SIZE outer{Scale(frame_.Width), Scale(frame_.Height)};
    if (frame_.ClientSize)
        outer = OuterSizeForClient(outer.cx, outer.cy, frame_.Style, frame_.ExStyle, Dpi());
    const POINT at = PlaceFor(outer, pointer);
    layout_.Clear();
    if (!Create(frame_.ClassName, frame_.Caption, frame_.Style, frame_.ExStyle, at.x, at.y,
                outer.cx, outer.cy, owner, frame_.Icon, frame_.Background))
        return false;
    if (counter_) counter_->ModalBegin();
    FormCreate();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    FormShow();
    done_ = false;
    RunModalLoop(hwnd(), owner, done_,
                 [this](HWND control, WPARAM key) { return FormKeyDown(control, key); });
    FormClose();
    DestroyWindow(hwnd());
    layout_.Clear();
    if (previous && previous != owner && IsWindow(previous) && IsWindowVisible(previous) &&
        IsWindowEnabled(previous))
        SetForegroundWindow(previous);
    if (counter_) counter_->ModalEnd();
    return true;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE || (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL)) {
        Close();
        return 0;
    }
    // IsDialogMessage asks which button Enter presses: OK, where the form has one.
    if (msg == DM_GETDEFID && Control(IDOK)) return MAKELRESULT(IDOK, DC_HASDEFID);
    if (msg == WM_DPICHANGED) {
        layout_.DpiChanged(hwnd(), wp, lp);
        return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
