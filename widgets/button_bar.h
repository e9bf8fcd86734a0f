#pragma once
// A vertical bar of large picture buttons: each button shows a 32 x 32 picture with its caption
// underneath, lights a 3-D frame around the picture while the mouse is over it, shows the frame
// sunken while pressed and raises OnClick when released over it. The bar has a sunken 2-pixel
// border and grows two scroll arrows when its buttons do not fit its height.
//
// The buttons and arrows are windowless: the bar's window paints them and hands them its mouse
// messages. Their positions come from core/button_bar_layout.h at every paint.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/button_bar_layout.h"
#include "widgets/base/scaled_controls.h"
#include "widgets/base/window.h"

namespace zarv {

class TExpress;
class BarAccessible;

enum class TBarMouseButton { Left, Right, Middle };

// A windowless picture button of a TExpress. Sizes and positions are in the bar's client
// coordinates. Fonts, image lists, menu and cursor are not owned.
class TLookOutButton {
public:
    explicit TLookOutButton(TExpress& parent);
    TLookOutButton(const TLookOutButton&) = delete;
    TLookOutButton& operator=(const TLookOutButton&) = delete;

    // Raises OnClick, as a left release over the button does. Owners call it for their keys.
    void Click();
    // Copies the look from another button: press offset, size, border, caption, Down, fonts,
    // image size and lists, image index and spacing (not the group, menu or events).
    void Assign(const TLookOutButton& source);

    void SetEnabled(bool enabled);  // disabled: picture and caption, never a frame
    bool Enabled() const { return enabled_; }
    void SetVisible(bool visible);
    bool Visible() const { return visible_; }

    void SetCaption(const std::wstring& caption);  // "&" marks the accelerator letter
    const std::wstring& Caption() const { return caption_; }
    // The key that acts as the button, as a screen reader names it ("Insert"); not drawn.
    void SetShortcut(const std::wstring& keys) { shortcut_ = keys; }
    const std::wstring& Shortcut() const { return shortcut_; }
    void SetImageIndex(int index);
    int ImageIndex() const { return imageIndex_; }
    void SetButtonBorder(TButtonBorder border);
    TButtonBorder ButtonBorder() const { return border_; }
    void SetSpacing(int spacing);  // around the picture, at 96 dpi [4]
    int Spacing() const { return spacing_; }
    void SetImageSize(TImageSize size);
    TImageSize ImageSize() const { return imageSize_; }
    void SetParentImageSize(bool value);  // true: takes the bar's image size
    bool ParentImageSize() const { return parentImageSize_; }
    void SetLargeImages(HIMAGELIST images);
    void SetSmallImages(HIMAGELIST images);
    void SetFont(HFONT font);        // nullptr: the bar's font
    void SetHiLiteFont(HFONT font);  // the caption's font while hot; nullptr: the font
    void SetPopUpMenu(HMENU menu);   // opened by a right press
    void SetCursor(HCURSOR cursor);  // nullptr: the arrow

    // Down holds the button hot and pushed until cleared. With a GroupIndex, a press toggles
    // Down, and a button going Down releases the other pushed button of its group.
    void SetDown(bool down);
    bool Down() const { return down_; }
    void SetGroupIndex(int index);
    int GroupIndex() const { return groupIndex_; }

    void SetTop(int top);
    int Top() const { return top_; }
    int Left() const { return left_; }
    void SetWidth(int width);
    int Width() const { return width_; }
    void SetHeight(int height);
    int Height() const { return height_; }
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

    bool Hot() const { return hot_; }
    bool Pushed() const { return pushed_; }

    std::function<void()> OnClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseExit;
    std::function<void(TBarMouseButton, POINT)> OnMouseDown;  // point in button coordinates
    std::function<void(TBarMouseButton, POINT)> OnMouseUp;
    std::function<void(POINT)> OnMouseMove;

private:
    friend class TExpress;
    void Paint(HDC dc);
    void DrawFrame(HDC dc);
    void Repaint();
    void MouseEnter();
    void MouseExit();
    void MouseMove(POINT pt);
    void MouseDown(TBarMouseButton button, POINT pt);
    void MouseUp(TBarMouseButton button, POINT pt);
    // The notices between sibling buttons.
    void HotNotice(const TLookOutButton* sender);
    void GroupDownNotice(int group, const TLookOutButton* sender);
    void ImageSizeNotice(TImageSize size);
    HFONT CurrentFont() const;
    ButtonFace Face() const;

