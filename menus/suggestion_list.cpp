#include "menus/suggestion_list.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "core/placement.h"
#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

// Room beside the longest text: the list's own margin around its rows' texts.
constexpr int kTextMargin = 8;

}  // namespace

TSuggestionList::~TSuggestionList() {
    if (!list_) return;
    RemoveWindowSubclass(list_, &TSuggestionList::ListProc, 1);
    DestroyWindow(list_);
}

void TSuggestionList::Create(HWND owner, std::function<void(int)> clicked) {
    clicked_ = std::move(clicked);
    // Owned by the bar, which stays on top: so does the list. WS_EX_NOACTIVATE and the answer
    // to WM_MOUSEACTIVATE keep the bar active when the list is clicked.
    list_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"ListBox", L"",
                            WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
                            owner, nullptr, AppInstance(), nullptr);
    if (list_)
        SetWindowSubclass(list_, &TSuggestionList::ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void TSuggestionList::Show(const std::vector<std::wstring>& texts, const RECT& anchor, HFONT font) {
    texts_.assign(texts.begin(), texts.begin() + std::min(texts.size(), kMostRows));
    if (!list_ || texts_.empty()) {
        Hide();
        return;
    }
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    int widest = 0;
    {
        const WindowDc dc(list_);
        const SelectObjectGuard selected(dc.get(), font);
        for (const std::wstring& t : texts_) {
            SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
            SIZE size{};
            GetTextExtentPoint32W(dc.get(), t.c_str(), static_cast<int>(t.size()), &size);
            widest = std::max(widest, static_cast<int>(size.cx));
        }
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);

    const int rows = std::min<int>(kRows, static_cast<int>(texts_.size()));
    const int rowHeight = static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
    const int frame = 2 * GetSystemMetrics(SM_CYBORDER);
    int width = widest + kTextMargin + 2 * GetSystemMetrics(SM_CXBORDER);
    if (static_cast<int>(texts_.size()) > kRows) width += GetSystemMetrics(SM_CXVSCROLL);
    width = std::max(width, static_cast<int>(anchor.right - anchor.left));
    const Rect at =
        PlaceDropDown({anchor.left, anchor.top, anchor.right, anchor.bottom}, width,
                      rows * rowHeight + frame, WorkAreaAt(POINT{anchor.left, anchor.bottom}));
    SetWindowPos(list_, HWND_TOPMOST, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(list_, nullptr, TRUE);
}

void TSuggestionList::Hide() {
    if (list_) ShowWindow(list_, SW_HIDE);
}

int TSuggestionList::Chosen() const {
    if (!IsShown()) return -1;
    const LRESULT row = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

void TSuggestionList::Choose(int row) {
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

int TSuggestionList::Move(int step) {
    // The rows and "nothing chosen" (-1) form one ring.
    const int n = static_cast<int>(texts_.size());
    if (n == 0) return -1;
    const int row = (Chosen() + 1 + step + (n + 1)) % (n + 1) - 1;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    return row;
}

LRESULT CALLBACK TSuggestionList::ListProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR selfPtr) {
    auto* self = reinterpret_cast<TSuggestionList*>(selfPtr);
    switch (msg) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            // The list box would take the focus on a click; the row goes to the bar instead.
            const LRESULT hit = SendMessageW(h, LB_ITEMFROMPOINT, 0, lp);
            if (HIWORD(hit) == 0 && self->clicked_) self->clicked_(LOWORD(hit));
            return 0;
        }
    }
    return DefSubclassProc(h, msg, wp, lp);
}

}  // namespace zarv
