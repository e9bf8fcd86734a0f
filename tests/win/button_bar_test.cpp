// The picture-button bar in a window, driven by real mouse input.
#include "widgets/button_bar.h"

#include <gtest/gtest.h>

#include "test_window.h"
#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

using test::Pump;

// Moves the pointer to a client point of window, as the user does.
void MoveTo(HWND window, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(window, &pt);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(pt.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(pt.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    Pump(60);
}

void Press(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
    Pump(60);
}

// The colour the screen shows at a client point of window.
COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

// The editors' bar: 92 x 335, white, four 88 x 60 buttons with 32 x 32 pictures.
class ButtonBarTest : public testing::Test {
protected:
    // One host for all cases: a new top-level window takes a while to get input under Wine.
    static void SetUpTestSuite() { host_ = test::CreateHostWindow(L"bar", 200, 100, 300, 400); }
    static void TearDownTestSuite() {
        DestroyWindow(host_);
        Pump();
    }
    void SetUp() override {
        images_.reset(ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 4, 0));
        for (const wchar_t* name :
             {L"LOOKBTN_ADD", L"LOOKBTN_EDIT", L"LOOKBTN_DEL", L"LOOKBTN_OK"}) {
            HICON icon = static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, 32, 32, 0));
            ASSERT_NE(icon, nullptr) << "no picture " << static_cast<const void*>(name);
            ImageList_AddIcon(images_.get(), icon);
            DestroyIcon(icon);
        }
        font_.reset(CreateFormFont());
        bar_.SetColor(RGB(255, 255, 255));
        bar_.SetHiLiteFont(static_cast<HFONT>(font_.get()));
        bar_.SetFont(static_cast<HFONT>(font_.get()));
        bar_.SetLargeImages(images_.get());
        ASSERT_TRUE(bar_.Create(host_, 20, 10, 92, 335));
        const wchar_t* captions[] = {L"追加(INS)", L"編集(SPACE)", L"削除(DEL)", L"OK(ENTER)"};
        for (int i = 0; i < 4; ++i)
            bar_.AddButton(captions[i], i, 60 * i, [this, i] { ++clicks_[i]; });
        UpdateWindow(host_);
        // The window takes a moment to be shown on the X display and receive input there.
        POINT centre{46, 100};
        ClientToScreen(bar_.hwnd(), &centre);
        for (int i = 0; i < 100 && WindowFromPoint(centre) != bar_.hwnd(); ++i) Pump(20);
        ASSERT_EQ(WindowFromPoint(centre), bar_.hwnd());
    }
    void TearDown() override {
        MoveTo(host_, 250, 200);  // away from the next bar's buttons
    }

    // Client point of the bar at the centre of button i's picture.
    POINT PictureCentre(int i) const {
        RECT r = const_cast<TExpress&>(bar_).Button(i).BoundsRect();
        return {r.left + 44, r.top + 20};
    }
    void MoveToButton(int i) { MoveTo(bar_.hwnd(), PictureCentre(i).x, PictureCentre(i).y); }

    static HWND host_;
    UniqueImageList images_;
    UniqueFont font_;
    TExpress bar_;
    int clicks_[4] = {};
};

HWND ButtonBarTest::host_ = nullptr;

TEST_F(ButtonBarTest, EditorBarLayout) {
    RECT client{};
    GetClientRect(bar_.hwnd(), &client);
    EXPECT_EQ(client.right, 88);
    EXPECT_EQ(client.bottom, 331);
    for (int i = 0; i < 4; ++i) {
        RECT r = bar_.Button(i).BoundsRect();
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 60 * i);
        EXPECT_EQ(r.right, 88);
        EXPECT_EQ(r.bottom, 60 * i + 60);
    }
    EXPECT_FALSE(bar_.UpArrow().Visible());
    EXPECT_FALSE(bar_.DownArrow().Visible());
    // A new button height lays the buttons out again at the next paint.
    bar_.SetButtonHeight(50);
    UpdateWindow(bar_.hwnd());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bar_.Button(i).BoundsRect().top, 50 * i);
    EXPECT_EQ(bar_.Button(3).Height(), 50);
    // The sunken edge: dark outer line at the top-left corner of the window.
    HDC dc = GetWindowDC(bar_.hwnd());
    EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    ReleaseDC(bar_.hwnd(), dc);
}

