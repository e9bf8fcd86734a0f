// The program at the screen's DPI. These cases also run in the prefixes at 120, 144 and 192 dpi
// (scripts/test.sh, label "dpi"): every figure is checked against its 96-dpi value scaled to the
// DPI the prefix sets, so at 96 they check the unscaled layout.
#include "ui_helpers.h"
#include "zarv_fixture.h"

namespace e2e {
namespace {

using namespace ui;

constexpr UINT kCtrlShift = MOD_CONTROL | MOD_SHIFT;

// Within a few pixels of want: controls and fonts that the system sizes by its own rules.
::testing::AssertionResult Near(int got, int want, int slack, const char* what) {
    if (got >= want - slack && got <= want + slack) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << what << " is " << got << ", not " << want << " +- " << slack;
}

const ControlInfo* Find(const std::vector<ControlInfo>& controls, const wchar_t* cls,
                        const wchar_t* text = nullptr) {
    for (const ControlInfo& c : controls)
        if (c.depth > 0 && _wcsicmp(c.cls.c_str(), cls) == 0 && (!text || c.text == text))
            return &c;
    return nullptr;
}

class DpiCommandBar : public ZarvTest {
protected:
    // Starts zarv with the hot key of the bar and shows the bar at the pointer.
    void StartAndShow() {
        HotkeyRecord bar;
        bar.title = "bar";
        bar.key_text = "key";
        bar.func_no = 254;
        bar.modifiers = static_cast<std::uint8_t>(kCtrlShift);
        bar.vkey = 'D';
        WriteHotkeys({bar});
        zarv_ = &StartZarv();
        main_ = WaitResident(*zarv_);
        ASSERT_TRUE(main_);
        MovePointer(600, 500);
        Press({kCtrlShift, 'D'});
        ASSERT_TRUE(WaitBarShown(main_));
        ASSERT_TRUE(WaitUntil([&] { return CommandBox(main_) != nullptr; }));
    }

    // The bar, its box and its button laid out for dpi: client and font exact, the controls
    // where their 96-dpi places scale to (the box's field within the system's frame).
    void ExpectLaidOutFor(int dpi) {
        RECT client{};
        GetClientRect(main_, &client);
        EXPECT_EQ(client.right, Scaled(248, dpi)) << "at " << dpi << " dpi";
        EXPECT_EQ(client.bottom, Scaled(37, dpi)) << "at " << dpi << " dpi";
        std::string error;
        auto controls = ReadControls(zarv_->handle(), dir(), main_, &error);
        ASSERT_TRUE(controls) << error;
        const ControlInfo* panel = Find(*controls, L"TPanel");
        const ControlInfo* box = Find(*controls, L"ComboBox");
        const ControlInfo* button = Find(*controls, L"Button", L"実行");
        ASSERT_TRUE(panel && box && button);
        EXPECT_EQ(panel->width(), client.right);
        EXPECT_EQ(panel->height(), client.bottom);
        EXPECT_EQ(box->rect.left, Scaled(8, dpi));
        EXPECT_EQ(box->rect.top, Scaled(8, dpi));
        EXPECT_EQ(box->width(), Scaled(177, dpi));
        EXPECT_TRUE(Near(box->height(), Scaled(20, dpi), 2, "the box's height"));
        EXPECT_EQ(button->rect.left, Scaled(192, dpi));
        EXPECT_EQ(button->rect.top, Scaled(8, dpi));
        EXPECT_EQ(button->width(), Scaled(49, dpi));
        EXPECT_EQ(button->height(), Scaled(22, dpi));
        // The 12-pixel font, scaled; the same in the box and on the button.
        EXPECT_EQ(box->fontHeight, -Scaled(12, dpi));
        EXPECT_EQ(button->fontHeight, -Scaled(12, dpi));
        // Nothing cut by the bar's edge.
        EXPECT_LE(box->rect.bottom, client.bottom);
        EXPECT_LE(button->rect.right, client.right);
        EXPECT_LE(button->rect.bottom, client.bottom);
    }

