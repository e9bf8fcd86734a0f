#include "widgets/base/scaled_controls.h"

#include <commctrl.h>

#include "widgets/base/dpi.h"
#include "widgets/base/window.h"

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

// The window class and style of a kind of control.
const wchar_t* ClassOf(ControlKind kind, DWORD& style) {
    switch (kind) {
        case ControlKind::Label:
            style |= SS_NOPREFIX;
            return L"STATIC";
        case ControlKind::Static:
            return L"STATIC";
        case ControlKind::Edit:
            style |= WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
            return L"EDIT";
        case ControlKind::Memo:
            return L"EDIT";
        case ControlKind::Button:
            style |= WS_TABSTOP | BS_FLAT;
            return L"BUTTON";
        case ControlKind::SpeedButton:
            style |= BS_PUSHBUTTON | BS_FLAT;
            return L"BUTTON";
        case ControlKind::ComboBox:
            style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            return L"COMBOBOX";
        case ControlKind::Window:
            break;
    }
    return nullptr;
}

}  // namespace

ScaledControls::ScaledControls(std::function<void()> laidOut) : laidOut_(std::move(laidOut)) {}

bool ScaledControls::SetDpi(int dpi) {
    if (dpi == dpi_ || dpi <= 0) return false;
    dpi_ = dpi;
    // The controls keep the old font until LayOut gives them the new one.
    font_.reset(CreateFormFont(Scale(kFontHeight)));
    return true;
}

UniqueFont ScaledControls::SystemFontAtDpi() const {
    // The stock font is made for the system's DPI.
    const int system = SystemDpi();
    LOGFONTW lf{};
    if (dpi_ == system || !GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf))
        return UniqueFont();
    lf.lfHeight = MulDivRound(lf.lfHeight, dpi_, system);
    return UniqueFont(CreateFontIndirectW(&lf));
}

RECT ScaledControls::ControlRect(HWND parent, const FormControl& row,
                                 const wchar_t* caption) const {
    const Rect r = ScaleRectToDpi({row.X, row.Y, row.X + row.Width, row.Y + row.Height}, dpi_);
    RECT result{r.left, r.top, r.right, r.bottom};
    if (row.Kind == ControlKind::Label && row.Width <= 0) {
        SIZE size{};
        if (WindowDc dc(parent); dc) {
            SelectObjectGuard select(dc.get(), Font());
            size = TextSize(dc.get(), caption);
        }
        result.right = result.left + size.cx;
        result.bottom = result.top + size.cy;
    }
    return result;
}

HWND ScaledControls::Make(HWND parent, const FormControl& row) {
    DWORD style = row.Style;
    const wchar_t* className = ClassOf(row.Kind, style);
    const wchar_t* caption = row.Caption ? row.Caption : L"";
    const RECT r = ControlRect(parent, row, caption);
    HWND control = CreateControl(parent, className, caption, style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, row.Id, Font());
    if (!control) return nullptr;
    if (row.Kind == ControlKind::SpeedButton)
        SetWindowSubclass(control, &SpeedButtonProc, kSpeedButtonSubclass, 0);
    Made made{control, row};
    made.row.Caption = nullptr;
    made_.push_back(made);
    return control;
}

void ScaledControls::Keep(HWND window, const FormControl& row) {
    made_.push_back({window, row});
    made_.back().row.Caption = nullptr;
}

void ScaledControls::LayOut(HWND window) {
    const auto font = reinterpret_cast<WPARAM>(Font());
    SendMessageW(window, WM_SETFONT, font, FALSE);
    for (const Made& c : made_) {
        SendMessageW(c.window, WM_SETFONT, font, FALSE);
        wchar_t text[256] = L"";
        if (c.row.Kind == ControlKind::Label) GetWindowTextW(c.window, text, 256);
        const RECT r = ControlRect(GetParent(c.window), c.row, text);
        MoveWindow(c.window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    if (laidOut_) laidOut_();
}

void ScaledControls::DpiChanged(HWND window, WPARAM wp, LPARAM lp) {
    if (!SetDpi(HIWORD(wp))) return;
    LayOut(window);
    const RECT& suggested = *reinterpret_cast<const RECT*>(lp);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace zarv
