// The button bar under the mouse: which button or arrow a point hits, the hot button that follows
// the pointer, and the press that clicks only when released over the button it began on.
#include "widgets/button_bar.h"

#include "widgets/button_bar_draw.h"

namespace zarv {

using bar_detail::Contains;

TUpArrowBtn* TExpress::ArrowAt(POINT pt) {
    if (downArrow_.visible_ && Contains(downArrow_.rect_, pt)) return &downArrow_;
    if (upArrow_.visible_ && Contains(upArrow_.rect_, pt)) return &upArrow_;
    return nullptr;
}

TLookOutButton* TExpress::ButtonAt(POINT pt) {
    if (ArrowAt(pt)) return nullptr;  // the arrows lie in front
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (!Contains(client, pt)) return nullptr;
    // The later of overlapping buttons is drawn last, so it is the one seen.
    for (auto it = buttons_.rbegin(); it != buttons_.rend(); ++it) {
        TLookOutButton& b = **it;
        if (b.visible_ && b.enabled_ && Contains(b.BoundsRect(), pt)) return &b;
    }
    return nullptr;
}

void TExpress::MouseMoveTo(POINT pt) {
    // Asked again at every move: a capture ends the system's tracking.
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd(), 0};
    TrackMouseEvent(&tme);
    TUpArrowBtn* arrow = ArrowAt(pt);
    if (arrow != mouseArrow_) {
        if (mouseArrow_) mouseArrow_->hover_ = false;
        if (arrow) arrow->hover_ = true;
        mouseArrow_ = arrow;
        InvalidateRect(hwnd(), &upArrow_.rect_, FALSE);
        InvalidateRect(hwnd(), &downArrow_.rect_, FALSE);
    }
    TLookOutButton* button = ButtonAt(pt);
    // While a button holds the mouse, no other one lights up.
    if (captureButton_ && button != captureButton_) button = nullptr;
    if (button != mouseButton_) {
        TLookOutButton* old = mouseButton_;
        mouseButton_ = button;
        if (old) old->MouseExit();
        if (button) button->MouseEnter();
    }
    // Moves go to the button holding the mouse, else to the one under it.
    TLookOutButton* target = captureButton_ ? captureButton_ : button;
    if (target) target->MouseMove({pt.x - target->left_, pt.y - target->top_});
}

void TExpress::MouseLeft() {
    if (GetCapture() == hwnd()) return;  // moves outside still arrive
    if (mouseArrow_) {
        mouseArrow_->hover_ = false;
        mouseArrow_ = nullptr;
        InvalidateItem({});
    }
    if (TLookOutButton* old = mouseButton_) {
        mouseButton_ = nullptr;
        old->MouseExit();
    }
}

void TExpress::MouseDown(TBarMouseButton button, POINT pt) {
    // A press may come without a move before it (the bar appeared under the pointer): the
    // button under it lights first, so that the press shows.
    if (!captureButton_) MouseMoveTo(pt);
    if (TUpArrowBtn* arrow = ArrowAt(pt)) {
        if (button != TBarMouseButton::Left) return;
        arrow->pressed_ = true;
        captureArrow_ = arrow;
        SetCapture(hwnd());
        if (arrow->autoRepeat_) StartRepeat(arrow);
        InvalidateRect(hwnd(), &arrow->rect_, FALSE);
        return;
    }
    TLookOutButton* target = ButtonAt(pt);
    if (!target) {
        if (button == TBarMouseButton::Right && popUpMenu_)
            bar_detail::PopUpAt(popUpMenu_, hwnd(), pt);
        return;
    }
    if (button == TBarMouseButton::Left) {
        captureButton_ = target;
        SetCapture(hwnd());
    }
    target->MouseDown(button, {pt.x - target->left_, pt.y - target->top_});
}

void TExpress::MouseUp(TBarMouseButton button, POINT pt) {
    if (button == TBarMouseButton::Left && captureArrow_) {
        TUpArrowBtn* arrow = captureArrow_;
        captureArrow_ = nullptr;
        StopRepeat();
        ReleaseCapture();
        arrow->pressed_ = false;
        InvalidateItem({});
        POINT screen = pt;
        ClientToScreen(hwnd(), &screen);
        if (WindowFromPoint(screen) != hwnd()) MouseLeft();
        if (arrow->visible_ && Contains(arrow->rect_, pt)) arrow->Scroll();
        return;
    }
    if (button != TBarMouseButton::Left) {
        if (TLookOutButton* target = ButtonAt(pt))
            target->MouseUp(button, {pt.x - target->left_, pt.y - target->top_});
        return;
    }
    TLookOutButton* target = captureButton_;
    captureButton_ = nullptr;
    if (!target) return;
    ReleaseCapture();
    POINT local{pt.x - target->left_, pt.y - target->top_};
    target->MouseUp(button, local);
    POINT screen = pt;
    ClientToScreen(hwnd(), &screen);
    if (WindowFromPoint(screen) != hwnd()) MouseLeft();  // released outside the bar
    // Last: the click may close the window that holds the bar.
    if (target->enabled_ && target->visible_ && local.x >= 0 && local.y >= 0 &&
        local.x < target->width_ && local.y < target->height_)
        target->Click();
}

}  // namespace zarv
