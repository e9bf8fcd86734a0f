#include "core/launch_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zarv {
namespace {

TEST(BuildCommandLineTest, JoinsWithOneBlankQuotesAPathWithBlanksAndNeverCuts) {
    EXPECT_EQ(BuildCommandLine(L"C:\\Program Files\\Tool\\tool.exe", L"-q file.txt"),
              L"\"C:\\Program Files\\Tool\\tool.exe\" -q file.txt");
    EXPECT_EQ(BuildCommandLine(L"C:\\my tools\\backup.bat", L""), L"\"C:\\my tools\\backup.bat\" ");
    // Already quoted, or without a blank: as written.
    EXPECT_EQ(BuildCommandLine(L"\"C:\\Program Files\\x.exe\"", L"-q"),
              L"\"C:\\Program Files\\x.exe\" -q");
    EXPECT_EQ(BuildCommandLine(L"C:\\Tools\\tool.exe", L"-plain"), L"C:\\Tools\\tool.exe -plain");
    EXPECT_EQ(BuildCommandLine(L"notepad", L""), L"notepad ");
    EXPECT_EQ(BuildCommandLine(L"", L"-x"), L" -x");
    const std::wstring line = BuildCommandLine(std::wstring(250, L'p'), std::wstring(20, L'o'));
    EXPECT_EQ(line, std::wstring(250, L'p') + L" " + std::wstring(20, L'o'));
}

}  // namespace
}  // namespace zarv
