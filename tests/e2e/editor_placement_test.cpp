// Where the editors open: their lower right corner at the pointer, flipped below or right of it
// near the top or left edge of the work area under the pointer.
#include "editor_fixture.h"

namespace e2e {
namespace {

using namespace ui;

class EditorPlacement : public ListEditorTest {
protected:
    EditorPlacement()
        : ListEditorTest(L"TSettingForm", L"TSetKey_Form", kHotkeySettingsId, L"Hotkey.DAT") {}

    // Opens the editor with the pointer at (x, y); the editor's top-left corner.
    POINT OpenAt(int x, int y) {
        ui::MovePointer(x, y);
        if (!OpenEditor()) return {-1, -1};
        RECT r{};
        GetWindowRect(editor_, &r);
        size_ = {r.right - r.left, r.bottom - r.top};
        return {r.left, r.top};
    }

    SIZE size_{};
};

TEST_F(EditorPlacement, FlipsNearTheTopLeftOfTheWorkAreaAndNotInItsMiddle) {
    ASSERT_TRUE(StartResident());
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

    POINT at = OpenAt(work.left + 20, work.top + 30);
    EXPECT_EQ(at.x, work.left + 20) << "flipped to the right of the pointer";
    EXPECT_EQ(at.y, work.top + 30) << "flipped below the pointer";
    CloseEditor(VK_ESCAPE);

    at = OpenAt(work.left + 900, work.top + 600);
    EXPECT_EQ(at.x, work.left + 900 - size_.cx) << "lower right corner at the pointer";
    EXPECT_EQ(at.y, work.top + 600 - size_.cy);
    CloseEditor(VK_ESCAPE);
}

}  // namespace
}  // namespace e2e
