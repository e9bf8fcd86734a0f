// The windowless parts of the button bar: its picture buttons and its scroll arrows.
#include "widgets/button_bar.h"

#include "widgets/base/handles.h"
#include "widgets/button_bar_draw.h"

namespace zarv {

using bar_detail::FillSolid;
using bar_detail::Frame3D;

namespace {

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

ImageListSize SizeOf(HIMAGELIST images) {
    ImageListSize size;
    if (images && ImageList_GetIconSize(images, &size.width, &size.height)) size.set = true;
    return size;
}

}  // namespace

// ---- TLookOutButton ----------------------------------------------------------------------------

TLookOutButton::TLookOutButton(TExpress& parent) : parent_(parent) {}

void TLookOutButton::Click() {
    // The handler may close the window that holds this button: call a copy, touch nothing after.
    std::function<void()> handler = OnClick;
    if (handler) handler();
}

void TLookOutButton::Assign(const TLookOutButton& source) {
    pressOffset_ = source.pressOffset_;
    height_ = source.height_;
    width_ = source.width_;
    border_ = source.border_;
    caption_ = source.caption_;
    SetDown(source.down_);
    font_ = source.font_;
    hiLiteFont_ = source.hiLiteFont_;
    parentImageSize_ = source.parentImageSize_;
    imageSize_ = source.imageSize_;
    imageIndex_ = source.imageIndex_;
    largeImages_ = source.largeImages_;
    smallImages_ = source.smallImages_;
    spacing_ = source.spacing_;
    parent_.InvalidateItem({});
}

void TLookOutButton::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (!enabled_) hot_ = pushed_ = down_;
    Repaint();
}

void TLookOutButton::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    parent_.InvalidateItem({});
}

void TLookOutButton::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    Repaint();
}

void TLookOutButton::SetImageIndex(int index) {
    imageIndex_ = index;
    Repaint();
}

void TLookOutButton::SetButtonBorder(TButtonBorder border) {
    border_ = border;
    Repaint();
}

void TLookOutButton::SetSpacing(int spacing) {
    spacing_ = spacing;
    Repaint();
}

void TLookOutButton::SetImageSize(TImageSize size) {
    imageSize_ = size;
    Repaint();
}

void TLookOutButton::SetParentImageSize(bool value) {
    parentImageSize_ = value;
    if (value) SetImageSize(parent_.ImageSize());
}

void TLookOutButton::SetLargeImages(HIMAGELIST images) {
    largeImages_ = images;
    Repaint();
}

void TLookOutButton::SetSmallImages(HIMAGELIST images) {
    smallImages_ = images;
    Repaint();
}

void TLookOutButton::SetFont(HFONT font) {
    font_ = font;
    Repaint();
}

void TLookOutButton::SetHiLiteFont(HFONT font) {
    hiLiteFont_ = font;
    Repaint();
}

void TLookOutButton::SetPopUpMenu(HMENU menu) { popUpMenu_ = menu; }
void TLookOutButton::SetCursor(HCURSOR cursor) { cursor_ = cursor; }

void TLookOutButton::SetDown(bool down) {
    if (down_ == down) return;
    down_ = down;
    if (down_) {
        hot_ = pushed_ = true;
        if (groupIndex_ != 0) parent_.SendGroupDownNotice(groupIndex_, this);
    } else {
        pushed_ = false;
    }
    Repaint();
}

void TLookOutButton::SetGroupIndex(int index) {
    if (groupIndex_ == index) return;
    groupIndex_ = index;
    if (groupIndex_ != 0) parent_.SendGroupDownNotice(groupIndex_, this);
}

void TLookOutButton::SetTop(int top) {
    top_ = top;
    parent_.InvalidateItem({});
}

void TLookOutButton::SetWidth(int width) {
    width_ = width;
    parent_.InvalidateItem({});
}

void TLookOutButton::SetHeight(int height) {
    height_ = height;
    parent_.InvalidateItem({});
}

void TLookOutButton::Repaint() { parent_.InvalidateItem(BoundsRect()); }

HFONT TLookOutButton::CurrentFont() const {
    HFONT normal = font_ ? font_ : parent_.Font();
    if (hot_ && hiLiteFont_) return hiLiteFont_;
    return normal;
}

ButtonFace TLookOutButton::Face() const {
    return ButtonFaceLayout(width_, height_, parent_.Scale(spacing_), imageSize_,
                            SizeOf(largeImages_), SizeOf(smallImages_), pushed_,
                            parent_.Scale(pressOffset_));
}

