#include "widgets/base/form.h"

#include <commctrl.h>

#include "core/placement.h"
#include "widgets/base/dpi.h"

namespace zarv {
namespace {

constexpr UINT_PTR kSpeedButtonSubclass = 2;
constexpr int kFontHeight = 12;

// A pressed button takes the focus before it reports its click; once the click is through the
// focus goes back to the control that had it (kept in the button's user data).
LRESULT CALLBACK SpeedButtonProc(HWND button, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    switch (msg) {
        case WM_SETFOCUS:
            SetWindowLongPtrW(button, GWLP_USERDATA, static_cast<LONG_PTR>(wp));
            break;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED: {
            LRESULT r = DefSubclassProc(button, msg, wp, lp);
            auto previous = reinterpret_cast<HWND>(GetWindowLongPtrW(button, GWLP_USERDATA));
            if (GetFocus() == button && IsWindow(previous) &&
                GetParent(previous) == GetParent(button))
                SetFocus(previous);
            return r;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(button, &SpeedButtonProc, kSpeedButtonSubclass);
            break;
    }
    return DefSubclassProc(button, msg, wp, lp);
}

// Runs a modal loop for window until it is destroyed or done is set: the owner is disabled
// meanwhile and, unless it was disabled already, enabled again before the window goes (so
// activation returns to it). IsDialogMessage gives Tab, Enter and Escape their dialog meaning.
// Messages for other windows of the thread, WM_HOTKEY among them, are dispatched as usual.
void RunModalLoop(HWND window, HWND owner, const bool& done) {
    // A modal window opened from inside another one (a hot key reaches the resident window while
    // an editor is open) finds its owner already disabled and leaves it so.
    const bool wasEnabled = owner && !EnableWindow(owner, FALSE);
    MSG msg;
    while (!done && IsWindow(window)) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // hand the quit on to the outer loop
            break;
        }
        if (got == -1) break;
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (wasEnabled) EnableWindow(owner, TRUE);
}

}  // namespace

Form::Form(const FormFrame& frame, ModalCounter* counter) : frame_(frame), counter_(counter) {}

Form::~Form() = default;

int Form::Scale(int units) const { return ScaleToDpi(units, dpi_); }

RECT Form::ControlRect(const MadeControl& c, const wchar_t* caption) const {
    RECT r{Scale(c.x), Scale(c.y), Scale(c.x + c.width), Scale(c.y + c.height)};
    if (c.kind == ControlKind::Label && c.width <= 0) {
        // Sized to its caption in the form's font.
        wchar_t text[256] = L"";
        if (caption)
            lstrcpynW(text, caption, 256);
        else if (c.window)
            GetWindowTextW(c.window, text, 256);
        SIZE size{};
        if (HDC dc = GetDC(hwnd())) {
            SelectObjectGuard select(dc, Font());
            GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
            ReleaseDC(hwnd(), dc);
        }
        r.right = r.left + size.cx;
        r.bottom = r.top + size.cy;
    }
    return r;
}

HWND Form::AddControl(const FormControl& c) {
    const wchar_t* className = L"BUTTON";
    DWORD style = c.Style;
    switch (c.Kind) {
        case ControlKind::Label:
            className = L"STATIC";
            style |= SS_NOPREFIX;
            break;
        case ControlKind::Static:
            className = L"STATIC";
            break;
        case ControlKind::Edit:
            className = L"EDIT";
            style |= WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
            break;
        case ControlKind::Memo:
            className = L"EDIT";
            break;
        case ControlKind::Button:
            style |= WS_TABSTOP | BS_FLAT;
            break;
        case ControlKind::SpeedButton:
            style |= BS_PUSHBUTTON | BS_FLAT;
            break;
        case ControlKind::ComboBox:
            className = L"COMBOBOX";
            style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            break;
    }
    const wchar_t* caption = c.Caption ? c.Caption : L"";
    MadeControl made{nullptr, c.Kind, c.X, c.Y, c.Width, c.Height};
    const RECT r = ControlRect(made, caption);
    HWND control = CreateControl(hwnd(), className, caption, style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, c.Id, Font());
    made.window = control;
    made_.push_back(made);
    if (c.Kind == ControlKind::SpeedButton)
        SetWindowSubclass(control, &SpeedButtonProc, kSpeedButtonSubclass, 0);
    return control;
}

void Form::DpiChanged(int dpi, const RECT& suggested) {
    if (dpi != dpi_ && dpi > 0) {
        dpi_ = dpi;
        // The controls keep the old font until they have the new one.
        UniqueFont old = std::move(font_);
        font_.reset(CreateFormFont(Scale(kFontHeight)));
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
        for (const MadeControl& c : made_) {
            SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
            const RECT r = ControlRect(c, nullptr);
            MoveWindow(c.window, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        }
        FormDpiChanged();
    }
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void Form::Place() {
    RECT r;
    GetWindowRect(hwnd(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    Point at{};
    if (frame_.Place == FormPlace::Centred) {
        RECT desk;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &desk, 0);
        at = {desk.left + (desk.right - desk.left - w) / 2,
              desk.top + (desk.bottom - desk.top - h) / 2};
    } else {
        POINT pointer{};
        GetCursorPos(&pointer);
        at = PlaceAtPointer({pointer.x, pointer.y}, w, h, WorkAreaAt(pointer));
    }
    SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::FormShow() {
    if (HWND first = GetNextDlgTabItem(hwnd(), nullptr, FALSE)) SetFocus(first);
}

bool Form::RunModal(HWND owner, const FormControl* controls, std::size_t count) {
    // Where the user was: the window that gets the activation back when the form has gone.
    HWND previous = GetForegroundWindow();
    // The DPI of the monitor the form opens on: under the pointer, or the desktop's.
    POINT at{};
    if (frame_.Place == FormPlace::Centred) {
        RECT desk{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &desk, 0);
        at = {desk.left + (desk.right - desk.left) / 2, desk.top + (desk.bottom - desk.top) / 2};
    } else {
        GetCursorPos(&at);
    }
    dpi_ = DpiForPoint(at, owner);
    // An outer size scales as it is; a client size gets the frame the system draws at the DPI.
    SIZE outer{Scale(frame_.Width), Scale(frame_.Height)};
    if (frame_.ClientSize)
        outer = OuterSizeForClient(outer.cx, outer.cy, frame_.Style, frame_.ExStyle, dpi_);
    made_.clear();
    if (!Create(frame_.ClassName, frame_.Caption, frame_.Style, frame_.ExStyle, 0, 0, outer.cx,
                outer.cy, owner, frame_.Icon, frame_.Background))
        return false;
    if (counter_) counter_->ModalBegin();
    font_.reset(CreateFormFont(Scale(kFontHeight)));
    for (std::size_t k = 0; k < count; ++k) AddControl(controls[k]);
    FormCreate();
    Place();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    FormShow();
    done_ = false;
    RunModalLoop(hwnd(), owner, done_);
    FormClose();
    DestroyWindow(hwnd());
    if (previous && previous != owner && IsWindow(previous) && IsWindowVisible(previous) &&
        IsWindowEnabled(previous))
        SetForegroundWindow(previous);
    if (counter_) counter_->ModalEnd();
    return true;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE || (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL)) {
        CancelClick();
        return 0;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK) {
        OkClick();
        return 0;
    }
    if (msg == WM_DPICHANGED) {
        DpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
