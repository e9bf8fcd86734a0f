#include "core/button_bar_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace zarv {
namespace {

testing::AssertionResult SameRect(const Rect& got, const Rect& want) {
    if (got.left == want.left && got.top == want.top && got.right == want.right &&
        got.bottom == want.bottom)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "(" << got.left << ", " << got.top << ")-(" << got.right << ", " << got.bottom
           << ") instead of (" << want.left << ", " << want.top << ")-(" << want.right << ", "
           << want.bottom << ")";
}

constexpr ImageListSize kLarge{true, 32, 32};
constexpr ImageListSize kSmall{true, 16, 16};
constexpr ImageListSize kNone{};

// The editors' bar: 92 x 335 with its 2-pixel border, four buttons of 60.
std::vector<BarItem> EditorButtons() { return {{0, 60}, {60, 60}, {120, 60}, {180, 60}}; }

TEST(ButtonFaceTest, LargePictureOverWrappedCaption) {
    ButtonFace face = ButtonFaceLayout(88, 60, 4, isLarge, kLarge, kNone, false);
    EXPECT_TRUE(SameRect(face.image, {28, 4, 60, 36}));
    EXPECT_TRUE(SameRect(face.frame, {24, 0, 64, 40}));
    EXPECT_TRUE(SameRect(face.text, {0, 40, 88, 60}));
    EXPECT_EQ(face.flags, 0xA011u);
    EXPECT_EQ(face.source, ImageSource::Large);
    // Pushed without a press offset: nothing moves.
    ButtonFace pushed = ButtonFaceLayout(88, 60, 4, isLarge, kLarge, kNone, true);
    EXPECT_TRUE(SameRect(pushed.image, face.image));
    EXPECT_TRUE(SameRect(pushed.text, face.text));
    // With an offset, picture and caption move while pushed, the frame stays.
    ButtonFace offset = ButtonFaceLayout(88, 60, 4, isLarge, kLarge, kNone, true, 1);
    EXPECT_TRUE(SameRect(offset.image, {29, 5, 61, 37}));
    EXPECT_TRUE(SameRect(offset.text, {1, 41, 89, 61}));
    EXPECT_TRUE(SameRect(offset.frame, {24, 0, 64, 40}));
}

TEST(ButtonFaceTest, SmallPictureBesideOneLineCaption) {
    ButtonFace face = ButtonFaceLayout(88, 30, 4, isSmall, kLarge, kSmall, false);
    EXPECT_TRUE(SameRect(face.image, {4, 7, 20, 23}));
    EXPECT_TRUE(SameRect(face.text, {28, 0, 88, 30}));
    EXPECT_EQ(face.flags, 0xA024u);
    EXPECT_EQ(face.source, ImageSource::Small);
}

TEST(ButtonFaceTest, MissingListGivesCentredCaptionAndNoPicture) {
    ButtonFace none = ButtonFaceLayout(88, 60, 4, isLarge, kNone, kNone, false);
    EXPECT_EQ(none.flags, 0xA015u);
    EXPECT_EQ(none.source, ImageSource::None);
    EXPECT_TRUE(SameRect(none.text, {0, 0, 88, 60}));
    // Small wanted but only the large list: its place is kept, no picture is drawn.
    ButtonFace onlyLarge = ButtonFaceLayout(88, 60, 4, isSmall, kLarge, kNone, false);
    EXPECT_EQ(onlyLarge.source, ImageSource::None);
    EXPECT_TRUE(SameRect(onlyLarge.image, {28, 4, 60, 36}));
    EXPECT_EQ(onlyLarge.flags, 0xA015u);
}

TEST(ButtonFrameColorsTest, PushedSwapsTheColours) {
    EXPECT_EQ(ButtonFrameColors(bbDark, false).topLeft, 15);
    EXPECT_EQ(ButtonFrameColors(bbDark, false).bottomRight, 21);
    EXPECT_EQ(ButtonFrameColors(bbDark, true).topLeft, 21);
    EXPECT_EQ(ButtonFrameColors(bbDark, true).bottomRight, 15);
    EXPECT_EQ(ButtonFrameColors(bbLight, false).topLeft, 20);
    EXPECT_EQ(ButtonFrameColors(bbLight, true).topLeft, 16);
    EXPECT_EQ(ButtonFrameColors(bbMono, false).bottomRight, 21);
    EXPECT_EQ(ButtonFrameColors(bbMono, true).bottomRight, 20);
}

TEST(ArrangeBarTest, EditorBarShowsFourButtonsWithoutArrows) {
    BarArrangement a = ArrangeBar({}, 335, 88, 331, EditorButtons(), 0, 0);
    EXPECT_EQ(a.tops, (std::vector<int>{0, 60, 120, 180}));
    EXPECT_EQ(a.arrows, (ArrowVisibility{false, false}));
}

TEST(ArrangeBarTest, TooLowBarShowsTheDownArrowAndParksTheRest) {
    // 150 high: the third button is cut off, the fourth starts below the bar.
    BarArrangement a = ArrangeBar({}, 150, 88, 146, EditorButtons(), 0, 0);
    EXPECT_EQ(a.arrows, (ArrowVisibility{false, true}));
    EXPECT_EQ(a.tops, (std::vector<int>{0, 60, 120, 151 * 4}));
}

TEST(ArrangeBarTest, ScrolledBarStartsUnderTheUpArrow) {
    std::vector<BarItem> buttons = EditorButtons();
    // One step down: the first button parks above, the others move up.
    BarArrangement a = ArrangeBar({false, true}, 150, 88, 146, buttons, 1, 0);
    EXPECT_EQ(a.tops, (std::vector<int>{-61 * 4, 0, 60, 120}));
    // The next paint sees the first button out of sight: the up arrow shows, the first shown
    // button moves to 12 under it.
    for (size_t i = 0; i < buttons.size(); ++i) buttons[i].top = a.tops[i];
    BarArrangement b = ArrangeBar(a.arrows, 150, 88, 146, buttons, 1, 0);
    EXPECT_TRUE(b.arrows.up);
    EXPECT_TRUE(b.arrows.down);
    EXPECT_EQ(b.tops, (std::vector<int>{-61 * 4, 12, 72, 132}));
}

TEST(ArrangeBarTest, ButtonsAreLaidOutByTopAndMarginsAdd) {
    // Given out of order; hidden buttons keep their top but count for parking.
    std::vector<BarItem> buttons{{120, 60}, {0, 60}, {60, 60, false}};
    BarArrangement a = ArrangeBar({}, 335, 88, 331, buttons, 0, 5);
    EXPECT_EQ(a.tops, (std::vector<int>{70, 5, 60}));
}

TEST(ArrangeBarTest, LowBarsKeepTheirArrows) {
    // 64 high or lower: the fit test never runs, whatever the buttons.
    for (ArrowVisibility current : {ArrowVisibility{false, false}, ArrowVisibility{true, true}}) {
        EXPECT_EQ(ArrangeBar(current, 64, 88, 60, EditorButtons(), 0, 0).arrows, current);
        EXPECT_EQ(ArrangeBar(current, 20, 88, 16, EditorButtons(), 0, 0).arrows, current);
    }
    // 65 high: it runs.
    EXPECT_EQ(ArrangeBar({true, false}, 65, 88, 61, EditorButtons(), 0, 0).arrows,
              (ArrowVisibility{false, true}));
}

TEST(ArrangeBarTest, NoButtonsHidesBothArrows) {
    BarArrangement a = ArrangeBar({true, true}, 335, 88, 331, {}, 0, 0);
    EXPECT_EQ(a.arrows, (ArrowVisibility{false, false}));
    // Only hidden buttons: the fit test has nothing to look at and keeps the arrows.
    EXPECT_EQ(ArrangeBar({true, true}, 335, 88, 331, {{0, 60, false}}, 0, 0).arrows,
              (ArrowVisibility{true, true}));
}

TEST(FitArrowsTest, BottomEdgeOfTheClientAreaIsOutside) {
    // A button ending exactly at the client height is cut off; one pixel less fits.
    EXPECT_TRUE(FitArrows({}, 100, 88, 96, {{0, 96}}).down);
    EXPECT_FALSE(FitArrows({}, 100, 88, 96, {{0, 95}}).down);
    EXPECT_TRUE(FitArrows({}, 100, 88, 96, {{-1, 60}}).up);
}

TEST(ScrollIndexTest, StopsAtZeroAndAtTheLastButton) {
    EXPECT_EQ(ScrollUpIndex(0), 0);
    EXPECT_EQ(ScrollUpIndex(2), 1);
    EXPECT_EQ(ScrollDownIndex(0, 4), 1);
    EXPECT_EQ(ScrollDownIndex(2, 4), 3);
    EXPECT_EQ(ScrollDownIndex(3, 4), 3);
    EXPECT_EQ(ScrollDownIndex(0, 0), 0);
}

}  // namespace
}  // namespace zarv
