#include "widgets/button_bar.h"

#include <windowsx.h>

#include "widgets/base/handles.h"
#include "widgets/button_bar_accessible.h"
#include "widgets/button_bar_draw.h"

namespace zarv {

using bar_detail::Contains;
using bar_detail::FillSolid;

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kNextRepeatMs = 120;
constexpr int kBorder = 2;  // the sunken edge on every side

}  // namespace

// ---- TExpress ----------------------------------------------------------------------------------

TExpress::TExpress() : upArrow_(*this), downArrow_(*this), color_(GetSysColor(COLOR_BTNSHADOW)) {
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

TExpress::~TExpress() {
    if (hwnd()) KillTimer(hwnd(), kRepeatTimer);
    BarAccessibleGone(*this);
}

bool TExpress::Create(HWND parent, int x, int y, int width, int height) {
    // The arrows come with the window: flat, hidden, in front of the buttons.
    upArrow_.SetFlat(true);
    downArrow_.SetFlat(true);
    if (!Window::Create(L"TExpress", L"Outlook", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, x, y,
                        width, height, parent))
        return false;
    Arrange();
    return true;
}

void TExpress::SetColor(COLORREF color) {
    color_ = color;
    InvalidateItem({});
}

void TExpress::SetBitmap(HBITMAP bitmap) {
    bitmap_ = bitmap;
    InvalidateItem({});
}

void TExpress::SetFont(HFONT font) {
    font_ = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    InvalidateItem({});
}

void TExpress::SetHiLiteFont(HFONT font) {
    hiLiteFont_ = font;
    for (auto& b : buttons_) b->SetHiLiteFont(font);
}

void TExpress::SetLargeImages(HIMAGELIST images) {
    largeImages_ = images;
    for (auto& b : buttons_) b->SetLargeImages(images);
}

void TExpress::SetSmallImages(HIMAGELIST images) {
    smallImages_ = images;
    for (auto& b : buttons_) b->SetSmallImages(images);
}

void TExpress::SetImageSize(TImageSize size) {
    imageSize_ = size;
    for (auto& b : buttons_) b->ImageSizeNotice(size);
}

void TExpress::SetButtonHeight(int height) {
    if (buttonHeight_ == height) return;
    buttonHeight_ = height;
    for (auto& b : buttons_) b->height_ = Scale(height);
    InvalidateItem({});
}

void TExpress::SetScale(const ScaledControls& scale) {
    scale_ = &scale;
    for (auto& b : buttons_) b->height_ = Scale(buttonHeight_);
    InvalidateItem({});
}

void TExpress::SetMargin(int margin) {
    margin_ = margin;
    InvalidateItem({});
}

void TExpress::SetAutoRepeat(bool value) {
    upArrow_.SetAutoRepeat(value);
    downArrow_.SetAutoRepeat(value);
}

void TExpress::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd()) EnableWindow(hwnd(), enabled);
    InvalidateItem({});
}

void TExpress::SetPopUpMenu(HMENU menu) { popUpMenu_ = menu; }

TLookOutButton& TExpress::AddButton(const wchar_t* caption, int imageIndex, int top,
                                    std::function<void()> onClick) {
    auto button = std::make_unique<TLookOutButton>(*this);
    RECT client{};
    if (hwnd()) GetClientRect(hwnd(), &client);
    button->caption_ = caption ? caption : L"";
    button->imageIndex_ = imageIndex;
    button->top_ = top;
    button->width_ = client.right;
    button->height_ = Scale(buttonHeight_);
    button->hiLiteFont_ = hiLiteFont_;
    button->largeImages_ = largeImages_;
    button->smallImages_ = smallImages_;
    button->imageSize_ = imageSize_;
    button->cursor_ = LoadCursorW(nullptr, IDC_HAND);
    button->OnClick = std::move(onClick);
    buttons_.push_back(std::move(button));
    InvalidateItem({});
    return *buttons_.back();
}

bool TExpress::DialogChar(wchar_t ch) {
    wchar_t wanted[2] = {ch, 0};
    CharUpperW(wanted);
    for (auto& b : buttons_) {
        if (!b->enabled_ || !b->visible_) continue;
        const std::wstring& c = b->caption_;
        for (size_t i = 0; i + 1 < c.size(); ++i) {
            if (c[i] != L'&') continue;
            if (c[i + 1] == L'&') {
                ++i;
                continue;
            }
            wchar_t letter[2] = {c[i + 1], 0};
            CharUpperW(letter);
            if (letter[0] == wanted[0]) {
                b->Click();
                return true;
            }
            break;
        }
    }
    return false;
}

