#include "core/hotkey_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarv {
namespace {

THotkeyItem Entry(std::string path, std::uint8_t funcNo, std::uint8_t mods = 0,
                  std::uint8_t vkey = 0) {
    THotkeyItem item;
    item.FilePath = std::move(path);
    item.FuncNo = funcNo;
    item.Modifiers = mods;
    item.VKey = vkey;
    return item;
}

TEST(HotkeyRowsTest, OnlyProgramRowsWithoutTheirFileAreStruckOutAndEachFileIsLookedForOnce) {
    auto rows = MakeHotkeyRows(
        {Entry("there.exe", 0), Entry("gone.exe", 0), Entry("gone.exe", kFuncUrl), Entry("", 9)});
    int asked = 0;
    auto exists = [&](const std::string& path) {
        ++asked;
        return path == "there.exe";
    };
    for (int paint = 0; paint < 3; ++paint) {
        EXPECT_FALSE(IsStruckOut(rows[0], exists));
        EXPECT_TRUE(IsStruckOut(rows[1], exists));
        EXPECT_FALSE(IsStruckOut(rows[2], exists));
        EXPECT_FALSE(IsStruckOut(rows[3], exists));
    }
    EXPECT_EQ(asked, 2);
    rows[1].Set(Entry("there.exe", 0));  // a changed row is looked at again
    EXPECT_FALSE(IsStruckOut(rows[1], exists));
    EXPECT_EQ(asked, 3);
    // An answer not yet in strikes nothing through and is asked for again at the next paint.
    std::optional<bool> answer;
    auto pending = [&](const std::string&) {
        ++asked;
        return answer;
    };
    rows[3].Set(Entry("gone.exe", 0));
    EXPECT_FALSE(IsStruckOut(rows[3], pending));
    answer = false;
    EXPECT_TRUE(IsStruckOut(rows[3], pending));
    EXPECT_TRUE(IsStruckOut(rows[3], pending));
    EXPECT_EQ(asked, 5);
    rows[3].Set(Entry("", 9));
    EXPECT_EQ(RowsToList(rows)[1].FilePath, "there.exe");
    EXPECT_EQ(RowsToList(rows).size(), 4u);
}

TEST(HotkeyRowsTest, RepeatedKeyComparesLowBytesOfBothValues) {
    auto rows = MakeHotkeyRows({Entry("", 0, 3, 65), Entry("", 0, 2, 119)});
    EXPECT_TRUE(IsKeyTaken(rows, 3, 65));
    EXPECT_TRUE(IsKeyTaken(rows, 2 + 256, 119));
    EXPECT_FALSE(IsKeyTaken(rows, 2, 65));
    EXPECT_FALSE(IsKeyTaken(rows, 3, 119));
    EXPECT_FALSE(IsKeyTaken({}, 0, 0));
}

TEST(HotkeyRowsTest, KeyTextSplitsAtItsLastSeparator) {
    EXPECT_EQ(JoinKeyText("Ctrl + Alt", "A"), "Ctrl + Alt + A");
    EXPECT_EQ(SplitKeyText("Ctrl + Alt + A"), (KeyTextParts{"Ctrl + Alt", "A"}));
    EXPECT_EQ(SplitKeyText("Ctrl + Num +"), (KeyTextParts{"Ctrl", "Num +"}));
    EXPECT_EQ(SplitKeyText(JoinKeyText("Win", "Num 7")), (KeyTextParts{"Win", "Num 7"}));
    EXPECT_EQ(SplitKeyText("F8"), (KeyTextParts{"", "F8"}));
    EXPECT_EQ(SplitKeyText(""), (KeyTextParts{"", ""}));
}

}  // namespace
}  // namespace zarv
