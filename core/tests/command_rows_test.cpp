#include "core/command_rows.h"
#include "core/data_file.h"
#include "core/entry_text.h"

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

TEST(FieldFitTest, FitsExactlyWhenTheFileKeepsTheTextUnchanged) {
    const CodePage& cp = CodePage::ShiftJis();
    std::string hyo127;  // 254 bytes of double-byte characters
    for (int i = 0; i < 127; ++i) hyo127 += kHyo;
    // Around the limit, with double-byte characters, and with blanks the writer trims: a text
    // fits when it comes back unchanged after the record has taken it and the file kept it.
    for (const std::string& text :
         {std::string(254, 'a'), std::string(255, 'a'), hyo127, "a" + hyo127,
          " " + std::string(254, 'a'), " \t" + std::string(254, 'a') + "  "}) {
        TCommandItem item{"", "f", "", ""};
        PutText(item.Name, text, cp);
        std::vector<TCommandItem> read;
        ParseCommands(SerializeCommands({item}, cp), FileVersion::V103, read);
        ASSERT_EQ(read.size(), 1u);
        const bool kept = read[0].Name == TrimText(text);
        const FieldFit fit = CheckFieldFit(text, true);
        EXPECT_EQ(fit == FieldFit::Fits, kept) << text.size();
        EXPECT_EQ(fit == FieldFit::TooLong, !kept) << text.size();
    }
    EXPECT_EQ(CheckFieldFit("abc", false), FieldFit::Unrepresentable);
    EXPECT_EQ(CheckFieldFit("", true), FieldFit::Fits);
}

TEST(WorkDirTest, OneTrailingBackslash) {
    EXPECT_EQ(WorkDirOf(L"C:\\Tools"), L"C:\\Tools\\");
    EXPECT_EQ(WorkDirOf(L"C:\\"), L"C:\\");
    EXPECT_EQ(WorkDirOf(L"\\\\server\\share"), L"\\\\server\\share\\");
    EXPECT_EQ(WorkDirOf(L""), L"");
    EXPECT_EQ(WorkDirOfFile(L"C:\\Tools\\表\\a.exe"), L"C:\\Tools\\表\\");
    EXPECT_EQ(WorkDirOfFile(L"C:\\a.exe"), L"C:\\");
    EXPECT_EQ(WorkDirOfFile(L"a.exe"), L"");
}

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