TEST_F(ButtonBarTest, ClickRaisesOnClickOnce) {
    MoveToButton(1);
    EXPECT_TRUE(bar_.Button(1).Hot());
    Press(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(bar_.Button(1).Pushed());
    EXPECT_EQ(clicks_[1], 0);  // not before the release
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(bar_.Button(1).Pushed());
    EXPECT_EQ(clicks_[1], 1);
    EXPECT_EQ(clicks_[0] + clicks_[2] + clicks_[3], 0);
    // A second click is a second click, not a double click.
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(clicks_[1], 2);
    // The owner's Click raises the same event.
    bar_.Button(3).Click();
    EXPECT_EQ(clicks_[3], 1);
}

TEST_F(ButtonBarTest, PressThatLeavesTheButtonRaisesNothing) {
    MoveToButton(2);
    Press(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(bar_.Button(2).Pushed());
    // Away onto another button and out of the bar, then released there.
    MoveToButton(0);
    EXPECT_FALSE(bar_.Button(2).Hot());
    EXPECT_FALSE(bar_.Button(0).Hot());  // the held button keeps the mouse
    MoveTo(host_, 250, 200);
    Press(MOUSEEVENTF_LEFTUP);
    for (int c : clicks_) EXPECT_EQ(c, 0);
    EXPECT_FALSE(bar_.Button(2).Pushed());
    // Back over it while held, released over it: that is a click.
    MoveToButton(2);
    Press(MOUSEEVENTF_LEFTDOWN);
    MoveTo(host_, 250, 200);
    MoveToButton(2);
    EXPECT_TRUE(bar_.Button(2).Hot());
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(clicks_[2], 1);
}

TEST_F(ButtonBarTest, HotFrameComesAndGoesWithTheMouse) {
    // Frame of button 0: (24, 0)-(64, 40); its top-left line in clBtnFace, bottom-right in
    // cl3DDkShadow while hot, swapped while pushed.
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(PixelAt(bar_.hwnd(), 24, 20), white);
    MoveToButton(0);
    EXPECT_TRUE(bar_.Button(0).Hot());
    EXPECT_EQ(PixelAt(bar_.hwnd(), 24, 20), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PixelAt(bar_.hwnd(), 63, 20), GetSysColor(COLOR_3DDKSHADOW));
    Press(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(PixelAt(bar_.hwnd(), 24, 20), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelAt(bar_.hwnd(), 63, 20), GetSysColor(COLOR_BTNFACE));
    Press(MOUSEEVENTF_LEFTUP);
    // Onto the next button: the first goes dark, the second lights.
    MoveToButton(1);
    EXPECT_FALSE(bar_.Button(0).Hot());
    EXPECT_EQ(PixelAt(bar_.hwnd(), 24, 20), white);
    EXPECT_EQ(PixelAt(bar_.hwnd(), 24, 80), GetSysColor(COLOR_BTNFACE));
    // Out of the bar: nothing lit (the system reports the leave within its hover time).
    MoveTo(host_, 250, 200);
    for (int i = 0; i < 50 && bar_.Button(1).Hot(); ++i) Pump(20);
    EXPECT_FALSE(bar_.Button(1).Hot());
    EXPECT_EQ(PixelAt(bar_.hwnd(), 24, 80), white);
    // A disabled button never shows a frame and cannot be clicked.
    bar_.Button(1).SetEnabled(false);
    MoveToButton(1);
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(PixelAt(bar_.hwnd(), 24, 80), white);
    EXPECT_EQ(clicks_[1], 0);
}

TEST_F(ButtonBarTest, PressWithoutAMoveBeforeItStillPushesAndClicks) {
    // The bar appeared under a resting pointer: the first message is the press itself.
    POINT at = PictureCentre(3);
    SendMessageW(bar_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(bar_.Button(3).Pushed());
    SendMessageW(bar_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(clicks_[3], 1);
}

TEST_F(ButtonBarTest, RightPressPushesNothing) {
    MoveToButton(0);
    Press(MOUSEEVENTF_RIGHTDOWN);
    EXPECT_FALSE(bar_.Button(0).Pushed());
    Press(MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(clicks_[0], 0);
}

TEST_F(ButtonBarTest, LowBarScrollsWithItsArrows) {
    MoveWindow(bar_.hwnd(), 20, 10, 92, 150, TRUE);
    UpdateWindow(bar_.hwnd());
    Pump(50);
    EXPECT_FALSE(bar_.UpArrow().Visible());
    ASSERT_TRUE(bar_.DownArrow().Visible());
    RECT down = bar_.DownArrow().BoundsRect();
    EXPECT_EQ(down.bottom - down.top, 13);
    EXPECT_EQ(down.bottom, 146);
    // One step down: the first button parks above, the second starts under the up arrow.
    MoveTo(bar_.hwnd(), 44, down.top + 6);
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    UpdateWindow(bar_.hwnd());
    Pump(50);
    EXPECT_EQ(bar_.ScrollIndex(), 1);
    EXPECT_TRUE(bar_.UpArrow().Visible());
    EXPECT_LT(bar_.Button(0).Top(), 0);
    EXPECT_EQ(bar_.Button(1).Top(), 12);
    for (int c : clicks_) EXPECT_EQ(c, 0);  // the arrow is in front of the buttons
    // Scrolling stops at the last button and at 0.
    for (int i = 0; i < 5; ++i) bar_.ScrollDown();
    EXPECT_EQ(bar_.ScrollIndex(), 3);
    for (int i = 0; i < 5; ++i) bar_.ScrollUp();
    EXPECT_EQ(bar_.ScrollIndex(), 0);
    // Tall again: no arrows, tops from 0.
    MoveWindow(bar_.hwnd(), 20, 10, 92, 335, TRUE);
    UpdateWindow(bar_.hwnd());
    Pump(50);
    EXPECT_FALSE(bar_.UpArrow().Visible());
    EXPECT_FALSE(bar_.DownArrow().Visible());
    EXPECT_EQ(bar_.Button(0).Top(), 0);
}

TEST_F(ButtonBarTest, GroupButtonStaysDownAndReleasesItsSibling) {
    bar_.Button(0).SetGroupIndex(1);
    bar_.Button(1).SetGroupIndex(1);
    MoveToButton(0);
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(bar_.Button(0).Down());
    MoveTo(host_, 250, 200);
    EXPECT_TRUE(bar_.Button(0).Hot());  // a Down button stays lit
    bar_.Button(1).SetDown(true);
    EXPECT_FALSE(bar_.Button(0).Down());
    EXPECT_FALSE(bar_.Button(0).Pushed());
}

LRESULT CALLBACK OffscreenTable(HWND h, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (m == WM_PAINT && !wp) return PaintOffscreen(h), 0;
    return IsScreenErase(m, wp) ? TRUE : DefSubclassProc(h, m, wp, lp);
}

// The editors' tables beside the bar are drawn off the screen too (PaintOffscreen): rows and
// background reach the screen, the header is left to itself, a selected row repaints in place.
TEST_F(ButtonBarTest, ListViewPaintedOffscreen) {
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 120, 10,
                                150, 200, host_, nullptr, nullptr, nullptr);
    SetWindowSubclass(list, &OffscreenTable, 1, 0);
    constexpr COLORREF kGround = RGB(0, 128, 255);
    for (UINT m : {LVM_SETBKCOLOR, LVM_SETTEXTBKCOLOR}) SendMessageW(list, m, 0, kGround);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    LVCOLUMNW col{LVCF_WIDTH | LVCF_TEXT, 0, 140, const_cast<wchar_t*>(L"caption")};
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
    LVITEMW item{LVIF_TEXT, 0, 0, LVIS_SELECTED, LVIS_SELECTED, const_cast<wchar_t*>(L"row")};
    for (int i = 0; i < 3; ++i)
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetFocus(list);
    UpdateWindow(list);
    RECT row{LVIR_BOUNDS};
    SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    EXPECT_EQ(PixelAt(list, 120, 180), kGround);          // below the rows
    EXPECT_EQ(PixelAt(list, 120, row.top + 2), kGround);  // beside a row's text
    EXPECT_NE(PixelAt(list, 120, row.top - (row.bottom - row.top) - 4), kGround);  // header
    SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
    UpdateWindow(list);
    EXPECT_EQ(PixelAt(list, 120, row.top + 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelAt(list, 120, row.bottom + 2), kGround);
    DestroyWindow(list);
}

}  // namespace
}  // namespace zarv
