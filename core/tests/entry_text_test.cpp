#include "core/entry_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data_file.h"
#include "core/records.h"

namespace zarv {
namespace {

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

TEST(EntryFieldTest, BlanksAloneAreAnEmptyField) {
    EXPECT_TRUE(IsBlankField(L""));
    EXPECT_TRUE(IsBlankField(L"   "));
    EXPECT_TRUE(IsBlankField(L" \t\r\n"));
    EXPECT_FALSE(IsBlankField(L"\u3000"));  // the full-width blank is a character
    EXPECT_FALSE(IsBlankField(L"  a "));
    EXPECT_FALSE(IsBlankField(L"!"));
}

}  // namespace
}  // namespace zarv
