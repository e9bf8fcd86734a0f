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
    const CodePage& cp = CodePage::ShiftJis();
    CommandRows rows = {{"Mail", "m.exe", "", ""}, {"web", "w.exe", "", ""}};
    EXPECT_TRUE(NameRefused(rows, kAddRow, "mail", cp, SameName));
    EXPECT_FALSE(NameRefused(rows, kAddRow, "mailer", cp, SameName));
    // A second new command of the same name meets the first one.
    ASSERT_TRUE(PutRow(rows, kAddRow, {"news", "n.exe", "", ""}));
    EXPECT_TRUE(NameRefused(rows, kAddRow, "NEWS", cp, SameName));
    // A deleted name can be added back.
    rows.erase(rows.begin());
    EXPECT_FALSE(NameRefused(rows, kAddRow, "mail", cp, SameName));
    // Editing takes any name, also another row's.
    EXPECT_FALSE(NameRefused(rows, 0, "news", cp, SameName));
    EXPECT_EQ(FindRowName(rows, "NeWs", cp, SameName), 1);
}

// A name is refused exactly when the command bar of the next start-up, which reads the names the
// file stored, would find the registered row by it: the comparison and the writer agree, byte
// for byte, on what the file keeps of a name.
TEST(CommandRowsTest, NamesAreComparedAsTheDataFileStoresThem) {
    const CodePage& cp = CodePage::ShiftJis();
    const std::string kWideBlank = "\x81\x40";  // the full-width blank: a character, not trimmed
    const std::string kSo = "\x83\x5C";         // ソ: its trail byte is '\'
    const CommandRows rows = {{"Mail", "m.exe", "", ""}, {" " + kSo + "\t", "s.exe", "", ""}};
    struct Case {
        std::string typed;
        int row;  // the registered row it meets, or -1
    };
    for (const Case& c : std::vector<Case>{{"mail ", 0},
                                           {" MAIL", 0},
                                           {"\t mail\r\n", 0},
                                           {"mail2", -1},
                                           {"ma il", -1},
                                           {kWideBlank + "mail", -1},
                                           {"mail" + kWideBlank, -1},
                                           {kSo, 1},
                                           {kSo + " ", 1},
                                           {kSo + "\\", -1},
                                           {"   ", -1}}) {
        // What the next start-up reads back of the registered rows and of the new name.
        CommandRows stored = rows;
        stored.push_back({c.typed, "n.exe", "", ""});
        std::vector<TCommandItem> read;
        ParseCommands(SerializeCommands(stored, cp), FileVersion::V103, read);
        ASSERT_EQ(read.size(), 3u);
        int meets = -1;
        for (int i = 1; i >= 0; --i)
            if (SameName(read[static_cast<std::size_t>(i)].Name, read[2].Name)) meets = i;

        EXPECT_EQ(meets, c.row) << c.typed;
        EXPECT_EQ(FindRowName(rows, c.typed, cp, SameName), c.row) << c.typed;
        EXPECT_EQ(NameRefused(rows, kAddRow, c.typed, cp, SameName), c.row >= 0) << c.typed;
    }
    // A row of blanks only (an old file may hold one) is the empty name.
    EXPECT_EQ(FindRowName({{"  ", "x", "", ""}}, "", cp, SameName), 0);
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