void TExpress::ScrollUp() {
    scrollIndex_ = ScrollUpIndex(scrollIndex_);
    InvalidateItem({});
}

void TExpress::ScrollDown() {
    scrollIndex_ = ScrollDownIndex(scrollIndex_, static_cast<int>(buttons_.size()));
    InvalidateItem({});
}

void TExpress::InvalidateItem(const RECT& r) {
    if (!hwnd()) return;
    bool whole = r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
    InvalidateRect(hwnd(), whole ? nullptr : &r, FALSE);
}

void TExpress::SendHotNotice(const TLookOutButton* sender) {
    for (auto& b : buttons_) b->HotNotice(sender);
}

void TExpress::SendGroupDownNotice(int group, const TLookOutButton* sender) {
    for (auto& b : buttons_) b->GroupDownNotice(group, sender);
}

std::vector<BarItem> TExpress::Items() const {
    std::vector<BarItem> items;
    items.reserve(buttons_.size());
    for (auto& b : buttons_) items.push_back({b->top_, b->height_, b->visible_});
    return items;
}

void TExpress::PlaceArrowRects() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int arrow = Scale(kArrowHeight);
    upArrow_.rect_ = {0, 0, client.right, arrow};
    downArrow_.rect_ = {0, client.bottom - arrow, client.right, client.bottom};
}

bool TExpress::ArrangeOnce() {
    RECT client{}, window{};
    GetClientRect(hwnd(), &client);
    GetWindowRect(hwnd(), &window);
    for (auto& b : buttons_) {
        b->left_ = 0;
        b->width_ = client.right;
        b->height_ = Scale(buttonHeight_);
    }
    BarArrangement a =
        ArrangeBar({upArrow_.visible_, downArrow_.visible_}, window.bottom - window.top,
                   client.right, client.bottom, Items(), scrollIndex_, Scale(margin_), Dpi());
    bool changed = a.arrows.up != upArrow_.visible_ || a.arrows.down != downArrow_.visible_;
    upArrow_.visible_ = a.arrows.up;
    downArrow_.visible_ = a.arrows.down;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        changed = changed || buttons_[i]->top_ != a.tops[i];
        buttons_[i]->top_ = a.tops[i];
    }
    return changed;
}

void TExpress::Arrange() {
    if (!hwnd()) return;
    // Moved buttons change what the arrows' fit test sees, and a new up arrow moves the buttons:
    // repeated until nothing moves (two rounds at most in practice).
    bool changed = false;
    for (int round = 0; round < 4 && ArrangeOnce(); ++round) changed = true;
    PlaceArrowRects();
    if (!upArrow_.visible_) upArrow_.pressed_ = upArrow_.hover_ = false;
    if (!downArrow_.visible_) downArrow_.pressed_ = downArrow_.hover_ = false;
    // Anything that moved is painted in its new place.
    if (changed) InvalidateRect(hwnd(), nullptr, FALSE);
}

void TExpress::FormPaint() {
    Arrange();
    PaintDc paint(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    // Drawn off-screen first, so that nothing flickers while the mouse moves over the buttons.
    UniqueDc memory(CreateCompatibleDC(paint.dc()));
    UniqueGdiObject bitmap(OffscreenBitmap(client.right, client.bottom));
    SelectObjectGuard selectBitmap(memory.get(), bitmap.get());
    HDC dc = memory.get();

    BITMAP bm{};
    if (bitmap_ && GetObjectW(bitmap_, sizeof bm, &bm) && bm.bmWidth > 0 && bm.bmHeight > 0) {
        UniqueDc tile(CreateCompatibleDC(dc));
        SelectObjectGuard selectTile(tile.get(), bitmap_);
        for (int y = 0; y < client.bottom; y += bm.bmHeight)
            for (int x = 0; x < client.right; x += bm.bmWidth)
                BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, tile.get(), 0, 0, SRCCOPY);
    } else {
        FillSolid(dc, client, color_);
    }

    for (int i : OrderByTop(Items())) {
        TLookOutButton& b = *buttons_[i];
        RECT r = b.BoundsRect();
        RECT visible{};
        if (!b.visible_ || !IntersectRect(&visible, &r, &client)) continue;
        SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        SetViewportOrgEx(dc, r.left, r.top, nullptr);
        b.Paint(dc);
        RestoreDC(dc, -1);
    }
    bool enabled = IsWindowEnabled(hwnd()) != FALSE;
    if (upArrow_.visible_) upArrow_.Paint(dc, color_, enabled);
    if (downArrow_.visible_) downArrow_.Paint(dc, color_, enabled);

    const RECT& r = paint.rect();
    BitBlt(paint.dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, dc, r.left, r.top,
           SRCCOPY);
}

