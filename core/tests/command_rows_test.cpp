#include "core/command_rows.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace zarv {
namespace {

// The command bar's comparison for these tests: ASCII letters without case.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const std::string kHyo = "\x95\x5C";  // 表: a double-byte character whose trail byte is '\'

TEST(CommandRowsTest, AddingRefusesANameTheTableHoldsNow) {
    CommandRows rows = {{"Mail", "m.exe", "", ""}, {"web", "w.exe", "", ""}};
    EXPECT_TRUE(NameRefused(rows, kAddRow, "mail", SameName));
    EXPECT_FALSE(NameRefused(rows, kAddRow, "mailer", SameName));
    // A second new command of the same name meets the first one.
    ASSERT_TRUE(PutRow(rows, kAddRow, {"news", "n.exe", "", ""}));
    EXPECT_TRUE(NameRefused(rows, kAddRow, "NEWS", SameName));
    // A deleted name can be added back.
    rows.erase(rows.begin());
    EXPECT_FALSE(NameRefused(rows, kAddRow, "mail", SameName));
    // Editing takes any name, also another row's.
    EXPECT_FALSE(NameRefused(rows, 0, "news", SameName));
    EXPECT_EQ(FindRowName(rows, "NeWs", SameName), 1);
}

TEST(CommandRowsTest, PutRowAddsOrReplaces) {
    CommandRows rows = {{"a", "1", "", ""}, {"b", "2", "", ""}};
    ASSERT_TRUE(PutRow(rows, 1, {"c", "3", "o", "w"}));
    EXPECT_EQ(rows[1], (TCommandItem{"c", "3", "o", "w"}));
    EXPECT_FALSE(PutRow(rows, 2, {"x", "", "", ""}));
    EXPECT_FALSE(PutRow(rows, -2, {"x", "", "", ""}));
    EXPECT_EQ(rows.size(), 2u);
}

TEST(CommandRowsTest, ListFromRowsCutsAtACharacterBoundary) {
    std::string longName = std::string(254, 'n') + kHyo;  // 256 bytes; 255 would split 表
    CommandRows rows = {{longName, std::string(300, 'f'), "opt", "C:\\"}, {"b", "", "", ""}};
    std::vector<TCommandItem> list = CommandListFromRows(rows, CodePage::ShiftJis());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Name, std::string(254, 'n'));
    EXPECT_EQ(list[0].FilePath, std::string(255, 'f'));
    EXPECT_EQ(list[0].Options, "opt");
    EXPECT_EQ(list[1], rows[1]);
    EXPECT_TRUE(CommandListFromRows({}, CodePage::ShiftJis()).empty());
}

}  // namespace
}  // namespace zarv