void TLookOutButton::DrawFrame(HDC dc) {
    if (!enabled_ || !hot_) return;
    FrameColors colors = ButtonFrameColors(border_, pushed_);
    Frame3D(dc, ToRect(Face().frame), GetSysColor(colors.topLeft), GetSysColor(colors.bottomRight));
}

void TLookOutButton::Paint(HDC dc) {
    ButtonFace face = Face();
    DrawFrame(dc);
    HIMAGELIST images = face.source == ImageSource::Large   ? largeImages_
                        : face.source == ImageSource::Small ? smallImages_
                                                            : nullptr;
    if (images)
        ImageList_Draw(images, imageIndex_, dc, face.image.left, face.image.top, ILD_TRANSPARENT);
    if (caption_.empty()) return;
    SelectObjectGuard font(dc, CurrentFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT text = ToRect(face.text);
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text, face.flags);
}

void TLookOutButton::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter();
    hot_ = true;
    Repaint();
}

void TLookOutButton::MouseExit() {
    if (OnMouseExit) OnMouseExit();
    if (hot_ && !down_) {
        hot_ = false;
        Repaint();
    }
}

void TLookOutButton::MouseMove(POINT pt) {
    if (OnMouseMove) OnMouseMove(pt);
    bool inside = pt.x >= 0 && pt.y >= 0 && pt.x < width_ && pt.y < height_;
    if (inside && !hot_) {
        hot_ = true;
        Repaint();
        parent_.SendHotNotice(this);
    } else if (!inside && hot_) {
        hot_ = false;
        Repaint();
    }
}

void TLookOutButton::MouseDown(TBarMouseButton button, POINT pt) {
    if (OnMouseDown) OnMouseDown(button, pt);
    if (button == TBarMouseButton::Right && popUpMenu_)
        bar_detail::PopUpAt(popUpMenu_, parent_.hwnd(), {left_ + pt.x, top_ + pt.y});
    if (button == TBarMouseButton::Left && hot_) {
        pushed_ = true;
    } else if (!down_) {
        pushed_ = false;
    }
    if (groupIndex_ != 0) SetDown(!down_);
    Repaint();
}

void TLookOutButton::MouseUp(TBarMouseButton button, POINT pt) {
    if (OnMouseUp) OnMouseUp(button, pt);
    if (pushed_ && !down_) {
        pushed_ = false;
        Repaint();
    }
}

void TLookOutButton::HotNotice(const TLookOutButton* sender) {
    if (sender != this && hot_ && !down_) {
        hot_ = false;
        Repaint();
    }
}

void TLookOutButton::GroupDownNotice(int group, const TLookOutButton* sender) {
    if (sender == this || group != groupIndex_ || !sender->down_ || !pushed_) return;
    down_ = pushed_ = hot_ = false;
    Repaint();
}

void TLookOutButton::ImageSizeNotice(TImageSize size) {
    if (parentImageSize_) SetImageSize(size);
}

// ---- Arrows ------------------------------------------------------------------------------------

void TUpArrowBtn::Scroll() { parent_.ScrollUp(); }
void TDownArrowBtn::Scroll() { parent_.ScrollDown(); }

void TUpArrowBtn::TimerExpired() {
    if (pressed_ && visible_ && GetCapture() == parent_.hwnd()) Scroll();
}

void TUpArrowBtn::Paint(HDC dc, COLORREF color, bool enabled) {
    const bool down = IsDown();
    UINT state = DFCS_SCROLLUP;
    if (down) state = DFCS_SCROLLDOWN;
    if (pressed_) state |= DFCS_PUSHED;
    if (!enabled) state |= DFCS_INACTIVE;
    RECT draw = rect_;
    if (flat_) {
        InflateRect(&draw, 1, 1);
        if (!hover_) {
            state |= DFCS_FLAT;
            const int out = parent_.Scale(2);
            OffsetRect(&draw, 0, down ? out : -out);  // the picture moves outwards
        }
    }
    SaveDC(dc);
    IntersectClipRect(dc, rect_.left, rect_.top, rect_.right, rect_.bottom);
    FillSolid(dc, rect_, color);
    DrawFrameControl(dc, &draw, DFC_SCROLL, state);
    if (flat_ && hover_) {
        COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
        if (!pressed_)
            Frame3D(dc, rect_, white, black);
        else
            Frame3D(dc, rect_, black, down ? GetSysColor(COLOR_BTNSHADOW) : white);
    }
    RestoreDC(dc, -1);
}

}  // namespace zarv
