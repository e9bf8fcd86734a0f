#include "core/key_picker.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace zarv {
namespace {

const PickerKey* Find(std::string_view caption, int top) {
    for (std::size_t k = 0; k < kPickerKeyCount; ++k)
        if (PickerKeys()[k].Caption == caption && PickerKeys()[k].Top == top)
            return &PickerKeys()[k];
    return nullptr;
}

TEST(KeyPickerTest, KeysReportTheirNamesAndCodes) {
    struct Expect {
        const char* caption;
        int top;
        const char* name;
        int code;
    };
    const Expect expected[] = {
        {"Up", 32, "PageUp", 33}, {"Down", 48, "PageDown", 34}, {"7", 48, "Num 7", 103},
        {"+", 80, "Num +", 107},  {"Enter", 48, "ENTER", 13},   {"無変", 96, "無変換", 29},
        {"変換", 96, "変換", 28}, {"↑", 80, "↑", 38},           {"←", 96, "←", 37},
        {"\\", 32, "\\", 220},    {"_", 80, "_", 226},          {"/", 32, "Num /", 111},
        {"/", 80, "/", 191},      {"ESC", 8, "ESC", 27},        {"0", 96, "Num 0", 96},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(std::string(e.caption) + " at " + std::to_string(e.top));
        const PickerKey* key = Find(e.caption, e.top);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->Name, e.name);
        EXPECT_EQ(key->Code, e.code);
    }
    for (int f = 1; f <= 12; ++f) {
        const PickerKey* key = Find("F" + std::to_string(f), 8);
        ASSERT_NE(key, nullptr) << f;
        EXPECT_EQ(key->Code, 111 + f);
    }
}

TEST(KeyPickerTest, SizesAndPlacesFitTheKeyboard) {
    std::map<std::pair<int, int>, int> sizes;
    std::set<std::string_view> names;
    for (std::size_t k = 0; k < kPickerKeyCount; ++k) {
        const PickerKey& key = PickerKeys()[k];
        SCOPED_TRACE(std::string(key.Name));
        EXPECT_TRUE(names.insert(key.Name).second) << "reported twice";
        EXPECT_GE(key.Left, 8);
        EXPECT_LE(key.Left + key.Width, 578);
        EXPECT_LE(key.Top + key.Height, 120);  // above the separator line
        ++sizes[{key.Width, key.Height}];
    }
    EXPECT_EQ(sizes[std::make_pair(25, 17)], 74);
    EXPECT_EQ(sizes[std::make_pair(33, 17)], 10);
    EXPECT_EQ(sizes[std::make_pair(33, 33)], 1);  // Enter
    EXPECT_EQ(sizes[std::make_pair(25, 33)], 2);  // Num - and Num +
    EXPECT_EQ(sizes[std::make_pair(49, 17)], 3);  // Num /, Num *, Num 0
    EXPECT_EQ(sizes[std::make_pair(41, 17)], 1);  // TAB
    EXPECT_EQ(sizes[std::make_pair(97, 17)], 1);  // SPACE
    const PickerKey* enter = Find("Enter", 48);
    ASSERT_NE(enter, nullptr);
    EXPECT_EQ(enter->Left, 344);
}

std::size_t Named(std::string_view name) {
    for (std::size_t k = 0; k < kPickerKeyCount; ++k)
        if (PickerKeys()[k].Name == name) return k;
    ADD_FAILURE() << "no key " << name;
    return 0;
}

TEST(KeyPickerTest, FullNamesTellEveryKeyApart) {
    std::set<std::string> full;
    for (std::size_t k = 0; k < kPickerKeyCount; ++k)
        EXPECT_TRUE(full.insert(PickerKeyFullName(PickerKeys()[k])).second) << k;
    EXPECT_EQ(PickerKeyFullName(PickerKeys()[Named("PageUp")]), "Page Up");
    EXPECT_EQ(PickerKeyFullName(PickerKeys()[Named("Num 7")]), "テンキー 7");
}

TEST(KeyPickerTest, ArrowsGoToTheNeighbourOnTheKeyboard) {
    struct Move {
        const char* from;
        PickerMove move;
        const char* to;
    };
    using M = PickerMove;
    // Along a row and its end; staggered rows; the tall keys (Enter, Num -, Num +); the wide
    // Space; across the gaps between the blocks.
    const Move moves[] = {
        {"1", M::Right, "2"},         {"F12", M::Right, "F12"},
        {"TAB", M::Down, "A"},        {"A", M::Up, "Q"},
        {"]", M::Right, "ENTER"},     {"ENTER", M::Down, "_"},
        {"Num 6", M::Right, "Num -"}, {"Num +", M::Up, "Num -"},
        {"SPACE", M::Up, "B"},        {"End", M::Down, "↑"},
        {"Num 4", M::Left, "ENTER"},
    };
    for (const Move& m : moves) {
        SCOPED_TRACE(std::string(m.from) + " " + std::to_string(static_cast<int>(m.move)));
        EXPECT_EQ(PickerKeys()[NeighbourKey(Named(m.from), m.move)].Name, m.to);
    }
}

}  // namespace
}  // namespace zarv