void TExpress::StartRepeat(TUpArrowBtn* arrow) {
    repeating_ = arrow;
    SetTimer(hwnd(), kRepeatTimer, kFirstRepeatMs, nullptr);
}

void TExpress::StopRepeat() {
    if (!repeating_) return;
    repeating_ = nullptr;
    KillTimer(hwnd(), kRepeatTimer);
}

LRESULT TExpress::NcCalcSize(WPARAM wp, LPARAM lp) {
    RECT* r = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
    InflateRect(r, -kBorder, -kBorder);
    return 0;
}

void TExpress::NcPaint() {
    HDC dc = GetWindowDC(hwnd());
    if (!dc) return;
    RECT window{};
    GetWindowRect(hwnd(), &window);
    OffsetRect(&window, -window.left, -window.top);
    ExcludeClipRect(dc, kBorder, kBorder, window.right - kBorder, window.bottom - kBorder);
    DrawEdge(dc, &window, EDGE_SUNKEN, BF_RECT);
    ReleaseDC(hwnd(), dc);
}

LRESULT TExpress::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
        case WM_NCCALCSIZE:
            return NcCalcSize(wp, lp);
        case WM_NCPAINT:
            NcPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            FormPaint();
            return 0;
        case WM_SIZE:
            Arrange();
            InvalidateItem({});
            return 0;
        case WM_ENABLE:
            InvalidateItem({});
            return 0;
        case WM_MOUSEMOVE:
            MouseMoveTo(pt);
            return 0;
        case WM_MOUSELEAVE:
            MouseLeft();
            return 0;
        case WM_LBUTTONDOWN:
            MouseDown(TBarMouseButton::Left, pt);
            return 0;
        case WM_RBUTTONDOWN:
            MouseDown(TBarMouseButton::Right, pt);
            return 0;
        case WM_MBUTTONDOWN:
            MouseDown(TBarMouseButton::Middle, pt);
            return 0;
        case WM_LBUTTONUP:
            MouseUp(TBarMouseButton::Left, pt);
            return 0;
        case WM_RBUTTONUP:
            MouseUp(TBarMouseButton::Right, pt);
            return 0;
        case WM_MBUTTONUP:
            MouseUp(TBarMouseButton::Middle, pt);
            return 0;
        case WM_CAPTURECHANGED:
            // Taken away by another window (a menu, a dialog): the press ends without a click.
            if (reinterpret_cast<HWND>(lp) != hwnd()) {
                if (TLookOutButton* b = std::exchange(captureButton_, nullptr)) {
                    if (!b->down_) b->pushed_ = false;
                    b->Repaint();
                }
                if (TUpArrowBtn* a = std::exchange(captureArrow_, nullptr)) a->pressed_ = false;
                StopRepeat();
            }
            return 0;
        case WM_TIMER:
            if (wp == kRepeatTimer && repeating_) {
                SetTimer(hwnd(), kRepeatTimer, kNextRepeatMs, nullptr);
                repeating_->TimerExpired();
            }
            return 0;
        case WM_GETOBJECT:
            if (LRESULT object = BarAccessibleObject(*this, wp, lp)) return object;
            break;
        case kClickMessage:
            if (wp < buttons_.size() && buttons_[wp]->enabled_ && buttons_[wp]->visible_)
                buttons_[wp]->Click();
            return 0;
        case WM_DESTROY:
            BarAccessibleGone(*this);
            break;
        case WM_SETCURSOR:
            if (LOWORD(lp) == HTCLIENT) {
                POINT cursor{};
                GetCursorPos(&cursor);
                ScreenToClient(hwnd(), &cursor);
                TLookOutButton* b = ButtonAt(cursor);
                if (b && b->cursor_) {
                    ::SetCursor(b->cursor_);
                    return TRUE;
                }
            }
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