    Process* zarv_ = nullptr;
    HWND main_ = nullptr;
};

TEST_F(DpiCommandBar, ClientControlsAndFontAtTheScreensDpi) {
    ASSERT_NO_FATAL_FAILURE(StartAndShow());
    const int dpi = ScreenDpi();
    ExpectLaidOutFor(dpi);
    // Placed in the pixels of the screen: its bottom-right corner at the pointer.
    const RECT r = RectOf(main_);
    EXPECT_EQ(r.right, 600);
    EXPECT_EQ(r.bottom, 500);
}

TEST_F(DpiCommandBar, TakesTheSuggestedRectangleAndLaysItselfOutOnADpiChange) {
    ASSERT_NO_FATAL_FAILURE(StartAndShow());
    const int dpi = ScreenDpi();
    const int other = dpi == 144 ? 192 : 144;
    // As Windows suggests it: the bar's size scaled by the change, at a new place.
    const RECT suggested{100, 120, 100 + Scaled(248, other), 120 + Scaled(37, other)};
    std::string error;
    ASSERT_TRUE(SendDpiChanged(zarv_->handle(), dir(), main_, other, suggested, &error)) << error;
    const RECT r = RectOf(main_);
    EXPECT_EQ(r.left, suggested.left);
    EXPECT_EQ(r.top, suggested.top);
    EXPECT_EQ(r.right, suggested.right);
    EXPECT_EQ(r.bottom, suggested.bottom);
    ExpectLaidOutFor(other);

    // Back on a monitor of the screen's DPI, and once more shown at the pointer: as before.
    const RECT back{0, 0, Scaled(248, dpi), Scaled(37, dpi)};
    ASSERT_TRUE(SendDpiChanged(zarv_->handle(), dir(), main_, dpi, back, &error)) << error;
    ExpectLaidOutFor(dpi);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitBarHidden(main_));
    ASSERT_TRUE(ShowBarWith({kCtrlShift, 'D'}, main_));
    ExpectLaidOutFor(dpi);
}

class DpiLauncherMenu : public ZarvTest {};

TEST_F(DpiLauncherMenu, PicturesAtTheSmallIconSizeOfTheScreen) {
    // A program with its own icon, a URL (the globe) and an internal function (the program's
    // icon): each picture drawn at the DPI's small-icon size, filling it.
    HotkeyRecord url;
    url.title = "web";
    url.file_path = "http://example.com/";
    url.key_text = "key";
    url.func_no = 255;
    HotkeyRecord bar;
    bar.title = "bar";
    bar.key_text = "key";
    bar.func_no = 254;
    ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker_icon_a.exe", PathIn(L"own.exe")));
    HotkeyRecord own;
    own.title = "own";
    own.file_path = AnsiPathIn(L"own.exe");
    own.key_text = "key";
    WriteHotkeys({own, url, bar});
    Process& zarv = StartZarv();
    HWND main = WaitResident(zarv);
    ASSERT_TRUE(main);
    ASSERT_TRUE(ClickIcon(main, WM_LBUTTONDOWN));
    ASSERT_TRUE(MenuOpens(zarv.pid()));
    std::string error;
    auto pictures = ReadPictures(zarv.handle(), dir(), &error);
    ASSERT_TRUE(pictures) << error;
    EXPECT_TRUE(CloseMenus(zarv.pid()));
    ASSERT_EQ(pictures->size(), 3u);
    const int size = Scaled(16, ScreenDpi());
    for (const Picture& p : *pictures) {
        EXPECT_EQ(p.size.cx, size) << "item " << p.id;
        EXPECT_EQ(p.size.cy, size) << "item " << p.id;
        // Drawn at that size: the picture spans most of it (the icons' corners and rims are
        // transparent), not a 16-pixel picture in a corner.
        EXPECT_GE(p.drawnSize.cx, size * 3 / 4) << "item " << p.id;
        EXPECT_GE(p.drawnSize.cy, size * 3 / 4) << "item " << p.id;
        EXPECT_LE(p.drawnSize.cx, size);
    }
}

}  // namespace
}  // namespace e2e