    TExpress& parent_;
    std::wstring caption_;
    std::wstring shortcut_;
    int imageIndex_ = 0;
    TButtonBorder border_ = bbDark;
    int spacing_ = 4;
    TImageSize imageSize_ = isLarge;
    bool parentImageSize_ = true;
    HIMAGELIST largeImages_ = nullptr;
    HIMAGELIST smallImages_ = nullptr;
    HFONT font_ = nullptr;
    HFONT hiLiteFont_ = nullptr;
    HMENU popUpMenu_ = nullptr;
    HCURSOR cursor_ = nullptr;
    bool enabled_ = true;
    bool visible_ = true;
    bool down_ = false;
    int groupIndex_ = 0;
    int left_ = 0, top_ = 0, width_ = 60, height_ = 60;
    bool hot_ = false;
    bool pushed_ = false;
    int pressOffset_ = 0;  // no property sets it: the picture stays put while pushed
};

// A flat scroll arrow of the bar, 13 pixels high (at 96 dpi) across its width. Scrolls up on
// release; with AutoRepeat also while held (first after 400 ms, then every 120 ms).
class TUpArrowBtn {
public:
    explicit TUpArrowBtn(TExpress& parent) : parent_(parent) {}
    virtual ~TUpArrowBtn() = default;
    TUpArrowBtn(const TUpArrowBtn&) = delete;
    TUpArrowBtn& operator=(const TUpArrowBtn&) = delete;

    bool Visible() const { return visible_; }
    bool Flat() const { return flat_; }
    void SetFlat(bool flat) { flat_ = flat; }
    bool AutoRepeat() const { return autoRepeat_; }
    void SetAutoRepeat(bool value) { autoRepeat_ = value; }
    bool Pressed() const { return pressed_; }
    RECT BoundsRect() const { return rect_; }

protected:
    virtual bool IsDown() const { return false; }
    virtual void Scroll();  // one step in the arrow's direction
    TExpress& parent_;

private:
    friend class TExpress;
    void Paint(HDC dc, COLORREF color, bool enabled);
    void TimerExpired();  // a tick of the repeat timer
    bool visible_ = false;
    bool flat_ = false;
    bool autoRepeat_ = false;
    bool pressed_ = false;
    bool hover_ = false;
    RECT rect_{};
};

class TDownArrowBtn : public TUpArrowBtn {
public:
    using TUpArrowBtn::TUpArrowBtn;

protected:
    bool IsDown() const override { return true; }
    void Scroll() override;
};

// The bar: a child window with a sunken 2-pixel non-client border. Buttons are laid out from the
// top, each as wide as the client area, ButtonHeight high; a resize (MoveWindow/SetWindowPos)
// re-arranges them.
class TExpress : public Window {
public:
    TExpress();
    ~TExpress() override;

    // Child window of parent at (x, y, w, h) with the sunken 2-pixel non-client border.
    bool Create(HWND parent, int x, int y, int width, int height);

    void SetColor(COLORREF color);  // the background [the button-shadow colour]
    COLORREF Color() const { return color_; }
    void SetBitmap(HBITMAP bitmap);  // tiled as background instead of the colour; not owned
    void SetFont(HFONT font);        // the buttons' font; not owned [the GUI font]
    HFONT Font() const { return font_; }
    // Stored for the bar and given to every button (now and later added); not owned.
    void SetHiLiteFont(HFONT font);
    void SetLargeImages(HIMAGELIST images);  // given to every button; not owned
    void SetSmallImages(HIMAGELIST images);  // given to every button; not owned
    void SetImageSize(TImageSize size);      // passed on to buttons with ParentImageSize
    TImageSize ImageSize() const { return imageSize_; }
    // Where the bar takes its DPI from: its owner's layout, which it follows [96 dpi]. The
    // figures below, the buttons' spacing, the arrows' height and the fit test are given at
    // 96 dpi and scaled by it; the image lists are the owner's, at the DPI's size.
    void SetScale(const ScaledControls& scale);
    int Dpi() const { return scale_ ? scale_->Dpi() : kBaseDpi; }
    int Scale(int units) const { return scale_ ? scale_->Scale(units) : units; }
    void SetButtonHeight(int height);  // [60]
    int ButtonHeight() const { return buttonHeight_; }
    void SetMargin(int margin);      // free above each button [0]
    void SetAutoRepeat(bool value);  // the arrows repeat while held
    void SetEnabled(bool enabled);   // the bar and its arrows
    void SetPopUpMenu(HMENU menu);   // right press on the background

