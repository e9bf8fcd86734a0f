// Pixel figures at 96, 120, 144 and 192 dpi: the rounding, the windows' sizes, the editors' table,
// the button bar and the key picker, and where the DPI is read from.
#include "core/dpi.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/button_bar_layout.h"
#include "core/key_picker.h"

namespace zarv {
namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

TEST(DpiScaleTest, RoundsAsMulDivDoes) {
    // Halves go away from zero, everything else to the nearest pixel.
    EXPECT_EQ(MulDivRound(37, 120, 96), 46);  // 46.25
    EXPECT_EQ(MulDivRound(13, 144, 96), 20);  // 19.5
    EXPECT_EQ(MulDivRound(-13, 144, 96), -20);
    EXPECT_EQ(MulDivRound(5, 120, 96), 6);  // 6.25
    EXPECT_EQ(MulDivRound(7, 120, 96), 9);  // 8.75
    EXPECT_EQ(MulDivRound(-7, 120, 96), -9);
    EXPECT_EQ(MulDivRound(3, -1, 2), -2);  // a negative product rounds away from zero too
    EXPECT_EQ(MulDivRound(3, 1, -2), -2);
    EXPECT_EQ(MulDivRound(1, 1, 0), 0);
    // No overflow on the way: the product is wider than an int.
    EXPECT_EQ(MulDivRound(100000000, 144, 96), 150000000);
}

TEST(DpiScaleTest, NinetySixDpiChangesNothing) {
    for (int v : {-640, -1, 0, 1, 8, 12, 13, 37, 248, 640}) EXPECT_EQ(ScaleToDpi(v, 96), v) << v;
    const Rect r{8, 32, 33, 49};
    EXPECT_EQ(ScaleRectToDpi(r, 96), r);
    EXPECT_EQ(ScaleOuterSize({640, 360}, 96), (Size{640, 360}));
}

TEST(DpiScaleTest, FontsAndOuterSizesAtEachDpi) {
    const int font[] = {12, 15, 18, 24};  // the 12-pixel font
    const Size editor[] = {{640, 360}, {800, 450}, {960, 540}, {1280, 720}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(FontHeightForDpi(12, kDpis[i]), font[i]);
        EXPECT_EQ(ScaleOuterSize({640, 360}, kDpis[i]), editor[i]);
    }
}

TEST(DpiSourceTest, BestAvailableSourceAndFallbacks) {
    const DpiFunctions all{true, true}, win81{false, true}, win7{false, false};
    EXPECT_EQ(ChooseDpiSource(all, true), DpiSource::Window);
    // A window about to be placed has no DPI of its own yet: its monitor's.
    EXPECT_EQ(ChooseDpiSource(all, false), DpiSource::Monitor);
    EXPECT_EQ(ChooseDpiSource(win81, true), DpiSource::Monitor);
    EXPECT_EQ(ChooseDpiSource(win81, false), DpiSource::Monitor);
    // Windows 7: one DPI for the whole system.
    EXPECT_EQ(ChooseDpiSource(win7, true), DpiSource::System);
    EXPECT_EQ(ChooseDpiSource(win7, false), DpiSource::System);
    // Only the window function (no shcore): a point falls back to the system DPI.
    EXPECT_EQ(ChooseDpiSource({true, false}, false), DpiSource::System);
}

TEST(DpiSourceTest, UnusableAnswersFallBackToTheSystemDpi) {
    EXPECT_EQ(UsableDpi(144, 96), 144);
    EXPECT_EQ(UsableDpi(0, 120), 120);  // the function failed
    EXPECT_EQ(UsableDpi(-1, 120), 120);
    EXPECT_EQ(UsableDpi(100000, 144), 144);
    EXPECT_EQ(UsableDpi(0, 0), 96);  // nothing usable at all
}

TEST(DpiLayoutTest, EditorTableFollowsTheResizeRuleAtEachDpi) {
    // At 96 dpi the rule of the editors: (8, 8), window - bar - 24 wide, window - 48 high.
    EXPECT_EQ(EditorTableBoundsForDpi(640, 360, 92, 96), EditorTableBounds(640, 360, 92));
    EXPECT_EQ(EditorTableBoundsForDpi(640, 360, 92, 96), (Rect{8, 8, 8 + 524, 8 + 312}));
    // At 144: every figure of the rule scaled (bar 138, margins 12, 36 and 72).
    EXPECT_EQ(EditorTableBoundsForDpi(960, 540, 138, 144), (Rect{12, 12, 12 + 786, 12 + 468}));
    EXPECT_EQ(EditorTableBoundsForDpi(800, 450, 115, 120), (Rect{10, 10, 10 + 655, 10 + 390}));
    EXPECT_EQ(EditorTableBoundsForDpi(1280, 720, 184, 192), (Rect{16, 16, 16 + 1048, 16 + 624}));
    // A window made tiny leaves no negative table.
    EXPECT_EQ(EditorTableBoundsForDpi(100, 50, 138, 144), (Rect{12, 12, 12, 12}));
    for (int dpi : kDpis) {
        const Size outer = ScaleOuterSize({640, 360}, dpi);
        const Rect t = EditorTableBoundsForDpi(outer.width, outer.height, ScaleToDpi(92, dpi), dpi);
        // The table keeps the share of the window it has at 96 dpi, within rounding.
        EXPECT_NEAR((t.right - t.left) * 96.0 / dpi, 524, 2) << dpi;
        EXPECT_NEAR((t.bottom - t.top) * 96.0 / dpi, 312, 2) << dpi;
    }
}

TEST(DpiLayoutTest, ButtonBarArrangesScaledButtons) {
    // The editors' bar at 144 dpi: four buttons of 90 one under the other, no arrow.
    const std::vector<BarItem> buttons{{0, 90}, {90, 90}, {180, 90}, {270, 90}};
    BarArrangement a = ArrangeBar({}, 502, 134, 498, buttons, 0, 0, 144);
    EXPECT_EQ(a.tops, (std::vector<int>{0, 90, 180, 270}));
    EXPECT_EQ(a.arrows, (ArrowVisibility{false, false}));
    // Scrolled one step: the first shown button starts under the 20-pixel up arrow, at 18.
    std::vector<BarItem> scrolled{{-91 * 4, 90}, {0, 90}, {90, 90}, {180, 90}};
    BarArrangement b = ArrangeBar({true, true}, 225, 134, 221, scrolled, 1, 0, 144);
    EXPECT_TRUE(b.arrows.up);
    EXPECT_EQ(b.tops[1], 18);
    EXPECT_EQ(b.tops[2], 108);
    // The fit test starts at 98 pixels at 144 dpi (65 at 96): a bar of 97 keeps its arrows.
    EXPECT_EQ(ArrangeBar({true, true}, 97, 134, 93, buttons, 0, 0, 144).arrows,
              (ArrowVisibility{true, true}));
    EXPECT_EQ(ArrangeBar({true, true}, 98, 134, 94, buttons, 0, 0, 144).arrows,
              (ArrowVisibility{false, true}));
    // At 96 dpi the same calls without a DPI give the same result as with 96.
    EXPECT_EQ(ArrangeBar({}, 150, 88, 146, {{0, 60}, {60, 60}}, 0, 0).tops,
              ArrangeBar({}, 150, 88, 146, {{0, 60}, {60, 60}}, 0, 0, 96).tops);
}

TEST(DpiLayoutTest, ButtonFaceAtEachDpi) {
    // The editors' button at 144 dpi: 134 x 90 (the 138-pixel bar less its 2-pixel edges), a
    // 48 x 48 picture, spacing 6.
    ButtonFace face = ButtonFaceLayout(134, 90, 6, isLarge, {true, 48, 48}, {}, false);
    EXPECT_EQ(face.image, (Rect{43, 6, 91, 54}));
    EXPECT_EQ(face.frame, (Rect{37, 0, 97, 60}));
    EXPECT_EQ(face.text, (Rect{0, 60, 134, 90}));
}

TEST(DpiLayoutTest, PickerKeysScaledByTheirEdgesKeepTheirOverlapsAndStayInTheWindow) {
    // The key picker's buttons are scaled as every control is: by their edges.
    const PickerKey* keys = PickerKeys();
    auto rect = [](const PickerKey& k, int dpi) {
        return ScaleRectToDpi({k.Left, k.Top, k.Left + k.Width, k.Top + k.Height}, dpi);
    };
    // "1" at 32 and "2" at 56, each 25 wide, overlap by one 96-dpi pixel: so they do at every
    // DPI, by that pixel scaled.
    for (int dpi : kDpis) {
        const Rect one = rect(keys[13], dpi), two = rect(keys[14], dpi);
        EXPECT_EQ(one.left, ScaleToDpi(32, dpi));
        EXPECT_EQ(two.left, ScaleToDpi(56, dpi));
        EXPECT_EQ(one.right, ScaleToDpi(57, dpi));
        EXPECT_GE(one.right, two.left) << dpi;
        EXPECT_LE(one.right - two.left, ScaleToDpi(1, dpi)) << dpi;
        // Every key inside the 578 x 156 client area and above the separator at 120.
        for (std::size_t k = 0; k < kPickerKeyCount; ++k) {
            const Rect r = rect(keys[k], dpi);
            EXPECT_GE(r.left, 0);
            EXPECT_LE(r.right, ScaleToDpi(578, dpi)) << keys[k].Name;
            EXPECT_LE(r.bottom, ScaleToDpi(120, dpi)) << keys[k].Name;
            EXPECT_GT(r.right - r.left, 0);
        }
    }
    // At 96 dpi exactly the table.
    EXPECT_EQ(rect(keys[0], 96), (Rect{8, 8, 41, 25}));
    // "Enter" (33 x 33 at 344, 48) at 144: edges 516, 72, 565.5 -> 566, 121.5 -> 122.
    const PickerKey* enter = nullptr;
    for (std::size_t k = 0; k < kPickerKeyCount; ++k)
        if (keys[k].Code == 13) enter = &keys[k];
    ASSERT_NE(enter, nullptr);
    EXPECT_EQ(rect(*enter, 144), (Rect{516, 72, 566, 122}));
}

TEST(DpiLayoutTest, SmallIconSizesAtEachDpi) {
    const int small[] = {16, 20, 24, 32};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(SmallIconSizeForDpi(kDpis[i]), small[i]);
}

}  // namespace
}  // namespace zarv
