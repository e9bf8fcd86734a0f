#include "menus/command_bar.h"

#include <commctrl.h>
#include <windowsx.h>

#include "core/placement.h"
#include "widgets/base/ansi.h"
#include "widgets/base/dpi.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

constexpr int kButtonId = 2;
constexpr int kBoxId = 1;
// The frame around the input box's selection field: 20 - 14 pixels at 96 dpi. The system draws
// it the same at every DPI, so the field's item height makes up the rest of the scaled height.
constexpr int kBoxFrame = 6;

}  // namespace

// The white panel that fills the bar: its bevel, the drag handle and the right-click menu.
class TCommandBar::TPanel : public Window {
public:
    TPanel(HWND parent, CommandBarHost& host, int width, int height) : host_(host) {
        Create(L"TPanel", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, width, height,
               parent, nullptr, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
            case WM_PAINT: {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(hwnd(), &ps);
                RECT r;
                GetClientRect(hwnd(), &r);
                FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
                // Outer bevel lowered, inner bevel raised.
                DrawEdge(dc, &r, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
                EndPaint(hwnd(), &ps);
                return 0;
            }
            case WM_LBUTTONDOWN:
                host_.Panel1MouseDown(0, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
                return 0;
            case WM_RBUTTONDOWN:
                host_.Panel1MouseDown(1, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
                return 0;
            case WM_CONTEXTMENU: {
                // Right click anywhere on the bar but in the input box (whose edit has its own).
                POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                if (pt.x == -1 && pt.y == -1) GetCursorPos(&pt);
                host_.BarContextMenu(pt.x, pt.y);
                return 0;
            }
            case WM_COMMAND:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORLISTBOX:
            case WM_MEASUREITEM:
            case WM_DRAWITEM:
                // The controls sit on the panel; their notices belong to the bar.
                return SendMessageW(GetParent(hwnd()), msg, wp, lp);
        }
        return Window::HandleMessage(msg, wp, lp);
    }

private:
    CommandBarHost& host_;
};

TCommandBar::TCommandBar() = default;

TCommandBar::~TCommandBar() {
    if (edit_) RemoveWindowSubclass(edit_, &TCommandBar::EditProc, 1);
}

HWND TCommandBar::Panel1() const { return panel_ ? panel_->hwnd() : nullptr; }

void TCommandBar::Create(HWND bar, CommandBarHost& host) {
    bar_ = bar;
    host_ = &host;
    LayOut(DpiForWindow(bar_));
}

void TCommandBar::LayOut(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    layout_ = CommandBarLayoutForDpi(dpi);
    UniqueFont old = std::move(font_);  // the controls use it until they have the new one
    font_.reset(CreateFormFont(layout_.fontHeight));
    SetWindowPos(bar_, nullptr, 0, 0, layout_.client.width, layout_.client.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (panel_) FitControls(true);
}

void TCommandBar::FitControls(bool move) {
    const Rect& box = layout_.box;
    const Rect& b = layout_.button;
    if (move) {
        MoveWindow(panel_->hwnd(), 0, 0, layout_.client.width, layout_.client.height, TRUE);
        // The height given to a drop-down combo box includes its list.
        MoveWindow(commandBox_, box.left, box.top, box.right - box.left, ScaleToDpi(200, dpi_),
                   TRUE);
        MoveWindow(button_, b.left, b.top, b.right - b.left, b.bottom - b.top, TRUE);
    }
    const auto font = reinterpret_cast<WPARAM>(font_.get());
    SendMessageW(commandBox_, WM_SETFONT, font, move);
    SendMessageW(button_, WM_SETFONT, font, move);
    // Selection field 14 + frame = 20 pixels high; list items 12 pixels (at 96 dpi).
    SendMessageW(commandBox_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 (box.bottom - box.top) - kBoxFrame);
    SendMessageW(commandBox_, CB_SETITEMHEIGHT, 0, layout_.listItemHeight);
}

void TCommandBar::MakeControls() {
    if (panel_) return;
    EnsureCommonControls();
    const Rect& box = layout_.box;
    const Rect& b = layout_.button;
    panel_ = std::make_unique<TPanel>(bar_, *host_, layout_.client.width, layout_.client.height);
    HWND panel = panel_->hwnd();
    // The height given to a drop-down combo box includes its list.
    commandBox_ = CreateWindowExW(
        0, WC_COMBOBOXW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, box.left,
        box.top, box.right - box.left, ScaleToDpi(200, dpi_), panel,
        reinterpret_cast<HMENU>(kBoxId), AppInstance(), nullptr);
    button_ =
        CreateWindowExW(0, WC_BUTTONW, L"実行", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_FLAT,
                        b.left, b.top, b.right - b.left, b.bottom - b.top, panel,
                        reinterpret_cast<HMENU>(kButtonId), AppInstance(), nullptr);
    FitControls(false);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(commandBox_, &info)) edit_ = info.hwndItem;
    if (edit_)
        SetWindowSubclass(edit_, &TCommandBar::EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    FillNames(names_);
    std::vector<std::wstring>().swap(names_);
}

void TCommandBar::FillNames(const std::vector<std::wstring>& names) {
    SendMessageW(commandBox_, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& name : names)
        SendMessageW(commandBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

LRESULT CALLBACK TCommandBar::EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR selfPtr) {
    auto* self = reinterpret_cast<TCommandBar*>(selfPtr);
    if (msg == WM_CHAR && (wp == VK_RETURN || wp == VK_ESCAPE)) return 0;  // no beep
    if (msg == WM_KEYDOWN) {
        // The combo box handles the key first (Enter takes the item picked in an open list),
        // then the bar's handler sees it.
        LRESULT r = DefSubclassProc(h, msg, wp, lp);
        if (self->host_) self->host_->CommandBoxKeyDown(wp);
        return r;
    }
    return DefSubclassProc(h, msg, wp, lp);
}

void TCommandBar::ShowAtPointer() {
    POINT pt{};
    GetCursorPos(&pt);
    LayOut(DpiForPoint(pt, bar_));
    MakeControls();
    const int width = layout_.client.width, height = layout_.client.height;
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    Rect area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi))
        area = Rect{mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom};
    Point p = PlaceBarAtPointer(Point{pt.x, pt.y}, width, height, area);
    SetWindowPos(bar_, HWND_TOPMOST, p.x, p.y, width, height, SWP_NOACTIVATE);
    SetWindowTextW(commandBox_, L"");
    ShowWindow(bar_, SW_SHOW);
    SetForegroundWindow(bar_);
    SetFocus(commandBox_);
}

void TCommandBar::DpiChanged(int dpi, const RECT& suggested) {
    // Placing the bar at the pointer lays it out for the pointer's monitor before it moves
    // there: the notice that follows the move finds it done.
    if (dpi == dpi_) return;
    LayOut(dpi);
    SetWindowPos(bar_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCommandBar::Hide() {
    if (commandBox_) SendMessageW(commandBox_, CB_SHOWDROPDOWN, FALSE, 0);
    ShowWindow(bar_, SW_HIDE);
}

bool TCommandBar::IsShown() const { return IsWindowVisible(bar_) != FALSE; }

std::wstring TCommandBar::Text() const {
    if (!commandBox_) return {};
    int n = GetWindowTextLengthW(commandBox_);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(commandBox_, w.data(), n + 1);
    w.resize(static_cast<size_t>(n));
    return w;
}

int TCommandBar::FindName(const std::wstring& text) {
    // The combo box's own search, so that the comparison is always the one the bar runs with.
    MakeControls();
    LRESULT k = SendMessageW(commandBox_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(text.c_str()));
    return k == CB_ERR ? -1 : static_cast<int>(k);
}

void TCommandBar::RefillNames(const std::vector<TCommandItem>& commands) {
    std::vector<std::wstring> names;
    names.reserve(commands.size());
    for (const TCommandItem& c : commands) names.push_back(AnsiToWide(c.Name));
    if (panel_) {
        FillNames(names);
    } else {
        names_ = std::move(names);
    }
}

}  // namespace zarv