    // A new button as wide as the bar's client area minus 4 (88 for a 92-pixel bar), ButtonHeight
    // high, at the given top, with the bar's fonts and image lists and the hand-point cursor.
    TLookOutButton& AddButton(const wchar_t* caption, int imageIndex, int top,
                              std::function<void()> onClick);
    size_t ButtonCount() const { return buttons_.size(); }
    TLookOutButton& Button(size_t i) { return *buttons_[i]; }

    // An accelerator letter (Alt+letter) of an enabled, visible button's caption: clicks it.
    bool DialogChar(wchar_t ch);

    int ScrollIndex() const { return scrollIndex_; }
    void ScrollUp();
    void ScrollDown();
    TUpArrowBtn& UpArrow() { return upArrow_; }
    TDownArrowBtn& DownArrow() { return downArrow_; }

    // Posted to the bar by its accessible object: wParam is the position of the button to click.
    static constexpr UINT kClickMessage = WM_USER + 1;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend class TLookOutButton;
    friend class TUpArrowBtn;
    friend class BarAccessible;
    friend LRESULT BarAccessibleObject(TExpress& bar, WPARAM wp, LPARAM lp);
    friend void BarAccessibleGone(TExpress& bar);
    void FormPaint();
    std::vector<BarItem> Items() const;  // the buttons as the layout sees them
    void PlaceArrowRects();
    void Arrange();
    bool ArrangeOnce();  // true when anything moved or an arrow came or went
    void InvalidateItem(const RECT& r);
    void SendHotNotice(const TLookOutButton* sender);
    void SendGroupDownNotice(int group, const TLookOutButton* sender);
    void StartRepeat(TUpArrowBtn* arrow);
    void StopRepeat();
    // The button or arrow under a client point.
    TLookOutButton* ButtonAt(POINT pt);
    TUpArrowBtn* ArrowAt(POINT pt);
    void MouseMoveTo(POINT pt);
    void MouseLeft();
    void MouseDown(TBarMouseButton button, POINT pt);
    void MouseUp(TBarMouseButton button, POINT pt);
    LRESULT NcCalcSize(WPARAM wp, LPARAM lp);
    void NcPaint();

    std::vector<std::unique_ptr<TLookOutButton>> buttons_;
    TUpArrowBtn upArrow_;
    TDownArrowBtn downArrow_;
    COLORREF color_;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    HFONT hiLiteFont_ = nullptr;
    HIMAGELIST largeImages_ = nullptr;
    HIMAGELIST smallImages_ = nullptr;
    HMENU popUpMenu_ = nullptr;
    TImageSize imageSize_ = isLarge;
    const ScaledControls* scale_ = nullptr;
    int buttonHeight_ = 60;
    int margin_ = 0;
    int scrollIndex_ = 0;
    bool enabled_ = true;
    // Mouse state: the item under the pointer, and the one that captured it by a press.
    TLookOutButton* mouseButton_ = nullptr;
    TUpArrowBtn* mouseArrow_ = nullptr;
    TLookOutButton* captureButton_ = nullptr;
    TUpArrowBtn* captureArrow_ = nullptr;
    TUpArrowBtn* repeating_ = nullptr;
    BarAccessible* accessible_ = nullptr;  // made when a client first asks (WM_GETOBJECT)
};

}  // namespace zarv
